#include "play/minigames.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "platform/storage.h"
#include "rules/monsters.h"

namespace play {

DiceRoll rollDice(rpg::Rng& rng) {
    DiceRoll dice{};
    for (int& d : dice) d = rng.index(6) + 1;
    return dice;
}

int playerSum(const DiceRoll& dice) { return dice[0] + dice[1] + dice[2]; }
int rogueSum(const DiceRoll& dice) { return dice[3] + dice[4] + dice[5]; }
bool diceWon(const DiceRoll& dice) { return playerSum(dice) >= rogueSum(dice); }

bool tossHeads(rpg::Rng& rng) { return rng.uniform() < 0.5; }

ShellDeal dealShell(rpg::Rng& rng, int depth) {
    ShellDeal d;
    d.prizeCup = rng.index(3);
    const int q = std::max(depth, 0) / 4;
    if (rng.uniform() < 0.5) {
        d.swapCount = std::min(10 + rng.index(5) + q, kShellSwapsMax);
        d.baseDuration = (rng.index(70) + 230) / 1000.0;
    } else {
        d.swapCount = std::min(5 + rng.index(4) + q, kShellSwapsMax);
        d.baseDuration = (rng.index(120) + 330) / 1000.0;
    }
    for (int k = 0; k < kShellSwapsMax; ++k) {
        d.swapFrom[k] = rng.index(3);
        do {
            d.swapTo[k] = rng.index(3);
        } while (d.swapTo[k] == d.swapFrom[k]);
        d.swapDuration[k] = std::max(d.baseDuration + rng.index(80) / 1000.0 - 0.04, 0.12);
    }
    return d;
}

std::array<int, 3> cupsAfter(const ShellDeal& deal, int swaps) {
    std::array<int, 3> order{0, 1, 2};
    for (int k = 0; k < std::min(swaps, kShellSwapsMax); ++k) std::swap(order[deal.swapFrom[k]], order[deal.swapTo[k]]);
    return order;
}

double shellStake(const std::vector<rpg::Hero*>& party) {
    if (party.empty()) return 50;
    double levels = 0;
    for (const rpg::Hero* hero : party) levels += hero->level;
    const double L = std::round(levels / party.size());
    return L > 1 ? std::round((1 + 0.08 * (L - 1)) * 50) : 50;
}

Result payShellStake() {
    store::Meta& meta = store::meta();
    meta.gold = std::max(meta.gold - shellStake(store::partyHeroes()), 0.0);
    store::saveMeta();
    return done(Sound::None);
}

MemoryDeal dealMemory(rpg::Rng& rng) {
    const std::vector<std::uint16_t>& normal = rpg::normalMonsters();
    std::vector<int> order(normal.size());
    std::iota(order.begin(), order.end(), 0);
    rng.shuffle(order);
    MemoryDeal deal;
    for (int k = 0; k < 6; ++k) deal.faces[k] = normal[order[k]];
    deal.cards = {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
    rng.shuffle(deal.cards);
    return deal;
}

int hideMonster(rpg::Rng& rng) { return rng.index(9); }

} // namespace play
