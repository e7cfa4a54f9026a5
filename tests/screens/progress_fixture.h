#pragma once
// Stores for the progress and treasure screen tests and pictures: a party in
// the roster and a run on a real map. Call inside a live harness, whose
// stores start empty.
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "screens/common.h"
#include "ui/app.h"

namespace progresstest {

// A new hero of the class in the roster and the party; returns its id.
inline std::string addPartyHero(rpg::ClassId cls, int level, const std::string& id) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.roster.push_back(rpg::makeHero(cls, id, level));
    meta.partyIds.push_back(id);
    store::saveMeta();
    return id;
}

// An active run of the party on the map of `seed`, saved.
inline void startRun(std::uint32_t seed) {
    std::vector<rpg::Hero> heroes;
    for (const rpg::Hero* h : store::partyHeroes()) heroes.push_back(*h);
    store::run() = rpg::createRun(heroes, seed, rpg::runeBonus(store::meta().runeCircle), store::meta().ascension);
    store::saveRun();
}

// The first node of the run's map of this type, or null.
inline const rpg::MapNode* firstNodeOf(rpg::NodeType type) {
    for (const rpg::MapNode& n : store::run().map.nodes) {
        if (n.type == type) return &n;
    }
    return nullptr;
}

// A stack entry of the screen for the node.
inline ui::GameState entryFor(int screen, const std::string& nodeId) {
    ui::GameState s;
    s.screen = screen;
    s.nodeId = nodeId;
    return s;
}

} // namespace progresstest
