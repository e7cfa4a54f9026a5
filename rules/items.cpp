#include "rules/items.h"

#include <unordered_map>

#include "rules/data_gen.h"

namespace rpg {
namespace {

struct RarityRow {
    const char* id;
    std::uint32_t colour;
    std::int32_t baseLevel;
};

constexpr RarityRow kRarities[kRarityCount] = {
    {"common", 0x9098a0, 1},   {"uncommon", 0x5a9c3a, 4},  {"rare", 0x3a72b2, 10},
    {"epic", 0xe3c23a, 20},    {"legendary", 0xa85ad8, 32}, {"mythic", 0xe8852a, 48},
    {"primordial", 0xe2453a, 70}, {"eternal", 0xf4efd0, 100},
};

constexpr const char* kSlotIds[kItemSlotCount] = {"weapon", "shield", "helm",   "armor",      "belt",
                                                  "boots",  "ring",   "amulet", "consumable", "valuable"};

const std::unordered_map<std::string_view, std::int32_t>& itemIds() {
    static const auto ids = [] {
        std::unordered_map<std::string_view, std::int32_t> m;
        const auto& all = items();
        for (std::size_t i = 0; i < all.size(); ++i) m.emplace(all[i].id, static_cast<std::int32_t>(i));
        return m;
    }();
    return ids;
}

} // namespace

const std::vector<ItemDef>& items() {
    static const std::vector<ItemDef> rows(std::begin(data::kItems), std::end(data::kItems));
    return rows;
}

const std::vector<SetDef>& sets() {
    static const std::vector<SetDef> rows(std::begin(data::kSets), std::end(data::kSets));
    return rows;
}

std::int32_t itemIndex(std::string_view id) {
    const auto& ids = itemIds();
    auto it = ids.find(id);
    return it == ids.end() ? -1 : it->second;
}

const ItemDef* findItem(std::string_view id) {
    std::int32_t i = itemIndex(id);
    return i < 0 ? nullptr : &items()[static_cast<std::size_t>(i)];
}

const SetDef* findSet(std::string_view id) {
    static const auto ids = [] {
        std::unordered_map<std::string_view, std::size_t> m;
        const auto& all = sets();
        for (std::size_t i = 0; i < all.size(); ++i) m.emplace(all[i].id, i);
        return m;
    }();
    auto it = ids.find(id);
    return it == ids.end() ? nullptr : &sets()[it->second];
}

const char* rarityId(Rarity r) { return kRarities[static_cast<int>(r)].id; }

Rarity rarityFromId(std::string_view id) {
    for (int i = 0; i < kRarityCount; ++i)
        if (id == kRarities[i].id) return static_cast<Rarity>(i);
    return Rarity::Common;
}

std::uint32_t rarityColor(Rarity r) { return kRarities[static_cast<int>(r)].colour; }

std::int32_t rarityBaseLevel(Rarity r) { return kRarities[static_cast<int>(r)].baseLevel; }

const char* itemSlotId(ItemSlot slot) {
    const int i = static_cast<int>(slot);
    return i < kItemSlotCount ? kSlotIds[i] : "";
}

Stats itemBaseBonus(const ItemDef& item) {
    Stats s;
    for (std::int32_t i = 0; i < item.bonusCount && i < kMaxItemBonus; ++i)
        addStat(&s, item.bonusStats[static_cast<std::size_t>(i)], item.bonusValues[static_cast<std::size_t>(i)]);
    return s;
}

} // namespace rpg
