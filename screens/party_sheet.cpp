// The upper half of the party sheet: recruit button, the hero's header with
// gear score and experience, stat points, set bonuses, the combat summary,
// the battle row and the final stats.
#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/leveling.h"
#include "rules/runes.h"
#include "screens/party.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/legible.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// The points panel leaves room under its second row of stat buttons, and a
// set block under its last line, so that neither touches the frame.
constexpr double kPointsPanelH = 102;
constexpr double kSetBlockPad = 6;

// "HP +40, DEF +14" for a set tier's bonus; empty for an all-zero block.
std::string statLine(const rpg::Stats& bonus) {
    std::string line;
    for (rpg::StatId stat : rpg::kAllocatable) {
        const double v = rpg::statValue(bonus, stat);
        if (v == 0) continue;
        if (!line.empty()) line += i18n::listSeparator();
        line += i18n::tr(rpg::statLabelKey(stat)) + " +" + num(v);
    }
    return line;
}

} // namespace

double PartyScreen::recruitButton(Sheet& sh, double y) {
    const double s = sh.s;
    if (sh.shows(y, 42 * s) && menuButton(sh.ctx, {sh.x, y, sh.w, 42 * s}, i18n::tr("shop.recruit"), false)) {
        audio::play(audio::Sfx::Click);
        openRecruit_ = true;
    }
    return y + 42 * s + 12 * s;
}

double PartyScreen::heroBlock(Sheet& sh, double y) {
    const double s = sh.s;
    const double height = 90 * s;
    if (!sh.shows(y, height)) return y + height + 12 * s;
    cairo_t* cr = sh.ctx.cr;
    const rpg::Hero& hero = sh.hero;
    pixelPanel(sh.ctx, {sh.x, y, sh.w, height}, false);
    const double right = sh.x + sh.w - 12 * s;
    const double textX = sh.x + 90 * s;
    drawSpriteCairo(cr, sh.cls.id, sh.x + 12 * s, y + 12 * s, 66 * s, 66 * s, nullptr,
                    static_cast<int>(2 * sh.ctx.now) % 2, false, 1.0);
    const std::string className = i18n::tr(sh.cls.nameKey);
    drawText(cr, textX, y + 12 * s, hero.name.empty() ? className : hero.name,
             TextStyle{.size = 18 * s,
                       .bold = true,
                       .color = theme::kCreamText,
                       .fitWidth = 0.6 * (right - textX),
                       .upperCase = true});
    drawText(cr, right, y + 15 * s, gearScoreLabel(rpg::gearScore(rpg::equipBonus(hero.equipment))),
             TextStyle{.size = 13 * s, .bold = true, .color = theme::kLightGold, .align = Align::Right});
    const std::string classLine = className + " · " + i18n::tr("common.level") + " " + num(hero.level) + " · " +
                                  i18n::tr(roleKey(sh.cls.role));
    drawText(cr, textX, y + 36 * s, classLine,
             TextStyle{.size = 12 * s, .color = theme::kMutedText, .fitWidth = right - textX});
    const double need = rpg::xpToNext(hero.level);
    // Tall enough for its label at the size the label can be read at.
    const double barH = std::max(14 * s, 1.3 * legibleUnitsOfLanguage());
    statBar(sh.ctx, {textX, y + 58 * s, right - textX, barH}, rpg::levelProgress(hero) * need, need, theme::kGold,
            theme::kBarTrack, i18n::tr("common.xp"));
    return y + height + 12 * s;
}

double PartyScreen::pointsPanel(Sheet& sh, double y) {
    const double s = sh.s;
    rpg::Hero& hero = sh.hero;
    if (hero.points <= 0) return y;
    const double height = kPointsPanelH * s;
    if (!sh.shows(y, height)) return y + height + 12 * s;
    const double x = sh.x;
    const double w = sh.w;
    pixelPanel(sh.ctx, {x, y, w, height}, false);
    // The count is measured and drawn before the button may spend it.
    drawText(sh.ctx.cr, x + 10 * s, y + 10 * s, countText("party.pointsOpen", "count", hero.points),
             TextStyle{.size = 13 * s, .bold = true, .color = theme::kLightGold, .fitWidth = w - 170 * s});
    if (plainButton(sh.ctx, {x + w - 150 * s, y + 6 * s, 140 * s, 28 * s}, i18n::tr("party.autoAlloc"), false)) {
        audio::play(audio::Sfx::Place);
        pending_.autoAssign = true;
    }
    const double bw = (w - 38 * s) / 4;
    for (std::size_t i = 0; i < rpg::kAllocatable.size(); ++i) {
        const double col = static_cast<double>(i % 4);
        const double row = static_cast<double>(i / 4);
        statButton(sh, {x + 10 * s + col * (bw + 6 * s), y + 40 * s + row * 30 * s, bw, 24 * s},
                   rpg::kAllocatable[i]);
    }
    return y + height + 12 * s;
}

void PartyScreen::statButton(Sheet& sh, const Rect& r, rpg::StatId stat) {
    const double s = sh.s;
    cairo_t* cr = sh.ctx.cr;
    const bool key = sh.isKey(stat);
    fillRect(cr, r, theme::kDarkerPanel, 1.0);
    strokeRoundedRect(cr, r, 0, 2 * s, key ? theme::kGold : theme::kBevelDark, 1.0);
    std::string label = i18n::tr(rpg::statLabelKey(stat)) + " +" + num(rpg::allocStep(stat));
    if (key) label += " ★";
    drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, label,
                     TextStyle{.size = 11 * s,
                               .bold = key,
                               .color = key ? theme::kLightGold : theme::kMutedText,
                               .align = Align::Centre,
                               .fitWidth = r.w - 4 * s});
    if (sh.ctx.takeClick(r)) {
        audio::play(audio::Sfx::Place);
        pending_.stat = stat;
    }
}

double PartyScreen::setBlocks(Sheet& sh, double y) {
    const double s = sh.s;
    const double x = sh.x;
    const double w = sh.w;
    for (const rpg::SetPieceCount& worn : rpg::setPieces(sh.hero.equipment)) {
        const rpg::SetDef* set = rpg::findSet(worn.setId);
        if (!set) continue;
        const rpg::SetTier* reached = nullptr;
        const rpg::SetTier* next = nullptr;
        for (int t = 0; t < set->tierCount; ++t) {
            const rpg::SetTier& tier = set->tiers[static_cast<std::size_t>(t)];
            if (tier.pieces <= worn.count) reached = &tier;
            else if (!next) next = &tier;
        }
        cairo_t* cr = sh.ctx.cr;
        const TextStyle bonusStyle{.size = 11 * s, .color = theme::kLightGold, .fitWidth = w - 20 * s};
        const TextStyle nextStyle{.size = 10 * s, .color = theme::kMutedText, .fitWidth = w - 20 * s};
        const std::string bonusLine =
            reached ? i18n::tr("set.bonusTier", {{"bonus", i18n::tr("set.bonus")},
                                                 {"pieces", num(reached->pieces)},
                                                 {"stats", statLine(reached->bonus)}})
                    : "";
        const std::string nextLine =
            next ? "+" + num(next->pieces - worn.count) + " " + forwardArrow() + " " + statLine(next->bonus) : "";
        // Each line as tall as it comes out, at least as the lines were drawn.
        auto lineH = [&](const std::string& text, const TextStyle& st, double least) {
            double h = 0;
            if (!text.empty()) measureText(cr, text, st, nullptr, &h);
            return text.empty() ? 0.0 : std::max(least, h + 2 * s);
        };
        const double bonusH = lineH(bonusLine, bonusStyle, 16 * s);
        const double nextH = lineH(nextLine, nextStyle, 15 * s);
        const double height = (24 + kSetBlockPad) * s + bonusH + nextH;
        if (sh.shows(y, height)) {
            const Rect r{x, y, w, height};
            fillRect(cr, r, theme::kDarkPanel, 1.0);
            strokeRoundedRect(cr, r, 0, 2 * s, theme::kSetRed, 1.0);
            drawText(cr, x + 10 * s, y + 6 * s, i18n::tr(set->nameKey),
                     TextStyle{.size = 13 * s, .bold = true, .color = theme::kSetRed, .fitWidth = 0.6 * w});
            drawText(cr, x + w - 10 * s, y + 6 * s,
                     i18n::tr("set.pieces", {{"have", num(worn.count)}, {"total", num(6)}}),
                     TextStyle{.size = 13 * s, .bold = true, .color = theme::kLightGold, .align = Align::Right});
            drawText(cr, x + 10 * s, y + 26 * s, bonusLine, bonusStyle);
            drawText(cr, x + 10 * s, y + 26 * s + bonusH, nextLine, nextStyle);
        }
        y += height + 12 * s;
    }
    return y;
}

double PartyScreen::summaryStrip(Sheet& sh, double y) {
    const double s = sh.s;
    const double height = 38 * s;
    if (!sh.shows(y, height)) return y + height + 12 * s;
    pixelPanel(sh.ctx, {sh.x, y, sh.w, height}, true);
    const rpg::Stats& f = sh.finalStats;
    struct Column {
        const char* key;
        double value;
        std::uint32_t color;
    };
    const Column columns[] = {
        {"stat.hp", f.maxHp, theme::kRedText},
        {"stat.mp", f.maxMp, theme::kManaText},
        {"stat.dmg", std::max(f.atk, f.mag), theme::kLightGold},
    };
    for (int i = 0; i < 3; ++i) {
        const double cx = sh.x + (i + 0.5) * sh.w / 3;
        const double top = y + 19 * s - 10 * s;
        drawText(sh.ctx.cr, cx - 4 * s, top, i18n::tr(columns[i].key),
                 TextStyle{.size = 15 * s, .bold = true, .color = columns[i].color, .align = Align::Right});
        drawText(sh.ctx.cr, cx + 4 * s, top, num(columns[i].value),
                 TextStyle{.size = 15 * s, .bold = true, .color = theme::kCreamText});
    }
    return y + height + 12 * s;
}

double PartyScreen::rowChoice(Sheet& sh, double y) {
    const double s = sh.s;
    if (!sh.shows(y, 32 * s)) return y + 32 * s + 12 * s;
    cairo_t* cr = sh.ctx.cr;
    drawText(cr, sh.x, y + 8 * s, i18n::tr("party.row"),
             TextStyle{.size = 12 * s, .color = theme::kMutedText, .fitWidth = 64 * s, .upperCase = true});
    const char* const labels[] = {"party.front", "party.back"};
    for (std::uint8_t choice = 0; choice < 2; ++choice) {
        const Rect r{sh.x + 70 * s + choice * 110 * s, y, 100 * s, 32 * s};
        const bool chosen = sh.hero.row == choice;
        fillRect(cr, r, chosen ? theme::kDeepGold : theme::kDarkPanel, 1.0);
        strokeRoundedRect(cr, r, 0, 2 * s, chosen ? theme::kLightGold : theme::kBevelDark, 1.0);
        drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, i18n::tr(labels[choice]),
                         TextStyle{.size = 12 * s,
                                   .bold = true,
                                   .color = chosen ? theme::kPaleGold : theme::kCreamText,
                                   .align = Align::Centre,
                                   .fitWidth = r.w - 8 * s,
                                   .upperCase = true});
        if (sh.ctx.takeClick(r)) {
            audio::play(audio::Sfx::Click);
            pending_.row = choice;
        }
    }
    return y + 32 * s + 12 * s;
}

double PartyScreen::statsGrid(Sheet& sh, double y) {
    const double s = sh.s;
    cairo_t* cr = sh.ctx.cr;
    const TextStyle valueStyle{.size = 16 * s, .bold = true, .color = theme::kCreamText, .align = Align::Centre};
    auto labelStyle = [&](bool key) {
        return TextStyle{.size = 10 * s,
                         .bold = key,
                         .color = key ? theme::kLightGold : theme::kMutedText,
                         .align = Align::Centre,
                         .fitWidth = (sh.w - 16 * s) / 4 - 4 * s,
                         .upperCase = true};
    };
    // A cell is a label over its value, each as tall as it comes out.
    double labelH = 0, valueH = 0;
    for (rpg::StatId stat : rpg::kAllocatable) {
        double h = 0;
        measureText(cr, i18n::tr(rpg::statLabelKey(stat)), labelStyle(true), nullptr, &h);
        labelH = std::max(labelH, h);
    }
    measureText(cr, "0", valueStyle, nullptr, &valueH);
    const double valueTop = std::max(13 * s, labelH);
    const double rowH = std::max(36 * s, valueTop + valueH + 2 * s);
    const double height = std::max(84 * s, 8 * s + rowH + valueTop + valueH + 8 * s);
    const double below = y + height + 4 * s + 18 * s;
    if (!sh.shows(y, below - y)) return below;
    pixelPanel(sh.ctx, {sh.x, y, sh.w, height}, true);
    const rpg::Stats runes = rpg::runeBonus(store::meta().runeCircle);
    const double cw = (sh.w - 16 * s) / 4;
    for (std::size_t i = 0; i < rpg::kAllocatable.size(); ++i) {
        const rpg::StatId stat = rpg::kAllocatable[i];
        const bool key = sh.isKey(stat);
        const double cx = sh.x + 8 * s + static_cast<double>(i % 4) * cw + cw / 2;
        const double top = y + 8 * s + static_cast<double>(i / 4) * rowH;
        drawTextTop(cr, cx, top, (key ? "★" : "") + i18n::tr(rpg::statLabelKey(stat)), labelStyle(key));
        const std::string value = num(rpg::statValue(sh.finalStats, stat));
        drawTextTop(cr, cx, top + valueTop, value, valueStyle);
        // The rune share sits beside the value: a line under it would run
        // into the next row of cells.
        const double rune = rpg::statValue(runes, stat);
        if (rune > 0) {
            double vw = 0;
            double vh = 0;
            measureText(cr, value, valueStyle, &vw, &vh);
            drawMarkedText(cr, cx + vw / 2 + 4 * s, top + valueTop + 4 * s, "+" + num(rune),
                           TextStyle{.size = 11 * s, .bold = true, .color = theme::kLightGold});
        }
    }
    TextStyle hint{.size = 10 * s, .color = theme::kMutedText, .align = Align::Centre, .fitWidth = sh.w};
    hint.italic = true;
    drawTextTop(cr, sh.x + sh.w / 2, y + height + 4 * s, "★ " + i18n::tr("reward.keyStatHint"), hint);
    return below;
}

} // namespace ui
