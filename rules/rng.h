#pragma once
// The game's random generator (Mulberry32), the fresh seed source, the text
// seed hash and the process-wide loose generator.
#include <cstdint>
#include <string_view>

namespace rpg {

// One 32-bit state word. A plain value: copying it copies the sequence.
struct Rng {
    std::uint32_t state = 0;

    // One Mulberry32 output; the state advances by 0x6D2B79F5 first.
    std::uint32_t next();
    // U in [0, 1): the output divided by 2^32.
    double uniform();
    // A chance p succeeds when U < p.
    bool chance(double p) { return uniform() < p; }
    // An index into n things: floor(U * n).
    int index(int n);
    // A whole number lo..hi inclusive: lo + floor(U * (hi - lo + 1)).
    int range(int lo, int hi);
    // A real in [a, a + w).
    double real(double a, double w) { return a + w * uniform(); }

    // Fisher-Yates from the end, one draw per step.
    template <typename Vec>
    void shuffle(Vec& v) {
        for (int i = static_cast<int>(v.size()) - 1; i >= 1; --i) {
            int j = index(i + 1);
            using std::swap;
            swap(v[i], v[j]);
        }
    }
};

inline constexpr std::uint32_t kRngStep = 0x6D2B79F5u;

// The state of a generator seeded by `text`: the game's 32-bit text hash.
// Each caller hashes exactly the text its rule names ("map-" + seed, ...).
std::uint32_t seedHash(std::string_view text);

// A generator whose state is seedHash(text).
inline Rng rngFromText(std::string_view text) { return Rng{seedHash(text)}; }

// A fresh seed: one value of a random device XOR the low 32 bits of the steady
// clock's tick count.
std::uint32_t randomSeed();

// The process-wide generator for picks that need not replay (hero names,
// stat modifiers, starting gear). Seeded once from randomSeed().
Rng& looseRng();

} // namespace rpg
