// Status auras around a combatant.
#include <gtest/gtest.h>

#include <vector>

#include "fx/fx.h"
#include "rules/skills.h"
#include "tests/fx/battle_fixture.h"

namespace {

using battlefx::Stage;
using rpg::StatusKind;

// Shaped like a combatant's active status: a kind and the rounds left.
struct Active {
    StatusKind kind;
    int rounds = 2;
};

std::vector<Active> list(std::initializer_list<int> kinds) {
    std::vector<Active> out;
    for (int k : kinds) out.push_back({static_cast<StatusKind>(k)});
    return out;
}

constexpr int kPoison = 0, kBurn = 1, kRegen = 2, kStun = 3, kAtkUp = 5, kDefUp = 6, kDefDown = 8, kShield = 9;

TEST(StatusAura, PicksTheFirstGoodAndAnyBadStatusButAStun) {
    struct Case {
        std::vector<Active> statuses;
        bool good;
        int goodKind;
        bool bad;
    };
    const Case cases[] = {
        {list({}), false, 0, false},
        {list({kStun}), false, 0, false},
        {list({kRegen}), true, kRegen, false},
        {list({kStun, kPoison}), false, 0, true},
        {list({kBurn, kDefUp, kAtkUp}), true, kDefUp, true},
        {list({kShield, kRegen, kDefDown}), true, kShield, true},
        {list({42, 200}), false, 0, false},  // kinds the game does not know
    };
    for (const Case& c : cases) {
        ui::StatusAuraPick pick;
        for (const Active& a : c.statuses) pick.add(a.kind);
        EXPECT_EQ(pick.hasGood(), c.good) << "case " << (&c - cases);
        EXPECT_EQ(pick.hasBad(), c.bad) << "case " << (&c - cases);
        if (c.good) {
            EXPECT_EQ(static_cast<int>(pick.good()), c.goodKind) << "case " << (&c - cases);
        }
    }
}

TEST(StatusAura, DrawsARingAndTwoMotesPerSide) {
    struct Case {
        std::vector<Active> statuses;
        int shapes;
    };
    // At 0.5 s every mote is mid-flight and visible.
    const Case cases[] = {
        {list({}), 0},        {list({kStun}), 0},        {list({kAtkUp}), 3},
        {list({kPoison}), 3}, {list({kStun, kBurn}), 3}, {list({kRegen, kDefDown}), 6},
    };
    for (const Case& c : cases) {
        const int n = battlefx::shapesPainted(1, [&](ui::Ctx& ctx) {
            ctx.now = 0.5;
            ui::drawStatusAura(ctx, c.statuses, 320, 400, 200);
        });
        EXPECT_EQ(n, c.shapes) << "case " << (&c - cases);
    }
}

TEST(StatusAura, RingsBreatheWithTheirOwnPeriods) {
    // Ink width: twice the ring's horizontal radius plus its side line,
    // 2 s × rx / ry = 6.25 s wide. Good ring: 0.36 size, up to 10 % wider at
    // the top of its 2.8 s wave; bad ring 0.88 of that on a 3.8 s wave.
    struct Case {
        int status;
        double now;
        double rx;  // in units of size
    };
    const double good = 0.36;
    const double bad = 0.88 * 0.36;
    const Case cases[] = {
        {kRegen, 0, good},          {kRegen, 1.4, good * 1.1}, {kRegen, 2.8, good},       {kRegen, 4.2, good * 1.1},
        {kRegen, 0.7, good * 1.05}, {kPoison, 0, bad},         {kPoison, 1.9, bad * 1.1}, {kPoison, 3.8, bad},
    };
    const double s = 1.5;
    const double size = 200;
    for (const Case& c : cases) {
        Stage st(s);
        st.draw([&](ui::Ctx& ctx) {
            ctx.now = c.now;
            ui::drawStatusAura(ctx, list({c.status}), 320, 400, size);
        });
        EXPECT_NEAR(st.ink().w, 2 * (c.rx * size + 3.125 * s), 2) << "status " << c.status << " now " << c.now;
    }
}

TEST(StatusAura, RingTakesTheGoodStatusColour) {
    struct Case {
        int status;
        uint32_t color;
    };
    for (Case c : {Case{kAtkUp, 0xd8443a}, Case{kShield, 0x5fb6d8}, Case{kPoison, 0x8F3AA8}}) {
        Stage st;
        st.draw([&](ui::Ctx& ctx) { ui::drawStatusAura(ctx, list({c.status}), 320, 400, 200); });
        // The ring's left side, clear of the motes.
        const ui::Rect ink = st.ink();
        const uint32_t p = st.canvas().pixel(static_cast<int>(ink.x + 2), 400);
        const int a = p >> 24;
        ASSERT_GT(a, 0);
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(((p >> shift) & 0xFF) * 255.0 / a, (c.color >> shift) & 0xFF, 4) << "status " << c.status;
    }
}

}  // namespace
