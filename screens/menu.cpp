// The main menu's frame: backdrop and storm, title, buttons, the new
// game's question, and what a click on them does.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "fx/scene.h"
#include "fx/storm.h"
#include "play/settings.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "platform/version.h"
#include "screens/menu.h"
#include "ui/draw.h"
#include "ui/beneath.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using namespace theme;

constexpr double kSwellPeriod = 3.2;  // s, one swell of title and glow

using MenuAction = MenuScreen::Action;

struct MenuEntry {
    const char* labelKey;
    bool onlyWithSave;
    bool primary;
    double sheenDelayMs;  // each plank keeps its own, so the sheen runs down the column
    MenuAction action;
};

constexpr MenuEntry kEntries[] = {
    {"menu.play", false, true, 0, MenuAction::Play},
    {"menu.newGame", true, false, 900, MenuAction::NewGame},
    {"settings.headline", false, false, 1800, MenuAction::Settings},
    {"about.headline", false, false, 2700, MenuAction::About},
    {"menu.quit", false, false, 3600, MenuAction::Leave},
};

bool hasSavedGame() {
    const store::Meta& m = store::meta();
    return m.initialized && !m.roster.empty();
}

// 0..1, one swell every kSwellPeriod seconds of absolute time.
double swell(double now) { return 0.5 - 0.5 * std::cos(kPi * now / (kSwellPeriod / 2)); }

void push(int screen) {
    GameState s;
    s.screen = screen;
    Game::instance().push(s);
}

struct Glow {
    double w, h, inner, outer;
};

void paintGlow(cairo_t* cr, void* user) {
    const Glow& g = *static_cast<const Glow*>(user);
    cairo_pattern_t* glow = cairo_pattern_create_radial(g.w / 2, g.h / 2, g.inner, g.w / 2, g.h / 2, g.outer);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.6, 0.23, 1.0);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.6, 0.23, 0);
    cairo_rectangle(cr, 0, 0, g.w, g.h);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// The title and its three shadows, centred on (ox, oy), at k times its size.
struct TitlePicture {
    const std::string* text;
    TextStyle style;
    TextStyle shadow;
    double s, k, ox, oy;
};

void paintTitle(cairo_t* cr, void* user) {
    const TitlePicture& p = *static_cast<const TitlePicture*>(user);
    cairo_translate(cr, p.ox, p.oy);
    cairo_scale(cr, p.k, p.k);
    for (int i = 1; i <= 3; ++i) drawTextCentered(cr, 0, 1.5 * p.s * i, *p.text, p.shadow);
    drawTextCentered(cr, 0, 0, *p.text, p.style);
}

} // namespace

void MenuScreen::update(Ctx& ctx) {
    drawBackdrop(ctx);
    if (storm_.bigCount != seenBigStrikes_) {
        seenBigStrikes_ = storm_.bigCount;
        titleFxStart_ = ctx.now;
    }
    const bool saved = hasSavedGame();
    const MenuLayout layout = menuLayout(ctx, saved);
    const double o = swell(ctx.now);
    // The glow before the title: both lie beneath the overlay, the title on top.
    drawGlow(ctx, layout, o);
    drawTitle(ctx, layout, o);
    drawBrandLine(ctx, layout);
    drawTagline(ctx, layout);
    const std::optional<Action> action = drawButtons(ctx, layout, saved);
    footer(ctx, ctx.height - 14 * ctx.uiScale);
    // The question opens in the frame of its button's click.
    if (action == Action::NewGame) confirmOpen_ = true;
    const DialogAnswer confirmation = confirmOpen_ ? drawConfirmation(ctx) : DialogAnswer::Open;
    apply(ctx, action, confirmation, saved);
}

void MenuScreen::drawBackdrop(Ctx& ctx) {
    const double s = ctx.uiScale;
    SceneOpts opts;
    opts.theme = kSceneDarkGold;
    opts.count = static_cast<int>(std::min<long>(std::lround(ctx.width / s / 42), 34));
    opts.horizon = 0.46;
    opts.embers = true;
    sceneBackdrop(ctx, opts);
    stormBackdrop(ctx, &storm_, 0.32 * ctx.height);
}

void MenuScreen::drawTitle(Ctx& ctx, const MenuLayout& l, double o) const {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const std::string title = i18n::tr("app.title");
    const TextStyle st{.family = kFontMono,
                       .size = std::round(l.titleSize),
                       .bold = true,
                       .color = kLightGold,
                       .align = Align::Centre,
                       .letterSpacing = 3 * s,
                       .upperCase = true};
    TextStyle shadow = st;
    shadow.color = kDeepGold;
    shadow.alpha = 0.5;
    double tw = 0;
    double th = 0;
    measureText(cr, title, st, &tw, &th);
    const double cy = l.top + 0.6 * l.titleSize - 3 * s * o;
    // Painted once a little above its middle size and scaled beneath the
    // overlay as it swells: redrawn on the overlay, every frame's scale left
    // its glyphs in cairo's cache (megabytes after a minute) and made the
    // overlay change each frame.
    constexpr double k = 1.02;
    const double pad = 4 * s;
    const double ox = (tw / 2 + pad) * k;
    const double oy = (th / 2 + pad) * k;
    const double g = gpuScale();
    const int pw = static_cast<int>(std::ceil(2 * ox * g));
    const int ph = static_cast<int>(std::ceil((th + 4.5 * s + 2 * pad) * k * g));
    TitlePicture picture{&title, st, shadow, s, k, ox, oy};
    const std::string key = "menutitle|" + title + "|" + std::to_string(st.size) + "|" + std::to_string(s);
    const double f = (1 + 0.04 * o) / k;
    beneath::draw(ctx, beneath::Picture(key, pw, ph, paintTitle, &picture),
                  {ctx.width / 2 - ox * f, cy - oy * f, pw / g * f, ph / g * f});
    electricTitle(ctx, {ctx.width / 2 - tw / 2, cy - th / 2, tw, th}, ctx.now - titleFxStart_);
    fillRect(cr, {ctx.width / 2 - 70 * s, l.accentY, 140 * s, 4 * s}, kDeepGold);
}

// "velmor'andine": the title word in lower case with a gold apostrophe
// after its sixth letter, centred as one line.
void MenuScreen::drawBrandLine(Ctx& ctx, const MenuLayout& l) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    std::string word = platform::kTitle;
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string head = word.substr(0, 6);
    const std::string tail = word.size() > 6 ? word.substr(6) : std::string();
    const TextStyle half{.family = kFontMono, .size = 14 * s, .color = kMutedText, .letterSpacing = 2 * s};
    const TextStyle mark{.family = kFontMono, .size = 16 * s, .bold = true, .color = kLightGold,
                         .letterSpacing = 2 * s};
    double headW = 0, markW = 0, tailW = 0;
    measureText(cr, head, half, &headW, nullptr);
    measureText(cr, "'", mark, &markW, nullptr);
    measureText(cr, tail, half, &tailW, nullptr);
    const double x = ctx.width / 2 - (headW + markW + tailW) / 2;
    drawText(cr, x, l.brandY, head, half);
    drawText(cr, x + headW, l.brandY - s, "'", mark);
    drawText(cr, x + headW + markW, l.brandY, tail, half);
}

void MenuScreen::drawTagline(Ctx& ctx, const MenuLayout& l) {
    const double s = ctx.uiScale;
    const double wrap = std::min(560 * s, ctx.width - 32 * s);
    const TextStyle st{.family = kFontMono,
                       .size = 13 * s,
                       .color = kMutedText,
                       .align = Align::Centre,
                       .letterSpacing = s,
                       .wrapWidth = wrap};
    drawTextTop(ctx.cr, ctx.width / 2 - wrap / 2, l.taglineY, i18n::tr("app.tagline"), st);
}

// A warm glow behind the buttons that breathes with the title: painted
// once, drawn beneath the overlay's texts.
void MenuScreen::drawGlow(Ctx& ctx, const MenuLayout& l, double o) {
    const double s = ctx.uiScale;
    const double bw = l.buttons.front().w;
    const double pad = 52 * s;
    const double cx = ctx.width / 2;
    const Glow g{bw + 4 * pad, l.blockHeight + 4 * pad, 0.2 * std::min(l.blockHeight + 2 * pad, bw + 2 * pad),
                 0.62 * std::max(l.blockHeight + 2 * pad, bw + 2 * pad)};
    char key[96];
    std::snprintf(key, sizeof key, "menuglow|%.3f|%.3f|%.3f|%.3f", g.w, g.h, g.inner, g.outer);
    beneath::still(ctx, key, {cx - g.w / 2, l.blockTop - 2 * pad, g.w, g.h}, paintGlow, const_cast<Glow*>(&g),
                   0.05 * (1 + o));
}

std::optional<MenuAction> MenuScreen::drawButtons(Ctx& ctx, const MenuLayout& l, bool saved) {
    std::optional<MenuAction> clicked;
    std::size_t slot = 0;
    for (const MenuEntry& e : kEntries) {
        if (e.onlyWithSave && !saved) continue;
        const Rect r = l.buttons[slot++];
        if (woodButton(ctx, r, i18n::tr(e.labelKey), e.primary, e.sheenDelayMs)) clicked = e.action;
    }
    return clicked;
}

DialogAnswer MenuScreen::drawConfirmation(Ctx& ctx) {
    return confirmDialog(ctx, i18n::tr("menu.newGameConfirmTitle"), i18n::tr("menu.newGameConfirmBody"),
                         i18n::tr("menu.newGame"), i18n::tr("common.cancel"));
}

void MenuScreen::apply(Ctx& ctx, std::optional<Action> action, DialogAnswer confirmation, bool saved) {
    if (action) {
        switch (*action) {
        case Action::Play: push(saved ? kCity : kHeroSelect); return;
        case Action::Settings: push(kSettings); return;
        case Action::About: push(kAbout); return;
        case Action::Leave: ctx.quit = true; break;
        case Action::NewGame: break;
        }
    }
    if (confirmation == DialogAnswer::Open) return;
    confirmOpen_ = false;
    if (confirmation == DialogAnswer::Confirmed) {
        play::resetProgress();
        push(kHeroSelect);
    }
}

std::unique_ptr<Screen> makeMenuScreen() { return std::make_unique<MenuScreen>(); }

} // namespace ui
