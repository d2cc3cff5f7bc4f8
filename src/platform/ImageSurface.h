#pragma once

#include "platform/PainterSurface.h"

#include <QImage>
#include <QPainter>

namespace zendra {

// A surface drawing on an image, at the screen page's 96 dpi unless told otherwise. The
// image must outlive it; what was drawn is in the image once it ends.
class ImageSurface
{
public:
    explicit ImageSurface(QImage& image, int resolution = 96)
        : painter_(&image), surface_(painter_, resolution, image.width())
    {
    }
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    Surface& surface() { return surface_; }

private:
    QPainter painter_;
    PainterSurface surface_;
};

} // namespace zendra
