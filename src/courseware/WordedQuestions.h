#pragma once

// Questions put in words rather than as an expression that ends with '＝': rounding to a
// place, comparing two numbers, ten times and a tenth of a number, changing units, and
// numbers made of 0.1s or of a whole and a part. Private to the question generator.

#include "courseware/QuestionPlan.h"

#include <QSet>

namespace zendra::generator {

// Why a line in words is kept as it stands.
inline const QString kNumberLine = QStringLiteral("数直線を読む問題です");
inline const QString kFigure = QStringLiteral("図を読む問題です");
inline const QString kWordProblem = QStringLiteral("文章題です");
inline const QString kTextAnswer = QStringLiteral("答えが数ではありません");

// Works out every answer of line `index` of `lines` (split into `pieces`) as a question in
// words. False when the line is not one; `reason` then says why it is kept.
bool PlanWorded(const QStringList& lines, int index, const QStringList& pieces,
                std::vector<Question>& questions, QString& reason);
// New numbers for a question in words, not among `used`.
bool DrawWorded(const Question& q, SeededRandom& rng, const QSet<QString>& used, Draw& out);
// Puts a draw's numbers and answer into the pieces of its line.
void WriteWorded(const Question& q, const Draw& d, QStringList& pieces);

} // namespace zendra::generator
