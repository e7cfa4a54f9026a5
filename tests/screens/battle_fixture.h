#pragma once
// Shared by the battle screen tests: a party and a run in the harness's own
// stores, a battle entry, and a loop that plays a battle on screen to its end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "screens/battle.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace battletest {

// A hero without random parts: no stat modifier, no gear, a fixed name.
inline rpg::Hero hero(const std::string& id, rpg::ClassId cls, int level) {
    rpg::Hero h;
    h.id = id;
    h.cls = cls;
    h.name = "Hero " + id;
    h.level = level;
    h.row = rpg::defaultRow(cls) ? 1 : 0;
    return h;
}

// The hero with its class's starting weapon in the main hand.
inline rpg::Hero armed(rpg::Hero h) {
    h.equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(rpg::classDef(h.cls).startWeapon);
    return h;
}

// The heroes become the roster and the party; a new run of the seed starts
// at the depth with every member at full strength. Both are saved.
inline void startRun(const std::vector<rpg::Hero>& heroes, std::uint32_t seed, int depth) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.roster = heroes;
    meta.partyIds.clear();
    for (const rpg::Hero& h : heroes) meta.partyIds.push_back(h.id);
    store::run() = rpg::createRun(heroes, seed, rpg::runeBonus(meta.runeCircle), meta.ascension);
    store::run().depth = depth;
    store::saveMeta();
    store::saveRun();
}

// Two heroes of level 1 hanging on by one hit point: an elite at depth 6
// beats them. Returns the node to fight at.
inline std::string startHopelessRun() {
    startRun({hero("a", rpg::ClassId::Warrior, 1), hero("b", rpg::ClassId::Rogue, 1)}, 5, 6);
    for (rpg::PartyMember& m : store::run().party) m.hp = 1;
    store::saveRun();
    return rpg::nodesInRow(store::run().map, 6).front()->id;
}

// The first node of the row (so it exists on the run's map).
inline std::string nodeOfRow(int row) { return rpg::nodesInRow(store::run().map, row).front()->id; }

inline ui::GameState battleEntry(const std::string& nodeId, rpg::NodeType type) {
    ui::GameState e;
    e.screen = ui::kBattle;
    e.nodeId = nodeId;
    e.nodeType = static_cast<std::uint8_t>(type);
    return e;
}

// The live battle screen, or null once it has handed over.
inline ui::BattleScreen* liveBattle() { return dynamic_cast<ui::BattleScreen*>(ui::Game::instance().current()); }

// Whether the player is asked to act: a living hero's turn, nothing pending.
inline bool heroToAct(const ui::battle::Scene& sc) {
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    return sc.state.outcome == rpg::OutcomeRunning && actor && actor->side == rpg::Side::Heroes &&
           !sc.pending.armed;
}

// Frames until it is the hero's turn to act (the other heroes defend
// meanwhile); false when it does not come.
inline bool waitForTurnOf(harness::ScreenHarness& h, ui::battle::Scene& sc, const std::string& id) {
    for (int i = 0; i < 400; ++i) {
        if (heroToAct(sc) && rpg::currentActor(sc.state)->id == id) return true;
        if (heroToAct(sc)) ui::battle::act(sc, h.ctx(), "defend", {});
        h.frame();
    }
    return false;
}

// Runs frames until the battle hands over (or `seconds` of play pass);
// `onFrame` runs before every frame while the battle screen lives.
inline void playUntilHandOver(harness::ScreenHarness& h, double seconds,
                              const std::function<void(ui::battle::Scene&)>& onFrame) {
    const double end = h.now() + seconds;
    while (h.now() < end) {
        if (h.top().screen != ui::kBattle) return;
        if (ui::BattleScreen* b = liveBattle()) onFrame(b->scene());
        h.frame();
    }
}

} // namespace battletest

namespace battletest {

// A combatant for a hand-made battle: heroes carry their id as hero id.
inline rpg::Combatant unit(const std::string& id, rpg::Side side, double hp = 100, double maxHp = 100) {
    rpg::Combatant c;
    c.id = id;
    c.side = side;
    c.name = side == rpg::Side::Heroes ? "Hero " + id : "";
    c.nameKey = "monster.slime";
    c.sprite = side == rpg::Side::Heroes ? "warrior" : "slime";
    if (side == rpg::Side::Heroes) c.heroId = id;
    c.hp = hp;
    c.stats.maxHp = maxHp;
    c.stats.maxMp = 50;
    c.mp = 50;
    c.skills = {"attack", "defend"};
    return c;
}

// A hand-made battle of heroes h1, h2 and monsters e0, e1 laid out on a
// 1280×720 floor, h1 to act; the harness records sounds and owns the stores.
class Stage {
public:
    Stage() {
        h.frame();
        reset();
    }
    // The battle as it starts, anew.
    void reset() {
        sc = ui::battle::Scene{};
        sc.state.combatants = {unit("h1", rpg::Side::Heroes), unit("h2", rpg::Side::Heroes),
                               unit("e0", rpg::Side::Enemies), unit("e1", rpg::Side::Enemies)};
        for (const rpg::Combatant& c : sc.state.combatants) sc.state.order.push_back(c.id);
        sc.heroes = {hero("h1", rpg::ClassId::Warrior, 1), hero("h2", rpg::ClassId::Mage, 1)};
        relayout();
        h.clearSounds();
    }
    void relayout() {
        ui::Ctx& c = ctx();
        sc.floor = {(c.width - 0.72 * c.height) / 2, 0.72 * c.height, c.height};
        ui::battle::layout(sc, c);
    }
    ui::Ctx& ctx() { return h.ctx(); }
    rpg::Combatant& at(const std::string& id) { return *rpg::combatant(sc.state, id); }
    // The aim point of a unit.
    std::pair<double, double> aim(const std::string& id) {
        double x = 0, y = 0;
        EXPECT_TRUE(ui::battle::posOf(sc, ctx(), id, &x, &y)) << id;
        return {x, y};
    }

    harness::ScreenHarness h;
    ui::battle::Scene sc;
};

} // namespace battletest
