// The main menu on a first start, with a saved game, and asking before a
// new game wipes the old one.
#include <gtest/gtest.h>

#include "fx/storm.h"
#include "platform/storage.h"
#include "rules/hero.h"
#include "screens/menu_layout.h"
#include "tests/gallery/gallery.h"
#include "ui/screens.h"

namespace {

void savedGame() {
    store::Meta& m = store::meta();
    m.initialized = true;
    m.roster.push_back(rpg::makeHero(rpg::ClassId::Mage, "", 1));
    m.partyIds.push_back(m.roster.back().id);
    store::saveMeta();
}

TEST(MenuGallery, States) {
    for (auto [w, h] : gallery::kSizes) {
        for (const char* state : {"fresh", "saved", "confirm"}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            const bool saved = std::string(state) != "fresh";
            if (saved) savedGame();
            ui::seedStormForTests(7);
            ui::GameState menu;
            menu.screen = ui::kMenu;
            hs.start(menu);
            hs.setFrameStep(1.0 / 30);
            hs.runFor(1.5);
            if (std::string(state) == "confirm") {
                const ui::Rect r = ui::menuLayout(hs.ctx(), true).buttons[1];
                hs.click(r.x + r.w / 2, r.y + r.h / 2);
            }
            hs.moveTo(0, 0);
            hs.runFor(0.1);
            gallery::shoot(hs, std::string("menu-") + state);
        }
    }
}

} // namespace
