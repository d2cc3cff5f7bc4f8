#pragma once

#include "arithmetic/ColumnLayout.h"
#include "sheet/AnswerBoxTable.h"
#include "sheet/NotationRenderer.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>
#include <vector>

namespace zendra {

// The start point of every text piece of a composition, numbered 1..240 in drawing
// order. Pieces past the last slot are drawn but not recorded.
struct PiecePositions
{
    static constexpr int kMaxPieces = 240;

    std::array<QPoint, kMaxPieces + 1> at{};
    int count = 0;

    // Piece i, or (0, 0) for one that was not recorded.
    QPoint operator[](int i) const { return i >= 1 && i <= count ? at[i] : QPoint(); }
    void clear()
    {
        at.fill(QPoint());
        count = 0;
    }
    void add(QPoint p)
    {
        if (count < kMaxPieces)
            at[++count] = p;
    }
};

// The x at which the text before each blank started, numbered 1..80 by blank in drawing
// order; study mode lays a sheet out again from it.
struct PieceStartMemory
{
    static constexpr int kMaxStarts = AnswerBoxTable::kMaxBoxes;

    std::array<int, kMaxStarts + 1> x{};
    int recorded = 0; // how many entries hold a start of the last recording composition
};

// A figure as the last composition placed it, in page coordinates of the screen sheet.
struct PlacedFigure
{
    int number = 0;      // 1..15: the figure picture it occupies
    bool answer = false; // an answer figure shown in place of the question figure
    QRect rect;
};

// A column problem (筆算) as the composition drew it, in page coordinates of the screen sheet.
struct PlacedColumnProblem
{
    int line = 0;     // question line, from 1
    int firstBox = 0; // the box number of its first answer; 0 when boxes were not registered
    QPoint origin;    // top-left corner of the cell in row 0, column 0
    QSize cell;
    ColumnLayout layout;
    QStringList drawn; // what each cell of layout.cells shows: its digit, or empty

    QRect cellRect(int row, int column) const
    {
        return QRect(origin.x() + column * cell.width(), origin.y() + row * cell.height(),
                     cell.width(), cell.height());
    }
};

// What ComposeSheet laid out: the windows work on the page with it afterwards (study mode's
// entry boxes and marks, the print dialog's figures, the question editor's line starts), and
// the next composition of the sheet starts from it.
struct Composition
{
    AnswerBoxTable boxes;
    PiecePositions piecePositions;
    PieceStartMemory pieceStarts;
    QStringList lstKai;
    // Where the last screen composition started each question line, by line number from 1
    // (entry 0 unused); (0, 0) for a line it did not draw. The question editor places new
    // figures beside these.
    QList<QPoint> lineStarts;
    // Where it ended them: the right-most x of a line's text, answers, alternatives and
    // boxes; 0 for a line it did not draw. LinesPastPage reads them.
    QList<int> lineEnds;
    QPoint scorePosition;
    QPoint classFlagPosition{35, 31}; // page coordinates; screen compositions move it
    QList<PlacedFigure> figures;
    QList<PlacedColumnProblem> columnProblems;
    NotationRenderer renderer; // its units stay those of the composition
};

} // namespace zendra
