// Hero selection: one card per class; the player picks three and starts a
// new game with one fresh hero of each.
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

constexpr int kPicks = 3;
constexpr double kCardHeight = 320;  // scaled
constexpr double kGap = 12;          // between cards, scaled
constexpr double kPulsePeriod = 1.8;  // s, one swell of the picked outline

const char* roleKey(rpg::ClassRole role) {
    switch (role) {
    case rpg::ClassRole::Tank: return "role.tank";
    case rpg::ClassRole::Damage: return "role.dps";
    default: return "role.support";
    }
}

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
    const double b = std::max(2 * s, 2.0);
    fillRect(cr, r, kGold);
    fillRect(cr, {r.x, r.y, r.w, b}, kLightGold);
    fillRect(cr, {r.x, r.y, b, r.h}, kLightGold);
    fillRect(cr, {r.x, r.y + r.h - b, r.w, b}, kDeepGold);
    fillRect(cr, {r.x + r.w - b, r.y, b, r.h}, kDeepGold);
    drawTextCentered(cr, r.x + r.w / 2, r.y + r.h / 2, std::to_string(number),
                     TextStyle{.size = 13 * s, .bold = true, .color = theme::kBadgeInk, .align = Align::Centre});
}

// Hit points, attack, magic and speed of the class at level 1, in four
// columns across the card, their labels' tops at top.
void drawStats(Ctx& ctx, const Rect& card, const rpg::Stats& base, double top, uint32_t labelColor) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    static constexpr rpg::StatId kShown[] = {rpg::MaxHp, rpg::Atk, rpg::Mag, rpg::Spd};
    const double q = (card.w - 16 * s - 3 * 8 * s) / 4;
    for (int j = 0; j < 4; ++j) {
        const double cx = card.x + 8 * s + j * (q + 8 * s) + q / 2;
        drawTextTop(cr, cx, top, i18n::tr(rpg::statLabelKey(kShown[j])),
                    TextStyle{.size = 9 * s, .color = labelColor, .align = Align::Centre});
        drawTextTop(cr, cx, top + 12 * s, num(rpg::statValue(base, kShown[j])),
                    TextStyle{.size = 13 * s, .bold = true, .color = kCreamText, .align = Align::Centre});
    }
}

// pick: the card's place in the pick order, -1 when not picked.
void drawCard(Ctx& ctx, const Rect& card, int cls, int pick) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const rpg::ClassDef& def = rpg::classDef(static_cast<rpg::ClassId>(cls));
    // The muted brown of labels vanishes on the gold fill of a picked card.
    const uint32_t soft = pick >= 0 ? kCreamText : kMutedText;
    pixelPanel(ctx, card, false);
    if (pick >= 0) {
        fillRect(cr, {card.x + 3 * s, card.y + 3 * s, card.w - 6 * s, card.h - 6 * s}, kDeepGold);
        strokeRoundedRect(cr, card, 0, 3 * s, kLightGold, pulseAlpha(ctx.now));
    }
    const double z = std::min(144 * s, card.w - 24 * s);
    const double spriteTop = card.y + 16 * s;
    const int frame = static_cast<int>(std::floor(2 * ctx.now + cls)) % 2;
    drawSpriteCairo(cr, def.id, card.x + (card.w - z) / 2, spriteTop, z, z, nullptr, frame, false, 1.0);

    const double cx = card.x + card.w / 2;
    const double nameTop = spriteTop + z + 8 * s;
    TextStyle name{.size = 16 * s, .bold = true, .color = kCreamText, .align = Align::Centre};
    name.fitWidth = card.w - 16 * s;
    name.upperCase = true;
    drawTextTop(cr, cx, nameTop, i18n::tr(def.nameKey), name);

    const double roleTop = nameTop + 22 * s;
    TextStyle role{.size = 11 * s, .color = soft, .align = Align::Centre};
    role.fitWidth = card.w - 16 * s;
    role.upperCase = true;
    role.letterSpacing = s;
    drawTextTop(cr, cx, roleTop, i18n::tr(roleKey(def.role)), role);

    const double labelTop = roleTop + 20 * s;
    drawStats(ctx, card, def.base, labelTop, soft);
    TextStyle blurb{.size = 10 * s, .color = soft, .align = Align::Centre};
    blurb.wrapWidth = card.w - 16 * s;
    drawTextTop(cr, card.x + 8 * s, labelTop + 34 * s, i18n::tr(def.blurbKey), blurb);

    if (pick >= 0) drawBadge(ctx, card, pick + 1);
}

class HeroSelectScreen final : public Screen {
public:
    void update(Ctx& ctx) override {
        sceneBackdrop(ctx, {.theme = kSceneDarkGold, .count = 10, .horizon = 0.5});
        bool back = false;
        const double header = gameHeader(ctx, i18n::tr("heroSelect.title"), &back, false);
        if (ctx.backAsked(back)) {
            Game::instance().pop();
            return;
        }
        const double s = ctx.uiScale;
        TextStyle hint{.size = 13 * s, .color = kMutedText, .align = Align::Centre};
        hint.fitWidth = ctx.width - 32 * s;
        drawTextTop(ctx.cr, ctx.width / 2, header + 6 * s, i18n::tr("heroSelect.hint", {{"n", num(kPicks)}}), hint);

        const HeroSelectLayout layout = heroSelectLayout(ctx, header);
        Ctx cardCtx = ctx;
        cardCtx.uiScale = layout.cardScale;
        // The last row of cards may reach under the bottom bar, which is
        // drawn over them: below its top edge the clicks belong to the bar.
        ctx.pushHitClip({0, 0, ctx.width, layout.bottomBar.y});
        for (int i = 0; i < rpg::kClassCount; ++i) {
            drawCard(cardCtx, layout.cards[i], i, pickIndex(i));
            if (ctx.takeClick(layout.cards[i])) toggle(i);
        }
        ctx.popHitClip();
        if (runBottomBar(ctx, layout.bottomBar)) startGame();
    }

private:
    int pickIndex(int cls) const {
        const auto it = std::find(picks_.begin(), picks_.end(), static_cast<rpg::ClassId>(cls));
        return it == picks_.end() ? -1 : static_cast<int>(it - picks_.begin());
    }

    void toggle(int cls) {
        audio::play(audio::Sfx::Click);
        const auto id = static_cast<rpg::ClassId>(cls);
        const auto it = std::find(picks_.begin(), picks_.end(), id);
        if (it != picks_.end()) picks_.erase(it);
        else if (static_cast<int>(picks_.size()) < kPicks) picks_.push_back(id);
    }

    // True when the start button was clicked.
    bool runBottomBar(Ctx& ctx, const Rect& bar) const {
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
    void startGame() const {
        if (!answer(play::formFirstParty(picks_))) return;
        GameState menu;
        menu.screen = kMenu;
        Game::instance().resetTo(menu);
        GameState city;
        city.screen = kCity;
        Game::instance().push(city);
    }

    std::vector<rpg::ClassId> picks_;  // in pick order, no repeats
};

} // namespace

namespace {

// The grid of cards at card scale c: its rows, columns and height.
struct Grid {
    double cw = 0, ch = 0, gap = 0, height = 0;
    int cols = 1;
};

Grid gridAt(double width, double s, double c) {
    Grid g;
    g.cw = std::min((width - 44 * s) / 2, 170 * c);
    g.ch = kCardHeight * c;
    g.gap = kGap * c;
    g.cols = std::max(1, static_cast<int>(std::floor((width - 32 * s + g.gap) / (g.cw + g.gap))));
    const int rows = (rpg::kClassCount + g.cols - 1) / g.cols;
    g.height = (rows - 1) * g.gap + rows * g.ch;
    return g;
}

} // namespace

HeroSelectLayout heroSelectLayout(const Ctx& ctx, double headerHeight) {
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double area = headerHeight + 28 * s;
    const double room = ctx.height - area - 80 * s;
    // At the usual window sizes two rows of full-size cards are taller than
    // the room above the start button, which would hide the last row's
    // texts behind it: the cards shrink (down to 80 %) until the grid fits.
    // Past that they keep that size and run off the bottom.
    double c = s;
    Grid g = gridAt(w, s, c);
    while (g.height > room && c > 0.8 * s + 1e-9) {
        c = std::max(0.8 * s, c - 0.01 * s);
        g = gridAt(w, s, c);
    }
    const double top = area + std::max(0.0, (room - g.height) / 2);

    HeroSelectLayout l;
    l.cardScale = c;
    for (int i = 0; i < rpg::kClassCount; ++i) {
        const int row = i / g.cols;
        const int inRow = std::min(g.cols, rpg::kClassCount - g.cols * row);
        const double left = w / 2 - ((inRow - 1) * g.gap + inRow * g.cw) / 2;
        l.cards.push_back({left + (i % g.cols) * (g.cw + g.gap), top + row * (g.ch + g.gap), g.cw, g.ch});
    }
    const double bw = std::min(420 * s, w - 32 * s);
    l.bottomBar = {w / 2 - bw / 2, ctx.height - 64 * s, bw, 48 * s};
    return l;
}

std::unique_ptr<Screen> makeHeroSelectScreen() { return std::make_unique<HeroSelectScreen>(); }

} // namespace ui
