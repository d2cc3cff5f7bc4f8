// render: the batch worksheet maker. Opens units or a copy file as the program does and
// writes the sheet as PNG, PDF or a copy file, without a window.
#include "Cli.h"

#include "courseware/CopyFile.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/QuestionGenerator.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sheet/Printing.h"
#include "sheet/Sheet.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>

#include <cstdio>
#include <limits>
#include <optional>

namespace zendra::cli {

namespace {

struct RenderOptions
{
    QString folder;
    QList<UnitChoice> units;
    QString copyFile;
    bool answers = false;
    bool alternatives = false;
    std::optional<int> paperWidth;
    std::optional<int> printerDpi;
    std::optional<int> number;
    int copies = 1;
    std::optional<QString> school;
    QString output;
    QString layout;
    bool vary = false;
    std::optional<quint64> seed;
    bool answerKey = false;
};

const QString kSynopsis = QStringLiteral(
    "render FOLDER (--unit L/S/U[/V] ... | --copy FILE.prp) [--answers] [--alternatives] "
    "[--paper B5|A4|B4|A3] [--printer-dpi N] [--number N] [--copies N] [--school TEXT] "
    "[--vary [--seed S]] [--answer-key] -o OUT.png|OUT.pdf|OUT.prp [--layout OUT.json]");

std::optional<int> paperOf(const QString& name)
{
    static const QMap<QString, int> widths = {{QStringLiteral("B5"), 546},
                                              {QStringLiteral("A4"), 630},
                                              {QStringLiteral("B4"), 771},
                                              {QStringLiteral("A3"), 891}};
    const auto it = widths.find(name.toUpper());
    return it == widths.end() ? std::nullopt : std::optional<int>(*it);
}

// Parses the arguments; returns the status to end with when the command ends here (its
// help, or a usage error that has been told).
std::optional<int> parseOptions(const QStringList& args, RenderOptions& o)
{
    CommandLine line(
        kSynopsis,
        QStringLiteral("The batch worksheet maker: the first --unit opens a sheet, further ones "
                       "add their questions. PNG is the screen page (or a printer page with "
                       "--printer-dpi), PDF the printer composition with one numbered page per "
                       "copy, PRP a copy file."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    QCommandLineParser& parser = line.parser();
    const QCommandLineOption unitOption(
        QStringLiteral("unit"),
        QStringLiteral("a unit by lesson, section, unit and similar-question set; repeat to add "
                       "units"),
        QStringLiteral("L/S/U[/V]"));
    const QCommandLineOption copyOption(QStringLiteral("copy"),
                                        QStringLiteral("open a copy file instead of units"),
                                        QStringLiteral("FILE.prp"));
    const QCommandLineOption answersOption(QStringLiteral("answers"),
                                           QStringLiteral("show the answers"));
    const QCommandLineOption alternativesOption(
        QStringLiteral("alternatives"), QStringLiteral("print the alternatives beside the box"));
    const QCommandLineOption paperOption(QStringLiteral("paper"),
                                         QStringLiteral("the paper (default: the sheet's own)"),
                                         QStringLiteral("B5|A4|B4|A3"));
    const QCommandLineOption dpiOption(
        QStringLiteral("printer-dpi"),
        QStringLiteral("compose at printer resolution, 72 to 2400 (PDF: 600 by default)"),
        QStringLiteral("N"));
    const QCommandLineOption numberOption(
        QStringLiteral("number"), QStringLiteral("number the sheets from N"), QStringLiteral("N"));
    const QCommandLineOption copiesOption(
        QStringLiteral("copies"), QStringLiteral("copies of a PDF, 1 to 999"), QStringLiteral("N"));
    const QCommandLineOption schoolOption(QStringLiteral("school"),
                                          QStringLiteral("the school name of the header"),
                                          QStringLiteral("TEXT"));
    const QCommandLineOption outputOption(QStringLiteral("o"),
                                          QStringLiteral("the file to write: .png, .pdf or .prp"),
                                          QStringLiteral("OUT"));
    const QCommandLineOption layoutOption(
        QStringLiteral("layout"),
        QStringLiteral("also write the answer boxes, piece positions and placed figures of the "
                       "screen page as JSON"),
        QStringLiteral("OUT.json"));
    const QCommandLineOption varyOption(
        QStringLiteral("vary"),
        QStringLiteral("give every numbered copy numbers of its own, made from the seed and the "
                       "copy's number; its label reads \"№ number-seed\""));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"),
        QStringLiteral("the seed of --vary (default: a new one, printed); with --number N it "
                       "makes copy N again"),
        QStringLiteral("S"));
    const QCommandLineOption answerKeyOption(
        QStringLiteral("answer-key"),
        QStringLiteral("a PDF page after each copy with that copy's answers and \"解答\" in its "
                       "title line; the copies themselves show no answers"));
    parser.addOptions({unitOption, copyOption, answersOption, alternativesOption, paperOption,
                       dpiOption, numberOption, copiesOption, schoolOption, outputOption,
                       layoutOption, varyOption, seedOption, answerKeyOption});
    if (const std::optional<int> done = line.parse(args, 1, 1))
        return done;

    const auto number = [&](const QCommandLineOption& option, int minimum,
                            int maximum) -> std::optional<int> {
        bool ok = false;
        const int n = parser.value(option).toInt(&ok);
        return ok && n >= minimum && n <= maximum ? std::optional<int>(n) : std::nullopt;
    };
    o.folder = line.arguments().at(0);
    for (const QString& text : parser.values(unitOption)) {
        const std::optional<UnitChoice> unit = parseUnit(text);
        if (!unit)
            return line.usageError(
                QStringLiteral("--unit には 課/章/ユニット[/類題] の番号を指定してください"));
        o.units.append(*unit);
    }
    o.copyFile = parser.value(copyOption);
    o.answers = parser.isSet(answersOption);
    o.alternatives = parser.isSet(alternativesOption);
    if (parser.isSet(paperOption)) {
        o.paperWidth = paperOf(parser.value(paperOption));
        if (!o.paperWidth)
            return line.usageError(QStringLiteral("--paper は B5, A4, B4, A3 のどれかです"));
    }
    if (parser.isSet(dpiOption)) {
        o.printerDpi = number(dpiOption, 72, 2400);
        if (!o.printerDpi)
            return line.usageError(QStringLiteral("--printer-dpi は 72 から 2400 までです"));
    }
    if (parser.isSet(numberOption)) {
        o.number = number(numberOption, 1, std::numeric_limits<int>::max());
        if (!o.number)
            return line.usageError(QStringLiteral("--number には 1 以上の番号を指定してください"));
    }
    if (parser.isSet(copiesOption)) {
        const std::optional<int> copies = number(copiesOption, 1, 999);
        if (!copies)
            return line.usageError(QStringLiteral("--copies は 1 から 999 までです"));
        o.copies = *copies;
    }
    if (parser.isSet(schoolOption))
        o.school = parser.value(schoolOption);
    o.output = parser.value(outputOption);
    o.layout = parser.value(layoutOption);
    o.vary = parser.isSet(varyOption);
    o.answerKey = parser.isSet(answerKeyOption);
    if (parser.isSet(seedOption)) {
        const std::optional<quint64> seed = parseSeed(parser.value(seedOption));
        if (!seed)
            return line.usageError(QStringLiteral("--seed には 0 以上の整数を指定してください"));
        if (!o.vary)
            return line.usageError(QStringLiteral("--seed は --vary と使います"));
        o.seed = *seed;
    }

    if (o.output.isEmpty() || (o.units.isEmpty() == o.copyFile.isEmpty()))
        return line.usageError();
    const QString suffix = QFileInfo(o.output).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf") &&
        suffix != QLatin1String("prp"))
        return line.usageError(QStringLiteral("出力は .png, .pdf, .prp のどれかです: ") + o.output);
    if (o.answerKey && suffix != QLatin1String("pdf"))
        return line.usageError(QStringLiteral("--answer-key は .pdf に出力するときに使います"));
    if (o.vary && suffix == QLatin1String("prp"))
        return line.usageError(QStringLiteral("--vary は .png か .pdf に出力するときに使います"));
    return std::nullopt;
}

// The lesson whose folder holds a copy file, or 1.
int lessonOfCopyFile(const QString& programFolder, const LessonTable& table, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath() + u'/';
    for (int lesson = 1; lesson <= table.count(); ++lesson) {
        if (QFileInfo(LessonFolder(programFolder, table, lesson)).absoluteFilePath() + u'/' ==
            folder)
            return lesson;
    }
    return 1;
}

std::optional<Sheet> assemble(const RenderOptions& o, const QString& programFolder,
                              const LessonTable& table)
{
    UnitReader reader;
    if (!o.copyFile.isEmpty()) {
        if (!QFileInfo(o.copyFile).isFile()) {
            ShowMessage(QStringLiteral("ファイル ") + o.copyFile +
                        QStringLiteral(" が見つかりません"));
            return std::nullopt;
        }
        return OpenCopySheet(programFolder, table,
                             lessonOfCopyFile(programFolder, table, o.copyFile),
                             QFileInfo(o.copyFile).absoluteFilePath(), reader, o.answers);
    }

    std::optional<Sheet> sheet;
    int loadedLesson = 0;
    SectionUnits sections;
    for (const UnitChoice& choice : o.units) {
        if (!loadUnitListing(programFolder, table, choice, sections, loadedLesson))
            return std::nullopt;
        const CoursewareContext courseware{programFolder, table, sections};
        const QString header = UnitHeaderLine(choice);
        // The reader says nothing when the unit is missing; say it here.
        ScriptedMessages said;
        bool ok = false;
        {
            ScopedMessages scope(said);
            if (!sheet) {
                sheet = OpenMasterSheet(courseware, choice, reader, o.answers);
                ok = sheet.has_value();
            } else {
                ok = AddUnitToSheet(*sheet, courseware, choice, reader);
            }
        }
        for (const QString& text : said.texts())
            ShowMessage(text);
        if (!ok) {
            if (said.texts().isEmpty())
                ShowMessage(
                    shownPath(MasterPath(programFolder, table, choice.lesson, choice.section)) +
                    QStringLiteral(" に ") + header + QStringLiteral(" が見つかりません"));
            return std::nullopt;
        }
    }
    return sheet;
}

QJsonObject layoutJson(const Sheet& sheet)
{
    QJsonArray boxes;
    for (int i = 1; i <= sheet.composed.boxes.count(); ++i) {
        const AnswerBox& box = sheet.composed.boxes[i];
        boxes.append(QJsonObject{{QStringLiteral("x"), box.x},
                                 {QStringLiteral("y"), box.y},
                                 {QStringLiteral("width"), box.width},
                                 {QStringLiteral("answer"), box.answer},
                                 {QStringLiteral("fontSize"), box.fontSize}});
    }
    QJsonArray pieces;
    for (int i = 1; i <= sheet.composed.piecePositions.count; ++i) {
        const QPoint p = sheet.composed.piecePositions[i];
        pieces.append(QJsonObject{{QStringLiteral("x"), p.x()}, {QStringLiteral("y"), p.y()}});
    }
    QJsonArray figures;
    for (const PlacedFigure& figure : sheet.composed.figures)
        figures.append(QJsonObject{{QStringLiteral("number"), figure.number},
                                   {QStringLiteral("answer"), figure.answer},
                                   {QStringLiteral("x"), figure.rect.x()},
                                   {QStringLiteral("y"), figure.rect.y()},
                                   {QStringLiteral("width"), figure.rect.width()},
                                   {QStringLiteral("height"), figure.rect.height()}});
    QJsonArray columnProblems;
    for (const PlacedColumnProblem& problem : sheet.composed.columnProblems) {
        QJsonArray cells;
        for (size_t i = 0; i < problem.layout.cells.size(); ++i) {
            const ColumnCell& cell = problem.layout.cells[i];
            const QRect r = problem.cellRect(cell.row, cell.column);
            cells.append(QJsonObject{{QStringLiteral("role"), CellRoleName(cell.role)},
                                     {QStringLiteral("place"), cell.place},
                                     {QStringLiteral("x"), r.x()},
                                     {QStringLiteral("y"), r.y()},
                                     {QStringLiteral("w"), r.width()},
                                     {QStringLiteral("h"), r.height()},
                                     {QStringLiteral("text"), problem.drawn.value(qsizetype(i))}});
        }
        columnProblems.append(
            QJsonObject{{QStringLiteral("kind"), ColumnKindName(problem.layout.kind)},
                        {QStringLiteral("line"), problem.line},
                        {QStringLiteral("cells"), cells}});
    }
    return QJsonObject{{QStringLiteral("page"),
                        QJsonObject{{QStringLiteral("width"), sheet.settings.page.width},
                                    {QStringLiteral("height"), sheet.settings.page.height}}},
                       {QStringLiteral("scale"), 1.0},
                       {QStringLiteral("boxes"), boxes},
                       {QStringLiteral("pieces"), pieces},
                       {QStringLiteral("answers"), toJsonArray(sheet.composed.lstKai)},
                       {QStringLiteral("figures"), figures},
                       {QStringLiteral("columnProblems"), columnProblems},
                       {QStringLiteral("scorePosition"),
                        QJsonObject{{QStringLiteral("x"), sheet.composed.scorePosition.x()},
                                    {QStringLiteral("y"), sheet.composed.scorePosition.y()}}}};
}

// Why a file cannot be written at this path, or empty when it can (or the path is empty).
QString outputProblem(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir())
        return QStringLiteral("出力 %1 はディレクトリです").arg(QDir::toNativeSeparators(path));
    if (!folder.isDir())
        return QStringLiteral("出力 %1 のディレクトリ %2 が見つかりません")
            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return QStringLiteral("出力 %1 に書き込めません").arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace

int runRender(const QStringList& args)
{
    RenderOptions o;
    if (const std::optional<int> done = parseOptions(args, o))
        return *done;

    // Fonts and pictures need the GUI library's application object; no window is shown.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("render needs the graphical application object"));
    InstallFontSubstitutions();

    const QString programFolder = programFolderArg(o.folder);
    LessonTable table;
    if (!QFileInfo(programFolder).isDir()) {
        ShowMessage(QStringLiteral("ディレクトリ ") + o.folder +
                    QStringLiteral(" が見つかりません"));
        return kFileProblem;
    }
    if (!LoadMainIndex(programFolder, table))
        return kFileProblem;
    std::optional<Sheet> sheet = assemble(o, programFolder, table);
    if (!sheet)
        return kFileProblem;
    if (o.paperWidth)
        sheet->settings.page = PaperRecord::ofWidth(*o.paperWidth);

    ComposeInputs inputs = InputsFromSheet(*sheet);
    inputs.bekkai = o.alternatives;
    if (o.school)
        inputs.schoolName = *o.school;
    if (o.number) {
        inputs.number = true;
        inputs.startNumber = *o.number;
    }
    if (o.vary)
        if (const QString why = CannotVary(*sheet); !why.isEmpty())
            return fail(why);
    const quint64 seed = o.seed.value_or(o.vary ? QuestionGenerator::NewSeed() : 0);
    if (o.vary) {
        // The page shows it too; said here so that a script can keep it.
        const QByteArray said = "seed: " + QByteArray::number(seed) + '\n';
        std::fwrite(said.constData(), 1, static_cast<size_t>(said.size()), stdout);
    }

    // Every output must be writable before any is written, so that a bad second path
    // never costs the teacher the file the first one already held.
    for (const QString& path : {o.output, o.layout})
        if (const QString problem = outputProblem(path); !problem.isEmpty())
            return fail(problem);
    if (!o.layout.isEmpty() &&
        QFileInfo(o.layout).absoluteFilePath() == QFileInfo(o.output).absoluteFilePath())
        return fail(QStringLiteral("--layout には出力と別のファイルを指定してください"));

    const QString suffix = QFileInfo(o.output).suffix().toLower();
    QString error;
    bool ok = true;
    if (suffix == QLatin1String("prp")) {
        // The copy file holds the figures where the page puts them; a failed write has
        // said why.
        if (!SaveCopy(CopySheetAsShown(*sheet, inputs), o.output, QString()).saved)
            return kFileProblem;
    } else if (suffix == QLatin1String("pdf")) {
        PdfJob job;
        job.dpi = o.printerDpi.value_or(600);
        job.copies = o.copies;
        job.numbered = o.number.has_value();
        job.firstNumber = o.number.value_or(1);
        job.vary = o.vary;
        job.seed = seed;
        job.answerKey = o.answerKey;
        ok = WriteSheetPdf(*sheet, inputs, job, o.output, &error);
    } else {
        if (o.vary) {
            // The page of one copy: the first, or the one --number names.
            sheet = VariedCopy(*sheet, seed, inputs.startNumber);
            inputs.number = true;
            inputs.numberSuffix = VariedCopySuffix(seed);
            inputs.printed = true;
        }
        const QImage image = o.printerDpi ? RenderPrinterPage(*sheet, inputs, *o.printerDpi)
                                          : RenderScreenPage(*sheet, inputs);
        ok = WriteImageFile(image, o.output, &error);
    }
    if (!ok)
        return fail(error);

    if (!o.layout.isEmpty()) {
        // The layout of the screen composition, whatever the output was; with --vary, that
        // of the first copy.
        if (o.vary && suffix == QLatin1String("pdf"))
            sheet = VariedCopy(*sheet, seed, inputs.startNumber);
        RenderScreenPage(*sheet, inputs);
        const QByteArray json = QJsonDocument(layoutJson(*sheet)).toJson(QJsonDocument::Indented);
        // The page is written and stays: it is whole, and it may have replaced a file
        // the teacher had, so removing it would lose both.
        if (const TextFile::Result r = TextFile::saveBytes(o.layout, json); !r)
            return fail(r.error);
    }
    return 0;
}

} // namespace zendra::cli
