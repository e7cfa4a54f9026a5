// The about page, with a link under the pointer, and the licences list at
// its top and at its end.
#include <gtest/gtest.h>

#include "screens/about_layout.h"
#include "tests/gallery/gallery.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

TEST(AboutGallery, Page) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        ui::GameState about;
        about.screen = ui::kAbout;
        hs.start(about);
        hs.frame();
        const ui::AboutPage page = ui::aboutLayout(hs.ctx(), ui::screenHeader(hs.ctx(), "", nullptr));
        const ui::Rect link = page.lines[7].box;
        hs.moveTo(link.x + link.w / 2, link.y + link.h / 2).frame();
        gallery::shoot(hs, "about");
    }
}

TEST(LicensesGallery, List) {
    for (auto [w, h] : gallery::kSizes) {
        for (const char* state : {"top", "end"}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            ui::GameState licenses;
            licenses.screen = ui::kLicenses;
            hs.start(licenses);
            hs.frame();
            if (std::string(state) == "end") {
                hs.moveTo(w / 2.0, h / 2.0);
                for (int i = 0; i < 60; ++i) hs.wheel(-10).frame();
                hs.runFor(3.0);
            }
            gallery::shoot(hs, std::string("licenses-") + state);
        }
    }
}

} // namespace
