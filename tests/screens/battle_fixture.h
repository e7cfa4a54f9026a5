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
