#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace zendra {

// A paper size in layout units of 1/3 mm. A paper is known by its width alone; the height
// is always recomputed from it.
struct PaperRecord
{
    std::int32_t width = 630;
    std::int32_t height = 891;

    static std::int32_t heightFor(std::int32_t width);
    static PaperRecord ofWidth(std::int32_t width) { return {width, heightFor(width)}; }
};

enum class Paper { B5, A4, B4, A3 };

// B5, A4, B4 and A3 from their millimetres times three (the table's own heights; sheets use
// heightFor()).
constexpr std::array<PaperRecord, 4> kPaperTable = {PaperRecord{546, 771}, PaperRecord{630, 891},
                                                    PaperRecord{771, 1092}, PaperRecord{891, 1260}};

// The paper whose width is `width`; any other width is shown as A4.
Paper PaperOfWidth(std::int32_t width);

// "B5", "A4", "B4" or "A3".
QString PaperName(Paper paper);

} // namespace zendra
