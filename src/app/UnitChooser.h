#pragma once

#include "app/AppState.h"
#include "learners/LearnerPlace.h"
#include "learners/UnitMarks.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// What the learners' windows need of the program-wide state, for the records of `lesson`.
LearnerPlace LearnerPlaceOf(const AppState& state, int lesson);

// Everything the unit chooser decides, without its window. TfrmMenu shows this state and
// forwards its clicks here. Rows count from 0; -1 means no row is selected.
//
// The chooser keeps its selections between showings. A chooser made anew (a window made per
// use) takes them from the state's currentUnit at its first showing, so both ways of keeping
// the window behave alike.
class UnitChooser
{
public:
    explicit UnitChooser(AppState& state);

    // Whether the chosen unit opens as a new sheet or is added to the current one.
    enum class Purpose { Open, Add };
    void setMode(Purpose purpose) { purpose_ = purpose; }
    Purpose mode() const { return purpose_; }
    QString caption() const;

    // Before every showing: reloads Main.ind after the index was edited, selects the first
    // lesson and section when nothing was chosen yet, refreshes the similar-question list and
    // the practice counts, and clears the similar-question choice.
    void show();

    // The user's clicks. lessonChosen() is false when the lesson's index could not be loaded:
    // currentUnit.lesson is then -1, no lesson is selected and the section and unit lists
    // keep the lesson they showed.
    bool lessonChosen(int row);
    void sectionChosen(int row);
    void unitChosen(int row);
    // The selected similar-question rows and the row holding the focus (-1 for none).
    void variantsChosen(const QList<int>& rows, int focusRow);
    void clearVariantChoice();

    // OK: shows "メニューを選択してください" and returns false when a list has no
    // selection; otherwise stores the choice, its titles and variantChosen in the state.
    bool ok();

    // Reads the practice counts and similar-question marks of every unit of the lesson.
    void computeUnitRowPrefixes();

    // What the window shows.
    QString title() const;
    QStringList lessonRows() const;
    QStringList sectionRows() const;
    QStringList unitTitles() const; // of the selected section
    QStringList unitRows() const;   // unitRowText() of every unit of the selected section
    QString unitRowText(int row) const;
    // The unit's UnitMarks prefix; section and unit count from 1; empty when never computed.
    QString unitRowPrefix(int section, int unit) const;
    bool hasVariants(int section, int unit) const;
    const QStringList& variantRows() const { return variantRows_; }
    bool variantsVisible() const { return !variantRows_.isEmpty(); }
    QString unitHeading() const;
    QColor unitHeadingColour() const;

    int selectedLesson() const { return lesson_; }
    int selectedSection() const { return section_; }
    int selectedUnit() const { return unit_; }
    const QList<int>& selectedVariants() const { return variants_; }
    int focusVariant() const { return focusVariant_; }
    // The lines of the selected section's master file; empty when it is missing.
    const QStringList& masterLines() const { return masterLines_; }
    // The lesson whose sections the lists show (from 1), 0 when none.
    int loadedLesson() const { return loadedLesson_; }
    // The learner and the loaded lesson, for the log-on and the records viewer.
    LearnerPlace learnerPlace() const { return LearnerPlaceOf(state_, loadedLesson_); }

private:
    bool loadLesson(int row);
    void selectSection(int row);
    void restoreFromState();
    void loadMasterLines();
    bool selectionComplete() const;

    AppState& state_;
    Purpose purpose_ = Purpose::Open;
    bool selectFirst_ = true;
    bool restored_ = false;
    int loadedLesson_ = 0;
    int lesson_ = -1;
    int section_ = -1;
    int unit_ = -1;
    QStringList masterLines_;
    QStringList variantRows_;
    QList<int> variants_;
    int focusVariant_ = -1;
    UnitMarks marks_;
};

// The unit's row in the chooser: prefix, title, then blanks up to 38 CP932 bytes of title.
QString UnitRowText(const QString& prefix, const QString& title);

} // namespace zendra
