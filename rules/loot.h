#pragma once
// What the party finds and is offered: the stock of the four merchants, the
// contents of treasure chests and the drops of a won battle. Every roll takes
// its generator from the caller and draws in a fixed order, so the same
// generator state always gives the same goods.
#include <cstdint>
#include <span>
#include <vector>

#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/rng.h"

namespace rpg {

// The input of every roll. A default context is that of an empty party at
// depth 0 before any won run.
struct LootCtx {
    std::int32_t depth = 0;                 // never below 0
    std::int32_t tier = 1;                  // won runs + 1
    std::vector<std::int32_t> levels{1};    // party order, each at least 1
    std::vector<ClassId> classes;           // party order; empty without heroes
};

// How good a chest is.
enum class LootQuality : std::uint8_t {
    Trap = 0,     // no items, perhaps a little gold
    Found = 1,
    Jackpot = 2,
};

enum class Merchant : std::uint8_t {
    Weaponsmith = 0,
    Armorer = 1,
    Apothecary = 2,
    Wanderer = 3,  // the merchant of a shop node on the map
};

struct LootResult {
    std::vector<ItemInstance> items;  // a chest's consumable comes first
    double gold = 0;                  // a whole number
    LootQuality quality = LootQuality::Found;
};

// The context of a party at `depth` (0 when negative) after `ascension` won
// runs: the heroes' levels (at least 1) and classes in order; levels {1} and
// no classes for an empty party.
LootCtx partyLootCtx(std::span<const Hero> heroes, std::int32_t depth, double ascension);

// The rarity power of a place: max(0, depth) + 1.9 * sqrt(max(0, tier - 1)).
// Deeper places and later runs shift the odds towards the rare kinds.
double lootTier(double depth, double tier);

// A merchant's stock. Smith and armorer offer nine pieces climbing in level
// and walking round the party's classes; the wanderer four pieces and two
// potions; the apothecary every consumable the depth allows and draws
// nothing. An unknown merchant offers nothing.
std::vector<ItemInstance> rollShopOffers(Merchant merchant, const LootCtx& ctx, Rng& rng);

// A chest. The first draw decides the quality when `quality` is null; it is
// drawn all the same when a quality is given, so a given quality replays the
// chest that the same quality would have rolled.
LootResult rollTreasure(const LootCtx& ctx, Rng& rng, const LootQuality* quality);
LootResult rollTreasure(const LootCtx& ctx, Rng& rng);
LootResult rollTreasure(const LootCtx& ctx, Rng& rng, LootQuality quality);

// A battle's drop: perhaps one piece of equipment, and some gold.
LootResult rollBattleLoot(const LootCtx& ctx, Rng& rng);

} // namespace rpg
