#pragma once
// What a treasure chest holds and how much room its loot panel needs, apart
// from drawing: the screen and tests share them.
#include <cstdint>
#include <string>
#include <vector>

#include "play/chest.h"
#include "rules/items.h"
#include "ui/app.h"

namespace ui {

using play::ChestLoot;

// The kind of chest a treasure entry opens: the boss's, a won minigame's
// (the lucky flag) or a treasure node's.
play::ChestKind chestKindOf(const GameState& entry);

// The chest of a treasure entry (play::rollChest for its kind and node).
ChestLoot rollChest(const GameState& entry);

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
