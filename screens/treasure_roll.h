#pragma once
// What a treasure chest holds, apart from drawing: the screen and tests
// share it.
#include <cstdint>

#include "play/chest.h"
#include "ui/app.h"

namespace ui {

// The kind of chest a treasure entry opens: the boss's, a won minigame's
// (the lucky flag) or a treasure node's.
play::ChestKind chestKindOf(const GameState& entry);

// The chest of a treasure entry (play::rollChest for its kind and node).
play::ChestLoot rollChest(const GameState& entry);

// The chest's colour: by outcome, and for a found chest the rarest item's.
std::uint32_t chestColor(const play::ChestLoot& loot);

} // namespace ui
