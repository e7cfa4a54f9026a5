#pragma once
// The monster catalogue: 93 base creatures in twelve prefixed variants and
// the named monsters, with the lists that sort them by tier.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "rules/stats.h"

namespace rpg {

enum MonsterTier : std::uint8_t {
    TierNormal = 0,
    TierElite = 1,
    TierBoss = 2,
};

struct MonsterDef {
    const char* id = "";        // "frost_wolf", or the name of a named monster
    const char* nameKey = "";   // "monster." + base
    const char* prefixKey = nullptr;  // "monster.pre." + prefix; none for named monsters
    const char* sprite = "";    // the base or the named id
    std::uint32_t recolour = 0;  // 1 for prefixed monsters
    // The sprite's palette keys '1', '2', '3' and 'e' in that order, 0xRRGGBB.
    std::array<std::uint32_t, 4> colours{};
    Stats base{};
    std::span<const std::uint16_t> skills{};  // skill indices, "attack" first
    double xp = 0;
    std::int32_t goldMin = 0;
    std::int32_t goldMax = 0;
    std::uint8_t tier = TierNormal;
};

const std::vector<MonsterDef>& monsters();
// Catalogue indices of the tier 0, 1 and 2 rows, in catalogue order.
const std::vector<std::uint16_t>& normalMonsters();
const std::vector<std::uint16_t>& eliteMonsters();
const std::vector<std::uint16_t>& bossMonsters();

const MonsterDef* findMonster(std::string_view id);

} // namespace rpg
