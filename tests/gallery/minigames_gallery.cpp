// The minigames in the middle of play and at their result banner.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/i18n.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/minigame_fixture.h"

namespace {

using minitest::findSeed;

class MinigamesGallery : public minitest::MinigameTest {
protected:
    void shoot(const std::string& name) { gallery::shoot(*h, name); }
};

TEST_F(MinigamesGallery, Dice) {
    const std::uint32_t win = findSeed([](rpg::Rng& r) { return play::diceWon(play::rollDice(r)); });
    const std::uint32_t loss = findSeed([](rpg::Rng& r) { return !play::diceWon(play::rollDice(r)); });
    for (auto [w, hgt] : gallery::kSizes) {
        open(ui::kDice, 7, win, w, hgt);
        h->runFor(0.3);
        shoot("dice-waiting");
        click(ui::diceLayout(width(), scale(), area()).button);
        h->runFor(2.5);  // the rogue's second die in the air
        shoot("dice-rolling");
        h->runFor(3.0);
        shoot("dice-won");

        open(ui::kDice, 7, loss, w, hgt);
        click(ui::diceLayout(width(), scale(), area()).button);
        h->runFor(5.0);
        shoot("dice-lost");
    }
}

TEST_F(MinigamesGallery, Coin) {
    const std::uint32_t heads = findSeed([](rpg::Rng& r) { return play::tossHeads(r); });
    for (auto [w, hgt] : gallery::kSizes) {
        open(ui::kCoin, 11, heads, w, hgt);
        const ui::CoinLayout L = ui::coinLayout(width(), height(), scale(), area(), false);
        click(L.cards[0]);
        h->runFor(0.3);
        shoot("coin-called");
        click(L.button);
        h->runFor(0.75);
        shoot("coin-tossing");
        h->runFor(2.5);
        shoot("coin-won");

        open(ui::kCoin, 11, heads, w, hgt);
        click(L.cards[1]);
        click(L.button);
        h->runFor(3.0);
        shoot("coin-lost");
    }
}

TEST_F(MinigamesGallery, Shell) {
    for (auto [w, hgt] : gallery::kSizes) {
        for (bool win : {true, false}) {
            gold = 500;
            partyLevels = {6, 6};
            const std::uint32_t seed = win ? 5 : 6;
            open(ui::kShell, 8, seed, w, hgt);
            rpg::Rng rng{seed};
            const play::ShellDeal deal = play::dealShell(rng, 0);
            if (win) {
                h->runFor(0.7);
                shoot("shell-watching");
                h->runFor(1.0);
                shoot("shell-shuffling");
            }
            h->runFor(6.5 - h->now());
            if (win) shoot("shell-picking");
            const std::array<int, 3> order = play::cupsAfter(deal, deal.swapCount);
            const int prize = static_cast<int>(std::find(order.begin(), order.end(), deal.prizeCup) - order.begin());
            const ui::ShellLayout L = ui::shellLayout(width(), scale(), area());
            const int pick = win ? prize : (prize + 1) % 3;
            click(L.cup(L.x[pick], 0));
            h->runFor(0.8);
            shoot(win ? "shell-won" : "shell-lost");
        }
    }
}

TEST_F(MinigamesGallery, Memory) {
    // A deal with two variants of one creature, to see them side by side.
    const std::uint32_t seed =
        findSeed([](rpg::Rng& rng) { return minitest::sameCreaturePairs(play::dealMemory(rng)).first >= 0; });
    rpg::Rng rng{seed};
    const play::MemoryDeal d = play::dealMemory(rng);
    auto cardOf = [&](int pair, int nth) { return minitest::cardOf(d, pair, nth); };
    for (auto [w, hgt] : gallery::kSizes) {
        open(ui::kMemory, 9, seed, w, hgt);
        h->runFor(1.2);
        shoot("memory-countdown");
        h->runFor(3.5 - h->now());
        shoot("memory-preview");
        h->runFor(4.2 - h->now());
        const ui::MemoryLayout L = ui::memoryLayout(width(), scale(), area());
        for (int pair : {0, 1}) {
            click(L.cardRect(cardOf(pair, 0)));
            click(L.cardRect(cardOf(pair, 1)));
        }
        click(L.cardRect(cardOf(2, 0)));
        h->runFor(0.3);
        shoot("memory-playing");
        click(L.cardRect(cardOf(3, 0)));
        h->runFor(0.2);
        shoot("memory-mismatch");
        h->runFor(1.5);
        shoot("memory-lost");

        open(ui::kMemory, 9, seed, w, hgt);
        h->runFor(4.2);
        for (int pair = 0; pair < 6; ++pair) {
            click(L.cardRect(cardOf(pair, 0)));
            click(L.cardRect(cardOf(pair, 1)));
        }
        h->runFor(1.0);
        shoot("memory-won");
    }
}

TEST_F(MinigamesGallery, Whack) {
    for (auto [w, hgt] : gallery::kSizes) {
        for (bool win : {true, false}) {
            const std::uint32_t seed = 77;
            rpg::Rng rng{seed};
            const int monster = play::hideMonster(rng);
            open(ui::kWhack, 10, seed, w, hgt);
            auto layout = [&] { return ui::whackLayout(width(), scale(), area(), game().outcome() == ui::MiniOutcome::Playing); };
            click(layout().holeRect(win ? monster : (monster + 4) % 9));
            h->runFor(0.3);
            if (win) shoot("whack-picked");
            click(layout().button);
            h->runFor(1.0);
            if (win) shoot("whack-peek");
            h->runFor(0.6);
            shoot(win ? "whack-strike-won" : "whack-strike-lost");
            h->runFor(1.2);
            shoot(win ? "whack-won" : "whack-lost");
        }
    }
}

// The longest rule texts (Nepali), at the smallest window: the rule box
// grows and the play area still fits.
TEST_F(MinigamesGallery, LongRules) {
    i18n::setLanguage("ne");
    const auto [w, hgt] = gallery::kSizes[1];
    const int games[] = {ui::kDice, ui::kShell, ui::kMemory, ui::kWhack, ui::kCoin};
    for (int screen : games) {
        open(screen, 7 + screen - ui::kDice, 3, w, hgt);
        h->runFor(3.5);
        shoot("minigame-ne-" + std::to_string(screen));
    }
    i18n::setLanguage("en");
}

} // namespace
