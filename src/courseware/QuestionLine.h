#pragma once

#include <QString>
#include <QStringList>

namespace zendra {

// A question line split at every '#': even pieces are printed text, odd pieces are the
// answers of the blanks in order. "a#1#b" gives "a", "1", "b"; a line without '#' is one
// piece. Works on characters, so a CP932 trail byte can never be taken for a separator.
QStringList SplitQuestionLine(const QString& line);

// An answer split at ';': the first alternative is printed in the box, the others are
// accepted as well.
QStringList SplitAnswer(const QString& answer);

} // namespace zendra
