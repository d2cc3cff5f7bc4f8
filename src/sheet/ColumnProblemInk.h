#pragma once

#include "platform/Surface.h"
#include "sheet/Composition.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zendra {

// How the cells of column problems are inked on one page.
struct ColumnInk
{
    Surface& surface;       // the page
    Surface& measuring;     // takes what must not reach the page
    Surface& answerSurface; // the page, or `measuring` where a handout leaves answers out
    int fontSize = 0;
    int em = 0; // the body size in pixels
    int penWidth = 1;
    bool answersShown = false;
    bool leaveAnswersOut = false;
    QRgb answerColour = 0;
    std::array<int, 10>& digitWidths; // measured once per page, -1 until then
};

// A learner's digits for the cells of each answer, by cell: each row of an answer takes one
// "…"-part of its text, its last digit in the row's last cell.
std::vector<QString> LearnerCellTexts(const ColumnLayout& layout,
                                      const std::vector<QStringList>& given);

// Draws a placed problem: the grid, the digits (the question's in black, the answers' worked
// or given digits in the answer colour), points, sign, rules and the division bracket. Keeps
// what each cell shows in `placed.drawn`. `unasked` answers (no entry box) and hidden answers
// leave their cells empty; `given` holds the learner's answers in study mode.
void DrawColumnProblem(const ColumnInk& ink, PlacedColumnProblem& placed,
                       const std::vector<bool>& unasked, const std::vector<QStringList>& given);

} // namespace zendra
