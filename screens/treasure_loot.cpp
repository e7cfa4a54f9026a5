// The treasure screen's drawing: the chest, the outcome's title and the loot
// lines coming in one after another.
#include <algorithm>
#include <cmath>
#include <string>

#include "fx/chest_fx.h"
#include "platform/i18n.h"
#include "screens/common.h"
#include "screens/treasure.h"
#include "ui/audio.h"
#include "ui/beneath.h"
#include "ui/game_ui.h"
#include "ui/keys.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kLineDelay = 0.22;  // the first loot line after the reveal
constexpr double kLineStep = 0.11;   // each further line
constexpr double kLineFade = 0.38;

// --- The texts of an item line ---

std::string itemTitle(const rpg::ItemDef& def) {
    const std::string name = i18n::tr(def.nameKey);
    return "◆ " + (def.weaponClassKey ? withWeaponKind(name, def) : name);
}

// "+12 ATK  +3 CRIT  ·  Lv. 7"; empty when the item adds nothing.
std::string itemStatLine(const rpg::ItemInstance& item) {
    const rpg::Stats bonus = rpg::itemBonus(item);
    std::string line;
    for (rpg::StatId id : rpg::kAllocatable) {
        const double v = rpg::statValue(bonus, id);
        if (v == 0) continue;
        if (!line.empty()) line += "  ";
        line += (v > 0 ? "+" : "") + num(v) + " " + i18n::tr(rpg::statLabelKey(id));
    }
    if (line.empty()) return line;
    return line + "  ·  " + levelLabel(rpg::itemLevel(item));
}

// Drawn after the rune mark.
std::string itemAffixText(const rpg::ItemInstance& item) {
    return item.affixes.empty() ? std::string() : affixLine(item);
}

std::string goldText(double gold) { return "+" + num(gold) + " " + i18n::tr("common.gold"); }

std::string runeText(const rpg::Runestone& rune) {
    return "✦ +" + num(rune.value) + " " + i18n::tr(rpg::statLabelKey(rune.stat));
}

} // namespace

// The burst's rays reach far: they stay below the header and out of the box
// `clear` (the outcome's title), which they would cut through.
// A chest at rest lies beneath everything else the overlay draws in its
// reach (the header and the title are kept out of it), so it goes beneath
// the overlay, clipped below the header; the title's box is then covered
// again with the screen's own fill, which is all that shows there while the
// chest opens.
void TreasureScreen::drawChest(Ctx& ctx, double header, double y, double size, double t, const Rect& clear) const {
    const bool opening = openedAt_.has_value();
    if (chestFxAtRest(opening, t)) {
        {
            const beneath::Clip below(ctx, {0, header, ctx.width, ctx.height - header});
            drawChestFxBeneath(ctx, 0.5 * ctx.width, y, size, t, chestColor(loot_), trap(), jackpot());
        }
        if (clear.w > 0) {
            const double top = std::max(clear.y, header);
            fillRect(ctx.cr, {clear.x, top, clear.w, clear.y + clear.h - top}, theme::kScreenFill);
        }
        return;
    }
    cairo_save(ctx.cr);
    cairo_rectangle(ctx.cr, 0, header, ctx.width, ctx.height - header);
    if (clear.w > 0) {
        cairo_rectangle(ctx.cr, clear.x, clear.y, clear.w, clear.h);
        cairo_set_fill_rule(ctx.cr, CAIRO_FILL_RULE_EVEN_ODD);
    }
    cairo_clip(ctx.cr);
    drawChestFx(ctx, 0.5 * ctx.width, y, size, opening, t, chestColor(loot_), trap(), jackpot());
    cairo_restore(ctx.cr);
}

TreasureScreen::Choice TreasureScreen::drawClosedOrOpening(Ctx& ctx, double header, double t) {
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double h = ctx.height;
    drawChest(ctx, header, treasureClosedChestY(h, header), 1.1, t);
    if (openedAt_) {
        drawTextTop(ctx.cr, 0.5 * w, h - 96 * s, "…",
                    TextStyle{.size = 20 * s, .color = kMutedText, .align = Align::Centre});
        return Choice::None;
    }
    const bool clicked = menuButton(ctx, treasureOpenButton(w, h, s, ctx.now), i18n::tr("treasure.open"), true);
    return clicked ? Choice::Open : Choice::None;
}

TreasureScreen::Choice TreasureScreen::drawRevealed(Ctx& ctx, double header, double t) {
    const double s = ctx.uiScale;
    const double panelW = treasurePanelWidth(ctx.width, s, trap(), trap() ? 0 : linesWidth(ctx));
    const TreasureRevealed lay = treasureRevealedLayout(ctx.width, ctx.height, s, header, loot_, panelW);
    drawChest(ctx, header, lay.chestY, 1.0, t, trap() ? Rect{} : titleBox(ctx, lay.titleY, lay.titleH));
    drawOutcomeTitle(ctx, lay.titleY, lay.titleH, panelW);
    drawLootPanel(ctx, lay.panel, lay.content);
    const bool clicked = menuButton(ctx, lay.button, i18n::tr(trap() ? "treasure.leave" : "treasure.take"), true);
    return clicked || ctx.input.hasKey(key::kReturn) ? Choice::Take : Choice::None;
}

void TreasureScreen::drawOutcomeTitle(Ctx& ctx, double y, double blockH, double panelW) {
    const double s = ctx.uiScale;
    const double cx = 0.5 * ctx.width;
    if (trap()) {
        drawTextTop(ctx.cr, cx, y, i18n::tr("treasure.failTitle"),
                    TextStyle{.size = 20 * s, .bold = true, .color = theme::kDangerRed, .align = Align::Centre});
        TextStyle body{.size = 13 * s, .color = kMutedText, .align = Align::Centre};
        body.wrapWidth = panelW;
        drawTextTop(ctx.cr, cx - 0.5 * panelW, y + 28 * s, i18n::tr("treasure.failBody"), body);
        return;
    }
    const TextStyle st = outcomeStyle(ctx, jackpot() ? 1 + 0.06 * std::sin(2 * kPi * ctx.now / 1.6) : 1);
    const std::string title = i18n::tr(jackpot() ? "treasure.jackpot" : "treasure.found");
    // Scripts with tall lines (Arabic) would reach into the panel below: such
    // a title moves up until it clears it.
    double tw = 0, th = 0;
    measureText(ctx.cr, title, st, &tw, &th);
    drawTextTop(ctx.cr, cx, y - std::max(0.0, th + 2 * s - blockH), title, st);
}

// The found or jackpot title, a jackpot's swelling by k.
TextStyle TreasureScreen::outcomeStyle(const Ctx& ctx, double k) const {
    const double s = ctx.uiScale;
    return {.size = jackpot() ? std::round(k * 24 * s) : 14 * s,
            .bold = true,
            .color = kLightGold,
            .align = Align::Centre,
            .fitWidth = ctx.width - 32 * s,
            .upperCase = true};
}

// Round the title at its largest, where the rays must not go.
Rect TreasureScreen::titleBox(Ctx& ctx, double y, double blockH) const {
    const double s = ctx.uiScale;
    double tw = 0, th = 0;
    measureText(ctx.cr, i18n::tr(jackpot() ? "treasure.jackpot" : "treasure.found"), outcomeStyle(ctx, 1.06), &tw,
                &th);
    const double top = y - std::max(0.0, th + 2 * s - blockH);
    return {0.5 * ctx.width - tw / 2 - 10 * s, top - 4 * s, tw + 20 * s, th + 8 * s};
}

void TreasureScreen::drawLootPanel(Ctx& ctx, const Rect& r, double content) {
    const double s = ctx.uiScale;
    // Lines that overrun the panel by less than a unit do not make it scroll.
    const bool scrolls = content > r.h + 1;
    pixelPanel(ctx, r, false);
    const Rect inner{r.x + 6 * s, r.y + 6 * s, r.w - 12 * s, r.h - 12 * s};
    scroll_ = beginScroll(ctx, "treasure.loot", inner, scrolls ? content - 12 * s : 0, scroll_, 6 * s);
    drawLootLines(ctx, r, ctx.now - revealedAt_);
    endScroll(ctx);
}

// The lines come in one after another, each sliding up as it fades in.
void TreasureScreen::drawLootLines(Ctx& ctx, const Rect& r, double d) {
    const double s = ctx.uiScale;
    int line = 0;
    auto progress = [&]() { return std::clamp((d - (kLineDelay + kLineStep * line++)) / kLineFade, 0.0, 1.0); };
    double y = r.y + 10 * s - scroll_;
    if (loot_.gold > 0) {
        const double p = progress();
        if (p > 0) drawGoldLine(ctx, r.x, y + 14 * s * (1 - p), p);
        y += 24 * s;
    }
    for (const rpg::ItemInstance& item : loot_.items) {
        const double p = progress();
        if (p > 0) itemLine(ctx, r.x + 12 * s, y + 14 * s * (1 - p), r.w - 24 * s, item, p);
        y += chestItemHeight(item, s);
    }
    if (hasRune()) {
        const double p = progress();
        if (p > 0) drawRuneBlock(ctx, r.x, y + 14 * s * (1 - p), p);
    }
    tickLines(d);
}

void TreasureScreen::drawGoldLine(Ctx& ctx, double x, double y, double alpha) {
    const double s = ctx.uiScale;
    drawRimmedCoin(ctx.cr, x + 18 * s, y + 9 * s, 6 * s, s, alpha);
    TextStyle st{.size = 15 * s, .bold = true, .color = kLightGold};
    st.alpha = alpha;
    drawText(ctx.cr, x + 32 * s, y, goldText(loot_.gold), st);
}

void TreasureScreen::drawRuneBlock(Ctx& ctx, double x, double y, double alpha) {
    const double s = ctx.uiScale;
    TextStyle label{.size = 11 * s, .color = kMutedText, .upperCase = true};
    label.alpha = alpha;
    drawText(ctx.cr, x + 12 * s, y, i18n::tr("treasure.runeDrop"), label);
    TextStyle value{.size = 15 * s, .bold = true, .color = theme::kRuneBlue};
    value.alpha = alpha;
    drawText(ctx.cr, x + 26 * s, y + 16 * s, runeText(loot_.rune), value);
}

// One "item" sound per frame, however many lines came due in it.
void TreasureScreen::tickLines(double d) {
    const int due = d <= kLineDelay ? 1 : static_cast<int>((d - kLineDelay) / kLineStep) + 1;
    const int lines = lineCount();
    if (linesTicked_ < due && linesTicked_ < lines) {
        linesTicked_ = std::min(due, lines);
        audio::play(audio::Sfx::Item);
    }
}

double TreasureScreen::itemLine(Ctx& ctx, double x, double y, double width, const rpg::ItemInstance& item,
                                double alpha) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def) return y;
    const double s = ctx.uiScale;
    TextStyle title{.size = 14 * s, .bold = true, .color = rarityTextColor(def->rarity), .fitWidth = width};
    title.alpha = alpha;
    drawText(ctx.cr, x, y, itemTitle(*def), title);
    y += 20 * s;
    auto detail = [&](const std::string& text, uint32_t color, bool marked) {
        if (text.empty()) return;
        TextStyle st{.size = 11 * s, .color = color, .fitWidth = width - 14 * s};
        st.alpha = alpha;
        if (marked) drawMarkedText(ctx.cr, x + 14 * s, y, text, st);
        else drawText(ctx.cr, x + 14 * s, y, text, st);
        y += 15 * s;
    };
    detail(itemStatLine(item), kMutedText, false);
    detail(itemAffixText(item), theme::kRuneBlue, true);
    return y + 6 * s;
}

// The widest loot line and the panel's padding, measured once per UI scale.
double TreasureScreen::linesWidth(Ctx& ctx) {
    const double s = ctx.uiScale;
    if (widthScale_ == s && widthCache_ > 0) return widthCache_;
    widthScale_ = s;
    double widest = 0;
    auto fit = [&](const std::string& text, const TextStyle& st, double extra) {
        double tw = 0;
        measureText(ctx.cr, text, st, &tw, nullptr);
        widest = std::max(widest, tw + extra);
    };
    if (loot_.gold > 0) fit(goldText(loot_.gold), TextStyle{.size = 15 * s, .bold = true, .color = kLightGold}, 32 * s);
    for (const rpg::ItemInstance& item : loot_.items) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (!def) continue;
        fit(itemTitle(*def), TextStyle{.size = 14 * s, .bold = true, .color = 0}, 12 * s);
        fit(itemStatLine(item), TextStyle{.size = 11 * s, .color = 0}, 26 * s);
        fit(itemAffixText(item), TextStyle{.size = 11 * s, .color = 0}, 26 * s + 1.3 * 11 * s);  // and the rune mark
    }
    if (hasRune()) {
        fit(i18n::tr("treasure.runeDrop"), TextStyle{.size = 11 * s, .color = kMutedText, .upperCase = true}, 12 * s);
        fit(runeText(loot_.rune), TextStyle{.size = 15 * s, .bold = true, .color = theme::kRuneBlue}, 26 * s);
    }
    widthCache_ = widest + 24 * s;
    return widthCache_;
}

} // namespace ui
