#include "app/MainStudyHost.h"

#include "app/TfrmMain.h"
#include "app/TfrmMenu.h"
#include "app/TfrmPrintOk.h"
#include "app/UnitChooser.h"
#include "app/WidgetMainPanel.h"
#include "authoring/QuestionEditor.h"
#include "learners/TfrmInputName.h"
#include "learners/TfrmKiroku.h"
#include "learners/TfrmPassword.h"
#include "sheet/PrinterPrinting.h"
#include "sheet/TfrmPrint.h"
#include "study/TfrmRenshu.h"

#include <QCheckBox>
#include <QSpinBox>

namespace zendra {

MainStudyHost::MainStudyHost(TfrmMain& main) : QObject(&main), main_(main)
{
    frmRenshu_ = new TfrmRenshu(*this, &main);
    main.setStudyWindow([this](TfrmPrint* frm) {
        const TfrmPrint* studied = frm ? frm : main_.activeSheet();
        if (studied && !openRecordsOf(studied->sheet()))
            return;
        frmRenshu_->studyOn(frm);
    });
}

bool MainStudyHost::openRecordsOf(const Sheet& sheet)
{
    // The file the study writes into: a sheet opened from a copy file records in lesson 1's.
    const int lesson = sheet.source.unitNumber == 0 ? 0 : sheet.source.choice.lesson;
    const LearnerPlace place = learnerPlace(lesson);
    if (place.recordsOpen())
        return true;
    if (!main_.frmInputName_->passwordDialog()->openRecords(place))
        return false;
    refreshChooserCounts();
    return true;
}

TfrmPrint* MainStudyHost::studiedSheet() const
{
    return main_.activeSheet();
}

ComposeInputs MainStudyHost::composeInputs(const Sheet& sheet) const
{
    return main_.composeInputs(sheet);
}

int MainStudyHost::characterSize() const
{
    return main_.panel_->spnMojiSize->value();
}

int MainStudyHost::answerBoxHeight() const
{
    // The answer-box dialog's height spin holds the active sheet's value.
    const TfrmPrint* frm = main_.activeSheet();
    return frm ? frm->sheet().kran().number(KranLine::BoxHeight) : 0;
}

bool MainStudyHost::altDisplay() const
{
    return main_.panel_->chkBekkai->isChecked();
}

void MainStudyHost::setAltDisplay(bool shown)
{
    main_.panel_->chkBekkai->setChecked(shown);
}

int MainStudyHost::mainPanelWidth() const
{
    return main_.panel_->width();
}

QRect MainStudyHost::mainGeometry() const
{
    return main_.geometry();
}

LearnerPlace MainStudyHost::learnerPlace(int lesson) const
{
    return LearnerPlaceOf(main_.state_, lesson);
}

SectionUnits MainStudyHost::sectionUnits() const
{
    return main_.state_.sectionUnits;
}

void MainStudyHost::refreshChooserCounts()
{
    main_.frmMenu_->chooser().computeUnitRowPrefixes();
}

QStringList MainStudyHost::hintLines() const
{
    const TfrmPrint* frm = main_.activeSheet();
    if (!frm)
        return {};
    // The question editor takes up the unit; its hint pane reads "Hint" for a unit without.
    QuestionEditor editor;
    editor.LoadUnitIntoPanes(main_.state_.programFolder, main_.state_.lessonTable,
                             frm->sheet().source.choice, &frm->sheet());
    return editor.hint.isEmpty() ? QStringList{QStringLiteral("Hint")} : editor.hint;
}

void MainStudyHost::printStudyPage(const Sheet& sheet, const QImage& page)
{
    // The study page as shown, not the sheet composed anew: the learner's answers, the
    // marks and the score.
    TfrmPrintOk confirm(main_.printer(), frmRenshu_);
    confirm.setPaperName(PaperName(main_.panel_->checkedPaper().value_or(Paper::A4)));
    confirm.setStartNumber(sheet.settings.startNumber);
    confirm.print = [this, page, title = sheet.content.title] {
        return PrintImageOnPrinter(page, title, main_.printer()).ok;
    };
    confirm.exec();
}

void MainStudyHost::showRecordsViewer(const LearnerPlace& place)
{
    TfrmKiroku* viewer = main_.frmMenu_->recordsWindow();
    viewer->setPlace(place);
    viewer->exec();
    if (viewer->recordsErased() || viewer->recordsOpened())
        refreshChooserCounts();
}

} // namespace zendra
