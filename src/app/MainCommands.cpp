#include "app/MainCommands.h"

#include <cstdlib>

namespace zendra {

QRect CopyRectangle(QPoint corner1, QPoint corner2)
{
    const int x1 = std::min(corner1.x(), corner2.x());
    const int x2 = std::max(corner1.x(), corner2.x());
    const int y1 = std::min(corner1.y(), corner2.y());
    const int y2 = std::max(corner1.y(), corner2.y());
    return QRect(x1 + 1, y1 + 1, std::abs(x2 - x1 - 2), std::abs(y2 - y1 - 2));
}

QStringList RenameOpenSheet(QStringList list, const QString& from, const QString& to)
{
    list.removeOne(from);
    list.append(to);
    return list;
}

} // namespace zendra
