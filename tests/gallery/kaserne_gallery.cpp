// The barracks: a roster of several classes, some in the party and one
// wounded in the run; then the dismissal dialog over it.
#include <gtest/gtest.h>

#include "platform/storage.h"
#include "screens/kaserne_layout.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/run_fixture.h"
#include "tests/screens/shop_fixture.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using rpg::ClassId;

void fillRoster() {
    shoptest::setParty({ClassId::Warrior, ClassId::Cleric, ClassId::Archer}, 8, 120);
    store::Meta& meta = store::meta();
    meta.roster.front().name = "Brunhild Eisenfaust";
    meta.roster.push_back(rpg::makeHero(ClassId::Warrior, "", 3));
    meta.roster.push_back(rpg::makeHero(ClassId::Mage, "", 12));
    meta.roster.push_back(rpg::makeHero(ClassId::Vampire, "", 5));
    meta.roster.push_back(rpg::makeHero(ClassId::Archer, "", 2));
    meta.roster.back().name.clear();
    shoptest::startRun(9);
    store::run().party[0].hp = store::run().party[0].hp / 3;
    store::saveMeta();
}

TEST(KaserneGallery, Roster) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        fillRoster();
        runfix::openScreens(hs, {ui::kCity, ui::kKaserne});
        hs.runFor(0.4);
        gallery::shoot(hs, "kaserne-roster");

        const double s = hs.ctx().uiScale;
        const ui::KaserneLayout lay = ui::kaserneLayout(store::meta().roster, w, h, s, ui::kHeaderHeight * s);
        const ui::Rect row = ui::kaserneRowRect(lay, lay.lines[1], s, 0);
        const ui::Rect cross = ui::kaserneCrossRect(row, s);
        navtest::clickStill(hs, cross.x + cross.w / 2, cross.y + cross.h / 2);
        hs.runFor(0.2);
        gallery::shoot(hs, "kaserne-dismiss");
    }
}

} // namespace
