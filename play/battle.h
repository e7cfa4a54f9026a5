#pragma once
// A battle of the run: how it is built from the run and the node, what a
// bag item used in it does and costs, and how its end is settled.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "play/outcome.h"
#include "play/run.h"
#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/rng.h"

namespace play {

// A battle as it begins: copies of the party (to build it and read weapons),
// the generator every engine call of the battle draws from, and the state.
struct Battle {
    std::vector<rpg::Hero> heroes;
    rpg::Rng rng;
    rpg::BattleState state;
};

// "<run seed>-<node id>": the text the battle's generator is seeded from.
std::string battleSeedText(std::uint32_t runSeed, const std::string& nodeId);
// The battle of the node for the party and the run in the stores: the same
// run, node and party always give the same battle. Every hero who fights it
// is in the run's party from here on (in memory; the settlement saves it).
Battle buildBattle(const std::string& nodeId, rpg::NodeType type);

// What a bag item does to the target: potions restore a share of the
// target's maxima, less for an owner above the potion's level; other
// consumables their catalogue power.
double itemAmount(const rpg::ItemInstance& item, const rpg::ItemDef& def, const rpg::Combatant& target,
                  const rpg::Hero& owner);
// Takes item `index` out of the roster hero's bag and saves, so a lost or
// abandoned battle cannot give it back; the item, or nothing for a hero or
// index that does not exist.
std::optional<rpg::ItemInstance> spendBagItem(const std::string& heroId, std::size_t index);

// The loot of a steal event of the battle goes to the run: the gold to the
// run's gold (not the lasting gold), a known item at the event's item level
// to the run's inventory. Saved with the battle's end (settleBattle), not
// here: a battle is not kept on disk, so one broken off is fought afresh and
// its steals with it, and a steal saved alone would be taken twice. Coin.
// Refused (no sound) without a run and for anything the battle cannot have
// given: an event that is no steal by a hero from a robbed monster of
// `state`, more gold than the rules let that monster yield, an item no steal
// yields; and with nothing to take (a failed steal, a target robbed before).
Result takeStolen(const rpg::BattleState& state, const rpg::CombatEvent& steal);

// One hero's share of a victory's experience.
struct XpGain {
    std::string heroId;
    double xp = 0;
    int levelBefore = 1;
    int levelAfter = 1;
};

// Each run party member takes its combatant's hit points and mana.
void copyBackParty(const rpg::BattleState& state);
// Experience for every party hero, by its level against the encounter's,
// at least 1 each; a level-up refills the hero's run members to its new
// maxima. One row per hero, in party order. Saves nothing.
std::vector<XpGain> grantXp(double rewardXp, int depth, rpg::NodeType type);

struct BattleEnd {
    bool won = false;
    std::vector<XpGain> rows;  // a victory's experience
    RunEnd run;                // a defeat's ended run
};
// The settlement of a decided battle, in the frame it is decided. The party
// keeps the hit points and mana it ended with. A victory pays experience and
// gold (the lasting gold and the run's), and a first clear moves the party
// onto the node, clears it and raises the best depth; a node won again only
// pays. A defeat ends the run (settleRun, lost). Either way one step on
// disk. Without a run nothing is settled.
BattleEnd settleBattle(const rpg::BattleState& state, const std::string& nodeId, rpg::NodeType type);

} // namespace play
