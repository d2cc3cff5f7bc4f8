#pragma once

#include "platform/PrintTarget.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>

#include <memory>

class QPdfWriter;

namespace zendra {

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
