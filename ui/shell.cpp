// The window, the renderer and the overlay, and one frame of the loop.
#include "ui/shell.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/storage.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/gpu.h"
#include "ui/overlay_diff.h"

namespace ui {

namespace {

// Window events arriving before this time are the system settling the new
// window, not the player: they must not overwrite the stored geometry.
constexpr double kSettleSeconds = 0.4;
constexpr double kSettingsSaveInterval = 2.0;
constexpr double kMaxFrameStep = 0.1;
// Main-thread time a frame may spend decoding sounds after it was shown.
constexpr double kDecodeSecondsPerFrame = 0.002;
// The pace of frames that are not presented.
constexpr double kRestFrameSeconds = 1.0 / 60;

SDL_Rect displayBounds(int index) {
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(index, &r) != 0 || r.w <= 0) SDL_GetDisplayBounds(index, &r);
    return r;
}

SDL_Renderer* createRenderer(SDL_Window* window) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    const Uint32 attempts[] = {SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_ACCELERATED,
                               SDL_RENDERER_SOFTWARE};
    for (Uint32 flags : attempts) {
        if (SDL_Renderer* r = SDL_CreateRenderer(window, -1, flags)) return r;
    }
    return nullptr;
}

void reportVideo(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        const char* driver = SDL_GetCurrentVideoDriver();
        std::printf("[video] Treiber %s, Renderer %s%s%s\n", driver ? driver : "?", info.name ? info.name : "?",
                    (info.flags & SDL_RENDERER_ACCELERATED) ? " (beschleunigt)" : " (Software!)",
                    (info.flags & SDL_RENDERER_PRESENTVSYNC) ? ", VSync an" : ", VSync AUS");
    }
    std::printf("[video] zur Wahl:");
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo d;
        if (SDL_GetRenderDriverInfo(i, &d) == 0 && d.name) std::printf(" %s", d.name);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Window creation and the start mode; false when SDL cannot give us a window.
bool openWindow(Shell& sh, const WindowOptions& opts) {
    store::Settings& s = store::settings();
    const SDL_Rect display = displayBounds(0);
    const Size size = initialWindowSize(s.windowW, s.windowH, opts.sizeGiven, display.w, display.h);
    if (opts.sizeGiven) {
        // What the display cannot show is never stored.
        s.windowW = size.w;
        s.windowH = size.h;
    }
    // Made for OpenGL from the start: the GL renderer would otherwise tear
    // the shown window down and make a new one (unmapped and mapped again).
    // Where OpenGL cannot be loaded, a plain window takes the software
    // renderer.
    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    sh.window = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w, size.h,
                                 flags | SDL_WINDOW_OPENGL);
    if (!sh.window)
        sh.window = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.w, size.h, flags);
    if (!sh.window) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(sh.window, 860, 560);

    sh.placement.storedX = s.windowX;
    sh.placement.storedY = s.windowY;
    sh.placement.restorePosition = hasStoredPosition(s.windowX, s.windowY);
    if (opts.sizeGiven || s.fullscreen) {
        if (s.fullscreen) {
            SDL_SetWindowFullscreen(sh.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else if (s.maximized) {
            SDL_MaximizeWindow(sh.window);
        }
    } else {
        if (s.maximized) SDL_MaximizeWindow(sh.window);
        sh.placement.pending = true;
        sh.placement.ignoreUntil = 1e18;
    }
    sh.appliedFullscreen = s.fullscreen;
    return true;
}

// The allocator's policy for the whole program, in one place. The screens
// come and go with megabytes of pixels each (textures in a software driver,
// the surfaces they are painted on): buffers of a megabyte and more get
// mappings of their own, so that freeing one gives its memory back (left to
// itself the allocator raises that bound to the largest block freed and
// serves such buffers from the heap); and once a new screen has let go of
// what the one before left behind, the free pages in the middle of the heap,
// which the allocator only gives back from its top, are handed back, so
// memory follows what is shown.
void setAllocatorPolicy() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

void returnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void startServices(Shell& sh) {
    gpuInit(sh.renderer);
    gpuRecordFrames(true);
    registerBundledFonts();
}

// Opening the sound device and the music can take a tenth of a second: the
// window shows its first frame before.
void startAudio(Shell& sh) {
    if (sh.audioStarted) return;
    sh.audioStarted = true;
    const store::Settings& s = store::settings();
    audio::init();
    audio::setEnabled(s.soundOn);
    audio::setMusicVolume(s.musicVolume);
    audio::setSfxVolume(s.sfxVolume);
    if (s.soundOn) audio::startMusic();
}

// --- one frame -------------------------------------------------------------

bool isSettledWindow(SDL_Window* window) {
    const Uint32 flags = SDL_GetWindowFlags(window);
    return !(flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MAXIMIZED |
                      SDL_WINDOW_MINIMIZED));
}

void handleWindowEvent(Shell& sh, const SDL_WindowEvent& e, double now) {
    if (now < sh.placement.ignoreUntil) return;
    store::Settings& s = store::settings();
    const bool geometryCounts = !s.fullscreen && isSettledWindow(sh.window);
    switch (e.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (geometryCounts) {
            s.windowW = e.data1;
            s.windowH = e.data2;
            sh.settingsChanged = true;
        }
        break;
    case SDL_WINDOWEVENT_MOVED:
        if (geometryCounts) {
            s.windowX = e.data1;
            s.windowY = e.data2;
            sh.settingsChanged = true;
        }
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        s.maximized = true;
        sh.settingsChanged = true;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        s.maximized = false;
        sh.settingsChanged = true;
        break;
    default:
        break;
    }
}

// Drains the event queue into the frame's input; true when the frame asks
// the program to end.
bool pollEvents(Shell& sh, double now) {
    bool quit = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (applyEvent(e, sh.ctx.input, now, sh.lastRelease)) {
        case EventEffect::Quit:
            quit = true;
            break;
        case EventEffect::ToggleFullscreen:
            store::settings().fullscreen = !store::settings().fullscreen;
            store::saveSettings();
            break;
        case EventEffect::Window:
            // Shown, exposed, resized: the window's picture is to be drawn anew.
            sh.mustPresent = true;
            handleWindowEvent(sh, e.window, now);
            break;
        case EventEffect::None:
            break;
        }
    }
    return quit;
}

void applyFullscreenMode(Shell& sh) {
    const bool want = store::settings().fullscreen;
    if (want == sh.appliedFullscreen) return;
    SDL_SetWindowFullscreen(sh.window, want ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    sh.appliedFullscreen = want;
}

void readPointer(Shell& sh) {
    int x = 0, y = 0;
    const Uint32 buttons = SDL_GetMouseState(&x, &y);
    Input& in = sh.ctx.input;
    in.x = x;
    in.y = y;
    in.dx = x - sh.prevMouseX;
    in.dy = y - sh.prevMouseY;
    in.leftDown = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    in.middleDown = (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) != 0;
    sh.prevMouseX = x;
    sh.prevMouseY = y;
    const SDL_Keymod mods = SDL_GetModState();
    sh.ctx.ctrl = (mods & KMOD_CTRL) != 0;
    sh.ctx.shift = (mods & KMOD_SHIFT) != 0;
}

double pixelRatio(SDL_Window* window) {
    int pw = 0, ph = 0, w = 0, h = 0;
    SDL_GetWindowSizeInPixels(window, &pw, &ph);
    SDL_GetWindowSize(window, &w, &h);
    return (pw > 0 && w > 0) ? static_cast<double>(pw) / w : 1.0;
}

void destroyOverlay(Overlay& o) {
    if (o.texture) SDL_DestroyTexture(o.texture);
    if (o.drawn) cairo_surface_destroy(o.drawn);
    o = Overlay{};
}

// The full-window vector layer, laid over the GPU drawing with premultiplied
// alpha; rebuilt only when the output size changes. The texture is static:
// it is only ever written by SDL_UpdateTexture, and a streaming one would
// keep a third full-window copy of the pixels for locking.
void ensureOverlay(Shell& sh, int w, int h) {
    Overlay& o = sh.overlay;
    if (o.drawn && o.w == w && o.h == h) return;
    destroyOverlay(o);
    o.drawn = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    o.texture = SDL_CreateTexture(sh.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
    o.w = w;
    o.h = h;
    if (!o.texture) return;
    const SDL_BlendMode premultiplied =
        SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD,
                                   SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
    if (SDL_SetTextureBlendMode(o.texture, premultiplied) != 0) SDL_SetTextureBlendMode(o.texture, SDL_BLENDMODE_BLEND);
}

// Brings the texture up to this frame's overlay, uploading only what changed
// since the previous frame; returns the pixels uploaded.
long uploadOverlay(Overlay& o) {
    cairo_surface_t* now = o.drawn;
    cairo_surface_flush(now);
    const unsigned char* data = cairo_image_surface_get_data(now);
    const int stride = cairo_image_surface_get_stride(now);
    if (!o.uploaded) o.shown.reset();  // the whole picture goes up
    o.uploaded = true;
    long pixels = 0;
    for (const PixelRect& r : o.shown.changedRects(data, o.w, o.h, stride)) {
        const SDL_Rect area{r.x, r.y, r.w, r.h};
        SDL_UpdateTexture(o.texture, &area, data + static_cast<std::size_t>(r.y) * stride + 4 * r.x, stride);
        pixels += static_cast<long>(r.w) * r.h;
    }
    return pixels;
}

// Lays the overlay over the frame's GPU drawing and presents it, unless
// the frame would show exactly what the window already shows (nothing
// uploaded, the same GPU draws, no window event since): a screen at rest
// then costs no drawing, copying or presenting. True when presented.
bool presentOverlay(Shell& sh) {
    Overlay& o = sh.overlay;
    sh.last.uploadedPixels = 0;
    bool overlayChanged = true;
    if (o.texture) {
        const bool first = !o.uploaded;
        sh.last.uploadedPixels = uploadOverlay(o);
        overlayChanged = first || sh.last.uploadedPixels > 0;
    } else {
        cairo_surface_flush(o.drawn);
    }
    if (!overlayChanged && !sh.mustPresent && !sh.beforePresent && !gpuFrameDiffers()) {
        gpuFrameShown();
        return false;
    }
    sh.mustPresent = false;
    SDL_SetRenderDrawColor(sh.renderer, 27, 20, 16, 255);
    SDL_RenderClear(sh.renderer);
    gpuDrawFrame();
    if (o.texture) SDL_RenderCopy(sh.renderer, o.texture, nullptr, nullptr);
    if (sh.beforePresent) sh.beforePresent(sh);
    SDL_RenderPresent(sh.renderer);
    return true;
}

// A frame that was not presented did not wait for the display: it waits
// here, so a screen at rest keeps the display's pace instead of spinning.
void keepPace(double frameStartWall) {
    const double wait = frameStartWall + kRestFrameSeconds - nowSeconds();
    if (wait > 0) SDL_Delay(static_cast<Uint32>(1000 * wait));
}

// First frame of a windowed start: put the window back where it was (held on
// its display) or centre it, and say where it went.
void placeWindow(Shell& sh, double now) {
    Placement& pl = sh.placement;
    if (!pl.pending) return;
    pl.pending = false;
    int index = SDL_GetWindowDisplayIndex(sh.window);
    if (index < 0) index = 0;
    SDL_Rect full{0, 0, 0, 0};
    SDL_GetDisplayBounds(index, &full);
    const SDL_Rect usable = displayBounds(index);
    int ww = 0, wh = 0;
    SDL_GetWindowSize(sh.window, &ww, &wh);
    if (pl.restorePosition) {
        SDL_Point p{pl.storedX, pl.storedY};
        if (usable.w > 0 && usable.h > 0) p = placeOnDisplay(pl.storedX, pl.storedY, usable, ww, wh);
        SDL_SetWindowPosition(sh.window, p.x, p.y);
    } else {
        SDL_SetWindowPosition(sh.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    pl.ignoreUntil = now + kSettleSeconds;

    int x = 0, y = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(sh.window, &x, &y);
    SDL_GetWindowSize(sh.window, &ww, &wh);
    SDL_GetWindowBordersSize(sh.window, &top, &left, &bottom, &right);
    char remembered[64];
    if (pl.restorePosition)
        std::snprintf(remembered, sizeof remembered, "%d,%d", pl.storedX, pl.storedY);
    else
        std::snprintf(remembered, sizeof remembered, "nichts (mittig)");
    std::printf("[fenster] Schirm %dx%d, nutzbar %dx%d ab %d,%d \u00b7 Fenster %dx%d bei %d,%d \u00b7 Rahmen o%d l%d "
                "u%d r%d \u00b7 gemerkt %s\n",
                full.w, full.h, usable.w, usable.h, usable.x, usable.y, ww, wh, x, y, top, left, bottom, right,
                remembered);
    std::fflush(stdout);
}

// Once a second with VELMORANDINE_STATS: the frames, their mean main-thread
// CPU and upload-and-present times, this frame's draw calls and the output.
void reportStats(Shell& sh, double gpu, double now, int w, int h) {
    FrameStats& st = sh.stats;
    if (!st.on) return;
    ++st.frames;
    st.cpu += sh.last.frameCpu;
    st.gpu += gpu;
    if (now - st.lastReport < 1.0) return;
    std::fputs(statsLine(st.frames, 1000 * st.cpu / st.frames, 1000 * st.gpu / st.frames, gpuDrawCalls(), w, h,
                         profReport())
                   .c_str(),
               stderr);
    st.frames = 0;
    st.cpu = 0;
    st.gpu = 0;
    st.lastReport = now;
}

void saveSettingsWhenDue(Shell& sh, double now) {
    if (!sh.settingsChanged || now - sh.lastSettingsSave <= kSettingsSaveInterval) return;
    store::saveSettings();
    sh.lastSettingsSave = now;
    sh.settingsChanged = false;
}

} // namespace

bool runFrame(Shell& sh) {
    const double frameStart = threadCpuSeconds();
    const double frameStartWall = nowSeconds();
    sh.ctx.beginFrame();
    const bool quit = pollEvents(sh, sh.clock());
    applyFullscreenMode(sh);
    readPointer(sh);
    sh.ctx.settleInput();

    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(sh.renderer, &outW, &outH);
    if (outW <= 0 || outH <= 0) {
        // A minimised window has no output; the termination flag must still
        // end the program, or SIGTERM would wait for the window to come back.
        return !quit && !terminationRequested();
    }

    const double p = pixelRatio(sh.window);
    ensureOverlay(sh, outW, outH);
    cairo_t* cr = cairo_create(sh.overlay.drawn);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_scale(cr, p, p);

    Ctx& ctx = sh.ctx;
    ctx.cr = cr;
    ctx.width = outW / p;
    ctx.height = outH / p;
    ctx.uiScale = uiScaleFor(ctx.width, ctx.height);
    ctx.now = sh.clock();
    ctx.dt = std::min(ctx.now - sh.prevNow, kMaxFrameStep);
    const double cpuStart = nowSeconds();
    const double threadStart = threadCpuSeconds();

    gpuSetScale(p);
    setTextPixelRatio(p);
    gpuBeginFrame();

    sh.game->update(ctx);
    if (sh.game->leftoversDropped()) returnFreedMemory();
    audio::tick();

    cairo_destroy(cr);
    ctx.cr = nullptr;
    const double cpuEnd = nowSeconds();
    sh.last.updateCpu = threadCpuSeconds() - threadStart;
    const bool presented = presentOverlay(sh);
    const double gpuEnd = nowSeconds();
    sh.last.update = cpuEnd - cpuStart;
    sh.last.present = gpuEnd - cpuEnd;
    // Sound starts once a frame is on screen; the effects are decoded a
    // little after each frame that follows.
    if (!sh.audioStarted) startAudio(sh);
    else if (!sh.effectsDecoded) sh.effectsDecoded = audio::decodeEffects(kDecodeSecondsPerFrame);
    sh.last.frameCpu = threadCpuSeconds() - frameStart;
    sh.last.presented = presented;

    placeWindow(sh, sh.clock());
    reportStats(sh, gpuEnd - cpuEnd, gpuEnd, outW, outH);
    saveSettingsWhenDue(sh, ctx.now);
    sh.prevNow = ctx.now;
    if (!presented) keepPace(frameStartWall);
    return !quit && !ctx.quit && !terminationRequested();
}

namespace {

// --- shut-down -------------------------------------------------------------

void rememberGeometry(Shell& sh) {
    store::Settings& s = store::settings();
    if (!s.fullscreen && isSettledWindow(sh.window)) {
        int w = 0, h = 0, x = 0, y = 0;
        SDL_GetWindowSize(sh.window, &w, &h);
        SDL_GetWindowPosition(sh.window, &x, &y);
        if (w > 0 && h > 0) {
            s.windowW = w;
            s.windowH = h;
            s.windowX = x;
            s.windowY = y;
        }
    }
    std::printf("[fenster] sichere %dx%d bei %d,%d%s\n", s.windowW, s.windowH, s.windowX, s.windowY,
                s.maximized ? " (maximiert)" : "");
    std::fflush(stdout);
}

} // namespace

void closeShell(Shell& sh) {
    rememberGeometry(sh);
    store::saveSettings();
    gpuShutdown();
    audio::shutdown();
    destroyOverlay(sh.overlay);
    SDL_DestroyRenderer(sh.renderer);
    SDL_DestroyWindow(sh.window);
    sh.renderer = nullptr;
    sh.window = nullptr;
}

bool openShell(Shell& sh, Game& game, const WindowOptions& opts) {
    sh.game = &game;
    setAllocatorPolicy();
    if (!openWindow(sh, opts)) return false;
    sh.renderer = createRenderer(sh.window);
    if (!sh.renderer) {
        std::fprintf(stderr, "SDL_CreateRenderer: %s\n", SDL_GetError());
        SDL_DestroyWindow(sh.window);
        sh.window = nullptr;
        return false;
    }
    reportVideo(sh.renderer);
    startServices(sh);

    sh.ctx.uiScale = 1.0;
    sh.prevNow = sh.clock();
    sh.stats.on = std::getenv("VELMORANDINE_STATS") != nullptr;
    sh.stats.lastReport = nowSeconds();
    return true;
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

} // namespace ui

