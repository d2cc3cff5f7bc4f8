#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace zendra {

// A question line that carries answers the generator does not vary: it stays as it stands.
struct KeptLine
{
    int line = 0; // 1-based position among the unit's question lines
    QString text;
    QString reason;
};

// One set of fresh numbers for a unit: its question lines, answers between '#' pairs.
struct GeneratedSet
{
    int variant = 1;  // the set's number (類題 number, or a printed copy's number)
    quint64 seed = 0; // the seed the set was made from: SetSeed(base seed, variant)
    QStringList questions;
};

// Makes similar-question sets from a unit's question lines. Only the numbers change: each
// line keeps its text, and each answer is computed exactly and written in the notation of
// the original answer. The same seed gives the same set everywhere.
class QuestionGenerator
{
public:
    explicit QuestionGenerator(const QStringList& questionLines);

    // Lines with answers that no set varies, with the reason for each.
    const QList<KeptLine>& kept() const { return kept_; }
    // Answer blanks in all, and those whose numbers a set varies.
    int totalAnswers() const { return totalAnswers_; }
    int understoodAnswers() const { return understoodAnswers_; }
    bool understandsAny() const { return understoodAnswers_ > 0; }
    // Every line that has an answer blank is varied (no kept line).
    bool understandsEveryAnswerLine() const { return totalAnswers_ > 0 && kept_.isEmpty(); }

    // The set for `variant` from the base seed `seed`.
    GeneratedSet generate(quint64 seed, int variant = 1) const;
    // Sets 1..count from one base seed.
    QList<GeneratedSet> generateSets(quint64 seed, int count) const;

    // The seed of set `variant` made from a base seed; the same on every platform.
    static quint64 SetSeed(quint64 seed, int variant);
    // A fresh base seed, short enough for a teacher to read off a sheet and type again.
    static quint64 NewSeed();

    struct Plan;

private:
    QStringList lines_;
    std::shared_ptr<const Plan> plan_; // what each line's questions are and must stay
    QList<KeptLine> kept_;
    int totalAnswers_ = 0;
    int understoodAnswers_ = 0;
};

} // namespace zendra
