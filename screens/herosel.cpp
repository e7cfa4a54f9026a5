// Hero selection's frame: the hint, the class cards and the start button.
#include "screens/herosel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "screens/common.h"
#include "screens/herosel_layout.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using namespace theme;

constexpr int kPicks = HeroSelectScreen::kPicks;
constexpr double kPulsePeriod = 1.8;  // s, one swell of the picked outline

// Opacity of the picked cards' outline: 0.35 to 1 and back every period.
double pulseAlpha(double now) {
    double x = std::fmod(now, kPulsePeriod) / (kPulsePeriod / 2);
    if (x > 1) x = 2 - x;
    return 0.35 + 0.65 * (0.5 - 0.5 * std::cos(kPi * x));
}

void drawBadge(Ctx& ctx, const Rect& card, int number) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const Rect r{card.x + card.w - 28 * s, card.y + 4 * s, 24 * s, 24 * s};
    fillRect(cr, r, kGold);
    drawBevel(cr, r, std::max(2 * s, 2.0), kLightGold, kDeepGold);
    drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, num(number),
                     TextStyle{.size = 13 * s, .bold = true, .color = theme::kBadgeInk, .align = Align::Centre});
}

// Hit points, attack, magic and speed of the class at level 1: four columns
// of a label over its value, or, where a label is wider than its column
// (kanji labels in a small window), two rows of two with each label beside
// its value.
struct StatsBlock {
    TextStyle label, value;
    bool paired = false;  // two rows of two
    double labelH = 0, valueH = 0;
    double gap = 0;       // between a label and the value under it
    double height() const { return paired ? 2 * std::max(labelH, valueH) : labelH + gap + valueH; }
};

constexpr rpg::StatId kShown[] = {rpg::MaxHp, rpg::Atk, rpg::Mag, rpg::Spd};

double statColumn(const Rect& card, double s) { return (card.w - 16 * s - 3 * 8 * s) / 4; }

StatsBlock statsBlock(Ctx& ctx, const Rect& card, uint32_t labelColor) {
    const double s = ctx.uiScale;
    StatsBlock b;
    b.label = TextStyle{.size = 9 * s, .color = labelColor, .align = Align::Centre};
    b.value = TextStyle{.size = 13 * s, .bold = true, .color = kCreamText, .align = Align::Centre};
    for (rpg::StatId id : kShown) {
        double w = 0, h = 0;
        measureText(ctx.cr, i18n::tr(rpg::statLabelKey(id)), b.label, &w, &h);
        b.labelH = std::max(b.labelH, h);
        if (w > statColumn(card, s) + 4 * s) b.paired = true;  // a label may reach a little into the gaps
    }
    measureText(ctx.cr, "0", b.value, nullptr, &b.valueH);
    b.gap = 1.5 * s;
    return b;
}

void drawStats(Ctx& ctx, const Rect& card, const rpg::Stats& base, double top, const StatsBlock& b) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    if (!b.paired) {
        const double q = statColumn(card, s);
        for (int j = 0; j < 4; ++j) {
            const double cx = card.x + 8 * s + j * (q + 8 * s) + q / 2;
            drawTextTop(cr, cx, top, i18n::tr(rpg::statLabelKey(kShown[j])), b.label);
            drawTextTop(cr, cx, top + b.labelH + b.gap, num(rpg::statValue(base, kShown[j])), b.value);
        }
        return;
    }
    // A line's ascent is this share of its height (see ui/draw.cpp): a text
    // lowered by the share of a taller one's extra height stands on its baseline.
    constexpr double kAscentShare = 0.928 / 1.164;
    const double lineH = std::max(b.labelH, b.valueH);
    const double half = (card.w - 16 * s) / 2;
    TextStyle label = b.label, value = b.value;
    label.align = Align::Right;
    value.align = Align::Left;
    for (int j = 0; j < 4; ++j) {
        const double mid = card.x + 8 * s + (j % 2) * half + half / 2;
        const double y = top + (j / 2) * lineH;
        // Label and value meet at the middle of their half, on one baseline.
        drawText(cr, mid - 2 * s, y + (lineH - b.labelH) * kAscentShare, i18n::tr(rpg::statLabelKey(kShown[j])),
                 label);
        drawText(cr, mid + 2 * s, y + (lineH - b.valueH) * kAscentShare, num(rpg::statValue(base, kShown[j])),
                 value);
    }
}

// pick: the card's place in the pick order, none when not picked. The texts
// stand each below the last as tall as they come out; the portrait takes
// the room they leave, up to its full size.
void drawCard(Ctx& ctx, const Rect& card, rpg::ClassId cls, std::optional<int> pick) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const rpg::ClassDef& def = rpg::classDef(cls);
    // The muted brown of labels vanishes on the gold fill of a picked card.
    const uint32_t soft = pick ? kCreamText : kMutedText;
    pixelPanel(ctx, card, false);
    if (pick) {
        fillRect(cr, {card.x + 3 * s, card.y + 3 * s, card.w - 6 * s, card.h - 6 * s}, kDeepGold);
        strokeRoundedRect(cr, card, 0, 3 * s, kLightGold, pulseAlpha(ctx.now));
    }
    const double cx = card.x + card.w / 2;
    TextStyle name{.size = 16 * s, .bold = true, .color = kCreamText, .align = Align::Centre};
    name.fitWidth = card.w - 16 * s;
    name.upperCase = true;
    TextStyle role{.size = 11 * s, .color = soft, .align = Align::Centre};
    role.fitWidth = card.w - 16 * s;
    role.upperCase = true;
    role.letterSpacing = s;
    TextStyle blurb{.size = 10 * s, .color = soft, .align = Align::Centre};
    blurb.wrapWidth = card.w - 16 * s;
    const std::string nameText = i18n::tr(def.nameKey), roleText = i18n::tr(roleKey(def.role));
    const std::string blurbText = i18n::tr(def.blurbKey);
    double nameH = 0, roleH = 0, blurbH = 0;
    measureText(cr, nameText, name, nullptr, &nameH);
    measureText(cr, roleText, role, nullptr, &roleH);
    measureText(cr, blurbText, blurb, nullptr, &blurbH);
    const StatsBlock stats = statsBlock(ctx, card, soft);
    const double texts = nameH + 3 * s + roleH + 7 * s + stats.height() + 7 * s + blurbH;

    const double spriteTop = card.y + 16 * s;
    const double room = card.y + card.h - 8 * s - texts - 8 * s - spriteTop;
    const double z = std::max(0.0, std::min({144 * s, card.w - 24 * s, room}));
    const int frame = static_cast<int>(std::floor(2 * ctx.now + static_cast<int>(cls))) % 2;
    drawSpriteCairo(cr, def.id, card.x + (card.w - z) / 2, spriteTop, z, z, nullptr, frame, false, 1.0);

    const double nameTop = spriteTop + z + 8 * s;
    drawTextTop(cr, cx, nameTop, nameText, name);
    const double roleTop = nameTop + nameH + 3 * s;
    drawTextTop(cr, cx, roleTop, roleText, role);
    const double statsTop = roleTop + roleH + 7 * s;
    drawStats(ctx, card, def.base, statsTop, stats);
    drawTextTop(cr, card.x + 8 * s, statsTop + stats.height() + 7 * s, blurbText, blurb);

    if (pick) drawBadge(ctx, card, *pick + 1);
}

} // namespace

void HeroSelectScreen::update(Ctx& ctx) {
    // Input: the header's back button or Escape.
    sceneBackdrop(ctx, {.theme = kSceneDarkGold, .count = 10, .horizon = 0.5});
    bool back = false;
    const double header = gameHeader(ctx, i18n::tr("heroSelect.title"), &back, false);
    if (ctx.backAsked(back)) {
        Game::instance().pop();
        return;
    }
    const HeroSelectLayout layout = heroSelectLayout(ctx, header);

    // Draw: the hint, the cards (a click records the card) and the bar.
    const double s = ctx.uiScale;
    TextStyle hint{.size = 13 * s, .color = kMutedText, .align = Align::Centre};
    hint.fitWidth = ctx.width - 32 * s;
    drawTextTop(ctx.cr, ctx.width / 2, header + 6 * s, i18n::tr("heroSelect.hint", {{"n", num(kPicks)}}), hint);
    Ctx cardCtx = ctx;
    cardCtx.uiScale = layout.cardScale;
    std::optional<rpg::ClassId> clicked;
    // The last row of cards may reach under the bottom bar, which is
    // drawn over them: below its top edge the clicks belong to the bar.
    ctx.pushHitClip({0, 0, ctx.width, layout.bottomBar.y});
    for (int i = 0; i < rpg::kClassCount; ++i) {
        const auto cls = static_cast<rpg::ClassId>(i);
        drawCard(cardCtx, layout.cards[i], cls, pickIndex(cls));
        if (ctx.takeClick(layout.cards[i])) clicked = cls;
    }
    ctx.popHitClip();
    const bool start = bottomBar(ctx, layout.bottomBar);

    // Apply.
    if (clicked) toggle(*clicked);
    if (start) startGame();
}

std::optional<int> HeroSelectScreen::pickIndex(rpg::ClassId cls) const {
    const auto it = std::find(picks_.begin(), picks_.end(), cls);
    if (it == picks_.end()) return std::nullopt;
    return static_cast<int>(it - picks_.begin());
}

void HeroSelectScreen::toggle(rpg::ClassId cls) {
    audio::play(audio::Sfx::Click);
    const auto it = std::find(picks_.begin(), picks_.end(), cls);
    if (it != picks_.end()) picks_.erase(it);
    else if (static_cast<int>(picks_.size()) < kPicks) picks_.push_back(cls);
}

bool HeroSelectScreen::bottomBar(Ctx& ctx, const Rect& bar) const {
    const int missing = kPicks - static_cast<int>(picks_.size());
    if (missing <= 0) return menuButton(ctx, bar, i18n::tr("heroSelect.start"), true);
    // Opaque: the last row of cards may run beneath, and its texts
    // would show through the note.
    fillRect(ctx.cr, bar, kDarkerPanel, 1.0);
    drawTextIn(ctx.cr, bar, i18n::tr("heroSelect.pickMore", {{"n", num(missing)}}),
               TextStyle{.size = 16 * ctx.uiScale, .color = theme::kDimText, .align = Align::Centre});
    return false;
}

// A new roster and party of one level-1 hero per pick, in pick order;
// gold, stash and runes stay as they are. The city opens above a fresh
// menu.
void HeroSelectScreen::startGame() const {
    if (!answer(play::formFirstParty(picks_))) return;
    GameState menu;
    menu.screen = kMenu;
    Game::instance().resetTo(menu);
    GameState city;
    city.screen = kCity;
    Game::instance().push(city);
}

std::unique_ptr<Screen> makeHeroSelectScreen() { return std::make_unique<HeroSelectScreen>(); }

} // namespace ui
