#pragma once
// Heroes of the roster: creation, final stats, growth by experience, the
// skills they can use, where items are worn, and the ids made for them.
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/classes.h"
#include "rules/items.h"
#include "rules/stats.h"

namespace rpg {

inline constexpr std::int32_t kMaxHeroLevel = 9999;
// A level-up brings this many stat points to spend.
inline constexpr std::int32_t kPointsPerLevel = 3;
// The most unspent points a hero can hold: every level's, none spent.
inline constexpr std::int32_t kMaxUnspentPoints = kPointsPerLevel * (kMaxHeroLevel - 1);

struct Hero {
    std::string id;  // given, or "<class id>-N" from the hero counter
    ClassId cls = ClassId::Warrior;
    std::string name;
    std::int32_t level = 1;  // 1..kMaxHeroLevel
    double xp = 0;           // towards the next level
    Equipment equipment;
    Stats alloc;             // gains bought with spent points
    std::int32_t points = 0; // unspent
    std::vector<ItemInstance> bag;
    std::map<std::string, std::int32_t, std::less<>> skillLevels;  // raised or bought skills only
    Stats statMod;           // rolled once at creation
    std::uint8_t row = 0;    // 0 front, 1 back

    friend bool operator==(const Hero&, const Hero&) = default;
};

// A new hero. Draws from looseRng() in this order: the name, the starting
// weapon, the second starting item, then one draw per stat whose class base
// is not 0. An empty id makes "<class id>-N"; the level is kept in
// 1..kMaxHeroLevel.
Hero makeHero(ClassId cls, std::string_view id, std::int32_t level);
// A name from the pool, sometimes with a digit; two draws from looseRng().
std::string randomHeroName();
// True for the classes that fight from the back row.
bool defaultRow(ClassId cls);
// How many heroes a party may hold after `ascension` won runs.
std::int32_t partyCap(double ascension);
// 0 when the hero cannot use the skill.
std::int32_t skillLevel(const Hero& hero, std::string_view skillId);
// Class base and growth, the stat modifier and allocated points, plus two
// extra bonus blocks (gear, run-wide bonuses such as the rune circle).
Stats deriveStats(const Hero& hero, const Stats& a, const Stats& b);
// With the hero's own equipment as the bonus.
Stats deriveStats(const Hero& hero);
// Adds whole experience, raises levels (3 points each) and returns the
// number of levels gained.
std::int32_t gainXp(Hero* hero, double amount);
// 0..1 of the way to the next level.
double levelProgress(const Hero& hero);
// The hero with the fewest bag items, the earlier one on a tie; null for an
// empty list (null entries are skipped).
Hero* pickBagRecipient(std::span<Hero* const> heroes);
Hero* pickBagRecipient(std::span<Hero> heroes);
// The class's skills the hero has reached, then every bought or raised skill.
std::vector<std::string> unlockedSkills(const Hero& hero);

// Save keys "mainHand" ... "amulet"; the empty text for a value above 8.
const char* equipSlotKey(EquipSlot slot);
bool equipSlotFromKey(std::string_view key, EquipSlot* out);
// Where an item of this kind is worn; false for consumables and valuables.
bool slotFor(const ItemDef& item, EquipSlot* out);
// The item level of potions that fit a hero of this level.
std::int32_t potionTierFor(std::int32_t level);

// Made hero ids and item uids come from process-wide counters that restart
// at 0, so after loading saved heroes and items the stores pass every hero
// id and item uid they loaded here: the counters move past every made id
// ("<class id>-N", "it-N") so no id made later repeats a saved one. Other
// ids are ignored.
void reserveMadeIds(std::span<const std::string> ids);
void reserveMadeId(std::string_view id);
// For tests only: sets the hero, name and item-uid counters back to 0, as
// at process start.
void resetMadeIdCounters();

} // namespace rpg
