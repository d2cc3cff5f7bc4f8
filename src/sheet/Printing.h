#pragma once

#include "sheet/PageComposer.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QSize>
#include <QString>

#include <memory>

class QPdfWriter;

namespace zendra {

struct Sheet;

// Where printed jobs go: a printer, a PDF document, or a test's recorder. A job is one
// copy of the sheet on one page.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    // Starts a job; painter() is active on its page until endJob() or abortJob().
    virtual bool beginJob(const QString& title) = 0;
    // The painter of the current job. It belongs to the target, because a target that
    // gathers its jobs into one document keeps painting across them.
    virtual QPainter* painter() = 0;
    // Dots per inch of the page.
    virtual int resolution() const = 0;
    // The printable page in device pixels.
    virtual QSize pageSize() const = 0;
    virtual bool endJob() = 0;
    virtual void abortJob() = 0;
    // Why the last beginJob() or endJob() failed, when the target knows.
    virtual QString errorString() const { return {}; }
};

struct PrintOptions
{
    bool printerResolution = false; // compose on the page instead of stretching the screen
    bool numbered = true;           // "№ " + the copy's number on the date line
    int copies = 1;                 // used only when numbered; otherwise one job
    int startNumber = 1;
};

struct PrintResult
{
    bool ok = false;
    QString error;    // what to tell the user when !ok
    int jobsDone = 0; // jobs ended successfully
    // What the start-number control shows afterwards: 1 after a complete print, the
    // number of the first copy not printed after a failure (so the rest can follow).
    int nextStartNumber = 1;
};

// Prints the sheet, one job per copy, each copy with its own number. The screen-faithful
// mode draws the screen page (composed again for every copy) stretched onto the page,
// shifted right by 6 layout units; the printer-resolution mode composes the sheet on the
// page with the answer boxes of a screen composition made first: the screen's layout at the
// page's sharpness, hidden answers left out. A job that cannot begin or end stops the
// print. Messages are left to the caller.
PrintResult PrintSheet(Sheet& sheet, const ComposeInputs& inputs, const PrintOptions& options,
                       PrintTarget& target);

// A PDF document built in memory, one page per job, and written whole by finish().
class PdfPrintTarget : public PrintTarget
{
public:
    PdfPrintTarget(const QString& path, const QPageSize& pageSize, int resolution);
    ~PdfPrintTarget() override;

    bool beginJob(const QString& title) override;
    QPainter* painter() override;
    int resolution() const override { return resolution_; }
    QSize pageSize() const override { return pixels_; }
    bool endJob() override;
    void abortJob() override;

    int pageCount() const { return pages_; }
    // Saves the document atomically. Nothing is written when no page was printed or a job
    // was aborted; `error` then says why.
    bool finish(QString* error);

private:
    QString path_;
    int resolution_;
    QSize pixels_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pages_ = 0;
    bool aborted_ = false;
    bool inJob_ = false;
};

} // namespace zendra
