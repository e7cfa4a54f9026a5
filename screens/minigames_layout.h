#pragma once
// What the minigames decide and where they draw, apart from the drawing:
// the deals each game takes from its generator (in the order it draws) and
// the geometry of each play area. The screens and their tests share them.
#include <array>
#include <cstdint>
#include <vector>

#include "rules/hero.h"
#include "rules/rng.h"
#include "ui/rect.h"

namespace ui {

// --- Dice ---

// The six faces of one roll: the player's three dice, then the rogue's.
using DiceRoll = std::array<int, 6>;
DiceRoll rollDice(rpg::Rng& rng);
int playerSum(const DiceRoll& dice);
int rogueSum(const DiceRoll& dice);
// A tie goes to the player.
bool diceWon(const DiceRoll& dice);

// Reveal slots: slot 2k shows the rogue's die k, slot 2k + 1 the player's.
inline constexpr double kDiceSlot = 0.77;  // seconds per die
inline constexpr double kDiceSpin = 0.54;  // seconds of spinning before it lands
inline constexpr int kDiceSlots = 6;

struct DiceLayout {
    double die = 0;         // side of a die
    double rowH = 0;        // height of a row: label and dice
    double rogueY = 0;      // top of the rogue's row
    double playerY = 0;     // top of the player's row
    Rect button;            // the roll button; the result banner takes its place
};
// w: window width, s: UI scale, area: the play area.
DiceLayout diceLayout(double w, double s, const Rect& area);

// --- Coin ---

bool tossHeads(rpg::Rng& rng);

inline constexpr double kCoinFlight = 2.27;  // seconds from the toss to the landing
inline constexpr double kCoinLandSound = 2.19;

struct CoinLayout {
    double diameter = 0;
    double throwHeight = 0;  // how far the coin rises
    double coinY = 0;        // centre of the coin at rest
    Rect cards[2];           // the calls: 0 heads, 1 tails
    Rect button;             // the toss
};
// finished: the result line replaces the calls, so the coin sits lower.
CoinLayout coinLayout(double w, double h, double s, const Rect& area, bool finished);

} // namespace ui
