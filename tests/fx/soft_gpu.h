#pragma once
// A GPU layer on SDL's software renderer drawing into a plain surface, so
// tests can read back what the blits produced, plus a cairo overlay of the
// same size for the effects that draw with cairo.
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "ui/app.h"
#include "ui/gpu.h"

namespace fxtest {

struct Rgb {
    int r, g, b;
};

class SoftGpu {
public:
    // A window of width by height logical units at the given pixel ratio.
    SoftGpu(double width, double height, double ratio = 1.0)
        : pw_(static_cast<int>(std::lround(width * ratio))), ph_(static_cast<int>(std::lround(height * ratio))) {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, pw_, ph_, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = SDL_CreateSoftwareRenderer(surface_);
        ui::gpuInit(renderer_);
        ui::gpuSetScale(ratio);
        // Like the frame loop's overlay: device pixels, drawn in logical units.
        overlay_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw_, ph_);
        cairo_surface_set_device_scale(overlay_, ratio, ratio);
        ctx.cr = cairo_create(overlay_);
        ctx.width = width;
        ctx.height = height;
        ctx.uiScale = ui::uiScaleFor(width, height);
    }
    ~SoftGpu() {
        ui::gpuShutdown();
        cairo_destroy(ctx.cr);
        cairo_surface_destroy(overlay_);
        SDL_DestroyRenderer(renderer_);
        SDL_FreeSurface(surface_);
    }
    SoftGpu(const SoftGpu&) = delete;
    SoftGpu& operator=(const SoftGpu&) = delete;

    bool ok() const { return surface_ && renderer_ && ui::gpuRenderer() == renderer_; }

    // Clears the picture to opaque black and the overlay to nothing, and
    // starts a frame at time now.
    void beginFrame(double now) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        cairo_save(ctx.cr);
        cairo_set_operator(ctx.cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(ctx.cr);
        cairo_restore(ctx.cr);
        ui::gpuBeginFrame();
        ctx.now = now;
    }

    Rgb pixel(int x, int y) const {
        const auto* row = static_cast<const std::uint8_t*>(surface_->pixels) + y * surface_->pitch;
        const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    // Mean of r + g + b over the whole picture.
    double brightness() const {
        double sum = 0;
        for (int y = 0; y < ph_; ++y)
            for (int x = 0; x < pw_; ++x) {
                const Rgb c = pixel(x, y);
                sum += c.r + c.g + c.b;
            }
        return sum / (static_cast<double>(pw_) * ph_);
    }

    // Separate shapes: groups of pixels that the predicate takes, each
    // within reach pixels (across and diagonally) of another of its group.
    template <class Pred>
    int blobs(Pred take, int reach = 1) const {
        std::vector<char> seen(static_cast<std::size_t>(pw_) * ph_, 0);
        std::vector<int> todo;
        int n = 0;
        for (int start = 0; start < pw_ * ph_; ++start) {
            if (seen[start] || !take(pixel(start % pw_, start / pw_))) continue;
            ++n;
            seen[start] = 1;
            todo.assign(1, start);
            while (!todo.empty()) {
                const int at = todo.back();
                todo.pop_back();
                for (int dy = -reach; dy <= reach; ++dy)
                    for (int dx = -reach; dx <= reach; ++dx) {
                        const int x = at % pw_ + dx, y = at / pw_ + dy;
                        if (x < 0 || y < 0 || x >= pw_ || y >= ph_ || seen[y * pw_ + x]) continue;
                        if (!take(pixel(x, y))) continue;
                        seen[y * pw_ + x] = 1;
                        todo.push_back(y * pw_ + x);
                    }
            }
        }
        return n;
    }

    SDL_Surface* surface() const { return surface_; }
    cairo_surface_t* overlay() const { return overlay_; }
    int pixelWidth() const { return pw_; }
    int pixelHeight() const { return ph_; }

    ui::Ctx ctx;

private:
    int pw_, ph_;
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    cairo_surface_t* overlay_ = nullptr;
};

} // namespace fxtest
