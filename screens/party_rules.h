#pragma once
// The party screen's rules without drawing: what the stash offers a slot,
// how bag rows group, and the recorded actions applied to a hero and the
// stash. Tests call them directly.
#include <string>
#include <vector>

#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/items.h"

namespace ui {

// Whether an item of this row can go into the slot: weapons of either kind in
// the main hand, shields and one-handed weapons in the off hand, rings in
// either ring slot, every other slot its own kind.
bool fitsSlot(const rpg::ItemDef& def, rpg::EquipSlot slot);

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

// The actions one frame of the sheet recorded; zero and empty mean none.
struct PartyActions {
    int stat = 0;         // rpg::StatId + 1
    int row = 0;          // 1 front, 2 back
    int unequip = 0;      // rpg::EquipSlot + 1
    int equipSlot = 0;    // rpg::EquipSlot, read while equipId is set
    std::string equipId;  // uid of the stash item to put on
    std::string moveId;   // definition id moved between bag and stash
    bool moveToBag = false;
};

// Applies the recorded actions in the order stat, row, unequip, equip, move,
// and clears them. Items are copied whole and erased where they came from.
// True when the progress must be saved: something changed, or an equip or
// move was asked for (found or not).
bool applyPartyActions(PartyActions* actions, rpg::Hero* hero, std::vector<rpg::ItemInstance>* stash);

// Spends every point on the class's key stats in turn, starting again from
// the first; false when the class names none.
bool autoAssign(rpg::Hero& hero, const rpg::ClassDef& cls);

} // namespace ui
