#pragma once
// The player's settings as the settings screen changes them, and the fresh
// start of the menu and the settings screen; each saved at once.
#include <string>

#include "rules/difficulty.h"

namespace play {

// The difficulty for new monsters, made active at once.
void setDifficulty(rpg::Difficulty difficulty);
void setSoundOn(bool on);
// The volumes, 0 to 1, as a dragged knob leaves them; a value outside is
// held to that range, one that is no number keeps the volume it had.
void setVolumes(double music, double sfx);
// The catalogue code (empty: follow the environment), made active at once.
void setLanguage(const std::string& code);

// A new progress record and no run: the roster, the gold, the stash and the
// runes are gone; the settings stay.
void resetProgress();

} // namespace play
