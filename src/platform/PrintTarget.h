#pragma once

#include <QSize>
#include <QString>

class QPainter;

namespace zendra {

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

} // namespace zendra
