#include "app/WidgetPrintCommands.h"

#include "app/LayoutSettings.h"
#include "app/MainCommands.h"
#include "app/TfrmPrintMode.h"
#include "app/TfrmPrintOk.h"
#include "sheet/TfrmPrint.h"
#include "sheet/WidgetPrinting.h"

#include <QPrinter>

namespace zendra {

WidgetPrintCommands::WidgetPrintCommands(QWidget* window)
    : QObject(window), window_(window), frmPrintMode_(new TfrmPrintMode(window)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    connect(frmPrintMode_, &QDialog::accepted, this, &WidgetPrintCommands::modeChanged);
}

WidgetPrintCommands::~WidgetPrintCommands() = default;

bool WidgetPrintCommands::numbered() const
{
    return frmPrintMode_->numbered();
}

int WidgetPrintCommands::startNumber() const
{
    return frmPrintMode_->startNumber();
}

void WidgetPrintCommands::chooseMode()
{
    frmPrintMode_->exec();
}

void WidgetPrintCommands::print(TfrmPrint* frm, Paper paper,
                                const std::function<ComposeInputs()>& inputs)
{
    TfrmPrintOk confirm(*printer_, window_);
    confirm.setPaperName(PaperName(paper));
    confirm.setStartNumber(frm->sheet().startNumber);
    confirm.print = [this, frm, inputs] {
        const PrintResult r =
            PrintOnPrinter(frm->sheet(), inputs(),
                           {frmPrintMode_->printerResolution(), frmPrintMode_->numbered(), 0,
                            frmPrintMode_->startNumber()},
                           *printer_);
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

bool WidgetPrintCommands::savePdf(const QString& programFolder, const LessonTable& lessons,
                                  Sheet& sheet, const ComposeInputs& inputs)
{
    return SaveSheetPdf(programFolder, lessons, sheet, inputs, frmPrintMode_->numbered(),
                        frmPrintMode_->startNumber());
}

} // namespace zendra
