// Every widget of the kit in its states (normal, hovered, pressed, disabled,
// selected) at UI scale 1 and 1.5: widgets-1.png and widgets-1.5.png.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "tests/gallery/gallery.h"
#include "tests/support/screen_harness.h"
#include "ui/cards.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace {

constexpr const char* kStates[] = {"normal", "hovered", "pressed", "disabled", "selected"};
constexpr double kLabelW = 130, kColW = 240, kRowH = 76, kTop = 40;

enum State { Normal, Hovered, Pressed, Disabled, Selected };

// Draws one widget into the cell for a state; false where the state does
// not apply. The pointer has been placed for the state already.
using Cell = std::function<bool(ui::Ctx&, const ui::Rect&, State)>;

struct Row {
    const char* name;
    Cell draw;
    double height = kRowH;
};

rpg::ItemInstance galleryItem(const char* id, bool affixes) {
    rpg::ItemInstance item;
    item.uid = "it-gallery";
    item.defId = id;
    if (affixes) {
        item.affixes.push_back({0, 3, rpg::StatusKind::Poison});
        item.affixes.push_back({2, 100, rpg::StatusKind::Burn});
    }
    return item;
}

std::vector<Row> rows() {
    return {
        {"menuButton",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             ui::menuButton(c, r, "Continue", st == Selected);
             return true;
         }},
        {"menuButton gold",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled || st == Selected) return false;
             ui::menuButton(c, r, "New run", true);
             return true;
         }},
        {"plainButton",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             ui::plainButton(c, r, "Brutal", st == Selected);
             return true;
         }},
        {"woodButton",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             // The selected plank shows its shine mid-sweep (the frame time is 1.5 s).
             const ui::Rect plank{r.x, r.y + (r.h - ui::woodButtonHeight(c)) / 2, r.w, ui::woodButtonHeight(c)};
             ui::woodButton(c, plank, "Adventure", st == Selected, st == Selected ? 0 : 900);
             return true;
         }},
        {"arcadeStart",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             ui::arcadeStartButton(c, r, "START", st == Selected ? "" : "press to begin");
             return true;
         }},
        {"letterButton",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Selected) return false;
             const double s = c.uiScale;
             ui::letterButton(c, {r.x + r.w / 2 - 24 * s, r.y, 48 * s, r.h}, "K", st == Disabled);
             return true;
         }},
        {"toggleRow",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             ui::toggleRow(c, r, "Sound", st == Selected);
             return true;
         }},
        {"slider",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st == Disabled) return false;
             const double v[] = {0.0, 0.35, 0.6, 0, 1.0};
             ui::slider(c, r, v[st]);
             return true;
         }},
        {"pixelPanel",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st != Normal && st != Pressed) return false;
             ui::pixelPanel(c, r, st == Pressed);
             return true;
         }},
        {"parchmentCard",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st != Normal) return false;
             ui::parchmentCard(c, r);
             return true;
         }},
        {"statBar",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             const double s = c.uiScale;
             const ui::Rect bar{r.x, r.y + r.h / 2 - 9 * s, r.w, 18 * s};
             if (st == Normal) ui::statBar(c, bar, 63, 100, 0xC2382F, 0x7C2019, "63/100");
             else if (st == Hovered)
                 ui::statBar(c, {bar.x, bar.y + 4 * s, bar.w, 11 * s}, 20, 50, 0x3A72B2, 0x244A78, "hidden");
             else if (st == Disabled) ui::statBar(c, bar, 0, 0, 0xC2382F, 0x7C2019, "");
             else if (st == Selected) ui::statBar(c, bar, 130, 100, 0xC2382F, 0x7C2019, "full");
             else return false;
             return true;
         }},
        {"animBar",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             const double s = c.uiScale;
             const ui::Rect bar{r.x, r.y + r.h / 2 - 10 * s, r.w, 20 * s};
             const std::string key = "gallery." + std::to_string(st) + "." + std::to_string(s);
             const double now = c.now;
             // Normal: at rest; hovered: mid-fall with its trail; pressed:
             // mid-rise under the flash.
             const double start[] = {70, 100, 30, 0, 0};
             const double end[] = {70, 35, 90, 0, 0};
             const double at[] = {0, 0.45, 0.12, 0, 0};
             if (st == Disabled || st == Selected) return false;
             const bool numbers = st == Normal;
             c.now = 0;
             ui::animBar(c, key, bar, start[st], 100, 0x3A72B2, numbers);
             c.now = 1;
             ui::animBar(c, key, bar, end[st], 100, 0x3A72B2, numbers);
             c.now = 1 + at[st];
             ui::animBar(c, key, bar, end[st], 100, 0x3A72B2, numbers);
             c.now = now;
             return true;
         }},
        {"hudPill",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             const ui::Rect pill{r.x + 20 * c.uiScale, r.y + 8 * c.uiScale, r.w - 40 * c.uiScale, r.h - 16 * c.uiScale};
             if (st == Normal)
                 ui::hudPill(c, pill, "GOLD", "1.250", theme::kDarkPanel, theme::kGold, theme::kLightGold,
                             theme::kMutedText, 0);
             else if (st == Selected)
                 ui::hudPill(c, pill, "", "Depth 7", 0x6A451D, theme::kLightGold, theme::kCreamText, theme::kMutedText, 0);
             else return false;
             return true;
         }},
        {"itemCard",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             const char* ids[] = {"greataxe", "greataxe", "arcaneStaff", "worldender", "worldender"};
             ui::itemCard(c, r, galleryItem(ids[st], st != Hovered), st == Selected ? "E" : "", st == Selected,
                          st == Disabled);
             return true;
         },
         120},
        {"heroCard",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             static const rpg::Hero hero = rpg::makeHero(rpg::ClassId::Mage, "gallery-mage", 12);
             if (st == Disabled) return false;
             const double maxHp = rpg::statValue(rpg::deriveStats(hero), rpg::StatId::MaxHp);
             ui::heroCard(c, r, hero, st == Pressed ? maxHp * 0.3 : maxHp, 25, st == Selected);
             return true;
         },
         108},
        {"statusChips",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st != Normal && st != Selected) return false;
             using K = rpg::StatusKind;
             const double size = 22 * c.uiScale;
             std::vector<rpg::StatusInstance> list;
             if (st == Normal)
                 list = {{K::Poison, 3, 0}, {K::Burn, 2, 0}, {K::Regen, 4, 0}, {K::Stun, 1, 0}, {K::Slow, 2, 0}};
             else
                 list = {{K::AtkUp, 3, 0}, {K::DefUp, 2, 0}, {K::AtkDown, 1, 0}, {K::DefDown, 2, 0}, {K::Shield, 3, 40}};
             ui::statusChips(c, r.x, r.y + (r.h - size) / 2, size, list);
             return true;
         }},
        {"scrollbar",
         [](ui::Ctx& c, const ui::Rect& r, State st) {
             if (st != Normal && st != Selected) return false;
             ui::pixelPanel(c, r, true);
             ui::scrollbar(c, r, st == Normal ? 3 * r.h : 40 * r.h, st == Normal ? r.h : 39 * r.h);
             return true;
         }},
    };
}

double sheetWidth(double s) { return (kLabelW + 5 * kColW) * s; }

// Runs draw as if the window were a band of the sheet starting at y.
void inBand(ui::Ctx& c, double y, double height, double px, double py, const std::function<void()>& draw) {
    cairo_save(c.cr);
    cairo_translate(c.cr, 0, y);
    const double w = c.width, h = c.height;
    c.width = sheetWidth(c.uiScale);
    c.height = height;
    c.input.x = px;
    c.input.y = py;
    draw();
    c.width = w;
    c.height = h;
    cairo_restore(c.cr);
}

// The rows of single-cell widgets that take the whole sheet width.
double drawWideRows(ui::Ctx& c, double y) {
    const double s = c.uiScale;
    bool back = false;
    inBand(c, y, 80 * s, 30 * s, 26 * s, [&] { ui::gameHeader(c, "Game header, back hovered", &back, true); });
    y += 70 * s;
    inBand(c, y, 80 * s, -100, -100, [&] { ui::screenHeader(c, "Screen header", &back); });
    y += 70 * s;
    const std::vector<std::uint32_t>& colours = theme::titleColors();
    ui::wavyTitle(c, sheetWidth(s) * 0.3, y + 30 * s, "Velmorandine", 40 * s, &colours);
    ui::wavyTitle(c, sheetWidth(s) * 0.75, y + 30 * s, "Wavy title", 30 * s, nullptr);
    y += 70 * s;
    ui::footer(c, y + 50 * s);
    y += 60 * s;
    // The dialog dims the window it is given: here a band of the sheet.
    const double bandH = 300 * s;
    // The pointer rests on the confirm button.
    inBand(c, y, bandH, sheetWidth(s) / 2 + 100 * s, bandH / 2 + 77 * s, [&] {
        ui::confirmDialog(c, "Reset progress?",
                          "All heroes, gold and items are lost for good. This cannot be undone.", "Reset", "Cancel");
    });
    return y + bandH;
}

void drawSheet(ui::Ctx& c) {
    const double s = c.uiScale;
    ui::TextStyle head;
    head.size = 13 * s;
    head.bold = true;
    head.color = theme::kGold;
    ui::TextStyle name = head;
    name.color = theme::kMutedText;
    name.size = 12 * s;
    name.bold = false;
    for (int i = 0; i < 5; ++i) ui::drawText(c.cr, (kLabelW + i * kColW + 10) * s, 14 * s, kStates[i], head);
    double y = kTop * s;
    int index = 0;
    for (const Row& row : rows()) {
        if (index++ % 2 == 0) ui::fillRect(c.cr, {0, y, sheetWidth(s), row.height * s}, theme::kHeaderBrown);
        ui::drawText(c.cr, 8 * s, y + row.height * s / 2 - 8 * s, row.name, name);
        for (int st = 0; st < 5; ++st) {
            const ui::Rect cell{(kLabelW + st * kColW + 10) * s, y + 12 * s, (kColW - 20) * s, (row.height - 24) * s};
            const bool hover = st == Hovered || st == Pressed;
            c.input.x = hover ? cell.x + cell.w * 0.6 : -1000;
            c.input.y = hover ? cell.y + cell.h / 2 : -1000;
            c.input.leftDown = st == Pressed;
            row.draw(c, cell, State(st));
        }
        y += row.height * s;
    }
    c.input.leftDown = false;
    drawWideRows(c, y + 10 * s);
}

TEST(WidgetGallery, EveryWidgetInItsStatesAtTwoScales) {
    for (double s : {1.0, 1.5}) {
        const int width = int(sheetWidth(s));
        const int height = int((kTop + rows().size() * kRowH + 700) * s);
        harness::ScreenHarness h(nullptr, width, height);
        h.setUiScale(s);
        h.wait(1.5 - h.now());
        store::meta().gold = 12345;
        h.setBody([&](ui::Ctx& c) {
            ui::fillRect(c.cr, {0, 0, c.width, c.height}, theme::kDarkerPanel);
            drawSheet(c);
        });
        h.frame();
        const std::string file = gallery::path(s == 1.0 ? "widgets-1" : "widgets-1.5");
        EXPECT_TRUE(h.writePng(file)) << file;
    }
}

} // namespace
