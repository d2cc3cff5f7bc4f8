#pragma once

#include "platform/Surface.h"

#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringView>

namespace zendra {

// Draws one text piece of school arithmetic typed on one line: fractions with '/', powers
// with '^', relation signs, '*' for × and '\' for ÷. The page composer sets the spacing units
// before each composition; study mode draws with those of the last one.
class NotationRenderer
{
public:
    // Sets the rise unit k = round(6.732 × scale), the gap unit
    // g = round(characterSize × scale / 6), and whether this is a printer page (and its
    // width in pixels, which decides the fraction bar's width).
    void begin(double scale, int characterSize, bool printing, int pageWidthPixels);

    int rise() const { return k_; }
    int gap() const { return g_; }
    bool printing() const { return printing_; }

    // Draws `text` at (x, y) in `fontSize` points and `colour`; returns where the next piece
    // starts (its y is always the given y).
    QPoint DrawNotation(int fontSize, int x, int y, QRgb colour, const QString& text,
                        Surface& surface, double scale) const;

private:
    // One plain item, or a stacked fraction when `denominator` is not empty. A superscript
    // item is drawn smaller and k higher.
    QPoint DrawItem(Surface& surface, int fontSize, const QString& text, int x, int y,
                    const QString& denominator, double scale, bool superscript = false) const;
    // Draws the characters one by one; returns the right end of the last one drawn, or x
    // when there is none.
    int DrawRun(Surface& surface, QStringView text, int x, int y) const;
    QPoint DrawSymbol(Surface& surface, const QString& sign, int x, int y) const;
    void DrawFractionBar(Surface& surface, QPoint from, QPoint to) const;
    int FractionBarWidth() const;

    int k_ = 7;
    int g_ = 2;
    bool printing_ = false;
    int pageWidth_ = 0;
};

} // namespace zendra
