// Contact sheets of the celebration effects, the storm and the city icons.
// Each frame is drawn on its own canvas, so that a full-screen flash stays in
// its cell.
#include <gtest/gtest.h>

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

using gallery::fmt;

void chestSheet(bool grand, const std::string& name) {
    const double times[] = {-1, 0.14, 0.4, 0.62, 0.67, 0.8, 0.95, 1.2, 1.44, 1.62, 2.5, 4.0};
    gallery::Sheet sheet(6, 2, 320, 320);
    for (double t : times) {
        bool opening = t >= 0;
        sheet.draw(opening ? fmt("t = %.2f s", t) : "idle, top of the bob",
                  [&](ui::Ctx& ctx) { ui::drawChestFx(ctx, 160, 220, 1.0, opening, t, 0xFFB13A, false, grand); },
                  opening ? 0 : 1.2);
    }
    sheet.write(name);
}

} // namespace

TEST(CelebrationGallery, Chest) {
    chestSheet(false, "chest-plain");
    chestSheet(true, "chest-grand");
    gallery::Sheet quiet(4, 1, 320, 320);
    for (double t : {0.3, 0.67, 1.0, 2.0})
        quiet.draw(fmt("quiet, t = %.2f s", t),
                  [&](ui::Ctx& ctx) { ui::drawChestFx(ctx, 160, 220, 1.0, true, t, 0x9A7BFF, true, false); });
    quiet.write("chest-quiet");
}

TEST(CelebrationGallery, LevelUpAndXpBar) {
    gallery::Sheet sheet(4, 2, 400, 260);
    for (double u : {0.05, 0.13, 0.24, 0.39, 0.6, 1.2, 1.9, 2.6})
        sheet.draw(fmt("%.2f s after the start", u),
                  [&](ui::Ctx& ctx) { ui::drawLevelUpFx(ctx, "Level up!", 0.95 + u); });
    sheet.write("levelup");

    gallery::Sheet bars(3, 4, 260, 50);
    const double ds[] = {-0.5, 0.0, 0.1, 0.2, 0.3, 0.55, 0.8, 1.1, 1.9, 2.5};
    for (double d : ds)
        bars.draw(fmt("0.2 to 0.85, %.2f s", d),
                 [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 20, 240, 16}, 0.2, 0.85, theme::kGold, d, 0); });
    bars.draw("0 to 1, scale 1.5, 3 s",
             [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 18, 240, 24}, 0.0, 1.0, 0x5FB6D8, 3, 0); }, 0, 1.5);
    bars.draw("empty", [&](ui::Ctx& ctx) { ui::drawXpGainBar(ctx, {10, 20, 240, 16}, 0.0, 0.0, theme::kGold, 3, 0); });
    bars.write("xp-bar");
}

TEST(CelebrationGallery, Victory) {
    gallery::Sheet sheet(4, 2, 360, 360);
    for (double t : {0.0, 0.25, 0.5, 0.8, 1.2, 1.8, 2.6, 5.0})
        sheet.draw(fmt("t = %.2f s", t), [&](ui::Ctx& ctx) { ui::drawWinFx(ctx, 180, 220, t); });
    sheet.write("victory");
}

TEST(CelebrationGallery, StormAndTitle) {
    ui::seedStormForTests(0x5eed);
    gallery::Sheet sheet(3, 4, 640, 360);
    ui::Storm storm;
    storm.nextStrike = 0;
    // The first frame builds a strike; the later ones replay its flicker and
    // the title's flourish. Big strikes reach 0.32 of the height, as on the
    // menu.
    const double ms[] = {0, 10, 18, 35, 50, 72, 90, 110, 140, 173, 250, 450};
    for (double m : ms) {
        sheet.draw(
            fmt("%.0f ms", m),
            [&](ui::Ctx& ctx) {
                ui::stormBackdrop(ctx, &storm, 0.32 * ctx.height);
                ui::TextStyle st;
                st.size = 40;
                st.bold = true;
                st.color = theme::kLightGold;
                st.align = ui::Align::Centre;
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
    gallery::Sheet strikes(4, 2, 640, 360);
    ui::Storm st;
    for (int i = 0; i < 8; ++i) {
        double at = 10.0 * (i + 1);
        fxtest::Canvas scratch(640, 360);
        scratch.ctx.now = at;
        scratch.draw([&] { ui::stormBackdrop(scratch.ctx, &st, 0.32 * 360); });
        strikes.draw(st.big ? "big strike, 25 ms" : "strike, 25 ms",
                    [&](ui::Ctx& ctx) { ui::stormBackdrop(ctx, &st, 0.32 * ctx.height); }, at + 0.025);
    }
    strikes.write("storm-strikes");
}

TEST(CelebrationGallery, CityIcons) {
    const uint32_t accents[] = {0xC2382F, 0x5FB6D8, 0x5A9C3A, 0xD8A23A, 0xF4C95A, 0xB5703A, 0x9A7BFF, 0x5AD7FF};
    gallery::Sheet sheet(8, 2, 128, 128);
    for (int i = 0; i < 8; ++i)
        sheet.draw(std::to_string(i), [&](ui::Ctx& ctx) {
            ui::drawCityIcon(ctx.cr, ui::CityIcon(i), 60, 64, 96, accents[i]);
        });
    for (int i = 0; i < 8; ++i)
        sheet.draw(std::to_string(i) + ", size 40", [&](ui::Ctx& ctx) {
            ui::drawCityIcon(ctx.cr, ui::CityIcon(i), 60, 64, 40, accents[i]);
        });
    sheet.write("city-icons");
}
