#pragma once
// A party and a run in the stores, and the stack as the game builds it, for
// the city and map tests and pictures.
// Call after the harness is made (it points the stores at fresh files).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "play/party.h"
#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "tests/support/screen_harness.h"
#include "ui/app.h"

namespace runfix {

// Heroes of the given classes join the roster and the party, in order.
inline void makeParty(const std::vector<rpg::ClassId>& classes, int level = 3) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    for (const rpg::ClassId cls : classes) {
        meta.roster.push_back(rpg::makeHero(cls, "", level));
        meta.partyIds.push_back(meta.roster.back().id);
    }
    store::saveMeta();
}

// A fresh run of the party on the seed, saved.
inline void startRun(std::uint32_t seed) {
    store::run() = rpg::createRun(play::partyCopies(), seed, rpg::runeBonus(store::meta().runeCircle),
                                  store::meta().ascension);
    store::saveRun();
}

// Plays the run through row `last` the way the screens settle nodes: a
// fight row is cleared whole, a reward row by its first node; the party
// stands on the last node taken. Saved.
inline void walkThrough(std::int32_t last) {
    rpg::RunState& run = store::run();
    for (std::int32_t r = 0; r <= last; ++r) {
        const auto row = rpg::nodesInRow(run.map, r);
        const bool reward = rpg::isRewardRow(run.map, r);
        for (const rpg::MapNode* n : row) {
            run.cleared.push_back(n->id);
            run.pos = n->id;
            if (reward) break;
        }
        run.depth = r;
    }
    store::saveRun();
}

// The first node of the map of that type, or null.
inline const rpg::MapNode* firstOfType(rpg::NodeType type) {
    for (const rpg::MapNode& n : store::run().map.nodes) {
        if (n.type == type) return &n;
    }
    return nullptr;
}

// The stack reset to the first screen with the others pushed over it, as
// the game leaves it (the city over the menu, the map over the city), and
// one frame drawn; the sounds of that frame are forgotten.
inline void openScreens(harness::ScreenHarness& h, std::initializer_list<int> screens) {
    bool first = true;
    for (const int n : screens) {
        ui::GameState s;
        s.screen = n;
        if (first) h.start(s);
        else ui::Game::instance().push(s);
        first = false;
    }
    h.frame();
    h.clearSounds();
}

} // namespace runfix
