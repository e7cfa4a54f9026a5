#include "rules/loot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace rpg {
namespace {

// Catalogue indices, never copies of rows.
using IndexList = std::vector<std::int32_t>;
using SlotFilter = bool (*)(const ItemDef&);
using OfferedIds = std::set<std::string, std::less<>>;

struct SlotWeight {
    ItemSlot slot;
    double weight;
};

// Weights of the slots when a roll aims at one class. The order is part of
// the weighted pick.
constexpr SlotWeight kSlotWeights[] = {
    {ItemSlot::Weapon, 22}, {ItemSlot::Armor, 14}, {ItemSlot::Helm, 12}, {ItemSlot::Boots, 12},
    {ItemSlot::Belt, 10},   {ItemSlot::Ring, 12},  {ItemSlot::Amulet, 10}, {ItemSlot::Shield, 8},
};

// Rarity k weighs a * b^power: the commons fade and the rare kinds grow as
// the power rises.
struct RarityWeight {
    double a;
    double b;
};
constexpr RarityWeight kRarityWeights[kRarityCount] = {
    {100, 0.8}, {62, 0.88}, {18, 0.96}, {3.5, 1.035}, {0.25, 1.1}, {0.02, 1.17}, {0.009, 1.21}, {0.0005, 1.26},
};

constexpr double kClassAimChance = 0.8;
constexpr int kSmithOffers = 9;
constexpr int kWandererPieces = 4;

const ItemDef& row(std::int32_t index) { return items()[static_cast<std::size_t>(index)]; }

bool isEquipSlot(ItemSlot slot) { return static_cast<int>(slot) <= static_cast<int>(ItemSlot::Amulet); }

bool slotIsWeapon(const ItemDef& def) { return def.slot == ItemSlot::Weapon; }

bool slotIsArmor(const ItemDef& def) { return def.slot != ItemSlot::Weapon && isEquipSlot(def.slot); }

bool wears(const ItemDef& def, ClassId cls) {
    const int bit = static_cast<int>(cls);
    return bit < kClassCount && ((def.classMask >> bit) & 1) != 0;
}

IndexList catalogueWhere(const std::function<bool(const ItemDef&)>& keep) {
    IndexList list;
    const auto& all = items();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (keep(all[i])) list.push_back(static_cast<std::int32_t>(i));
    return list;
}

const IndexList& equippable() {
    static const IndexList list = catalogueWhere([](const ItemDef& d) { return isEquipSlot(d.slot); });
    return list;
}

const IndexList& consumables() {
    static const IndexList list = catalogueWhere([](const ItemDef& d) { return d.slot == ItemSlot::Consumable; });
    return list;
}

// The equipment of each slot that each class may wear: the class-aimed roll
// asks for it on every pick.
using WearTable = std::array<std::array<IndexList, 8>, kClassCount>;

const WearTable& wearable() {
    static const WearTable table = [] {
        WearTable t;
        for (std::int32_t i : equippable())
            for (int c = 0; c < kClassCount; ++c)
                if (wears(row(i), static_cast<ClassId>(c)))
                    t[static_cast<std::size_t>(c)][static_cast<std::size_t>(row(i).slot)].push_back(i);
        return t;
    }();
    return table;
}

const IndexList* wearableIn(ClassId cls, ItemSlot slot) {
    const int c = static_cast<int>(cls);
    if (c >= kClassCount) return nullptr;
    const IndexList& list = wearable()[static_cast<std::size_t>(c)][static_cast<std::size_t>(slot)];
    return list.empty() ? nullptr : &list;
}

// floor(U * n) for n > 0.
std::size_t drawIndex(std::size_t n, Rng& rng) {
    return std::min(static_cast<std::size_t>(rng.index(static_cast<int>(n))), n - 1);
}

std::int32_t pick(const IndexList& list, Rng& rng) { return list[drawIndex(list.size(), rng)]; }

// Weights that overflow (only at absurd depths or ascensions) are scaled
// down together in log space, so the rarest kind still wins there.
std::array<double, kRarityCount> rarityWeights(double power) {
    std::array<double, kRarityCount> w{};
    double sum = 0;
    for (int k = 0; k < kRarityCount; ++k) {
        w[k] = kRarityWeights[k].a * std::pow(kRarityWeights[k].b, power);
        sum += w[k];
    }
    if (std::isfinite(sum)) return w;
    std::array<double, kRarityCount> logs{};
    for (int k = 0; k < kRarityCount; ++k)
        logs[k] = std::log(kRarityWeights[k].a) + power * std::log(kRarityWeights[k].b);
    const double top = *std::max_element(logs.begin(), logs.end());
    for (int k = 0; k < kRarityCount; ++k) w[k] = std::exp(logs[k] - top);
    return w;
}

Rarity rollRarity(double power, Rng& rng) {
    const auto w = rarityWeights(power);
    double sum = 0;
    for (double x : w) sum += x;
    double r = rng.uniform() * sum;
    for (int k = 0; k < kRarityCount; ++k) {
        r -= w[k];
        if (r <= 0) return static_cast<Rarity>(k);
    }
    return Rarity::Common;
}

// A level as a whole number of at least 1 that fits the item's field.
std::int32_t toLevel(double x) {
    return static_cast<std::int32_t>(std::clamp(x, 1.0, static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

// Up to two levels either side of 2 * (tier - 1) + 0.3 * d + h.
std::int32_t dropLevel(double tier, double d, double heroLevel, Rng& rng) {
    const double spread = std::floor(5 * rng.uniform());
    return toLevel(std::round(2 * tier - 2 + 0.3 * d + heroLevel + spread - 2));
}

// The items of rarity r, else of the nearest lower rarity that has any, else
// the whole list; the order stays.
IndexList byRarity(const IndexList& list, Rarity r) {
    for (int k = static_cast<int>(r); k >= 0; --k) {
        IndexList found;
        for (std::int32_t i : list)
            if (static_cast<int>(row(i).rarity) == k) found.push_back(i);
        if (!found.empty()) return found;
    }
    return list;
}

// The depth as the formulas take it; a context built by hand may hold less
// than 0, which must not turn into negative gold.
double depthOf(const LootCtx& ctx) { return std::max(0, ctx.depth); }

double meanLevel(const LootCtx& ctx) {
    if (ctx.levels.empty()) return 1;
    double sum = 0;
    for (std::int32_t l : ctx.levels) sum += l;
    return std::round(sum / static_cast<double>(ctx.levels.size()));
}

std::int32_t potionLevel(const LootCtx& ctx) { return potionTierFor(toLevel(meanLevel(ctx))); }

ItemInstance makeAtLevel(std::int32_t index, std::int32_t level, Rng* rng) {
    MakeItemOpts opts;
    opts.level = level;
    opts.levelGiven = true;
    return makeItem(row(index).id, opts, rng);
}

// Rare consumables stay out of reach of the first rows of a run.
IndexList consumablesFor(const LootCtx& ctx) {
    IndexList list;
    for (std::int32_t i : consumables())
        if (row(i).rarity != Rarity::Rare || ctx.depth > 3) list.push_back(i);
    return list;
}

std::int32_t levelOfHero(const LootCtx& ctx, std::size_t i) {
    if (i < ctx.levels.size()) return ctx.levels[i];
    return ctx.levels.empty() ? 1 : ctx.levels.front();
}

// Picks a slot the class can wear, weighted by kSlotWeights; the draw is made
// even when the class wears nothing at all.
std::optional<ItemSlot> aimedSlot(ClassId cls, Rng& rng) {
    double sum = 0;
    std::vector<const SlotWeight*> eligible;
    for (const SlotWeight& sw : kSlotWeights)
        if (wearableIn(cls, sw.slot)) {
            eligible.push_back(&sw);
            sum += sw.weight;
        }
    double r = rng.uniform() * sum;
    if (eligible.empty()) return std::nullopt;
    for (const SlotWeight* sw : eligible) {
        r -= sw->weight;
        if (r <= 0) return sw->slot;
    }
    return eligible.back()->slot;
}

// A piece for one hero of the party; none when that hero's class wears
// nothing, and the caller rolls an untargeted piece instead.
std::optional<ItemInstance> aimedEquip(const LootCtx& ctx, Rng& rng, double d, Rarity rarity) {
    const std::size_t i = drawIndex(ctx.classes.size(), rng);
    const ClassId cls = ctx.classes[i];
    const std::optional<ItemSlot> slot = aimedSlot(cls, rng);
    if (!slot) return std::nullopt;
    const std::int32_t index = pick(byRarity(*wearableIn(cls, *slot), rarity), rng);
    const std::int32_t level = dropLevel(ctx.tier, d, levelOfHero(ctx, i), rng);
    return makeAtLevel(index, level, &rng);
}

ItemInstance untargetedEquip(const LootCtx& ctx, Rng& rng, double d, Rarity rarity) {
    const IndexList list = byRarity(equippable(), rarity);
    if (list.empty()) return {};
    const std::int32_t index = pick(list, rng);
    const std::int32_t heroLevel = ctx.levels.empty() ? 1 : ctx.levels[drawIndex(ctx.levels.size(), rng)];
    return makeAtLevel(index, dropLevel(ctx.tier, d, heroLevel, rng), &rng);
}

// A found piece of equipment; `bonus` deepens the place for the rarity and
// the level. Most rolls aim at one class of the party.
ItemInstance rollEquip(const LootCtx& ctx, Rng& rng, int bonus) {
    const double d = depthOf(ctx) + bonus;
    const Rarity rarity = rollRarity(lootTier(d, ctx.tier), rng);
    if (!ctx.classes.empty() && rng.uniform() < kClassAimChance)
        if (auto item = aimedEquip(ctx, rng, d, rarity)) return std::move(*item);
    return untargetedEquip(ctx, rng, d, rarity);
}

// The first of four ever wider searches that finds anything: the class's
// items of the rolled rarity not yet offered, of any rarity not yet offered,
// offered or not, and at last anything of the slot filter.
IndexList shopCandidates(SlotFilter filter, std::optional<ClassId> cls, Rarity rarity, const OfferedIds& offered) {
    auto fits = [&](const ItemDef& d) { return filter(d) && (!cls || wears(d, *cls)); };
    auto unoffered = [&](const ItemDef& d) { return !offered.contains(std::string_view(d.id)); };
    const std::function<bool(const ItemDef&)> stages[] = {
        [&](const ItemDef& d) { return fits(d) && d.rarity == rarity && unoffered(d); },
        [&](const ItemDef& d) { return fits(d) && unoffered(d); },
        fits,
        filter,
    };
    for (const auto& keep : stages) {
        IndexList list;
        for (std::int32_t i : equippable())
            if (keep(row(i))) list.push_back(i);
        if (!list.empty()) return list;
    }
    return {};
}

// Without a class to serve, a merchant still mostly offers what someone in
// the party can wear.
void preferPartyClasses(IndexList* list, const LootCtx& ctx, Rng& rng) {
    if (ctx.classes.empty() || rng.uniform() >= kClassAimChance) return;
    IndexList kept;
    for (std::int32_t i : *list)
        if (std::any_of(ctx.classes.begin(), ctx.classes.end(), [&](ClassId c) { return wears(row(i), c); }))
            kept.push_back(i);
    if (!kept.empty()) *list = std::move(kept);
}

// From just below the party's lowest level (f = 0) up to a top above its
// highest (f = 1), give or take one.
std::int32_t shopLevel(const LootCtx& ctx, double f, Rng& rng) {
    double lo = 1;
    double hi = 1;
    if (!ctx.levels.empty()) {
        const auto [low, high] = std::minmax_element(ctx.levels.begin(), ctx.levels.end());
        lo = std::max(1.0, static_cast<double>(*low) - 1);
        hi = *high;
    }
    const double top = hi + 3 + 2 * (static_cast<double>(ctx.tier) - 1) + std::round(0.4 * depthOf(ctx));
    const double spread = std::floor(3 * rng.uniform());
    return toLevel(std::round(lo + f * (top - lo) + spread - 1));
}

// Returns an empty item when the catalogue holds nothing for the filter.
ItemInstance rollShopEquip(const LootCtx& ctx, Rng& rng, SlotFilter filter, double f, OfferedIds* offered,
                           std::optional<ClassId> cls) {
    const Rarity rarity = rollRarity(lootTier(depthOf(ctx), ctx.tier), rng);
    IndexList list = shopCandidates(filter, cls, rarity, *offered);
    if (!cls) preferPartyClasses(&list, ctx, rng);
    if (list.empty()) return {};
    const std::int32_t index = pick(list, rng);
    offered->emplace(row(index).id);
    return makeAtLevel(index, shopLevel(ctx, f, rng), &rng);
}

std::optional<ClassId> classFor(const LootCtx& ctx, int i) {
    if (ctx.classes.empty()) return std::nullopt;
    return ctx.classes[static_cast<std::size_t>(i) % ctx.classes.size()];
}

void append(std::vector<ItemInstance>* out, ItemInstance item) {
    if (!item.empty()) out->push_back(std::move(item));
}

std::vector<ItemInstance> smithStock(SlotFilter filter, const LootCtx& ctx, Rng& rng) {
    std::vector<ItemInstance> out;
    OfferedIds offered;
    for (int i = 0; i < kSmithOffers; ++i)
        append(&out, rollShopEquip(ctx, rng, filter, i * 0.125, &offered, classFor(ctx, i)));
    return out;
}

std::vector<ItemInstance> wandererStock(const LootCtx& ctx, Rng& rng) {
    std::vector<ItemInstance> out;
    OfferedIds offered;
    for (int i = 0; i < kWandererPieces; ++i) {
        const SlotFilter filter = rng.uniform() < 0.5 ? slotIsWeapon : slotIsArmor;
        append(&out, rollShopEquip(ctx, rng, filter, i / 3.0, &offered, classFor(ctx, i)));
    }
    append(&out, makeItem("potionHp"));
    append(&out, makeItem("potionMp"));
    return out;
}

std::vector<ItemInstance> apothecaryStock(const LootCtx& ctx) {
    std::vector<ItemInstance> out;
    const std::int32_t level = potionLevel(ctx);
    for (std::int32_t i : consumablesFor(ctx)) append(&out, makeAtLevel(i, level, nullptr));
    return out;
}

// 8 % more gold per level of the party's mean above 1, rounded.
double scaleGold(const LootCtx& ctx, double gold) {
    if (!ctx.levels.empty()) {
        const double level = meanLevel(ctx);
        if (level > 1) gold *= 1 + 0.08 * (level - 1);
    }
    return std::round(gold);
}

LootQuality qualityOf(double u) {
    if (u < 0.1) return LootQuality::Trap;
    return u > 0.78 ? LootQuality::Jackpot : LootQuality::Found;
}

double trapGold(const LootCtx& ctx, Rng& rng) {
    if (rng.uniform() >= 0.5) return 0;
    return std::floor(rng.uniform() * (depthOf(ctx) + 4)) + 1;
}

void addChestConsumable(const LootCtx& ctx, Rng& rng, LootResult* out) {
    const std::int32_t level = potionLevel(ctx);
    const IndexList list = consumablesFor(ctx);
    if (list.empty()) return;
    append(&out->items, makeAtLevel(pick(list, rng), level, &rng));
}

// Jackpot pieces always come from deeper down; found pieces sometimes.
int chestBonus(bool jackpot, Rng& rng) {
    const double u = rng.uniform();
    if (jackpot) return 4 + static_cast<int>(std::floor(4 * u));
    return u < 0.18 ? 3 + rng.index(4) : 0;
}

void fillChest(const LootCtx& ctx, Rng& rng, bool jackpot, LootResult* out) {
    const int pieces = jackpot ? 4 + rng.index(2) : 2 + rng.index(3);
    if (rng.uniform() < (jackpot ? 0.8 : 0.5)) addChestConsumable(ctx, rng, out);
    for (int k = 0; k < pieces; ++k) {
        const int bonus = chestBonus(jackpot, rng);
        append(&out->items, rollEquip(ctx, rng, bonus));
    }
    const double depth = depthOf(ctx);
    const double u = rng.uniform();
    out->gold = jackpot ? std::floor((16 * depth + 81) * u) + 100 : std::floor((10 * depth + 41) * u) + 30;
}

} // namespace

LootCtx partyLootCtx(std::span<const Hero> heroes, std::int32_t depth, double ascension) {
    LootCtx ctx;
    ctx.depth = std::max(0, depth);
    // A stored count far out of range must not overflow the tier.
    const double won = std::isnan(ascension) ? 0 : std::trunc(ascension);
    ctx.tier = static_cast<std::int32_t>(std::clamp(won, 0.0, 1e9)) + 1;
    if (heroes.empty()) return ctx;
    ctx.levels.clear();
    for (const Hero& hero : heroes) {
        ctx.levels.push_back(std::max(1, hero.level));
        ctx.classes.push_back(hero.cls);
    }
    return ctx;
}

double lootTier(double depth, double tier) { return std::max(0.0, depth) + 1.9 * std::sqrt(std::max(0.0, tier - 1)); }

std::vector<ItemInstance> rollShopOffers(Merchant merchant, const LootCtx& ctx, Rng& rng) {
    switch (merchant) {
    case Merchant::Weaponsmith: return smithStock(slotIsWeapon, ctx, rng);
    case Merchant::Armorer: return smithStock(slotIsArmor, ctx, rng);
    case Merchant::Apothecary: return apothecaryStock(ctx);
    case Merchant::Wanderer: return wandererStock(ctx, rng);
    }
    return {};
}

LootResult rollTreasure(const LootCtx& ctx, Rng& rng, const LootQuality* quality) {
    const double u = rng.uniform();
    LootResult out;
    out.quality = quality ? std::min(*quality, LootQuality::Jackpot) : qualityOf(u);
    if (out.quality == LootQuality::Trap)
        out.gold = trapGold(ctx, rng);
    else
        fillChest(ctx, rng, out.quality == LootQuality::Jackpot, &out);
    out.gold = scaleGold(ctx, out.gold);
    return out;
}

LootResult rollTreasure(const LootCtx& ctx, Rng& rng) { return rollTreasure(ctx, rng, nullptr); }

LootResult rollTreasure(const LootCtx& ctx, Rng& rng, LootQuality quality) { return rollTreasure(ctx, rng, &quality); }

LootResult rollBattleLoot(const LootCtx& ctx, Rng& rng) {
    LootResult out;
    out.quality = LootQuality::Found;
    if (rng.uniform() < 0.22) append(&out.items, rollEquip(ctx, rng, 0));
    const double u = rng.uniform();
    out.gold = scaleGold(ctx, std::floor((5 * depthOf(ctx) + 17) * u) + 8);
    return out;
}

} // namespace rpg
