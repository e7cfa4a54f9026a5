#pragma once
// The merchant and tavern screen's figures that need no frame: the shop
// kind of a stack entry, the shelf grid, the stock, the card height, the
// equipment summary and the tavern's prices and head counts. The screen
// draws with them and tests call them directly.
#include <cairo.h>

#include <span>
#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "rules/run.h"
#include "ui/rect.h"

namespace ui {

enum ShopKind : int {
    kShopWeaponsmith = 0,
    kShopArmorer = 1,
    kShopApothecary = 2,
    kShopTavern = 3,
    kShopWanderer = 4,
};

// The kind a sub-mode opens: 0-3 as they are, anything else (a negative
// start name included) the wandering merchant.
int shopKindFor(int subMode);
const char* shopTitleKey(int kind);

// --- The shelf ---

// Columns of item cards for a grid this wide: one per 250 units, 1 to 3.
int shopColumns(double gridWidth, double s);

struct ShopGrid {
    Rect area;        // the visible list; clicks count only inside it
    int columns = 1;
    double cardW = 0;
};
// The shelf below a header of height headerH: the gold line, the tabs in
// the city, and room for the leave button inside a run.
ShopGrid shopGrid(double w, double h, double s, double headerH, bool inRun);
// Card `index` of cards cardH high, with the list scrolled by `scroll`.
Rect shopCardRect(const ShopGrid& grid, int index, double cardH, double s, double scroll);
// The price button (or plate) at the foot of a card.
Rect shopActionRect(const Rect& card, double s);
// One height for every card: the tallest content, at least 134 units. An
// item the catalogue lacks counts 134. Measures text on cr.
double shopCardHeight(cairo_t* cr, std::span<const rpg::ItemInstance* const> items, double cardW, double s);

// "Item Lv. 12  ·  GS 40  ·  1H  ·  Warrior, Rogue"; empty for consumables
// and valuables.
std::string equipInfo(const rpg::ItemDef& def, const rpg::ItemInstance& item);
// The height of that summary on a card cardW wide (measured once per text).
double equipInfoHeight(cairo_t* cr, const std::string& info, double cardW, double s);

// Copies of the party's heroes: the loot and bag rules take spans of heroes,
// and roster pointers do not outlive a change of the roster.
std::vector<rpg::Hero> partyCopies();

// The stock a shop of `kind` rolls: for a run node (non-empty id) from the
// run seed and the node, in the city from the kind, the best depth and the
// party's mean level, so the same place offers the same goods again. Empty
// for the tavern and without a party hero.
std::vector<rpg::ItemInstance> shopStock(int kind, const std::string& nodeId);

// Pays the offer's price from the lasting gold and stows a copy under a
// fresh uid (the offer stays on the shelf): a consumable in the bag of the
// party hero who carries least, anything else in the run's inventory inside
// a run or the stash in the city. False, changing nothing, when the gold is
// short. Saves nothing.
bool buyOffer(const rpg::ItemInstance& offer, bool inRun);

// --- The tavern ---

inline constexpr double kHealPrice = 20;
inline constexpr double kRevivePrice = 40;

// 40 gold, 40 more for each hero beyond three, then 8 % more per level of
// the roster's rounded mean level above 1; rounded.
double recruitPrice(std::span<const rpg::Hero> roster);

// Run members with a roster hero, alive, short of hit points or mana.
int woundedCount(const rpg::RunState& run);
// Run members at 0 hit points or below, whether or not the hero exists.
int fallenCount(const rpg::RunState& run);
// The fallen whom a revive can reach: those with a roster hero.
int revivableCount(const rpg::RunState& run);
// Refill the living (heal) or the fallen (revive) members with a roster hero
// to the hero's maxima; a value already above them is kept.
void healWounded(rpg::RunState& run);
void reviveFallen(rpg::RunState& run);

} // namespace ui
