// The campsite with a worn party (one hero fallen): before resting and
// halfway through the refill.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/progress_fixture.h"
#include "screens/rest_layout.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

void wornParty() {
    using progresstest::addPartyHero;
    addPartyHero(rpg::ClassId::Warrior, 5, "g-warrior");
    addPartyHero(rpg::ClassId::Cleric, 5, "g-cleric");
    addPartyHero(rpg::ClassId::Rogue, 4, "g-rogue");
    progresstest::startRun(21);
    auto& party = store::run().party;
    party[0].hp *= 0.4;
    party[1].hp = 0;
    party[1].mp *= 0.2;
    party[2].hp *= 0.75;
    party[2].mp *= 0.5;
    store::saveRun();
}

TEST(RestGallery, BeforeAndWhileResting) {
    for (auto [w, h] : gallery::kSizes) {
        for (bool resting : {false, true}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            wornParty();
            hs.start(progresstest::entryFor(ui::kRest, "n2_0"));
            hs.runFor(0.5);
            if (resting) {
                const ui::Rect r = ui::restLayout(hs.ctx(), ui::kHeaderHeight * hs.ctx().uiScale, 3).heal;
                hs.click(r.x + r.w / 2, r.y + r.h / 2);
                hs.runFor(0.45);
            }
            gallery::shoot(hs, resting ? "rest-healing" : "rest");
        }
    }
}

} // namespace
