#pragma once
// Where the minigames draw, apart from the drawing: the geometry of each
// play area, beside the deals each game takes from its generator (the run's
// own, play/minigames.h). The screens and their tests share them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "play/minigames.h"
#include "rules/hero.h"
#include "rules/rng.h"
#include "ui/app.h"
#include "ui/rect.h"

namespace ui {

// Where every game draws: below the header (`header` high) and the rule box
// that shows `info`, above the room of the result banner, and never less
// than 120s high. Measures the rule text on ctx's cairo context.
Rect minigamePlayArea(Ctx& ctx, double header, const std::string& info);

// --- Dice ---

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

// --- Shell ---

struct ShellLayout {
    double cupW = 0;
    double cupH = 0;
    std::array<double, 3> x{};  // centres of the three positions
    double baseY = 0;           // the line the cups stand on
    // The cup standing at centre x, raised by lift.
    Rect cup(double cx, double lift) const { return {cx - cupW / 2, baseY - cupH - lift, cupW, cupH}; }
};
ShellLayout shellLayout(double w, double s, const Rect& area);

// --- Memory ---

inline constexpr double kMemoryPreview = 3;    // seconds of countdown before the cards show
inline constexpr double kMemoryPlay = 4;       // the cards turn face down again
inline constexpr double kMemoryMismatch = 0.76;  // a wrong pair stays open this long

struct MemoryLayout {
    double card = 0;  // side
    double gap = 0;
    double top = 0;   // top of the block: the countdown line, then the grid
    double w = 0;
    double s = 1;
    Rect cardRect(int i) const;
};
MemoryLayout memoryLayout(double w, double s, const Rect& area);

// --- Whack ---

inline constexpr double kWhackPeek = 0.82;    // the monster shows this long after the strike
inline constexpr double kWhackResult = 1.28;  // and the strike is judged

struct WhackLayout {
    double hole = 0;  // side
    double gap = 0;
    double grid = 0;  // side of the whole grid
    double top = 0;
    double w = 0;
    Rect button;      // the strike
    Rect holeRect(int i) const;
};
// running: the strike button still needs its room under the grid.
WhackLayout whackLayout(double w, double s, const Rect& area, bool running);

} // namespace ui
