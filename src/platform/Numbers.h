#pragma once

#include <QString>

#include <cmath>

namespace zendra {

// Every rounding of the layout is half to even (2.5 -> 2, 3.5 -> 4), under the default
// rounding mode, so that screen, printer and study layouts agree.
inline int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// Integer halving truncates toward zero (-3 / 2 == -1).
inline int halfOf(int value)
{
    return value / 2;
}

// The score percent is the one rounding that goes half up: 2 of 8 right is 25, 1 of 8 is 13.
inline int percentHalfUp(int right, int total)
{
    if (total <= 0)
        return 0;
    return (200 * right + total) / (2 * total);
}

} // namespace zendra
