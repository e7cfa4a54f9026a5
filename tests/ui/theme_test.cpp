#include "ui/theme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

struct ColourCase {
    const char* what;
    uint32_t got;
    uint32_t want;
};

TEST(Theme, ChannelHelpersRoundHalvesUpAndHoldT) {
    const ColourCase cases[] = {
        {"lighten black half: 127.5 rounds up", theme::lighten(0x000000, 0.5), 0x808080},
        {"darken white past 1 is black", theme::darken(0xFFFFFF, 1.5), 0x000000},
        {"darken below 0 keeps the colour", theme::darken(0x3A2A1C, -0.4), 0x3A2A1C},
        {"lighten per channel", theme::lighten(0x204060, 0.25), 0x587088},
        {"darken per channel", theme::darken(0xF4C95A, 0.5), 0x7A652D},
        {"mix at 0 is a", theme::mix(0x123456, 0xABCDEF, 0.0), 0x123456},
        {"mix at 1 is b", theme::mix(0x123456, 0xABCDEF, 1.0), 0xABCDEF},
        {"mix held above 1", theme::mix(0x123456, 0xABCDEF, 3.0), 0xABCDEF},
        {"mix halfway, each channel on its own", theme::mix(0xFF0000, 0x00FF80, 0.5), 0x808040},
        {"top byte ignored", theme::lighten(0xFF000000, 0.0), 0x000000},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(Theme, LuminanceWeightsGreenMost) {
    EXPECT_DOUBLE_EQ(theme::luminance(0xFFFFFF), 1.0);
    EXPECT_DOUBLE_EQ(theme::luminance(0x000000), 0.0);
    EXPECT_DOUBLE_EQ(theme::luminance(0x00FF00), 0.7152);
    EXPECT_GT(theme::luminance(0x00FF00), theme::luminance(0xFF0000));
}

TEST(Theme, ContrastRatioOverLinearLight) {
    EXPECT_DOUBLE_EQ(theme::contrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(theme::contrastRatio(0xFFFFFF, 0x000000), 21.0) << "either order";
    EXPECT_DOUBLE_EQ(theme::contrastRatio(0x3A72B2, 0x3A72B2), 1.0);
    // Mid grey on white sits just under the 4.5 that body text wants (without
    // undoing the gamma it would come out near 2).
    EXPECT_NEAR(theme::contrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01);
}

// A colour that already reads stays; one that does not moves just far
// enough, away from the ground's side, keeping its hue's order of channels.
TEST(Theme, ReadableOnLiftsOnlyWhatDoesNotRead) {
    EXPECT_EQ(theme::readableOn(theme::kLightGold, theme::kDarkPanel), theme::kLightGold);
    struct Case {
        std::uint32_t color, ground;
        bool lighter;
    };
    for (const Case& c : {Case{0xC2382F, theme::kDarkPanel, true}, Case{0x3A72B2, theme::kDarkPanel, true},
                          Case{theme::kLightGold, theme::kParchment, false}}) {
        const std::uint32_t got = theme::readableOn(c.color, c.ground);
        EXPECT_GE(theme::contrastRatio(got, c.ground), 3.2) << std::hex << c.color;
        EXPECT_LT(theme::contrastRatio(got, c.ground), 3.2 * 1.25) << "no further than needed";
        EXPECT_EQ(theme::luminance(got) > theme::luminance(c.color), c.lighter);
        const auto channels = [](std::uint32_t v) {
            return std::array<int, 3>{int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)};
        };
        const auto a = channels(c.color), b = channels(got);
        EXPECT_EQ(std::max_element(a.begin(), a.end()) - a.begin(), std::max_element(b.begin(), b.end()) - b.begin());
    }
}

} // namespace
