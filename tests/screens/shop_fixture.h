#pragma once
// Stores for the merchant and tavern screens: a party in the roster, gold,
// and on request a run standing on one of its map's shop nodes. Shared by the
// screen tests and the gallery; call after the harness is made (it starts
// with empty stores).
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/map.h"
#include "rules/run.h"
#include "ui/app.h"
#include "ui/screens.h"

namespace shoptest {

// Roster heroes of these classes and levels, all in the party; gold as given.
inline void setParty(const std::vector<rpg::ClassId>& classes, int level, double gold) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.gold = gold;
    for (rpg::ClassId cls : classes) {
        meta.roster.push_back(rpg::makeHero(cls, "", level));
        meta.partyIds.push_back(meta.roster.back().id);
    }
    store::saveMeta();
}

// A run of the party from the first seed at or after `seed` whose map has a
// shop node; returns the id of its first one.
inline std::string startRun(std::uint32_t seed) {
    std::vector<rpg::Hero> heroes;
    for (const rpg::Hero* hero : store::partyHeroes()) heroes.push_back(*hero);
    for (;; ++seed) {
        store::run() = rpg::createRun(heroes, seed, rpg::Stats{}, 0);
        for (const rpg::MapNode& node : store::run().map.nodes) {
            if (node.type != rpg::NodeType::Shop) continue;
            store::saveRun();
            return node.id;
        }
    }
}

inline ui::GameState shopEntry(int kind, const std::string& nodeId = {}) {
    ui::GameState s;
    s.screen = ui::kShop;
    s.subMode = kind;
    s.nodeId = nodeId;
    if (!nodeId.empty()) s.nodeType = static_cast<std::uint8_t>(rpg::NodeType::Shop);
    return s;
}

} // namespace shoptest
