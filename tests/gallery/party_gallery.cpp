// The party screen with a full hero: stat points, a set with a reached and a
// next tier, a two-handed axe that locks the off hand, an affix, runes, a bag
// and potions in the stash; then scrolled down to an open candidate list.
#include <gtest/gtest.h>

#include "platform/i18n.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/party_fixture.h"

namespace {

using partytest::item;

rpg::Hero fullHero() {
    rpg::Hero h = partytest::bareHero("w-full", rpg::ClassId::Warrior, 14);
    h.name = "Brunhild Eisenfaust";
    h.xp = 180;
    h.points = 5;
    auto& eq = h.equipment;
    eq[rpg::EquipSlot::MainHand] = item("primAxe");
    eq[rpg::EquipSlot::Helm] = item("primHelmHeavy");
    eq[rpg::EquipSlot::Armor] = item("primArmorHeavy");
    eq[rpg::EquipSlot::Belt] = item("primBeltHeavy");
    eq[rpg::EquipSlot::Boots] = item("primBootsHeavy");
    eq[rpg::EquipSlot::Ring1] = item("primRingHeavy");
    rpg::ItemInstance amulet = item("primAmuletLight");
    amulet.affixes.push_back({1, 4, rpg::StatusKind::Poison});
    amulet.affixes.push_back({2, 25, rpg::StatusKind::Burn});
    eq[rpg::EquipSlot::Amulet] = amulet;
    h.bag = {item("potionHp"), item("potionHp"), item("potionMp")};
    return h;
}

void fillStore() {
    partytest::setParty({fullHero(), partytest::bareHero("m-2", rpg::ClassId::Mage, 9),
                         partytest::bareHero("a-3", rpg::ClassId::Archer, 11)});
    store::Meta& meta = store::meta();
    meta.stash = {item("ironSword"), item("etRingHeavy"), item("ironShield"), item("greataxe"),
                  item("primRingLight"), item("potionHp"), item("potionHp"), item("superPotionHp"),
                  item("arcaneStaff")};
    meta.stash[1].affixes.push_back({0, 3, rpg::StatusKind::Poison});
    meta.runeCircle.filled[rpg::Atk] = true;
    meta.runeCircle.stones[rpg::Atk] = {"rune-atk-1-000001", rpg::Atk, 6};
    meta.runeCircle.filled[rpg::MaxHp] = true;
    meta.runeCircle.stones[rpg::MaxHp] = {"rune-maxHp-1-000002", rpg::MaxHp, 40};
}

// The full hero's sheet from its top, as the screen opens.
void shootTop(harness::ScreenHarness& hs, const std::string& name) {
    fillStore();
    hs.start(partytest::partyEntry());
    hs.runFor(0.3);
    gallery::shoot(hs, name);
}

// Drags the sheet to its end: the bag and the skills.
void shootSheetEnd(harness::ScreenHarness& hs, int w, int h, const std::string& name) {
    const partytest::Sheet sheet(w, hs.ctx().uiScale);
    partytest::dragSheet(hs, sheet.slotClickX(), h - 40.0, 2000);
    hs.runFor(0.3);
    gallery::shoot(hs, name);
}

TEST(PartyGallery, FullHero) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shootTop(hs, "party-top");

        // Scroll the second ring near the top and open its list.
        const rpg::Hero hero = *store::heroById("w-full");
        const partytest::Sheet sheet(w, hs.ctx().uiScale);
        const double ringY = sheet.slotClickY(hero, static_cast<int>(rpg::EquipSlot::Ring2));
        const double by = ringY - (h - 230 * sheet.s);
        partytest::dragSheet(hs, sheet.slotClickX(), h - 40.0, by);
        hs.moveTo(sheet.slotClickX(), ringY - by).frame();
        hs.click(sheet.slotClickX(), ringY - by);
        hs.moveTo(sheet.x + sheet.w * 0.3, ringY - by + 80 * sheet.s).runFor(0.3);
        gallery::shoot(hs, "party-ring-list");
        shootSheetEnd(hs, w, h, "party-bottom");
    }
}

// German runs long: labels, buttons and set lines must still fit.
TEST(PartyGallery, German) {
    i18n::setLanguage("de");
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        shootTop(hs, "party-top-de");
        shootSheetEnd(hs, w, h, "party-bottom-de");
    }
    i18n::setLanguage("en");
}

} // namespace
