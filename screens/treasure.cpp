// The treasure chest of a treasure node, of a boss and of a won minigame. The
// loot is rolled once when the screen is built; opening only reveals it, and
// only taking it (play::takeChest) changes what is stored.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fx/chest_fx.h"
#include "platform/i18n.h"
#include "screens/common.h"
#include "screens/treasure_roll.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;
using rpg::LootQuality;

namespace {

constexpr double kChimeAt = 0.68;   // seconds after opening began
constexpr double kRevealAt = 1.7;
constexpr double kLineDelay = 0.22;  // the first loot line after the reveal
constexpr double kLineStep = 0.11;   // each further line
constexpr double kLineFade = 0.38;

bool hasStatLine(const rpg::ItemInstance& item) {
    const rpg::Stats bonus = rpg::itemBonus(item);
    return std::any_of(rpg::kAllocatable.begin(), rpg::kAllocatable.end(),
                       [&](rpg::StatId id) { return rpg::statValue(bonus, id) != 0; });
}

// --- The texts of an item line ---

std::string itemTitle(const rpg::ItemDef& def) {
    std::string title = "◆ " + i18n::tr(def.nameKey);
    if (def.weaponClassKey) {
        title += "  (" + i18n::tr(def.weaponClassKey) + i18n::listSeparator() +
                 i18n::tr(def.twoHanded ? "equip.twoHand" : "equip.oneHand") + ")";
    }
    return title;
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

class TreasureScreen final : public Screen {
public:
    explicit TreasureScreen(const GameState& s) : state_(s) { roll(); }

    void update(Ctx& ctx) override {
        gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
        bool back = false;
        const double header = gameHeader(ctx, i18n::tr("treasure.title"), &back, false);
        if (ctx.backAsked(back)) {
            leave();
            return;
        }
        const double t = openedAt_ >= 0 ? ctx.now - openedAt_ : 0;
        stepTimeline(ctx.now, t);
        const double panelW = panelWidth(ctx);
        if (openedAt_ < 0 && state_.lucky && state_.autoOpen) open(ctx.now);
        if (!revealed_) drawClosedOrOpening(ctx, header, t);
        else drawRevealed(ctx, header, t, panelW);
    }

private:
    void roll() { loot_ = rollChest(state_); }

    bool trap() const { return loot_.outcome == LootQuality::Trap; }
    bool hasRune() const { return loot_.rune.value > 0; }
    int lineCount() const {
        return (loot_.gold > 0 ? 1 : 0) + static_cast<int>(loot_.items.size()) + (hasRune() ? 1 : 0);
    }

    void open(double now) {
        openedAt_ = now;
        audio::play(audio::Sfx::ChestOpen);
    }

    // Back or Escape. The chest of a beaten boss or a won game stands on a
    // node already cleared, which never opens again: leaving it takes the
    // loot as Return does. A treasure node's chest stays for later.
    void leave() {
        if (state_.boss || state_.lucky) take();
        else Game::instance().pop();
    }

    void stepTimeline(double now, double t) {
        if (openedAt_ < 0) return;
        if (!chimePlayed_ && t >= kChimeAt) {
            chimePlayed_ = true;
            audio::play(audio::Sfx::ChestPop);
        }
        if (!revealed_ && t >= kRevealAt) {
            revealed_ = true;
            revealedAt_ = now;
            switch (loot_.outcome) {
            case LootQuality::Trap: audio::play(audio::Sfx::Error); break;
            case LootQuality::Jackpot: audio::play(audio::Sfx::WinGlare); break;
            default: audio::play(audio::Sfx::Success); break;
            }
        }
    }

    double panelWidth(Ctx& ctx) {
        const double s = ctx.uiScale;
        if (trap()) return std::min(std::max(0.8 * ctx.width, 300 * s), 520 * s);
        return std::min(std::max(contentWidth(ctx), 300 * s), std::min(0.8 * ctx.width, 520 * s));
    }

    // The burst's rays reach far: they stay below the header and out of
    // the box `clear` (the outcome's title), which they would cut through.
    void drawChest(Ctx& ctx, double header, double x, double y, double size, double t, const Rect& clear = {}) const {
        cairo_save(ctx.cr);
        cairo_rectangle(ctx.cr, 0, header, ctx.width, ctx.height - header);
        if (clear.w > 0) {
            cairo_rectangle(ctx.cr, clear.x, clear.y, clear.w, clear.h);
            cairo_set_fill_rule(ctx.cr, CAIRO_FILL_RULE_EVEN_ODD);
        }
        cairo_clip(ctx.cr);
        drawChestFx(ctx, x, y, size, openedAt_ >= 0, t, chestColor(loot_), trap(),
                    loot_.outcome == LootQuality::Jackpot);
        cairo_restore(ctx.cr);
    }

    void drawClosedOrOpening(Ctx& ctx, double header, double t) {
        const double s = ctx.uiScale;
        const double w = ctx.width;
        const double h = ctx.height;
        drawChest(ctx, header, 0.5 * w, header + 0.42 * (h - header), 1.1, t);
        if (openedAt_ >= 0) {
            drawTextTop(ctx.cr, 0.5 * w, h - 96 * s, "…",
                        TextStyle{.size = 20 * s, .color = kMutedText, .align = Align::Centre});
            return;
        }
        if (menuButton(ctx, treasureOpenButton(w, h, s, ctx.now), i18n::tr("treasure.open"), true)) open(ctx.now);
    }

    void drawRevealed(Ctx& ctx, double header, double t, double panelW) {
        const double s = ctx.uiScale;
        const double w = ctx.width;
        const double h = ctx.height;
        const double titleH = (trap() ? 58 : loot_.outcome == LootQuality::Jackpot ? 34 : 26) * s;
        const double content = chestContentHeight(loot_, s);
        const double room = h - header - 24 * s - 220 * s - titleH - 48 * s - 48 * s;
        const double panelH = std::min(room > 60 * s ? room : 60 * s, content);
        const double top = header + std::max(0.5 * (h - header - (titleH + 220 * s + panelH + 96 * s)), 8 * s);
        const double y = top + 232 * s;
        drawChest(ctx, header, 0.5 * w, top + 110 * s, 1.0, t, trap() ? Rect{} : titleBox(ctx, y, titleH));
        drawOutcomeTitle(ctx, y, titleH, panelW);
        const Rect panel{0.5 * w - 0.5 * panelW, y + titleH, panelW, panelH};
        drawLootPanel(ctx, panel, content);
        const double bw = std::min(std::max(panelW, 280 * s), 360 * s);
        const Rect button{(w - bw) / 2, panel.y + panelH + 16 * s, bw, 48 * s};
        const bool clicked = menuButton(ctx, button, i18n::tr(trap() ? "treasure.leave" : "treasure.take"), true);
        if (clicked || ctx.input.hasKey(key::kReturn)) take();
    }

    void drawOutcomeTitle(Ctx& ctx, double y, double blockH, double panelW) {
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
        const bool jackpot = loot_.outcome == LootQuality::Jackpot;
        const TextStyle st = outcomeStyle(ctx, jackpot ? 1 + 0.06 * std::sin(2 * kPi * ctx.now / 1.6) : 1);
        const std::string title = i18n::tr(jackpot ? "treasure.jackpot" : "treasure.found");
        // Scripts with tall lines (Arabic) would reach into the panel below:
        // such a title moves up until it clears it.
        double tw = 0, th = 0;
        measureText(ctx.cr, title, st, &tw, &th);
        drawTextTop(ctx.cr, cx, y - std::max(0.0, th + 2 * s - blockH), title, st);
    }

    // The found or jackpot title, a jackpot's swelling by k.
    TextStyle outcomeStyle(const Ctx& ctx, double k) const {
        const double s = ctx.uiScale;
        const bool jackpot = loot_.outcome == LootQuality::Jackpot;
        return {.size = jackpot ? std::round(k * 24 * s) : 14 * s,
                .bold = true,
                .color = kLightGold,
                .align = Align::Centre,
                .fitWidth = ctx.width - 32 * s,
                .upperCase = true};
    }

    // Round the title at its largest, where the rays must not go.
    Rect titleBox(Ctx& ctx, double y, double blockH) const {
        const double s = ctx.uiScale;
        const bool jackpot = loot_.outcome == LootQuality::Jackpot;
        double tw = 0, th = 0;
        measureText(ctx.cr, i18n::tr(jackpot ? "treasure.jackpot" : "treasure.found"), outcomeStyle(ctx, 1.06), &tw,
                    &th);
        const double top = y - std::max(0.0, th + 2 * s - blockH);
        return {0.5 * ctx.width - tw / 2 - 10 * s, top - 4 * s, tw + 20 * s, th + 8 * s};
    }

    void drawLootPanel(Ctx& ctx, const Rect& r, double content) {
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
    void drawLootLines(Ctx& ctx, const Rect& r, double d) {
        const double s = ctx.uiScale;
        int line = 0;
        auto progress = [&]() {
            return std::clamp((d - (kLineDelay + kLineStep * line++)) / kLineFade, 0.0, 1.0);
        };
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

    void drawGoldLine(Ctx& ctx, double x, double y, double alpha) {
        const double s = ctx.uiScale;
        drawRimmedCoin(ctx.cr, x + 18 * s, y + 9 * s, 6 * s, s, alpha);
        TextStyle st{.size = 15 * s, .bold = true, .color = kLightGold};
        st.alpha = alpha;
        drawText(ctx.cr, x + 32 * s, y, goldText(loot_.gold), st);
    }

    void drawRuneBlock(Ctx& ctx, double x, double y, double alpha) {
        const double s = ctx.uiScale;
        TextStyle label{.size = 11 * s, .color = kMutedText, .upperCase = true};
        label.alpha = alpha;
        drawText(ctx.cr, x + 12 * s, y, i18n::tr("treasure.runeDrop"), label);
        TextStyle value{.size = 15 * s, .bold = true, .color = theme::kRuneBlue};
        value.alpha = alpha;
        drawText(ctx.cr, x + 26 * s, y + 16 * s, runeText(loot_.rune), value);
    }

    // One "item" sound per frame, however many lines came due in it.
    void tickLines(double d) {
        const int due = d <= kLineDelay ? 1 : static_cast<int>((d - kLineDelay) / kLineStep) + 1;
        const int lines = lineCount();
        if (linesTicked_ < due && linesTicked_ < lines) {
            linesTicked_ = std::min(due, lines);
            audio::play(audio::Sfx::Item);
        }
    }

    double itemLine(Ctx& ctx, double x, double y, double width, const rpg::ItemInstance& item, double alpha) {
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

    // The widest loot line, measured once per UI scale.
    double contentWidth(Ctx& ctx) {
        const double s = ctx.uiScale;
        if (widthScale_ == s && widthCache_ > 0) return widthCache_;
        widthScale_ = s;
        double widest = 0;
        auto fit = [&](const std::string& text, const TextStyle& st, double extra) {
            double tw = 0;
            measureText(ctx.cr, text, st, &tw, nullptr);
            widest = std::max(widest, tw + extra);
        };
        if (loot_.gold > 0)
            fit(goldText(loot_.gold), TextStyle{.size = 15 * s, .bold = true, .color = kLightGold}, 32 * s);
        for (const rpg::ItemInstance& item : loot_.items) {
            const rpg::ItemDef* def = rpg::findItem(item.defId);
            if (!def) continue;
            fit(itemTitle(*def), TextStyle{.size = 14 * s, .bold = true, .color = 0}, 12 * s);
            fit(itemStatLine(item), TextStyle{.size = 11 * s, .color = 0}, 26 * s);
            fit(itemAffixText(item), TextStyle{.size = 11 * s, .color = 0},
                26 * s + 1.3 * 11 * s);  // and the rune mark
        }
        if (hasRune()) {
            fit(i18n::tr("treasure.runeDrop"), TextStyle{.size = 11 * s, .color = kMutedText, .upperCase = true},
                12 * s);
            fit(runeText(loot_.rune), TextStyle{.size = 15 * s, .bold = true, .color = theme::kRuneBlue}, 26 * s);
        }
        widthCache_ = widest + 24 * s;
        return widthCache_;
    }

    // One transaction: the loot, the node left or, for the boss, the run
    // settled as won.
    void take() {
        const play::ChestTake t = play::takeChest(chestKindOf(state_), state_.nodeId, state_.depth, loot_);
        answer(t.result);
        if (t.result.next == play::Next::RunResult) {
            Game::instance().replace(runResultEntry(false, t.run.depth, t.run.gold));
            return;
        }
        Game::instance().pop();
    }

    GameState state_;
    ChestLoot loot_;
    double openedAt_ = -1;   // frame time the opening began; -1 while closed
    double scroll_ = 0;
    double revealedAt_ = 0;
    double widthScale_ = -1;  // the UI scale widthCache_ was measured at
    double widthCache_ = 0;
    int linesTicked_ = 0;
    bool chimePlayed_ = false;
    bool revealed_ = false;
};

} // namespace

play::ChestKind chestKindOf(const GameState& entry) {
    if (entry.boss) return play::ChestKind::Boss;
    return entry.lucky ? play::ChestKind::Lucky : play::ChestKind::Treasure;
}

ChestLoot rollChest(const GameState& entry) { return play::rollChest(chestKindOf(entry), entry.nodeId, entry.depth); }

std::uint32_t chestColor(const ChestLoot& loot) {
    if (loot.outcome == LootQuality::Trap) return kBevelLight;
    if (loot.outcome == LootQuality::Jackpot) return kLightGold;
    const rpg::ItemDef* rarest = nullptr;
    for (const rpg::ItemInstance& item : loot.items) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (def && (!rarest || def->rarity > rarest->rarity)) rarest = def;
    }
    return rarest ? rpg::rarityColor(rarest->rarity) : kGold;
}

double chestItemHeight(const rpg::ItemInstance& item, double s) {
    return (20 + (hasStatLine(item) ? 15 : 0) + (item.affixes.empty() ? 0 : 15) + 6) * s;
}

double chestContentHeight(const ChestLoot& loot, double s) {
    double h = 20 * s + (loot.gold > 0 ? 24 * s : 0) + (loot.rune.value > 0 ? 40 * s : 0);
    for (const rpg::ItemInstance& item : loot.items) h += chestItemHeight(item, s);
    return h;
}

Rect treasureOpenButton(double w, double h, double s, double now) {
    const double k = 1 + 0.04 * std::sin(2 * kPi * now / 1.6);
    const double bw = std::min(320 * s, 0.5 * w) * k;
    return {(w - bw) / 2, h - 96 * s, bw, 50 * s * k};
}

std::unique_ptr<Screen> makeTreasureScreen(const GameState& s) { return std::make_unique<TreasureScreen>(s); }

} // namespace ui
