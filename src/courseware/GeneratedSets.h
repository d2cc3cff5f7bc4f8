#pragma once

#include "courseware/QuestionGenerator.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zendra {

// A generated set keeps the base seed it was made from on the line after its header,
// "%seed 4711": with the set's number (its variant) the generator makes it again. No block
// keyword starts with '%', so every reader of units passes over the line.
QString SeedLine(quint64 seed);
// Whether the line is meant as a seed line (starts with "%seed").
bool IsSeedLine(const QString& line);
// The seed of a well-formed seed line: "%seed", one blank and decimal digits that fit 64 bits.
std::optional<quint64> SeedOfLine(const QString& line);

// Where the question lines of the unit whose header stands at `header` lie in `lines`, in the
// order the unit reader takes them (every "<<ques" block, without the editor's "{ … }" group).
QList<qsizetype> QuestionLinePositions(const QStringList& lines, qsizetype header);

// The similar-question sets 1..5 of `unit` that have a block in the file, in increasing order.
QList<int> ExistingSets(const QStringList& lines, int unit);

struct SetsWrite
{
    QString error;    // empty when the sets were added
    QByteArray bytes; // the whole new file
};

// Adds `sets` to a master file given as its bytes (CP932): each set becomes the block
// "[[unit" + unit + "R" + variant, a copy of the unit with the set's question lines in place
// of the unit's and the seed line after its header. The blocks follow the unit, or, with
// `replace`, take the place of the unit's last set after every existing set of the unit was
// removed; without `replace` an existing set refuses the write. Every other byte of the file
// stays as it was.
SetsWrite AddGeneratedSets(const QByteArray& fileBytes, int unit, quint64 seed,
                           const QList<GeneratedSet>& sets, bool replace);

} // namespace zendra
