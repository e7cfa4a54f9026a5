#pragma once
// The battle engine: the state of one fight between the party (side 0) and a
// group of monsters (side 1), turn order by speed, skills, consumables,
// status effects and round ends, every change reported as ordered events;
// and the monsters' decision procedure. All randomness comes from the
// caller's generator, so a battle replays exactly from the same state.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "rules/items.h"
#include "rules/rng.h"
#include "rules/skills.h"
#include "rules/stats.h"

namespace rpg {

enum class Side : std::uint8_t {
    Heroes = 0,
    Enemies = 1,
};

// The byte `BattleState::outcome`.
enum BattleOutcome : std::uint8_t {
    OutcomeRunning = 0,
    OutcomeWon = 1,   // no enemy lives
    OutcomeLost = 2,  // no hero lives
};

struct StatusInstance {
    StatusKind kind = StatusKind::Poison;
    std::int32_t rounds = 0;  // rounds left
    double magnitude = 0;

    friend bool operator==(const StatusInstance&, const StatusInstance&) = default;
};

struct Combatant {
    std::string id;  // the hero's id, or "e<index in the encounter>"
    Side side = Side::Heroes;
    std::string nameKey;
    std::string name;  // heroes only; monsters show nameKey (after prefixKey)
    std::int32_t level = 1;
    std::string prefixKey;
    std::string sprite;
    std::uint8_t recolour = 0;
    std::array<std::uint32_t, 4> colours{};  // 0xRRGGBB
    std::string heroId;  // empty for monsters
    Stats stats;         // maxima and base values, before statuses
    double hp = 0;       // alive while above 0
    double mp = 0;
    std::vector<StatusInstance> statuses;  // in the order kinds were first applied
    std::vector<std::string> skills;
    // Missing entries, and entries below 1, count as level 1.
    std::map<std::string, std::int32_t, std::less<>> skillLevels;
    bool backRow = false;
    bool robbed = false;  // a steal has been tried on it
    double mpRegen = 0;   // extra mana at every round end
    double hpRegen = 0;   // hit points at every round end
    std::array<double, kStatusCount> resist{};  // percent, per StatusKind

    friend bool operator==(const Combatant&, const Combatant&) = default;
};

struct BattleState {
    std::vector<Combatant> combatants;  // heroes first, then enemies; never removed
    std::vector<std::string> order;     // turn order of the current round
    std::int32_t cursor = 0;            // index into order
    std::int32_t round = 1;
    std::uint8_t outcome = OutcomeRunning;
    double rewardXp = 0;
    double rewardGold = 0;

    friend bool operator==(const BattleState&, const BattleState&) = default;
};

struct CombatEvent {
    enum Kind : std::uint8_t {
        Damage = 0,
        Heal = 1,
        StatusApplied = 2,
        Purified = 3,
        Death = 4,
        Revive = 5,
        Tick = 6,
        StunnedSkip = 7,
        Steal = 8,
        Executed = 9,
    };
    Kind kind = Damage;
    std::string actor;  // empty when nobody caused it
    std::string target;
    double amount = 0;
    bool crit = false;
    bool hasStatus = false;
    StatusKind status = StatusKind::Poison;
    std::string skill;
    std::string item;  // a stolen item's catalogue id
    std::int32_t itemLevel = 0;
    bool looted = false;  // the steal target had been robbed before
    bool mana = false;    // the amount is mana

    friend bool operator==(const CombatEvent&, const CombatEvent&) = default;
};

struct ActionOutcome {
    std::vector<CombatEvent> events;
};

// The heroes then the enemies; the turn order is built from the starting hit
// points, so a combatant entering at 0 waits for a round end after a revive.
BattleState createBattle(std::vector<Combatant> heroes, std::vector<Combatant> enemies, double rewardXp,
                         double rewardGold);

// The combatant named at the cursor, living or not; null when the cursor is
// outside the order or names nobody.
const Combatant* currentActor(const BattleState& state);
// The first combatant with the id; null when none.
Combatant* combatant(BattleState& state, std::string_view id);
const Combatant* combatant(const BattleState& state, std::string_view id);
std::vector<const Combatant*> aliveOnSide(const BattleState& state, Side side);
std::vector<std::string> aliveIdsOnSide(const BattleState& state, Side side);

// Stats with status effects applied; attack never below 1, defence never
// below 0, speed never below 1.
Stats effectiveStats(const Combatant& c);

// The ids the actor may pick for the skill, in combatant order; empty for an
// unknown actor or skill.
std::vector<std::string> legalTargets(const BattleState& state, std::string_view actorId,
                                      std::string_view skillId);

// One skill use. A missing or fallen actor or an unknown skill changes
// nothing; otherwise the mana is paid (whether the actor could afford it is
// the caller's check) and unknown target ids are dropped.
ActionOutcome performAction(BattleState& state, std::string_view actorId, std::string_view skillId,
                            const std::vector<std::string>& targetIds, Rng& rng);
// One consumable on one target; never draws. `amount` is worked out by the
// caller from the item.
ActionOutcome performItemUse(BattleState& state, ConsumableEffect effect, double amount, std::string_view targetId);
// Moves the cursor to the next combatant able to act, running round ends on
// the way; never draws. Gives up after 200 steps when nobody can act.
ActionOutcome advance(BattleState& state, Rng& rng);

// What a steal can take, as stealFrom rolls it: at most this much gold from
// a target of these maximum hit points, and only these items: a potion at
// the thief's potion tier (no antidote above tier 10), or one of the
// trinkets or the trumpet at item level 0.
double maxStolenGold(double targetMaxHp);
bool isStealableItem(std::string_view itemId, std::int32_t itemLevel, std::int32_t thiefLevel);

// The monsters' decision: a skill id and its targets.
struct AiAction {
    std::string skill;
    std::vector<std::string> targets;
};

// Reads the state only; at most two draws, none when the actor has no usable
// skill besides attack and defend. Works for either side.
AiAction aiChooseAction(const BattleState& state, std::string_view actorId, Rng& rng);

} // namespace rpg
