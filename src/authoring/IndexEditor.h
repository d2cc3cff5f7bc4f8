#pragma once

#include "courseware/UnitChoice.h"
#include "learners/UnitMarks.h"

#include "platform/FileStamp.h"

#include <QStandardItemModel>
#include <QString>
#include <QStringList>

namespace zendra {

// The seven lines a lesson without an index file starts with.
QStringList NewLessonIndexLines();

// The line index of the n-th (from 1) line whose first six characters are "[[sect", or -1.
// The number written after "[[sect" is not read.
int FindSectionLine(const QStringList& lines, int n);

// The sections of a lesson index text as the tree shows them: a line starting with "[["
// opens a section, the next line is its title, the units run from two lines further to the
// next ">>" (or the end of the text).
SectionUnits SectionsOfText(const QStringList& lines);

// Why a title typed for the lesson index cannot be used, or empty when it can. A title that
// is exactly ">>" or "<<", or starts with "[[", would be read back as a line of the format;
// one with a character CP932 cannot hold could not be saved.
QString RefuseIndexTitle(const QString& title);

// The role of a tree item that holds its depth: 0 the lesson title, 1 a section, 2 a unit.
constexpr int kIndexTreeDepthRole = Qt::UserRole + 1;

// Fills `model` with the lesson as a tree: the root is line 0 of the text, its children the
// sections, theirs the units, each shown as the chooser shows it (its marks, then its title).
void BuildIndexTree(const QStringList& lessonIndexText, const UnitMarks& marks,
                    QStandardItemModel& model);

// Why the add and rename commands cannot work on a lesson index text, naming the file and
// the line; empty when they can. They need the text as the chooser reads it (every section
// closed by its ">>") and every section line starting "[[sect", the lines they count.
QString IndexEditRefusal(const QString& path, const QStringList& lines);

// A lesson's index as the index editor and the all-units window load it.
struct LessonIndexText
{
    QString path;      // the lesson index file
    QStringList lines; // its lines, or NewLessonIndexLines() when there is no such file
    bool fromFile = false;
    QString error;   // why an existing file could not be read; `lines` is then empty
    FileStamp stamp; // the file as it was read, so a save can tell a change made since
};

// Loads lesson `lesson` (from 1; 1 when below). A file that exists but cannot be read gives
// no lines and the reason, so that nothing is ever saved over it.
LessonIndexText LoadLessonIndexText(const QString& programFolder, const LessonTable& table,
                                    int lesson);

// BuildIndexTree of lesson `lesson` with the marks and counts of `learnerName`; the text it
// showed is returned.
LessonIndexText BuildIndexTree(const QString& programFolder, const LessonTable& table, int lesson,
                               const QString& learnerName, QStandardItemModel& model);

// Everything the index editor decides, without its window: the lessons of Main.ind, the
// text of the lesson index being edited, the selections and the edits. TfrmEditIndex shows
// this state and forwards its clicks here. Rows count from 0; -1 means no row is selected.
class IndexEditor
{
public:
    // `lessons` is the program's lesson table, refreshed from Main.ind at every showing.
    IndexEditor(const QString& programFolder, LessonTable& lessons);

    // Whose marks and counts the tree shows.
    void setLearner(const QString& name) { learner_ = name; }

    // Showing: reads Main.ind and selects the first lesson. False, with the message shown,
    // when Main.ind is missing or unreadable.
    bool show();

    // The user's clicks. A lesson change drops unsaved edits.
    void lessonChosen(int row);
    void sectionChosen(int row);
    void unitChosen(int row);

    // The commands. The rename commands show why and return false when nothing they could
    // rename is selected; the window asks for the text only after mayRename...() said yes.
    // Titles reach these after RefuseIndexTitle() let them through.
    // Whether another section or unit fits (80 of each); shows why not.
    bool mayAddSection() const;
    bool mayAddUnit() const;
    void addSection(const QString& title);
    bool mayRenameSection() const;
    void renameSection(const QString& title);
    void addUnit(const QString& title);
    bool mayRenameUnit() const;
    void renameUnit(const QString& title);
    // The title field was edited.
    void setMainTitle(const QString& title);

    // OK: shows why and returns false when the window must stay open (nothing chosen, a
    // refused title, a failed save with the edits kept); true when it may close with OK.
    bool ok();
    void cancel() { modified_ = false; }
    // Direct edit: writes `lines` to the lesson index and loads the first lesson again, as a
    // showing does. False, with the reason shown and nothing changed, when the save failed.
    bool saveDirectEdit(const QStringList& lines);

    // What the window shows.
    QStringList lessonRows() const;
    QStringList sectionRows() const { return sectionRows_; }
    QStringList unitRows() const { return unitRows_; }
    QString mainTitle() const { return mainTitle_; }
    QString indexPath() const { return index_.path; }
    // The selected section's master file, or "未作成" when it does not exist.
    QString dataFile() const;
    int selectedLesson() const { return lesson_; }
    int selectedSection() const { return section_; }
    int selectedUnit() const { return unit_; }
    QString selectedSectionTitle() const;
    QString selectedUnitTitle() const;
    const QStringList& text() const { return index_.lines; }
    bool modified() const { return modified_; }
    // Why the lesson index could not be read; empty when it was (or did not exist).
    const QString& loadError() const { return loadError_; }
    // Why its sections and units cannot be edited here (IndexEditRefusal); the direct edit
    // can still repair the text.
    const QString& editRefusal() const { return editRefusal_; }
    // A lesson index was written since the last show(); the chooser must reload.
    bool saved() const { return saved_; }
    QStandardItemModel& tree() { return tree_; }

private:
    void rebuildTree();
    bool save(const QStringList& lines);
    // False, with the reason shown, when the text cannot be edited safely.
    bool editable() const;

    QString programFolder_;
    LessonTable& lessons_;
    QString learner_;
    LessonIndexText index_;
    QString loadError_;
    QString editRefusal_;
    QString mainTitle_;
    QStringList sectionRows_;
    QStringList unitRows_;
    QStandardItemModel tree_;
    int lesson_ = -1;
    int section_ = -1;
    int unit_ = -1;
    bool modified_ = false;
    bool saved_ = false;
};

} // namespace zendra
