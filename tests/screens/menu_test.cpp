// The main menu: which buttons it offers with and without a saved game,
// where they lead, and the new-game confirmation.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/storage.h"
#include "rules/hero.h"
#include "screens/menu_layout.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

enum class Progress { None, Saved, InitialisedButNoHeroes };

void makeProgress(Progress p) {
    if (p == Progress::None) return;
    store::Meta& m = store::meta();
    m.initialized = true;
    m.gold = 250;
    if (p == Progress::Saved) {
        rpg::Hero hero = rpg::makeHero(rpg::ClassId::Warrior, "", 1);
        m.partyIds.push_back(hero.id);
        m.roster.push_back(hero);
    }
    store::saveMeta();
}

void startMenu(harness::ScreenHarness& h) {
    ui::GameState menu;
    menu.screen = ui::kMenu;
    h.start(menu);
    h.frame();
}

void clickButton(harness::ScreenHarness& h, bool saved, int index) {
    const ui::MenuLayout l = ui::menuLayout(h.ctx(), saved);
    ASSERT_LT(index, static_cast<int>(l.buttons.size()));
    const ui::Rect r = l.buttons[index];
    h.click(r.x + r.w / 2, r.y + r.h / 2);
}

TEST(MenuScreen, ButtonsFollowTheSavedGame) {
    struct Case {
        Progress progress;
        int button;
        int opens;
    };
    const Case cases[] = {
        {Progress::None, 0, ui::kHeroSelect},
        {Progress::None, 1, ui::kSettings},  // no New Game: Settings moves up
        {Progress::None, 2, ui::kAbout},
        {Progress::InitialisedButNoHeroes, 0, ui::kHeroSelect},
        {Progress::InitialisedButNoHeroes, 1, ui::kSettings},
        {Progress::Saved, 0, ui::kCity},
        {Progress::Saved, 2, ui::kSettings},
        {Progress::Saved, 3, ui::kAbout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "progress " << static_cast<int>(c.progress) << ", button " << c.button);
        harness::ScreenHarness h(&ui::Game::instance());
        makeProgress(c.progress);
        startMenu(h);
        clickButton(h, c.progress == Progress::Saved, c.button);
        EXPECT_EQ(h.top().screen, c.opens);
        EXPECT_EQ(ui::Game::instance().stack().size(), 2u) << "pushed above the menu";
    }
}

TEST(MenuScreen, LeaveEndsTheProgram) {
    for (const bool saved : {false, true}) {
        harness::ScreenHarness h(&ui::Game::instance());
        makeProgress(saved ? Progress::Saved : Progress::None);
        startMenu(h);
        EXPECT_FALSE(h.ctx().quit);
        clickButton(h, saved, saved ? 4 : 3);
        EXPECT_TRUE(h.ctx().quit);
        EXPECT_EQ(h.top().screen, ui::kMenu);
    }
}

TEST(MenuScreen, NewGameAsksThenWipesProgressAndOpensHeroSelection) {
    harness::ScreenHarness h(&ui::Game::instance());
    makeProgress(Progress::Saved);
    startMenu(h);

    clickButton(h, true, 1);
    h.key(SDLK_ESCAPE).frame();
    h.reloadStores();
    EXPECT_EQ(store::meta().roster.size(), 1u) << "cancelling keeps everything";
    EXPECT_EQ(h.top().screen, ui::kMenu);

    clickButton(h, true, 1);
    h.key(SDLK_RETURN).frame();
    EXPECT_EQ(h.top().screen, ui::kHeroSelect);
    h.reloadStores();
    EXPECT_FALSE(store::meta().initialized);
    EXPECT_TRUE(store::meta().roster.empty());
    EXPECT_TRUE(store::meta().partyIds.empty());
    EXPECT_EQ(store::meta().gold, 0);
}

} // namespace
