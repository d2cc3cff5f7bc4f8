#include "app/LayoutCommands.h"

#include "app/AppState.h"
#include "app/LayoutSettings.h"
#include "app/MainCommands.h"
#include "app/TfrmJuku.h"
#include "app/TfrmSetPaper.h"
#include "app/TfrmSettei.h"
#include "app/WidgetMainPanel.h"
#include "platform/SettingsStore.h"
#include "sheet/TfrmPrint.h"

#include <QPushButton>

namespace zendra {

LayoutCommands::LayoutCommands(QWidget* window, AppState& state, WidgetMainPanel& panel,
                               Context context)
    : QObject(window), window_(window), state_(state), panel_(panel), context_(std::move(context)),
      frmSettei_(new TfrmSettei(window)), frmSetPaper_(new TfrmSetPaper(window))
{
    frmSetPaper_->sheetOpen = [this] { return context_.activeSheet() != nullptr; };
}

void LayoutCommands::answerBoxes()
{
    context_.hidePanels();
    if (!context_.activeSheet())
        return;
    context_.showAnswers();
    TfrmPrint* frm = context_.activeSheet();
    const QString reduce = panel_.btnShukusho->text();
    frmSettei_->setSheet(
        &frm->sheet(), [frm] { frm->Redraw(); }, [this] { return toggleReduced(); }, reduce,
        context_.scroll);
    frmSettei_->move(window_->mapToGlobal(QPoint(0, 48)));
    frmSettei_->resize(frmSettei_->width(), panel_.height());
    frmSettei_->exec();
    frmSettei_->setSheet(nullptr, {}, {}, panel_.btnShukusho->text());
}

void LayoutCommands::choosePaper()
{
    frmSetPaper_->setPaper(PaperWidth(panel_.checkedPaper().value_or(Paper::A4)));
    if (TfrmPrint* frm = context_.activeSheet())
        frmSetPaper_->setOptions(frm->sheet().settings.options);
    if (frmSetPaper_->exec() != QDialog::Accepted || !context_.activeSheet())
        return;
    const int width = frmSetPaper_->chosenWidth();
    const Paper chosen = PaperOfWidth(width);
    const std::optional<Paper> before = panel_.checkedPaper();
    panel_.selectPaper(chosen);
    if (PaperChoiceApplies(chosen, before))
        applyPaper(width);
    TfrmPrint* frm = context_.activeSheet();
    AcceptPaperChoice(state_, frm->sheet(), width, frmSetPaper_->options());
    frm->Redraw();
}

void LayoutCommands::schoolName()
{
    TfrmJuku juku(window_);
    if (context_.activeSheet())
        juku.setSchool(state_.schoolName);
    if (juku.exec() != QDialog::Accepted)
        return;
    state_.schoolName = juku.school();
    WriteStringSetting(QStringLiteral("theSchool"), state_.schoolName);
    if (TfrmPrint* frm = context_.activeSheet())
        frm->Redraw();
}

void LayoutCommands::applyPaper(int width)
{
    state_.currentPaper = PaperRecord::ofWidth(width);
    TfrmPrint* frm = context_.activeSheet();
    if (!frm)
        return;
    ApplyPaper(frm->sheet(), width);
    if (reduced_)
        toggleReduced();
    else
        frm->Redraw();
}

QString LayoutCommands::toggleReduced()
{
    if (TfrmPrint* frm = context_.activeSheet()) {
        reduced_ = !reduced_;
        panel_.btnShukusho->setText(ReduceCaption(reduced_));
        frm->setComposing(true);
        frm->Redraw();
    }
    return panel_.btnShukusho->text();
}

} // namespace zendra
