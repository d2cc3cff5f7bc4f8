#include "app/AppState.h"

#include "platform/Numbers.h"

namespace zendra {

std::int32_t PaperRecord::heightFor(std::int32_t width)
{
    return roundHalfEven(width * 1.4142135623730950488);
}

Paper PaperOfWidth(std::int32_t width)
{
    switch (width) {
    case 546:
        return Paper::B5;
    case 771:
        return Paper::B4;
    case 891:
        return Paper::A3;
    default:
        return Paper::A4;
    }
}

} // namespace zendra
