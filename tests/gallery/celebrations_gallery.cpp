// Contact sheets of the celebration effects, the storm and the city icons.
// Each frame is drawn on its own canvas, so that a full-screen flash stays in
// its cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "fx/chest_fx.h"
#include "fx/icons.h"
#include "fx/levelup_fx.h"
#include "fx/storm.h"
#include "fx/win_fx.h"
#include "tests/fx/canvas.h"
#include "tests/gallery/gallery.h"
#include "ui/draw.h"
#include "ui/theme.h"

namespace {

using Painter = std::function<void(ui::Ctx&)>;

class Sheet {
public:
    Sheet(int cellW, int cellH, int cols, int rows) : sheet_(cols, rows, cellW, cellH), cellW_(cellW), cellH_(cellH) {}

    void add(const std::string& label, const Painter& paint, double now = 0, double scale = 1.0) {
        fxtest::Canvas c(cellW_, cellH_, scale);
        c.ctx.now = now;
        c.draw([&] { paint(c.ctx); });
        sheet_.add(label, c.surface());
    }

    void write(const std::string& name) { sheet_.write(name); }

private:
    gallery::Sheet sheet_;
    int cellW_, cellH_;
};

std::string fmt(const char* f, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

void chestSheet(bool grand, const std::string& name) {
    const double times[] = {-1, 0.14, 0.4, 0.62, 0.67, 0.8, 0.95, 1.2, 1.44, 1.62, 2.5, 4.0};
    Sheet sheet(320, 320, 6, 2);
    for (double t : times) {
        bool opening = t >= 0;
        sheet.add(opening ? fmt("t = %.2f s", t) : "idle, top of the bob",
                  [&](ui::Ctx& ctx) { ui::drawChestFx(ctx, 160, 220, 1.0, opening, t, 0xFFB13A, false, grand); },
                  opening ? 0 : 1.2);
    }
    sheet.write(name);
}

} // namespace

TEST(CelebrationGallery, Chest) {
    chestSheet(false, "chest-plain");
    chestSheet(true, "chest-grand");
    Sheet quiet(320, 320, 4, 1);
    for (double t : {0.3, 0.67, 1.0, 2.0})
        quiet.add(fmt("quiet, t = %.2f s", t),
                  [&](ui::Ctx& ctx) { ui::drawChestFx(ctx, 160, 220, 1.0, true, t, 0x9A7BFF, true, false); });
    quiet.write("chest-quiet");
}

TEST(CelebrationGallery, LevelUpAndXpBar) {
    Sheet sheet(400, 260, 4, 2);
    for (double u : {0.05, 0.13, 0.24, 0.39, 0.6, 1.2, 1.9, 2.6})
        sheet.add(fmt("%.2f s after the start", u),
                  [&](ui::Ctx& ctx) { ui::drawLevelUpFx(ctx, "Level up!", 0.95 + u); });
    sheet.write("levelup");

    Sheet bars(260, 50, 3, 4);
    const double ds[] = {-0.5, 0.0, 0.1, 0.2, 0.3, 0.55, 0.8, 1.1, 1.9, 2.5};
    for (double d : ds)
        bars.add(fmt("0.2 to 0.85, %.2f s", d),
                 [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 20, 240, 16}, 0.2, 0.85, theme::kGold, d, 0); });
    bars.add("0 to 1, scale 1.5, 3 s",
             [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 18, 240, 24}, 0.0, 1.0, 0x5FB6D8, 3, 0); }, 0, 1.5);
    bars.add("empty", [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 20, 240, 16}, 0.0, 0.0, theme::kGold, 3, 0); });
    bars.write("xp-bar");
}

TEST(CelebrationGallery, Victory) {
    Sheet sheet(360, 360, 4, 2);
    for (double t : {0.0, 0.25, 0.5, 0.8, 1.2, 1.8, 2.6, 5.0})
        sheet.add(fmt("t = %.2f s", t), [&](ui::Ctx& ctx) { ui::drawWinFx(ctx, 180, 220, t); });
    sheet.write("victory");
}

TEST(CelebrationGallery, StormAndTitle) {
    ui::seedStormForTests(0x5eed);
    Sheet sheet(640, 360, 3, 4);
    ui::Storm storm;
    storm.nextStrike = 0;
    // The first frame builds a strike; the later ones replay its flicker and
    // the title's flourish. Big strikes reach 0.32 of the height, as on the
    // menu.
    const double ms[] = {0, 10, 18, 35, 50, 72, 90, 110, 140, 173, 250, 450};
    for (double m : ms) {
        sheet.add(
            fmt("%.0f ms", m),
            [&](ui::Ctx& ctx) {
                ui::stormBackdrop(ctx, &storm, 0.32 * ctx.height);
                ui::TextStyle st;
                st.size = 40;
                st.bold = true;
                st.color = theme::kLightGold;
                st.align = 1;
                st.letterSpacing = 3;
                st.upperCase = true;
                ui::drawTextCentered(ctx.cr, ctx.width / 2, 90, "Velmorandine", st);
                cairo_new_path(ctx.cr);
                double tw = 0, th = 0;
                ui::measureText(ctx.cr, "Velmorandine", st, &tw, &th);
                ui::electricTitle(ctx, {ctx.width / 2 - tw / 2, 90 - th / 2, tw, th}, m / 1000.0);
            },
            3.0 + m / 1000.0);
    }
    sheet.write("storm");

    // Eight strikes in a row, each 25 ms after it was built.
    Sheet strikes(640, 360, 4, 2);
    ui::Storm st;
    for (int i = 0; i < 8; ++i) {
        double at = 10.0 * (i + 1);
        fxtest::Canvas scratch(640, 360);
        scratch.ctx.now = at;
        scratch.draw([&] { ui::stormBackdrop(scratch.ctx, &st, 0.32 * 360); });
        strikes.add(st.big ? "big strike, 25 ms" : "strike, 25 ms",
                    [&](ui::Ctx& ctx) { ui::stormBackdrop(ctx, &st, 0.32 * ctx.height); }, at + 0.025);
    }
    strikes.write("storm-strikes");
}

TEST(CelebrationGallery, CityIcons) {
    const uint32_t accents[] = {0xC2382F, 0x5FB6D8, 0x5A9C3A, 0xD8A23A, 0xF4C95A, 0xB5703A, 0x9A7BFF, 0x5AD7FF};
    Sheet sheet(128, 128, 8, 2);
    for (int i = 0; i < 8; ++i)
        sheet.add(std::to_string(i), [&](ui::Ctx& ctx) {
            ui::drawCityIcon(ctx.cr, ui::CityIcon(i), 60, 64, 96, accents[i]);
        });
    for (int i = 0; i < 8; ++i)
        sheet.add(std::to_string(i) + ", size 40", [&](ui::Ctx& ctx) {
            ui::drawCityIcon(ctx.cr, ui::CityIcon(i), 60, 64, 40, accents[i]);
        });
    sheet.write("city-icons");
}
