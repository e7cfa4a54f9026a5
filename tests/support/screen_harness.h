#pragma once
// The headless screen harness: runs widgets or whole screens frame by frame
// the way the frame loop does, without a window or a display.
//
// What it gives a test:
//   - a ui::Ctx drawing onto a cairo image surface (the overlay), and the GPU
//     layer running on SDL's software renderer over an SDL surface;
//   - a scripted clock: every frame advances it by a fixed step (1/60 s by
//     default; the context's dt is capped at 0.1 s as in the loop), and
//     wait() lets time pass between frames; skip() runs the screen through
//     a stretch of time in the longest frames the loop makes, for a test
//     that only waits for an animation or a timer to run out;
//   - scripted input: the pointer position and the left button persist from
//     frame to frame, while presses, releases, wheel steps and keys are queued
//     for the next frame only; they go through the loop's own event
//     translation (ui::applyEvent), so double clicks come out the same;
//   - a record of the sound effects played (the audio device runs on SDL's
//     dummy driver; sound switch and volume are honoured);
//   - stores of its own: each harness points the stores at a fresh, empty
//     directory under the test's temporary home (so every test starts from
//     the defaults), and reloadStores() reads them back from the files there
//     to check what a screen really saved;
//   - the screen stack: with a ui::Game the default frame updates it, and
//     top() reads its top entry.
//
// Harnesses may nest (the newest one is active); a test normally needs one.
//
// Widget test:
//   harness::ScreenHarness h;
//   bool clicked = false;
//   h.setBody([&](ui::Ctx& c) { clicked = ui::menuButton(c, r, "OK", false); });
//   h.click(r.x + 5, r.y + 5);            // a press frame, then a release frame
//   EXPECT_TRUE(clicked);
//   EXPECT_EQ(h.sounds(), std::vector{audio::Sfx::Click});
//
// Screen test (test_screens, which links the real screens):
//   harness::ScreenHarness h(&ui::Game::instance());
//   h.start(state);                         // resets the stack to that entry
//   h.key(SDLK_ESCAPE).frame();
//   EXPECT_EQ(h.top().screen, ui::kCity);
//
// What was saved:
//   store::meta().gold = 50;             // set up before the screen runs
//   ... frames in which the screen buys something and saves ...
//   h.reloadStores();                    // the state as the files hold it
//   EXPECT_EQ(store::meta().gold, 20);
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/storage.h"
#include "tests/ui/ui_fixture.h"
#include "ui/app.h"
#include "ui/audio.h"
#include "ui/entry.h"
#include "ui/gpu.h"

namespace harness {

class ScreenHarness {
public:
    using Body = std::function<void(ui::Ctx&)>;

    // game: the stack the default frame updates (null: only setBody frames).
    explicit ScreenHarness(ui::Game* game = nullptr, int width = 1280, int height = 720)
        : game_(game), dataDir_(makeDataDir()) {
        uitest::fontsReady();
        openAudio();
        sdlSurface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = sdlSurface_ ? SDL_CreateSoftwareRenderer(sdlSurface_) : nullptr;
        EXPECT_NE(renderer_, nullptr) << SDL_GetError();
        ui::gpuInit(renderer_);
        ui::gpuSetScale(1);
        overlay_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        ctx_.cr = cairo_create(overlay_);
        ctx_.width = width;
        ctx_.height = height;
        ctx_.uiScale = ui::uiScaleFor(width, height);
        freshStores();
    }
    ~ScreenHarness() {
        // An outer harness gets its sounds, clock and stores (as its files
        // hold them) back; after the last one the process's own are restored.
        active() = outer_;
        if (!outer_) {
            audio::setPlayObserver(nullptr);
            audio::setClock(nullptr);
        }
        store::reloadForTests(outer_ ? outer_->dataDir_ : "");
        ui::gpuShutdown();
        if (outer_) ui::gpuInit(outer_->renderer_);
        cairo_destroy(ctx_.cr);
        cairo_surface_destroy(overlay_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (sdlSurface_) SDL_FreeSurface(sdlSurface_);
    }
    ScreenHarness(const ScreenHarness&) = delete;
    ScreenHarness& operator=(const ScreenHarness&) = delete;

    // --- What a frame runs ---

    // Replaces the default frame (updating the game) by body.
    void setBody(Body body) { body_ = std::move(body); }
    // Overrides the scale the window size gives.
    void setUiScale(double s) { ctx_.uiScale = s; }

    // --- Clock ---

    double now() const { return now_; }
    void setFrameStep(double seconds) { step_ = seconds; }
    // Lets time pass before the next frame; the next frame's dt covers it
    // (capped at 0.1 s, as in the loop).
    void wait(double seconds) {
        now_ += seconds;
        pendingDt_ += seconds;
    }

    // --- Input for the next frame ---

    ScreenHarness& moveTo(double x, double y) {
        x_ = x;
        y_ = y;
        return *this;
    }
    ScreenHarness& press() {
        down_ = true;
        events_.push_back(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
        return *this;
    }
    ScreenHarness& release() {
        down_ = false;
        events_.push_back(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
        return *this;
    }
    ScreenHarness& rightClick() {
        events_.push_back(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
        return *this;
    }
    ScreenHarness& wheel(int steps) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = steps;
        events_.push_back(e);
        return *this;
    }
    ScreenHarness& key(int code) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = code;
        events_.push_back(e);
        return *this;
    }
    ScreenHarness& modifiers(bool ctrl, bool shift) {
        ctrl_ = ctrl;
        shift_ = shift;
        return *this;
    }

    // --- Frames ---

    // One frame of the loop: input, clock, cleared layers, body (or the
    // game's update), audio tick.
    ScreenHarness& frame() {
        ctx_.beginFrame();
        for (const SDL_Event& e : events_) ui::applyEvent(e, ctx_.input, now_, lastRelease_);
        events_.clear();
        feedPointer();
        ctx_.ctrl = ctrl_;
        ctx_.shift = shift_;
        ctx_.settleInput();
        ctx_.now = now_;
        ctx_.dt = std::min(pendingDt_, 0.1);
        clearLayers();
        ui::gpuBeginFrame();
        if (body_) body_(ctx_);
        else if (game_) game_->update(ctx_);
        audio::tick();
        now_ += step_;
        pendingDt_ = step_;
        ++frames_;
        return *this;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    // Frames until the clock has moved on by at least seconds.
    void runFor(double seconds) {
        const double end = now_ + seconds;
        while (now_ < end - 1e-9) frame();
    }
    // The same stretch in frames of 0.1 s, the longest the loop makes (as
    // on a slow machine), ending in frames of the fixed step so that the
    // last frame sees the moment runFor's last frame sees: several times
    // fewer frames where a test only waits. A test that looks at what
    // happens on the way (when a sound starts, how far a bar has moved)
    // steps with runFor or frame instead.
    void skip(double seconds) {
        const double end = now_ + seconds;
        const double step = step_;
        step_ = std::max(step, kLongestFrame);
        while (now_ + step_ < end - 1e-9) frame();
        step_ = step;
        while (now_ < end - 1e-9) frame();
    }
    // A press frame at (x, y), then a release frame: a click.
    void click(double x, double y) {
        moveTo(x, y).press().frame();
        release().frame();
    }
    // Press and release inside one frame, as a quick click arrives.
    void tap(double x, double y) { moveTo(x, y).press().release().frame(); }
    // Press at `from`, move to `to` in `steps` frames, release there.
    void drag(double fromX, double fromY, double toX, double toY, int steps) {
        moveTo(fromX, fromY).press().frame();
        for (int i = 1; i <= steps; ++i) {
            moveTo(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps).frame();
        }
        release().frame();
    }
    int frameCount() const { return frames_; }

    // --- Results ---

    ui::Ctx& ctx() { return ctx_; }
    cairo_surface_t* overlay() { return overlay_; }
    SDL_Renderer* renderer() { return renderer_; }
    // Sound effects played since the harness was made (or last cleared).
    const std::vector<audio::Sfx>& sounds() const { return sounds_; }
    void clearSounds() { sounds_.clear(); }
    // The overlay pixel at (x, y), premultiplied 0xAARRGGBB.
    std::uint32_t overlayPixel(int x, int y) {
        cairo_surface_flush(overlay_);
        const unsigned char* data = cairo_image_surface_get_data(overlay_);
        const unsigned char* row = data + y * cairo_image_surface_get_stride(overlay_);
        return reinterpret_cast<const std::uint32_t*>(row)[x];
    }
    // The GPU layer's pixel at (x, y), 0xRRGGBB.
    std::uint32_t gpuPixel(int x, int y) {
        std::uint32_t px = 0;
        SDL_Rect r{x, y, 1, 1};
        SDL_RenderReadPixels(renderer_, &r, SDL_PIXELFORMAT_ARGB8888, &px, 4);
        return px & 0xFFFFFF;
    }
    // Both layers as the player sees them (the overlay over the GPU layer),
    // written to a PNG; for looking at a failing frame.
    bool writePng(const std::string& path) {
        const int w = cairo_image_surface_get_width(overlay_);
        const int h = cairo_image_surface_get_height(overlay_);
        cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_surface_flush(out);
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, cairo_image_surface_get_data(out),
                             cairo_image_surface_get_stride(out));
        cairo_surface_mark_dirty(out);
        cairo_t* cr = cairo_create(out);
        cairo_set_source_surface(cr, overlay_, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(out);
        return ok;
    }

    // --- Screen stack ---

    void start(const ui::GameState& s) {
        if (game_) game_->resetTo(s);
    }
    const ui::GameState& top() const { return game_->top(); }
    ui::Game* game() const { return game_; }

    // --- Stores and their files ---

    // The directory the stores save into while this harness lives.
    const std::string& dataDir() const { return dataDir_; }
    std::string dataFile(const std::string& name) const { return dataDir_ + "/" + name; }
    bool hasDataFile(const std::string& name) const { return std::filesystem::exists(dataFile(name)); }
    // Removes every file the stores left there (the state in memory stays).
    void clearData() const {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(dataDir_, ec)) {
            std::filesystem::remove_all(entry.path(), ec);
        }
    }
    // Throws the store state away and reads it again from the files.
    void reloadStores() const { store::reloadForTests(dataDir_); }
    // No files and the default state, as on a first start.
    void freshStores() const {
        clearData();
        reloadStores();
    }

private:
    static ScreenHarness*& active() {
        static ScreenHarness* h = nullptr;
        return h;
    }
    static void recordSound(audio::Sfx fx) {
        if (active()) active()->sounds_.push_back(fx);
    }
    static std::uint32_t clockMs() {
        return active() ? static_cast<std::uint32_t>(std::llround(active()->now_ * 1000)) : 0;
    }

    // The device is opened once per process on the dummy driver and kept;
    // every harness starts with sound on at the default volumes.
    void openAudio() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        outer_ = active();
        active() = this;
        audio::setClock(&clockMs);
        audio::setPlayObserver(&recordSound);
        audio::init();
        audio::setEnabled(true);
        audio::setSfxVolume(0.2);
        audio::setMusicVolume(0.1);
    }

    static std::string makeDataDir() {
        static int made = 0;
        const std::string dir = testenv::root() + "/harness-data-" + std::to_string(++made);
        std::filesystem::create_directories(dir);
        return dir;
    }

    static constexpr double kLongestFrame = 0.1;  // the loop's cap on dt

    static SDL_Event buttonEvent(Uint32 type, Uint8 button) {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        return e;
    }

    void feedPointer() {
        ctx_.input.x = x_;
        ctx_.input.y = y_;
        // The pointer's first position is where it starts, not a motion.
        const bool first = std::isnan(lastX_);
        ctx_.input.dx = first ? 0 : x_ - lastX_;
        ctx_.input.dy = first ? 0 : y_ - lastY_;
        ctx_.input.leftDown = down_;
        lastX_ = x_;
        lastY_ = y_;
    }

    void clearLayers() {
        cairo_save(ctx_.cr);
        cairo_set_operator(ctx_.cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(ctx_.cr);
        cairo_restore(ctx_.cr);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }

    ui::Game* game_;
    ScreenHarness* outer_ = nullptr;  // the harness that was active before this one
    std::string dataDir_;
    Body body_;
    SDL_Surface* sdlSurface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    cairo_surface_t* overlay_ = nullptr;
    ui::Ctx ctx_;
    double now_ = 0;
    double step_ = 1.0 / 60;
    double pendingDt_ = 1.0 / 60;
    double lastRelease_ = -1e9;
    double x_ = -1, y_ = -1;
    double lastX_ = std::nan(""), lastY_ = std::nan("");
    bool down_ = false;
    bool ctrl_ = false, shift_ = false;
    std::vector<SDL_Event> events_;
    std::vector<audio::Sfx> sounds_;
    int frames_ = 0;
};

} // namespace harness
