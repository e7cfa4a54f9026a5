// The merchants and the tavern: a city smith's buy and sell shelves, the
// wandering merchant of a run, and the tavern with a wounded and a fallen
// member.
#include <gtest/gtest.h>

#include "platform/storage.h"
#include "screens/shop_layout.h"
#include "rules/items.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/shop_fixture.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using rpg::ClassId;

// Below the screen, so that Escape on the shop has somewhere to go.
void startOverCity(harness::ScreenHarness& hs, const ui::GameState& shop) {
    ui::GameState city;
    city.screen = ui::kCity;
    hs.start(city);
    ui::Game::instance().push(shop);
}

TEST(ShopGallery, CityMerchants) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shoptest::setParty({ClassId::Warrior, ClassId::Mage, ClassId::Rogue}, 6, 180);
        startOverCity(hs, shoptest::shopEntry(play::kShopWeaponsmith));
        hs.runFor(0.4);
        gallery::shoot(hs, "shop-weaponsmith");

        store::Meta& meta = store::meta();
        meta.stash.push_back(rpg::makeItem("potionHp"));
        meta.stash.push_back(rpg::makeItem("potionMp"));
        startOverCity(hs, shoptest::shopEntry(play::kShopArmorer));
        const double s = hs.ctx().uiScale;
        hs.click(w / 2.0 + 60 * s, ui::kHeaderHeight * s + 32 * s + 19 * s);  // the sell tab
        hs.runFor(0.4);
        gallery::shoot(hs, "shop-sell");

        startOverCity(hs, shoptest::shopEntry(play::kShopApothecary));
        hs.runFor(0.4);
        gallery::shoot(hs, "shop-apothecary");
    }
}

TEST(ShopGallery, WanderingMerchant) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shoptest::setParty({ClassId::Cleric, ClassId::Archer, ClassId::Druide}, 12, 90);
        const std::string node = shoptest::startRun(77);
        store::run().depth = 4;
        startOverCity(hs, shoptest::shopEntry(play::kShopWanderer, node));
        hs.runFor(0.4);
        gallery::shoot(hs, "shop-wanderer");
    }
}

TEST(ShopGallery, Tavern) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shoptest::setParty({ClassId::Warrior, ClassId::Vampire, ClassId::Dieb}, 4, 260);
        store::meta().roster.push_back(rpg::makeHero(ClassId::Mage, "", 2));
        shoptest::startRun(5);
        store::run().party[1].hp = 3;
        store::run().party[2].hp = 0;
        startOverCity(hs, shoptest::shopEntry(play::kShopTavern));
        hs.runFor(0.4);
        gallery::shoot(hs, "shop-tavern");

        store::clearRun();
        hs.runFor(0.2);
        gallery::shoot(hs, "shop-tavern-city");
    }
}

} // namespace
