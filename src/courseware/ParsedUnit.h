#pragma once

#include "courseware/UnitContent.h"

#include <QString>
#include <QStringList>

namespace zendra {

// One unit as the parser found it. The value, font and answer-box lists stay text until the
// worksheet converts them; a block that occurs twice adds its lines after the first one's.
struct ParsedUnit
{
    UnitContent content;
    QStringList header;       // "<<header": title, school, name line
    QStringList values;       // "<<value", 7 lines per block
    QStringList font;         // "<<font", 7 lines per block
    QStringList kran;         // "<<kran", padded with "0" to 10 lines per block
    int priorFigureLines = 0; // question-figure lines the sheet held before an add
};

// The most question lines a sheet holds.
constexpr int kMaxQuestionLines = 60;
// The most figures of each kind (question, answer) a unit holds.
constexpr int kMaxFigures = 15;

// The blocks offered for a new unit.
inline QStringList DefaultValueLines()
{
    return {QStringLiteral("630"), QStringLiteral("False"), QStringLiteral("40"),
            QStringLiteral("5"),   QStringLiteral("5"),     QStringLiteral("1"),
            QStringLiteral("7")};
}

inline QStringList DefaultFontLines()
{
    return {QStringLiteral("12"),    QStringLiteral("MS 明朝"), QStringLiteral("False"),
            QStringLiteral("False"), QStringLiteral("False"),   QStringLiteral("False"),
            QStringLiteral("0")};
}

inline QStringList DefaultKranLines()
{
    return {QStringLiteral("5"), QStringLiteral("15"), QStringLiteral("2"),  QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"),  QStringLiteral("15"), QStringLiteral("10"),
            QStringLiteral("0"), QStringLiteral("0")};
}

// What a worksheet keeps when its unit has no "<<kran" block.
inline QStringList FormKranLines()
{
    return {QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("4"),  QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"),  QStringLiteral("15"), QStringLiteral("10"),
            QStringLiteral("0"), QStringLiteral("0")};
}

// The three default blocks with their keyword and ">>" lines, as the editor inserts them.
inline QStringList DefaultDataLines()
{
    const QString close = QStringLiteral(">>");
    QStringList lines;
    lines << QStringLiteral("<<value") << DefaultValueLines() << close;
    lines << QStringLiteral("<<font") << DefaultFontLines() << close;
    lines << QStringLiteral("<<kran") << DefaultKranLines() << close;
    return lines;
}

} // namespace zendra
