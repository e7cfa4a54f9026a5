// The merchant screen: its stock, buying and selling, leaving a run shop,
// and the clicks that hidden cards must not take.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/items.h"
#include "screens/shop_layout.h"
#include "tests/screens/shop_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using rpg::ClassId;

// The same goods, whatever uids the rolls handed out.
std::vector<rpg::ItemInstance> withoutUids(std::vector<rpg::ItemInstance> items) {
    for (rpg::ItemInstance& item : items) item.uid.clear();
    return items;
}

std::vector<const rpg::ItemInstance*> pointers(const std::vector<rpg::ItemInstance>& items) {
    std::vector<const rpg::ItemInstance*> out;
    for (const rpg::ItemInstance& item : items) out.push_back(&item);
    return out;
}

class ShopTest : public ::testing::Test {
protected:
    harness::ScreenHarness h{&ui::Game::instance()};

    // The shop above a city (or, for a run shop, above the map).
    void open(const ui::GameState& shop) {
        ui::GameState below;
        below.screen = shop.nodeId.empty() ? ui::kCity : ui::kMap;
        h.start(below);
        ui::Game::instance().push(shop);
        h.frame();
    }

    double scale() { return h.ctx().uiScale; }
    double headerH() { return ui::kHeaderHeight * scale(); }
    ui::ShopGrid grid(bool inRun) { return ui::shopGrid(h.ctx().width, h.ctx().height, scale(), headerH(), inRun); }
    double cardHeight(const std::vector<const rpg::ItemInstance*>& shelf, bool inRun) {
        return ui::shopCardHeight(h.ctx().cr, shelf, grid(inRun).cardW, scale());
    }

    // The price button of card `index` on a shelf of these items.
    ui::Rect priceButton(const std::vector<const rpg::ItemInstance*>& shelf, int index, bool inRun,
                         double scroll = 0) {
        const double cardH = cardHeight(shelf, inRun);
        return ui::shopActionRect(ui::shopCardRect(grid(inRun), index, cardH, scale(), scroll), scale());
    }
    ui::Rect tab(ui::ShopTab which) { return ui::shopTabRect(h.ctx().width, scale(), headerH(), which); }
    ui::Rect leaveButton() { return ui::shopLeaveRect(h.ctx().width, h.ctx().height, scale()); }

    // The pointer comes to rest before the press, as a hand's does: a press
    // that lands after a jump would count as a drag of the list.
    void clickAt(double x, double y) {
        h.moveTo(x, y).frame();
        h.click(x, y);
    }
    void clickIn(const ui::Rect& r) { clickAt(r.x + r.w / 2, r.y + r.h / 2); }

    void clickSellTab() { clickIn(tab(ui::ShopTab::Sell)); }

    // Drags the list up by `by` units and lets it come to rest.
    void scrollList(double x, double y, double by) {
        h.moveTo(x, y).frame();
        h.press().frame();
        for (int i = 1; i <= 4; ++i) h.moveTo(x, y - by * i / 4).frame();
        h.frames(30);
        h.release().frame();
        h.frames(2);
    }
};

TEST(ShopLayout, UnknownKindsAreTheWanderingMerchant) {
    for (int sub : {0, 1, 2, 3}) EXPECT_EQ(ui::shopKindFor(sub), sub);
    for (int sub : {-1, 4, 5, 99, INT_MIN}) EXPECT_EQ(ui::shopKindFor(sub), play::kShopWanderer) << sub;
}

TEST(ShopLayout, ColumnsByWidth) {
    struct Case {
        double width, s;
        int columns;
    };
    for (const Case& c : {Case{100, 1, 1}, Case{499, 1, 1}, Case{500, 1, 2}, Case{749, 1, 2}, Case{750, 1, 3},
                          Case{2000, 1, 3}, Case{359, 0.72, 1}, Case{540, 0.72, 3}, Case{999, 2, 1}}) {
        EXPECT_EQ(ui::shopColumns(c.width, c.s), c.columns) << c.width << " at scale " << c.s;
    }
}

TEST_F(ShopTest, TheSamePlaceOffersTheSameGoods) {
    shoptest::setParty({ClassId::Warrior, ClassId::Mage}, 3, 0);
    const auto smith = play::shopStock(play::kShopWeaponsmith, "");
    ASSERT_EQ(smith.size(), 9u);
    EXPECT_EQ(withoutUids(play::shopStock(play::kShopWeaponsmith, "")), withoutUids(smith));
    EXPECT_NE(withoutUids(play::shopStock(play::kShopArmorer, "")), withoutUids(smith));

    const std::string node = shoptest::startRun(1234);
    ASSERT_FALSE(node.empty());
    const auto wander = play::shopStock(play::kShopWanderer, node);
    ASSERT_EQ(wander.size(), 6u);
    EXPECT_EQ(withoutUids(play::shopStock(play::kShopWanderer, node)), withoutUids(wander));
    EXPECT_NE(withoutUids(play::shopStock(play::kShopWanderer, node + "x")), withoutUids(wander));

    store::meta().partyIds.clear();
    EXPECT_TRUE(play::shopStock(play::kShopWeaponsmith, "").empty()) << "no party, no stock";
    EXPECT_TRUE(play::shopStock(play::kShopTavern, "").empty());
}

TEST_F(ShopTest, BuyingAnOfferTwiceGivesTwoItemsAndTheShelfKeepsIt) {
    shoptest::setParty({ClassId::Warrior, ClassId::Rogue}, 2, 5000);
    const auto stock = play::shopStock(play::kShopWeaponsmith, "");
    const double price = rpg::buyPrice(stock[0]);
    const ui::Rect buy = priceButton(pointers(stock), 0, false);

    open(shoptest::shopEntry(play::kShopWeaponsmith));
    clickIn(buy);
    h.wait(0.5);  // two clicks, not a double click
    clickIn(buy);
    open(shoptest::shopEntry(play::kShopWeaponsmith));  // a second visit: the same goods
    clickIn(buy);

    h.reloadStores();
    const auto& stash = store::meta().stash;
    ASSERT_EQ(stash.size(), 3u);
    for (const rpg::ItemInstance& item : stash) {
        EXPECT_EQ(item.defId, stock[0].defId);
        EXPECT_EQ(item.roll, stock[0].roll);
    }
    EXPECT_NE(stash[0].uid, stash[1].uid);
    EXPECT_NE(stash[1].uid, stash[2].uid);
    EXPECT_EQ(store::meta().gold, 5000 - 3 * price);
    EXPECT_EQ(std::count(h.sounds().begin(), h.sounds().end(), audio::Sfx::Success), 3);
}

// What a click settles is in the files when its frame ends, and it is
// settled once: not again on the frames after it, nor by the second half of
// a double click on the card that moved on under the pointer.
TEST_F(ShopTest, ADealIsSavedInTheFrameOfItsClickAndOnlyOnce) {
    shoptest::setParty({ClassId::Warrior}, 2, 5000);
    const auto stock = play::shopStock(play::kShopWeaponsmith, "");
    const double price = rpg::buyPrice(stock[0]);
    const ui::Rect buy = priceButton(pointers(stock), 0, false);
    open(shoptest::shopEntry(play::kShopWeaponsmith));

    h.tap(buy.x + buy.w / 2, buy.y + buy.h / 2);
    h.reloadStores();
    ASSERT_EQ(store::meta().stash.size(), 1u) << "saved before the frame ended";
    EXPECT_EQ(store::meta().gold, 5000 - price);
    h.frames(3);
    h.tap(buy.x + buy.w / 2, buy.y + buy.h / 2);  // the second click of a double click
    h.frames(3);
    h.reloadStores();
    EXPECT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().gold, 5000 - price);
    EXPECT_EQ(std::count(h.sounds().begin(), h.sounds().end(), audio::Sfx::Success), 1);

    // A sale alike: the shelf closes up under the pointer and the next card
    // is not sold by the same double click.
    h.freshStores();
    store::meta().stash = {rpg::makeItem("potionMp"), rpg::makeItem("potionHp")};
    store::saveMeta();
    const std::vector<rpg::ItemInstance> shelf = store::meta().stash;
    open(shoptest::shopEntry(play::kShopWeaponsmith));
    clickSellTab();
    h.wait(1);
    const ui::Rect sell = priceButton(pointers(shelf), 0, false);
    h.tap(sell.x + sell.w / 2, sell.y + sell.h / 2);
    h.reloadStores();
    ASSERT_EQ(store::meta().stash.size(), 1u) << "saved before the frame ended";
    EXPECT_EQ(store::meta().stash[0].defId, "potionHp");
    EXPECT_EQ(store::meta().gold, rpg::sellPrice(shelf[0]));
    h.frames(3);
    h.tap(sell.x + sell.w / 2, sell.y + sell.h / 2);
    h.frames(3);
    h.reloadStores();
    EXPECT_EQ(store::meta().stash.size(), 1u) << "one sale per double click";
}

TEST_F(ShopTest, APotionGoesToTheSmallestBagAndGearToTheRunInventory) {
    shoptest::setParty({ClassId::Warrior, ClassId::Mage, ClassId::Cleric}, 1, 5000);
    store::Meta& meta = store::meta();
    meta.roster[0].bag = {rpg::makeItem("potionHp"), rpg::makeItem("potionHp")};
    meta.roster[2].bag = {rpg::makeItem("potionMp")};
    const std::string lightest = meta.roster[1].id;
    store::saveMeta();

    const auto potions = play::shopStock(play::kShopApothecary, "");
    open(shoptest::shopEntry(play::kShopApothecary));
    clickIn(priceButton(pointers(potions), 0, false));
    h.reloadStores();
    ASSERT_EQ(store::heroById(lightest)->bag.size(), 1u);
    EXPECT_EQ(store::heroById(lightest)->bag[0].defId, potions[0].defId);
    EXPECT_TRUE(store::meta().stash.empty());

    const std::string node = shoptest::startRun(99);
    const auto wares = play::shopStock(play::kShopWanderer, node);
    ASSERT_NE(rpg::findItem(wares[0].defId)->slot, rpg::ItemSlot::Consumable);
    open(shoptest::shopEntry(play::kShopWanderer, node));
    clickIn(priceButton(pointers(wares), 0, true));
    h.reloadStores();
    ASSERT_EQ(store::run().inventory.size(), 1u);
    EXPECT_EQ(store::run().inventory[0].defId, wares[0].defId);
    EXPECT_TRUE(store::meta().stash.empty());
}

TEST_F(ShopTest, TooPoorBuysNothing) {
    shoptest::setParty({ClassId::Archer}, 1, 0);
    const auto stock = play::shopStock(play::kShopArmorer, "");
    open(shoptest::shopEntry(play::kShopArmorer));
    clickIn(priceButton(pointers(stock), 0, false));
    EXPECT_TRUE(store::meta().stash.empty());
    EXPECT_EQ(store::meta().gold, 0);
    EXPECT_EQ(std::count(h.sounds().begin(), h.sounds().end(), audio::Sfx::Success), 0);
}

TEST_F(ShopTest, SellsTheClickedEntryWhenTwoShareAUid) {
    store::Meta& meta = store::meta();
    meta.stash = {rpg::makeItem("potionHp"), rpg::makeItem("potionMp")};
    meta.stash[1].uid = meta.stash[0].uid;
    const std::vector<rpg::ItemInstance> shelf = meta.stash;
    store::saveMeta();

    open(shoptest::shopEntry(play::kShopWeaponsmith));
    clickSellTab();
    clickIn(priceButton(pointers(shelf), 1, false));

    h.reloadStores();
    ASSERT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().stash[0].defId, "potionHp");
    EXPECT_EQ(store::meta().gold, rpg::sellPrice(shelf[1]));
    EXPECT_EQ(h.sounds().back(), audio::Sfx::Place);
}

TEST_F(ShopTest, WornItemsAreListedButNeverSold) {
    shoptest::setParty({ClassId::Warrior}, 1, 0);
    const rpg::Equipment worn = store::meta().roster[0].equipment;
    std::vector<const rpg::ItemInstance*> shelf;
    for (const rpg::ItemInstance& item : worn.slots) {
        if (!item.defId.empty()) shelf.push_back(&item);
    }
    ASSERT_FALSE(shelf.empty());
    open(shoptest::shopEntry(play::kShopWeaponsmith));
    clickSellTab();
    clickIn(priceButton(shelf, 0, false));
    EXPECT_EQ(store::meta().gold, 0);
    EXPECT_EQ(store::meta().roster[0].equipment, worn);
    EXPECT_EQ(std::count(h.sounds().begin(), h.sounds().end(), audio::Sfx::Place), 0);
}

TEST_F(ShopTest, EveryWayOutOfARunShopSettlesTheNode) {
    enum Way { kEscape, kBack, kLeave };
    for (Way way : {kEscape, kBack, kLeave}) {
        SCOPED_TRACE(way);
        h.freshStores();
        shoptest::setParty({ClassId::Rogue}, 1, 0);
        const std::string node = shoptest::startRun(7 + way);
        open(shoptest::shopEntry(play::kShopWanderer, node));
        if (way == kEscape) h.key(SDLK_ESCAPE).frame();
        if (way == kBack) clickIn(ui::backButtonRect(h.ctx(), headerH()));
        if (way == kLeave) clickIn(leaveButton());
        h.frame();
        EXPECT_EQ(h.top().screen, ui::kMap);
        h.reloadStores();
        EXPECT_EQ(store::run().pos, node);
        EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
    }
}

TEST_F(ShopTest, LeavingACityShopTouchesNoRun) {
    shoptest::setParty({ClassId::Rogue}, 1, 0);
    shoptest::startRun(3);
    const rpg::RunState before = store::run();
    open(shoptest::shopEntry(play::kShopApothecary));
    h.key(SDLK_ESCAPE).frame();
    h.frame();
    EXPECT_EQ(h.top().screen, ui::kCity);
    h.reloadStores();
    EXPECT_EQ(store::run(), before);
}

// A card scrolled below the list lies under the leave button: the click is
// the button's.
TEST_F(ShopTest, LeaveOverAHiddenCardBuysNothing) {
    h.setUiScale(2);  // one column of tall cards, so the shelf scrolls
    shoptest::setParty({ClassId::Warrior, ClassId::Mage}, 3, 5000);
    const std::string node = shoptest::startRun(21);
    const auto wares = play::shopStock(play::kShopWanderer, node);
    const double s = scale();
    const ui::ShopGrid shelf = grid(true);
    const double cardH = cardHeight(pointers(wares), true);
    const ui::Rect leave = leaveButton();
    const double x = leave.x + leave.w / 2;
    const double leaveY = leave.y + leave.h / 2;
    // Scroll so that the second card's price button sits on the leave button.
    const ui::Rect unscrolled = ui::shopActionRect(ui::shopCardRect(shelf, 1, cardH, s, 0), s);
    const double scroll = unscrolled.y + unscrolled.h / 2 - leaveY;
    const ui::Rect card = ui::shopCardRect(shelf, 1, cardH, s, scroll);
    ASSERT_GT(scroll, 0);
    ASSERT_LT(card.y, shelf.area.y + shelf.area.h) << "the card shows in part";
    ASSERT_TRUE(ui::shopActionRect(card, s).contains(x, leaveY)) << "and its button hides under Leave";

    open(shoptest::shopEntry(play::kShopWanderer, node));
    scrollList(x, shelf.area.y + shelf.area.h - 20, scroll);
    clickAt(x, leaveY);
    h.frame();

    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 5000);
    EXPECT_TRUE(store::run().inventory.empty());
    EXPECT_TRUE(rpg::isCleared(store::run(), node));
}

TEST_F(ShopTest, ACardScrolledAboveTheListTakesNoClick) {
    store::Meta& meta = store::meta();
    for (int i = 0; i < 30; ++i) meta.stash.push_back(rpg::makeItem("potionHp"));
    const std::vector<rpg::ItemInstance> shelf = meta.stash;
    store::saveMeta();
    open(shoptest::shopEntry(play::kShopWeaponsmith));
    clickSellTab();
    // The first card shows only its foot, and its sell button lies above the
    // list; the click lands there, left of the tabs.
    const ui::ShopGrid sellShelf = grid(false);
    const double top = sellShelf.area.y;
    const double cardH = cardHeight(pointers(shelf), false);
    const double scroll = cardH - 5 * scale();
    const ui::Rect card = ui::shopCardRect(sellShelf, 0, cardH, scale(), scroll);
    const ui::Rect button = ui::shopActionRect(card, scale());
    const double x = button.x + 10 * scale();
    const double y = button.y + button.h / 2;
    ASSERT_GT(card.y + card.h, top) << "the card shows in part";
    ASSERT_LT(button.y + button.h, top);
    ASSERT_LT(x, tab(ui::ShopTab::Buy).x);
    const ui::Rect list = sellShelf.area;
    scrollList(list.x + list.w / 2, list.y + list.h / 2, scroll);
    clickAt(x, y);
    EXPECT_EQ(store::meta().stash.size(), 30u);
    EXPECT_EQ(store::meta().gold, 0);
}

TEST_F(ShopTest, ShopMinusOneOpensTheWanderingMerchant) {
    shoptest::setParty({ClassId::Druide}, 4, 5000);
    const auto wares = play::shopStock(play::kShopWanderer, "");
    const std::optional<ui::GameState> entry = ui::startScreenFor("shop:-1");
    ASSERT_TRUE(entry.has_value());
    h.start(*entry);
    h.frame();
    clickIn(priceButton(pointers(wares), 5, false));
    ASSERT_EQ(store::meta().stash.size() + store::meta().roster[0].bag.size(), 1u);
    EXPECT_EQ(store::meta().roster[0].bag.at(0).defId, "potionMp") << "the wanderer's last offer";
}

TEST_F(ShopTest, EveryKindCopesWithEmptyStores) {
    for (int kind = -1; kind <= 5; ++kind) {
        open(shoptest::shopEntry(kind));
        h.frames(3);
        clickAt(640, 300);
        EXPECT_EQ(h.top().screen, ui::kShop) << kind;
    }
    EXPECT_TRUE(store::meta().roster.empty());
    EXPECT_TRUE(store::meta().stash.empty());
}

} // namespace
