#pragma once

#include <QPoint>
#include <QRect>
#include <QStringList>

namespace zendra {

// The part of the page a marked rectangle copies to the clipboard: corners normalised, the
// rectangle's own outline left out (its source starts one pixel inside, its size is
// |x2 − x1 − 2| × |y2 − y1 − 2|).
QRect CopyRectangle(QPoint corner1, QPoint corner2);

// The open-sheet list after a sheet changed its identifier (saved under a new name).
QStringList RenameOpenSheet(QStringList list, const QString& from, const QString& to);

} // namespace zendra
