// The main window's learner side: log-on, the class records, today's review and the
// teacher/learner lock.
#include "app/MainMenuBar.h"
#include "app/Startup.h"
#include "app/TeacherPassword.h"
#include "app/TfrmMain.h"
#include "app/TfrmMenu.h"
#include "app/TfrmTeacherPassword.h"
#include "app/WidgetMainPanel.h"
#include "learners/LogOn.h"
#include "learners/TfrmClassRecords.h"
#include "learners/TfrmInputName.h"
#include "learners/TfrmTodayReview.h"
#include "sheet/TfrmPrint.h"

#include <QLineEdit>

namespace zendra {

void TfrmMain::btnLogOnClick()
{
    frmInputName_->setPlace(LearnerPlaceOf(state_, state_.currentUnit.lesson));
    if (frmInputName_->exec() != QDialog::Accepted)
        return;
    state_.learnerName = frmInputName_->learnerName();
    panel_->edtLogOnName->setText(state_.learnerName);
    frmMenu_->chooser().computeUnitRowPrefixes();
}

void TfrmMain::btnClassRecordsClick()
{
    // The records of every learner are the teacher's to see.
    if (state_.keyLocked)
        return;
    TfrmClassRecords window(this);
    window.setPlace(frmMenu_->chooser().learnerPlace());
    window.exec();
}

void TfrmMain::btnFukushuClick()
{
    TfrmTodayReview review(this);
    review.setPlace(frmMenu_->chooser().learnerPlace());
    if (review.exec() != QDialog::Accepted)
        return;
    // The unit opens as from the chooser, and its study starts at once.
    hidePanels();
    state_.currentUnit = review.chosenUnit();
    if (OpenUnit(state_.currentUnit, false) == NotFound || !active_)
        return;
    btnTestClick();
}

void TfrmMain::applyLock(bool locked)
{
    ApplyKeyLock(state_, locked);
    panel_->showLocked(locked);
    updateMenus();
    for (TfrmPrint* frm : sheets_->sheets())
        frm->showTeacherMenus(!locked);
    if (!locked)
        return;
    hidePanels();
    // Every sheet hides its answers, also those behind the active one, which a learner sees
    // when the study window is moved or shrunk.
    setAnswersShown(false);
    for (TfrmPrint* frm : sheets_->sheets()) {
        if (!frm->sheet().answersShown)
            continue;
        frm->sheet().answersShown = false;
        redrawing_ = frm;
        frm->Redraw();
        redrawing_ = nullptr;
    }
}

void TfrmMain::btnLockClick()
{
    // Leaving learner mode takes the teacher password, when one is set.
    if (state_.keyLocked && HasTeacherPassword()) {
        TfrmTeacherPassword ask(TfrmTeacherPassword::Mode::Ask, this);
        if (ask.exec() != QDialog::Accepted)
            return;
    }
    applyLock(!state_.keyLocked);
}

void TfrmMain::mnuTeacherPasswordClick()
{
    TfrmTeacherPassword(TfrmTeacherPassword::Mode::Set, this).exec();
}

} // namespace zendra
