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

std::vector<PixelRect> seen(ui::TileHashes& hashes, const Image& a) {
    return hashes.changedRects(a.bytes.data(), a.w, a.h, a.stride);
}

// What changed between the image seen before and this one, from a fresh
// memory of the first.
std::vector<PixelRect> diff(const Image& now, const Image& before) {
    ui::TileHashes hashes;
    seen(hashes, before);
    return seen(hashes, now);
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
    ui::TileHashes hashes;
    EXPECT_TRUE(hashes.changedRects(nullptr, W, H, before.stride).empty());
}

// Only hashes of the frame before are kept, so changes that keep a tile's
// pixels as a multiset (a pixel moved, two swapped, a run shifted by one,
// a step up and down that cancel in a sum) must still change its hash.
TEST(OverlayDiff, HashesSeeChangesThatKeepTheSamePixels) {
    constexpr int W = 64, H = 16;  // one tile
    Image base(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) base.set(x, y, 0xFF000000u | static_cast<std::uint32_t>(x * 3 + y * 7));
    auto changed = [&](auto edit) {
        Image now = base;
        edit(now);
        return diff(now, base) == std::vector<PixelRect>{{0, 0, W, H}};
    };
    auto at = [](const Image& i, int x, int y) {
        return reinterpret_cast<const std::uint32_t*>(i.bytes.data() + y * i.stride)[x];
    };
    EXPECT_TRUE(changed([&](Image& i) {
        i.set(3, 2, at(base, 4, 2));
        i.set(4, 2, at(base, 3, 2));
    })) << "two neighbours swapped";
    EXPECT_TRUE(changed([&](Image& i) {
        i.set(5, 0, at(base, 5, 9));
        i.set(5, 9, at(base, 5, 0));
    })) << "two rows' pixels swapped";
    EXPECT_TRUE(changed([&](Image& i) {
        for (int x = 1; x < W; ++x) i.set(x, 7, at(base, x - 1, 7));
    })) << "a row shifted right by one";
    EXPECT_TRUE(changed([&](Image& i) {
        i.set(10, 3, at(base, 10, 3) + 1);
        i.set(11, 3, at(base, 11, 3) - 2);
        i.set(12, 3, at(base, 12, 3) + 1);
    })) << "steps that cancel in a sum and in a weighted sum";
    EXPECT_TRUE(changed([&](Image& i) { i.set(63, 15, 0); })) << "the tile's last pixel";
}

// A frame is compared with the one seen just before it, whatever came
// earlier; a new size or a reset reports the whole image once.
TEST(OverlayDiff, RemembersTheLastImageSeen) {
    constexpr int W = 130, H = 20;
    Image a(W, H), b(W, H);
    b.set(100, 18, 0xFFFFFFFF);
    const std::vector<PixelRect> whole{{0, 0, W, H}};
    const std::vector<PixelRect> tile{{64, 16, 64, 4}};
    ui::TileHashes hashes;
    EXPECT_EQ(seen(hashes, a), whole) << "first image";
    EXPECT_TRUE(seen(hashes, a).empty()) << "the same again";
    EXPECT_EQ(seen(hashes, b), tile);
    EXPECT_EQ(seen(hashes, a), tile) << "and back";
    EXPECT_TRUE(seen(hashes, a).empty());
    hashes.reset();
    EXPECT_EQ(seen(hashes, a), whole) << "after a reset";
    Image smaller(W - 10, H);
    EXPECT_EQ(seen(hashes, smaller), (std::vector<PixelRect>{{0, 0, W - 10, H}})) << "another size";
}

} // namespace
