#pragma once
// A small random generator with a fixed seed, so that the samples come out the same byte for
// byte on every machine (the standard distributions differ between library versions).
#include <cstdint>

class TSampleRandom
{
public:
    explicit TSampleRandom(std::uint64_t seed) : m_state(seed) {}

    // splitmix64
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (0 when n <= 0).
    int Below(int n) { return n <= 0 ? 0 : int(Next() % std::uint64_t(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};
