#include "app/PrintCommands.h"

#include "app/LayoutSettings.h"
#include "app/MainCommands.h"
#include "app/TfrmPrintMode.h"
#include "app/TfrmPrintOk.h"
#include "app/TfrmSavePdf.h"
#include "sheet/PrinterPrinting.h"
#include "sheet/SheetOutput.h"
#include "sheet/TfrmPrint.h"

#include <QPrinter>

namespace zendra {

PrintCommands::PrintCommands(QWidget* window)
    : QObject(window), window_(window), frmPrintMode_(new TfrmPrintMode(window)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    connect(frmPrintMode_, &QDialog::accepted, this, &PrintCommands::modeChanged);
}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::numbered() const
{
    return frmPrintMode_->numbered();
}

int PrintCommands::startNumber() const
{
    return frmPrintMode_->startNumber();
}

void PrintCommands::chooseMode()
{
    frmPrintMode_->exec();
}

void PrintCommands::print(TfrmPrint* frm, Paper paper, const std::function<ComposeInputs()>& inputs)
{
    TfrmPrintOk confirm(*printer_, window_);
    confirm.setPaperName(PaperName(paper));
    confirm.setStartNumber(frm->sheet().settings.startNumber);
    confirm.print = [this, frm, inputs, &confirm] {
        PrintOptions options{frmPrintMode_->printerResolution(), frmPrintMode_->numbered(), 0,
                             frmPrintMode_->startNumber()};
        options.vary = confirm.vary();
        options.seed = confirm.seed();
        options.answerKey = confirm.answerKey();
        const PrintResult r = PrintOnPrinter(frm->sheet(), inputs(), options, *printer_);
        frmPrintMode_->setStartNumber(r.nextStartNumber);
        frm->Redraw();
        return r.ok;
    };
    confirm.startNumberChanged = [frm](int number) {
        ApplyLayoutValue(frm->sheet(), LayoutControl::StartNumber, number);
        frm->Redraw();
    };
    confirm.exec();
}

bool PrintCommands::savePdf(const QString& programFolder, const LessonTable& lessons, Sheet& sheet,
                            const ComposeInputs& inputs)
{
    TfrmSavePdf choices(window_);
    choices.setNumbered(frmPrintMode_->numbered());
    if (choices.exec() != QDialog::Accepted)
        return false;
    PdfJob job;
    job.numbered = frmPrintMode_->numbered();
    job.firstNumber = frmPrintMode_->startNumber();
    job.copies = choices.copies();
    job.vary = choices.vary();
    job.seed = choices.seed();
    job.answerKey = choices.answerKey();
    return SaveSheetPdf(programFolder, lessons, sheet, inputs, job);
}

} // namespace zendra
