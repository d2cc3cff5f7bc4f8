#include "platform/PrinterPrintTarget.h"

#include "platform/Paths.h"

#include <QPrintDialog>
#include <QPrinter>

namespace zendra {

PrinterPrintTarget::PrinterPrintTarget(QPrinter& printer) : printer_(printer) {}

PrinterPrintTarget::~PrinterPrintTarget()
{
    finish();
}

bool PrinterPrintTarget::toFile() const
{
    return printer_.outputFormat() == QPrinter::PdfFormat;
}

bool PrinterPrintTarget::beginJob(const QString& title)
{
    if (inJob_ || aborted_)
        return false;
    if (painter_.isActive()) {
        // Only a file printer stays open between jobs.
        if (!printer_.newPage())
            return false;
    } else {
        printer_.setDocName(title);
        if (!painter_.begin(&printer_))
            return false;
    }
    inJob_ = true;
    return true;
}

QPainter* PrinterPrintTarget::painter()
{
    return inJob_ ? &painter_ : nullptr;
}

int PrinterPrintTarget::resolution() const
{
    return printer_.resolution();
}

QSize PrinterPrintTarget::pageSize() const
{
    return PrinterPagePixels(printer_);
}

bool PrinterPrintTarget::endJob()
{
    if (!inJob_)
        return false;
    inJob_ = false;
    return toFile() || painter_.end();
}

void PrinterPrintTarget::abortJob()
{
    inJob_ = false;
    printer_.abort();
    if (painter_.isActive())
        painter_.end();
    // A file printer's file holds the pages printed so far; it is not to be taken as done.
    aborted_ = toFile();
}

QString PrinterPrintTarget::errorString() const
{
    if (toFile())
        return QStringLiteral("ファイル %1 に書き出せません")
            .arg(shownPath(printer_.outputFileName()));
    if (printer_.printerName().isEmpty())
        return QStringLiteral("プリンタが選ばれていません");
    return QStringLiteral("プリンタ %1 が使えません").arg(printer_.printerName());
}

bool PrinterPrintTarget::finish()
{
    const bool ended = !painter_.isActive() || painter_.end();
    inJob_ = false;
    return ended && !aborted_;
}

QSize PrinterPagePixels(const QPrinter& printer)
{
    return QSize(printer.width(), printer.height());
}

bool ChoosePrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zendra
