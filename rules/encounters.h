#pragma once
// Battles of the map's combat nodes: which monsters a node fields, their
// scaled combatants and rewards, the heroes' combatants from the party, and
// the whole battle. The same inputs and generator state give the same fight.
#include <vector>

#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/map.h"
#include "rules/monsters.h"
#include "rules/rng.h"
#include "rules/run.h"
#include "rules/stats.h"

namespace rpg {

struct MonsterGroup {
    std::vector<Combatant> combatants;  // encounter order
    double rewardXp = 0;
    double rewardGold = 0;
};

// Draws in this order: the encounter, then one gold roll per monster.
// `heroes` is the party in party order; `party` carries the hit points and
// mana of the run; `runeBonus` is added to every hero.
BattleState buildBattle(const std::vector<Hero>& heroes, const std::vector<PartyMember>& party, NodeType type,
                        double depth, Rng& rng, double ascension, const Stats& runeBonus);

// A boss (with an elite escort from ascension 6), an elite with normal
// companions, or one to four normal monsters for any other node type.
std::vector<const MonsterDef*> encounterFor(NodeType type, double depth, Rng& rng, double ascension);

// One draw per monster, for its gold.
MonsterGroup buildMonsterCombatants(const std::vector<const MonsterDef*>& encounter, double depth, Rng& rng,
                                    double ascension, double partyLevel);

// Never draws.
std::vector<Combatant> buildHeroCombatants(const std::vector<Hero>& heroes, const std::vector<PartyMember>& party,
                                           const Stats& runeBonus);

} // namespace rpg
