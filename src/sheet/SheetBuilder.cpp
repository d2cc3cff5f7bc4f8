#include "sheet/SheetBuilder.h"

#include "courseware/ParsedUnit.h"
#include "platform/Messages.h"
#include "sheet/SheetOutput.h"

#include <algorithm>

namespace zendra {

namespace {

UnitTitles titlesOf(const CoursewareContext& courseware, const UnitChoice& choice)
{
    return UnitTitles{courseware.lessons.lesson(choice.lesson).name,
                      courseware.sections.section(choice.section).title,
                      courseware.sections.unitTitle(choice.section, choice.unit)};
}

void loadPictures(Sheet& sheet, const QString& programFolder, const LessonTable& lessons,
                  int lesson)
{
    sheet.loadFigures(GraphFolder(programFolder, lessons, lesson));
    sheet.loadClassFlag(programFolder);
}

// Whether a composition would place one of the figures it draws itself (left below 1).
bool hasUnplaced(const QStringList& triples)
{
    const FigureTriples figures(triples);
    const int drawn = std::min(figures.count(), kMaxFigures);
    for (int number = 1; number <= drawn; ++number)
        if (!figures.isPlaced(number))
            return true;
    return false;
}

} // namespace

std::optional<Sheet> OpenMasterSheet(const CoursewareContext& courseware, const UnitChoice& choice,
                                     UnitReader& reader, bool answersShown)
{
    const UnitNames names = MakeUnitNames(courseware.programFolder, courseware.lessons, choice);
    const UnitTitles titles = titlesOf(courseware, choice);
    // Taken before the read: a change in between makes the next save ask, never the reverse.
    const FileStamp stamp = FileStamp::of(names.masterPath);
    if (!reader.ReadUnit(names.masterPath, UnitHeaderLine(choice), choice.unit, choice.section,
                         UnitReader::OpenMaster, titles))
        return std::nullopt;
    SheetSource source;
    source.choice = choice;
    source.titles = titles;
    source.fileName = names.masterPath;
    source.unitNumber = choice.unit;
    source.windowKey = names.windowId;
    source.unitId = names.shortName;
    Sheet sheet = Sheet::fromParsedUnit(reader.unit(), source, answersShown);
    sheet.masterStamp = stamp;
    loadPictures(sheet, courseware.programFolder, courseware.lessons, choice.lesson);
    return sheet;
}

std::optional<Sheet> OpenCopySheet(const QString& programFolder, const LessonTable& lessons,
                                   int lesson, const QString& path, UnitReader& reader,
                                   bool answersShown)
{
    const FileStamp stamp = FileStamp::of(path);
    if (!reader.ReadUnit(path, CopyUnitHeaderLine(), 0, 0, UnitReader::OpenCopy, {}))
        return std::nullopt;
    SheetSource source;
    source.choice.lesson = lesson;
    source.fileName = path;
    source.windowKey = path;
    source.unitId = path.mid(path.lastIndexOf(u'/') + 1);
    source.fromCopy = true;
    Sheet sheet = Sheet::fromParsedUnit(reader.unit(), source, answersShown);
    sheet.copyStamp = stamp;
    loadPictures(sheet, programFolder, lessons, lesson);
    return sheet;
}

bool AddUnitToSheet(Sheet& sheet, const CoursewareContext& courseware, const UnitChoice& choice,
                    UnitReader& reader)
{
    if (FigureTriples(sheet.content.questionFigures).count() >= kMaxFigures) {
        ShowMessage(QStringLiteral("これ以上追加できません"));
        return false;
    }
    reader.setSheetContent(sheet.content);
    const AddContext add{sheet.content.title, sheet.titleGenerated, sheet.source.choice.section,
                         sheet.source.choice.unit};
    const QString path =
        MasterPath(courseware.programFolder, courseware.lessons, choice.lesson, choice.section);
    if (!reader.ReadUnit(path, UnitHeaderLine(choice), choice.unit, choice.section,
                         UnitReader::AddToSheet, titlesOf(courseware, choice), add))
        return false;

    const ParsedUnit& unit = reader.unit();
    // The added figures keep their files; the composition places them.
    QStringList added = unit.content.questionFigures.mid(unit.priorFigureLines);
    EditFigureTriples(added).unplaceAll();
    // The sheet keeps its own soft keys and answer groups: the added unit's are not taken.
    UnitContent content = unit.content;
    content.softKeys = sheet.content.softKeys;
    content.answerGroups = sheet.content.answerGroups;
    content.questionFigures = unit.content.questionFigures.mid(0, unit.priorFigureLines) + added;
    sheet.content = content;
    sheet.lastComposedTitle = content.title;
    sheet.changed = true;
    loadPictures(sheet, courseware.programFolder, courseware.lessons, sheet.source.choice.lesson);
    return true;
}

CopySheet CopySheetAsShown(Sheet& sheet, const ComposeInputs& inputs)
{
    // Answer figures are placed only on a page that shows the answers.
    if (hasUnplaced(sheet.content.questionFigures) ||
        (sheet.answersShown && hasUnplaced(sheet.content.answerFigures))) {
        // The composer writes the places it chooses into the triples. It runs on a scratch
        // copy so that the box table and piece records study mode and the window rely on
        // stay those of the sheet's own last composition.
        Sheet composed = sheet;
        ComposeInputs now = inputs;
        now.composing = true; // a window setting up its controls must not skip this
        RenderScreenPage(composed, now);
        sheet.content.questionFigures = composed.content.questionFigures;
        sheet.content.answerFigures = composed.content.answerFigures;
    }
    return sheet.toCopySheet();
}

} // namespace zendra
