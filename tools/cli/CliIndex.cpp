// index, lesson and names: the courseware's indexes as the program reads them.
#include "Cli.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace zendra::cli {

namespace {

bool parseNumber(const QString& text, int& out)
{
    bool ok = false;
    out = text.toInt(&ok);
    return ok;
}

bool loadIndex(const QString& folderArg, QString& programFolder, LessonTable& table)
{
    programFolder = programFolderArg(folderArg);
    if (!QFileInfo(programFolder).isDir()) {
        ShowMessage(QStringLiteral("ディレクトリ ") + folderArg +
                    QStringLiteral(" が見つかりません"));
        return false;
    }
    return LoadMainIndex(programFolder, table);
}

} // namespace

int runIndex(const QStringList& args)
{
    CommandLine line(QStringLiteral("index FOLDER"),
                     QStringLiteral("The lessons of FOLDER/Main.ind as JSON."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    if (const std::optional<int> done = line.parse(args, 1, 1))
        return *done;
    QString programFolder;
    LessonTable table;
    if (!loadIndex(line.arguments().at(0), programFolder, table))
        return kFileProblem;
    QJsonArray lessons;
    for (const Lesson& lesson : table.lessons)
        lessons.append(QJsonObject{{QStringLiteral("name"), lesson.name},
                                   {QStringLiteral("folder"), lesson.folder},
                                   {QStringLiteral("baseName"), lesson.baseName}});
    printJson({{QStringLiteral("title"), table.title}, {QStringLiteral("lessons"), lessons}});
    return 0;
}

int runLesson(const QStringList& args)
{
    CommandLine line(QStringLiteral("lesson FOLDER LESSON"),
                     QStringLiteral("The sections and units of a lesson, with their "
                                    "similar-question sets, as JSON."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    line.argument(QStringLiteral("LESSON"), QStringLiteral("the lesson's number, from 1"));
    if (const std::optional<int> done = line.parse(args, 2, 2))
        return *done;
    const QStringList given = line.arguments();
    int lesson = 0;
    if (!parseNumber(given.at(1), lesson))
        return line.usageError(QStringLiteral("LESSON は番号です: ") + given.at(1));
    QString programFolder;
    LessonTable table;
    if (!loadIndex(given.at(0), programFolder, table))
        return kFileProblem;
    if (lesson < 1 || lesson > table.count())
        return fail(QStringLiteral("レッスン %1 はありません").arg(lesson));
    SectionUnits sections;
    if (!LoadLessonIndex(programFolder, table, lesson, sections))
        return kFileProblem;

    QJsonArray sectionArray;
    for (int s = 1; s <= sections.count(); ++s) {
        // A missing or unreadable master file lists the units without variants, as the
        // chooser does.
        QStringList master;
        const QString masterPath = MasterPath(programFolder, table, lesson, s);
        if (QFileInfo::exists(masterPath))
            TextFile::read(masterPath, master);
        const Section section = sections.section(s);
        QJsonArray units;
        for (int u = 1; u <= section.units.size(); ++u)
            units.append(
                QJsonObject{{QStringLiteral("title"), section.units.at(u - 1)},
                            {QStringLiteral("variants"),
                             toJsonArray(FindVariants(UnitChoice{lesson, s, u, 0}, master))}});
        sectionArray.append(QJsonObject{{QStringLiteral("title"), section.title},
                                        {QStringLiteral("units"), units}});
    }
    printJson({{QStringLiteral("title"), sections.indexTitle},
               {QStringLiteral("sections"), sectionArray}});
    return 0;
}

int runNames(const QStringList& args)
{
    CommandLine line(QStringLiteral("names FOLDER LESSON SECTION UNIT VARIANT"),
                     QStringLiteral("The master file, window id, short name, header line and "
                                    "record key of a unit, as JSON."));
    line.argument(QStringLiteral("FOLDER"), kFolderHelp);
    line.argument(QStringLiteral("LESSON"), QStringLiteral("the lesson's number, from 1"));
    line.argument(QStringLiteral("SECTION"), QStringLiteral("the section's number, from 1"));
    line.argument(QStringLiteral("UNIT"), QStringLiteral("the unit's number, from 1"));
    line.argument(QStringLiteral("VARIANT"),
                  QStringLiteral("0, or 1 to 5 for a similar-question set"));
    if (const std::optional<int> done = line.parse(args, 5, 5))
        return *done;
    const QStringList given = line.arguments();
    UnitChoice choice;
    if (!parseNumber(given.at(1), choice.lesson) || !parseNumber(given.at(2), choice.section) ||
        !parseNumber(given.at(3), choice.unit) || !parseNumber(given.at(4), choice.variant))
        return line.usageError(QStringLiteral("LESSON SECTION UNIT VARIANT は番号です"));
    QString programFolder;
    LessonTable table;
    if (!loadIndex(given.at(0), programFolder, table))
        return kFileProblem;
    if (choice.lesson < 1 || choice.lesson > table.count())
        return fail(QStringLiteral("レッスン %1 はありません").arg(choice.lesson));
    // The record key holds the unit's title, so the lesson index is needed too.
    SectionUnits sections;
    if (!LoadLessonIndex(programFolder, table, choice.lesson, sections))
        return kFileProblem;
    const UnitNames names = MakeUnitNames(programFolder, table, choice);
    printJson({{QStringLiteral("masterPath"), names.masterPath},
               {QStringLiteral("windowId"), names.windowId},
               {QStringLiteral("shortName"), names.shortName},
               {QStringLiteral("headerLine"), UnitHeaderLine(choice)},
               {QStringLiteral("recordKey"), MakeRecordKey(choice, sections)}});
    return 0;
}

} // namespace zendra::cli
