// Small deterministic random numbers: the same seed gives the same sequence on every
// machine and every run, so a simulator run can be repeated byte for byte.
#pragma once

#include <cstdint>

namespace radarsim {

// A well-mixed 64-bit value of `x` (the splitmix64 finaliser).
inline uint64_t Mix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A number in [0, 1) that depends only on its arguments; the scenario's noise, so a report
// is a function of the seed and the time alone.
inline double HashUnit(uint64_t seed, uint64_t a, uint64_t b, uint64_t c) {
    uint64_t h = Mix64(seed ^ Mix64(a ^ Mix64(b ^ Mix64(c))));
    return double(h >> 11) * (1.0 / 9007199254740992.0);
}

class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}

    uint64_t Next() {
        m_state += 0x9E3779B97F4A7C15ull;
        return Mix64(m_state);
    }
    // 0 .. bound - 1 (0 when bound is 0).
    uint32_t Below(uint32_t bound) { return bound == 0 ? 0 : uint32_t(Next() % bound); }
    // lo .. hi inclusive.
    uint32_t Between(uint32_t lo, uint32_t hi) { return lo + Below(hi - lo + 1); }
    // True with a probability of `permille` / 1000.
    bool Permille(int permille) { return permille > 0 && int(Below(1000)) < permille; }

private:
    uint64_t m_state;
};

} // namespace radarsim
