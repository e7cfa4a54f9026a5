#pragma once
// The chests of a run: a treasure node's, a won minigame's (a lucky one) and
// the beaten boss's, which ends the run. The loot is rolled from the run, so
// the same chest of the same run always holds the same things; taking it is
// the one change to what is stored.
#include <string>
#include <vector>

#include "play/outcome.h"
#include "play/run.h"
#include "rules/items.h"
#include "rules/loot.h"
#include "rules/runes.h"

namespace play {

enum class ChestKind : std::uint8_t { Treasure, Lucky, Boss };

struct ChestLoot {
    std::vector<rpg::ItemInstance> items;
    double gold = 0;
    rpg::LootQuality outcome = rpg::LootQuality::Found;
    rpg::Runestone rune;  // a value of 0: no stone (only boss chests roll one)
};

// The chest of the node, or for the boss the chest of the run's end at
// `bossDepth`. It depends only on the run seed, the node (its row, or the
// boss depth), the party and the ascension.
ChestLoot rollChest(ChestKind kind, const std::string& nodeId, int bossDepth);

struct ChestTake {
    Result result;
    RunEnd run;  // the boss chest's ended run
};

// Hands the chest to the party: consumables to the bag of the party hero who
// carries least (one hero for the whole chest), everything else to the run's
// inventory, the gold to the lasting gold and the run's, and a boss chest's
// stone to the runestones. A treasure or lucky chest then leaves its node
// (the run stands on it, cleared); a boss chest ends the run as won at
// `bossDepth` (settleRun). One step on disk: Coin, and next back to the map
// or, for the boss, the run's result. Refused (no sound) without a run, for
// a node the map lacks, for a treasure node already cleared and for a boss
// not yet beaten, so no chest pays twice.
ChestTake takeChest(ChestKind kind, const std::string& nodeId, int bossDepth, const ChestLoot& loot);

} // namespace play
