#pragma once

#include <QString>
#include <QStringList>

namespace zendra {

// The blocks of one unit of a master file as the unit writer puts them back.
struct UnitBlocks
{
    QStringList ques;   // "<<ques"
    QStringList kgroup; // "<<kgroup", left out when empty
    QStringList dummy;  // "<<dummy"
    QStringList hint;   // "<<hint", left out when empty
    QStringList qgraph; // "<<graph" triples, left out when empty
    QStringList agraph; // "<<AGraph" triples, left out when empty
    QStringList layout; // "<<value", "<<font" and "<<kran" with their keyword and ">>"
};

// Writes the unit `header` ("[[unitN" ...) into the lines of its master file: in place of the
// unit there (figures and hints before the layout blocks), or after the last unit when the
// file lacks it (layout blocks first). Every other line stays as it was.
void WriteUnit(QStringList& fileLines, const QString& header, const UnitBlocks& blocks);

// Checks the question lines of a unit: every line needs an even number of '#', no blank may
// be empty, and at least one line must hold a blank. Shows the message for the first fault
// and returns the 0-based index of its line (0 when no line has a blank); -1 when valid.
int CheckQuestionLines(const QStringList& lines);

// Checks the line counts of the "<<value" (7), "<<font" (7) and "<<kran" (8 or 10) blocks
// found in `lines`. Shows a message for the first block that is wrong and returns false.
bool CheckPositionBlocks(const QStringList& lines);

// The answers of valid question lines in order, each trimmed of blanks and then of
// full-width spaces.
QStringList AnswersOfLines(const QStringList& lines);

// The choice list of a set with other numbers: every alternative of the set's answers in
// place of the unit's, the unit's other choices (dummies) after them; none when the unit
// has no choice list.
QStringList SetChoices(const QStringList& kgroup, const QStringList& unitQuestions,
                       const QStringList& setQuestions);

} // namespace zendra
