#include "courseware/CoursewareIndex.h"

#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace zendra {

namespace {

const QString kEndOfList = QStringLiteral(">>");

// name "," folder "\" c baseName: the character after the '\' belongs to neither field.
// The split works on characters, so a name whose CP932 form holds a 0x5C byte is whole.
Lesson splitLessonLine(const QString& line, const Lesson& earlier)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return Lesson{QStringLiteral("?"), earlier.folder, earlier.baseName};
    Lesson lesson;
    lesson.name = line.left(comma);
    const qsizetype backslash = line.indexOf(u'\\', comma + 1);
    if (backslash < 0) {
        // No folder: the lesson's files lie in the program folder itself.
        lesson.baseName = line.mid(comma + 1);
        return lesson;
    }
    lesson.folder = line.mid(comma + 1, backslash - comma);
    lesson.baseName = line.mid(backslash + 2);
    return lesson;
}

// Reads an index file that must exist, showing why when it cannot be read.
bool readIndexFile(const QString& path, QStringList& lines)
{
    if (!FileMustExist(path))
        return false;
    if (const TextFile::Result r = TextFile::read(path, lines); !r) {
        ShowMessage(r.error);
        return false;
    }
    return true;
}

} // namespace

bool LoadMainIndex(const QString& programFolder, LessonTable& table)
{
    const QString path = coursewarePath(programFolder, QStringLiteral("Main.ind"));
    QStringList lines;
    if (!readIndexFile(path, lines))
        return false;
    if (lines.size() < 3) {
        ShowMessage(QStringLiteral("ファイル ") + shownPath(path) +
                    QStringLiteral(" にレッスンがありません"));
        return false;
    }

    const QList<Lesson> earlier = table.lessons;
    const QString earlierTitle = table.title;
    table.title = lines.first();
    table.lessons.clear();
    for (qsizetype i = 2; i < lines.size() && lines.at(i) != kEndOfList; ++i) {
        if (table.lessons.size() == kMaxIndexEntries) {
            ShowMessage(QStringLiteral("ファイル ") + shownPath(path) +
                        QStringLiteral(" のレッスンは８０個までです。残りは読み込みません"));
            break;
        }
        const qsizetype n = table.lessons.size();
        const Lesson lesson =
            splitLessonLine(lines.at(i), n < earlier.size() ? earlier.at(n) : Lesson{});
        // Every file of a lesson is read from (and records written into) its folder, which
        // must lie inside the program folder.
        if (!StaysInside(lesson.folder + lesson.baseName)) {
            ShowMessage(
                QStringLiteral(
                    "ファイル %1 の %2 行目のレッスンはプログラムのフォルダの外を指しています: %3")
                    .arg(shownPath(path))
                    .arg(i + 1)
                    .arg(lines.at(i)));
            table.lessons = earlier;
            table.title = earlierTitle;
            return false;
        }
        table.lessons.append(lesson);
    }
    return true;
}

bool LoadLessonIndex(const QString& programFolder, const LessonTable& table, int lesson,
                     SectionUnits& sections)
{
    if (lesson < 1 || lesson > table.count())
        return false;
    if (!FolderMustExist(LessonFolder(programFolder, table, lesson)))
        return false;
    sections = SectionUnits{};
    const QString path = LessonIndexPath(programFolder, table, lesson);
    QStringList lines;
    if (!readIndexFile(path, lines))
        return false;

    IndexProblem problem;
    if (!ParseLessonIndexLines(lines, sections, &problem)) {
        ShowMessage(QStringLiteral("ファイル ") + shownPath(path) + QStringLiteral(" の ") +
                    QString::number(problem.line) + QStringLiteral(" 行目：") + problem.text);
        return false;
    }
    return true;
}

bool ParseLessonIndexLines(const QStringList& lines, SectionUnits& sections, IndexProblem* problem)
{
    sections = SectionUnits{};
    const auto malformed = [&](qsizetype line, const QString& what) {
        sections = SectionUnits{};
        if (problem)
            *problem = IndexProblem{static_cast<int>(line + 1), what};
        return false;
    };

    const qsizetype n = lines.size();
    if (n > 0)
        sections.indexTitle = lines.first();
    for (qsizetype i = 0; i < n; ++i) {
        if (!lines.at(i).startsWith(QStringLiteral("[[")))
            continue;
        if (sections.sections.size() == kMaxIndexEntries)
            return malformed(i, QStringLiteral("セクションは８０個までです"));
        Section section;
        if (i + 1 >= n)
            return malformed(i, QStringLiteral("セクションの終わりの >> がありません"));
        section.title = lines.at(i + 1);
        qsizetype j = i + 3;
        while (j < n && lines.at(j) != kEndOfList)
            section.units.append(lines.at(j++));
        if (j >= n)
            return malformed(i, QStringLiteral("セクションの終わりの >> がありません"));
        if (section.units.size() > kMaxIndexEntries)
            return malformed(i, QStringLiteral("ユニットは８０個までです"));
        sections.sections.append(section);
        i = j;
    }
    return true;
}

QStringList FindVariants(const UnitChoice& choice, const QStringList& masterLines)
{
    QStringList found;
    const QString unitHeader = QStringLiteral("[[unit") + QString::number(choice.unit);
    qsizetype from = 0;
    for (int n = 1; n <= 5; ++n) {
        const QString header = unitHeader + QStringLiteral("R") + QString::number(n);
        const qsizetype at = masterLines.indexOf(header, from);
        if (at < 0)
            break;
        found.append(QStringLiteral("類題　") + QString::number(choice.unit) + QStringLiteral("R") +
                     QString::number(n));
        from = at + 1;
    }
    return found;
}

bool HasVariants(int unit, const QStringList& masterLines)
{
    return masterLines.contains(QStringLiteral("[[unit") + QString::number(unit) +
                                QStringLiteral("R1"));
}

} // namespace zendra
