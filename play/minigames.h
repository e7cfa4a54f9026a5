#pragma once
// What the five games of chance on the map deal, in the order each draws
// from its generator, and the shell game's stake. The games' screens
// animate these deals; nothing here draws.
#include <array>
#include <cstdint>
#include <vector>

#include "play/outcome.h"
#include "rules/hero.h"
#include "rules/rng.h"

namespace play {

// --- Dice ---

// The six faces of one roll: the player's three dice, then the rogue's.
using DiceRoll = std::array<int, 6>;
DiceRoll rollDice(rpg::Rng& rng);
int playerSum(const DiceRoll& dice);
int rogueSum(const DiceRoll& dice);
// A tie goes to the player.
bool diceWon(const DiceRoll& dice);

// --- Coin ---

bool tossHeads(rpg::Rng& rng);

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
// A wrong pick pays the party's stake from the lasting gold (never below 0),
// saved at once, before the game settles its node.
Result payShellStake();

// --- Memory ---

inline constexpr int kMemoryCards = 12;

struct MemoryDeal {
    std::array<std::uint16_t, 6> faces{};  // monster catalogue index of each pair
    std::array<int, kMemoryCards> cards{};  // pair number of each card
};
MemoryDeal dealMemory(rpg::Rng& rng);

// --- Whack ---

int hideMonster(rpg::Rng& rng);

} // namespace play
