// The party screen: what the stash offers each slot, the recorded actions and
// their order, and the screen driven by clicks with what it really saved.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/party.h"
#include "tests/screens/party_fixture.h"
#include "tests/support/screen_harness.h"

namespace {

using partytest::bareHero;
using partytest::item;
using rpg::ClassId;
using rpg::EquipSlot;

std::vector<std::string> defIds(const std::vector<rpg::ItemInstance>& items) {
    std::vector<std::string> ids;
    for (const rpg::ItemInstance& i : items) ids.push_back(i.defId);
    return ids;
}

// --- Candidates and groups ---

TEST(PartyCandidates, BySlotClassAndHandInGearScoreOrder) {
    // Gear scores: knightBlade 36, greataxe 32 (two-handed), ironSword 21,
    // woodenShield 13, rustySword 9, oakStaff 19 (two-handed), heavy helm
    // 115, cloth helm 114; the potion fits nowhere.
    const std::vector<rpg::ItemInstance> stash = {
        item("rustySword"), item("oakStaff"),      item("greataxe"),      item("woodenShield"), item("potionHp"),
        item("ironSword"),  item("primRingHeavy"), item("primHelmCloth"), item("knightBlade"),  item("primHelmHeavy"),
    };
    struct Case {
        ClassId cls;
        EquipSlot slot;
        std::vector<std::string> offered;
    } cases[] = {
        {ClassId::Warrior, EquipSlot::MainHand, {"knightBlade", "greataxe", "ironSword", "rustySword"}},
        {ClassId::Warrior, EquipSlot::OffHand, {"knightBlade", "ironSword", "woodenShield", "rustySword"}},
        {ClassId::Mage, EquipSlot::MainHand, {"oakStaff"}},
        {ClassId::Mage, EquipSlot::OffHand, {}},
        {ClassId::Cleric, EquipSlot::OffHand, {"woodenShield"}},
        {ClassId::Warrior, EquipSlot::Helm, {"primHelmHeavy", "primHelmCloth"}},
        {ClassId::Mage, EquipSlot::Helm, {"primHelmCloth"}},
        {ClassId::Warrior, EquipSlot::Ring1, {"primRingHeavy"}},
        {ClassId::Warrior, EquipSlot::Ring2, {"primRingHeavy"}},
        {ClassId::Warrior, EquipSlot::Amulet, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(rpg::classIdString(c.cls)) + " " + rpg::equipSlotKey(c.slot));
        std::vector<std::string> got;
        for (const rpg::ItemInstance* i : ui::candidates(bareHero("h", c.cls), c.slot, stash)) got.push_back(i->defId);
        EXPECT_EQ(got, c.offered);
    }
}

TEST(PartyCandidates, PointIntoTheStashAndSkipUnknownRows) {
    std::vector<rpg::ItemInstance> stash = {item("rustySword")};
    rpg::ItemInstance ghost = item("ironSword");
    ghost.defId = "noSuchSword";
    stash.push_back(ghost);
    const auto offered = ui::candidates(bareHero("h", ClassId::Warrior), EquipSlot::MainHand, stash);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], &stash[0]);
}

TEST(PartyCandidates, GroupsByDefinitionInFirstOrder) {
    const std::vector<rpg::ItemInstance> items = {item("potionMp"), item("rustySword"), item("potionHp"),
                                                  item("potionMp")};
    const auto all = ui::groupByDefinition(items, false);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].defId, "potionMp");
    EXPECT_EQ(all[0].count, 2);
    EXPECT_EQ(all[1].defId, "rustySword");
    EXPECT_EQ(all[2].count, 1);
    const auto potions = ui::groupByDefinition(items, true);
    ASSERT_EQ(potions.size(), 2u);
    EXPECT_EQ(potions[1].defId, "potionHp");
}

// --- Recorded actions ---

play::PartyActions equipAction(EquipSlot slot, const std::string& uid) {
    play::PartyActions a;
    a.equipSlot = slot;
    a.equipId = uid;
    return a;
}

play::PartyActions moveAction(const std::string& defId, bool toBag) {
    play::PartyActions a;
    a.moveId = defId;
    a.moveToBag = toBag;
    return a;
}

play::PartyActions statAction(rpg::StatId stat) {
    play::PartyActions a;
    a.stat = stat;
    return a;
}

TEST(PartyActions, UnequipComesBeforeEquip) {
    rpg::Hero hero = bareHero("h", ClassId::Warrior);
    hero.equipment[EquipSlot::MainHand] = item("rustySword");
    std::vector<rpg::ItemInstance> stash = {item("ironSword")};
    play::PartyActions a = equipAction(EquipSlot::MainHand, stash[0].uid);
    a.unequip = EquipSlot::MainHand;
    EXPECT_TRUE(play::applyPartyActions(&a, &hero, &stash));
    EXPECT_EQ(hero.equipment[EquipSlot::MainHand].defId, "ironSword");
    EXPECT_EQ(defIds(stash), std::vector<std::string>{"rustySword"});
    EXPECT_TRUE(a.equipId.empty());
    EXPECT_FALSE(a.unequip.has_value());
}

TEST(PartyActions, StatThenRowThenMoveInOneCall) {
    rpg::Hero hero = bareHero("h", ClassId::Warrior);
    hero.points = 1;
    std::vector<rpg::ItemInstance> stash = {item("potionHp")};
    play::PartyActions a = moveAction("potionHp", true);
    a.stat = rpg::MaxHp;
    a.row = 1;
    EXPECT_TRUE(play::applyPartyActions(&a, &hero, &stash));
    EXPECT_EQ(hero.alloc.maxHp, 8);
    EXPECT_EQ(hero.points, 0);
    EXPECT_EQ(hero.row, 1);
    EXPECT_EQ(defIds(hero.bag), std::vector<std::string>{"potionHp"});
    EXPECT_TRUE(stash.empty());
}

TEST(PartyActions, SavesOnChangeOrOnAnyEquipOrMoveRequest) {
    play::PartyActions unequipHelm;
    unequipHelm.unequip = EquipSlot::Helm;
    play::PartyActions front;
    front.row = 0;
    struct Case {
        const char* what;
        play::PartyActions actions;
        bool save;
    } cases[] = {
        {"nothing", {}, false},
        {"stat without points", statAction(rpg::Atk), false},
        {"unequip of an empty slot", unequipHelm, false},
        {"row already chosen", front, true},
        {"equip id gone from the stash", equipAction(EquipSlot::Helm, "it-gone"), true},
        {"move without such an item", moveAction("potionMp", true), true},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        rpg::Hero hero = bareHero("h", ClassId::Warrior);
        const rpg::Hero before = hero;
        std::vector<rpg::ItemInstance> stash = {item("potionHp")};
        const std::vector<rpg::ItemInstance> stashBefore = stash;
        EXPECT_EQ(play::applyPartyActions(&c.actions, &hero, &stash), c.save);
        EXPECT_EQ(hero, before);
        EXPECT_EQ(stash, stashBefore);
    }
}

TEST(PartyActions, TwoHandedMainHandStashesOldMainThenOffHand) {
    rpg::Hero hero = bareHero("h", ClassId::Warrior);
    hero.equipment[EquipSlot::MainHand] = item("rustySword");
    hero.equipment[EquipSlot::OffHand] = item("woodenShield");
    rpg::ItemInstance axe = item("greataxe");
    axe.ilvl = 17;
    axe.affixes.push_back({1, 3, rpg::StatusKind::Poison});
    std::vector<rpg::ItemInstance> stash = {item("potionHp"), axe};
    play::PartyActions a = equipAction(EquipSlot::MainHand, axe.uid);
    EXPECT_TRUE(play::applyPartyActions(&a, &hero, &stash));
    EXPECT_EQ(hero.equipment[EquipSlot::MainHand], axe) << "the whole instance moves";
    EXPECT_TRUE(hero.equipment[EquipSlot::OffHand].defId.empty());
    EXPECT_EQ(defIds(stash), (std::vector<std::string>{"potionHp", "rustySword", "woodenShield"}));
}

TEST(PartyActions, OneHandedMainHandKeepsTheOffHand) {
    rpg::Hero hero = bareHero("h", ClassId::Warrior);
    hero.equipment[EquipSlot::OffHand] = item("woodenShield");
    std::vector<rpg::ItemInstance> stash = {item("ironSword")};
    play::PartyActions a = equipAction(EquipSlot::MainHand, stash[0].uid);
    play::applyPartyActions(&a, &hero, &stash);
    EXPECT_EQ(hero.equipment[EquipSlot::OffHand].defId, "woodenShield");
    EXPECT_TRUE(stash.empty());
}

TEST(PartyActions, MovesTheFirstItemOfThatDefinitionOnly) {
    rpg::Hero hero = bareHero("h", ClassId::Warrior);
    std::vector<rpg::ItemInstance> stash = {item("potionMp"), item("potionHp"), item("potionHp"), item("potionHp")};
    const std::string first = stash[1].uid;
    play::PartyActions toBag = moveAction("potionHp", true);
    play::applyPartyActions(&toBag, &hero, &stash);
    ASSERT_EQ(hero.bag.size(), 1u);
    EXPECT_EQ(hero.bag[0].uid, first);
    EXPECT_EQ(defIds(stash), (std::vector<std::string>{"potionMp", "potionHp", "potionHp"}));

    hero.bag.insert(hero.bag.begin(), item("rustySword"));
    play::PartyActions toStash = moveAction("potionHp", false);
    play::applyPartyActions(&toStash, &hero, &stash);
    EXPECT_EQ(defIds(hero.bag), std::vector<std::string>{"rustySword"});
    EXPECT_EQ(stash.back().uid, first);
}

// --- The screen, driven by clicks ---

// Points first, then clicks, so the press does not count as a drag.
void tapAt(harness::ScreenHarness& h, double x, double y) {
    h.moveTo(x, y).frame();
    h.click(x, y);
}

// A window tall enough that the whole sheet shows without scrolling, at
// scale 1.
constexpr int kW = 1280;
constexpr int kTallH = 1800;

class PartyScreenTest : public ::testing::Test {
protected:
    PartyScreenTest() : h_(&ui::Game::instance(), kW, kTallH), sheet_(kW, 1.0) { h_.setFrameStep(0.05); }

    // Opens the screen over the city, as the city does.
    void open(const std::string& heroId = "") {
        ui::GameState city;
        city.screen = ui::kCity;
        h_.start(city);
        ui::Game::instance().push(partytest::partyEntry(heroId));
        h_.frames(2);
        h_.clearSounds();
    }
    void tap(double x, double y) { tapAt(h_, x, y); }
    // A warrior holding these two items, the stash holding one more.
    void openWithWarrior(const char* mainHand, const char* offHand, const char* inStash) {
        rpg::Hero warrior = bareHero("w", ClassId::Warrior);
        warrior.equipment[EquipSlot::MainHand] = item(mainHand);
        warrior.equipment[EquipSlot::OffHand] = item(offHand);
        partytest::setParty({warrior});
        store::meta().stash = {item(inStash)};
        open();
    }
    rpg::Hero shown(const std::string& id) const { return *store::heroById(id); }
    bool heard(audio::Sfx fx) const {
        for (audio::Sfx s : h_.sounds()) {
            if (s == fx) return true;
        }
        return false;
    }

    harness::ScreenHarness h_;
    partytest::Sheet sheet_;
};

TEST_F(PartyScreenTest, EscapePopsBeforeAnythingIsRecorded) {
    partytest::setParty({bareHero("w", ClassId::Warrior)});
    open();
    partytest::SaveWatch saves(h_.dataDir());
    ASSERT_TRUE(saves.ok());
    const rpg::Hero hero = shown("w");
    h_.moveTo(sheet_.rowButtonX(1), sheet_.rowButtonY(hero)).frame();
    h_.press().frame();
    h_.release().key(SDLK_ESCAPE).frame();
    h_.frame();
    EXPECT_EQ(h_.top().screen, ui::kCity);
    EXPECT_EQ(store::heroById("w")->row, 0);
    EXPECT_EQ(saves.metaSaves(), 0);
}

TEST_F(PartyScreenTest, OpenedAloneWithNoHeroesItDrawsAndStays) {
    h_.start(partytest::partyEntry());
    h_.frames(3);
    EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
    EXPECT_EQ(h_.top().screen, ui::kParty);
    EXPECT_GT(h_.overlayPixel(kW / 2, 10) >> 24, 0u) << "the header bar is drawn";
}

TEST_F(PartyScreenTest, AutoAssignSpendsEveryPointOnKeyStatsWithOneSave) {
    rpg::Hero warrior = bareHero("w", ClassId::Warrior);
    warrior.points = 7;
    partytest::setParty({warrior});
    open();
    partytest::SaveWatch saves(h_.dataDir());
    tap(sheet_.autoAssignX(), sheet_.autoAssignY());
    h_.frame();
    EXPECT_EQ(saves.metaSaves(), 1);
    EXPECT_TRUE(heard(audio::Sfx::Place));
    h_.reloadStores();
    const rpg::Hero& w = *store::heroById("w");
    EXPECT_EQ(w.points, 0);
    EXPECT_EQ(w.alloc.atk, 3);
    EXPECT_EQ(w.alloc.def, 2);
    EXPECT_EQ(w.alloc.maxHp, 16);
    EXPECT_EQ(w.alloc.maxMp + w.alloc.mag + w.alloc.res + w.alloc.spd + w.alloc.crit, 0);
}

TEST_F(PartyScreenTest, StatButtonSpendsOnePointWithOneSave) {
    rpg::Hero mage = bareHero("m", ClassId::Mage);
    mage.points = 2;
    partytest::setParty({mage});
    open();
    partytest::SaveWatch saves(h_.dataDir());
    tap(sheet_.statButtonX(1), sheet_.statButtonY(1));  // maximum mana, +5
    h_.frame();
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    EXPECT_EQ(store::heroById("m")->alloc.maxMp, 5);
    EXPECT_EQ(store::heroById("m")->points, 1);
}

TEST_F(PartyScreenTest, RowButtonsSaveTheRowEvenWhenAlreadyChosen) {
    partytest::setParty({bareHero("w", ClassId::Warrior)});
    open();
    partytest::SaveWatch saves(h_.dataDir());
    const rpg::Hero hero = shown("w");
    tap(sheet_.rowButtonX(0), sheet_.rowButtonY(hero));
    EXPECT_EQ(saves.metaSaves(), 1);
    tap(sheet_.rowButtonX(1), sheet_.rowButtonY(hero));
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    EXPECT_EQ(store::heroById("w")->row, 1);
}

TEST_F(PartyScreenTest, EquippingATwoHandedAxeStashesMainThenOffHand) {
    openWithWarrior("rustySword", "woodenShield", "greataxe");
    partytest::SaveWatch saves(h_.dataDir());
    const rpg::Hero hero = shown("w");
    const int main = static_cast<int>(EquipSlot::MainHand);
    tap(sheet_.slotClickX(), sheet_.slotClickY(hero, main));
    EXPECT_TRUE(heard(audio::Sfx::Click)) << "the list opens";
    EXPECT_EQ(saves.metaSaves(), 0);
    tap(sheet_.slotClickX(), sheet_.candidateY(hero, main, 0));
    EXPECT_TRUE(heard(audio::Sfx::Place));
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    const rpg::Hero& w = *store::heroById("w");
    EXPECT_EQ(w.equipment[EquipSlot::MainHand].defId, "greataxe");
    EXPECT_TRUE(w.equipment[EquipSlot::OffHand].defId.empty());
    EXPECT_EQ(defIds(store::meta().stash), (std::vector<std::string>{"rustySword", "woodenShield"}));
}

TEST_F(PartyScreenTest, LockedOffHandTakesNoRowClickButItsCrossStillWorks) {
    openWithWarrior("greataxe", "woodenShield", "ironShield");
    partytest::SaveWatch saves(h_.dataDir());
    const rpg::Hero hero = shown("w");
    const int off = static_cast<int>(EquipSlot::OffHand);
    tap(sheet_.slotClickX(), sheet_.slotClickY(hero, off));
    EXPECT_TRUE(h_.sounds().empty());
    tap(sheet_.crossX(), sheet_.slotClickY(hero, off));
    EXPECT_EQ(h_.sounds(), std::vector<audio::Sfx>{audio::Sfx::Remove});
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    EXPECT_TRUE(store::heroById("w")->equipment[EquipSlot::OffHand].defId.empty());
    EXPECT_EQ(defIds(store::meta().stash), (std::vector<std::string>{"ironShield", "woodenShield"}));
}

TEST_F(PartyScreenTest, SlotWithNothingToOfferSoundsAnError) {
    partytest::setParty({bareHero("w", ClassId::Warrior)});
    store::meta().stash = {item("rustySword")};
    open();
    const rpg::Hero hero = shown("w");
    tap(sheet_.slotClickX(), sheet_.slotClickY(hero, static_cast<int>(EquipSlot::Helm)));
    EXPECT_EQ(h_.sounds(), std::vector<audio::Sfx>{audio::Sfx::Error});
}

TEST_F(PartyScreenTest, PotionsMoveOneAtATimeBetweenStashAndBag) {
    partytest::setParty({bareHero("w", ClassId::Warrior)});
    store::meta().stash = {item("potionHp"), item("potionHp"), item("potionHp")};
    const std::string first = store::meta().stash[0].uid;
    open();
    partytest::SaveWatch saves(h_.dataDir());
    tap(sheet_.moveX(), sheet_.stashRowY(shown("w"), 0, 0));
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    ASSERT_EQ(store::heroById("w")->bag.size(), 1u);
    EXPECT_EQ(store::heroById("w")->bag[0].uid, first);
    EXPECT_EQ(store::meta().stash.size(), 2u);

    h_.frame();  // the screen picks up the reloaded store
    tap(sheet_.moveX(), sheet_.bagRowY(shown("w"), 0));
    EXPECT_EQ(saves.metaSaves(), 1);
    h_.reloadStores();
    EXPECT_TRUE(store::heroById("w")->bag.empty());
    EXPECT_EQ(store::meta().stash.back().uid, first);
}

TEST_F(PartyScreenTest, TabsSwitchTheHeroTheSheetChanges) {
    partytest::setParty({bareHero("w", ClassId::Warrior), bareHero("m", ClassId::Mage)});
    open();
    // Two tabs centred under the header: 56 wide, 64 apart.
    const double secondTab = kW / 2.0 - (2 * 56 + 8) / 2.0 + 64 + 28;
    tap(secondTab, 52 + 6 + 28);
    EXPECT_EQ(h_.sounds(), std::vector<audio::Sfx>{audio::Sfx::Click});
    tap(sheet_.rowButtonX(1), sheet_.rowButtonY(shown("m")));
    EXPECT_EQ(store::heroById("m")->row, 1);
    EXPECT_EQ(store::heroById("w")->row, 0);
}

TEST_F(PartyScreenTest, WithoutAPartyTheRosterIsShownFromItsFirstHero) {
    partytest::setParty({bareHero("w", ClassId::Warrior), bareHero("c", ClassId::Cleric)});
    store::meta().partyIds.clear();
    open();
    tap(sheet_.rowButtonX(1), sheet_.rowButtonY(shown("w")));
    EXPECT_EQ(store::heroById("w")->row, 1);
    EXPECT_EQ(store::heroById("c")->row, 0);
}

TEST_F(PartyScreenTest, RecruitAndTrainerOpenTheirScreens) {
    struct Case {
        const char* what;
        double x, y;
        int screen, subMode;
    };
    partytest::setParty({bareHero("w", ClassId::Warrior)});
    const rpg::Hero hero = *store::heroById("w");
    const double skillsTop = sheet_.bagTop(hero) + (12 + 22 + 12) * sheet_.s;
    const Case cases[] = {
        {"recruit", kW / 2.0, sheet_.top + 21, ui::kShop, 3},
        {"trainer", sheet_.right() - 60, skillsTop + 12, ui::kTrainer, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        tap(c.x, c.y);
        h_.frame();
        EXPECT_EQ(h_.top().screen, c.screen);
        EXPECT_EQ(h_.top().subMode, c.subMode);
        EXPECT_TRUE(h_.top().heroId.empty());
    }
}

// In a window of the usual size the sheet scrolls. A row that is half
// scrolled out under the tab row must not take clicks there, and a drag that
// ends over a tab must not switch the hero.
TEST(PartyScreenScroll, HiddenPartsAndDragReleasesTakeNoClick) {
    harness::ScreenHarness h(&ui::Game::instance(), kW, 720);
    h.setFrameStep(0.05);
    rpg::Hero warrior = bareHero("w", ClassId::Warrior);
    warrior.equipment[EquipSlot::MainHand] = item("rustySword");
    partytest::setParty({warrior, bareHero("m", ClassId::Mage)});
    store::meta().stash = {item("ironSword")};
    h.start(partytest::partyEntry());
    h.frames(2);
    h.clearSounds();
    const partytest::Sheet sheet(kW, 1.0);
    const double areaTop = 52 + 6 + 64;
    const double tabY = 52 + 6 + 28;
    const double secondTab = kW / 2.0 - (2 * 56 + 8) / 2.0 + 64 + 28;
    // Scroll the main-hand row 20 units under the area's top edge, letting go
    // over the second tab.
    const double by = sheet.slotTop(warrior, 0) - (areaTop - 20);
    partytest::dragSheet(h, secondTab, tabY + by, by);
    h.frame();
    EXPECT_TRUE(h.sounds().empty()) << "the release ended a drag, not a click on the tab";

    tapAt(h, sheet.x + 200, areaTop - 10);
    EXPECT_TRUE(h.sounds().empty()) << "the hidden part of the row";
    tapAt(h, sheet.x + 200, areaTop + 8);
    EXPECT_EQ(h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Click}) << "the visible part opens the warrior's list";
}

// A slot whose row ends at the view's bottom edge opens its list out of
// sight: the sheet scrolls until the list's last row shows, and clicking it
// there equips the item.
TEST(PartyScreenScroll, AListOpenedAtTheBottomScrollsIntoView) {
    rpg::Hero warrior = bareHero("w", ClassId::Warrior);
    warrior.equipment[EquipSlot::MainHand] = item("rustySword");
    const partytest::Sheet sheet(kW, 1.0);
    const int ring = static_cast<int>(EquipSlot::Ring2);
    // The ring row's bottom on the view's bottom edge (8 units above the window's).
    const int height = static_cast<int>(std::lround(sheet.slotTop(warrior, ring) + 38 + 8));
    harness::ScreenHarness h(&ui::Game::instance(), kW, height);
    h.setFrameStep(0.05);
    partytest::setParty({warrior});
    store::meta().stash = {item("primRingHeavy")};
    h.start(partytest::partyEntry());
    h.frames(2);
    tapAt(h, sheet.slotClickX(), sheet.slotClickY(warrior, ring));
    ASSERT_EQ(h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Click}) << "the list opens";
    h.runFor(1.0);
    h.clearSounds();
    // The one candidate's row, 52 units tall, ends 12 units above the view's bottom edge.
    tapAt(h, sheet.slotClickX(), height - 8 - 12 - 26);
    EXPECT_EQ(h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Place});
    h.frame();
    EXPECT_EQ(store::heroById("w")->equipment[EquipSlot::Ring2].defId, "primRingHeavy");
}

} // namespace
