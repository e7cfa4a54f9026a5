#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle_fixture.h"
#include "rules/combat.h"

using namespace rpg;
using namespace battletest;

namespace {

using Ids = std::vector<std::string>;

// Three front heroes at 30, 12 and 12 hit points, a back-row hero at 5, and
// the acting monster "m" with the given skills beside a wounded ally.
BattleState party(Ids skills, double mp = 30) {
    std::vector<Combatant> heroes = {hero("a", statsOf(1, 0, 0, 0, 5)), hero("b", statsOf(1, 0, 0, 0, 5)),
                                     hero("c", statsOf(1, 0, 0, 0, 5)), hero("back", statsOf(1, 0, 0, 0, 5))};
    heroes[0].hp = 30;
    heroes[1].hp = 12;
    heroes[2].hp = 12;
    heroes[3].hp = 5;
    heroes[3].backRow = true;
    std::vector<Combatant> foes = {foe("m", statsOf(1, 0, 0, 0, 5)), foe("ally", statsOf(1, 0, 0, 0, 5))};
    foes[0].skills = std::move(skills);
    foes[0].mp = mp;
    return createBattle(std::move(heroes), std::move(foes), 0, 0);
}

// A generator whose first draw picks a skill (below 0.6) and whose second
// lands in [lo, hi).
Rng castWith(double lo, double hi) {
    return rngWhere(2, [&](const std::vector<double>& u) { return u[0] < 0.6 && u[1] >= lo && u[1] < hi; });
}

} // namespace

TEST(MonsterAi, DefaultTargetIsTheWeakestInTheFrontRow) {
    BattleState s = party({"attack"});
    Rng rng{1};
    AiAction a = aiChooseAction(s, "m", rng);
    EXPECT_EQ(a.skill, "attack");
    EXPECT_EQ(a.targets, Ids{"b"});
    // With the front row fallen the back row is reached.
    for (const char* id : {"a", "b", "c"}) combatant(s, id)->hp = 0;
    EXPECT_EQ(aiChooseAction(s, "m", rng).targets, Ids{"back"});
    combatant(s, "back")->hp = 0;
    EXPECT_EQ(aiChooseAction(s, "m", rng).targets, Ids{});
}

TEST(MonsterAi, NothingUsableMeansAttackWithoutADraw) {
    const std::vector<std::pair<Ids, double>> cases = {
        {{"attack"}, 30}, {{"attack", "defend"}, 30}, {{"attack", "firebolt"}, 4}, {{"attack", "noSuchSkill"}, 30}, {{}, 30},
    };
    for (const auto& [skills, mp] : cases) {
        BattleState s = party(skills, mp);
        Rng rng{77};
        AiAction a = aiChooseAction(s, "m", rng);
        EXPECT_EQ(a.skill, "attack");
        EXPECT_EQ(a.targets, Ids{"b"});
        EXPECT_EQ(rng.state, 77u) << skills.size() << " skills, mp " << mp;
    }
}

TEST(MonsterAi, ChanceOfASkillAndWhichOne) {
    BattleState s = party({"attack", "firebolt", "defend", "maul"}, 5);  // maul costs 4, firebolt 5
    Rng attack = rngWithDraw(0, 0.6, 1.0);
    Rng before = attack;
    EXPECT_EQ(aiChooseAction(s, "m", attack).skill, "attack");
    EXPECT_EQ(drawsBetween(before, attack), 1);
    Rng first = castWith(0.0, 0.5), second = castWith(0.5, 1.0);
    before = first;
    AiAction a = aiChooseAction(s, "m", first);
    EXPECT_EQ(a.skill, "firebolt");
    EXPECT_EQ(a.targets, Ids{"b"});
    EXPECT_EQ(drawsBetween(before, first), 2);
    EXPECT_EQ(aiChooseAction(s, "m", second).skill, "maul");
}

TEST(MonsterAi, TargetsByKind) {
    struct Case { const char* what; Ids skills; double allyHp; Ids statuses; const char* skill; Ids targets; };
    const std::vector<Case> cases = {
        {"an area skill reaches the back row too", {"attack", "cleave"}, 100, {}, "cleave", {"a", "b", "c", "back"}},
        {"a heal goes to the most hurt ally", {"attack", "healAlly"}, 80, {}, "healAlly", {"ally"}},
        {"no heal while every ally is at 85 % or more", {"attack", "healAlly"}, 90, {}, "attack", {"b"}},
        {"85 % exactly is healthy", {"attack", "healAlly"}, 85, {}, "attack", {"b"}},
        {"a buff on one ally needs no wound", {"attack", "rejuvenate"}, 100, {}, "rejuvenate", {"m"}},
        {"all allies", {"attack", "roar"}, 10, {}, "roar", {"m", "ally"}},
        {"a self buff", {"attack", "bulwark"}, 100, {}, "bulwark", {"m"}},
        {"a self buff already held", {"attack", "bulwark"}, 100, {"defUp"}, "attack", {"b"}},
        {"another status does not block it", {"attack", "bulwark"}, 100, {"atkUp"}, "bulwark", {"m"}},
        {"a self heal when healthy", {"attack", "mendWound"}, 100, {}, "attack", {"b"}},
        {"a revive is never chosen", {"attack", "revive"}, 0, {}, "attack", {"b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BattleState s = party(c.skills);
        combatant(s, "ally")->hp = c.allyHp;
        for (const std::string& st : c.statuses)
            combatant(s, "m")->statuses.push_back({st == "defUp" ? StatusKind::DefUp : StatusKind::AtkUp, 2, 3});
        Rng rng = castWith(0.0, 1.0);
        const Rng before = rng;
        AiAction a = aiChooseAction(s, "m", rng);
        EXPECT_EQ(a.skill, c.skill);
        EXPECT_EQ(a.targets, c.targets);
        EXPECT_EQ(drawsBetween(before, rng), 2);  // the guards come after both draws
    }
    // The monster's own wounds count for a self heal.
    BattleState s = party({"attack", "mendWound"});
    combatant(s, "m")->hp = 50;
    Rng rng = castWith(0.0, 1.0);
    EXPECT_EQ(aiChooseAction(s, "m", rng).targets, Ids{"m"});
}

TEST(MonsterAi, WorksForHeroesAndUnknownActors) {
    BattleState s = party({"attack"});
    combatant(s, "ally")->hp = 3;
    Rng rng{1};
    AiAction a = aiChooseAction(s, "a", rng);
    EXPECT_EQ(a.skill, "attack");
    EXPECT_EQ(a.targets, Ids{"ally"});
    AiAction none = aiChooseAction(s, "nobody", rng);
    EXPECT_EQ(none.skill, "attack");
    EXPECT_TRUE(none.targets.empty());
    EXPECT_EQ(rng.state, 1u);
}
