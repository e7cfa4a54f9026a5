#pragma once
// The item catalogue (rows, rarities, kinds, sets) and owned items: instances
// of catalogue rows with their own uid, an optional rolled bonus, an item
// level and affixes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/classes.h"
#include "rules/rng.h"
#include "rules/skills.h"
#include "rules/stats.h"

namespace rpg {

enum class Rarity : std::uint8_t {
    Common = 0,
    Uncommon = 1,
    Rare = 2,
    Epic = 3,
    Legendary = 4,
    Mythic = 5,
    Primordial = 6,
    Eternal = 7,
};
inline constexpr int kRarityCount = 8;

// The kind of an item.
enum class ItemSlot : std::uint8_t {
    Weapon = 0,
    Shield = 1,
    Helm = 2,
    Armor = 3,
    Belt = 4,
    Boots = 5,
    Ring = 6,
    Amulet = 7,
    Consumable = 8,
    Valuable = 9,
};
inline constexpr int kItemSlotCount = 10;

// The nine worn slots of a hero.
enum class EquipSlot : std::uint8_t {
    MainHand = 0,
    OffHand = 1,
    Helm = 2,
    Armor = 3,
    Belt = 4,
    Boots = 5,
    Ring1 = 6,
    Ring2 = 7,
    Amulet = 8,
};
inline constexpr int kEquipSlotCount = 9;

enum class ConsumableEffect : std::uint8_t {
    None = 0,
    HealHp = 1,
    RestoreMp = 2,
    Revive = 3,
    Purify = 4,
    AttackUp = 5,
    DefenceUp = 6,
};

// The byte `ItemDef::weaponClass`.
enum WeaponClass : std::uint8_t {
    WeaponBlade = 0,
    WeaponDagger = 1,
    WeaponStaff = 2,
    WeaponMace = 3,
    WeaponAxe = 4,
    WeaponBow = 5,
    WeaponNone = 6,
};

// The byte `ItemDef::armorWeight`.
enum ArmorWeight : std::uint8_t {
    WeightCloth = 0,
    WeightLight = 1,
    WeightHeavy = 2,
};

inline constexpr int kMaxItemBonus = 4;

struct ItemDef {
    const char* id = "";
    const char* nameKey = "";  // "item." + id
    ItemSlot slot = ItemSlot::Weapon;
    Rarity rarity = Rarity::Common;
    std::int32_t bonusCount = 0;
    std::array<StatId, kMaxItemBonus> bonusStats{};
    std::array<double, kMaxItemBonus> bonusValues{};  // may be negative
    const char* icon = "";  // sprite name
    double price = 0;       // gold
    std::int32_t spare = 8;  // carried in every row, read by no rule
    const char* setId = nullptr;
    std::uint8_t twoHanded = 0;
    ConsumableEffect effect = ConsumableEffect::None;
    // Potions: percent of the maximum restored; elixir: percent of maximum
    // hit points on revive; tonics: size of the buff; antidote: 1.
    double power = 0;
    std::uint8_t armorWeight = WeightCloth;
    std::uint8_t weaponClass = WeaponNone;
    const char* weaponClassKey = nullptr;  // "weaponClass.blade" ...
    std::uint8_t classMask = 0;            // bit n: ClassId n may wear it
};

inline constexpr int kMaxSetTiers = 3;

struct SetTier {
    std::int32_t pieces = 0;
    Stats bonus{};
};

struct SetDef {
    const char* id = "";
    const char* nameKey = "";  // "set." + id
    std::int32_t tierCount = 0;
    std::array<SetTier, kMaxSetTiers> tiers{};  // rising pieces
};

const std::vector<ItemDef>& items();
const std::vector<SetDef>& sets();

std::int32_t itemIndex(std::string_view id);
const ItemDef* findItem(std::string_view id);
const SetDef* findSet(std::string_view id);

// The id and colour functions take 0-7 only; an unknown text parses to
// common.
const char* rarityId(Rarity r);
Rarity rarityFromId(std::string_view id);
std::uint32_t rarityColor(Rarity r);
// The level of an item of this rarity that carries none of its own.
std::int32_t rarityBaseLevel(Rarity r);

// The empty text for a value above 9.
const char* itemSlotId(ItemSlot slot);

// The row's fixed bonus as a stat block.
Stats itemBaseBonus(const ItemDef& item);

// Item levels follow the party's levels and the ascension count; loot at
// the highest of both stays far below this.
inline constexpr std::int32_t kMaxItemLevel = 99999;

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
    std::int32_t ilvl = 0;         // 0: the base level of the row's rarity; at most kMaxItemLevel
    std::vector<ItemAffix> affixes;

    bool empty() const { return uid.empty(); }
    friend bool operator==(const ItemInstance&, const ItemInstance&) = default;
};

// What a hero wears, one item per EquipSlot; a slot is empty when its item
// has no uid.
struct Equipment {
    std::array<ItemInstance, kEquipSlotCount> slots{};

    ItemInstance& operator[](EquipSlot s) { return slots[static_cast<std::size_t>(s)]; }
    const ItemInstance& operator[](EquipSlot s) const { return slots[static_cast<std::size_t>(s)]; }
    friend bool operator==(const Equipment&, const Equipment&) = default;
};

struct MakeItemOpts {
    std::string uid;           // used when not empty
    std::int32_t level = 0;    // the item level, when levelGiven
    bool levelGiven = false;
};

struct AffixTotals {
    double manaRegen = 0;
    double hpRegen = 0;
    std::array<double, kStatusCount> resist{};  // percent, per StatusKind, at most 100
};

struct SetPieceCount {
    std::string setId;
    std::int32_t count = 0;
};

// A new item of catalogue row `id`. Without a generator, and always for
// consumables, nothing is rolled and nothing drawn; with one, equipment rolls
// its bonus and may get up to two affixes. The draw order is fixed: one draw
// per bonus entry, then the affix draws. An unknown id gives an empty item
// and uses no uid.
ItemInstance makeItem(std::string_view id, const MakeItemOpts& opts, Rng* rng);
ItemInstance makeItem(std::string_view id);
// A copy under a fresh uid.
ItemInstance cloneItem(const ItemInstance& item);

// The roll when rolled, else the row's bonus; affixes never count.
Stats itemBonus(const ItemInstance& item);
std::int32_t itemLevel(const ItemInstance& item);
double buyPrice(const ItemInstance& item);
double sellPrice(const ItemInstance& item);
double consumablePower(const ItemInstance& item);
// What a potion restores of `maximum` for a hero of `heroLevel`; potions
// below the hero's level restore proportionally less, never under 1.
double consumableHeal(const ItemInstance& item, double maximum, std::int32_t heroLevel);

AffixTotals equipAffixTotals(const Equipment& eq);

// A single figure to compare gear: weighted stats, rounded, never negative.
double gearScore(const Stats& stats);
double gearScore(const Stats& stats, const std::vector<StatId>& keys);
double gearScore(const ItemInstance& item);

// Worn pieces per set, each set once, in slot order of first appearance.
std::vector<SetPieceCount> setPieces(const Equipment& eq);
// The highest tier reached of each set; tiers do not add up.
Stats setBonus(const Equipment& eq);
// Every worn item's bonus plus the set bonus; affixes are separate.
Stats equipBonus(const Equipment& eq);
std::vector<ClassId> equipClasses(const ItemDef& item);

// Made uids are "it-N" from a process-wide counter that restarts at 0.
// Moves that counter past N when `uid` has that form; other texts change
// nothing. Called for every uid loaded from disk (see reserveMadeIds).
void reserveItemUid(std::string_view uid);
// For tests only: sets the uid counter back to 0, as at process start.
void resetItemUidCounter();

} // namespace rpg
