#pragma once
// Small pieces that several screens share. A helper belongs here only when
// two or more screens use it; a screen's own helpers live beside it.
#include <string>

#include "rules/hero.h"
#include "rules/stats.h"
#include "ui/app.h"

namespace ui {

// A map node's screen is done: the run stands on the node, the node is
// cleared (once, however often this runs) and the run is saved.
void settleNode(const std::string& nodeId);

// The maxima a hero fights with: class, growth, points, worn items and the
// rune circle's bonus. Battles, rests and level-ups refill to these.
rpg::Stats battleMaxima(const rpg::Hero& hero);

// The lasting gold as a coin and "1.234 gold", centred on the window, the
// line's top at y. fontSize is scaled; a font above 15 units moves coin and
// text down by the difference.
void drawGoldLine(Ctx& ctx, double y, double fontSize);

} // namespace ui
