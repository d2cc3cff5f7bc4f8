#pragma once

#include <QtGlobal>

#include <optional>
#include <random>

namespace zendra {

// The one source of chance in study mode: shuffled choice lists and soft keys, the praise
// text and the face picture. A run starts from a fixed state, so the first practice of a run
// shuffles the same way each time; each practice reseeds it. Tests fix the seed so a
// reseed is repeatable too.
class StudyRandom
{
public:
    StudyRandom() = default;

    // Puts the generator into the state seed() gives; with a fixed seed, reseed() does too.
    void seed(quint32 value);
    // Makes every later reseed() start from `value` (tests); seeds at once.
    void fixSeed(quint32 value);
    // A fresh state for a practice: from the system's entropy unless a seed is fixed.
    void reseed();

    // Uniform in 0 .. n - 1; 0 when n < 1.
    int below(int n);

private:
    static constexpr quint32 kInitialSeed = 5489u; // the generator's own default
    std::mt19937 engine_{kInitialSeed};
    std::optional<quint32> fixedSeed_;
};

} // namespace zendra
