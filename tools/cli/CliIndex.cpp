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
        ShowMessage(QStringLiteral("ディレクトリ ") + folderArg + QStringLiteral(" が見つかりません"));
        return false;
    }
    return LoadMainIndex(programFolder, table);
}

} // namespace

int runIndex(const QStringList& args)
{
    if (args.size() != 1)
        return fail(QStringLiteral("usage: zendra-cli index FOLDER"));
    QString programFolder;
    LessonTable table;
    if (!loadIndex(args.at(0), programFolder, table))
        return 1;
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
    int lesson = 0;
    if (args.size() != 2 || !parseNumber(args.at(1), lesson))
        return fail(QStringLiteral("usage: zendra-cli lesson FOLDER LESSON"));
    QString programFolder;
    LessonTable table;
    if (!loadIndex(args.at(0), programFolder, table))
        return 1;
    if (lesson < 1 || lesson > table.count())
        return fail(QStringLiteral("レッスン %1 はありません").arg(lesson));
    SectionUnits sections;
    if (!LoadLessonIndex(programFolder, table, lesson, sections))
        return 1;

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
            units.append(QJsonObject{
                {QStringLiteral("title"), section.units.at(u - 1)},
                {QStringLiteral("variants"),
                 toJsonArray(FindVariants(UnitChoice{lesson, s, u, 0}, master))}});
        sectionArray.append(
            QJsonObject{{QStringLiteral("title"), section.title}, {QStringLiteral("units"), units}});
    }
    printJson({{QStringLiteral("title"), sections.indexTitle},
               {QStringLiteral("sections"), sectionArray}});
    return 0;
}

int runNames(const QStringList& args)
{
    UnitChoice choice;
    if (args.size() != 5 || !parseNumber(args.at(1), choice.lesson) ||
        !parseNumber(args.at(2), choice.section) || !parseNumber(args.at(3), choice.unit) ||
        !parseNumber(args.at(4), choice.variant))
        return fail(QStringLiteral("usage: zendra-cli names FOLDER LESSON SECTION UNIT VARIANT"));
    QString programFolder;
    LessonTable table;
    if (!loadIndex(args.at(0), programFolder, table))
        return 1;
    if (choice.lesson < 1 || choice.lesson > table.count())
        return fail(QStringLiteral("レッスン %1 はありません").arg(choice.lesson));
    // The record key holds the unit's title, so the lesson index is needed too.
    SectionUnits sections;
    if (!LoadLessonIndex(programFolder, table, choice.lesson, sections))
        return 1;
    const UnitNames names = MakeUnitNames(programFolder, table, choice);
    printJson({{QStringLiteral("masterPath"), names.masterPath},
               {QStringLiteral("windowId"), names.windowId},
               {QStringLiteral("shortName"), names.shortName},
               {QStringLiteral("headerLine"), UnitHeaderLine(choice)},
               {QStringLiteral("recordKey"), MakeRecordKey(choice, sections)}});
    return 0;
}

} // namespace zendra::cli
