#pragma once
// What the minigames decide and where they draw, apart from the drawing:
// the deals each game takes from its generator (in the order it draws) and
// the geometry of each play area. The screens and their tests share them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// --- Shell ---

inline constexpr int kShellSwapsMax = 16;

// Cups are numbered 0-2 as they stand at the start; positions 0-2 are left,
// middle and right. Swap k exchanges the cups standing at swapFrom[k] and
// swapTo[k]; all sixteen are dealt, the first swapCount are played.
struct ShellDeal {
    int prizeCup = 0;
    int swapCount = 5;  // 5 to 16
    double baseDuration = 0;  // seconds
    std::array<int, kShellSwapsMax> swapFrom{};
    std::array<int, kShellSwapsMax> swapTo{};
    std::array<double, kShellSwapsMax> swapDuration{};  // seconds, at least 0.12
};
// Deeper runs shuffle more often.
ShellDeal dealShell(rpg::Rng& rng, int depth);
// Which cup stands at each position once the first `swaps` swaps are done.
std::array<int, 3> cupsAfter(const ShellDeal& deal, int swaps);
// The gold a wrong pick costs: 50, raised by 8 % per level of the party's
// mean level above 1.
double shellStake(const std::vector<rpg::Hero*>& party);

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

inline constexpr int kMemoryCards = 12;

struct MemoryDeal {
    std::array<std::uint16_t, 6> faces{};  // monster catalogue index of each pair
    std::array<int, kMemoryCards> cards{};  // pair number of each card
};
MemoryDeal dealMemory(rpg::Rng& rng);

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

int hideMonster(rpg::Rng& rng);

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
