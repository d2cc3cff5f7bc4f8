#pragma once

#include "platform/PrintTarget.h"

#include <QPainter>

class QPrinter;
class QWidget;

namespace zendra {

// A QPrinter as a print target. A real printer gets one job per copy. A printer that writes
// a file (PDF) would overwrite it with every job, so there the jobs become the pages of one
// file, which finish() (or the destructor) closes.
class PrinterPrintTarget : public PrintTarget
{
public:
    explicit PrinterPrintTarget(QPrinter& printer);
    ~PrinterPrintTarget() override;

    bool beginJob(const QString& title) override;
    QPainter* painter() override;
    int resolution() const override;
    QSize pageSize() const override;
    bool endJob() override;
    void abortJob() override;
    QString errorString() const override;

    // False when a file was left unfinished by an aborted job or could not be completed.
    bool finish();

private:
    bool toFile() const;

    QPrinter& printer_;
    QPainter painter_;
    bool inJob_ = false;
    bool aborted_ = false;
};

// The printable page of the printer in device pixels.
QSize PrinterPagePixels(const QPrinter& printer);

// The system print dialog on `printer`; true when the user confirmed it.
bool ChoosePrinter(QPrinter& printer, QWidget* parent);

} // namespace zendra
