#pragma once

#include <QtGlobal>

namespace zendra {

// xoshiro256** seeded through splitmix64, and ranges by rejection: fixed arithmetic, so a
// seed gives the same numbers on every platform and compiler.
class SeededRandom
{
public:
    explicit SeededRandom(quint64 seed)
    {
        for (quint64& word : s_) {
            seed += 0x9E3779B97F4A7C15ULL;
            quint64 z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    quint64 next()
    {
        const quint64 result = rotl(s_[1] * 5, 7) * 9;
        const quint64 t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform in [0, n).
    quint64 below(quint64 n)
    {
        const quint64 threshold = (0 - n) % n;
        for (;;) {
            const quint64 r = next();
            if (r >= threshold)
                return r % n;
        }
    }

    // Uniform in [lo, hi]; lo <= hi.
    qint64 range(qint64 lo, qint64 hi) { return lo + qint64(below(quint64(hi - lo) + 1)); }

private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    quint64 s_[4];
};

} // namespace zendra
