// check: reads a whole courseware tree the way the program will, and lists every problem.
#include "Cli.h"

#include "arithmetic/ColumnLayout.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/LayoutLines.h"
#include "courseware/QuestionLine.h"
#include "courseware/UnitReader.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sheet/PageComposer.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>

namespace zendra::cli {

namespace {

class Checker
{
public:
    Checker(const QString& folderArg, bool layout)
        : shownRoot_(folderArg.endsWith(u'/') ? folderArg : folderArg + u'/'),
          root_(programFolderArg(folderArg)), layout_(layout)
    {
    }

    int run();

private:
    void problem(const QString& path, int line, const QString& text)
    {
        QString shown = path;
        if (shown.startsWith(root_))
            shown = shownRoot_ + shown.mid(root_.size());
        std::printf("%s:%d: %s\n", shown.toUtf8().constData(), line, text.toUtf8().constData());
        ++problems_;
    }
    // Reads a file; a file that is missing or not CP932 is a problem.
    bool readFile(const QString& path, QStringList& lines);
    // Runs a load that reports through message boxes, turning each message into a problem.
    template <typename Load> bool captured(const QString& path, int line, Load load)
    {
        ScriptedMessages messages;
        bool ok = false;
        {
            ScopedMessages scope(messages);
            ok = load();
        }
        for (const QString& text : messages.texts())
            problem(path, line, text);
        return ok;
    }
    void checkLesson(int lesson);
    void checkUnit(int lesson, const QString& masterPath, const QStringList& master,
                   const QString& header, const UnitTitles& titles, int section, int unit);
    // Also keeps the file line of every question line in questionLines_.
    void checkQuestionLines(const QString& path, const QStringList& lines, qsizetype from);
    // Lays the unit just read out on its own paper at its own sizes; a question line that runs
    // past the page is a problem at its line of the file.
    void checkLayout(const QString& path, const QString& header, int headerLine);
    void checkFigures(const QString& path, const QStringList& lines, qsizetype from,
                      const QStringList& triples, const QString& graphFolder);
    void checkCopyFiles(int lesson);

    QString shownRoot_;
    QString root_;
    bool layout_ = false;
    QList<int> questionLines_;
    LessonTable table_;
    UnitReader reader_;
    int sections_ = 0;
    int units_ = 0;
    int problems_ = 0;
    QSet<QString> read_;
};

bool Checker::readFile(const QString& path, QStringList& lines)
{
    read_.insert(path);
    if (!QFileInfo(path).isFile()) {
        problem(path, 1, QStringLiteral("ファイルが見つかりません"));
        return false;
    }
    const TextFile::Result r = TextFile::read(path, lines);
    if (!r) {
        problem(path, std::max(r.line, 1), r.error);
        return false;
    }
    return true;
}

int Checker::run()
{
    if (!QFileInfo(root_).isDir())
        return fail(QStringLiteral("ディレクトリ ") + shownRoot_ +
                    QStringLiteral(" が見つかりません"));
    const QString mainPath = coursewarePath(root_, QStringLiteral("Main.ind"));
    QStringList ignored;
    if (readFile(mainPath, ignored) &&
        captured(mainPath, 1, [&] { return LoadMainIndex(root_, table_); })) {
        for (int lesson = 1; lesson <= table_.count(); ++lesson)
            checkLesson(lesson);
    }
    // Every other text file of the tree must be CP932 as well.
    QDirIterator it(root_,
                    {QStringLiteral("*.ind"), QStringLiteral("*.que"), QStringLiteral("*.prp"),
                     QStringLiteral("*.txt")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!read_.contains(path))
            readFile(path, ignored);
    }
    std::printf("%d lessons, %d sections, %d units, %d problems\n", table_.count(), sections_,
                units_, problems_);
    return problems_ == 0 ? 0 : kFileProblem;
}

void Checker::checkLesson(int lesson)
{
    const Lesson entry = table_.lesson(lesson);
    if (entry.folder.isEmpty() && entry.baseName.isEmpty()) {
        problem(coursewarePath(root_, QStringLiteral("Main.ind")), lesson + 2,
                QStringLiteral("レッスンの行に , がありません"));
        return;
    }
    const QString indexPath = LessonIndexPath(root_, table_, lesson);
    SectionUnits sections;
    QStringList ignored;
    if (QFileInfo::exists(indexPath) && !readFile(indexPath, ignored))
        return;
    if (!captured(indexPath, 1, [&] { return LoadLessonIndex(root_, table_, lesson, sections); }))
        return;

    for (int s = 1; s <= sections.count(); ++s) {
        ++sections_;
        const Section section = sections.section(s);
        units_ += static_cast<int>(section.units.size());
        const QString masterPath = MasterPath(root_, table_, lesson, s);
        QStringList master;
        if (!readFile(masterPath, master))
            continue;
        for (int u = 1; u <= section.units.size(); ++u) {
            const UnitTitles titles{entry.name, section.title, section.units.at(u - 1)};
            const UnitChoice choice{lesson, s, u, 0};
            checkUnit(lesson, masterPath, master, UnitHeaderLine(choice), titles, s, u);
            const QStringList variants = FindVariants(choice, master);
            for (int v = 1; v <= variants.size(); ++v)
                checkUnit(lesson, masterPath, master, UnitHeaderLine({lesson, s, u, v}), titles, s,
                          u);
        }
    }
    checkCopyFiles(lesson);
}

void Checker::checkUnit(int lesson, const QString& masterPath, const QStringList& master,
                        const QString& header, const UnitTitles& titles, int section, int unit)
{
    const qsizetype at = master.indexOf(header);
    if (at < 0) {
        problem(masterPath, 1, header + QStringLiteral(" がありません"));
        return;
    }
    const int line = static_cast<int>(at + 1);
    // An unclosed block or unit would take in the lines after it; name where its close
    // belongs rather than blaming whatever the merged unit then breaks.
    const QList<UnitProblem> structure = UnitStructureProblems(master, at);
    for (const UnitProblem& p : structure)
        problem(masterPath, p.line, p.text);
    if (!structure.isEmpty())
        return;
    const UnitReader::Mode mode =
        header == CopyUnitHeaderLine() ? UnitReader::OpenCopy : UnitReader::OpenMaster;
    if (!captured(masterPath, line, [&] {
            return reader_.ReadUnit(masterPath, header, unit, section, mode, titles);
        }))
        return;
    checkQuestionLines(masterPath, master, at);
    if (layout_)
        checkLayout(masterPath, header, line);
    const QString graph = GraphFolder(root_, table_, lesson);
    checkFigures(masterPath, master, at, reader_.unit().content.questionFigures, graph);
    checkFigures(masterPath, master, at, reader_.unit().content.answerFigures, graph);
}

// The question lines of every "<<ques" block of the unit that starts at `from`.
void Checker::checkQuestionLines(const QString& path, const QStringList& lines, qsizetype from)
{
    const qsizetype end = UnitEnd(lines, from);
    questionLines_.clear();
    for (qsizetype i = from + 1; i < end && lines.at(i) != QLatin1String("]]"); ++i) {
        if (lines.at(i) != QLatin1String("<<ques"))
            continue;
        qsizetype j = i + 1;
        if (j < lines.size() && lines.at(j) == QLatin1String("{")) {
            while (j < lines.size() && lines.at(j) != QLatin1String("}"))
                ++j;
            ++j;
        }
        for (; j < lines.size() && lines.at(j) != QLatin1String(">>"); ++j) {
            questionLines_.append(static_cast<int>(j + 1));
            const QString& text = lines.at(j);
            if (text.count(u'#') % 2 != 0) {
                problem(path, static_cast<int>(j + 1),
                        QStringLiteral("＃の数は偶数にしてください"));
                continue;
            }
            const QStringList pieces = SplitQuestionLine(text);
            for (qsizetype k = 1; k < pieces.size(); k += 2) {
                if (pieces.at(k).trimmed().isEmpty())
                    problem(path, static_cast<int>(j + 1), QStringLiteral("解答がありません"));
            }
            if (text.contains(u"@H")) {
                for (const ColumnMark& mark : FindColumnMarks(text))
                    if (!mark.error.isEmpty())
                        problem(path, static_cast<int>(j + 1), mark.error);
            }
        }
        i = j;
    }
}

void Checker::checkLayout(const QString& path, const QString& header, int headerLine)
{
    Sheet sheet = Sheet::fromParsedUnit(reader_.unit(), SheetSource{}, false);
    const ComposeInputs inputs = InputsFromSheet(sheet);
    RenderScreenPage(sheet, inputs);
    const bool linesKnown = questionLines_.size() == sheet.content.questions.size();
    for (int n : LinesPastPage(sheet))
        problem(
            path, linesKnown ? questionLines_.at(n - 1) : headerLine,
            QStringLiteral("%1 の問題の %2 行目が用紙（幅 %3）からはみ出します（文字サイズ %4）")
                .arg(header, QString::number(n), QString::number(sheet.settings.page.width),
                     QString::number(inputs.mojiSize)));
}

void Checker::checkFigures(const QString& path, const QStringList& lines, qsizetype from,
                           const QStringList& triples, const QString& graphFolder)
{
    const FigureTriples figures(triples);
    const int listed = figures.count() + (figures.hasPartialTriple() ? 1 : 0);
    for (int number = 1; number <= listed; ++number) {
        const QString name = figures.file(number);
        const qsizetype at = lines.indexOf(name, from);
        const int line = at >= 0 ? static_cast<int>(at + 1) : static_cast<int>(from + 1);
        if (number > figures.count()) {
            problem(path, line, QStringLiteral("図の行が 3 行ずつになっていません"));
            return;
        }
        if (!StaysInside(name)) {
            problem(path, line,
                    QStringLiteral("図のファイル名がプログラムのフォルダの外を指しています: ") +
                        name);
            continue;
        }
        if (graphFolder.isEmpty()) {
            problem(path, line, QStringLiteral("Graph フォルダがありません: ") + name);
            continue;
        }
        if (!QFileInfo(coursewarePath(graphFolder, name)).isFile())
            problem(path, line, QStringLiteral("図のファイルが見つかりません: ") + name);
    }
}

void Checker::checkCopyFiles(int lesson)
{
    const QDir folder(LessonFolder(root_, table_, lesson));
    for (const QString& name : folder.entryList({QStringLiteral("*.prp")}, QDir::Files)) {
        const QString path = folder.filePath(name);
        QStringList lines;
        if (!readFile(path, lines))
            continue;
        checkUnit(lesson, path, lines, CopyUnitHeaderLine(), {}, 0, 0);
    }
}

} // namespace

int runCheck(const QStringList& args)
{
    CommandLine line(QStringLiteral("check FOLDER [--layout]"),
                     QStringLiteral("Reads a whole courseware tree as the program will and lists "
                                    "every problem as PATH:LINE: text, then the counts. Exits "
                                    "with 1 when there is a problem."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("also lay every unit out on its paper at its own sizes and name each "
                       "question line that runs past the page"));
    line.parser().addOption(layout);
    if (const std::optional<int> done = line.parse(args, 1, 1))
        return *done;
    const bool laidOut = line.parser().isSet(layout);
    if (laidOut) {
        // Laying out measures text: fonts need the graphical application object.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return fail(QStringLiteral("check --layout needs the graphical application object"));
        InstallFontSubstitutions();
    }
    return Checker(line.arguments().at(0), laidOut).run();
}

} // namespace zendra::cli
