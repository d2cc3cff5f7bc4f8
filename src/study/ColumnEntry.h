#pragma once

#include "sheet/Composition.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

namespace zendra {

// One cell a learner writes a digit into.
struct ColumnEntryCell
{
    QRect rect; // on the page
    int row = 0;
    // A carry or borrow cell, or a worked row that is no answer (a partial product, a
    // division step): the learner's own scratch, never part of the answer.
    bool scratch = false;
    bool pointAfter = false; // the decimal point follows this cell
    QString digit;           // '0'..'9' or empty
};

// A column answer (筆算) as the learner writes it: digit by digit into its cells, in the
// order the written method goes. Sums, differences and products are written ones first,
// so the cursor moves one column left after each digit; a quotient is written from its
// highest place, so there it moves right. Backspace goes back one digit. The digits read in
// place order make the answer text, rows joined by "…" (a quotient and its remainder).
class ColumnEntry
{
public:
    // The cells of answer box `box` and the scratch cells of its problem (they go with the
    // problem's last answer); no cells when the box is no column answer.
    static ColumnEntry ForBox(const AnswerBox& box, const QList<PlacedColumnProblem>& problems);

    bool isEmpty() const { return cells_.isEmpty(); }
    const QList<ColumnEntryCell>& cells() const { return cells_; }
    // The cell the next digit goes into.
    int cursorCell() const;
    // All cells together, on the page.
    QRect bounds() const;

    // A digit, ASCII or full-width, into the cursor cell; anything else is not taken. A
    // scratch digit sends the cursor back to the answer cell it came from.
    bool type(QChar c);
    // Clears the cursor cell when it holds a digit, else steps back one cell and clears it.
    void backspace();
    // Puts the cursor on the cell at page point p; false when no cell is there.
    bool click(QPoint p);
    // Moves the cursor to the next answer cell of its row to the left (step < 0) or to the
    // right; false at the row's end, where it stays.
    bool moveCursor(int step);

    // The answer as its cells show it ("623", "35.03", "23…1"); empty while no answer cell
    // holds a digit.
    QString text() const;
    // Every cell emptied, then `text`'s digits written into the answer's rows, right-aligned
    // row by row as the sheet draws a given answer; the cursor on the first empty cell.
    void setText(const QString& text);

private:
    void addAnswerRow(QList<int> row, bool leftToRight);

    QList<ColumnEntryCell> cells_;
    QList<int> order_;       // the answer cells in writing order
    QList<QList<int>> rows_; // the answer cells row by row, left to right
    int position_ = 0;       // in order_
    int scratchCursor_ = -1; // a scratch cell the cursor visits, or -1
};

// What a column box's cells make when every digit is right ("1210", "108…3"); empty for a
// box that is no column answer. A sheet may write the answer otherwise (full-width digits,
// a trailing zero after the point), so study mode accepts this text too.
QString ColumnCellsAnswer(const AnswerBox& box, const QList<PlacedColumnProblem>& problems);

// '0'..'9' for an ASCII or full-width digit, a null character for anything else.
QChar EntryDigit(QChar c);

} // namespace zendra
