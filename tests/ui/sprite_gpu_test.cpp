// Sprites drawn through the GPU layer on SDL's software renderer.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/gpu.h"
#include "ui/sprite.h"
#include "ui/sprites.h"

namespace {

constexpr int kW = 160;
constexpr int kH = 160;
constexpr uint32_t kBackground = 0xFF00FF;  // a colour no sprite uses

class SpriteGpu : public ::testing::Test {
protected:
    void SetUp() override {
        surface = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        renderer = SDL_CreateSoftwareRenderer(surface);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
        testing::internal::CaptureStderr();  // the software renderer's blend-mode note
        ui::gpuInit(renderer);
        testing::internal::GetCapturedStderr();
        ui::gpuSetScale(1);
        ui::gpuBeginFrame();
        clear();
    }
    void TearDown() override {
        ui::gpuShutdown();
        if (renderer) SDL_DestroyRenderer(renderer);
        if (surface) SDL_FreeSurface(surface);
    }

    void clear() {
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, kBackground >> 16, (kBackground >> 8) & 0xFF, kBackground & 0xFF, 255);
        SDL_RenderClear(renderer);
    }
    // The whole target as 0xRRGGBB, row-major.
    std::vector<uint32_t> target() {
        std::vector<uint32_t> px(size_t(kW) * kH);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(), kW * 4);
        for (auto& p : px) p &= 0xFFFFFF;
        return px;
    }

    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
};

const pixel::Sprite& ant() { return *pixel::find("ant"); }

// What a target pixel should show for a sprite pixel: its colour where
// opaque, the background where transparent (the ant has no part-alpha keys).
uint32_t expected(const std::vector<uint32_t>& sprite, int i) {
    return (sprite[i] >> 24) ? (sprite[i] & 0xFFFFFF) : kBackground;
}

TEST_F(SpriteGpu, PivotIsTheBottomCentre) {
    const auto want = pixel::buildArgb(ant(), 0, nullptr, false);
    // 64 x 64 (2x) with the bottom centre at (70, 90): target (38, 26, 64, 64).
    struct Case {
        const char* what;
        double angle;
        bool mirror;
        int x0, y0;  // top-left of the drawn square
        // sprite pixel shown at offset (dx, dy) from that corner, in 2x blocks
        int (*sx)(int dx, int dy);
        int (*sy)(int dx, int dy);
    };
    const Case cases[] = {
        {"plain", 0, false, 38, 26, [](int dx, int) { return dx / 2; }, [](int, int dy) { return dy / 2; }},
        {"mirrored", 0, true, 38, 26, [](int dx, int) { return 31 - dx / 2; }, [](int, int dy) { return dy / 2; }},
        // Half a turn about the bottom centre hangs the sprite below (70, 90).
        {"turned", 180, false, 38, 90, [](int dx, int) { return 31 - dx / 2; },
         [](int, int dy) { return 31 - dy / 2; }},
    };
    for (const auto& c : cases) {
        clear();
        ui::drawSpritePivot("ant", 70, 90, 64, 64, c.angle, c.mirror, 1.0, nullptr, 0, false);
        const auto got = target();
        int wrong = 0;
        for (int dy = 0; dy < 64; ++dy)
            for (int dx = 0; dx < 64; ++dx)
                wrong += got[(c.y0 + dy) * kW + c.x0 + dx] != expected(want, c.sy(dx, dy) * 32 + c.sx(dx, dy));
        EXPECT_EQ(wrong, 0) << c.what;
        // Nothing lands outside the square.
        int outside = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                bool inside = x >= c.x0 && x < c.x0 + 64 && y >= c.y0 && y < c.y0 + 64;
                outside += !inside && got[y * kW + x] != kBackground;
            }
        EXPECT_EQ(outside, 0) << c.what;
    }
}

TEST_F(SpriteGpu, DrawSpriteFillsItsRectangle) {
    const auto want = pixel::buildArgb(ant(), 0, nullptr, false);
    ui::drawSprite("ant", 10, 20, 96, 96, nullptr, 0, true, 1.0, false);
    const auto got = target();
    int wrong = 0;
    for (int dy = 0; dy < 96; ++dy)
        for (int dx = 0; dx < 96; ++dx)
            wrong += got[(20 + dy) * kW + 10 + dx] != expected(want, (dy / 3) * 32 + 31 - dx / 3);
    EXPECT_EQ(wrong, 0);
}

TEST_F(SpriteGpu, KeysNameEveryVariant) {
    ui::drawSpritePivot("ant", 50, 50, 32, 32, 0, false, 1, nullptr, 0, false);
    EXPECT_NE(ui::gpuCached("sp|ant||0|0", 32, 32), nullptr) << "cached at the sprite's own pixel size";

    ui::drawSpritePivot("ant", 50, 50, 32, 32, 0, false, 1, nullptr, 1, true);
    EXPECT_NE(ui::gpuCached("sp|ant||1|1", 32, 32), nullptr) << "silhouette of frame 1";

    const pixel::Recolor rc = ui::recolorOf(0x0A0B0C, 0xABCDEF, 0x000001, 0xFF0000);
    ui::drawSprite("ant", 0, 0, 32, 32, &rc, 0, false, 1, false);
    EXPECT_NE(ui::gpuCached("sp|ant|0a0b0cabcdef000001ff0000|0|0", 32, 32), nullptr) << "lower-case hex";

    const pixel::Recolor off = ui::recolorOf(0x0A0B0C, 0xABCDEF, 0x000001, 0xFF0000, false);
    ui::gpuDrop("sp|ant||0|0");
    ui::drawSprite("ant", 0, 0, 32, 32, &off, 0, false, 1, false);
    EXPECT_NE(ui::gpuCached("sp|ant||0|0", 32, 32), nullptr) << "an inactive recolouring is no recolouring";
}

TEST_F(SpriteGpu, SilhouetteIsWhiteWhereOpaque) {
    const auto want = pixel::buildArgb(ant(), 0, nullptr, false);
    ui::drawSprite("ant", 0, 0, 32, 32, nullptr, 0, false, 1.0, true);
    const auto got = target();
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            wrong += got[y * kW + x] != ((want[y * 32 + x] >> 24) ? 0xFFFFFFu : kBackground);
    EXPECT_EQ(wrong, 0);
}

TEST_F(SpriteGpu, UnknownNamesDrawTheSlime) {
    const pixel::Sprite& slime = *pixel::find("slime");
    ui::drawSpritePivot("Ant", 80, 80, slime.width, slime.height, 0, false, 1, nullptr, 0, false);
    EXPECT_NE(ui::gpuCached("sp|slime||0|0", slime.width, slime.height), nullptr);
    EXPECT_EQ(ui::gpuCached("sp|Ant||0|0", 32, 32), nullptr);
    const auto got = target();

    clear();
    ui::drawSpritePivot("slime", 80, 80, slime.width, slime.height, 0, false, 1, nullptr, 0, false);
    EXPECT_EQ(target(), got);
    EXPECT_EQ(ui::gpuDrawCalls(), 2);
}

TEST_F(SpriteGpu, SecondDrawReusesTheTexture) {
    ui::drawSprite("ant", 0, 0, 32, 32, nullptr, 0, false, 1, false);
    SDL_Texture* tex = ui::gpuCached("sp|ant||0|0", 32, 32);
    ASSERT_NE(tex, nullptr);
    // Overwrite the cached picture: a repaint would bring the ant back.
    std::vector<uint32_t> green(32 * 32, 0xFF00FF00u);
    ASSERT_EQ(SDL_UpdateTexture(tex, nullptr, green.data(), 32 * 4), 0);
    clear();
    ui::drawSprite("ant", 0, 0, 32, 32, nullptr, 0, false, 1, false);
    EXPECT_EQ(ui::gpuCached("sp|ant||0|0", 32, 32), tex);
    const auto got = target();
    EXPECT_EQ(got[0], 0x00FF00u);
    EXPECT_EQ(got[31 * kW + 31], 0x00FF00u);
}

TEST_F(SpriteGpu, EmptyRectanglesAndNoRendererDrawNothing) {
    ui::gpuBeginFrame();
    ui::drawSpritePivot("ant", 50, 50, 0, 32, 0, false, 1, nullptr, 0, false);
    ui::drawSpritePivot("ant", 50, 50, 32, -1, 0, false, 1, nullptr, 0, false);
    ui::drawSprite("ant", 50, 50, -4, 32, nullptr, 0, false, 1, false);
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
    EXPECT_EQ(ui::gpuCached("sp|ant||0|0", 32, 32), nullptr) << "nothing is uploaded either";

    ui::gpuShutdown();
    ui::drawSpritePivot("ant", 50, 50, 32, 32, 0, false, 1, nullptr, 0, false);
    EXPECT_EQ(ui::gpuDrawCalls(), 0);
    for (uint32_t p : target()) ASSERT_EQ(p, kBackground);
}

} // namespace
