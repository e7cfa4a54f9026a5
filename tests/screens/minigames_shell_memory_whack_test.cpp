// The shell game, monster memory and whack-a-monster.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

#include "rules/monsters.h"
#include "tests/screens/minigame_fixture.h"

namespace {

using minitest::findSeed;
using minitest::MinigameTest;

constexpr int kShellNode = 8;
constexpr int kMemoryNode = 9;
constexpr int kWhackNode = 10;

// --- Shell ---

TEST(ShellDealTest, SwapsStayInTheirRangeAndDeepRunsShuffleMore) {
    for (int depth : {0, 7, 24, 40}) {
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            SCOPED_TRACE(testing::Message() << "depth " << depth << " seed " << seed);
            rpg::Rng rng{seed};
            const play::ShellDeal d = play::dealShell(rng, depth);
            ASSERT_GE(d.swapCount, 5);
            ASSERT_LE(d.swapCount, 16);
            const bool quick = d.baseDuration < 0.31;
            if (depth >= 24 && quick) {
                ASSERT_EQ(d.swapCount, 16);
            }
            if (depth == 0) {
                ASSERT_LE(d.swapCount, quick ? 14 : 8);
            }
            for (int k = 0; k < play::kShellSwapsMax; ++k) {
                ASSERT_NE(d.swapFrom[k], d.swapTo[k]);
                ASSERT_GE(d.swapDuration[k], 0.12);
            }
        }
    }
}

TEST(ShellDealTest, TheStakeGrowsWithThePartysMeanLevel) {
    struct Case {
        std::vector<int> levels;
        double stake;
    } cases[] = {
        {{}, 50}, {{1}, 50}, {{6, 6}, 70}, {{4, 6, 8}, 70}, {{1, 2}, 54}, {{20}, 126},
    };
    for (const Case& c : cases) {
        std::vector<rpg::Hero> heroes;
        for (int level : c.levels) heroes.push_back(rpg::makeHero(rpg::ClassId::Rogue, "", level));
        std::vector<rpg::Hero*> party;
        for (rpg::Hero& hero : heroes) party.push_back(&hero);
        EXPECT_EQ(play::shellStake(party), c.stake) << c.levels.size() << " heroes";
    }
}

class ShellTest : public MinigameTest {
protected:
    // Plays the watching and the shuffle; returns the position of the nut's cup.
    int watchTheShuffle(std::uint32_t seed) {
        rpg::Rng rng{seed};
        const play::ShellDeal deal = play::dealShell(rng, store::run().depth);
        double end = 1.5;
        for (int k = 0; k < deal.swapCount; ++k) end += deal.swapDuration[k] + 0.06;
        h->setFrameStep(1.0 / 30);
        clickCup(deal.prizeCup);  // while the cups are still shown: nothing happens
        h->runFor(end - h->now() + 0.1);
        EXPECT_EQ(count(audio::Sfx::Shuffle), deal.swapCount);
        const std::array<int, 3> order = play::cupsAfter(deal, deal.swapCount);
        return static_cast<int>(std::find(order.begin(), order.end(), deal.prizeCup) - order.begin());
    }
    void clickCup(int position) {
        const ui::ShellLayout L = ui::shellLayout(width(), scale(), area());
        click(L.cup(L.x[position], 0));
    }
};

TEST_F(ShellTest, AWrongPickCostsTheStakeAtOnceButNeverBelowZero) {
    struct Case {
        double gold;
        double left;
    } cases[] = {{100, 30}, {40, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gold);
        partyLevels = {4, 6, 8};  // mean 6: a stake of 70
        gold = c.gold;
        const std::uint32_t seed = 777;
        open(ui::kShell, kShellNode, seed);
        const int prize = watchTheShuffle(seed);
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Playing);
        clickCup((prize + 1) % 3);
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Lost);
        h->reloadStores();
        EXPECT_EQ(store::meta().gold, c.left);
        EXPECT_FALSE(nodeCleared()) << "the node is settled only on the way out";
    }
}

TEST_F(ShellTest, TheRightCupWinsAndCostsNothing) {
    gold = 100;
    const std::uint32_t seed = 4711;
    open(ui::kShell, kShellNode, seed);
    clickCup(watchTheShuffle(seed));
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Won);
    h->reloadStores();
    EXPECT_EQ(store::meta().gold, 100);
}

// --- Memory ---

TEST(MemoryDealTest, SixDistinctNormalMonstersInPairs) {
    const std::vector<std::uint16_t>& normal = rpg::normalMonsters();
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        rpg::Rng rng{seed};
        const play::MemoryDeal d = play::dealMemory(rng);
        EXPECT_EQ(std::set<std::uint16_t>(d.faces.begin(), d.faces.end()).size(), 6u);
        for (std::uint16_t face : d.faces) EXPECT_NE(std::find(normal.begin(), normal.end(), face), normal.end());
        for (int pair = 0; pair < 6; ++pair) EXPECT_EQ(std::count(d.cards.begin(), d.cards.end(), pair), 2);
    }
}

class MemoryTest : public MinigameTest {
protected:
    play::MemoryDeal deal(std::uint32_t seed) const {
        rpg::Rng rng{seed};
        return play::dealMemory(rng);
    }
    void clickCard(int i) { click(ui::memoryLayout(width(), scale(), area()).cardRect(i)); }
    // The other card of card i's pair.
    static int partner(const play::MemoryDeal& d, int i) {
        const int first = minitest::cardOf(d, d.cards[i], 0);
        return first == i ? minitest::cardOf(d, d.cards[i], 1) : first;
    }
};

TEST_F(MemoryTest, AllPairsWithoutAMistakeWin) {
    const std::uint32_t seed = 99;
    const play::MemoryDeal d = deal(seed);
    open(ui::kMemory, kMemoryNode, seed);
    h->setFrameStep(0.05);
    clickCard(0);  // face down during the countdown: not taken
    h->runFor(3.5 - h->now());
    EXPECT_EQ(count(audio::Sfx::Click), 3) << "one tick per countdown number";
    EXPECT_EQ(count(audio::Sfx::Success), 1);
    clickCard(0);  // shown during the preview: not taken either
    h->runFor(4.05 - h->now());
    EXPECT_EQ(count(audio::Sfx::CardFlip), 0);

    std::set<int> done;
    for (int i = 0; i < play::kMemoryCards; ++i) {
        if (done.count(i)) continue;
        clickCard(i);
        clickCard(i);  // already open: silent
        clickCard(partner(d, i));
        clickCard(i);  // matched: silent
        done.insert({i, partner(d, i)});
    }
    EXPECT_EQ(count(audio::Sfx::CardFlip), 12);
    EXPECT_EQ(count(audio::Sfx::Match), 6);
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Won);
    EXPECT_EQ(h->sounds().back(), audio::Sfx::WinGlare);
}

TEST_F(MemoryTest, AWrongPairLosesAfterAMomentAndNoThirdCardTurns) {
    const std::uint32_t seed = 123;
    const play::MemoryDeal d = deal(seed);
    open(ui::kMemory, kMemoryNode, seed);
    h->setFrameStep(1.0 / 60);
    h->wait(4.1);
    h->frame();
    const int wrong = d.cards[1] == d.cards[0] ? 2 : 1;
    clickCard(0);
    clickCard(wrong);
    const double mismatch = h->now() - 1.0 / 60;  // the release frame turned it
    clickCard(partner(d, 0));
    EXPECT_EQ(count(audio::Sfx::CardFlip), 2) << "no card turns while the wrong pair is open";
    while (h->now() < mismatch + 0.76 - 1e-9) h->frame();
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Playing);
    h->frame();
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Lost);
    EXPECT_EQ(h->sounds().back(), audio::Sfx::Defeat);
}

// Two variants of one creature share the sprite: only the recolouring tells
// their cards apart, so it must show on the card.
TEST_F(MemoryTest, VariantsOfOneCreatureLookDifferent) {
    const std::uint32_t seed =
        findSeed([](rpg::Rng& rng) { return minitest::sameCreaturePairs(play::dealMemory(rng)).first >= 0; });
    const play::MemoryDeal d = deal(seed);
    const auto [pairA, pairB] = minitest::sameCreaturePairs(d);
    auto cardOf = [&](int pair, int nth) { return minitest::cardOf(d, pair, nth); };

    open(ui::kMemory, kMemoryNode, seed);
    h->wait(3.5);
    h->frame();  // the preview: every card face up
    const ui::MemoryLayout L = ui::memoryLayout(width(), scale(), area());
    // The mean colour of a card's picture, channel by channel.
    auto meanColour = [&](int card) {
        const ui::Rect r = L.cardRect(card);
        std::array<double, 3> sum{};
        int n = 0;
        for (int y = int(r.y + 10 * scale()); y < int(r.y + r.h - 10 * scale()); ++y)
            for (int x = int(r.x + 10 * scale()); x < int(r.x + r.w - 10 * scale()); ++x, ++n)
                for (int c = 0; c < 3; ++c) sum[c] += h->overlayPixel(x, y) >> (16 - 8 * c) & 0xFF;
        for (double& v : sum) v /= n;
        return sum;
    };
    auto distance = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    const auto a0 = meanColour(cardOf(pairA, 0));
    EXPECT_LT(distance(a0, meanColour(cardOf(pairA, 1))), 3) << "the two cards of a pair look alike";
    EXPECT_GT(distance(a0, meanColour(cardOf(pairB, 0))), 15)
        << rpg::monsters()[d.faces[pairA]].id << " and " << rpg::monsters()[d.faces[pairB]].id << " look the same";
}

// --- Whack ---

class WhackTest : public MinigameTest {
protected:
    ui::WhackLayout layout() const { return ui::whackLayout(width(), scale(), area(), game().outcome() == ui::MiniOutcome::Playing); }
    void clickHole(int i) { click(layout().holeRect(i)); }
};

TEST_F(WhackTest, TheStrikeNeedsAPickAndFixesIt) {
    const std::uint32_t seed = 31337;
    rpg::Rng rng{seed};
    const int monster = play::hideMonster(rng);
    open(ui::kWhack, kWhackNode, seed);
    click(layout().button);
    EXPECT_EQ(count(audio::Sfx::Whack), 0) << "nothing to strike yet";
    clickHole((monster + 4) % 9);
    clickHole(monster);  // a new pick moves it
    click(layout().button);
    EXPECT_EQ(count(audio::Sfx::Whack), 1);
    clickHole((monster + 1) % 9);  // too late to change
    h->runFor(1.4);
    EXPECT_EQ(game().outcome(), ui::MiniOutcome::Won);
}

TEST_F(WhackTest, TheResultComesAtTheSameMomentAtAnyFrameRate) {
    for (double fps : {30.0, 144.0}) {
        SCOPED_TRACE(fps);
        const std::uint32_t seed = 2024;
        rpg::Rng rng{seed};
        const int miss = (play::hideMonster(rng) + 1) % 9;
        open(ui::kWhack, kWhackNode, seed);
        h->setFrameStep(1 / fps);
        clickHole(miss);
        click(layout().button);
        const double struck = h->now() - 1 / fps;  // the release frame struck
        h->clearSounds();
        while (h->now() < struck + 1.28 - 1e-9) h->frame();
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Playing);
        EXPECT_EQ(h->sounds(), std::vector{audio::Sfx::Pop}) << "the monster peeks out first";
        h->frame();
        EXPECT_EQ(game().outcome(), ui::MiniOutcome::Lost);
        EXPECT_EQ(h->sounds().back(), audio::Sfx::Defeat);
    }
}

} // namespace
