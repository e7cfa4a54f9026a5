#include "rules/runes.h"

#include <cmath>

namespace rpg {
namespace {

// The base value of a stone of each stat, in kRuneAttrs order.
constexpr double kRuneBase[kStatCount] = {12, 8, 3, 3, 3, 3, 2, 2};

// The tier grows by one every four rows of depth.
double runeTier(double depth) { return depth > 0 ? std::floor(depth / 4) + 1 : 1; }

} // namespace

std::int32_t runeSlot(StatId stat) { return stat >= 0 && stat < kStatCount ? static_cast<std::int32_t>(stat) : 0; }

Runestone rollRunestone(double depth, Rng& rng) {
    const int k = rng.index(kStatCount);
    const double base = kRuneBase[k];
    const double spread = std::floor(base) + 1;
    const double tier = runeTier(depth);
    Runestone stone;
    stone.stat = kRuneAttrs[static_cast<std::size_t>(k)];
    stone.value = base * tier + std::floor(rng.uniform() * spread);
    const auto n = static_cast<std::int64_t>(std::floor(rng.uniform() * 900000)) + 100000;
    stone.uid = "rune-" + std::string(statSaveKey(stone.stat)) + "-" +
                std::to_string(static_cast<std::int64_t>(tier)) + "-" + std::to_string(n);
    return stone;
}

Stats runeBonus(const RuneCircle& circle) {
    Stats total;
    for (int i = 0; i < kStatCount; ++i)
        if (circle.filled[static_cast<std::size_t>(i)])
            addStat(&total, static_cast<StatId>(i), circle.stones[static_cast<std::size_t>(i)].value);
    return total;
}

double runeSellValue(const Runestone& stone) { return 25 + 4 * stone.value; }

} // namespace rpg
