#pragma once

#include "learners/LearnerPlace.h"
#include "sheet/PageComposer.h"

#include <QImage>
#include <QRect>
#include <QStringList>

namespace zendra {

class TfrmPrint;

// What the study window needs of the main window. The main window implements it; tests
// give the window a stand-in. The study room lies below the application, so it reaches the
// main window's controls and dialogs only through here.
class StudyHost
{
public:
    virtual ~StudyHost() = default;

    // The worksheet being studied; nullptr when no sheet is active.
    virtual TfrmPrint* studiedSheet() const = 0;
    // The inputs of a composition of the sheet with the main window's controls.
    virtual ComposeInputs composeInputs(const Sheet& sheet) const = 0;

    // spnMojiSize: the body character size, also the entry boxes' font size.
    virtual int characterSize() const = 0;
    // spnKranH: the answer-box height setting of the answer-box dialog.
    virtual int answerBoxHeight() const = 0;
    // chkBekkai: alternatives printed beside the boxes; unchecked while the learner studies.
    virtual bool altDisplay() const = 0;
    virtual void setAltDisplay(bool shown) = 0;
    // The width of the main window's left button panel: the study window's command panel
    // is as wide.
    virtual int mainPanelWidth() const = 0;
    // The main window's place and size: the study window covers it.
    virtual QRect mainGeometry() const = 0;

    // Who is studying and where the records of a lesson are kept.
    virtual LearnerPlace learnerPlace(int lesson) const = 0;
    // The sections and unit titles of the loaded lesson: a unit's record key names them.
    virtual SectionUnits sectionUnits() const = 0;
    // The unit chooser reads its practice counts again after a record was written.
    virtual void refreshChooserCounts() = 0;
    // The current unit's hint lines as the question editor holds them ("Hint" when the unit
    // has none).
    virtual QStringList hintLines() const = 0;

    // The print confirmation dialog with the study page, as shown, as the image to print.
    virtual void printStudyPage(const Sheet& sheet, const QImage& page) = 0;
    // The records viewer over the learner's records of a lesson, shown modally.
    virtual void showRecordsViewer(const LearnerPlace& place) = 0;
};

} // namespace zendra
