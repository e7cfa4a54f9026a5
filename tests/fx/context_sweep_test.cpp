// Every effect of every kind, through its whole run, hands the cairo context
// back as it found it: a path left behind by one phase would join the frame's
// next fill, a transform left turned would tilt everything drawn after it.
// The phases switch parts on and off, so each effect is drawn at many moments.
#include <gtest/gtest.h>

#include <vector>

#include "fx/chest_fx.h"
#include "fx/fx.h"
#include "fx/icons.h"
#include "fx/levelup_fx.h"
#include "fx/win_fx.h"
#include "tests/fx/battle_fixture.h"
#include "tests/fx/canvas.h"

namespace {

using battlefx::kBlue;
using battlefx::kRed;

constexpr double kMoments[] = {0.04, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9, 0.98};

struct Active {
    rpg::StatusKind kind;
};

// Stage::draw checks the context after every call.
TEST(ContextSweep, BattleEffects) {
    battlefx::Stage st(1, 320, 320);
    const ui::Rect area{50, 150, 220, 120};
    std::vector<std::vector<Active>> statuses;
    for (int k = 0; k < rpg::kStatusCount; ++k) statuses.push_back({{static_cast<rpg::StatusKind>(k)}});
    statuses.push_back({{rpg::StatusKind::Regen}, {rpg::StatusKind::Poison}});
    for (double t : kMoments) {
        SCOPED_TRACE(t);
        for (int kind = 1; kind <= 6; ++kind)
            st.draw([&](ui::Ctx& c) { ui::drawSlash(c, rpg::SlashKind(kind), 160, 160, kRed, kBlue, 4, t); });
        for (int kind = 0; kind <= 8; ++kind)
            st.draw([&](ui::Ctx& c) { ui::drawAura(c, rpg::AuraKind(kind), 160, 220, kRed, kBlue, 4, t); });
        for (int form = 0; form <= 12; ++form)
            for (int trail = 0; trail <= 6; ++trail)
                for (bool lob : {false, true})
                    st.draw([&](ui::Ctx& c) {
                        ui::drawProjectile(c, rpg::FxForm(form), rpg::FxTrail(trail), 20, 200, 300, 200, kRed, kBlue,
                                           3, t, lob);
                    });
        st.draw([&](ui::Ctx& c) { ui::drawBurst(c, 160, 160, kRed, 10, 40, true, true, t); });
        st.draw([&](ui::Ctx& c) { ui::drawBurst(c, 160, 160, kRed, 0, 40, false, false, t); });
        st.draw([&](ui::Ctx& c) { ui::drawHealColumn(c, 160, 250, t); });
        st.draw([&](ui::Ctx& c) { ui::drawBuffLink(c, 20, 280, 300, 40, kRed, kBlue, t); });
        st.draw([&](ui::Ctx& c) { ui::drawBuffLink(c, 160, 160, 160, 160, kRed, kBlue, t); });
        st.draw([&](ui::Ctx& c) { ui::drawFlaskPour(c, 160, 280, kRed, kBlue, t); });
        for (int kind = 1; kind <= 9; ++kind)
            for (int variant = 0; variant <= 7; ++variant)
                st.draw([&](ui::Ctx& c) {
                    ui::drawAoE(c, rpg::AoEKind(kind), rpg::FxVariant(variant), area, kRed, kBlue, 3, t);
                });
        st.ctx().now = 4 * t;  // the status auras loop on the frame clock
        for (const auto& list : statuses)
            st.draw([&](ui::Ctx& c) { ui::drawStatusAura(c, list, 160, 250, 120); });
    }
}

// fxtest::Canvas::draw checks the context after every call.
TEST(ContextSweep, CelebrationsAndCityIcons) {
    fxtest::Canvas c(360, 360);
    for (double t : {0.0, 0.14, 0.4, 0.62, 0.67, 0.8, 0.95, 1.2, 1.44, 1.62, 2.5, 4.0}) {
        SCOPED_TRACE(t);
        for (bool quiet : {false, true})
            for (bool grand : {false, true})
                c.draw([&] { ui::drawChestFx(c.ctx, 180, 240, 1.0, true, t, kRed, quiet, grand); });
        c.ctx.now = t;
        c.draw([&] { ui::drawChestFx(c.ctx, 180, 240, 1.0, false, 0, kRed, false, false); });
        c.draw([&] { ui::drawLevelUpFx(c.ctx, "Level up!", 0.95 + t); });
        c.draw([&] { ui::drawXpGainBar(c.ctx, {10, 20, 240, 16}, 0.2, 0.85, kRed, t, 0); });
        c.draw([&] { ui::drawWinFx(c.ctx, 180, 220, t); });
    }
    for (int i = 0; i <= 8; ++i)
        for (double size : {40.0, 96.0})
            c.draw([&] { ui::drawCityIcon(c.ctx.cr, ui::CityIcon(i), 180, 180, size, kBlue); });
}

} // namespace
