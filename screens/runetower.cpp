// The rune tower's frame: a socketed stone goes back to the stones when its
// socket is clicked, or when another stone of its stat takes its place.
#include <algorithm>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "play/trade.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/runes.h"
#include "screens/common.h"
#include "screens/runetower.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

std::string stoneText(const rpg::Runestone& stone) { return "\u2726 +" + num(stone.value); }

} // namespace

void RuneTowerScreen::update(Ctx& ctx) {
    const double s = ctx.uiScale;
    sceneBackdrop(ctx, SceneOpts{kSceneCave, 12, 0.62, false, kWeatherClear, kDay, 1.0});
    bool back = false;
    const double headerH = gameHeader(ctx, i18n::tr("rune.title"), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();
        return;
    }
    const RuneTowerLayout lay = runeTowerLayout(ctx.width, ctx.height, s, headerH);
    drawTexts(ctx, lay);
    Choice choice;
    for (int i = 0; i < rpg::kStatCount; ++i) socket(ctx, lay.sockets[i], i, &choice);
    drawBonus(ctx, lay.bonus);
    drawInventory(ctx, lay, &choice);
    apply(choice);
}

// The gold line, the intro and the circle's heading.
void RuneTowerScreen::drawTexts(Ctx& ctx, const RuneTowerLayout& lay) {
    const double s = ctx.uiScale;
    drawGoldLine(ctx, lay.goldY, 16 * s);
    drawText(ctx.cr, lay.innerX, lay.introY, i18n::tr("rune.intro"),
             TextStyle{.family = kFontSans,
                       .size = 12 * s,
                       .color = kMutedText,
                       .align = Align::Centre,
                       .wrapWidth = lay.innerW});
    drawText(ctx.cr, lay.innerX, lay.circleHeadY, i18n::tr("rune.circle"),
             TextStyle{.size = 13 * s, .bold = true, .color = kLightGold, .upperCase = true});
}

// A filled socket gives its stone back to the inventory when clicked.
void RuneTowerScreen::socket(Ctx& ctx, const Rect& cell, int i, Choice* choice) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const store::Meta& meta = store::meta();
    const bool filled = meta.runeCircle.filled[i];
    if (filled) {
        fillRoundedRect(cr, cell, 8 * s, kGold, 0.16);
        strokeRoundedRect(cr, cell, 8 * s, 2 * s, kLightGold);
    } else {
        fillRoundedRect(cr, cell, 8 * s, theme::kShadowBlack, 0.25);
        strokeRoundedRect(cr, cell, 8 * s, 2 * s, kBevelDark);
    }
    const double cx = cell.x + cell.w / 2;
    drawTextTop(cr, cx, cell.y + 12 * s, i18n::tr(rpg::statLabelKey(rpg::kRuneAttrs[i])),
                TextStyle{.size = 13 * s, .bold = true, .color = kCreamText, .fitWidth = cell.w - 8 * s});
    if (!filled) {
        drawTextTop(cr, cx, cell.y + 38 * s, i18n::tr("rune.empty"),
                    TextStyle{.size = 11 * s, .color = kMutedText});
        return;
    }
    drawTextTop(cr, cx, cell.y + 32 * s, stoneText(meta.runeCircle.stones[i]),
                TextStyle{.size = 16 * s, .bold = true, .color = kLightGold});
    drawTextTop(cr, cx, cell.y + 54 * s, i18n::tr("rune.tapRemove"), TextStyle{.size = 9 * s, .color = kMutedText});
    if (ctx.takeClick(cell)) *choice = {Choice::What::Unsocket, static_cast<std::size_t>(i)};
}

void RuneTowerScreen::drawBonus(Ctx& ctx, const Rect& panel) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    pixelPanel(ctx, panel, true);
    TextStyle title{.size = 12 * s, .bold = true, .color = kGold};
    title.upperCase = true;
    drawText(cr, panel.x + 12 * s, panel.y + 8 * s, i18n::tr("rune.activeBonus"), title);
    const std::vector<rpg::StatId> stats(rpg::kRuneAttrs.begin(), rpg::kRuneAttrs.end());
    const std::string line = bonusLine(rpg::runeBonus(store::meta().runeCircle), stats);
    const TextStyle st{.size = 13 * s,
                       .bold = true,
                       .color = line.empty() ? kMutedText : kLightGold,
                       .fitWidth = panel.w - 24 * s};
    drawTextTop(cr, panel.x + panel.w / 2, panel.y + 30 * s, line.empty() ? i18n::tr("rune.noneActive") : line, st);
}

void RuneTowerScreen::drawInventory(Ctx& ctx, const RuneTowerLayout& lay, Choice* choice) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    drawText(cr, lay.innerX, lay.inventoryHeadY, i18n::tr("rune.inventory"),
             TextStyle{.size = 13 * s, .bold = true, .color = kLightGold, .upperCase = true});
    const std::vector<rpg::Runestone>& stones = store::meta().runeInventory;
    if (stones.empty()) {
        drawText(cr, lay.innerX, lay.list.y, i18n::tr("rune.inventoryEmpty"),
                 TextStyle{.family = kFontSans,
                           .size = 12 * s,
                           .color = kMutedText,
                           .align = Align::Centre,
                           .wrapWidth = lay.innerW});
        return;
    }
    const double content = 50 * s * static_cast<double>(stones.size());
    scroll_ = beginScroll(ctx, "rune.stones", lay.list, content, scroll_);
    for (std::size_t i = 0; i < stones.size(); ++i) {
        const Rect r = runeRowRect(lay, static_cast<int>(i), s, scroll_);
        if (r.y + r.h <= lay.list.y || r.y >= lay.list.y + lay.list.h) continue;
        stoneRow(ctx, r, i, choice);
    }
    // The list closes up under the pointer once the choice is applied.
    if (choice->what == Choice::What::Socket || choice->what == Choice::What::Sell) ctx.changedUnderPointer();
    endScroll(ctx);
}

// A click on the stone's buttons is recorded.
void RuneTowerScreen::stoneRow(Ctx& ctx, const Rect& r, std::size_t i, Choice* choice) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const rpg::Runestone& stone = store::meta().runeInventory[i];
    fillRect(cr, r, kDarkerPanel);
    strokeRoundedRect(cr, r, 0, 1.2 * s, theme::kRuneBlue, 0.6);
    TextStyle st{.size = 14 * s, .bold = true, .color = kCreamText};
    st.upperCase = true;
    drawText(cr, r.x + 10 * s, r.y + 14 * s, stoneText(stone) + " " + i18n::tr(rpg::statLabelKey(stone.stat)), st);
    if (plainButton(ctx, runeSocketButton(r, s), i18n::tr("rune.equip"), false)) {
        *choice = {Choice::What::Socket, i};
    }
    const double value = rpg::runeSellValue(stone);
    if (plainButton(ctx, runeSellButton(r, s), i18n::tr("rune.sell") + " " + num(value), false)) {
        *choice = {Choice::What::Sell, i};
    }
}

void RuneTowerScreen::apply(const Choice& c) {
    switch (c.what) {
    case Choice::What::Unsocket: answer(play::unsocketRune(static_cast<int>(c.index))); break;
    case Choice::What::Socket: answer(play::socketRune(c.index)); break;
    case Choice::What::Sell: answer(play::sellRune(c.index)); break;
    case Choice::What::None: break;
    }
}

std::unique_ptr<Screen> makeRuneTowerScreen() { return std::make_unique<RuneTowerScreen>(); }

} // namespace ui
