// The minigame base (the way out to the chest or the map) through the dice
// duel, and the coin toss.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/screens/minigame_fixture.h"

namespace {

using minitest::findSeed;
using minitest::MinigameTest;

constexpr int kDiceNode = 7;
constexpr int kCoinNode = 11;

bool tie(rpg::Rng& rng) {
    const play::DiceRoll d = play::rollDice(rng);
    return play::playerSum(d) == play::rogueSum(d);
}
bool rogueAhead(rpg::Rng& rng) { return !play::diceWon(play::rollDice(rng)); }

class DiceTest : public MinigameTest {
protected:
    // Rolls and plays the reveal to its end.
    void rollAndReveal() {
        click(ui::diceLayout(width(), scale(), area()).button);
        h->skip(4.7);
    }
};

TEST_F(DiceTest, ATieWinsAndTheChestOpensAsALuckyTreasureOfTheNode) {
    open(ui::kDice, kDiceNode, findSeed(tie));
    rollAndReveal();
    ASSERT_EQ(game().outcome(), ui::MiniOutcome::Won);
    EXPECT_EQ(count(audio::Sfx::WinGlare), 1);

    h->key(SDLK_RETURN).frame();
    const ui::GameState& top = h->top();
    EXPECT_EQ(top.screen, ui::kTreasure);
    EXPECT_EQ(top.nodeId, nodeId);
    EXPECT_EQ(top.nodeType, kDiceNode);
    EXPECT_TRUE(top.firstFlag);
    EXPECT_TRUE(top.lucky);
    EXPECT_TRUE(top.autoOpen);
    EXPECT_EQ(ui::Game::instance().stack().size(), 3u) << "the chest replaces the game above the map";
    EXPECT_EQ(count(audio::Sfx::ChestOpen), 1);
    h->reloadStores();
    EXPECT_TRUE(nodeCleared());
}

TEST_F(DiceTest, ALossSettlesTheNodeAndReturnsToTheMap) {
    open(ui::kDice, kDiceNode, findSeed(rogueAhead));
    rollAndReveal();
    ASSERT_EQ(game().outcome(), ui::MiniOutcome::Lost);
    EXPECT_EQ(count(audio::Sfx::Defeat), 1);

    const ui::DiceLayout L = ui::diceLayout(width(), scale(), area());
    click({0.5 * width() - 20, L.button.y + 46 * scale(), 40, 48 * scale()});  // the banner's leave button
    EXPECT_EQ(h->top().screen, ui::kMap);
    h->reloadStores();
    EXPECT_TRUE(nodeCleared());
    EXPECT_EQ(store::run().pos, nodeId);
}

TEST_F(DiceTest, LeavingKeepsTheNodeOpenUnlessTheGameIsOver) {
    struct Case {
        const char* name;
        bool roll;     // roll and wait
        double wait;   // seconds after the roll
        bool cleared;  // the node is settled (as lost) on the way out
    } cases[] = {
        {"before the roll", false, 0, false},
        {"during the reveal", true, 2.0, false},
        {"after a won game", true, 4.7, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(ui::kDice, kDiceNode, findSeed(tie));
        const std::string before = runFile();
        if (c.roll) {
            click(ui::diceLayout(width(), scale(), area()).button);
            h->skip(c.wait);
        }
        h->key(SDLK_ESCAPE).frame();
        EXPECT_EQ(h->top().screen, ui::kMap);
        h->reloadStores();
        EXPECT_EQ(nodeCleared(), c.cleared);
        if (!c.cleared) {
            EXPECT_EQ(runFile(), before) << "nothing was saved";
        }
        EXPECT_EQ(count(audio::Sfx::ChestOpen), 0);
    }
}

TEST_F(DiceTest, DiceRollAndLandOneByOneAndTheOutcomeComesAfterTheSixth) {
    for (double step : {1.0 / 60, 1.0 / 30}) {
        SCOPED_TRACE(step);
        open(ui::kDice, kDiceNode, findSeed(tie));
        h->setFrameStep(step);
        click(ui::diceLayout(width(), scale(), area()).button);
        const double rolled = h->now() - step;  // the release frame rolled
        h->clearSounds();
        while (h->now() < rolled + 4.62 - 1e-9) h->frame();
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Playing) << "still revealing before 4.62 s";
        EXPECT_EQ(count(audio::Sfx::DiceRoll), 6);
        EXPECT_EQ(count(audio::Sfx::DiceLand), 6);
        h->frame();
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Won);
        EXPECT_EQ(h->sounds().back(), audio::Sfx::WinGlare);
    }
}

TEST_F(DiceTest, ReturnOnlyActsOnTheFinishedScreen) {
    open(ui::kDice, kDiceNode, findSeed(rogueAhead));
    h->key(SDLK_RETURN).frame();
    EXPECT_EQ(h->top().screen, ui::kDice);
    rollAndReveal();
    h->key(SDLK_RETURN).frame();
    EXPECT_EQ(h->top().screen, ui::kMap);
}

class CoinTest : public MinigameTest {
protected:
    ui::CoinLayout layout() const { return ui::coinLayout(width(), height(), scale(), area(), false); }
};

TEST_F(CoinTest, TheTossWaitsForACallAndTheCallIsFixedInTheAir) {
    const std::uint32_t seed = findSeed([](rpg::Rng& r) { return play::tossHeads(r); });
    open(ui::kCoin, kCoinNode, seed);
    click(layout().button);
    h->skip(3);
    EXPECT_EQ(count(audio::Sfx::CoinFlip), 0);
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Playing);

    click(layout().cards[1]);  // tails first, then changed to heads
    click(layout().cards[0]);
    EXPECT_EQ(count(audio::Sfx::Click), 2);
    click(layout().button);
    EXPECT_EQ(count(audio::Sfx::CoinFlip), 1);
    click(layout().cards[1]);  // in the air: too late
    h->skip(2.3);
    EXPECT_EQ(count(audio::Sfx::CoinLand), 1);
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Won) << "heads was called and heads came";
}

TEST_F(CoinTest, EitherCallWinsAboutHalfTheTime) {
    int wins = 0;
    constexpr int kGames = 80;
    for (int i = 0; i < kGames; ++i) {
        open(ui::kCoin, kCoinNode, 1000 + 7919 * i, 860, 560);
        click(layout().cards[i % 2]);
        click(layout().button);
        h->wait(2.3);
        h->frame();
        ASSERT_NE(game().outcome(), ui::MiniOutcome::Playing);
        wins += game().outcome() == ui::MiniOutcome::Won;
    }
    EXPECT_GT(wins, kGames * 3 / 10);
    EXPECT_LT(wins, kGames * 7 / 10);
}

} // namespace
