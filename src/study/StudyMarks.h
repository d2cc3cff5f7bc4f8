#pragma once

#include "sheet/AnswerBoxTable.h"
#include "sheet/PageComposer.h"

#include <QLine>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>

namespace zendra {

class Surface;

// Where study mode draws on its page: the marks of a judged box, the score, and where the
// entry boxes go over the answer boxes. Rectangles are given by their edges (QRect's
// right() and bottom() are the edges).

inline constexpr QRgb kMarkRed = 0xffff0000;
inline constexpr QRgb kMarkGreen = 0xff008000; // marks in a review
inline constexpr QRgb kTypedBlue = 0xff0000ff; // typed answers drawn on the page

// An entry box on the window: its left and top in window coordinates, width and height.
struct EntryBoxRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// How window coordinates meet the page: the page lies right of the command panel
// (panelWidth) and the window is scrolled down by `scroll`; s is the scale of the drawing
// and f the printer's widening (1.03), 1 on the screen.
struct PageFrame
{
    int panelWidth = 0;
    int scroll = 0;
    double s = 1.0;
    double f = 1.0;
};

// Where an entry box goes over answer box `box` (PlaceEntryBoxes): left = x + 6 + panel,
// top = y + round(0.3 (2c + b - 10)), the width of the composer's box rectangle, the height
// of the answer field for the character size c; b is the answer-box height setting.
EntryBoxRect PlaceEntryBox(const AnswerBox& box, int panelWidth, int characterSize,
                           int boxHeightSetting);

// The page rectangle the circles and slashes are drawn on, and the triangle's.
QRect MarkRect(const EntryBoxRect& entry, const PageFrame& frame);
QRect TriangleRect(const EntryBoxRect& entry, const PageFrame& frame);

enum class MarkKind { None, Circle, DoubleCircle, Slash, TestSlash, Triangle };

// A mark as outlines: ellipses (transparent inside) and lines, in one pen.
struct MarkShape
{
    MarkKind kind = MarkKind::None;
    QRgb colour = kMarkRed;
    int penWidth = 0;
    QList<QRect> ellipses;
    QList<QLine> lines;
};

// The mark of a box whose entry box is at `entry`; green instead of red when `review`.
// TestSlash lies on the composer's base rectangle instead (ScoringMark, TestSlashMark): an
// empty shape here.
MarkShape MakeMark(MarkKind kind, const EntryBoxRect& entry, const PageFrame& frame, bool review);
// The slash of a box not right at a test's scoring, on the answer box's base rectangle of
// the composition; w is the entry box's width.
MarkShape TestSlashMark(const QRect& base, int w, double s);

// The rectangle of a column answer's (筆算) cells, scaled by s: the cells that are judged,
// row by row, with the carry cells and a problem's other scratch outside it. A null
// rectangle for a box without cells.
QRect JudgedCellsRect(const AnswerBox& box, double s = 1.0);
// The mark of a column answer round or across its judged cells `cells` (page rectangle by
// its edges), in MakeMark's colours: a circle holds the cells' corners, a slash runs from
// beyond the top right corner to beyond the bottom left one.
MarkShape CellsMark(MarkKind kind, const QRect& cells, double s, bool review);

// Draws the mark's outlines in its colour and pen; the surface's pen is given back as it was.
void PaintMark(Surface& surface, const MarkShape& mark);

// The mark of a box at a test's scoring on the screen page: the circle when judged 1,
// otherwise the test slash. c and b as for PlaceEntryBox.
MarkShape ScoringMark(const AnswerBox& box, int characterSize, int boxHeightSetting);

// The mark a composed sheet carries for a judgement: 1 circle, 0 test slash, -2 triangle,
// all red; MarkKind::None for the rest.
MarkKind ComposedMarkFor(int judgement);

// The composer's mark drawer for the learner's answer sheet and prints from study: each
// judged box's mark, placed as over the screen page. c and b as for PlaceEntryBox.
MarkDrawer StudyMarkDrawer(int characterSize, int boxHeightSetting);

// Where DrawScore writes the percent (38 pt red) and "点" (24 pt, right after the number).
struct ScorePlace
{
    QPoint number; // top-left of the digits
    int unitY = 0; // top of "点"
};
ScorePlace DrawScorePlace(const QPoint& scorePosition, int panelWidth, int percent,
                          double scale = 1.0);
// Draws the score on the study page: the number, then "点" after its width.
void DrawScore(Surface& surface, const QPoint& scorePosition, int panelWidth, int percent,
               double scale = 1.0);

} // namespace zendra
