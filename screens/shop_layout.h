#pragma once
// The merchant and tavern screen's figures that need no frame: the shop
// kind of a stack entry, the shelf grid, the card height and the equipment
// summary (the stock, the prices and the deals are the run's transactions,
// play/trade.h and play/run.h). The screen draws with them and tests call
// them directly.
#include <cairo.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "play/trade.h"
#include "rules/items.h"
#include "ui/draw.h"
#include "ui/rect.h"

namespace ui {

// The kind a sub-mode opens: 0-3 as they are, anything else (a negative
// start name included) the wandering merchant.
play::ShopKind shopKindFor(int subMode);
const char* shopTitleKey(play::ShopKind kind);

// --- The frame ---

// Where the body (the tabs, or the tavern) starts below a header of height
// headerH: under the gold line.
double shopBodyTop(double headerH, double s);

// What the city shelf shows; a run's shelf only sells.
enum class ShopTab : std::uint8_t { Buy, Sell };
// A city shelf's buy or sell tab, side by side in the middle of a window w wide.
Rect shopTabRect(double w, double s, double headerH, ShopTab tab);
// The leave button at the foot of a run shop.
Rect shopLeaveRect(double w, double h, double s);

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

// The texts of an item card, each line below the one before as tall as its
// text comes out (a line wraps rather than shrink below a readable size):
// the name, the bonus in words, the equipment summary and the affixes.
struct ShopCardText {
    std::string name, bonus, info, affixes;  // info and affixes may be empty
    TextStyle nameStyle, bonusStyle, infoStyle, affixStyle;
    double nameTop = 0, bonusTop = 0, infoTop = 0, affixTop = 0;  // below the card's top
    double bottom = 0;  // of the last text, below the card's top
    double left = 0;    // the texts' left edge, from the card's
};
ShopCardText shopCardText(cairo_t* cr, const rpg::ItemDef& def, const rpg::ItemInstance& item, double cardW, double s);

} // namespace ui
