#pragma once
// The program's window and one frame of its loop: window and renderer, the
// full-window overlay laid over the GPU drawing, a frame (events, pointer,
// the stack's update, audio, upload, present), the statistics line and the
// shut-down. The program runs frames until one asks to end; tools that
// picture or time the real screens drive the very same frames one by one.
#include <SDL.h>
#include <cairo.h>

#include <functional>

#include "ui/app.h"
#include "ui/entry.h"
#include "ui/overlay_diff.h"

namespace ui {

struct Placement {
    int storedX = -1;
    int storedY = -1;
    bool restorePosition = false;
    bool pending = false;
    double ignoreUntil = 0;
};

// The full-window vector layer. Each frame clears and draws the one surface;
// the tiles whose hash differs from the picture last uploaded go up to the
// texture.
struct Overlay {
    cairo_surface_t* drawn = nullptr;  // every frame's picture, cleared and drawn anew
    SDL_Texture* texture = nullptr;
    bool uploaded = false;  // the texture holds the picture the hashes are of
    TileHashes shown;       // of the picture last uploaded
    int w = 0;
    int h = 0;
};

// The statistics line's second: its frames, the sum of their whole
// main-thread CPU time (FrameCost::frameCpu) and of the wall time of their
// upload and present, in seconds.
struct FrameStats {
    bool on = false;
    int frames = 0;
    double cpu = 0;
    double gpu = 0;
    double lastReport = 0;
};

// What the last drawn frame cost, in seconds. frameCpu is the whole frame in
// this thread's CPU time: events, the overlay's clear, the screen's update
// and drawing, audio, the upload and the present call. The parts: the
// screen's update by the wall clock and in CPU time, then the upload and
// present by the wall clock.
struct FrameCost {
    double frameCpu = 0;
    double update = 0;
    double updateCpu = 0;
    double present = 0;
    long uploadedPixels = 0;  // of the overlay, this frame
    bool presented = true;    // false when the frame showed what was shown
};

struct Shell {
    Game* game = nullptr;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    Overlay overlay;
    Placement placement;
    FrameStats stats;
    FrameCost last;
    Ctx ctx;
    // The clock of the frame's now and of double clicks, in seconds. Tools
    // that step time themselves put their own here; statistics and costs
    // always read the steady clock.
    double (*clock)() = &nowSeconds;
    // Runs after the overlay has been laid over the GPU drawing and before
    // the frame is presented, while the renderer holds the finished picture.
    std::function<void(Shell&)> beforePresent;
    bool appliedFullscreen = false;
    bool mustPresent = true;  // a window event asks for the picture anew
    bool audioStarted = false;
    bool effectsDecoded = false;
    bool settingsChanged = false;
    double lastSettingsSave = 0;
    double lastRelease = -10;
    double prevNow = 0;
    int prevMouseX = 0;
    int prevMouseY = 0;
};

// After SDL_Init: the window (at least 860 by 560) in the stored or given
// size and mode, the renderer (reported on standard output), the GPU layer
// and the bundled fonts; audio opens once the first frame is shown. False,
// with SDL's error on standard error, when there is no window or renderer.
bool openShell(Shell& sh, Game& game, const WindowOptions& opts);

// Draws one frame of the stack's top screen; false when the loop should end.
bool runFrame(Shell& sh);

// Remembers the window geometry, saves the settings and frees the window,
// the renderer, the GPU layer and audio. SDL_Quit is the caller's.
void closeShell(Shell& sh);

// Seconds of CPU time the calling thread has used.
double threadCpuSeconds();

} // namespace ui
