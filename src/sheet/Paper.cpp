#include "sheet/Paper.h"

#include "platform/Numbers.h"

namespace zendra {

std::int32_t PaperRecord::heightFor(std::int32_t width)
{
    return roundHalfEven(width * 1.4142135623730950488);
}

Paper PaperOfWidth(std::int32_t width)
{
    for (Paper paper : {Paper::B5, Paper::B4, Paper::A3})
        if (kPaperTable[static_cast<std::size_t>(paper)].width == width)
            return paper;
    return Paper::A4;
}

QString PaperName(Paper paper)
{
    static const char* const names[] = {"B5", "A4", "B4", "A3"};
    return QString::fromLatin1(names[static_cast<int>(paper)]);
}

} // namespace zendra
