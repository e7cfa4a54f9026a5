#pragma once
// Ready-made clickable cards of the widget kit: an item (name in its rarity
// colour, bonus, affix and level lines, an optional tag) and a hero (class
// portrait, name, class and level, hit point and mana bars). Neither plays a
// sound; both take the frame's click through Ctx::takeClick.
#include <string>

#include "rules/hero.h"
#include "rules/items.h"
#include "ui/app.h"

namespace ui {

// True when clicked. An item whose catalogue row is unknown draws nothing
// and never takes the click. A dimmed card still takes clicks.
bool itemCard(Ctx& ctx, const Rect& r, const rpg::ItemInstance& item, const std::string& tag, bool selected,
              bool dimmed);
// hp and mp are the current values; the maxima come from the hero's stats,
// and values above them show full bars.
bool heroCard(Ctx& ctx, const Rect& r, const rpg::Hero& hero, double hp, double mp, bool selected);

} // namespace ui
