// The barracks: rows move heroes into and out of the party within its
// bounds, the gear button opens the party screen, and a dismissal empties
// the hero's gear into the stash.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/storage.h"
#include "screens/kaserne_layout.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/party_fixture.h"
#include "tests/screens/run_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

using rpg::ClassId;
using Ids = std::vector<std::string>;

ui::KaserneLayout layoutIn(harness::ScreenHarness& h) {
    const double s = h.ctx().uiScale;
    return ui::kaserneLayout(store::meta().roster, h.ctx().width, h.ctx().height, s, 52 * s);
}

ui::Rect rowIn(harness::ScreenHarness& h, const std::string& id, double scroll = 0) {
    const ui::KaserneLayout lay = layoutIn(h);
    for (const ui::KaserneLine& line : lay.lines) {
        if (line.hero && line.hero->id == id) return ui::kaserneRowRect(lay, line, h.ctx().uiScale, scroll);
    }
    ADD_FAILURE() << "no row for " << id;
    return {};
}

class KaserneTest : public ::testing::Test {
protected:
    harness::ScreenHarness h{&ui::Game::instance()};

    // Heroes a, b, c, ... of alternating classes in the roster, the first
    // `party` of them in the party.
    void roster(int heroes, int party) {
        store::Meta& meta = store::meta();
        meta.initialized = true;
        const ClassId classes[] = {ClassId::Warrior, ClassId::Mage, ClassId::Cleric};
        for (int i = 0; i < heroes; ++i) {
            const std::string id(1, static_cast<char>('a' + i));
            meta.roster.push_back(rpg::makeHero(classes[i % 3], id, 1 + i));
            if (i < party) meta.partyIds.push_back(id);
        }
        store::saveMeta();
    }

    void open() { runfix::openScreens(h, {ui::kCity, ui::kKaserne}); }

    ui::KaserneLayout layout() { return layoutIn(h); }
    ui::Rect rowOf(const std::string& id) { return rowIn(h, id); }

    void clickIn(const ui::Rect& r) { navtest::clickStill(h, r.x + r.w / 2, r.y + r.h / 2); }
    // The row away from its buttons.
    void clickRow(const std::string& id) {
        const ui::Rect r = rowOf(id);
        navtest::clickStill(h, r.x + r.w / 3, r.y + r.h / 2);
    }
};

TEST_F(KaserneTest, ARowMovesItsHeroInOrOutOfThePartyWithinItsBounds) {
    struct Case {
        int heroes, party, ascension;
        std::string clicked;
        Ids after;
        audio::Sfx sound;
    } cases[] = {
        {3, 1, 0, "b", {"a", "b"}, audio::Sfx::Click},           // a parked hero joins at the end
        {3, 3, 0, "a", {"b", "c"}, audio::Sfx::Click},           // a member leaves, the rest keep their order
        {3, 1, 0, "a", {"a"}, audio::Sfx::Error},                // the last member stays
        {4, 3, 0, "d", {"a", "b", "c"}, audio::Sfx::Error},      // three is the cap before any ascension
        {4, 3, 2, "d", {"a", "b", "c", "d"}, audio::Sfx::Click},  // two won runs allow four
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked + " of " + std::to_string(c.party));
        h.freshStores();
        roster(c.heroes, c.party);
        store::meta().ascension = c.ascension;
        store::saveMeta();
        open();
        clickRow(c.clicked);
        EXPECT_EQ(h.sounds(), std::vector{c.sound});
        h.reloadStores();
        EXPECT_EQ(store::meta().partyIds, c.after);
    }
}

TEST_F(KaserneTest, WithOneHeroTheCrossCountsAsTheRow) {
    roster(1, 1);
    open();
    clickIn(ui::kaserneCrossRect(rowOf("a"), h.ctx().uiScale));
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Error});
    h.key(SDLK_RETURN).frame();  // no dialog to confirm
    EXPECT_EQ(store::meta().roster.size(), 1u);
    EXPECT_EQ(store::meta().partyIds, Ids{"a"});
}

// The gear button opens the party screen on its own row's hero, one in
// reserve too, at either window size: what the sheet then changes is his.
TEST(KaserneGear, OpensThePartyScreenOnItsRowsHero) {
    for (const auto& [w, ht] : {std::pair{1280, 720}, std::pair{860, 560}}) {
        SCOPED_TRACE(w);
        harness::ScreenHarness h(&ui::Game::instance(), w, ht);
        const double s = h.ctx().uiScale;
        partytest::setParty({partytest::bareHero("a", ClassId::Warrior), partytest::bareHero("b", ClassId::Mage),
                             partytest::bareHero("c", ClassId::Cleric)});
        store::meta().partyIds = {"a", "b"};
        store::saveMeta();
        runfix::openScreens(h, {ui::kCity, ui::kKaserne});

        const ui::Rect gear = ui::kaserneGearRect(rowIn(h, "c"), s);
        navtest::clickStill(h, gear.x + gear.w / 2, gear.y + gear.h / 2);
        EXPECT_EQ(h.top().screen, ui::kParty);
        EXPECT_EQ(h.top().heroId, "c");
        EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});
        h.frames(2);
        const partytest::Sheet sheet(w, s);
        navtest::clickStill(h, sheet.rowButtonX(1), sheet.rowButtonY(*store::heroById("c")));
        h.reloadStores();
        EXPECT_EQ(store::heroById("c")->row, 1) << "the sheet is the reserve hero's";
        EXPECT_EQ(store::heroById("a")->row, 0);
        EXPECT_EQ(store::meta().partyIds, (Ids{"a", "b"}));
    }
}

TEST_F(KaserneTest, ADismissedHerosWornItemsThenBagGoToTheStashAndThePartyIsRefilled) {
    roster(3, 1);
    rpg::Hero& a = store::meta().roster.front();
    a.equipment = rpg::Equipment{};
    a.equipment[rpg::EquipSlot::Ring2] = rpg::makeItem("primRingHeavy");
    a.equipment[rpg::EquipSlot::MainHand] = rpg::makeItem("ironSword");
    a.bag = {rpg::makeItem("potionHp"), rpg::makeItem("potionMp")};
    const std::vector<rpg::ItemInstance> expected = {a.equipment[rpg::EquipSlot::MainHand],
                                                     a.equipment[rpg::EquipSlot::Ring2], a.bag[0], a.bag[1]};
    store::meta().stash = {rpg::makeItem("greataxe")};
    store::saveMeta();
    open();

    clickIn(ui::kaserneCrossRect(rowOf("a"), h.ctx().uiScale));
    EXPECT_TRUE(h.sounds().empty());
    EXPECT_EQ(store::meta().roster.size(), 3u);  // only asked so far
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Place});

    h.reloadStores();
    const store::Meta& meta = store::meta();
    ASSERT_EQ(meta.stash.size(), 5u);
    EXPECT_EQ(std::vector(meta.stash.begin() + 1, meta.stash.end()), expected);
    ASSERT_EQ(meta.roster.size(), 2u);
    EXPECT_EQ(meta.roster[0].id, "b");
    EXPECT_EQ(meta.roster[1].id, "c");
    EXPECT_EQ(meta.partyIds, Ids{"b"});  // the only member left: the first hero fills the party
}

TEST_F(KaserneTest, AClickOutsideTheDialogCancelsTheDismissal) {
    roster(2, 1);
    open();
    clickIn(ui::kaserneCrossRect(rowOf("b"), h.ctx().uiScale));
    navtest::clickStill(h, 10, h.ctx().height - 10);  // beside the list, where no row lies
    h.key(SDLK_RETURN).frame();
    h.reloadStores();
    EXPECT_EQ(store::meta().roster.size(), 2u);
    EXPECT_EQ(store::meta().partyIds, Ids{"a"});
}

// A row scrolled half under the count line takes no click there.
TEST_F(KaserneTest, ARowScrolledAboveTheListTakesNoClick) {
    roster(9, 1);
    open();
    const ui::KaserneLayout lay = layout();
    const double scroll = 40;
    navtest::dragBy(h, lay.list.x + 20, lay.list.y + 200, -scroll);
    const ui::KaserneLine& first = lay.lines[1];
    const ui::Rect hidden = ui::kaserneRowRect(lay, first, h.ctx().uiScale, scroll);
    ASSERT_LT(hidden.y, lay.list.y);
    ASSERT_GT(hidden.y + hidden.h, lay.list.y);
    h.clearSounds();

    navtest::clickStill(h, hidden.x + hidden.w / 3, (hidden.y + lay.list.y) / 2);
    EXPECT_TRUE(h.sounds().empty());
    EXPECT_EQ(store::meta().partyIds, Ids{"a"});

    ASSERT_NE(first.hero->id, "a");
    navtest::clickStill(h, hidden.x + hidden.w / 3, lay.list.y + 4);  // its visible part
    EXPECT_EQ(store::meta().partyIds, (Ids{"a", first.hero->id}));
}

} // namespace
