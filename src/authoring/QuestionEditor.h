#pragma once

#include <QStringList>

namespace zendra {

// Checks the question lines of a unit: every line needs an even number of '#', no blank may
// be empty, and at least one line must hold a blank. Shows the message for the first fault
// and returns the 0-based index of its line (0 when no line has a blank); -1 when valid.
int CheckQuestionLines(const QStringList& lines);

// Checks the line counts of the "<<value" (7), "<<font" (7) and "<<kran" (8 or 10) blocks
// found in `lines`. Shows a message for the first block that is wrong and returns false.
bool CheckPositionBlocks(const QStringList& lines);

} // namespace zendra
