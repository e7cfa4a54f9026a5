#include "rules/rng.h"

#include <chrono>
#include <random>
#include <string>

namespace rpg {

std::uint32_t Rng::next() {
    state += kRngStep;
    std::uint32_t t = state;
    t = (t ^ (t >> 15)) * (t | 1u);
    t ^= t + (t ^ (t >> 7)) * (t | 61u);
    return t ^ (t >> 14);
}

double Rng::uniform() { return static_cast<double>(next()) * (1.0 / 4294967296.0); }

int Rng::index(int n) { return static_cast<int>(uniform() * n); }

int Rng::range(int lo, int hi) {
    return lo + static_cast<int>(uniform() * (static_cast<double>(hi) - lo + 1));
}

std::uint32_t seedHash(std::string_view text) {
    std::uint32_t h = static_cast<std::uint32_t>(text.size()) ^ 0x6a09e667u;
    for (unsigned char b : text) {
        std::uint32_t x = (h ^ b) * 0xcc9e2d51u;
        h = (x << 13) | (x >> 19);
    }
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

std::uint32_t randomSeed() {
    static std::random_device device("default");
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(device()) ^ static_cast<std::uint32_t>(ticks);
}

Rng& looseRng() {
    static Rng rng{seedHash(std::to_string(randomSeed()))};
    return rng;
}

} // namespace rpg
