#pragma once
// Where the treasure screen puts its chest, title, loot panel and buttons,
// apart from drawing: the screen and tests share them (s is the UI scale).
#include "play/chest.h"
#include "rules/items.h"
#include "ui/app.h"

namespace ui {

// Height of one item's lines in the loot panel, and of the whole panel
// content.
double chestItemHeight(const rpg::ItemInstance& item, double s);
double chestContentHeight(const play::ChestLoot& loot, double s);

// The button of a closed chest in a w × h window at frame time now: it
// swells and shrinks about its centre, its top staying put.
Rect treasureOpenButton(double w, double h, double s, double now);

// The closed or opening chest's centre, below a header of height `header`.
double treasureClosedChestY(double h, double header);

// The loot panel's width: a trap's fixed share of the window; a found
// chest's as wide as its widest line `linesWidth`, within bounds.
double treasurePanelWidth(double w, double s, bool trap, double linesWidth);

// The opened chest over its outcome title, the loot panel and the take
// button, as one block centred below the header.
struct TreasureRevealed {
    double chestY = 0;  // the chest's centre, on the window's centre line
    double titleY = 0;  // the outcome title's block, its top and height
    double titleH = 0;
    double content = 0;  // the height of all loot lines; more than panel.h scrolls
    Rect panel;
    Rect button;
};
TreasureRevealed treasureRevealedLayout(double w, double h, double s, double header, const play::ChestLoot& loot,
                                        double panelW);

} // namespace ui
