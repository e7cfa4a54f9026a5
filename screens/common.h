#pragma once
// Small pieces that several screens share. A helper belongs here only when
// two or more screens use it; a screen's own helpers live beside it.
#include <string>

#include "rules/hero.h"
#include "rules/stats.h"

namespace ui {

// A map node's screen is done: the run stands on the node, the node is
// cleared (once, however often this runs) and the run is saved.
void settleNode(const std::string& nodeId);

// The maxima a hero fights with: class, growth, points, worn items and the
// rune circle's bonus. Battles, rests and level-ups refill to these.
rpg::Stats battleMaxima(const rpg::Hero& hero);

} // namespace ui
