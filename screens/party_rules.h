#pragma once
// The party screen's rules without drawing: what the stash offers a slot and
// how bag rows group (the recorded actions and their rules are the run's
// transactions, play/party.h). Tests call them directly.
#include <string>
#include <vector>

#include "play/party.h"
#include "rules/hero.h"
#include "rules/items.h"

namespace ui {

// The stash items the hero may put into the slot (known row, fitting kind,
// the hero's class allowed), best gear score first. The pointers live until
// the stash changes.
std::vector<const rpg::ItemInstance*> candidates(const rpg::Hero& hero, rpg::EquipSlot slot,
                                                 const std::vector<rpg::ItemInstance>& stash);

// One row of the bag panel: a definition id and how many items carry it.
struct ItemGroup {
    std::string defId;
    int count = 0;
};

// Items grouped by definition id in the order each id first appears; with
// consumablesOnly, only items whose row is a consumable count.
std::vector<ItemGroup> groupByDefinition(const std::vector<rpg::ItemInstance>& items, bool consumablesOnly);

} // namespace ui
