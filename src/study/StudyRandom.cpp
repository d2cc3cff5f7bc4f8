#include "study/StudyRandom.h"

namespace zendra {

void StudyRandom::seed(quint32 value)
{
    engine_.seed(value);
}

void StudyRandom::fixSeed(quint32 value)
{
    fixedSeed_ = value;
    seed(value);
}

void StudyRandom::reseed()
{
    if (fixedSeed_) {
        seed(*fixedSeed_);
        return;
    }
    std::random_device device;
    seed(device());
}

int StudyRandom::below(int n)
{
    if (n < 1)
        return 0;
    std::uniform_int_distribution<int> pick(0, n - 1);
    return pick(engine_);
}

} // namespace zendra
