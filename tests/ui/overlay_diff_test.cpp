#include "ui/overlay_diff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using ui::PixelRect;

struct Image {
    int w, h, stride;
    std::vector<std::uint8_t> bytes;
    Image(int width, int height) : w(width), h(height), stride(width * 4 + 16), bytes(stride * height) {}
    void set(int x, int y, std::uint32_t v) {
        reinterpret_cast<std::uint32_t*>(bytes.data() + y * stride)[x] = v;
    }
};

std::vector<PixelRect> diff(const Image& a, const Image& b) {
    return ui::changedRects(a.bytes.data(), b.bytes.data(), a.w, a.h, a.stride);
}

// The rectangles cover every changed pixel, in whole tiles clipped to the
// image; bytes past a row's end (the stride's padding) never count.
TEST(OverlayDiff, CoversWhatChangedInWholeTiles) {
    constexpr int W = 200, H = 40;  // not a whole number of tiles either way
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> changed;
        std::vector<PixelRect> want;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"one pixel", {{70, 20}}, {{64, 16, 64, 16}}},
        {"the last pixel, in the clipped corner tile", {{199, 39}}, {{192, 32, 8, 8}}},
        {"two tiles side by side join", {{10, 3}, {70, 5}}, {{0, 0, 128, 16}}},
        {"tiles apart stay apart", {{10, 3}, {140, 5}}, {{0, 0, 64, 16}, {128, 0, 64, 16}}},
        {"the same span in bands below grows down", {{70, 1}, {100, 20}, {65, 39}}, {{64, 0, 64, 40}}},
        {"another span below starts anew", {{70, 1}, {10, 20}}, {{64, 0, 64, 16}, {0, 16, 64, 16}}},
    };
    for (const Case& c : cases) {
        Image before(W, H), now(W, H);
        for (auto [x, y] : c.changed) now.set(x, y, 0xFF102030);
        now.bytes[now.stride - 1] = 7;  // padding
        EXPECT_EQ(diff(now, before), c.want) << c.what;
    }
    Image before(W, H), now(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) now.set(x, y, 1);
    EXPECT_EQ(diff(now, before), (std::vector<PixelRect>{{0, 0, W, H}})) << "everything: one rectangle";
    EXPECT_TRUE(ui::changedRects(nullptr, before.bytes.data(), W, H, before.stride).empty());
}

} // namespace
