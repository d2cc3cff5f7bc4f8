#include "courseware/QuestionGenerator.h"

#include <QRandomGenerator>

namespace zendra {

// Placeholder until the generator lands: every line is kept as it stands.
QuestionGenerator::QuestionGenerator(const QStringList& questionLines) : lines_(questionLines)
{
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const qsizetype blanks = lines_[i].count(QLatin1Char('#')) / 2;
        if (blanks == 0)
            continue;
        totalAnswers_ += int(blanks);
        kept_.append({int(i + 1), lines_[i], QStringLiteral("not understood")});
    }
}

GeneratedSet QuestionGenerator::generate(quint64 seed, int variant) const
{
    return {variant, SetSeed(seed, variant), lines_};
}

QList<GeneratedSet> QuestionGenerator::generateSets(quint64 seed, int count) const
{
    QList<GeneratedSet> sets;
    for (int v = 1; v <= count; ++v)
        sets.append(generate(seed, v));
    return sets;
}

quint64 QuestionGenerator::SetSeed(quint64 seed, int variant)
{
    // splitmix64 of the pair: fixed arithmetic, the same on every compiler.
    quint64 z = seed * 0x9E3779B97F4A7C15ULL + quint64(variant);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint64 QuestionGenerator::NewSeed()
{
    return QRandomGenerator::global()->bounded(1000, 100000);
}

} // namespace zendra
