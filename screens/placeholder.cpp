// Stand-in for the screens that are not built yet: shows the screen's name
// and goes back on Escape. Each real screen replaces its factory here.
#include <cairo.h>

#include <string>
#include <utility>

#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"

namespace ui {

namespace {

constexpr int kEscape = 27;

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
        setColor(cr, 0x1B1410);
        cairo_rectangle(cr, 0, 0, ctx.width, ctx.height);
        cairo_fill(cr);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        setColor(cr, theme::kLightGold);
        drawCentred(cr, name_.c_str(), ctx.width / 2, ctx.height / 2, 34 * s);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        setColor(cr, theme::kMutedText);
        drawCentred(cr, "Esc", ctx.width / 2, ctx.height / 2 + 44 * s, 16 * s);
        cairo_restore(cr);
    }

private:
    std::string name_;
};

std::unique_ptr<Screen> placeholder(const char* name) { return std::make_unique<PlaceholderScreen>(name); }

} // namespace

std::unique_ptr<Screen> makeKaserneScreen() { return placeholder("Barracks"); }

std::unique_ptr<Screen> makeScrollShopScreen(const GameState&) { return placeholder("Scroll shop"); }
std::unique_ptr<Screen> makeTrainerScreen() { return placeholder("Trainer"); }
std::unique_ptr<Screen> makeRuneTowerScreen() { return placeholder("Rune tower"); }

} // namespace ui
