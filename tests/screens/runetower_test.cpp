// The rune tower: socketing swaps a stone with the socket's occupant,
// a socket gives its stone back, a sale pays 25 + 4 per point of value,
// and every change is saved.
#include <gtest/gtest.h>

#include <vector>

#include "platform/storage.h"
#include "rules/runes.h"
#include "screens/runetower_layout.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/run_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using Stones = std::vector<rpg::Runestone>;

class RuneTowerTest : public ::testing::Test {
protected:
    harness::ScreenHarness h{&ui::Game::instance()};

    void open() {
        store::saveMeta();
        runfix::openScreens(h, {ui::kCity, ui::kRuneTower});
    }

    double scale() { return h.ctx().uiScale; }
    ui::RuneTowerLayout layout() {
        return ui::runeTowerLayout(h.ctx().width, h.ctx().height, scale(), ui::kHeaderHeight * scale());
    }
    ui::Rect row(int i, double scroll = 0) { return ui::runeRowRect(layout(), i, scale(), scroll); }
    void clickIn(const ui::Rect& r) { navtest::clickStill(h, r.x + r.w / 2, r.y + r.h / 2); }
};

const rpg::Runestone kOldAtk{"rune-atk-1-000001", rpg::Atk, 5};
const rpg::Runestone kNewAtk{"rune-atk-2-000002", rpg::Atk, 8};
const rpg::Runestone kDef{"rune-def-1-000003", rpg::Def, 3};

TEST_F(RuneTowerTest, SocketingSwapsTheOccupantToTheEndOfTheStones) {
    store::Meta& meta = store::meta();
    meta.runeCircle.filled[rpg::Atk] = true;
    meta.runeCircle.stones[rpg::Atk] = kOldAtk;
    meta.runeInventory = {kNewAtk, kDef};
    open();

    clickIn(ui::runeSocketButton(row(0), scale()));
    EXPECT_EQ(h.sounds(), (std::vector{audio::Sfx::Click, audio::Sfx::Star2}));
    h.reloadStores();
    EXPECT_EQ(store::meta().runeInventory, (Stones{kDef, kOldAtk}));
    EXPECT_TRUE(store::meta().runeCircle.filled[rpg::Atk]);
    EXPECT_EQ(store::meta().runeCircle.stones[rpg::Atk], kNewAtk);
    EXPECT_EQ(rpg::runeBonus(store::meta().runeCircle).atk, 8);
}

TEST_F(RuneTowerTest, ASocketGivesItsStoneBackToTheEndOfTheStones) {
    store::Meta& meta = store::meta();
    meta.runeCircle.filled[rpg::Atk] = true;
    meta.runeCircle.stones[rpg::Atk] = kOldAtk;
    meta.runeInventory = {kDef};
    open();

    clickIn(layout().sockets[rpg::runeSlot(rpg::Atk)]);
    clickIn(layout().sockets[rpg::runeSlot(rpg::Def)]);  // empty: nothing
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});
    h.reloadStores();
    EXPECT_EQ(store::meta().runeInventory, (Stones{kDef, kOldAtk}));
    EXPECT_FALSE(store::meta().runeCircle.filled[rpg::Atk]);
    EXPECT_EQ(rpg::runeBonus(store::meta().runeCircle), rpg::Stats{});
}

TEST_F(RuneTowerTest, AStoneOfValueTenSellsForSixtyFive) {
    store::meta().gold = 100;
    store::meta().runeInventory = {{"rune-mag-1-000004", rpg::Mag, 10}};
    open();

    clickIn(ui::runeSellButton(row(0), scale()));
    EXPECT_EQ(h.sounds(), (std::vector{audio::Sfx::Click, audio::Sfx::Coin}));
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 165);
    EXPECT_TRUE(store::meta().runeInventory.empty());
}

// A row scrolled up under the inventory heading takes no click there.
TEST_F(RuneTowerTest, ARowScrolledAboveTheListTakesNoClick) {
    store::meta().gold = 0;
    for (int i = 0; i < 8; ++i) store::meta().runeInventory.push_back({"rune-" + std::to_string(i), rpg::Spd, 2});
    open();
    const ui::RuneTowerLayout lay = layout();
    const double scroll = 20;
    navtest::dragBy(h, lay.list.x + 20, lay.list.y + 30, -scroll);
    const ui::Rect sell = ui::runeSellButton(row(0, scroll), scale());
    ASSERT_LT(sell.y, lay.list.y);
    h.clearSounds();

    navtest::clickStill(h, sell.x + sell.w / 2, (sell.y + lay.list.y) / 2);
    EXPECT_TRUE(h.sounds().empty());
    EXPECT_EQ(store::meta().runeInventory.size(), 8u);
    EXPECT_EQ(store::meta().gold, 0);
}

} // namespace
