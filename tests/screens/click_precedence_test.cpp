// A click belongs to what the player sees on top: a dialog over the page, a
// tap that is no drag, a drag that is no click, a list's visible part, and a
// double click that does not act twice on a list that moved. Each case
// clicks where a player would, at the largest and the smallest window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/runes.h"
#include "screens/city_layout.h"
#include "screens/kaserne_layout.h"
#include "screens/map_layout.h"
#include "screens/menu_layout.h"
#include "screens/runetower_layout.h"
#include "screens/settings_layout.h"
#include "screens/shop_layout.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/run_fixture.h"
#include "tests/screens/shop_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using harness::ScreenHarness;

struct Point {
    double x, y;
};

Point centre(const ui::Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }
bool holds(const ui::Rect& r, Point p) { return r.contains(p.x, p.y); }

// A point of the button with a control of the page under it (`under` tells
// which); the button's centre when there is none, failing the test.
Point pointOn(const ui::Rect& button, const std::function<bool(Point)>& under) {
    for (double y = button.y + 1; y < button.y + button.h - 1; y += 2) {
        for (const double f : {0.5, 0.25, 0.75}) {
            const Point p{button.x + f * button.w, y};
            if (under(p)) return p;
        }
    }
    ADD_FAILURE() << "no control under the button";
    return centre(button);
}

// The pointer rests on the spot, then presses and releases there.
void clickAt(ScreenHarness& h, Point p) { navtest::clickStill(h, p.x, p.y); }
// Two clicks on one spot, the second 2 frames after the first: SDL's
// double click.
void doubleClickAt(ScreenHarness& h, Point p) {
    h.moveTo(p.x, p.y).frame();
    h.click(p.x, p.y);
    h.click(p.x, p.y);
}
// Press at `from`, move to `to` over a few frames and release there.
void dragTo(ScreenHarness& h, Point from, Point to) {
    h.moveTo(from.x, from.y).frame();
    h.drag(from.x, from.y, to.x, to.y, 6);
}

double scale(ScreenHarness& h) { return h.ctx().uiScale; }

// --- Fixtures ---

void savedGame() {
    store::Meta& m = store::meta();
    m.initialized = true;
    m.roster.push_back(rpg::makeHero(rpg::ClassId::Warrior, "", 1));
    m.partyIds.push_back(m.roster.back().id);
    store::saveMeta();
}

void openMenuWithDialog(ScreenHarness& h) {
    savedGame();
    runfix::openScreens(h, {ui::kMenu});
    clickAt(h, centre(ui::menuLayout(h.ctx(), true).buttons[1]));  // New Game asks first
}

bool overMenuPlank(ScreenHarness& h, Point p) {
    const ui::MenuLayout l = ui::menuLayout(h.ctx(), true);
    return std::any_of(l.buttons.begin(), l.buttons.end(), [&](const ui::Rect& r) { return holds(r, p); });
}

// The settings page scrolled to its end with the reset dialog open; the
// layout it stands in.
ui::SettingsLayout openResetDialog(ScreenHarness& h) {
    savedGame();
    navtest::openOverMenu(h, ui::kSettings);
    const double top = navtest::headerBottom(h);
    const ui::SettingsLayout l0 = ui::settingsLayout(h.ctx(), top, 0);
    const double end = l0.contentHeight - l0.page.h;
    navtest::dragBy(h, l0.page.x + l0.page.w - 4, l0.page.y + l0.page.h - 10, -(end + 60));
    const ui::SettingsLayout l = ui::settingsLayout(h.ctx(), top, end);
    clickAt(h, centre(l.resetButton));
    return l;
}

bool overLanguageCell(const ui::SettingsLayout& l, Point p) {
    for (int i = 0; i <= static_cast<int>(i18n::languages().size()); ++i) {
        if (holds(l.languageCell(i), p) && holds(l.page, p)) return true;
    }
    return false;
}

// Six heroes a-f in the roster, a-c in the party, the barracks open and the
// dismissal of the first listed hero asked for; returns that hero's id.
std::string openDismissDialog(ScreenHarness& h) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    const rpg::ClassId classes[] = {rpg::ClassId::Warrior, rpg::ClassId::Mage, rpg::ClassId::Cleric};
    for (int i = 0; i < 6; ++i) {
        const std::string id(1, static_cast<char>('a' + i));
        meta.roster.push_back(rpg::makeHero(classes[i % 3], id, 1 + i));
        if (i < 3) meta.partyIds.push_back(id);
    }
    store::saveMeta();
    runfix::openScreens(h, {ui::kCity, ui::kKaserne});
    const double s = scale(h);
    const ui::KaserneLayout lay =
        ui::kaserneLayout(meta.roster, h.ctx().width, h.ctx().height, s, ui::kHeaderHeight * s);
    for (const ui::KaserneLine& line : lay.lines) {
        if (!line.hero) continue;
        const std::string id = line.hero->id;
        clickAt(h, centre(ui::kaserneCrossRect(ui::kaserneRowRect(lay, line, s, 0), s)));
        return id;
    }
    ADD_FAILURE() << "no hero row";
    return {};
}

bool overKaserneRow(ScreenHarness& h, Point p) {
    const double s = scale(h);
    const ui::KaserneLayout lay =
        ui::kaserneLayout(store::meta().roster, h.ctx().width, h.ctx().height, s, ui::kHeaderHeight * s);
    for (const ui::KaserneLine& line : lay.lines) {
        if (line.hero && holds(ui::kaserneRowRect(lay, line, s, 0), p) && holds(lay.list, p)) return true;
    }
    return false;
}

std::vector<std::string> rosterIds() {
    std::vector<std::string> ids;
    for (const rpg::Hero& hero : store::meta().roster) ids.push_back(hero.id);
    return ids;
}

// Twelve stones (a list that scrolls in every window) and a filled attack
// socket; the rune tower open over the city.
void openRuneTower(ScreenHarness& h, int stones = 12) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    for (int i = 0; i < stones; ++i) {
        meta.runeInventory.push_back({"rune-" + std::to_string(i), rpg::kRuneAttrs[i % rpg::kStatCount], 3.0 + i});
    }
    const int slot = rpg::runeSlot(rpg::Atk);
    meta.runeCircle.filled[slot] = true;
    meta.runeCircle.stones[slot] = {"rune-socketed", rpg::Atk, 9};
    store::saveMeta();
    runfix::openScreens(h, {ui::kCity, ui::kRuneTower});
}

ui::RuneTowerLayout runeLayout(ScreenHarness& h) {
    const double s = scale(h);
    return ui::runeTowerLayout(h.ctx().width, h.ctx().height, s, ui::kHeaderHeight * s);
}

Point firstStoneGrip(ScreenHarness& h) {
    const ui::Rect row = ui::runeRowRect(runeLayout(h), 0, scale(h), 0);
    return {row.x + 12 * scale(h), row.y + row.h / 2};
}

// --- The cases ---

struct Case {
    const char* what;
    std::function<void(ScreenHarness&)> run;
};

const Case kCases[] = {
    {"menu: the dialog's New Game over a plank erases the progress",
     [](ScreenHarness& h) {
         openMenuWithDialog(h);
         const Point yes = pointOn(ui::confirmDialogRects(h.ctx()).confirm, [&](Point p) { return overMenuPlank(h, p); });
         clickAt(h, yes);
         EXPECT_EQ(h.top().screen, ui::kHeroSelect);
         h.reloadStores();
         EXPECT_TRUE(store::meta().roster.empty());
     }},
    {"menu: Cancel over a plank only closes the dialog",
     [](ScreenHarness& h) {
         openMenuWithDialog(h);
         const Point no = pointOn(ui::confirmDialogRects(h.ctx()).cancel, [&](Point p) { return overMenuPlank(h, p); });
         clickAt(h, no);
         EXPECT_EQ(h.top().screen, ui::kMenu);
         EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
         clickAt(h, centre(ui::menuLayout(h.ctx(), true).buttons[2]));
         EXPECT_EQ(h.top().screen, ui::kSettings) << "the page answers again at once";
         h.reloadStores();
         EXPECT_EQ(store::meta().roster.size(), 1u);
     }},
    {"menu: a click outside the panel on a plank cancels, and that plank does nothing",
     [](ScreenHarness& h) {
         openMenuWithDialog(h);
         const ui::Rect panel = ui::confirmDialogRects(h.ctx()).panel;
         const ui::MenuLayout l = ui::menuLayout(h.ctx(), true);
         const auto outside = std::find_if(l.buttons.rbegin(), l.buttons.rend(),
                                           [&](const ui::Rect& r) { return !holds(panel, centre(r)); });
         ASSERT_NE(outside, l.buttons.rend());
         clickAt(h, centre(*outside));
         EXPECT_FALSE(h.ctx().quit);
         EXPECT_EQ(h.top().screen, ui::kMenu);
         EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
         h.key(SDLK_RETURN).frame();  // would confirm a dialog still open
         h.reloadStores();
         EXPECT_EQ(store::meta().roster.size(), 1u);
     }},
    {"settings scrolled down: Erase over a language cell resets",
     [](ScreenHarness& h) {
         const ui::SettingsLayout l = openResetDialog(h);
         const Point yes = pointOn(ui::confirmDialogRects(h.ctx()).confirm, [&](Point p) { return overLanguageCell(l, p); });
         clickAt(h, yes);
         EXPECT_EQ(h.top().screen, ui::kMenu);
         EXPECT_EQ(ui::Game::instance().stack().size(), 1u);
         h.reloadStores();
         EXPECT_TRUE(store::meta().roster.empty());
         EXPECT_EQ(store::settings().language, "");
     }},
    {"settings scrolled down: Keep over a language cell keeps everything",
     [](ScreenHarness& h) {
         const ui::SettingsLayout l = openResetDialog(h);
         const Point no = pointOn(ui::confirmDialogRects(h.ctx()).cancel, [&](Point p) { return overLanguageCell(l, p); });
         clickAt(h, no);
         EXPECT_EQ(h.top().screen, ui::kSettings);
         h.key(SDLK_RETURN).frame();  // would confirm a dialog still open
         h.reloadStores();
         EXPECT_EQ(store::meta().roster.size(), 1u);
         EXPECT_EQ(store::settings().language, "");
     }},
    {"barracks: Confirm over a row dismisses and toggles no row",
     [](ScreenHarness& h) {
         const std::string gone = openDismissDialog(h);
         const std::vector<std::string> party = store::meta().partyIds;
         const Point yes = pointOn(ui::confirmDialogRects(h.ctx()).confirm, [&](Point p) { return overKaserneRow(h, p); });
         clickAt(h, yes);
         EXPECT_EQ(h.top().screen, ui::kKaserne);
         h.reloadStores();
         std::vector<std::string> left = party;
         std::erase(left, gone);
         EXPECT_EQ(store::meta().partyIds, left);
         EXPECT_EQ(rosterIds().size(), 5u);
         EXPECT_EQ(store::heroById(gone), nullptr);
     }},
    {"barracks: Cancel over a row keeps roster and party",
     [](ScreenHarness& h) {
         openDismissDialog(h);
         const std::vector<std::string> party = store::meta().partyIds;
         const Point no = pointOn(ui::confirmDialogRects(h.ctx()).cancel, [&](Point p) { return overKaserneRow(h, p); });
         clickAt(h, no);
         h.key(SDLK_RETURN).frame();  // would confirm a dialog still open
         h.reloadStores();
         EXPECT_EQ(store::meta().partyIds, party);
         EXPECT_EQ(rosterIds().size(), 6u);
     }},
    {"city: a tap that jumps onto the run card starts the run",
     [](ScreenHarness& h) {
         runfix::makeParty({rpg::ClassId::Warrior});
         runfix::openScreens(h, {ui::kMenu, ui::kCity});
         const ui::Ctx& c = h.ctx();
         const Point card = centre(ui::cityLayout(c.width, c.height, c.uiScale, false, 0).run);
         h.moveTo(card.x, card.y).press().frame();  // the press comes with the jump
         h.release().frame();
         EXPECT_EQ(h.top().screen, ui::kMap);
         EXPECT_TRUE(store::hasRun());
     }},
    {"rune tower: a stone drag released over a filled socket leaves the socket",
     [](ScreenHarness& h) {
         openRuneTower(h);
         const int slot = rpg::runeSlot(rpg::Atk);
         dragTo(h, firstStoneGrip(h), centre(runeLayout(h).sockets[slot]));
         h.reloadStores();
         EXPECT_TRUE(store::meta().runeCircle.filled[slot]);
         EXPECT_EQ(store::meta().runeInventory.size(), 12u);
     }},
    {"rune tower: a stone drag released over Back stays",
     [](ScreenHarness& h) {
         openRuneTower(h);
         dragTo(h, firstStoneGrip(h), centre(ui::backButtonRect(h.ctx(), ui::kHeaderHeight * scale(h))));
         EXPECT_EQ(h.top().screen, ui::kRuneTower);
     }},
    {"map: a click on the party strip over a tile half in view enters nothing",
     [](ScreenHarness& h) {
         // One battle per row; all but row 6 cleared, so the battles of rows
         // 7 and 8 above the active row may be fought again.
         runfix::makeParty({rpg::ClassId::Warrior, rpg::ClassId::Mage});
         runfix::startRun(3);
         rpg::RunState& run = store::run();
         run.map.rows = 9;
         run.map.startId = "start";
         run.map.nodes = {{"start", rpg::NodeType::Start, -1, 1}};
         for (int r = 0; r < 9; ++r) {
             run.map.nodes.push_back({"n" + std::to_string(r), rpg::NodeType::Battle, r, 0});
             if (r != 6) run.cleared.push_back("n" + std::to_string(r));
         }
         store::saveRun();
         runfix::openScreens(h, {ui::kCity, ui::kMap});
         const double s = scale(h);
         const ui::Ctx& c = h.ctx();
         const double first = ui::mapInitialScroll(9, 6, s);
         const ui::MapLayout l = ui::mapLayout(c.width, c.height, s, 9, first);
         const ui::Rect hidden = l.tile(8, 0, 1);
         const double stripTop = (ui::kHeaderHeight + 28) * s;
         // Pull the map down until the top tile reaches into the strip and
         // into the view.
         navtest::dragBy(h, 30 * s, l.view.y + 200 * s, stripTop + 10 * s - hidden.y);
         const ui::Rect tile = ui::mapLayout(c.width, c.height, s, 9, first - (stripTop + 10 * s - hidden.y)).tile(8, 0, 1);
         ASSERT_LT(tile.y, stripTop + 20 * s);
         ASSERT_GT(tile.y + tile.h, l.view.y + 8 * s);
         clickAt(h, {tile.x + tile.w / 2, stripTop + 20 * s});
         EXPECT_EQ(h.top().screen, ui::kMap);
         clickAt(h, {tile.x + tile.w / 2, l.view.y + 6 * s});  // the part in view
         EXPECT_EQ(h.top().screen, ui::kBattle);
         EXPECT_EQ(h.top().nodeId, "n8");
     }},
    {"merchant: a double click on Sell sells one item",
     [](ScreenHarness& h) {
         shoptest::setParty({rpg::ClassId::Warrior}, 1, 0);
         store::Meta& meta = store::meta();
         meta.stash = {rpg::makeItem("potionHp"), rpg::makeItem("potionMp"), rpg::makeItem("potionHp")};
         const std::vector<rpg::ItemInstance> shelf = meta.stash;
         store::saveMeta();
         runfix::openScreens(h, {ui::kCity});
         ui::Game::instance().push(shoptest::shopEntry(play::kShopWeaponsmith));
         h.frame();
         const double s = scale(h);
         clickAt(h, {h.ctx().width / 2 + 60 * s, 103 * s});  // the sell tab
         const ui::ShopGrid grid = ui::shopGrid(h.ctx().width, h.ctx().height, s, ui::kHeaderHeight * s, false);
         std::vector<const rpg::ItemInstance*> items;
         for (const rpg::ItemInstance& item : shelf) items.push_back(&item);
         const double cardH = ui::shopCardHeight(h.ctx().cr, items, grid.cardW, s);
         doubleClickAt(h, centre(ui::shopActionRect(ui::shopCardRect(grid, 0, cardH, s, 0), s)));
         h.reloadStores();
         EXPECT_EQ(store::meta().stash.size(), 2u);
         EXPECT_EQ(store::meta().gold, rpg::sellPrice(shelf[0]));
     }},
    {"rune tower: a double click on Sell sells one stone",
     [](ScreenHarness& h) {
         openRuneTower(h, 3);
         const ui::Rect row = ui::runeRowRect(runeLayout(h), 0, scale(h), 0);
         doubleClickAt(h, centre(ui::runeSellButton(row, scale(h))));
         h.reloadStores();
         EXPECT_EQ(store::meta().runeInventory.size(), 2u);
     }},
    {"rune tower: a double click on Equip sockets one stone",
     [](ScreenHarness& h) {
         openRuneTower(h, 3);
         const ui::Rect row = ui::runeRowRect(runeLayout(h), 0, scale(h), 0);
         doubleClickAt(h, centre(ui::runeSocketButton(row, scale(h))));
         h.reloadStores();
         // The second click would have socketed the stone that moved up.
         EXPECT_EQ(store::meta().runeInventory.size(), 2u);
         EXPECT_EQ(store::meta().runeInventory.front().uid, "rune-1");
         EXPECT_TRUE(store::meta().runeCircle.filled[rpg::runeSlot(rpg::MaxHp)]);
     }},
};

TEST(ClickPrecedence, TheClickGoesToWhatThePlayerSees) {
    const struct {
        int w, h;
    } windows[] = {{1280, 720}, {860, 560}};
    for (const auto& win : windows) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(testing::Message() << win.w << "x" << win.h << ": " << c.what);
            ScreenHarness h(&ui::Game::instance(), win.w, win.h);
            c.run(h);
        }
    }
}

} // namespace
