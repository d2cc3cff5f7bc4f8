#pragma once

// Lines whose blanks stand inside an equation, for the question generator:
// "(10) 8×12＋2×12＝(8＋#　2# )×12＝#　120#". Private to the generator.

#include "courseware/QuestionPlan.h"

#include <QSet>

#include <vector>

namespace zendra::generator {

// An equation's rules for one side's step.
struct SideStep
{
    int node = 0;
    qint64 round = 1; // the step's value stays a multiple of this
};

// A + or - of two written numbers: its carries or borrows column by column.
struct SideColumns
{
    int node = 0;
    int places = 0;
    std::vector<bool> pattern;
};

struct EquationSide
{
    Expression expr;               // leaves count their place from the line's start
    std::vector<int> variables;    // per leaf: its number's index among the variables
    bool result = false;           // a lone blank that holds the value of the others
    NumberNotation resultNotation; // and how it is written
    NumberShape resultShape;       // and what it must look like
    std::vector<SideStep> steps;   // whole steps on the way
    std::vector<SideColumns> columns;
};

// Sides joined by '＝', every one of the same value. The same number written in several
// places (a blank among them) is one number: it is drawn once and written everywhere.
struct Equation
{
    QString line;
    std::vector<EquationSide> sides;
    std::vector<NumberShape> shapes;      // per variable
    std::vector<WrittenNumber> originals; // per variable, as first written
};

// Works out a line that is one equation with blanks. False when the line is no such
// equation or its sides do not agree.
bool PlanEquation(const QString& line, Question& q);

// New numbers that keep the equation true and its rules; the draw's text is the whole new
// line, not among `used`.
bool DrawEquation(const Equation& eq, SeededRandom& rng, const QSet<QString>& used, Draw& out);

} // namespace zendra::generator
