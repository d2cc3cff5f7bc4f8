#include "app/UnitChooser.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace zendra {

namespace {

constexpr int kRowTitleBytes = 38;

const QString kChooseHeading = QStringLiteral("項目を選んでください");
const QString kVariantHeading = QStringLiteral("類題が選択されています");

bool inRange(int row, qsizetype size)
{
    return row >= 0 && row < size;
}

} // namespace

QString UnitRowText(const QString& prefix, const QString& title)
{
    const int pad = std::max(0, kRowTitleBytes - cp932::byteLength(title));
    return prefix + title + QString(pad, u' ');
}

UnitChooser::UnitChooser(AppState& state) : state_(state) {}

QString UnitChooser::caption() const
{
    return purpose_ == Purpose::Open ? QStringLiteral("マスターファイルを開く")
                                     : QStringLiteral("追加ファイルを開く");
}

void UnitChooser::show()
{
    bool reloaded = false;
    if (state_.indexChanged && LoadMainIndex(state_.programFolder, state_.lessonTable)) {
        // A Main.ind that cannot be read keeps the lists as they were; the next showing
        // tries again.
        state_.indexChanged = false;
        state_.sectionUnits = SectionUnits{};
        selectFirst_ = true;
        reloaded = true;
        loadedLesson_ = 0;
        lesson_ = section_ = unit_ = -1;
        masterLines_.clear();
        variantRows_.clear();
        marks_ = UnitMarks{};
    }

    if (!restored_) {
        restored_ = true;
        const int lesson = state_.currentUnit.lesson;
        if (!reloaded && lesson >= 1 && lesson <= state_.lessonTable.count()) {
            restoreFromState();
            selectFirst_ = false;
        }
    }

    bool computed = false;
    if (!lessonRows().isEmpty()) {
        if (selectFirst_) {
            computed = lessonChosen(0);
        } else if (unit_ >= 0) {
            // The master file may have been edited since the last showing.
            unitChosen(unit_);
        }
        selectFirst_ = false;
    }
    // Records were written and the learner may have changed since the counts were read.
    if (!computed && loadedLesson_ >= 1)
        computeUnitRowPrefixes();
    clearVariantChoice();
}

bool UnitChooser::loadLesson(int row)
{
    SectionUnits loaded;
    if (!LoadLessonIndex(state_.programFolder, state_.lessonTable, row + 1, loaded))
        return false;
    state_.sectionUnits = loaded;
    loadedLesson_ = row + 1;
    lesson_ = row;
    marks_ = UnitMarks{};
    return true;
}

bool UnitChooser::lessonChosen(int row)
{
    state_.currentUnit.lesson = row + 1;
    if (!loadLesson(row)) {
        state_.currentUnit.lesson = -1;
        // The section and unit lists still show the lesson loaded before; leaving the
        // failed lesson selected would let OK pair it with that lesson's sections.
        lesson_ = -1;
        return false;
    }
    sectionChosen(state_.sectionUnits.count() > 0 ? 0 : -1);
    computeUnitRowPrefixes();
    return true;
}

void UnitChooser::selectSection(int row)
{
    section_ = inRange(row, state_.sectionUnits.count()) ? row : -1;
}

void UnitChooser::sectionChosen(int row)
{
    selectSection(row);
    state_.currentUnit.section = section_ + 1;
    unitChosen(unitTitles().isEmpty() ? -1 : 0);
}

void UnitChooser::loadMasterLines()
{
    masterLines_.clear();
    if (loadedLesson_ < 1 || section_ < 0)
        return;
    // A master file that is missing or unreadable is reported when the unit is opened.
    QStringList lines;
    if (TextFile::read(
            MasterPath(state_.programFolder, state_.lessonTable, loadedLesson_, section_ + 1),
            lines))
        masterLines_ = lines;
}

void UnitChooser::unitChosen(int row)
{
    unit_ = inRange(row, unitTitles().size()) ? row : -1;
    loadMasterLines();
    variantRows_.clear();
    if (unit_ >= 0 && !masterLines_.isEmpty())
        variantRows_ =
            FindVariants(UnitChoice{loadedLesson_, section_ + 1, unit_ + 1, 0}, masterLines_);
    variants_.clear();
    focusVariant_ = -1;
}

void UnitChooser::variantsChosen(const QList<int>& rows, int focusRow)
{
    variants_.clear();
    for (const int row : rows) {
        if (inRange(row, variantRows_.size()) && !variants_.contains(row))
            variants_.append(row);
    }
    std::sort(variants_.begin(), variants_.end());
    focusVariant_ = inRange(focusRow, variantRows_.size()) ? focusRow : -1;
}

void UnitChooser::clearVariantChoice()
{
    variants_.clear();
    focusVariant_ = -1;
}

bool UnitChooser::selectionComplete() const
{
    return lesson_ >= 0 && lesson_ + 1 == loadedLesson_ &&
           inRange(section_, state_.sectionUnits.count()) && inRange(unit_, unitTitles().size());
}

bool UnitChooser::ok()
{
    if (!selectionComplete()) {
        ShowMessage(QStringLiteral("メニューを選択してください"));
        return false;
    }
    state_.chosenTitles =
        UnitTitles{lessonRows().at(lesson_), sectionRows().at(section_), unitTitles().at(unit_)};
    int variant = 0;
    state_.variantChosen = !variants_.isEmpty();
    if (state_.variantChosen) {
        // The entry holding the focus decides, selected or not; only a choice without a
        // focus entry (made by the program, never by the user) falls back to the first set.
        const int row = focusVariant_ >= 0 ? focusVariant_ : variants_.first();
        variant = row + 1;
    }
    state_.currentUnit = UnitChoice{lesson_ + 1, section_ + 1, unit_ + 1, variant};
    return true;
}

void UnitChooser::restoreFromState()
{
    const UnitChoice choice = state_.currentUnit;
    if (!loadLesson(choice.lesson - 1)) {
        state_.currentUnit.lesson = -1;
        lesson_ = -1;
        return;
    }
    const int sections = state_.sectionUnits.count();
    selectSection(inRange(choice.section - 1, sections) ? choice.section - 1
                                                        : (sections > 0 ? 0 : -1));
    const qsizetype units = unitTitles().size();
    unitChosen(inRange(choice.unit - 1, units) ? choice.unit - 1 : (units > 0 ? 0 : -1));
}

void UnitChooser::computeUnitRowPrefixes()
{
    // A lesson whose password the learner has not given shows no counts.
    const QString counted = learnerPlace().recordsOpen() ? state_.learnerName : QString();
    marks_ = ComputeUnitMarks(state_.programFolder, state_.lessonTable, loadedLesson_, counted,
                              state_.sectionUnits);
}

LearnerPlace LearnerPlaceOf(const AppState& state, int lesson)
{
    LearnerPlace place;
    place.programFolder = state.programFolder;
    place.logOnFolder = state.logOnFolder;
    place.runningFromCd = state.runningFromCd;
    place.lessonTable = state.lessonTable;
    place.lesson = lesson;
    place.learnerName = state.learnerName;
    place.gate = state.recordGate;
    place.learnerMode = state.keyLocked;
    return place;
}

QString UnitChooser::title() const
{
    return state_.lessonTable.title;
}

QStringList UnitChooser::lessonRows() const
{
    QStringList rows;
    for (const Lesson& lesson : state_.lessonTable.lessons)
        rows.append(lesson.name);
    return rows;
}

QStringList UnitChooser::sectionRows() const
{
    QStringList rows;
    for (const Section& section : state_.sectionUnits.sections)
        rows.append(section.title);
    return rows;
}

QStringList UnitChooser::unitTitles() const
{
    return section_ >= 0 ? state_.sectionUnits.section(section_ + 1).units : QStringList();
}

QString UnitChooser::unitRowText(int row) const
{
    const QStringList titles = unitTitles();
    if (!inRange(row, titles.size()))
        return {};
    return UnitRowText(unitRowPrefix(section_ + 1, row + 1), titles.at(row));
}

QStringList UnitChooser::unitRows() const
{
    const QStringList titles = unitTitles();
    QStringList rows;
    for (int row = 0; row < titles.size(); ++row)
        rows.append(UnitRowText(unitRowPrefix(section_ + 1, row + 1), titles.at(row)));
    return rows;
}

QString UnitChooser::unitRowPrefix(int section, int unit) const
{
    return marks_.prefix(section, unit);
}

bool UnitChooser::hasVariants(int section, int unit) const
{
    return marks_.hasVariants(section, unit);
}

QString UnitChooser::unitHeading() const
{
    return variants_.isEmpty() ? kChooseHeading : kVariantHeading;
}

QColor UnitChooser::unitHeadingColour() const
{
    return variants_.isEmpty() ? QColor(0, 255, 255) : QColor(255, 0, 0);
}

} // namespace zendra
