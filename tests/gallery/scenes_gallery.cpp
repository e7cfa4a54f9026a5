// Contact sheets of every backdrop (theme x daytime x weather) and of the
// campsite effects at pixel ratios 1 and 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "fx/rest_fx.h"
#include "fx/scene.h"
#include "tests/fx/soft_gpu.h"
#include "tests/gallery/gallery.h"
#include "ui/draw.h"

namespace {

using fxtest::SoftGpu;

const char* const kThemeNames[] = {"meadow", "forest", "cave", "lava", "village", "dark gold", "night blue"};
const char* const kDaytimeNames[] = {"day", "dusk", "night"};
const char* const kWeatherNames[] = {"clear", "clouds", "rain", "storm", "snow", "fog"};

constexpr int kTileW = 400;
constexpr int kTileH = 225;

// Where the gallery draws. An accelerated renderer on SDL's offscreen video
// driver blends premultiplied textures as the game does on a real display;
// without one the software renderer stands in (it blends plainly, so
// translucent blits come out darker than in the game).
class Canvas {
public:
    Canvas(double width, double height, double ratio)
        : pw_(static_cast<int>(std::lround(width * ratio))), ph_(static_cast<int>(std::lround(height * ratio))) {
        if (!SDL_getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            video_ = true;
            window_ = SDL_CreateWindow("gallery", 0, 0, pw_, ph_, SDL_WINDOW_HIDDEN);
            if (window_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        }
        if (renderer_) {
            int w = 0, h = 0;
            SDL_GetRendererOutputSize(renderer_, &w, &h);
            if (w != pw_ || h != ph_) {
                SDL_DestroyRenderer(renderer_);
                renderer_ = nullptr;
            }
        }
        if (renderer_) {
            ui::gpuInit(renderer_);
            ui::gpuSetScale(ratio);
            overlay_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw_, ph_);
            cairo_surface_set_device_scale(overlay_, ratio, ratio);
            cr_ = cairo_create(overlay_);
            ctx_ = &ctx;
            ctx.cr = cr_;
            ctx.width = width;
            ctx.height = height;
            ctx.uiScale = ui::uiScaleFor(width, height);
        } else {
            soft_ = std::make_unique<SoftGpu>(width, height, ratio);
            ctx_ = &soft_->ctx;
        }
    }
    ~Canvas() {
        soft_.reset();
        if (renderer_) {
            ui::gpuShutdown();
            cairo_destroy(cr_);
            cairo_surface_destroy(overlay_);
            SDL_DestroyRenderer(renderer_);
        }
        if (window_) SDL_DestroyWindow(window_);
        if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return soft_ ? soft_->ok() : ui::gpuRenderer() == renderer_; }
    bool accelerated() const { return !soft_; }
    ui::Ctx& context() { return *ctx_; }

    void beginFrame(double now) {
        if (soft_) return soft_->beginFrame(now);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        cairo_save(cr_);
        cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr_);
        cairo_restore(cr_);
        ui::gpuBeginFrame();
        ctx.now = now;
    }

    // The frame as the window would show it: GPU picture, overlay on top.
    cairo_surface_t* snapshot() {
        cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw_, ph_);
        cairo_surface_flush(out);
        if (soft_) {
            SDL_Surface* s = soft_->surface();
            for (int y = 0; y < ph_; ++y)
                std::memcpy(cairo_image_surface_get_data(out) + y * cairo_image_surface_get_stride(out),
                            static_cast<unsigned char*>(s->pixels) + y * s->pitch, pw_ * 4);
        } else {
            SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, cairo_image_surface_get_data(out),
                                 cairo_image_surface_get_stride(out));
        }
        cairo_surface_mark_dirty(out);
        cairo_surface_t* overlay = soft_ ? soft_->overlay() : overlay_;
        cairo_surface_flush(overlay);
        cairo_t* cr = cairo_create(out);
        // Opaque base: the read-back alpha is not meaningful.
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        double sx = 1, sy = 1;
        cairo_surface_get_device_scale(overlay, &sx, &sy);
        cairo_scale(cr, sx, sy);
        cairo_set_source_surface(cr, overlay, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        return out;
    }

    ui::Ctx ctx;

private:
    int pw_, ph_;
    bool video_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    cairo_surface_t* overlay_ = nullptr;
    cairo_t* cr_ = nullptr;
    ui::Ctx* ctx_ = nullptr;
    std::unique_ptr<SoftGpu> soft_;
};

TEST(SceneGallery, EveryThemeDaytimeAndWeather) {
    // At 11 s no storm flash is lit, so the storm tiles show rain and clouds.
    const double now = 11.0;
    Canvas canvas(1280, 720, 1.0);
    ASSERT_TRUE(canvas.ok());
    const std::string how = canvas.accelerated() ? "" : " (software)";
    for (int theme = 0; theme < 7; ++theme) {
        gallery::Sheet sheet(6, 3, kTileW, kTileH);
        for (int day = 0; day < 3; ++day) {
            for (int weather = 0; weather < 6; ++weather) {
                canvas.beginFrame(now);
                ui::SceneOpts o;
                o.theme = theme;
                o.count = 14;
                o.horizon = 0.55;
                o.weather = weather;
                o.daytime = day;
                ui::sceneBackdrop(canvas.context(), o);
                cairo_surface_t* img = canvas.snapshot();
                const std::string label =
                    std::string(kThemeNames[theme]) + " / " + kDaytimeNames[day] + " / " + kWeatherNames[weather];
                sheet.add(label + how, img);
                cairo_surface_destroy(img);
            }
        }
        sheet.write("scene-" + std::to_string(theme));
    }
}

// The campsite as its screen lays it out: night-blue backdrop, crystal rain,
// campfire in the left margin and fountain in the right one.
cairo_surface_t* campsite(double ratio, double now, std::string* how) {
    const double w = 1280, h = 720;
    Canvas canvas(w, h, ratio);
    EXPECT_TRUE(canvas.ok());
    *how = canvas.accelerated() ? "" : " (software)";
    canvas.beginFrame(now);
    ui::Ctx& ctx = canvas.context();
    ui::SceneOpts o;
    o.theme = ui::kSceneNightBlue;
    o.count = 26;
    o.horizon = 0.52;
    ui::sceneBackdrop(ctx, o);
    ui::drawCrystalRain(ctx);
    const double s = ctx.uiScale;
    const double cw = std::min(w - 40 * s, 470 * s);
    const double m = (w - cw) / 2;
    const double d = std::min(0.34 * h, 112 * s);
    ui::drawCampfire(ctx, m / 2 - d / 2, h / 2 - d / 2, d);
    ui::drawFountain(ctx, w - m / 2 - d / 2, h / 2 - d / 2, d);
    return canvas.snapshot();
}

// The campfire and fountain alone at the size the campsite gives them.
cairo_surface_t* closeUp(double ratio, double now) {
    Canvas canvas(250, 140, ratio);
    EXPECT_TRUE(canvas.ok());
    canvas.beginFrame(now);
    ui::Ctx& ctx = canvas.context();
    ui::fillRect(ctx.cr, {0, 0, 250, 140}, 0x141C2C);
    ui::drawCampfire(ctx, 8, 14, 112);
    ui::drawFountain(ctx, 130, 14, 112);
    return canvas.snapshot();
}

// A part of a frame at its own pixel size, to show the detail of a ratio.
cairo_surface_t* crop(cairo_surface_t* img, int x, int y) {
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTileW, kTileH);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, img, -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
}

TEST(SceneGallery, RestEffectsAtBothPixelRatios) {
    gallery::Sheet sheet(4, 3, kTileW, kTileH);
    const double times[] = {0.3, 2.75, 9.1};
    for (int i = 0; i < 3; ++i) {
        const std::string at = " t " + std::to_string(times[i]).substr(0, 4);
        for (int r = 0; r < 2; ++r) {
            std::string how;
            cairo_surface_t* img = campsite(r + 1.0, times[i], &how);
            sheet.add("campsite ratio " + std::to_string(r + 1) + at + how, img);
            if (r == 1) {
                // Around the campfire at full pixel size.
                cairo_surface_t* part = crop(img, 190, 600);
                sheet.add("ratio 2, pixels 1:1" + at, part);
                cairo_surface_destroy(part);
            }
            cairo_surface_destroy(img);
        }
        const double ratio = i == 0 ? 1.0 : 2.0;
        cairo_surface_t* img = closeUp(ratio, times[i]);
        sheet.add("fire and fountain" + at + (i == 0 ? " ratio 1" : " ratio 2"), img);
        cairo_surface_destroy(img);
    }
    sheet.write("rest");
}

} // namespace
