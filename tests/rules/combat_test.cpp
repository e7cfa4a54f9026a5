#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "battle_fixture.h"
#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/leveling.h"
#include "rules/skills.h"

using namespace rpg;
using namespace battletest;
using K = CombatEvent::Kind;

namespace {

// One hero "h" against one monster "m"; the hero acts first.
BattleState duel(Stats heroStats, Stats foeStats) {
    heroStats.spd = std::max(heroStats.spd, foeStats.spd + 1);
    return createBattle({hero("h", heroStats)}, {foe("m", foeStats)}, 10, 20);
}

// Moves the cursor onto the last entry, so the next advance runs a round end.
void atRoundEnd(BattleState& s) { s.cursor = static_cast<std::int32_t>(s.order.size()) - 1; }

std::vector<CombatEvent> eventsFor(const ActionOutcome& o, const std::string& target) {
    std::vector<CombatEvent> out;
    for (const CombatEvent& e : o.events)
        if (e.target == target) out.push_back(e);
    return out;
}

const StatusInstance* statusOf(const Combatant& c, StatusKind k) {
    for (const StatusInstance& s : c.statuses)
        if (s.kind == k) return &s;
    return nullptr;
}

} // namespace

// --- hits ----------------------------------------------------------------------------

TEST(BattleHit, DamageFollowsAttackDefenceCritAndRoll) {
    struct Case { const char* what; double atk, def, crit; double uLo, uHi; double damage; bool isCrit; };
    const Case cases[] = {
        {"plain hit", 10, 5, 0, 0.45, 0.55, 6, false},
        {"critical hit", 10, 5, 100, 0.45, 0.55, 10, true},
        {"no defence: attack times power", 8, 0, 0, 0.45, 0.55, 8, false},
        {"lowest roll is 0.9", 100, 0, 0, 0.0, 0.01, 90, false},
        {"highest roll is 1.1", 100, 0, 0, 0.99, 1.0, 110, false},
        {"never below 1", 1, 1000, 0, 0.0, 1.0, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BattleState s = duel(statsOf(c.atk, 0, 0, 0, 10, c.crit), statsOf(1, c.def, 1, 0, 5));
        combatant(s, "m")->stats.maxHp = combatant(s, "m")->hp = 1000;
        Rng rng = rngWithDraw(1, c.uLo, c.uHi);
        const Rng before = rng;
        ActionOutcome o = performAction(s, "h", "attack", {"m"}, rng);
        ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage}));
        const CombatEvent& e = o.events[0];
        EXPECT_EQ(e.amount, c.damage);
        EXPECT_EQ(e.crit, c.isCrit);
        EXPECT_EQ(e.actor, "h");
        EXPECT_EQ(e.target, "m");
        EXPECT_EQ(e.skill, "attack");
        EXPECT_EQ(combatant(s, "m")->hp, 1000 - c.damage);
        EXPECT_EQ(drawsBetween(before, rng), 2);  // critical roll, damage roll
    }
}

TEST(BattleHit, MagicUsesMagicAgainstResistance) {
    // smite: power 1.3; magic 10 against resistance 0 gives 13 at a middle roll,
    // however thick the armour.
    BattleState s = duel(statsOf(1, 0, 10, 0, 10), statsOf(1, 500, 1, 0, 5));
    Rng rng = rngWithDraw(1, 0.45, 0.55);
    ActionOutcome o = performAction(s, "h", "smite", {"m"}, rng);
    ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage}));
    EXPECT_EQ(o.events[0].amount, 13);
}

TEST(BattleHit, ShieldAbsorbsFirst) {
    struct Case { double hit; double reported, hpLost; bool shieldLeft; double magnitudeLeft; };
    const Case cases[] = {{8, 3, 3, false, 0}, {4, 0, 0, true, 1}, {5, 0, 0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hit);
        BattleState s = duel(statsOf(c.hit, 0, 0, 0, 10), statsOf(1, 0, 1, 0, 5));
        combatant(s, "m")->statuses = {{StatusKind::Poison, 2, 1}, {StatusKind::Shield, 3, 5}};
        Rng rng = rngWithDraw(1, 0.45, 0.55);
        ActionOutcome o = performAction(s, "h", "attack", {"m"}, rng);
        ASSERT_EQ(o.events.size(), 1u);
        EXPECT_EQ(o.events[0].amount, c.reported);
        const Combatant& m = *combatant(s, "m");
        EXPECT_EQ(m.hp, 100 - c.hpLost);
        const StatusInstance* shield = statusOf(m, StatusKind::Shield);
        ASSERT_EQ(shield != nullptr, c.shieldLeft);
        if (shield) {
            EXPECT_EQ(shield->magnitude, c.magnitudeLeft);
        }
        EXPECT_NE(statusOf(m, StatusKind::Poison), nullptr);
    }
}

TEST(BattleHit, StatusChanceShrinksWithResistance) {
    // firebolt: burn for 2 rounds, magnitude 4, chance 0.4; the third draw decides.
    struct Case { double resist; double uLo, uHi; bool applies; };
    const Case cases[] = {
        {0, 0.30, 0.35, true},  {50, 0.30, 0.35, false}, {50, 0.10, 0.15, true},
        {100, 0.0, 0.01, false}, {250, 0.0, 0.01, false}, {-20, 0.30, 0.35, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resist);
        BattleState s = duel(statsOf(1, 0, 5, 0, 10), statsOf(1, 0, 1, 0, 5));
        combatant(s, "m")->resist[std::size_t(StatusKind::Burn)] = c.resist;
        Rng rng = rngWithDraw(2, c.uLo, c.uHi);
        const Rng before = rng;
        ActionOutcome o = performAction(s, "h", "firebolt", {"m"}, rng);
        EXPECT_EQ(drawsBetween(before, rng), 3);
        const StatusInstance* burn = statusOf(*combatant(s, "m"), StatusKind::Burn);
        if (c.applies) {
            ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage, K::StatusApplied}));
            EXPECT_TRUE(o.events[1].actor.empty());
            EXPECT_TRUE(o.events[1].hasStatus);
            EXPECT_EQ(o.events[1].status, StatusKind::Burn);
            ASSERT_NE(burn, nullptr);
            EXPECT_EQ(burn->rounds, 2);
            EXPECT_EQ(burn->magnitude, 4);
        } else {
            EXPECT_EQ(kinds(o), (std::vector<K>{K::Damage}));
            EXPECT_EQ(burn, nullptr);
        }
    }
}

TEST(BattleHit, SkillLevelRaisesPowerAndStatusMagnitude) {
    BattleState s = duel(statsOf(1, 0, 10, 0, 10), statsOf(1, 0, 1, 0, 5));
    combatant(s, "h")->skillLevels["firebolt"] = 3;
    Rng rng = rngWhere(3, [](const std::vector<double>& u) { return u[1] >= 0.45 && u[1] < 0.55 && u[2] < 0.3; });
    ActionOutcome o = performAction(s, "h", "firebolt", {"m"}, rng);
    ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage, K::StatusApplied}));
    EXPECT_EQ(o.events[0].amount, std::round(10 * skillPowerAt(*findSkill("firebolt"), 3)));
    EXPECT_EQ(statusOf(*combatant(s, "m"), StatusKind::Burn)->magnitude, 5);  // round(4 * 1.3)
}

TEST(BattleHit, NoStatusRollOnAFallenTarget) {
    BattleState s = duel(statsOf(1, 0, 500, 0, 10), statsOf(1, 0, 1, 0, 5));
    Rng rng{7};
    const Rng before = rng;
    ActionOutcome o = performAction(s, "h", "firebolt", {"m"}, rng);
    EXPECT_EQ(kinds(o), (std::vector<K>{K::Damage, K::Death}));
    EXPECT_EQ(drawsBetween(before, rng), 2);
    EXPECT_EQ(s.outcome, OutcomeWon);
}

TEST(BattleHit, ExecuteFinishesALowTargetThatSurvives) {
    // meucheln executes at 10 % of maximum hit points; the hit itself does 1.
    struct Case { double hp; std::vector<K> events; double hpAfter; };
    const Case cases[] = {
        {10, {K::Damage, K::Executed, K::Death}, 0},
        {11, {K::Damage, K::Executed, K::Death}, 0},  // 10 left after the hit
        {12, {K::Damage}, 11},
        {1, {K::Damage, K::Death}, 0},  // the hit kills: nothing to execute
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hp);
        BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 1000, 1, 0, 5));
        combatant(s, "m")->hp = c.hp;
        Rng rng{3};
        ActionOutcome o = performAction(s, "h", "meucheln", {"m"}, rng);
        EXPECT_EQ(kinds(o), c.events);
        EXPECT_EQ(combatant(s, "m")->hp, c.hpAfter);
        if (c.events.size() > 1 && c.events[1] == K::Executed) {
            EXPECT_EQ(o.events[1].actor, "h");
        }
    }
}

TEST(BattleHit, AreaSkillsReachEveryLivingFoeInCombatantOrder) {
    BattleState s = createBattle({hero("h", statsOf(10, 0, 10, 0, 20))},
                                 {foe("a", statsOf(1, 0, 1, 0, 5)), foe("b", statsOf(1, 0, 1, 0, 5)),
                                  foe("c", statsOf(1, 0, 1, 0, 5))},
                                 0, 0);
    combatant(s, "b")->hp = 0;
    Rng rng{11};
    // The given list is ignored for area skills.
    ActionOutcome o = performAction(s, "h", "cleave", {"b"}, rng);
    ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage, K::Damage}));
    EXPECT_EQ(o.events[0].target, "a");
    EXPECT_EQ(o.events[1].target, "c");
    EXPECT_EQ(combatant(s, "h")->mp, 30 - 6);
}

// --- drain, healing, buffs and revive --------------------------------------------------

TEST(BattleDrain, SharedDrainBecomesRegenerationForLivingAllies) {
    // sanguineGift: drain 0.6, shared; 20 damage -> regeneration round(12 / 3) = 4.
    BattleState s = createBattle({hero("v", statsOf(20 / 1.1, 0, 0, 0, 20)), hero("a", statsOf(1, 0, 0, 0, 5)),
                                  hero("dead", statsOf(1, 0, 0, 0, 5))},
                                 {foe("m", statsOf(1, 0, 1, 0, 5))}, 0, 0);
    combatant(s, "dead")->hp = 0;
    combatant(s, "a")->statuses = {{StatusKind::Regen, 1, 6}};
    Rng rng = rngWithDraw(1, 0.45, 0.55);
    ActionOutcome o = performAction(s, "v", "sanguineGift", {"m"}, rng);
    ASSERT_EQ(kinds(o), (std::vector<K>{K::Damage, K::StatusApplied, K::StatusApplied}));
    EXPECT_EQ(o.events[0].amount, 20);
    EXPECT_EQ(o.events[1].target, "v");
    EXPECT_EQ(o.events[2].target, "a");
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(o.events[i].actor, "v");
        EXPECT_EQ(o.events[i].status, StatusKind::Regen);
    }
    EXPECT_EQ(*statusOf(*combatant(s, "v"), StatusKind::Regen), (StatusInstance{StatusKind::Regen, 3, 4}));
    // A held regeneration is refreshed: the longer rounds, the larger magnitude.
    EXPECT_EQ(*statusOf(*combatant(s, "a"), StatusKind::Regen), (StatusInstance{StatusKind::Regen, 3, 6}));
    EXPECT_TRUE(combatant(s, "dead")->statuses.empty());
}

TEST(BattleDrain, UnsharedDrainHealsTheUser) {
    // drainTouch: magic, power 1, drain 0.5; 9 damage heals round(4.5) = 5.
    struct Case { double hpBefore; std::vector<K> events; double hpAfter; };
    const Case cases[] = {{50, {K::Damage, K::Heal}, 55}, {98, {K::Damage, K::Heal}, 100}, {100, {K::Damage}, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hpBefore);
        BattleState s = duel(statsOf(1, 0, 9, 0, 10), statsOf(1, 0, 1, 0, 5));
        combatant(s, "h")->hp = c.hpBefore;
        Rng rng = rngWithDraw(1, 0.45, 0.55);
        ActionOutcome o = performAction(s, "h", "drainTouch", {"m"}, rng);
        ASSERT_EQ(kinds(o), c.events);
        EXPECT_EQ(o.events[0].amount, 9);
        if (c.events.size() == 2) {
            EXPECT_EQ(o.events[1].actor, "h");
            EXPECT_EQ(o.events[1].target, "h");
            EXPECT_EQ(o.events[1].amount, c.hpAfter - c.hpBefore);
        }
        EXPECT_EQ(combatant(s, "h")->hp, c.hpAfter);
    }
}

TEST(BattleSupport, HealCleanseBuffAndRevive) {
    BattleState s = createBattle({hero("c", statsOf(1, 0, 10, 0, 20)), hero("w", statsOf(1, 0, 0, 0, 5)),
                                  hero("f", Stats{45, 0, 1, 0, 0, 0, 5, 0})},
                                 {foe("m", statsOf(1, 0, 1, 0, 5))}, 0, 0);
    Combatant& w = *combatant(s, "w");
    w.hp = 90;
    w.statuses = {{StatusKind::Poison, 2, 3}, {StatusKind::AtkUp, 2, 4}, {StatusKind::Stun, 1, 0},
                  {StatusKind::DefDown, 1, 2}, {StatusKind::Slow, 1, 2}, {StatusKind::Burn, 1, 1}};
    Rng rng = rngWithDraw(0, 0.45, 0.55);

    // heal: round(1.5 * 10) = 15 at a middle roll, capped at the maximum.
    ActionOutcome heal = performAction(s, "c", "heal", {"w"}, rng);
    ASSERT_EQ(kinds(heal), (std::vector<K>{K::Heal}));
    EXPECT_EQ(heal.events[0].amount, 10);
    EXPECT_EQ(heal.events[0].skill, "heal");
    EXPECT_EQ(combatant(s, "w")->hp, 100);

    // purify removes poison, burn, stun and slow and keeps the rest in order.
    ActionOutcome purify = performAction(s, "c", "purify", {"w"}, rng);
    ASSERT_EQ(kinds(purify), (std::vector<K>{K::Purified, K::Heal}));
    EXPECT_EQ(purify.events[0].amount, 4);
    EXPECT_EQ(purify.events[1].amount, 0);
    ASSERT_EQ(combatant(s, "w")->statuses.size(), 2u);
    EXPECT_EQ(combatant(s, "w")->statuses[0].kind, StatusKind::AtkUp);
    EXPECT_EQ(combatant(s, "w")->statuses[1].kind, StatusKind::DefDown);
    ActionOutcome again = performAction(s, "c", "purify", {"w"}, rng);
    EXPECT_EQ(again.events[0].amount, 0);

    // A status-only skill never rolls and ignores resistance.
    combatant(s, "m")->resist.fill(100);
    const Rng before = rng;
    ActionOutcome weaken = performAction(s, "c", "weaken", {"m"}, rng);
    ASSERT_EQ(kinds(weaken), (std::vector<K>{K::StatusApplied}));
    EXPECT_EQ(weaken.events[0].actor, "c");
    EXPECT_EQ(drawsBetween(before, rng), 0);
    EXPECT_EQ(*statusOf(*combatant(s, "m"), StatusKind::AtkDown), (StatusInstance{StatusKind::AtkDown, 3, 4}));

    // revive: round(45 * 0.5) = 23, whatever the level.
    combatant(s, "f")->hp = 0;
    combatant(s, "c")->skillLevels["revive"] = 5;
    ActionOutcome revive = performAction(s, "c", "revive", {"f"}, rng);
    ASSERT_EQ(kinds(revive), (std::vector<K>{K::Revive}));
    EXPECT_EQ(revive.events[0].amount, 23);
    EXPECT_EQ(combatant(s, "f")->hp, 23);
}

TEST(BattleSupport, DefendLastsUntilTheNextRoundEnd) {
    for (std::int32_t level : {1, 3}) {
        BattleState s = duel(statsOf(1, 10, 0, 0, 10), statsOf(1, 0, 1, 0, 5));
        combatant(s, "h")->skillLevels["defend"] = level;
        Rng rng{5};
        ActionOutcome o = performAction(s, "h", "defend", {}, rng);
        ASSERT_EQ(kinds(o), (std::vector<K>{K::StatusApplied}));
        EXPECT_EQ(o.events[0].target, "h");
        EXPECT_EQ(effectiveStats(*combatant(s, "h")).def, 10 + statusMagAt(8, level));
        advance(s, rng);  // the monster's turn
        EXPECT_EQ(effectiveStats(*combatant(s, "h")).def, 10 + statusMagAt(8, level));
        advance(s, rng);  // round end
        EXPECT_EQ(effectiveStats(*combatant(s, "h")).def, 10);
        EXPECT_TRUE(combatant(s, "h")->statuses.empty());
    }
}

TEST(BattleSupport, EffectiveStatsSumStatusesAndClamp) {
    Combatant c = hero("h", statsOf(5, 3, 7, 2, 4));
    c.statuses = {{StatusKind::AtkUp, 1, 4}, {StatusKind::AtkDown, 1, 20}, {StatusKind::DefUp, 1, 2},
                  {StatusKind::DefDown, 1, 9}, {StatusKind::Slow, 1, 10}, {StatusKind::Shield, 1, 50}};
    const Stats e = effectiveStats(c);
    EXPECT_EQ(e.atk, 1);
    EXPECT_EQ(e.def, 0);
    EXPECT_EQ(e.spd, 1);
    EXPECT_EQ(e.mag, 7);
    EXPECT_EQ(e.maxHp, 100);
    c.statuses = {{StatusKind::AtkUp, 1, 4}, {StatusKind::DefUp, 1, 2}, {StatusKind::Slow, 1, 1}};
    const Stats up = effectiveStats(c);
    EXPECT_EQ(up.atk, 9);
    EXPECT_EQ(up.def, 5);
    EXPECT_EQ(up.spd, 3);
    EXPECT_EQ(effectiveStats(hero("z", Stats{})).atk, 1);  // clamps apply without statuses
}

// --- steals ------------------------------------------------------------------------------

TEST(BattleSteal, ChanceDependsOnCritAndSpeedAndIsCapped) {
    struct Case { double crit, spd; double uLo, uHi; bool success; };
    const Case cases[] = {
        {5, 10, 0.38, 0.40, true}, {5, 10, 0.40, 0.42, false},
        {100, 200, 0.88, 0.90, true}, {100, 200, 0.90, 0.92, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.crit << " " << c.spd << " " << c.uLo);
        BattleState s = duel(Stats{100, 0, 1, 0, 0, 0, c.spd, c.crit}, statsOf(1, 0, 1, 0, 5));
        Rng rng = rngWithDraw(0, c.uLo, c.uHi);
        const Rng before = rng;
        ActionOutcome o = performAction(s, "h", "taschendiebstahl", {"m"}, rng);
        ASSERT_GE(o.events.size(), 1u);
        EXPECT_EQ(o.events[0].kind, K::Steal);
        EXPECT_FALSE(o.events[0].looted);
        EXPECT_EQ(combatant(s, "m")->hp, 100);  // a steal does no damage
        EXPECT_TRUE(combatant(s, "m")->robbed);
        if (c.success) {
            EXPECT_GE(o.events[0].amount, 6 + 4);  // round(0.04 * 100) = 4
        } else {
            EXPECT_EQ(o.events.size(), 1u);
            EXPECT_EQ(o.events[0].amount, 0);
            EXPECT_TRUE(o.events[0].item.empty());
            EXPECT_EQ(drawsBetween(before, rng), 1);
        }
        // A second try on the same target reports it robbed and draws nothing.
        const Rng second = rng;
        ActionOutcome again = performAction(s, "h", "taschendiebstahl", {"m"}, rng);
        ASSERT_EQ(kinds(again), (std::vector<K>{K::Steal}));
        EXPECT_TRUE(again.events[0].looted);
        EXPECT_EQ(again.events[0].amount, 0);
        EXPECT_EQ(drawsBetween(second, rng), 0);
    }
}

TEST(BattleSteal, LootStaysWithinItsLists) {
    const std::set<std::string> potions = {"potionHp", "potionMp", "antidote"};
    const std::set<std::string> gear = {"woodenRing", "leatherBelt", "leatherBoots", "woodenShield", "leatherCap"};
    for (std::int32_t level : {1, 25}) {
        const std::int32_t tier = level == 1 ? 1 : 20;
        std::set<std::string> seen;
        int bonus = 0;
        for (std::uint32_t seed = 1; seed <= 600; ++seed) {
            BattleState s = duel(Stats{100, 0, 1, 0, 0, 0, 200, 100}, Stats{250, 0, 1, 0, 1, 0, 5, 0});
            combatant(s, "h")->level = level;
            Rng rng{seed};
            ActionOutcome o = performAction(s, "h", "taschendiebstahl", {"m"}, rng);
            ASSERT_FALSE(o.events.empty());
            if (o.events[0].amount == 0) continue;  // failed
            const CombatEvent& first = o.events[0];
            EXPECT_GE(first.amount, 16);  // 6 + round(0.04 * 250)
            EXPECT_LE(first.amount, 26);
            EXPECT_LE(first.amount, maxStolenGold(250)) << "the bound the play layer holds steals to";
            if (!first.item.empty()) {
                EXPECT_TRUE(isStealableItem(first.item, first.itemLevel, level)) << first.item;
                seen.insert(first.item);
                const bool potion = potions.count(first.item) > 0;
                EXPECT_TRUE(potion || gear.count(first.item) || first.item == "trompetchen") << first.item;
                EXPECT_EQ(first.itemLevel, potion ? tier : 0) << first.item;
            }
            ASSERT_LE(o.events.size(), 2u);
            if (o.events.size() == 2) {
                ++bonus;
                const CombatEvent& extra = o.events[1];
                EXPECT_EQ(extra.kind, K::Steal);
                EXPECT_EQ(extra.amount, 0);
                EXPECT_TRUE(potions.count(extra.item)) << extra.item;
                EXPECT_EQ(extra.itemLevel, tier);
                EXPECT_TRUE(isStealableItem(extra.item, extra.itemLevel, level)) << extra.item;
                seen.insert(extra.item);
            }
        }
        EXPECT_GT(bonus, 100);
        EXPECT_EQ(seen.count("trompetchen"), 1u);
        EXPECT_EQ(seen.count("woodenRing") + seen.count("leatherCap"), 2u);
        // Antidotes are left behind once the party outgrows them.
        EXPECT_EQ(seen.count("antidote"), tier > 10 ? 0u : 1u) << level;
    }
}

// The bounds a steal's loot is checked against, at their edges.
TEST(BattleSteal, BoundsOfTheLoot) {
    EXPECT_EQ(maxStolenGold(250), 26);
    EXPECT_EQ(maxStolenGold(0), 16);
    EXPECT_EQ(maxStolenGold(12), 16) << "0.48 rounds to nothing";
    EXPECT_EQ(maxStolenGold(13), 17);
    struct Case {
        const char* item;
        std::int32_t itemLevel, thiefLevel;
        bool stealable;
    };
    const std::int32_t low = potionTierFor(1), high = potionTierFor(25);
    ASSERT_LE(low, 10);
    ASSERT_GT(high, 10);
    for (const Case& c : {Case{"potionHp", low, 1, true}, Case{"antidote", low, 1, true},
                          Case{"antidote", high, 25, false}, Case{"potionMp", high, 25, true},
                          Case{"potionMp", low, 25, false}, Case{"potionHp", 0, 1, false},
                          Case{"leatherBoots", 0, 25, true}, Case{"trompetchen", 0, 1, true},
                          Case{"woodenShield", low, 1, false}, Case{"ironSword", 0, 1, false},
                          Case{"", 0, 1, false}, Case{"noSuchThing", 0, 1, false}}) {
        EXPECT_EQ(isStealableItem(c.item, c.itemLevel, c.thiefLevel), c.stealable)
            << c.item << " at " << c.itemLevel << " by level " << c.thiefLevel;
    }
}

// --- turn order and rounds ---------------------------------------------------------------

TEST(BattleOrder, FasterFirstHeroesLeadTies) {
    BattleState s = createBattle(
        {hero("h1", statsOf(1, 0, 0, 0, 5)), hero("h2", statsOf(1, 0, 0, 0, 5)), hero("slowed", statsOf(1, 0, 0, 0, 9)),
         hero("down", statsOf(1, 0, 0, 0, 50))},
        {foe("m1", statsOf(1, 0, 0, 0, 5)), foe("fast", statsOf(1, 0, 0, 0, 7)), foe("m2", statsOf(1, 0, 0, 0, 5))}, 0,
        0);
    EXPECT_EQ(s.order, (std::vector<std::string>{"down", "slowed", "fast", "h2", "h1", "m1", "m2"}));
    // Statuses count at the next rebuild; the fallen drop out of it.
    combatant(s, "slowed")->statuses = {{StatusKind::Slow, 3, 4}};
    combatant(s, "down")->hp = 0;
    Rng rng{1};
    atRoundEnd(s);
    advance(s, rng);
    EXPECT_EQ(s.order, (std::vector<std::string>{"fast", "slowed", "h2", "h1", "m1", "m2"}));
    EXPECT_EQ(s.cursor, 0);
    EXPECT_EQ(s.round, 2);
    EXPECT_EQ(currentActor(s)->id, "fast");
}

TEST(BattleOrder, CreateStartsOnTheFirstInOrder) {
    BattleState s = createBattle({hero("h", statsOf(1, 0, 0, 0, 3))}, {foe("m", statsOf(1, 0, 0, 0, 4))}, 12.5, 30);
    EXPECT_EQ(s.combatants.size(), 2u);
    EXPECT_EQ(s.combatants[0].id, "h");
    EXPECT_EQ(s.cursor, 0);
    EXPECT_EQ(s.round, 1);
    EXPECT_EQ(s.outcome, OutcomeRunning);
    EXPECT_EQ(s.rewardXp, 12.5);
    EXPECT_EQ(s.rewardGold, 30);
    EXPECT_EQ(currentActor(s)->id, "m");
}

TEST(BattleRound, ManaAndHitPointRegeneration) {
    struct Case { double maxMp, mp, mpRegen, hp, hpRegen; double mpGain, hpGain; };
    const Case cases[] = {
        {30, 0, 0, 100, 0, 4, 0},  {5, 0, 0, 100, 0, 1, 0},  {0, 0, 0, 100, 0, 0, 0},
        {30, 0, 2, 100, 0, 6, 0},  {30, 28, 0, 100, 0, 2, 0}, {30, 30, 0, 50, 3, 0, 3},
        {30, 30, 0, 99, 3, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxMp << " " << c.mp << " " << c.mpRegen << " " << c.hpRegen);
        BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
        Combatant& h = *combatant(s, "h");
        h.stats.maxMp = c.maxMp;
        h.mp = c.mp;
        h.mpRegen = c.mpRegen;
        h.hp = c.hp;
        h.hpRegen = c.hpRegen;
        Rng rng{1};
        atRoundEnd(s);
        ActionOutcome o = advance(s, rng);
        std::vector<CombatEvent> mine = eventsFor(o, "h");
        std::size_t expected = (c.mpGain > 0 ? 1 : 0) + (c.hpGain > 0 ? 1 : 0);
        ASSERT_EQ(mine.size(), expected);
        std::size_t i = 0;
        if (c.mpGain > 0) {
            EXPECT_EQ(mine[i].kind, K::Tick);
            EXPECT_TRUE(mine[i].mana);
            EXPECT_EQ(mine[i].status, StatusKind::Regen);
            EXPECT_EQ(mine[i++].amount, c.mpGain);
        }
        if (c.hpGain > 0) {
            EXPECT_EQ(mine[i].kind, K::Tick);
            EXPECT_FALSE(mine[i].mana);
            EXPECT_EQ(mine[i].amount, c.hpGain);
        }
        EXPECT_EQ(combatant(s, "h")->mp, c.mp + c.mpGain);
        EXPECT_EQ(combatant(s, "h")->hp, c.hp + c.hpGain);
    }
}

TEST(BattleRound, DamageOverTimeAndTheFallen) {
    BattleState s = createBattle({hero("a", statsOf(1, 0, 0, 0, 10)), hero("b", statsOf(1, 0, 0, 0, 9))},
                                 {foe("m", statsOf(1, 0, 0, 0, 5))}, 0, 0);
    Combatant& a = *combatant(s, "a");
    a.hp = 3;
    a.mp = 0;
    a.statuses = {{StatusKind::Poison, 3, 7}, {StatusKind::Regen, 3, 5}, {StatusKind::AtkUp, 1, 2}};
    combatant(s, "b")->statuses = {{StatusKind::Regen, 2, 5}, {StatusKind::Burn, 2, 2}};
    combatant(s, "b")->hp = 99;
    Rng rng{1};
    atRoundEnd(s);
    ActionOutcome o = advance(s, rng);
    EXPECT_EQ(rng.state, 1u);  // round ends never draw

    // The poison reports its magnitude, kills, and the regeneration after it never ticks.
    std::vector<CombatEvent> forA = eventsFor(o, "a");
    ASSERT_EQ(forA.size(), 2u);
    EXPECT_EQ(forA[0].kind, K::Tick);
    EXPECT_EQ(forA[0].status, StatusKind::Poison);
    EXPECT_EQ(forA[0].amount, 7);
    EXPECT_EQ(forA[1].kind, K::Death);
    EXPECT_EQ(combatant(s, "a")->hp, 0);
    // Regeneration reports what it gave (1 at 99 of 100), then the burn.
    std::vector<CombatEvent> forB = eventsFor(o, "b");
    ASSERT_GE(forB.size(), 2u);
    EXPECT_EQ(forB[0].status, StatusKind::Regen);
    EXPECT_EQ(forB[0].amount, 1);
    EXPECT_EQ(forB[1].status, StatusKind::Burn);
    EXPECT_EQ(combatant(s, "b")->hp, 98);

    // The fallen keep their statuses, which still count down without ticking.
    const auto& kept = combatant(s, "a")->statuses;
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], (StatusInstance{StatusKind::Poison, 2, 7}));
    EXPECT_EQ(kept[1], (StatusInstance{StatusKind::Regen, 2, 5}));
    atRoundEnd(s);
    o = advance(s, rng);
    EXPECT_TRUE(eventsFor(o, "a").empty());
    EXPECT_EQ(combatant(s, "a")->statuses[0].rounds, 1);
    ActionOutcome revived = performItemUse(s, ConsumableEffect::Revive, 50, "a");
    ASSERT_EQ(kinds(revived), (std::vector<K>{K::Revive}));
    EXPECT_EQ(combatant(s, "a")->statuses.size(), 2u);
}

TEST(BattleRound, StunCostsTurnsNotRounds) {
    for (std::int32_t rounds : {1, 2}) {
        SCOPED_TRACE(rounds);
        BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
        combatant(s, "h")->statuses = {{StatusKind::Stun, rounds, 0}};
        Rng rng{1};
        advance(s, rng);  // the first turn passes to the monster
        for (std::int32_t skipped = 1; skipped <= rounds; ++skipped) {
            ActionOutcome o = advance(s, rng);  // round end, then the hero's turn is lost
            ASSERT_FALSE(eventsFor(o, "h").empty());
            EXPECT_EQ(eventsFor(o, "h").back().kind, K::StunnedSkip);
            EXPECT_EQ(currentActor(s)->id, "m");
            EXPECT_EQ(combatant(s, "h")->statuses.empty(), skipped == rounds);
        }
        advance(s, rng);
        EXPECT_EQ(currentActor(s)->id, "h");
    }
}

TEST(BattleRound, FallenCombatantsLoseTheirTurnSilently) {
    BattleState s = createBattle({hero("h", statsOf(1, 0, 0, 0, 10))},
                                 {foe("a", statsOf(1, 0, 0, 0, 8)), foe("b", statsOf(1, 0, 0, 0, 6))}, 0, 0);
    combatant(s, "a")->hp = 0;
    Rng rng{1};
    ActionOutcome o = advance(s, rng);
    EXPECT_TRUE(o.events.empty());
    EXPECT_EQ(currentActor(s)->id, "b");
}

// --- outcome --------------------------------------------------------------------------------

TEST(BattleOutcome, DecidedRightAfterTheActionThenFrozen) {
    BattleState s = duel(statsOf(1000, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
    Rng rng{9};
    performAction(s, "h", "attack", {"m"}, rng);
    EXPECT_EQ(s.outcome, OutcomeWon);
    const BattleState frozen = s;
    EXPECT_TRUE(advance(s, rng).events.empty());
    EXPECT_EQ(s, frozen);
}

TEST(BattleOutcome, BothSidesFallingInOneRoundIsAWin) {
    BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
    combatant(s, "h")->statuses = {{StatusKind::Poison, 2, 500}};
    combatant(s, "m")->statuses = {{StatusKind::Burn, 2, 500}};
    Rng rng{1};
    atRoundEnd(s);
    ActionOutcome o = advance(s, rng);
    EXPECT_EQ(s.outcome, OutcomeWon);
    EXPECT_EQ(std::count_if(o.events.begin(), o.events.end(), [](const CombatEvent& e) { return e.kind == K::Death; }), 2);
}

TEST(BattleOutcome, EmptySidesEndAtTheFirstRoundEnd) {
    struct Case { bool heroes, enemies; std::uint8_t outcome; };
    const Case cases[] = {{true, false, OutcomeWon}, {false, true, OutcomeLost}, {false, false, OutcomeWon}};
    for (const Case& c : cases) {
        std::vector<Combatant> hs, es;
        if (c.heroes) hs.push_back(hero("h", statsOf(1, 0, 0, 0, 5)));
        if (c.enemies) es.push_back(foe("m", statsOf(1, 0, 0, 0, 5)));
        BattleState s = createBattle(hs, es, 0, 0);
        Rng rng{1};
        for (int i = 0; i < 3 && s.outcome == OutcomeRunning; ++i) advance(s, rng);
        EXPECT_EQ(s.outcome, c.outcome);
    }
}

// --- items --------------------------------------------------------------------------------------

TEST(BattleItems, EachEffect) {
    struct Case {
        const char* what; ConsumableEffect effect; double amount; double hp, mp;
        std::vector<K> events; double amountOut; double hpAfter, mpAfter;
    };
    const Case cases[] = {
        {"heal", ConsumableEffect::HealHp, 30, 90, 0, {K::Heal}, 10, 100, 0},
        {"heal the fallen", ConsumableEffect::HealHp, 30, 0, 0, {K::Heal}, 30, 30, 0},
        {"mana", ConsumableEffect::RestoreMp, 35, 50, 10, {K::Heal}, 20, 50, 30},
        {"revive the living", ConsumableEffect::Revive, 50, 40, 0, {}, 0, 40, 0},
        {"revive", ConsumableEffect::Revive, 50, 0, 0, {K::Revive}, 50, 50, 0},
        {"revive at least 1", ConsumableEffect::Revive, 0.4, 0, 0, {K::Revive}, 1, 1, 0},
        {"purify", ConsumableEffect::Purify, 1, 50, 0, {K::Purified}, 1, 50, 0},
        {"no effect", ConsumableEffect::None, 10, 50, 0, {}, 0, 50, 0},
        {"unknown effect", static_cast<ConsumableEffect>(42), 10, 50, 0, {}, 0, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
        Combatant& h = *combatant(s, "h");
        h.hp = c.hp;
        h.mp = c.mp;
        h.statuses = {{StatusKind::AtkUp, 2, 3}, {StatusKind::Poison, 2, 3}};
        ActionOutcome o = performItemUse(s, c.effect, c.amount, "h");
        ASSERT_EQ(kinds(o), c.events);
        if (!c.events.empty()) {
            EXPECT_EQ(o.events[0].amount, c.amountOut);
            EXPECT_TRUE(o.events[0].actor.empty());
            EXPECT_EQ(o.events[0].mana, c.effect == ConsumableEffect::RestoreMp);
        }
        EXPECT_EQ(combatant(s, "h")->hp, c.hpAfter);
        EXPECT_EQ(combatant(s, "h")->mp, c.mpAfter);
    }
}

TEST(BattleItems, TonicsRefreshAndUnknownTargetsChangeNothing) {
    BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
    combatant(s, "h")->statuses = {{StatusKind::DefUp, 5, 2}};
    ActionOutcome def = performItemUse(s, ConsumableEffect::DefenceUp, 6, "h");
    ActionOutcome atk = performItemUse(s, ConsumableEffect::AttackUp, 6, "h");
    ASSERT_EQ(kinds(def), (std::vector<K>{K::StatusApplied}));
    EXPECT_EQ(def.events[0].status, StatusKind::DefUp);
    EXPECT_EQ(atk.events[0].status, StatusKind::AtkUp);
    EXPECT_EQ(combatant(s, "h")->statuses,
              (std::vector<StatusInstance>{{StatusKind::DefUp, 5, 6}, {StatusKind::AtkUp, 3, 6}}));

    const BattleState before = s;
    EXPECT_TRUE(performItemUse(s, ConsumableEffect::HealHp, 10, "nobody").events.empty());
    EXPECT_EQ(s, before);

    // Any use brings the outcome up to date.
    combatant(s, "m")->hp = 0;
    performItemUse(s, ConsumableEffect::Revive, 50, "h");
    EXPECT_EQ(s.outcome, OutcomeWon);
}

// --- bad input -------------------------------------------------------------------------------------

TEST(BattleBadInput, ActionsThatCannotHappenChangeNothing) {
    BattleState s = createBattle({hero("h", statsOf(10, 0, 0, 0, 10)), hero("dead", statsOf(10, 0, 0, 0, 8))},
                                 {foe("m", statsOf(1, 0, 0, 0, 5))}, 0, 0);
    combatant(s, "dead")->hp = 0;
    struct Case { const char* actor; const char* skill; };
    const Case cases[] = {{"nobody", "attack"}, {"dead", "attack"}, {"h", "noSuchSkill"}, {"", ""}, {"h", "Attack"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.actor << "/" << c.skill);
        const BattleState before = s;
        Rng rng{4};
        EXPECT_TRUE(performAction(s, c.actor, c.skill, {"m"}, rng).events.empty());
        EXPECT_EQ(s, before);
        EXPECT_EQ(rng.state, 4u);
    }
    // Unknown targets are dropped after the mana is paid.
    Rng rng{4};
    EXPECT_TRUE(performAction(s, "h", "firebolt", {"ghost", ""}, rng).events.empty());
    EXPECT_EQ(combatant(s, "h")->mp, 25);
    EXPECT_EQ(rng.state, 4u);
    // A skill the actor cannot pay for still resolves; mana stops at 0.
    combatant(s, "h")->mp = 2;
    EXPECT_EQ(kinds(performAction(s, "h", "cleave", {}, rng)), (std::vector<K>{K::Damage}));
    EXPECT_EQ(combatant(s, "h")->mp, 0);
}

TEST(BattleBadInput, LookupsAndLegalTargets) {
    BattleState s = createBattle({hero("h", statsOf(1, 0, 0, 0, 10)), hero("down", statsOf(1, 0, 0, 0, 8)),
                                  hero("x", statsOf(1, 0, 0, 0, 7))},
                                 {foe("m", statsOf(1, 0, 0, 0, 5)), foe("gone", statsOf(1, 0, 0, 0, 5)),
                                  foe("m2", statsOf(1, 0, 0, 0, 5))},
                                 0, 0);
    combatant(s, "down")->hp = 0;
    combatant(s, "gone")->hp = -3;
    struct Case { const char* actor; const char* skill; std::vector<std::string> ids; };
    const std::vector<Case> cases = {
        {"h", "attack", {"m", "m2"}},       {"h", "cleave", {"m", "m2"}},   {"h", "heal", {"h", "x"}},
        {"h", "warcry", {"h", "x"}},         {"h", "defend", {"h"}},         {"h", "revive", {"down"}},
        {"m", "attack", {"h", "x"}},         {"m", "revive", {"gone"}},      {"down", "defend", {"down"}},
        {"nobody", "attack", {}},            {"h", "noSuchSkill", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(legalTargets(s, c.actor, c.skill), c.ids) << c.actor << " " << c.skill;

    EXPECT_EQ(aliveIdsOnSide(s, Side::Heroes), (std::vector<std::string>{"h", "x"}));
    EXPECT_EQ(aliveOnSide(s, Side::Enemies).size(), 2u);
    EXPECT_EQ(combatant(s, "missing"), nullptr);
    s.cursor = -1;
    EXPECT_EQ(currentActor(s), nullptr);
    s.cursor = static_cast<std::int32_t>(s.order.size());
    EXPECT_EQ(currentActor(s), nullptr);
    s.order[0] = "missing";
    s.cursor = 0;
    EXPECT_EQ(currentActor(s), nullptr);
}

TEST(BattleBadInput, AdvanceGivesUpWhenNobodyCanAct) {
    BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
    for (Combatant& c : s.combatants) c.statuses = {{StatusKind::Stun, 100000, 0}};
    Rng rng{1};
    for (int call = 0; call < 2; ++call) {
        ActionOutcome o = advance(s, rng);
        EXPECT_EQ(std::count_if(o.events.begin(), o.events.end(),
                                [](const CombatEvent& e) { return e.kind == K::StunnedSkip; }),
                  200);
        EXPECT_EQ(s.outcome, OutcomeRunning);
        ASSERT_NE(currentActor(s), nullptr);
    }
}

TEST(BattleBadInput, AdvanceRecoversFromAStrayCursor) {
    for (std::int32_t cursor : {-5, INT_MAX, 1000}) {
        BattleState s = duel(statsOf(1, 0, 0, 0, 10), statsOf(1, 0, 0, 0, 5));
        s.cursor = cursor;
        Rng rng{1};
        advance(s, rng);
        ASSERT_NE(currentActor(s), nullptr) << cursor;
        EXPECT_GT(currentActor(s)->hp, 0);
    }
}
