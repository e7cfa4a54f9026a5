// The minigames in the middle of play and at their result banner.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/minigame_fixture.h"

namespace {

using minitest::findSeed;

class MinigamesGallery : public minitest::MinigameTest {
protected:
    void shoot(const std::string& name) { gallery::shoot(*h, name); }
};

TEST_F(MinigamesGallery, Dice) {
    const std::uint32_t win = findSeed([](rpg::Rng& r) { return ui::diceWon(ui::rollDice(r)); });
    const std::uint32_t loss = findSeed([](rpg::Rng& r) { return !ui::diceWon(ui::rollDice(r)); });
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
    const std::uint32_t heads = findSeed([](rpg::Rng& r) { return ui::tossHeads(r); });
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

} // namespace
