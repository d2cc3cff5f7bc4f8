#include "sheet/NotationRenderer.h"

#include "platform/Cp932.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <utility>

namespace zendra {

namespace {

bool isAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Characters of a piece are code points: a pair of surrogates stays one character.
qsizetype charLength(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

void NotationRenderer::begin(double scale, int characterSize, bool printing, int pageWidthPixels)
{
    k_ = roundHalfEven(6.732 * scale);
    g_ = roundHalfEven(characterSize * scale / 6);
    printing_ = printing;
    pageWidth_ = pageWidthPixels;
}

QPoint NotationRenderer::DrawNotation(int fontSize, int x, int y, QRgb colour, const QString& text,
                                      Surface& surface, double scale) const
{
    if (text.isEmpty())
        return {x, y};
    surface.setFontColour(colour);
    surface.setFontSize(fontSize);

    // A lone double-byte character is two bytes in the courseware, so it is ordinary text
    // below, not an item.
    if (text.size() == 1 && cp932::byteLength(text) == 1) {
        if (text.front() == u'#')
            return {x, y};
        return {DrawItem(surface, fontSize, text, x, y, QString(), scale).x(), y};
    }

    if (!text.contains(u'/')) {
        surface.textOut(x, y + k_, text);
        return {surface.penPosition().x(), y};
    }

    const qsizetype n = text.size();
    QString acc;
    QString numerator;
    QString one; // the single character being drawn as an item
    acc.reserve(n);
    numerator.reserve(n);
    bool power = false;
    // What the characters gathered so far are: plain text, the denominator after a '/', or
    // the part after a '|' whose suffix runs to the next ')'.
    enum class Gathering { Plain, AfterSlash, AfterBar };
    Gathering state = Gathering::Plain;
    int cx = x;

    auto plain = [&](const QString& item) {
        cx = DrawItem(surface, fontSize, item, cx, y, QString(), scale).x();
    };
    auto plainChar = [&](qsizetype i, qsizetype len) {
        one.resize(0);
        one.append(text.constData() + i, len);
        plain(one);
    };
    // A fraction without a numerator shows its denominator as plain text rather than losing it.
    auto fraction = [&] {
        if (numerator.isEmpty())
            std::swap(numerator, acc);
        cx = DrawItem(surface, fontSize, numerator, cx, y, acc, scale).x();
    };
    auto clearSlots = [&] {
        acc.resize(0);
        numerator.resize(0);
    };
    auto flush = [&] {
        if (state == Gathering::Plain)
            plain(acc);
        else
            fraction();
        clearSlots();
    };
    auto symbol = [&](const QString& sign) { cx = DrawSymbol(surface, sign, cx, y).x(); };

    // Characters, not CP932 bytes: a trail byte can equal '\', '^', '|' or a letter, and a
    // double-byte character must come out whole.
    qsizetype i = 0;
    while (i < n) {
        const qsizetype len = charLength(text, i);
        const char16_t c = len == 1 ? text[i].unicode() : 0;
        qsizetype next = i + len;

        if ((c >= u'0' && c <= u'9') || c == u'.') {
            if (power) {
                one.resize(0);
                one.append(QChar(c));
                cx = DrawItem(surface, fontSize, one, cx, y, QString(), scale, true).x();
                power = false;
                surface.setFontSize(fontSize);
            } else {
                acc.append(QChar(c));
            }
        } else if (isAsciiLetter(c) || c == u'?' || c == u'[' || c == u']') {
            acc.append(QChar(c));
        } else if (c == u'/' || c == u'|') {
            std::swap(numerator, acc);
            acc.resize(0);
            state = c == u'/' ? Gathering::AfterSlash : Gathering::AfterBar;
        } else if (c == u'^') {
            plain(acc);
            acc.resize(0);
            power = true;
        } else if (c == u'&') {
            flush();
        } else if (c == u'(' || c == u')' || c == u'+' || c == u'-' || c == u'=' || c == u'_' ||
                   c == u'}') {
            flush();
            plainChar(i, len);
        } else if (c == u'*') {
            flush();
            symbol(QStringLiteral("×"));
        } else if (c == u'\\') {
            flush();
            symbol(QStringLiteral("÷"));
        } else if (c == u'<' || c == u'>') {
            flush();
            const bool orEqual = next < n && text[next] == u'=';
            if (orEqual)
                ++next;
            if (c == u'<')
                symbol(orEqual ? QStringLiteral("≦") : QStringLiteral("＜"));
            else
                symbol(orEqual ? QStringLiteral("≧") : QStringLiteral("＞"));
        } else if (state == Gathering::AfterBar) {
            // The suffix runs to the next ')'; without one, the last character of the text
            // stands in for it.
            const qsizetype from = next;
            const qsizetype close = text.indexOf(u')', from);
            qsizetype to;
            if (close >= 0) {
                to = close;
                next = close + 1;
            } else {
                to = n - 1;
                if (n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate())
                    to = n - 2;
                next = n;
            }
            if (numerator == u"1")
                numerator.resize(0);
            if (to > from)
                numerator.append(text.constData() + from, to - from);
            fraction();
            clearSlots();
            state = Gathering::Plain;
        } else {
            if (state == Gathering::Plain)
                plain(acc);
            else
                fraction();
            plainChar(i, len);
            clearSlots();
            state = Gathering::Plain;
        }
        i = next;
    }
    flush();
    return {cx, y};
}

QPoint NotationRenderer::DrawItem(Surface& surface, int fontSize, const QString& text, int x, int y,
                                  const QString& denominator, double scale, bool superscript) const
{
    const int size = superscript ? roundHalfEven(fontSize * 0.8) : fontSize;
    const int trailingGap = superscript ? g_ : 2 * g_;
    const int top = superscript ? y - k_ : y;
    surface.setFontSize(size);

    if (text.isEmpty())
        return {x, y};
    if (denominator.isEmpty())
        return {DrawRun(surface, text, x, top + k_) + g_ + g_, top};

    QString den = denominator;
    if (den.startsWith(u'[')) {
        if (den.contains(u'R'))
            den.remove(0, 1);
        else
            den = den.size() >= 2 ? den.sliced(1, den.size() - 2) : QString();
    }

    const int numeratorY = top - roundHalfEven(0.5 * k_);
    const int denominatorY = top + roundHalfEven(2.5 * k_);
    const int n = cp932::byteLength(text);
    const int d = cp932::byteLength(den);
    // The shorter line is centred by an estimate of one byte's width taken from the longer.
    int x1;
    if (n == d) {
        x1 = DrawRun(surface, text, x, numeratorY);
        x1 = std::max(x1, DrawRun(surface, den, x, denominatorY));
    } else if (d < n) {
        x1 = DrawRun(surface, text, x, numeratorY);
        DrawRun(surface, den, x + (x1 - x) / n * (n - d) / 2, denominatorY);
    } else {
        x1 = DrawRun(surface, den, x, denominatorY);
        DrawRun(surface, text, x + (x1 - x) / d * (d - n) / 2, numeratorY);
    }

    const int shift = roundHalfEven(scale);
    const int barY = top + roundHalfEven(2.2 * k_);
    DrawFractionBar(surface, {x + shift, barY}, {x1 + shift, barY});
    return {surface.penPosition().x() + trailingGap, top + 1};
}

int NotationRenderer::DrawRun(Surface& surface, QStringView text, int x, int y) const
{
    int right = x;
    QString one;
    one.reserve(2);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        const char16_t c = len == 1 ? text[i].unicode() : 0;
        one.resize(0);
        one.append(text.data() + i, len);
        if (isAsciiLetter(c) || (c >= u'!' && c <= u'?') || c == u']') {
            surface.textOut(x, printing_ ? y - 8 : y, one);
            // A style mark's bold or underline lasts for the first such character only.
            surface.setFontStyle(StylePlain);
        } else {
            surface.textOut(x, y, one);
        }
        right = surface.penPosition().x();
        x = right + g_ / 4;
        i += len;
    }
    return right;
}

QPoint NotationRenderer::DrawSymbol(Surface& surface, const QString& sign, int x, int y) const
{
    surface.textOut(x, y + k_, sign);
    return {surface.penPosition().x() + g_ / 2, y};
}

void NotationRenderer::DrawFractionBar(Surface& surface, QPoint from, QPoint to) const
{
    const int size = surface.fontSize();
    int e = 15 - size;
    if (!printing_) {
        switch (size) {
        case 6:
        case 8:
            e = 4;
            break;
        case 10:
            e = 2;
            break;
        case 12:
            e = 0;
            break;
        case 14:
            e = -1;
            break;
        case 16:
            e = -2;
            break;
        case 18:
            e = -4;
            break;
        default:
            break;
        }
    }
    surface.setPenColour(surface.fontColour());
    surface.setPenWidth(FractionBarWidth());
    surface.setPenMode(PenMode::Copy);
    surface.moveTo(from.x(), from.y() - e);
    surface.lineTo(to.x(), to.y() - e);
    surface.setPenColour(qRgb(0, 0, 0));
    surface.setPenWidth(1);
}

int NotationRenderer::FractionBarWidth() const
{
    return printing_ && pageWidth_ > 2800 ? 4 : 1;
}

} // namespace zendra
