// Status auras around a combatant.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "fx/fx.h"
#include "rules/skills.h"
#include "tests/fx/soft_gpu.h"
#include "tests/support/cairo_check.h"
#include "ui/draw.h"

namespace {

using fxtest::Rgb;
using fxtest::SoftGpu;
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

// A ring and two motes per side, all beneath the overlay.
TEST(StatusAura, DrawsARingAndTwoMotesPerSide) {
    struct Case {
        std::vector<Active> statuses;
        int shapes;
    };
    // At 0.252 s every mote is in flight (0.12, 0.32, 0.62 and 0.82 of it),
    // visible and clear of the rings.
    const Case cases[] = {
        {list({}), 0},        {list({kStun}), 0},        {list({kAtkUp}), 3},
        {list({kPoison}), 3}, {list({kStun, kBurn}), 3}, {list({kRegen, kDefDown}), 6},
    };
    SoftGpu gpu(640, 640);
    ASSERT_TRUE(gpu.ok());
    gpu.ctx.uiScale = 1;
    for (const Case& c : cases) {
        gpu.beginFrame(0.252);
        ui::drawStatusAura(gpu.ctx, c.statuses, 320, 400, 400);
        EXPECT_EQ(gpu.blobs([](Rgb p) { return p.r + p.g + p.b > 12; }), c.shapes) << "case " << (&c - cases);
        EXPECT_EQ(cairocheck::paintedPixels(gpu.overlay()), 0) << "case " << (&c - cases);
    }
}

// The ring's horizontal ink on the GPU layer along the row through its centre.
std::pair<int, int> ringSpan(SoftGpu& gpu, int row) {
    int left = -1, right = -1;
    for (int x = 0; x < gpu.pixelWidth(); ++x) {
        const Rgb c = gpu.pixel(x, row);
        if (c.r + c.g + c.b == 0) continue;
        if (left < 0) left = x;
        right = x;
    }
    return {left, right};
}

// Split for a unit: the rings before its sprite, the motes after it.
TEST(StatusAura, PartsSplitRingsFromMotes) {
    const auto statuses = list({kRegen, kDefDown});
    struct Case {
        ui::AuraPart part;
        bool rings, motes;
    };
    const Case cases[] = {{ui::AuraPart::Both, true, true},
                          {ui::AuraPart::Rings, true, false},
                          {ui::AuraPart::Motes, false, true}};
    SoftGpu gpu(640, 480);
    ASSERT_TRUE(gpu.ok());
    // A mote at 0.5 s: the good side's first, 0.55 size × 0.24 above the feet.
    const double size = 200, q = 0.5 / 2.1;
    const int moteX = static_cast<int>(320 + 0.16 * size * std::sin(2 * ui::kPi * q));
    const int moteY = static_cast<int>(400 - 0.55 * size * q);
    for (const Case& c : cases) {
        gpu.beginFrame(0.5);
        ui::drawStatusAura(gpu.ctx, statuses, 320, 400, size, c.part);
        const int i = static_cast<int>(&c - cases);
        const Rgb m = gpu.pixel(moteX, moteY);
        EXPECT_EQ(m.r + m.g + m.b > 0, c.motes) << "case " << i;
        EXPECT_EQ(ringSpan(gpu, 400).first >= 0, c.rings) << "case " << i;
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
    SoftGpu gpu(640, 480);
    ASSERT_TRUE(gpu.ok());
    gpu.ctx.uiScale = s;
    for (const Case& c : cases) {
        gpu.beginFrame(c.now);
        ui::drawStatusAura(gpu.ctx, list({c.status}), 320, 400, size);
        const auto [left, right] = ringSpan(gpu, 400);
        ASSERT_GE(left, 0) << "status " << c.status << " now " << c.now;
        EXPECT_NEAR(right - left + 1, 2 * (c.rx * size + 3.125 * s), 3) << "status " << c.status << " now " << c.now;
        EXPECT_NEAR((left + right + 1) / 2.0, 320, 1) << "centred";
    }
}

TEST(StatusAura, RingTakesTheGoodStatusColour) {
    struct Case {
        int status;
        uint32_t color;
    };
    SoftGpu gpu(640, 480);
    ASSERT_TRUE(gpu.ok());
    for (Case c : {Case{kAtkUp, 0xd8443a}, Case{kShield, 0x5fb6d8}, Case{kPoison, 0x8F3AA8}}) {
        gpu.beginFrame(0);
        ui::drawStatusAura(gpu.ctx, list({c.status}), 320, 400, 200);
        // The ring's left side, clear of the motes: over black, the colour's
        // channels in their proportions.
        const int left = ringSpan(gpu, 400).first;
        ASSERT_GE(left, 0);
        const Rgb p = gpu.pixel(left + 2, 400);
        const int got[] = {p.r, p.g, p.b};
        const int want[] = {static_cast<int>(c.color >> 16 & 0xFF), static_cast<int>(c.color >> 8 & 0xFF),
                            static_cast<int>(c.color & 0xFF)};
        const double gotMax = std::max({got[0], got[1], got[2]});
        const double wantMax = std::max({want[0], want[1], want[2]});
        ASSERT_GT(gotMax, 0);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(got[i] / gotMax, want[i] / wantMax, 0.12) << "status " << c.status << " channel " << i;
    }
}

}  // namespace
