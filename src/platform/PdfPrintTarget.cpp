#include "platform/PdfPrintTarget.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QPdfWriter>

namespace zendra {

PdfPrintTarget::PdfPrintTarget(const QString& path, const QPageSize& pageSize, int resolution)
    : path_(path), resolution_(resolution)
{
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(resolution);
    writer_->setCreator(QStringLiteral("Zendra"));
    writer_->setPageSize(pageSize);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    pixels_ = QSize(writer_->width(), writer_->height());
}

PdfPrintTarget::~PdfPrintTarget()
{
    if (painter_.isActive())
        painter_.end();
}

bool PdfPrintTarget::beginJob(const QString& title)
{
    if (aborted_ || inJob_)
        return false;
    if (!painter_.isActive()) {
        writer_->setTitle(title);
        if (!painter_.begin(writer_.get()))
            return false;
    } else if (!writer_->newPage()) {
        return false;
    }
    inJob_ = true;
    return true;
}

QPainter* PdfPrintTarget::painter()
{
    return inJob_ ? &painter_ : nullptr;
}

bool PdfPrintTarget::endJob()
{
    if (!inJob_)
        return false;
    inJob_ = false;
    ++pages_;
    return true;
}

void PdfPrintTarget::abortJob()
{
    inJob_ = false;
    aborted_ = true;
}

bool PdfPrintTarget::finish(QString* error)
{
    if (painter_.isActive())
        painter_.end();
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (aborted_)
        return fail(
            QStringLiteral("印刷が中止されたので %1 は書き出しません").arg(shownPath(path_)));
    if (pages_ == 0)
        return fail(
            QStringLiteral("印刷したページがないので %1 は書き出しません").arg(shownPath(path_)));
    const TextFile::Result saved = TextFile::saveBytes(path_, buffer_.data());
    if (!saved)
        return fail(saved.error);
    return true;
}

} // namespace zendra
