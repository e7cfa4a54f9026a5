// The main menu: the title under a thunderstorm and the wooden buttons that
// lead into the game. It stays the bottom of the stack for the whole run of
// the program.
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
#include "screens/menu_layout.h"
#include "ui/draw.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

using namespace theme;

constexpr double kButtonGap = 14;  // between the buttons, scaled
constexpr double kSwellPeriod = 3.2;  // s, one swell of title and glow

enum class MenuAction { Play, NewGame, Settings, About, Leave };

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

class MenuScreen final : public Screen {
public:
    void update(Ctx& ctx) override {
        drawBackdrop(ctx);
        if (storm_.bigCount != seenBigStrikes_) {
            seenBigStrikes_ = storm_.bigCount;
            titleFxStart_ = ctx.now;
        }
        const bool saved = hasSavedGame();
        const MenuLayout layout = menuLayout(ctx, saved);
        const double o = swell(ctx.now);
        drawTitle(ctx, layout, o);
        drawBrandLine(ctx, layout);
        drawTagline(ctx, layout);
        drawGlow(ctx, layout, o);
        if (runButtons(ctx, layout, saved)) return;
        footer(ctx, ctx.height - 14 * ctx.uiScale);
        if (confirmOpen_) runConfirmation(ctx);
    }

private:
    void drawBackdrop(Ctx& ctx) {
        const double s = ctx.uiScale;
        SceneOpts opts;
        opts.theme = kSceneDarkGold;
        opts.count = static_cast<int>(std::min<long>(std::lround(ctx.width / s / 42), 34));
        opts.horizon = 0.46;
        opts.embers = true;
        sceneBackdrop(ctx, opts);
        stormBackdrop(ctx, &storm_, 0.32 * ctx.height);
    }

    void drawTitle(Ctx& ctx, const MenuLayout& l, double o) const {
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
        const double cy = l.top + 0.6 * l.titleSize - 3 * s * o;
        {
            SavedState keep(cr);
            cairo_translate(cr, ctx.width / 2, cy);
            cairo_scale(cr, 1 + 0.04 * o, 1 + 0.04 * o);
            TextStyle shadow = st;
            shadow.color = kDeepGold;
            shadow.alpha = 0.5;
            for (int i = 1; i <= 3; ++i) drawTextCentered(cr, 0, 1.5 * s * i, title, shadow);
            drawTextCentered(cr, 0, 0, title, st);
        }
        double tw = 0;
        double th = 0;
        measureText(cr, title, st, &tw, &th);
        electricTitle(ctx, {ctx.width / 2 - tw / 2, cy - th / 2, tw, th}, ctx.now - titleFxStart_);
        fillRect(cr, {ctx.width / 2 - 70 * s, l.accentY, 140 * s, 4 * s}, kDeepGold);
    }

    // "velmor'andine": the title word in lower case with a gold apostrophe
    // after its sixth letter, centred as one line.
    static void drawBrandLine(Ctx& ctx, const MenuLayout& l) {
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

    static void drawTagline(Ctx& ctx, const MenuLayout& l) {
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

    struct Glow {
        double w, h, inner, outer;
    };

    static void paintGlow(cairo_t* cr, void* user) {
        const Glow& g = *static_cast<const Glow*>(user);
        cairo_pattern_t* glow = cairo_pattern_create_radial(g.w / 2, g.h / 2, g.inner, g.w / 2, g.h / 2, g.outer);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1.0, 0.6, 0.23, 1.0);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1.0, 0.6, 0.23, 0);
        cairo_rectangle(cr, 0, 0, g.w, g.h);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }

    // A warm glow behind the buttons that breathes with the title: painted
    // once, drawn on the GPU layer beneath the overlay's texts.
    static void drawGlow(Ctx& ctx, const MenuLayout& l, double o) {
        const double s = ctx.uiScale;
        const double bw = l.buttons.front().w;
        const double pad = 52 * s;
        const double cx = ctx.width / 2;
        const Glow g{bw + 4 * pad, l.blockHeight + 4 * pad, 0.2 * std::min(l.blockHeight + 2 * pad, bw + 2 * pad),
                     0.62 * std::max(l.blockHeight + 2 * pad, bw + 2 * pad)};
        char key[96];
        std::snprintf(key, sizeof key, "menuglow|%.3f|%.3f|%.3f|%.3f", g.w, g.h, g.inner, g.outer);
        gpuPicture(key, cx - g.w / 2, l.blockTop - 2 * pad, g.w, g.h, paintGlow, const_cast<Glow*>(&g),
                   0.05 * (1 + o));
    }

    // True when a button pushed another screen: this frame draws no more.
    bool runButtons(Ctx& ctx, const MenuLayout& l, bool saved) {
        std::size_t slot = 0;
        for (const MenuEntry& e : kEntries) {
            if (e.onlyWithSave && !saved) continue;
            const Rect r = l.buttons[slot++];
            if (!woodButton(ctx, r, i18n::tr(e.labelKey), e.primary, e.sheenDelayMs)) continue;
            switch (e.action) {
            case MenuAction::Play: push(saved ? kCity : kHeroSelect); return true;
            case MenuAction::Settings: push(kSettings); return true;
            case MenuAction::About: push(kAbout); return true;
            case MenuAction::NewGame: confirmOpen_ = true; break;
            case MenuAction::Leave: ctx.quit = true; break;
            }
        }
        return false;
    }

    void runConfirmation(Ctx& ctx) {
        const int answer = confirmDialog(ctx, i18n::tr("menu.newGameConfirmTitle"),
                                         i18n::tr("menu.newGameConfirmBody"), i18n::tr("menu.newGame"),
                                         i18n::tr("common.cancel"));
        if (answer == 0) return;
        confirmOpen_ = false;
        if (answer > 0) {
            play::resetProgress();
            push(kHeroSelect);
        }
    }

    bool confirmOpen_ = false;
    Storm storm_;
    int seenBigStrikes_ = 0;
    double titleFxStart_ = -100.0;  // context time of the last big strike
};

} // namespace

MenuLayout menuLayout(const Ctx& ctx, bool saved) {
    const double s = ctx.uiScale;
    const int count = saved ? 5 : 4;
    MenuLayout l;
    l.titleSize = std::min(std::floor((ctx.width - 40 * s) / 7), 60 * s);
    const double bw = std::min(360 * s, ctx.width - 32 * s);
    const double bh = woodButtonHeight(ctx);
    l.blockHeight = count * bh + (count - 1) * kButtonGap * s;
    l.top = std::max(20 * s, (ctx.height - (1.15 * l.titleSize + 110 * s + l.blockHeight)) / 2);
    l.accentY = l.top + 1.15 * l.titleSize + 14 * s;
    l.brandY = l.accentY + 18 * s;
    l.taglineY = l.brandY + 20 * s;
    l.blockTop = l.taglineY + 58 * s;
    for (int i = 0; i < count; ++i) {
        l.buttons.push_back({ctx.width / 2 - bw / 2, l.blockTop + i * (bh + kButtonGap * s), bw, bh});
    }
    return l;
}

std::unique_ptr<Screen> makeMenuScreen() { return std::make_unique<MenuScreen>(); }

} // namespace ui
