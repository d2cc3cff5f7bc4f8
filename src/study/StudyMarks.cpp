#include "study/StudyMarks.h"

#include "platform/Numbers.h"
#include "platform/Surface.h"
#include "study/Judging.h"

#include <algorithm>

namespace zendra {

namespace {

int px(double v)
{
    return roundHalfEven(v);
}

// The base rectangle the composer lays out for a box on the screen page.
QRect screenBase(const AnswerBox& box, int characterSize)
{
    return AnswerBoxGeometry(box, 1.0, 1.0, AnswerFieldHeight(characterSize), 0, 0).base;
}

} // namespace

EntryBoxRect PlaceEntryBox(const AnswerBox& box, int panelWidth, int characterSize,
                           int boxHeightSetting)
{
    const QRect base = screenBase(box, characterSize);
    EntryBoxRect e;
    e.width = base.right() - base.left();
    e.left = box.x + 6 + panelWidth;
    e.top = box.y + px(0.3 * (2 * characterSize + boxHeightSetting - 10));
    e.height = AnswerFieldHeight(characterSize);
    return e;
}

QRect MarkRect(const EntryBoxRect& entry, const PageFrame& frame)
{
    const double s = frame.s;
    const int left = px(entry.left * s * frame.f) - frame.panelWidth - px(9 * s);
    const int top = px(entry.top * s) + px(3 * s) + frame.scroll;
    const int right = left + px(entry.width * s) + px(6 * s);
    const int bottom = top + px(entry.height * s);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect TriangleRect(const EntryBoxRect& entry, const PageFrame& frame)
{
    const double s = frame.s;
    const int left = px(entry.left * s * frame.f) - frame.panelWidth;
    const int top = px(entry.top * s) + px(3 * s) + frame.scroll;
    const int right = left + px(entry.width * s) - px(3 * s);
    const int bottom = top + px(entry.height * s);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

MarkShape MakeMark(MarkKind kind, const EntryBoxRect& entry, const PageFrame& frame, bool review)
{
    const double s = frame.s;
    const int w = entry.width;
    MarkShape mark;
    mark.kind = kind;
    mark.colour = review ? kMarkGreen : kMarkRed;
    mark.penWidth = px(2 * s);
    const QRect r = MarkRect(entry, frame);
    const int g = px(0.1 * w * s);
    const int h = px(0.2 * w * s);
    switch (kind) {
    case MarkKind::None:
        break;
    case MarkKind::Circle:
        mark.colour = kMarkRed;
        mark.ellipses.append(
            QRect(QPoint(r.left() - g, r.top() - h), QPoint(r.right() + g, r.bottom() + h)));
        break;
    case MarkKind::DoubleCircle: {
        mark.colour = kMarkGreen;
        const int d = px(0.09 * w * s);
        for (int k = 1; k <= 2; ++k)
            mark.ellipses.append(QRect(QPoint(r.left() - k * d, r.top() - k * d),
                                       QPoint(r.right() + k * d, r.bottom() + k * d)));
        break;
    }
    case MarkKind::Slash:
        mark.lines.append(QLine(r.right() + g, r.top() - h, r.left() - g, r.bottom() + h));
        break;
    case MarkKind::TestSlash:
        return MarkShape{}; // lies on the composer's rectangle: ScoringMark, TestSlashMark
    case MarkKind::Triangle: {
        const QRect t = TriangleRect(entry, frame);
        mark.penWidth = 3;
        const int c = t.left() + (t.right() - t.left()) / 2;
        const QPoint apex(c, t.top() - 15);
        const QPoint bottomLeft(t.left() - 30, t.bottom() + 5);
        const QPoint bottomRight(t.right() + 10, t.bottom() + 5);
        mark.lines = {QLine(apex, bottomLeft), QLine(bottomLeft, bottomRight),
                      QLine(bottomRight, apex)};
        break;
    }
    }
    return mark;
}

MarkShape TestSlashMark(const QRect& base, int w, double s)
{
    MarkShape mark;
    mark.kind = MarkKind::TestSlash;
    mark.colour = kMarkRed;
    mark.penWidth = px(2 * s);
    const int o = px(0.05 * w * s);
    mark.lines.append(QLine(base.right() - o, base.top() - o, base.left() + o, base.bottom() + o));
    return mark;
}

QRect JudgedCellsRect(const AnswerBox& box, double s)
{
    if (box.cells.isEmpty())
        return QRect();
    int left = box.cells.front().left();
    int top = box.cells.front().top();
    int right = left;
    int bottom = top;
    for (const QRect& c : box.cells) {
        left = std::min(left, c.left());
        top = std::min(top, c.top());
        right = std::max(right, c.left() + c.width());
        bottom = std::max(bottom, c.top() + c.height());
    }
    return QRect(QPoint(px(left * s), px(top * s)), QPoint(px(right * s), px(bottom * s)));
}

MarkShape CellsMark(MarkKind kind, const QRect& cells, double s, bool review)
{
    MarkShape mark;
    if (cells.isNull())
        return mark;
    const int w = cells.right() - cells.left();
    const int h = cells.bottom() - cells.top();
    mark.kind = kind;
    mark.colour = review ? kMarkGreen : kMarkRed;
    mark.penWidth = px(2 * s);
    // The ellipse takes the same margin on every side, the least that clears the cells'
    // corners, and a little more: a tall answer (a quotient over its remainder) does not
    // grow far into the problems above and below it.
    const auto clears = [&](double m) {
        const double x = w / (w + 2 * m);
        const double y = h / (h + 2 * m);
        return x * x + y * y <= 1.0;
    };
    int margin = 0;
    while (!clears(margin))
        ++margin;
    margin += px(2 * s);
    const QRect round = cells.adjusted(-margin, -margin, margin, margin);
    const int g = std::min(px(0.1 * w), px(10 * s));
    const int v = std::min(px(0.3 * std::min(w, h)), px(8 * s));
    switch (kind) {
    case MarkKind::None:
        break;
    case MarkKind::Circle:
        mark.colour = kMarkRed;
        mark.ellipses.append(round);
        break;
    case MarkKind::DoubleCircle: {
        mark.colour = kMarkGreen;
        const int d = px(4 * s);
        mark.ellipses = {round, round.adjusted(-d, -d, d, d)};
        break;
    }
    case MarkKind::TestSlash:
        mark.colour = kMarkRed;
        [[fallthrough]];
    case MarkKind::Slash:
        mark.lines.append(
            QLine(cells.right() + g, cells.top() - v, cells.left() - g, cells.bottom() + v));
        break;
    case MarkKind::Triangle: {
        mark.penWidth = 3;
        const int c = cells.left() + w / 2;
        const QPoint apex(c, cells.top() - 15);
        const QPoint bottomLeft(cells.left() - 20, cells.bottom() + 5);
        const QPoint bottomRight(cells.right() + 20, cells.bottom() + 5);
        mark.lines = {QLine(apex, bottomLeft), QLine(bottomLeft, bottomRight),
                      QLine(bottomRight, apex)};
        break;
    }
    }
    return mark;
}

void PaintMark(Surface& surface, const MarkShape& mark)
{
    if (mark.kind == MarkKind::None)
        return;
    const QRgb colour = surface.penColour();
    const int width = surface.penWidth();
    surface.setPenColour(mark.colour);
    surface.setPenWidth(mark.penWidth);
    for (const QRect& e : mark.ellipses)
        surface.ellipse(e.left(), e.top(), e.right(), e.bottom());
    for (const QLine& l : mark.lines) {
        surface.moveTo(l.x1(), l.y1());
        surface.lineTo(l.x2(), l.y2());
    }
    surface.setPenColour(colour);
    surface.setPenWidth(width);
}

MarkKind ComposedMarkFor(int judgement)
{
    switch (judgement) {
    case kMatchRight:
        return MarkKind::Circle;
    case kMatchWrong:
        return MarkKind::TestSlash;
    case kMatchRightAfterShown:
        return MarkKind::Triangle;
    default:
        return MarkKind::None;
    }
}

namespace {

MarkShape markOnPage(MarkKind kind, const AnswerBox& entry, const QRect& base, int characterSize,
                     int boxHeightSetting, double s, double f)
{
    // A column answer's mark lies on its judged cells.
    if (!entry.cells.isEmpty())
        return CellsMark(kind, JudgedCellsRect(entry, s), s, false);
    // Placed as the entry box lies over the page, the command panel left out.
    const EntryBoxRect e = PlaceEntryBox(entry, 0, characterSize, boxHeightSetting);
    if (kind == MarkKind::TestSlash)
        return TestSlashMark(base, e.width, s);
    return MakeMark(kind, e, PageFrame{0, 0, s, f}, false);
}

} // namespace

MarkShape ScoringMark(const AnswerBox& box, int characterSize, int boxHeightSetting)
{
    const MarkKind kind = box.judgement == kMatchRight ? MarkKind::Circle : MarkKind::TestSlash;
    return markOnPage(kind, box, screenBase(box, characterSize), characterSize, boxHeightSetting,
                      1.0, 1.0);
}

MarkDrawer StudyMarkDrawer(int characterSize, int boxHeightSetting)
{
    return [characterSize, boxHeightSetting](Surface& surface, int, const AnswerBox& entry,
                                             const AnswerBoxRects& rects, double s, double f) {
        const MarkKind kind = ComposedMarkFor(entry.judgement);
        if (kind != MarkKind::None)
            PaintMark(surface,
                      markOnPage(kind, entry, rects.base, characterSize, boxHeightSetting, s, f));
    };
}

ScorePlace DrawScorePlace(const QPoint& scorePosition, int panelWidth, int percent, double scale)
{
    const int digits = static_cast<int>(QString::number(percent).size());
    ScorePlace place;
    place.number =
        QPoint(px((panelWidth + scorePosition.x() - 17 * digits - 100) * scale), scorePosition.y());
    place.unitY = scorePosition.y() + px(15 * scale);
    return place;
}

void DrawScore(Surface& surface, const QPoint& scorePosition, int panelWidth, int percent,
               double scale)
{
    const ScorePlace place = DrawScorePlace(scorePosition, panelWidth, percent, scale);
    const QString number = QString::number(percent);
    surface.setFontColour(kMarkRed);
    surface.setFontStyle(StylePlain);
    surface.setFontSize(38);
    surface.textOut(place.number.x(), place.number.y(), number);
    const int after = place.number.x() + surface.textWidth(number);
    surface.setFontSize(24);
    surface.textOut(after, place.unitY, QStringLiteral("点"));
}

} // namespace zendra
