#include "rules/items.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "rules/catalog.h"
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

constexpr StatusKind kResistable[] = {StatusKind::Poison, StatusKind::Burn, StatusKind::Stun, StatusKind::Slow};

constexpr double kScoreWeights[kStatCount] = {0.5, 0.6, 3, 2.5, 3, 2.5, 4, 1.5};

constexpr std::string_view kUidPrefix = "it-";

// 64 bits so that a uid read from disk near 2^32 cannot wrap the counter
// back onto small, already used numbers.
std::uint64_t& uidCounter() {
    static std::uint64_t counter = 0;
    return counter;
}

std::string nextUid() { return std::string(kUidPrefix) + std::to_string(++uidCounter()); }

bool isEquipment(const ItemDef& def) { return def.slot != ItemSlot::Consumable && def.slot != ItemSlot::Valuable; }

double rollOne(double t, double f, int r, Rng& rng) {
    double u = rng.uniform();
    if (t >= 0) return std::max(1.0, std::round((0.75 + 0.6 * u + 0.035 * r) * f * t));
    return std::min(-1.0, std::round((0.7 + 0.5 * u) * t));
}

void rollBonus(ItemInstance* item, const ItemDef& def, Rng& rng) {
    if (def.bonusCount <= 0) return;
    item->rolled = true;
    item->roll = Stats{};
    item->rollKeys.clear();
    const int r = static_cast<int>(def.rarity);
    const double f = 1 + 0.07 * std::max(0, item->ilvl - 1);
    for (std::int32_t i = 0; i < def.bonusCount && i < kMaxItemBonus; ++i) {
        const auto k = static_cast<std::size_t>(i);
        addStat(&item->roll, def.bonusStats[k], rollOne(def.bonusValues[k], f, r, rng));
        item->rollKeys.push_back(def.bonusStats[k]);
    }
}

ItemAffix makeAffix(double x, int r, Rng& rng) {
    ItemAffix a;
    double u = rng.uniform();
    if (u < 0.3) {
        a.kind = 0;
        a.value = std::max(1.0, std::round(0.18 * x + 1));
    } else if (u < 0.55) {
        a.kind = 1;
        a.value = std::max(2.0, std::round(0.7 * x + 3));
    } else {
        a.kind = 2;
        a.status = kResistable[rng.index(4)];
        a.value = std::min(100.0, std::round(1.4 * x + 18 + 8 * r + 14 * rng.uniform()));
    }
    return a;
}

void rollAffixes(ItemInstance* item, const ItemDef& def, Rng& rng) {
    const double x = std::max(1, item->ilvl);
    const int r = static_cast<int>(def.rarity);
    if (rng.uniform() >= std::min(0.7, 0.05 + 0.012 * x + 0.06 * r)) return;
    item->affixes.push_back(makeAffix(x, r, rng));
    if (def.rarity < Rarity::Rare) return;
    if (rng.uniform() < 0.22 + 0.05 * r) item->affixes.push_back(makeAffix(x, r, rng));
}

// The price before rounding: the row's price grown 8 % per item level.
double grownPrice(const ItemInstance& item, const ItemDef& def) {
    return std::round(def.price * (1 + 0.08 * std::max(0, itemLevel(item) - 1)));
}

double scoreOver(const Stats& stats, const StatId* keys, std::size_t n) {
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int k = keys[i];
        if (k >= 0 && k < kStatCount) sum += kScoreWeights[k] * statValue(stats, keys[i]);
    }
    return std::max(0.0, std::round(sum));
}

} // namespace

const std::vector<ItemDef>& items() { return catalogOf<data::kItems>().rows(); }

const std::vector<SetDef>& sets() { return catalogOf<data::kSets>().rows(); }

std::int32_t itemIndex(std::string_view id) { return catalogOf<data::kItems>().indexOf(id); }

const ItemDef* findItem(std::string_view id) { return catalogOf<data::kItems>().find(id); }

const SetDef* findSet(std::string_view id) { return catalogOf<data::kSets>().find(id); }

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

ItemInstance makeItem(std::string_view id, const MakeItemOpts& opts, Rng* rng) {
    const ItemDef* def = findItem(id);
    if (!def) return {};
    ItemInstance item;
    item.uid = opts.uid.empty() ? nextUid() : opts.uid;
    item.defId = std::string(id);
    if (def->slot != ItemSlot::Valuable)
        item.ilvl = std::max(1, opts.levelGiven ? opts.level : rarityBaseLevel(def->rarity));
    if (!rng || def->slot == ItemSlot::Consumable) return item;
    rollBonus(&item, *def, *rng);
    if (def->slot == ItemSlot::Valuable) return item;
    rollAffixes(&item, *def, *rng);
    return item;
}

ItemInstance makeItem(std::string_view id) { return makeItem(id, MakeItemOpts{}, nullptr); }

ItemInstance cloneItem(const ItemInstance& item) {
    ItemInstance copy = item;
    copy.uid = nextUid();
    return copy;
}

Stats itemBonus(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (!def) return {};
    return item.rolled ? item.roll : itemBaseBonus(*def);
}

std::int32_t itemLevel(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (item.ilvl > 0) return item.ilvl;
    return def ? rarityBaseLevel(def->rarity) : 1;
}

double buyPrice(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (!def) return 0;
    if (def->slot == ItemSlot::Valuable) return def->price;
    return std::max(1.0, grownPrice(item, *def));
}

double sellPrice(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (!def) return 1;
    if (def->slot == ItemSlot::Valuable) return std::max(1.0, std::floor(0.5 * def->price));
    const double a = grownPrice(item, *def);
    return a <= 1 ? 1 : std::max(1.0, std::floor(0.5 * a));
}

double consumablePower(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    return def ? def->power : 0;
}

double consumableHeal(const ItemInstance& item, double maximum, std::int32_t heroLevel) {
    const ItemDef* def = findItem(item.defId);
    const double p = def ? def->power : 0;
    const double level = itemLevel(item);
    const double q = heroLevel > 1 ? level / heroLevel : level;
    return std::max(1.0, std::round(p / 100 * maximum * std::min(1.0, q)));
}

AffixTotals equipAffixTotals(const Equipment& eq) {
    AffixTotals t;
    for (const ItemInstance& item : eq.slots) {
        if (item.empty()) continue;
        for (const ItemAffix& a : item.affixes) {
            if (a.kind == 0) {
                t.manaRegen += a.value;
            } else if (a.kind == 1) {
                t.hpRegen += a.value;
            } else {
                const auto s = static_cast<std::size_t>(a.status);
                if (s < t.resist.size()) t.resist[s] = std::min(100.0, t.resist[s] + a.value);
            }
        }
    }
    return t;
}

double gearScore(const Stats& stats) { return scoreOver(stats, kAllocatable.data(), kAllocatable.size()); }

double gearScore(const Stats& stats, const std::vector<StatId>& keys) {
    return scoreOver(stats, keys.data(), keys.size());
}

double gearScore(const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (!def) return 0;
    if (item.rolled) return gearScore(item.roll, item.rollKeys);
    const auto n = static_cast<std::size_t>(std::clamp(def->bonusCount, 0, kMaxItemBonus));
    return scoreOver(itemBaseBonus(*def), def->bonusStats.data(), n);
}

std::vector<SetPieceCount> setPieces(const Equipment& eq) {
    std::vector<SetPieceCount> out;
    for (const ItemInstance& item : eq.slots) {
        if (item.empty()) continue;
        const ItemDef* def = findItem(item.defId);
        if (!def || !def->setId) continue;
        auto it = std::find_if(out.begin(), out.end(), [&](const SetPieceCount& p) { return p.setId == def->setId; });
        if (it == out.end())
            out.push_back({def->setId, 1});
        else
            ++it->count;
    }
    return out;
}

Stats setBonus(const Equipment& eq) {
    Stats total;
    for (const SetPieceCount& p : setPieces(eq)) {
        const SetDef* set = findSet(p.setId);
        if (!set) continue;
        const SetTier* reached = nullptr;
        for (std::int32_t i = 0; i < set->tierCount && i < kMaxSetTiers; ++i) {
            const SetTier& tier = set->tiers[static_cast<std::size_t>(i)];
            if (tier.pieces <= p.count) reached = &tier;
        }
        if (reached) total += reached->bonus;
    }
    return total;
}

Stats equipBonus(const Equipment& eq) {
    Stats total;
    for (const ItemInstance& item : eq.slots) {
        if (item.empty()) continue;
        const ItemDef* def = findItem(item.defId);
        if (!def) continue;
        total += item.rolled ? item.roll : itemBaseBonus(*def);
    }
    return total + setBonus(eq);
}

std::vector<ClassId> equipClasses(const ItemDef& item) {
    std::vector<ClassId> out;
    if (!isEquipment(item)) return out;
    for (int c = 0; c < kClassCount; ++c)
        if (item.classMask & (1u << c)) out.push_back(static_cast<ClassId>(c));
    return out;
}

void reserveItemUid(std::string_view uid) {
    if (!uid.starts_with(kUidPrefix)) return;
    const std::string_view digits = uid.substr(kUidPrefix.size());
    std::uint64_t n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size()) return;
    // The counter's last value could only wrap; no made uid ever gets there.
    if (n == std::numeric_limits<std::uint64_t>::max()) return;
    uidCounter() = std::max(uidCounter(), n);
}

void resetItemUidCounter() { uidCounter() = 0; }

} // namespace rpg
