// Hero selection with picks still missing and with a full party.
#include <gtest/gtest.h>

#include "screens/herosel_layout.h"
#include "tests/gallery/gallery.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

TEST(HeroSelectGallery, Picks) {
    for (auto [w, h] : gallery::kSizes) {
        for (const int picks : {2, 3}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            ui::GameState sel;
            sel.screen = ui::kHeroSelect;
            hs.start(sel);
            hs.frame();
            const ui::HeroSelectLayout l = ui::heroSelectLayout(hs.ctx(), ui::kHeaderHeight * hs.ctx().uiScale);
            for (int i = 0; i < picks; ++i) {
                const ui::Rect r = l.cards[i * 3];
                hs.click(r.x + r.w / 2, r.y + r.h / 2);
            }
            hs.moveTo(0, 0);
            hs.runFor(0.3);
            gallery::shoot(hs, "herosel-" + std::to_string(picks));
        }
    }
}

} // namespace
