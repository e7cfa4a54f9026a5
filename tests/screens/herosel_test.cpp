// Hero selection: picking, unpicking and starting a new game.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/items.h"
#include "screens/herosel_layout.h"
#include "tests/screens/nav_support.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

ui::HeroSelectLayout layoutOf(harness::ScreenHarness& h) {
    return ui::heroSelectLayout(h.ctx(), ui::kHeaderHeight * h.ctx().uiScale);  // below the game header
}

void startHeroSelection(harness::ScreenHarness& h) { navtest::openOverMenu(h, ui::kHeroSelect); }

void clickCard(harness::ScreenHarness& h, rpg::ClassId cls) {
    const ui::Rect r = layoutOf(h).cards[static_cast<int>(cls)];
    h.click(r.x + r.w / 2, r.y + r.h / 2);
}

void expectParty(const std::vector<rpg::ClassId>& classes) {
    const store::Meta& m = store::meta();
    ASSERT_EQ(m.roster.size(), classes.size());
    ASSERT_EQ(m.partyIds.size(), classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(m.roster[i].cls, classes[i]);
        EXPECT_EQ(m.roster[i].level, 1);
        EXPECT_TRUE(m.roster[i].id.starts_with(std::string(rpg::classIdString(classes[i])) + "-")) << m.roster[i].id;
        EXPECT_EQ(m.partyIds[i], m.roster[i].id) << "the party follows the pick order";
    }
}

TEST(HeroSelectScreen, StartMakesOneHeroPerPickInPickOrder) {
    harness::ScreenHarness h(&ui::Game::instance());
    store::Meta& m = store::meta();
    m.roster.push_back(rpg::makeHero(rpg::ClassId::Rogue, "", 9));
    m.partyIds.push_back(m.roster.back().id);
    m.gold = 321;
    m.stash.push_back(rpg::makeItem("potionHp"));
    store::saveMeta();
    startHeroSelection(h);

    clickCard(h, rpg::ClassId::Warrior);
    clickCard(h, rpg::ClassId::Mage);
    clickCard(h, rpg::ClassId::Cleric);
    clickCard(h, rpg::ClassId::Warrior);  // unpicked: mage and cleric move up
    clickCard(h, rpg::ClassId::Archer);
    h.clearSounds();
    clickCard(h, rpg::ClassId::Rogue);  // a fourth pick is refused
    EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});

    const ui::Rect start = layoutOf(h).bottomBar;
    h.click(start.x + 4, start.y + start.h / 2);
    ASSERT_EQ(ui::Game::instance().stack().size(), 2u);
    EXPECT_EQ(ui::Game::instance().stack()[0].screen, ui::kMenu);
    EXPECT_EQ(h.top().screen, ui::kCity);

    h.reloadStores();
    EXPECT_TRUE(store::meta().initialized);
    expectParty({rpg::ClassId::Mage, rpg::ClassId::Cleric, rpg::ClassId::Archer});
    EXPECT_EQ(store::meta().gold, 321);
    EXPECT_EQ(store::meta().stash.size(), 1u);
}

// Where even shrunk cards do not fit (here: a large UI scale), the second
// row reaches under the start button; the button must still get its click.
TEST(HeroSelectScreen, StartButtonWinsOverTheCardsBeneathIt) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    h.setUiScale(2.0);
    startHeroSelection(h);
    clickCard(h, rpg::ClassId::Warrior);
    clickCard(h, rpg::ClassId::Rogue);
    clickCard(h, rpg::ClassId::Mage);

    const ui::HeroSelectLayout l = layoutOf(h);
    const ui::Rect bar = l.bottomBar;
    double x = -1, y = -1;
    for (const ui::Rect& card : l.cards) {
        const double cx = std::max(bar.x, card.x) + 6, cy = std::max(bar.y, card.y) + 6;
        if (card.contains(cx, cy) && bar.contains(cx, cy)) x = cx, y = cy;
    }
    ASSERT_GE(x, 0) << "a card lies under the button here";
    h.click(x, y);

    EXPECT_EQ(h.top().screen, ui::kCity);
    h.reloadStores();
    expectParty({rpg::ClassId::Warrior, rpg::ClassId::Rogue, rpg::ClassId::Mage});
}

// At the usual window sizes the cards shrink until the whole grid stands
// above the bottom bar, so no class is hidden behind it.
TEST(HeroSelectScreen, EveryCardStandsAboveTheBarAtUsualSizes) {
    for (auto [w, hgt] : {std::pair{1280, 720}, std::pair{860, 560}, std::pair{1920, 1080}}) {
        SCOPED_TRACE(w);
        harness::ScreenHarness h(&ui::Game::instance(), w, hgt);
        startHeroSelection(h);
        const ui::HeroSelectLayout l = layoutOf(h);
        for (const ui::Rect& card : l.cards) {
            EXPECT_LE(card.y + card.h, l.bottomBar.y);
            EXPECT_GE(card.x, 0);
            EXPECT_LE(card.x + card.w, w);
        }
    }
}

} // namespace
