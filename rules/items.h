#pragma once
// Owned items: instances of catalogue rows with their own uid, an optional
// rolled bonus, an item level and affixes.
#include <cstdint>
#include <string>
#include <vector>

#include "rules/skills.h"
#include "rules/stats.h"

namespace rpg {

struct ItemAffix {
    std::uint8_t kind = 0;  // 0 mana regeneration, 1 hit point regeneration, 2 resistance
    double value = 0;
    StatusKind status = StatusKind::Poison;  // the status resisted; 0 for other kinds

    friend bool operator==(const ItemAffix&, const ItemAffix&) = default;
};

struct ItemInstance {
    std::string uid;    // "it-N", or given by the caller; empty means no item
    std::string defId;  // catalogue id
    bool rolled = false;  // when set, `roll` replaces the row's bonus
    Stats roll;
    std::vector<StatId> rollKeys;  // stats the roll covers, in the row's bonus order
    std::int32_t ilvl = 0;         // 0: the base level of the row's rarity
    std::vector<ItemAffix> affixes;

    bool empty() const { return uid.empty(); }
    friend bool operator==(const ItemInstance&, const ItemInstance&) = default;
};

} // namespace rpg
