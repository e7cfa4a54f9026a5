// Stand-in for the screens that are not built yet: shows the screen's name
// and goes back on Escape. Each real screen replaces its factory here.
#include <cairo.h>

#include <string>
#include <utility>

#include "ui/screens.h"

namespace ui {

namespace {

constexpr int kEscape = 27;

void setRgb(cairo_t* cr, unsigned rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                          alpha);
}

void drawCentred(cairo_t* cr, const char* text, double cx, double cy, double size) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
    cairo_show_text(cr, text);
}

class PlaceholderScreen final : public Screen {
public:
    explicit PlaceholderScreen(std::string name) : name_(std::move(name)) {}
    ~PlaceholderScreen() override = default;

    void update(Ctx& ctx) override {
        if (ctx.input.hasKey(kEscape)) Game::instance().pop();
        if (!ctx.cr) return;
        cairo_t* cr = ctx.cr;
        const double s = ctx.uiScale;
        cairo_save(cr);
        setRgb(cr, 0x1B1410, 1.0);
        cairo_rectangle(cr, 0, 0, ctx.width, ctx.height);
        cairo_fill(cr);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        setRgb(cr, 0xF4C95A, 1.0);
        drawCentred(cr, name_.c_str(), ctx.width / 2, ctx.height / 2, 34 * s);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        setRgb(cr, 0xA8987A, 1.0);
        drawCentred(cr, "Esc", ctx.width / 2, ctx.height / 2 + 44 * s, 16 * s);
        cairo_restore(cr);
    }

private:
    std::string name_;
};

std::unique_ptr<Screen> placeholder(const char* name) { return std::make_unique<PlaceholderScreen>(name); }

} // namespace

std::unique_ptr<Screen> makeSplashScreen() { return placeholder("Splash"); }
std::unique_ptr<Screen> makeMenuScreen() { return placeholder("Menu"); }
std::unique_ptr<Screen> makeHeroSelectScreen() { return placeholder("Hero selection"); }
std::unique_ptr<Screen> makeCityScreen() { return placeholder("City"); }
std::unique_ptr<Screen> makePartyScreen(const GameState&) { return placeholder("Party"); }
std::unique_ptr<Screen> makeKaserneScreen() { return placeholder("Barracks"); }

std::unique_ptr<Screen> makeShopScreen(const GameState& s) {
    static const char* const kKinds[] = {"Weaponsmith", "Armourer", "Apothecary", "Tavern", "Wandering merchant"};
    const bool known = s.subMode >= 0 && s.subMode < 5;
    return placeholder(known ? kKinds[s.subMode] : "Shop");
}

std::unique_ptr<Screen> makeScrollShopScreen(const GameState&) { return placeholder("Scroll shop"); }
std::unique_ptr<Screen> makeTrainerScreen() { return placeholder("Trainer"); }
std::unique_ptr<Screen> makeRuneTowerScreen() { return placeholder("Rune tower"); }
std::unique_ptr<Screen> makeMapScreen() { return placeholder("Run map"); }
std::unique_ptr<Screen> makeRewardScreen(const GameState&) { return placeholder("Reward"); }
std::unique_ptr<Screen> makeRestScreen(const GameState&) { return placeholder("Rest site"); }
std::unique_ptr<Screen> makeTreasureScreen(const GameState&) { return placeholder("Treasure"); }
std::unique_ptr<Screen> makeRunResultScreen(const GameState&) { return placeholder("Run result"); }

std::unique_ptr<Screen> makeMinigameScreen(const GameState& s) {
    switch (s.screen) {
    case kShell: return placeholder("Shell game");
    case kMemory: return placeholder("Memory game");
    case kWhack: return placeholder("Whack game");
    case kCoin: return placeholder("Coin game");
    default: return placeholder("Dice game");
    }
}

std::unique_ptr<Screen> makeSettingsScreen() { return placeholder("Settings"); }
std::unique_ptr<Screen> makeAboutScreen() { return placeholder("About"); }
std::unique_ptr<Screen> makeLicensesScreen() { return placeholder("Licences"); }

} // namespace ui
