#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "battle_fixture.h"
#include "rules/combat.h"
#include "rules/difficulty.h"
#include "rules/encounters.h"

// Whole battles played by calls alone, the monster AI choosing for both
// sides, and one of them compared line by line with a committed log.
//
// The log changes only when the rules change on purpose (a draw moved, a
// rounding, a catalogue number). Then rewrite it and review the diff:
//   VEL_UPDATE_GOLDEN=1 build/tests/test_rules --gtest_filter='BattleReplay.*'

using namespace rpg;
using namespace battletest;

namespace {

const char* const kGoldenPath = VEL_SOURCE_DIR "/tests/rules/golden/battle_replay.txt";

class BattleReplay : public ::testing::Test {
protected:
    void SetUp() override { setActiveDifficulty(Difficulty::Easy); }
    void TearDown() override { setActiveDifficulty(Difficulty::Easy); }
};

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

const char* const kKindNames[] = {"damage", "heal", "status", "purified", "death",
                                  "revive", "tick",  "stunned", "steal",   "executed"};

void logEvent(std::ostream& out, const CombatEvent& e) {
    out << "  " << kKindNames[e.kind] << ' ' << (e.actor.empty() ? "-" : e.actor) << '>' << e.target << ' '
        << num(e.amount);
    if (e.crit) out << " crit";
    if (e.hasStatus) out << " status=" << int(e.status);
    if (!e.skill.empty()) out << " skill=" << e.skill;
    if (!e.item.empty()) out << " item=" << e.item << ':' << e.itemLevel;
    if (e.looted) out << " looted";
    if (e.mana) out << " mana";
    out << '\n';
}

void logState(std::ostream& out, const BattleState& s) {
    for (const Combatant& c : s.combatants) {
        out << "  " << c.id << " hp=" << num(c.hp) << '/' << num(c.stats.maxHp) << " mp=" << num(c.mp) << '/'
            << num(c.stats.maxMp);
        for (const StatusInstance& st : c.statuses)
            out << " [" << int(st.kind) << ' ' << st.rounds << ' ' << num(st.magnitude) << ']';
        out << '\n';
    }
}

// Checks what a screen relies on after every advance of a running battle.
void checkActor(const BattleState& s) {
    if (s.outcome != OutcomeRunning) return;
    const Combatant* actor = currentActor(s);
    ASSERT_NE(actor, nullptr);
    EXPECT_GT(actor->hp, 0) << actor->id;
    for (const StatusInstance& st : actor->statuses) EXPECT_NE(st.kind, StatusKind::Stun) << actor->id;
}

void checkBounds(const BattleState& s, const ActionOutcome& o) {
    for (const Combatant& c : s.combatants) {
        EXPECT_GE(c.hp, 0) << c.id;
        EXPECT_LE(c.hp, c.stats.maxHp) << c.id;
        EXPECT_GE(c.mp, 0) << c.id;
        EXPECT_LE(c.mp, c.stats.maxMp) << c.id;
    }
    for (const CombatEvent& e : o.events) EXPECT_NE(combatant(s, e.target), nullptr) << e.target;
}

// Plays to the end, or up to `maxTurns` actions; returns the log.
std::string playOut(BattleState& s, Rng& rng, int maxTurns = 2000) {
    std::ostringstream out;
    out << "start order";
    for (const std::string& id : s.order) out << ' ' << id;
    out << '\n';
    logState(out, s);
    for (int turn = 0; turn < maxTurns && s.outcome == OutcomeRunning; ++turn) {
        const Combatant* actor = currentActor(s);
        if (!actor) break;
        const std::string id = actor->id;
        const AiAction action = aiChooseAction(s, id, rng);
        out << "round " << s.round << ' ' << id << ' ' << action.skill << " ->";
        for (const std::string& t : action.targets) out << ' ' << t;
        out << '\n';
        const ActionOutcome acted = performAction(s, id, action.skill, action.targets, rng);
        for (const CombatEvent& e : acted.events) logEvent(out, e);
        checkBounds(s, acted);
        const ActionOutcome next = advance(s, rng);
        for (const CombatEvent& e : next.events) logEvent(out, e);
        checkBounds(s, next);
        checkActor(s);
    }
    out << "outcome " << int(s.outcome) << " round " << s.round << " xp " << num(s.rewardXp) << " gold "
        << num(s.rewardGold) << '\n';
    logState(out, s);
    return out.str();
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The fixed fight of the log: four level 6 heroes enter node n4_1 of run
// 424238 (an elite node at depth 5), two of them wounded. Steals, stuns,
// cleansing and critical hits all happen in it.
std::string goldenBattle() {
    std::vector<Hero> heroes = {makeTestHero("warrior-1", ClassId::Warrior, 6),
                                makeTestHero("cleric-2", ClassId::Cleric, 6),
                                makeTestHero("dieb-3", ClassId::Dieb, 6),
                                makeTestHero("vampire-4", ClassId::Vampire, 6)};
    heroes[0].skillLevels["bash"] = 2;
    const std::vector<PartyMember> party = {{"warrior-1", 40, 4}, {"dieb-3", 25, 10}};
    Rng rng = rngFromText("424238-n4_1");
    BattleState s = buildBattle(heroes, party, NodeType::Elite, 5, rng, 0, Stats{});
    return "# A whole battle, monster AI on both sides; see battle_replay_test.cpp to rewrite it.\n" +
           playOut(s, rng);
}

} // namespace

TEST_F(BattleReplay, MatchesTheCommittedLog) {
    const std::string log = goldenBattle();
    if (const char* update = std::getenv("VEL_UPDATE_GOLDEN"); update && *update) {
        std::ofstream(kGoldenPath, std::ios::binary) << log;
        GTEST_SKIP() << "rewrote " << kGoldenPath;
    }
    const std::string golden = readFile(kGoldenPath);
    ASSERT_FALSE(golden.empty()) << "missing " << kGoldenPath;
    // Line by line, so a failure names the first step that changed.
    std::istringstream a(log), b(golden);
    std::string got, want;
    for (int line = 1; std::getline(b, want); ++line) {
        ASSERT_TRUE(std::getline(a, got)) << "log ends early at line " << line;
        ASSERT_EQ(got, want) << "line " << line;
    }
    EXPECT_FALSE(std::getline(a, got)) << "log runs on: " << got;
}

TEST_F(BattleReplay, EveryNodePlaysOutAndReplays) {
    const ClassId classes[] = {ClassId::Warrior, ClassId::Mage,   ClassId::Cleric, ClassId::Rogue,
                               ClassId::Vampire, ClassId::Dieb,   ClassId::Druide, ClassId::Archer};
    int won = 0, lost = 0;
    for (Difficulty d : {Difficulty::Easy, Difficulty::Insane}) {
        setActiveDifficulty(d);
        for (NodeType type : {NodeType::Battle, NodeType::Elite, NodeType::Boss}) {
            for (int depth = 0; depth <= 8; depth += 2) {
                for (int k = 0; k < 4; ++k) {
                    SCOPED_TRACE(testing::Message() << difficultyId(d) << " node " << int(type) << " depth " << depth
                                                    << " party " << k);
                    const std::int32_t level = 1 + depth + k;
                    std::vector<Hero> heroes;
                    for (int i = 0; i < 3; ++i)
                        heroes.push_back(makeTestHero("h" + std::to_string(i), classes[(k * 3 + i) % 8], level));
                    const std::string seed = "777-n" + std::to_string(depth) + "_" + std::to_string(k);
                    Rng rng = rngFromText(seed), again = rngFromText(seed);
                    BattleState s = buildBattle(heroes, {}, type, depth, rng, k * 3, Stats{});
                    BattleState t = buildBattle(heroes, {}, type, depth, again, k * 3, Stats{});
                    const std::string log = playOut(s, rng);
                    ASSERT_NE(s.outcome, OutcomeRunning) << "no end after 2000 turns";
                    EXPECT_EQ(playOut(t, again), log);
                    EXPECT_EQ(s, t);
                    (s.outcome == OutcomeWon ? won : lost) += 1;
                    // After the end nothing moves any more.
                    const BattleState end = s;
                    EXPECT_TRUE(advance(s, rng).events.empty());
                    EXPECT_EQ(s, end);
                }
            }
        }
    }
    // Both endings occur across these fights, so both paths were walked.
    EXPECT_GT(won, 0);
    EXPECT_GT(lost, 0);
}
