#pragma once
// What a treasure chest holds and how much room its loot panel needs, apart
// from drawing: the screen and tests share them.
#include <cstdint>
#include <string>
#include <vector>

#include "rules/items.h"
#include "rules/loot.h"
#include "rules/runes.h"
#include "ui/app.h"

namespace ui {

struct ChestLoot {
    std::vector<rpg::ItemInstance> items;
    double gold = 0;
    rpg::LootQuality outcome = rpg::LootQuality::Found;
    rpg::Runestone rune;  // a value of 0: no stone (only boss chests roll one)
};

// The chest of a treasure entry. It depends only on the run seed, the node
// (its row, or the boss depth), the party and the ascension, so the same
// chest of the same run always holds the same loot.
ChestLoot rollChest(const GameState& entry);

// Hands the chest to the party: consumables to the bag of the hero who
// carries least, everything else to the run's inventory, the gold to the
// lasting gold and the run's, and a boss chest's stone to the runestones.
// Saves nothing.
void takeChest(const ChestLoot& loot, bool boss);

// The chest's colour: by outcome, and for a found chest the rarest item's.
std::uint32_t chestColor(const ChestLoot& loot);

// Height of one item's lines in the loot panel, and of the whole panel
// content (s is the UI scale).
double chestItemHeight(const rpg::ItemInstance& item, double s);
double chestContentHeight(const ChestLoot& loot, double s);

// The button of a closed chest in a w × h window at frame time now: it
// swells and shrinks about its centre, its top staying put.
Rect treasureOpenButton(double w, double h, double s, double now);

} // namespace ui
