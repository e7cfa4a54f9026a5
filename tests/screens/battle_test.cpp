// The battle screen: building the fight, pacing, settling and handing over,
// and where the units stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "play/battle.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/combat.h"
#include "screens/battle_cache.h"
#include "screens/battle_layout.h"
#include "screens/battle_scene.h"
#include "screens/common.h"
#include "tests/screens/battle_fixture.h"
#include "ui/sprites.h"

namespace {

using battletest::hero;
using rpg::ClassId;
using rpg::NodeType;
namespace battle = ui::battle;

// Attack the monster a plain attack would strike.
void heroesAttack(harness::ScreenHarness& h, battle::Scene& sc) {
    if (!battletest::heroToAct(sc)) return;
    battle::act(sc, h.ctx(), "attack", {battle::preferredEnemy(sc)});
}

// Every monster falls at once and the battle is won, whatever it was.
void winNow(battle::Scene& sc) {
    for (rpg::Combatant& c : sc.state.combatants)
        if (c.side == rpg::Side::Enemies) c.hp = 0;
    sc.state.outcome = rpg::OutcomeWon;
}

std::vector<rpg::Hero> strongParty() {
    return {hero("w", ClassId::Warrior, 12), hero("m", ClassId::Mage, 12), hero("c", ClassId::Cleric, 12)};
}

TEST(BattleSettle, WorkedExampleOfExperienceReachesTheRewardEntry) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    battletest::startRun({hero("a", ClassId::Warrior, 3), hero("b", ClassId::Mage, 3), hero("c", ClassId::Rogue, 4)},
                         7, 4);
    const std::string node = battletest::nodeOfRow(4);
    h.start(battletest::battleEntry(node, NodeType::Elite));
    h.frame();
    battle::Scene& sc = battletest::liveBattle()->scene();
    sc.state.rewardXp = 40;
    const double gold = sc.state.rewardGold;
    winNow(sc);
    h.frame();
    const double endSeen = h.now();
    while (h.top().screen == ui::kBattle && h.now() < endSeen + 2) h.frame();

    EXPECT_GE(h.now() - endSeen, 1.2 - 1e-9) << "the result stays on screen for 1.2 s";
    const ui::GameState& e = h.top();
    ASSERT_EQ(e.screen, ui::kReward);
    EXPECT_EQ(e.nodeId, node);
    EXPECT_EQ(e.nodeType, static_cast<std::uint8_t>(NodeType::Elite));
    EXPECT_EQ(e.xp, 40);
    EXPECT_EQ(e.gold, gold);
    EXPECT_FALSE(e.boss);
    EXPECT_EQ(e.depth, 4);
    EXPECT_EQ(e.lost, 0);
    ASSERT_EQ(e.xpRows.size(), 3u);
    const double want[] = {75, 75, 58};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.xpRows[i].heroId, std::string(1, "abc"[i]));
        EXPECT_EQ(e.xpRows[i].xp, want[i]);
        EXPECT_EQ(e.xpRows[i].levelBefore, e.xpRows[i].levelAfter) << "no level reached";
    }
    h.reloadStores();
    EXPECT_EQ(store::heroById("a")->xp, 75);
    EXPECT_EQ(store::heroById("c")->xp, 58);
}

TEST(BattleSettle, BossAndEliteBonusesAndTheOneXpFloor) {
    harness::ScreenHarness h;
    battletest::startRun({hero("a", ClassId::Warrior, 10)}, 3, 0);
    // Level 10 against an encounter of level round(0 + 10 + bonus).
    EXPECT_EQ(play::grantXp(100, 0, NodeType::Battle)[0].xp, 100);
    EXPECT_EQ(play::grantXp(100, 0, NodeType::Boss)[0].xp, std::round(100 * std::pow(1.5, 0.9)));
    EXPECT_EQ(play::grantXp(100, 0, NodeType::Elite)[0].xp, std::round(100 * std::pow(1.2, 0.9)));
    EXPECT_EQ(play::grantXp(0.2, 0, NodeType::Battle)[0].xp, 1) << "never below one point";
}

TEST(BattleSettle, ALevelUpRefillsFromRuneBoostedMaxima) {
    harness::ScreenHarness h;
    store::meta().runeCircle.filled[rpg::MaxHp] = true;
    store::meta().runeCircle.stones[rpg::MaxHp] = {"rune-x", rpg::MaxHp, 50};
    battletest::startRun({hero("up", ClassId::Warrior, 1), hero("stay", ClassId::Mage, 30)}, 3, 0);
    for (rpg::PartyMember& m : store::run().party) m.hp = m.mp = 1;
    const std::vector<play::XpGain> rows = play::grantXp(500, 0, NodeType::Battle);
    ASSERT_GT(rows[0].levelAfter, rows[0].levelBefore);
    ASSERT_EQ(rows[1].levelAfter, rows[1].levelBefore);
    const rpg::Stats maxima = play::maxima(*store::heroById("up"));
    EXPECT_EQ(store::run().party[0].hp, maxima.maxHp);
    EXPECT_EQ(store::run().party[0].mp, maxima.maxMp);
    EXPECT_GT(maxima.maxHp, rpg::deriveStats(*store::heroById("up")).maxHp) << "the runes count";
    EXPECT_EQ(store::run().party[1].hp, 1) << "no level, no refill";
}

TEST(BattleBuild, TheSameRunNodeAndPartyBuildTheSameBattle) {
    harness::ScreenHarness h;
    battletest::startRun(strongParty(), 4242, 2);
    const std::string node = battletest::nodeOfRow(2);
    EXPECT_EQ(play::battleSeedText(4242, node), "4242-" + node);
    battle::Scene a, b, other;
    battle::buildScene(&a, battletest::battleEntry(node, NodeType::Elite));
    battle::buildScene(&b, battletest::battleEntry(node, NodeType::Elite));
    battle::buildScene(&other, battletest::battleEntry(battletest::nodeOfRow(3), NodeType::Elite));
    ASSERT_EQ(a.state, b.state);
    EXPECT_NE(a.state, other.state) << "the node id is part of the seed";
    // The same commands roll the same results.
    for (int turn = 0; turn < 12 && a.state.outcome == rpg::OutcomeRunning; ++turn) {
        rpg::advance(a.state, a.rng);
        rpg::advance(b.state, b.rng);
        const rpg::Combatant* actor = rpg::currentActor(a.state);
        if (!actor) continue;
        const std::string id = actor->id;
        const rpg::AiAction choice = rpg::aiChooseAction(a.state, id, a.rng);
        rpg::aiChooseAction(b.state, id, b.rng);
        EXPECT_EQ(rpg::performAction(a.state, id, choice.skill, choice.targets, a.rng).events,
                  rpg::performAction(b.state, id, choice.skill, choice.targets, b.rng).events);
    }
    EXPECT_EQ(a.state, b.state);
}

TEST(BattleFlow, AWonBattlePaysOnceClearsTheNodeOnceAndAgainOnlyPays) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.1);
    battletest::startRun(strongParty(), 99, 3);
    store::meta().gold = 100;
    store::meta().bestDepth = 1;
    store::saveMeta();
    const std::string node = battletest::nodeOfRow(3);
    h.start(battletest::battleEntry(node, NodeType::Battle));
    h.frame();
    const double gold = battletest::liveBattle()->scene().state.rewardGold;
    ASSERT_GT(gold, 0);
    battletest::playUntilHandOver(h, 600, [&](battle::Scene& sc) { heroesAttack(h, sc); });
    ASSERT_EQ(h.top().screen, ui::kReward) << "the party wins this battle";
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 100 + gold);
    EXPECT_EQ(store::run().gold, gold);
    EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
    EXPECT_EQ(store::run().pos, node);
    EXPECT_EQ(store::meta().bestDepth, 3);

    // The same node once more: paid again, progress unchanged.
    store::run().pos = "start";
    store::saveRun();
    h.start(battletest::battleEntry(node, NodeType::Battle));
    h.frame();
    winNow(battletest::liveBattle()->scene());
    battletest::playUntilHandOver(h, 3, [](battle::Scene&) {});
    ASSERT_EQ(h.top().screen, ui::kReward);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 100 + 2 * gold);
    EXPECT_EQ(store::run().gold, 2 * gold);
    EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
    EXPECT_EQ(store::run().pos, "start");
}

// The floor's pictures are of one battle's units: the screen after the
// battle does not keep them.
TEST(BattleFlow, LeavingTheBattleLetsGoOfTheFloorsPictures) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.1);
    battletest::startRun(strongParty(), 99, 3);
    h.start(battletest::battleEntry(battletest::nodeOfRow(3), NodeType::Battle));
    for (int i = 0; i < 5; ++i) h.frame();
    ASSERT_GT(battle::floorPictures().entries(), 0u) << "chips, names and bars at rest are kept while it lasts";
    ui::GameState city;
    city.screen = ui::kCity;
    h.start(city);
    h.frame();
    EXPECT_EQ(h.top().screen, ui::kCity);
    EXPECT_EQ(battle::floorPictures().entries(), 0u);
}

// A lost battle ends the run in the frame the defeat is seen: a program
// ended during the "defeated" banner must not find the run going on, with
// every hero at 0 hit points, at its next start.
TEST(BattleFlow, ADefeatEndsTheRunInTheFrameItIsSeenAndHandsOverLost) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.1);
    const std::string node = battletest::startHopelessRun();
    store::run().inventory.push_back(rpg::makeItem("woodenShield"));
    store::saveRun();
    store::meta().bestDepth = 2;
    store::saveMeta();
    h.start(battletest::battleEntry(node, NodeType::Elite));
    h.frame();
    battle::Scene* sc = &battletest::liveBattle()->scene();
    for (int i = 0; i < 3000 && sc->state.outcome == rpg::OutcomeRunning; ++i) {
        if (battletest::heroToAct(*sc)) battle::act(*sc, h.ctx(), "defend", {});
        h.frame();
    }
    // The frame that saw the defeat has ended; the program may end now.
    ASSERT_EQ(sc->state.outcome, rpg::OutcomeLost);
    ASSERT_EQ(h.top().screen, ui::kBattle) << "still showing the defeat";
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    h.reloadStores();
    EXPECT_FALSE(store::hasRun()) << "no run to continue, no party to revive";
    ASSERT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().stash[0].defId, "woodenShield");
    EXPECT_EQ(store::meta().bestDepth, 6);
    EXPECT_EQ(store::meta().ascension, 0);
}

TEST(BattleFlow, TheDefeatsHandOverCarriesTheEndedRun) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.1);
    const std::string node = battletest::startHopelessRun();
    store::run().gold = 35;
    store::saveRun();
    h.start(battletest::battleEntry(node, NodeType::Elite));
    battletest::playUntilHandOver(h, 300, [&](battle::Scene& sc) {
        if (battletest::heroToAct(sc)) battle::act(sc, h.ctx(), "defend", {});
    });
    const ui::GameState& e = h.top();
    ASSERT_EQ(e.screen, ui::kRunResult);
    EXPECT_EQ(e.lost, 1);
    EXPECT_EQ(e.depth, 6) << "the run is gone: its depth travels with the entry";
    EXPECT_EQ(e.gold, 35);
    EXPECT_TRUE(e.nodeId.empty());
    EXPECT_TRUE(e.xpRows.empty());
}

TEST(BattleFlow, AMonsterWaitsForItsPauseAndADroppedActOnlySteps) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.05);
    battletest::startRun(strongParty(), 11, 1);
    h.start(battletest::battleEntry(battletest::nodeOfRow(1), NodeType::Battle));
    h.frame();
    battle::Scene* sc = &battletest::liveBattle()->scene();
    // Heroes defend until a monster's turn comes.
    for (int i = 0; i < 400; ++i) {
        const rpg::Combatant* actor = rpg::currentActor(sc->state);
        if (actor && actor->side == rpg::Side::Enemies && !sc->pending.armed) break;
        if (battletest::heroToAct(*sc)) battle::act(*sc, h.ctx(), "defend", {});
        h.frame();
    }
    const rpg::Combatant* monster = rpg::currentActor(sc->state);
    ASSERT_TRUE(monster && monster->side == rpg::Side::Enemies);
    const std::string monsterId = monster->id;
    const double lastStep = sc->lastStep;
    while (h.now() - lastStep < 0.5) {
        h.frame();
        ASSERT_FALSE(sc->pending.armed) << "acted " << h.now() - lastStep << " s after the step";
    }
    h.runFor(0.1);
    ASSERT_TRUE(sc->pending.armed);
    EXPECT_EQ(sc->pending.actor, monsterId);

    // An act whose actor is not the current one is dropped; the engine steps.
    const std::vector<rpg::Combatant> units = sc->state.combatants;
    sc->pending.actor = "nobody";
    sc->pending.due = 0;
    const double t = h.now();
    h.frame();
    EXPECT_FALSE(sc->pending.armed);
    for (std::size_t i = 0; i < units.size(); ++i) EXPECT_EQ(sc->state.combatants[i].hp, units[i].hp);
    EXPECT_EQ(sc->lastStep, t) << "the engine stepped instead";
}

TEST(BattleFlow, EmptyStoresLoseAtOnceWithoutACrash) {
    harness::ScreenHarness h(&ui::Game::instance());
    h.setFrameStep(0.1);
    h.start(battletest::battleEntry("n0_0", NodeType::Boss));
    h.runFor(4);
    EXPECT_EQ(h.top().screen, ui::kRunResult);
    EXPECT_FALSE(store::hasRun());
}

// --- Layout ---

TEST(BattleLayout, ColumnsOfARow) {
    const std::vector<std::vector<int>> want = {
        {3}, {1, 4}, {1, 3, 5}, {0, 2, 3, 5}, {0, 1, 3, 4, 5}, {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 3, 4, 5},
    };
    for (std::size_t n = 1; n <= want.size(); ++n) {
        std::vector<int> got;
        for (int i = 0; i < static_cast<int>(n); ++i) got.push_back(battle::rowColumn(i, static_cast<int>(n)));
        EXPECT_EQ(got, want[n - 1]) << n << " units";
    }
}

std::vector<rpg::Combatant> units(int monsters, const std::vector<bool>& heroBackRows) {
    std::vector<rpg::Combatant> out;
    for (std::size_t i = 0; i < heroBackRows.size(); ++i) {
        rpg::Combatant c;
        c.id = "h" + std::to_string(i);
        c.backRow = heroBackRows[i];
        out.push_back(c);
    }
    for (int i = 0; i < monsters; ++i) {
        rpg::Combatant c;
        c.id = "e" + std::to_string(i);
        c.side = rpg::Side::Enemies;
        out.push_back(c);
    }
    return out;
}

TEST(BattleLayout, HeroesSplitIntoTwoRowsOnlyWithFourAndSomeoneInEach) {
    const battle::Floor floor{100, 500, 720};
    struct Case {
        std::vector<bool> backRows;
        bool twoRows;
    };
    const Case cases[] = {
        {{false, true, false}, false},
        {{false, false, false, false}, false},
        {{true, true, true, true}, false},
        {{false, true, false, false}, true},
        {{true, false, true, true, false, true}, true},
    };
    for (const Case& c : cases) {
        std::vector<battle::Slot> slots;
        battle::layoutSlots(&slots, units(2, c.backRows), floor, 1);
        ASSERT_EQ(slots.size(), c.backRows.size() + 2);
        EXPECT_EQ(slots[0].id, "e0") << "monsters first";
        EXPECT_DOUBLE_EQ(slots[0].y, 0.328 * 720);
        EXPECT_DOUBLE_EQ(slots[0].scale, 0.82);
        std::vector<double> ys, scales;
        for (std::size_t i = 2; i < slots.size(); ++i) {
            ys.push_back(slots[i].y);
            scales.push_back(slots[i].scale);
            const bool back = c.backRows[std::stoul(slots[i].id.substr(1))];
            if (!c.twoRows) continue;
            EXPECT_DOUBLE_EQ(slots[i].y, (back ? 0.70 : 0.52) * 720);
            EXPECT_DOUBLE_EQ(slots[i].scale, back ? 0.92 : 1.05);
        }
        if (!c.twoRows) {
            EXPECT_TRUE(std::all_of(ys.begin(), ys.end(), [](double y) { return y == 0.616 * 720; }));
            EXPECT_TRUE(std::all_of(scales.begin(), scales.end(), [](double k) { return k == 1.0; }));
            // Front heroes stand first in the one row.
            EXPECT_FALSE(c.backRows[std::stoul(slots[2].id.substr(1))] && !c.backRows[0]);
        }
    }
}

// Names and bars lie on the overlay, over every sprite: with the heroes in
// two rows, the front row's cards must leave the back row's figures in
// sight, at the usual window size and at the smallest.
TEST(BattleLayout, FrontRowCardsLeaveTheBackRowInSight) {
    const rpg::ClassId classes[] = {rpg::ClassId::Warrior, rpg::ClassId::Vampire, rpg::ClassId::Rogue,
                                    rpg::ClassId::Mage,    rpg::ClassId::Cleric,  rpg::ClassId::Druide};
    for (const auto& [w, hgt] : {std::pair{1280, 720}, std::pair{860, 560}}) {
        harness::ScreenHarness h(nullptr, w, hgt);
        battle::Scene sc;
        for (int i = 0; i < 6; ++i) {
            rpg::Combatant c = battletest::unit("h" + std::to_string(i), rpg::Side::Heroes);
            c.sprite = rpg::classDef(classes[i]).id;
            c.backRow = i >= 3;
            sc.state.combatants.push_back(c);
        }
        sc.state.combatants.push_back(battletest::unit("e0", rpg::Side::Enemies));
        h.setBody([&](ui::Ctx& c) {
            sc.floor = {(c.width - 0.72 * c.height) / 2, 0.72 * c.height, c.height};
            battle::layout(sc, c);
            battle::drawCombatants(sc, c);
        });
        h.frame();
        const double s = h.ctx().uiScale;
        for (const battle::Slot& back : sc.slots) {
            if (back.scale != 0.92) continue;
            // Every opaque cell of the sprite's frame, at its place on screen.
            const pixel::Sprite* sp = pixel::find(rpg::combatant(sc.state, back.id)->sprite);
            ASSERT_NE(sp, nullptr);
            const battle::SpriteSize size = battle::spriteSize(sp->name, s, back.scale);
            const bool second = static_cast<int>(2 * h.ctx().now + back.x) % 2 == 1 && sp->rows2;
            const char* const* rows = second ? sp->rows2 : sp->rows;
            int cells = 0, covered = 0;
            for (int r = 0; r < sp->height; ++r) {
                for (int col = 0; col < sp->width; ++col) {
                    const char* key = std::strchr(sp->paletteKeys, rows[r][col]);
                    if (!key || sp->paletteColours[key - sp->paletteKeys] == 0) continue;
                    const int x = static_cast<int>(back.x - size.w / 2 + (col + 0.5) * size.px);
                    const int y = static_cast<int>(battle::unitTop(back, s) + (r + 0.5) * size.px);
                    ++cells;
                    // Half opaque at least: the unit's own shadow is fainter.
                    if (h.overlayPixel(x, y) >> 24 >= 128) ++covered;
                }
            }
            ASSERT_GT(cells, 0) << back.id;
            EXPECT_LE(covered, cells / 10) << w << "x" << hgt << ": " << covered << " of " << cells << " cells of "
                                           << back.id << " lie under the front row's cards";
        }
    }
}

TEST(BattleLayout, OneMonsterStandsRightOfTheMiddleAndSlotSizesClamp) {
    const battle::Floor floor{100, 500, 720};
    std::vector<battle::Slot> slots;
    battle::layoutSlots(&slots, units(1, {}), floor, 1);
    const double left = 100 + 250 - 0.391 * 500;
    EXPECT_DOUBLE_EQ(slots[0].x, left + 3.5 / 6 * 2 * 0.391 * 500);
    EXPECT_GT(slots[0].x, 350);
    EXPECT_DOUBLE_EQ(battle::rowSlotSize(0.391, 500, 1, 1), 118) << "one unit: the largest slot";
    EXPECT_DOUBLE_EQ(battle::rowSlotSize(0.391, 500, 7, 1), 54) << "seven: never below 54s";
    EXPECT_DOUBLE_EQ(battle::rowSlotSize(0.391, 500, 7, 2), 108);
    EXPECT_DOUBLE_EQ(battle::rowSlotSize(0.457, 500, 5, 1), 2 * 0.457 * 500 / 5 - 6);
    battle::layoutSlots(&slots, units(7, {}), floor, 1);
    EXPECT_DOUBLE_EQ(slots[3].x, slots[4].x) << "the fourth and fifth share a spot";
}

TEST(BattleLayout, SpriteScaleAndAnimationTracks) {
    // Narrow sprites get three units a pixel, wide ones two.
    const battle::SpriteSize slime = battle::spriteSize("slime", 1, 1);
    EXPECT_DOUBLE_EQ(slime.px, pixel::find("slime")->width < 24 ? 3 : 2);
    EXPECT_DOUBLE_EQ(battle::spriteSize("no such sprite", 2, 0.5).w, slime.w) << "unknown draws the slime";

    battle::UnitAnim lunge;
    lunge.start = 10;
    lunge.aimX = 100;
    lunge.aimY = -50;
    EXPECT_NEAR(battle::unitPose(lunge, 10.1, 1).dx, -16, 1e-9);
    EXPECT_NEAR(battle::unitPose(lunge, 10.215, 1).dy, -44, 1e-9);
    EXPECT_NEAR(battle::unitPose(lunge, 10.095, 1).flash, 0.65, 1e-9);
    EXPECT_EQ(battle::unitPose(lunge, 10.6, 1).dx, 0) << "the track ends after 600 ms";
    battle::UnitAnim cast;
    cast.start = 0;
    cast.cast = true;
    EXPECT_NEAR(battle::unitPose(cast, 0.21, 2).dy, -28, 1e-9);
    EXPECT_NEAR(battle::unitPose(cast, 0.09, 1).body, 0.9, 1e-9);
    EXPECT_EQ(battle::unitPose(cast, 0.1, 1).dx, 0) << "a cast does not move sideways";
    battle::UnitAnim hit;
    hit.hit = 1;
    EXPECT_NEAR(battle::unitPose(hit, 1.045, 1).shake, 8, 1e-9);
    EXPECT_NEAR(battle::unitPose(hit, 1.06, 1).flash, 1, 1e-9);
    EXPECT_EQ(battle::unitPose(hit, 1.3, 1).flash, 0);
    EXPECT_EQ(battle::deathProgress(-100, 5), 0);
    EXPECT_NEAR(battle::deathProgress(5, 5.31), 0.25, 1e-9);
    EXPECT_EQ(battle::deathProgress(5, 9), 1);
}

} // namespace

namespace {

// Opacity of the floor texture painted for a pixel size at a device scale.
// With a band given, only its rows are painted, into a texture that high.
struct PaintedFloor {
    cairo_surface_t* surface;
    int w, h;
    PaintedFloor(int logicalW, int logicalH, double scale, battle::RowBand band = {})
        : w(static_cast<int>(logicalW * scale)), h(static_cast<int>(logicalH * scale)) {
        if (band.bottom == 0) band.bottom = h;
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, band.bottom - band.top);
        cairo_surface_set_device_scale(surface, scale, scale);
        cairo_t* cr = cairo_create(surface);
        battle::FloorPicture picture{w, h, band.top};
        battle::paintFloor(cr, &picture);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
    }
    const std::uint32_t* row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                      y * cairo_image_surface_get_stride(surface));
    }
    ~PaintedFloor() { cairo_surface_destroy(surface); }
    int alphaAt(double fx, double fy) const {
        const unsigned char* row = cairo_image_surface_get_data(surface) +
                                   static_cast<int>(fy * h) * cairo_image_surface_get_stride(surface);
        return reinterpret_cast<const std::uint32_t*>(row)[static_cast<int>(fx * w)] >> 24;
    }
};

TEST(BattleLayout, TheFloorFillsTheSameShareOfItsTextureAtAnyPixelRatio) {
    for (double scale : {1.0, 2.0}) {
        const PaintedFloor f(300, 400, scale);
        EXPECT_GT(f.alphaAt(0.5, 0.5), 0) << scale;
        EXPECT_GT(f.alphaAt(0.03, 0.75), 0) << "the wide bottom edge, at " << scale;
        EXPECT_EQ(f.alphaAt(0.5, 0.85), 0) << "below the floor, at " << scale;
        EXPECT_EQ(f.alphaAt(0.5, 0.2), 0) << "above the floor, at " << scale;
        EXPECT_EQ(f.alphaAt(0.05, 0.3), 0) << "outside the narrow top, at " << scale;
    }
}

// The texture holds only the floor's band of rows: the same pixels as those
// rows of the whole picture, and nothing of the picture lies outside it.
TEST(BattleLayout, TheFloorsBandHoldsAllOfItsPicture) {
    for (double scale : {1.0, 1.5, 2.0}) {
        const PaintedFloor whole(300, 400, scale);
        const battle::RowBand band = battle::floorBand(whole.h, scale);
        ASSERT_GT(band.top, 0) << scale;
        ASSERT_LT(band.bottom, whole.h) << scale;
        const PaintedFloor part(300, 400, scale, band);
        for (int y = 0; y < whole.h; ++y) {
            const bool inside = y >= band.top && y < band.bottom;
            for (int x = 0; x < whole.w; ++x) {
                if (inside) {
                    ASSERT_EQ(part.row(y - band.top)[x], whole.row(y)[x]) << scale << " at " << x << "," << y;
                } else {
                    ASSERT_EQ(whole.row(y)[x], 0u) << scale << " painted outside the band at " << x << "," << y;
                }
            }
        }
    }
}

} // namespace
