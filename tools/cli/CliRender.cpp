// render: the batch worksheet maker. Opens units or a copy file as the program does and
// writes the sheet as PNG, PDF or a copy file, without a window.
#include "Cli.h"

#include "courseware/CopyFile.h"
#include "courseware/CoursewareIndex.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sheet/SheetBuilder.h"
#include "sheet/SheetOutput.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>

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
};

const QString kUsage = QStringLiteral(
    "usage: zendra-cli render FOLDER (--unit L/S/U[/V] ... | --copy FILE.prp) [--answers] "
    "[--alternatives] [--paper B5|A4|B4|A3] [--printer-dpi N] [--number N] [--copies N] "
    "[--school TEXT] -o OUT.png|OUT.pdf|OUT.prp [--layout OUT.json]");

std::optional<UnitChoice> parseUnit(const QString& text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() < 3 || parts.size() > 4)
        return std::nullopt;
    int numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts.at(i).toInt(&ok);
        if (!ok || numbers[i] < (i < 3 ? 1 : 0))
            return std::nullopt;
    }
    return UnitChoice{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::optional<int> paperOf(const QString& name)
{
    static const QMap<QString, int> widths = {{QStringLiteral("B5"), 546},
                                              {QStringLiteral("A4"), 630},
                                              {QStringLiteral("B4"), 771},
                                              {QStringLiteral("A3"), 891}};
    const auto it = widths.find(name.toUpper());
    return it == widths.end() ? std::nullopt : std::optional<int>(*it);
}

// Parses the arguments; on a problem returns the message to show.
QString parseOptions(const QStringList& args, RenderOptions& o)
{
    if (args.isEmpty())
        return kUsage;
    o.folder = args.first();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args.at(++i);
        };
        const auto positive = [&](int minimum) -> std::optional<int> {
            const std::optional<QString> text = value();
            bool ok = false;
            const int n = text ? text->toInt(&ok) : 0;
            return ok && n >= minimum ? std::optional<int>(n) : std::nullopt;
        };
        if (arg == QLatin1String("--unit")) {
            const std::optional<QString> text = value();
            const std::optional<UnitChoice> unit = text ? parseUnit(*text) : std::nullopt;
            if (!unit)
                return QStringLiteral("--unit には 課/章/ユニット[/類題] の番号を指定してください");
            o.units.append(*unit);
        } else if (arg == QLatin1String("--copy")) {
            const std::optional<QString> text = value();
            if (!text)
                return kUsage;
            o.copyFile = *text;
        } else if (arg == QLatin1String("--answers")) {
            o.answers = true;
        } else if (arg == QLatin1String("--alternatives")) {
            o.alternatives = true;
        } else if (arg == QLatin1String("--paper")) {
            const std::optional<QString> text = value();
            o.paperWidth = text ? paperOf(*text) : std::nullopt;
            if (!o.paperWidth)
                return QStringLiteral("--paper は B5, A4, B4, A3 のどれかです");
        } else if (arg == QLatin1String("--printer-dpi")) {
            o.printerDpi = positive(72);
            if (!o.printerDpi || *o.printerDpi > 2400)
                return QStringLiteral("--printer-dpi は 72 から 2400 までです");
        } else if (arg == QLatin1String("--number")) {
            o.number = positive(1);
            if (!o.number)
                return QStringLiteral("--number には 1 以上の番号を指定してください");
        } else if (arg == QLatin1String("--copies")) {
            const std::optional<int> copies = positive(1);
            if (!copies || *copies > 999)
                return QStringLiteral("--copies は 1 から 999 までです");
            o.copies = *copies;
        } else if (arg == QLatin1String("--school")) {
            o.school = value();
            if (!o.school)
                return kUsage;
        } else if (arg == QLatin1String("-o")) {
            const std::optional<QString> text = value();
            if (!text)
                return kUsage;
            o.output = *text;
        } else if (arg == QLatin1String("--layout")) {
            const std::optional<QString> text = value();
            if (!text)
                return kUsage;
            o.layout = *text;
        } else {
            return QStringLiteral("知らないオプションです: ") + arg + u'\n' + kUsage;
        }
    }
    if (o.output.isEmpty() || (o.units.isEmpty() == o.copyFile.isEmpty()))
        return kUsage;
    const QString suffix = QFileInfo(o.output).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf") &&
        suffix != QLatin1String("prp"))
        return QStringLiteral("出力は .png, .pdf, .prp のどれかです: ") + o.output;
    return {};
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
        if (choice.lesson > table.count()) {
            ShowMessage(QStringLiteral("レッスン %1 はありません").arg(choice.lesson));
            return std::nullopt;
        }
        if (choice.lesson != loadedLesson) {
            if (!LoadLessonIndex(programFolder, table, choice.lesson, sections))
                return std::nullopt;
            loadedLesson = choice.lesson;
        }
        if (choice.section > sections.count() ||
            choice.unit > sections.section(choice.section).units.size()) {
            ShowMessage(QStringLiteral("ユニット %1/%2/%3 はありません")
                            .arg(choice.lesson)
                            .arg(choice.section)
                            .arg(choice.unit));
            return std::nullopt;
        }
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
    for (int i = 1; i <= sheet.boxes.count(); ++i) {
        const AnswerBox& box = sheet.boxes[i];
        boxes.append(QJsonObject{{QStringLiteral("x"), box.x},
                                 {QStringLiteral("y"), box.y},
                                 {QStringLiteral("width"), box.width},
                                 {QStringLiteral("answer"), box.answer},
                                 {QStringLiteral("fontSize"), box.fontSize}});
    }
    QJsonArray pieces;
    for (int i = 1; i <= sheet.piecePositions.count; ++i) {
        const QPoint p = sheet.piecePositions[i];
        pieces.append(QJsonObject{{QStringLiteral("x"), p.x()}, {QStringLiteral("y"), p.y()}});
    }
    QJsonArray figures;
    for (const PlacedFigure& figure : sheet.figures)
        figures.append(QJsonObject{{QStringLiteral("number"), figure.number},
                                   {QStringLiteral("answer"), figure.answer},
                                   {QStringLiteral("x"), figure.rect.x()},
                                   {QStringLiteral("y"), figure.rect.y()},
                                   {QStringLiteral("width"), figure.rect.width()},
                                   {QStringLiteral("height"), figure.rect.height()}});
    return QJsonObject{
        {QStringLiteral("page"), QJsonObject{{QStringLiteral("width"), sheet.page.width},
                                             {QStringLiteral("height"), sheet.page.height}}},
        {QStringLiteral("scale"), 1.0},
        {QStringLiteral("boxes"), boxes},
        {QStringLiteral("pieces"), pieces},
        {QStringLiteral("answers"), toJsonArray(sheet.lstKai)},
        {QStringLiteral("figures"), figures},
        {QStringLiteral("scorePosition"),
         QJsonObject{{QStringLiteral("x"), sheet.scorePosition.x()},
                     {QStringLiteral("y"), sheet.scorePosition.y()}}}};
}

} // namespace

int runRender(const QStringList& args)
{
    RenderOptions o;
    if (const QString problem = parseOptions(args, o); !problem.isEmpty())
        return fail(problem);

    // Fonts and pictures need the GUI library's application object; no window is shown.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("render needs the graphical application object"));
    InstallFontSubstitutions();

    const QString programFolder = programFolderArg(o.folder);
    LessonTable table;
    if (!QFileInfo(programFolder).isDir()) {
        ShowMessage(QStringLiteral("ディレクトリ ") + o.folder +
                    QStringLiteral(" が見つかりません"));
        return 1;
    }
    if (!LoadMainIndex(programFolder, table))
        return 1;
    std::optional<Sheet> sheet = assemble(o, programFolder, table);
    if (!sheet)
        return 1;
    if (o.paperWidth)
        sheet->page = PaperRecord::ofWidth(*o.paperWidth);

    ComposeInputs inputs = InputsFromSheet(*sheet);
    inputs.bekkai = o.alternatives;
    if (o.school)
        inputs.schoolName = *o.school;
    if (o.number) {
        inputs.number = true;
        inputs.startNumber = *o.number;
    }

    const QString suffix = QFileInfo(o.output).suffix().toLower();
    QString error;
    bool ok = true;
    if (suffix == QLatin1String("prp")) {
        // The copy file holds the figures where the page puts them; a failed write has
        // said why.
        if (!SaveCopy(CopySheetAsShown(*sheet, inputs), o.output, QString()).saved)
            return 1;
    } else if (suffix == QLatin1String("pdf")) {
        PdfJob job;
        job.dpi = o.printerDpi.value_or(600);
        job.copies = o.copies;
        job.numbered = o.number.has_value();
        job.firstNumber = o.number.value_or(1);
        ok = WriteSheetPdf(*sheet, inputs, job, o.output, &error);
    } else {
        const QImage image = o.printerDpi ? RenderPrinterPage(*sheet, inputs, *o.printerDpi)
                                          : RenderScreenPage(*sheet, inputs);
        ok = WriteImageFile(image, o.output, &error);
    }
    if (!ok)
        return fail(error);

    if (!o.layout.isEmpty()) {
        // The layout of the screen composition, whatever the output was.
        RenderScreenPage(*sheet, inputs);
        const QByteArray json = QJsonDocument(layoutJson(*sheet)).toJson(QJsonDocument::Indented);
        if (const TextFile::Result r = TextFile::saveBytes(o.layout, json); !r) {
            QFile::remove(o.output);
            return fail(r.error);
        }
    }
    return 0;
}

} // namespace zendra::cli
