#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "battle_fixture.h"
#include "rules/difficulty.h"
#include "rules/encounters.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/skills.h"

using namespace rpg;
using namespace battletest;

namespace {

// Scaling reads the process-wide difficulty: every test starts and ends on easy.
class EncounterTest : public ::testing::Test {
protected:
    void SetUp() override { setActiveDifficulty(Difficulty::Easy); }
    void TearDown() override { setActiveDifficulty(Difficulty::Easy); }
};

std::vector<std::uint8_t> tiers(const std::vector<const MonsterDef*>& e) {
    std::vector<std::uint8_t> out;
    for (const MonsterDef* m : e) out.push_back(m->tier);
    return out;
}

} // namespace

TEST_F(EncounterTest, BattleNodeSizes) {
    struct Case { double depth, ascension; double uLo, uHi; std::size_t count; };
    const Case cases[] = {
        {0, 0, 0.0, 0.35, 2}, {0, 0, 0.35, 1.0, 1}, {3, 0, 0.35, 1.0, 2}, {4, 2, 0.0, 0.35, 3},
        {9, 3, 0.0, 0.35, 4}, {9, 3, 0.35, 1.0, 4}, {0, -9, 0.0, 0.35, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " " << c.ascension << " " << c.uLo);
        Rng rng = rngWithDraw(0, c.uLo, c.uHi);
        const Rng before = rng;
        auto e = encounterFor(NodeType::Battle, c.depth, rng, c.ascension);
        EXPECT_EQ(e.size(), c.count);
        EXPECT_EQ(tiers(e), std::vector<std::uint8_t>(c.count, TierNormal));
        EXPECT_EQ(drawsBetween(before, rng), static_cast<int>(1 + c.count));
    }
    // Every type that is no elite or boss fights like a battle node.
    Rng a{5}, b{5};
    EXPECT_EQ(encounterFor(NodeType::Rest, 2, a, 0), encounterFor(NodeType::Battle, 2, b, 0));
}

TEST_F(EncounterTest, EliteAndBossNodes) {
    struct Case { NodeType type; double depth, ascension; double uLo, uHi; std::vector<std::uint8_t> tiers; int draws; };
    const Case cases[] = {
        {NodeType::Elite, 4, 0, 0, 1, {TierElite, TierNormal}, 2},
        {NodeType::Elite, 5, 0, 0, 1, {TierElite, TierNormal, TierNormal}, 3},
        {NodeType::Elite, 0, 3, 0, 1, {TierElite, TierNormal, TierNormal}, 3},
        {NodeType::Elite, 9, 12, 0, 1, {TierElite, TierNormal, TierNormal}, 3},
        {NodeType::Elite, 0, -3, 0, 1, {TierElite}, 1},
        {NodeType::Boss, 8, 5, 0, 1, {TierBoss}, 1},
        {NodeType::Boss, 8, 6, 0.0, 0.5, {TierBoss}, 2},      // the second draw: no escort
        {NodeType::Boss, 8, 6, 0.5, 1.0, {TierBoss, TierElite}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.type) << " " << c.depth << " " << c.ascension << " " << c.uLo);
        Rng rng = rngWithDraw(1, c.uLo, c.uHi);
        const Rng before = rng;
        auto e = encounterFor(c.type, c.depth, rng, c.ascension);
        EXPECT_EQ(tiers(e), c.tiers);
        EXPECT_EQ(drawsBetween(before, rng), c.draws);
    }
}

TEST_F(EncounterTest, MonsterCombatantsRewardsAndManaFloor) {
    // Two hand-made monsters with fixed gold rolls of 8 and 10.
    static const std::uint16_t kSkills[] = {static_cast<std::uint16_t>(skillIndex("attack")),
                                            static_cast<std::uint16_t>(skillIndex("shellHarden")),
                                            static_cast<std::uint16_t>(skillIndex("drainTouch"))};
    MonsterDef a;
    a.id = "testA";
    a.nameKey = "monster.testA";
    a.prefixKey = "monster.pre.test";
    a.sprite = "wolf";
    a.recolour = 1;
    a.colours = {1, 2, 3, 4};
    a.base = Stats{40, 12, 8, 3, 5, 2, 9, 5};
    a.skills = kSkills;
    a.xp = 10;
    a.goldMin = a.goldMax = 8;
    a.tier = TierElite;
    MonsterDef b = a;
    b.id = "testB";
    b.prefixKey = nullptr;
    b.base.maxMp = 100;
    b.skills = std::span<const std::uint16_t>(kSkills, 1);
    b.goldMin = b.goldMax = 10;
    b.tier = TierNormal;

    Rng rng{3};
    MonsterGroup g = buildMonsterCombatants({&a, &b}, 3, rng, 0, 5);
    ASSERT_EQ(g.combatants.size(), 2u);
    EXPECT_EQ(g.rewardGold, 104);  // round((10 + round(2.5 * 18) + 24) * 1.32)
    EXPECT_EQ(g.rewardXp, scaleMonster(a, 3, 0, 5).reward + scaleMonster(b, 3, 0, 5).reward);

    const Combatant& e0 = g.combatants[0];
    EXPECT_EQ(e0.id, "e0");
    EXPECT_EQ(e0.side, Side::Enemies);
    EXPECT_EQ(e0.nameKey, "monster.testA");
    EXPECT_EQ(e0.prefixKey, "monster.pre.test");
    EXPECT_EQ(e0.sprite, "wolf");
    EXPECT_EQ(e0.recolour, 1);
    EXPECT_EQ(e0.colours, (std::array<std::uint32_t, 4>{1, 2, 3, 4}));
    EXPECT_TRUE(e0.name.empty());
    EXPECT_TRUE(e0.heroId.empty());
    EXPECT_EQ(e0.level, encounterLevel(3, 0, 5, 2));
    EXPECT_EQ(e0.skills, (std::vector<std::string>{"attack", "shellHarden", "drainTouch"}));
    EXPECT_TRUE(e0.skillLevels.empty());
    // The cheapest spell costs 5: at least 5 * 5 + 6 = 31 mana.
    const Stats scaled = scaleMonster(a, 3, 0, 5).stats;
    EXPECT_LT(scaled.maxMp, 31);
    EXPECT_EQ(e0.stats.maxMp, 31);
    EXPECT_EQ(e0.mp, 31);
    EXPECT_EQ(e0.stats.maxHp, scaled.maxHp);
    EXPECT_EQ(e0.hp, scaled.maxHp);
    EXPECT_EQ(e0.stats.atk, scaled.atk);

    const Combatant& e1 = g.combatants[1];
    EXPECT_EQ(e1.id, "e1");
    EXPECT_TRUE(e1.prefixKey.empty());
    EXPECT_EQ(e1.level, encounterLevel(3, 0, 5, 0));
    EXPECT_EQ(e1.stats.maxMp, scaleMonster(b, 3, 0, 5).stats.maxMp);  // no spell, no floor

    Rng none{3};
    MonsterGroup empty = buildMonsterCombatants({}, 3, none, 0, 5);
    EXPECT_TRUE(empty.combatants.empty());
    EXPECT_EQ(empty.rewardXp, 0);
    EXPECT_EQ(empty.rewardGold, 45);  // round((10 + 24) * 1.32)
    EXPECT_EQ(none.state, 3u);
}

TEST_F(EncounterTest, CheapestSpellOfSixGivesThirtySixMana) {
    static const std::uint16_t kSkills[] = {static_cast<std::uint16_t>(skillIndex("attack")),
                                            static_cast<std::uint16_t>(skillIndex("shellHarden"))};
    MonsterDef m;
    m.base = Stats{40, 12, 8, 3, 5, 2, 9, 5};
    m.skills = kSkills;
    m.goldMin = m.goldMax = 1;
    Rng rng{1};
    const Combatant c = buildMonsterCombatants({&m}, 0, rng, 0, 1).combatants.at(0);
    EXPECT_EQ(scaleMonster(m, 0, 0, 1).stats.maxMp, 12);
    EXPECT_EQ(c.stats.maxMp, 36);
}

TEST_F(EncounterTest, HeroCombatantsCarryTheRun) {
    Hero w = makeTestHero("w", ClassId::Warrior, 4);
    w.skillLevels["cleave"] = 3;
    w.equipment[EquipSlot::Ring1] = makeItem("woodenRing", MakeItemOpts{"ring-1", 0, false}, nullptr);
    w.equipment[EquipSlot::Ring1].affixes = {{0, 2, StatusKind::Poison}, {1, 3, StatusKind::Poison},
                                             {2, 40, StatusKind::Burn}};
    const Hero c = makeTestHero("c", ClassId::Cleric, 2);
    const Hero m = makeTestHero("m", ClassId::Mage, 1);
    const Stats rune{5, 0, 1, 0, 0, 0, 0, 0};
    const std::vector<PartyMember> party = {{"c", 9999, 3}, {"m", 0, 0}, {"c", 1, 1}};

    const std::vector<Combatant> out = buildHeroCombatants({w, c, m}, party, rune);
    ASSERT_EQ(out.size(), 3u);
    const Combatant& cw = out[0];
    EXPECT_EQ(cw.id, "w");
    EXPECT_EQ(cw.heroId, "w");
    EXPECT_EQ(cw.side, Side::Heroes);
    EXPECT_EQ(cw.nameKey, "class.warrior");
    EXPECT_EQ(cw.name, "Test w");
    EXPECT_EQ(cw.sprite, "warrior");
    EXPECT_EQ(cw.level, 4);
    EXPECT_EQ(cw.stats, deriveStats(w, equipBonus(w.equipment), rune));
    EXPECT_EQ(cw.hp, cw.stats.maxHp);  // not in the run party: full
    EXPECT_EQ(cw.mp, cw.stats.maxMp);
    EXPECT_EQ(cw.skills, unlockedSkills(w));
    EXPECT_EQ(cw.skillLevels.at("cleave"), 3);
    EXPECT_EQ(cw.skillLevels.at("bash"), 1);
    EXPECT_FALSE(cw.backRow);
    EXPECT_EQ(cw.mpRegen, 2);
    EXPECT_EQ(cw.hpRegen, 3);
    EXPECT_EQ(cw.resist[std::size_t(StatusKind::Burn)], 40);
    EXPECT_EQ(out[1].hp, out[1].stats.maxHp);  // the first entry counts, capped at the maximum
    EXPECT_EQ(out[1].mp, 3);
    EXPECT_TRUE(out[1].backRow);
    EXPECT_EQ(out[2].hp, 0);  // enters fallen

    const BattleState s = createBattle(out, {}, 0, 0);
    EXPECT_EQ(std::count(s.order.begin(), s.order.end(), "m"), 0);
}

TEST_F(EncounterTest, SameSeedTextSameBattle) {
    const std::vector<Hero> heroes = {makeTestHero("w", ClassId::Warrior, 5), makeTestHero("d", ClassId::Druide, 4),
                                      makeTestHero("r", ClassId::Rogue, 5)};
    for (NodeType type : {NodeType::Battle, NodeType::Elite, NodeType::Boss}) {
        SCOPED_TRACE(int(type));
        Rng a = rngFromText("12345-n4_1"), b = rngFromText("12345-n4_1"), c = rngFromText("12345-n4_2");
        const BattleState first = buildBattle(heroes, {}, type, 4, a, 7, Stats{});
        const BattleState again = buildBattle(heroes, {}, type, 4, b, 7, Stats{});
        const BattleState other = buildBattle(heroes, {}, type, 4, c, 7, Stats{});
        EXPECT_EQ(first, again);
        EXPECT_EQ(a.state, b.state);
        EXPECT_NE(first, other);
        EXPECT_EQ(first.combatants[3].id, "e0");
        EXPECT_LE(first.combatants.size(), 3u + 4u);
    }
}

TEST_F(EncounterTest, BuildBattleDrawsTheEncounterThenTheGold) {
    const std::vector<Hero> heroes = {makeTestHero("w", ClassId::Warrior, 3), makeTestHero("m", ClassId::Mage, 4)};
    Rng rng = rngFromText("seed-n2_0");
    Rng probe = rng;
    const auto encounter = encounterFor(NodeType::Elite, 2, probe, 1);
    const MonsterGroup group = buildMonsterCombatants(encounter, 2, probe, 1, 4);  // round(7 / 2) = 4 (3.5 up)
    const BattleState s = buildBattle(heroes, {}, NodeType::Elite, 2, rng, 1, Stats{});
    EXPECT_EQ(rng.state, probe.state);
    ASSERT_EQ(s.combatants.size(), 2 + group.combatants.size());
    EXPECT_EQ(s.combatants[2], group.combatants[0]);
    EXPECT_EQ(s.rewardXp, group.rewardXp);
    EXPECT_EQ(s.rewardGold, group.rewardGold);
    EXPECT_EQ(s.round, 1);
    EXPECT_EQ(s.outcome, OutcomeRunning);

    // No heroes: the party level counts as 1.
    Rng lone = rngFromText("seed-n2_0");
    const BattleState empty = buildBattle({}, {}, NodeType::Battle, 0, lone, 0, Stats{});
    ASSERT_FALSE(empty.combatants.empty());
    EXPECT_EQ(empty.combatants[0].level, encounterLevel(0, 0, 1, 0));
}

TEST_F(EncounterTest, DifficultyShapesTheMonsters) {
    const std::vector<Hero> heroes = {makeTestHero("w", ClassId::Warrior, 5)};
    Rng a = rngFromText("d"), b = rngFromText("d");
    const BattleState easy = buildBattle(heroes, {}, NodeType::Boss, 8, a, 0, Stats{});
    setActiveDifficulty(Difficulty::Insane);
    const BattleState insane = buildBattle(heroes, {}, NodeType::Boss, 8, b, 0, Stats{});
    EXPECT_EQ(easy.combatants[1].nameKey, insane.combatants[1].nameKey);
    EXPECT_GT(insane.combatants[1].stats.maxHp, easy.combatants[1].stats.maxHp);
    EXPECT_EQ(insane.rewardXp, easy.rewardXp);
}
