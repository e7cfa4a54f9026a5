// The spell shop: the trainer in the city with a skill at its top level and
// one too dear, and the scroll shop of a run's shop node with its leave
// button, scrolled so that rows pass under it.
#include <gtest/gtest.h>

#include "platform/storage.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/shop_fixture.h"
#include "ui/screens.h"

namespace {

using rpg::ClassId;

void startOver(harness::ScreenHarness& hs, int below, const ui::GameState& top) {
    ui::GameState base;
    base.screen = below;
    hs.start(base);
    ui::Game::instance().push(top);
}

TEST(TrainerGallery, Trainer) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shoptest::setParty({ClassId::Warrior, ClassId::Mage, ClassId::Cleric}, 14, 310);
        rpg::Hero& warrior = store::meta().roster.front();
        warrior.name = "Brunhild Eisenfaust";
        warrior.skillLevels["whirlwind"] = 15;
        warrior.skillLevels["shieldBash"] = 3;
        ui::GameState trainer;
        trainer.screen = ui::kTrainer;
        startOver(hs, ui::kCity, trainer);
        hs.runFor(0.4);
        gallery::shoot(hs, "trainer-city");
    }
}

TEST(TrainerGallery, ScrollShop) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shoptest::setParty({ClassId::Rogue, ClassId::Druide}, 22, 640);
        const std::string node = shoptest::startRun(31);
        store::run().depth = 5;
        ui::GameState shop;
        shop.screen = ui::kScrollShop;
        shop.nodeId = node;
        startOver(hs, ui::kMap, shop);
        hs.runFor(0.4);
        gallery::shoot(hs, "scrolls-run");
        navtest::dragBy(hs, w / 2.0, h / 2.0, -150);
        hs.runFor(0.2);
        gallery::shoot(hs, "scrolls-run-scrolled");

        ui::GameState city;
        city.screen = ui::kScrollShop;
        store::clearRun();
        store::meta().gold = 12;
        startOver(hs, ui::kCity, city);
        hs.runFor(0.4);
        gallery::shoot(hs, "scrolls-city-poor");
    }
}

} // namespace
