#include "tools/screenshots/stage.h"

#include <SDL.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "fx/storm.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/rng.h"
#include "screens/minigames.h"
#include "ui/audio.h"
#include "ui/widgets.h"

namespace stage {
namespace {

// The stage clock: every window's frames and the audio queue read it.
double& clockNow() {
    static double now = 0;
    return now;
}
double stageSeconds() { return clockNow(); }
std::uint32_t stageMs() { return static_cast<std::uint32_t>(std::llround(clockNow() * 1000)); }

void pushButton(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
}

} // namespace

// --- Session ---------------------------------------------------------------

Session::Session() {
    char tmpl[] = "/tmp/velmorandine-stage-XXXXXX";
    const char* made = ::mkdtemp(tmpl);
    root_ = made ? made : "/tmp/velmorandine-stage";
    std::filesystem::create_directories(root_ + "/data");
    std::filesystem::create_directories(root_ + "/runtime");
    ::setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/runtime").c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    // Ctrl+C and SIGTERM end the program as they end any other.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The bundled fonts and sounds, wherever the program is started from.
    ::setenv("VELMORANDINE_ASSET_DIR", VEL_SOURCE_DIR, 0);
    store::init();
    audio::setClock(&stageMs);
}

Session::~Session() {
    audio::setClock(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

void Session::freshStores(const std::string& language) {
    const std::string dir = root_ + "/stores-" + std::to_string(++stores_);
    std::filesystem::create_directories(dir);
    store::reloadForTests(dir);
    store::settings().language = language;
    store::saveSettings();
    i18n::setLanguage(language);
    // The same names, ids, weather and deals in every picture of a screen.
    rpg::looseRng().state = 20240611;
    rpg::resetMadeIdCounters();
    rpg::resetItemUidCounter();
    std::srand(1);
    ui::seedStormForTests(7);
    ui::MiniTable::seedLoose(3);
    ui::forgetAnimBars();
}

// --- Window ----------------------------------------------------------------

Window::Window(int width, int height) {
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return;
    }
    shell_.clock = &stageSeconds;
    ui::WindowOptions opts;
    opts.fullscreen = false;
    opts.sizeGiven = true;
    opts.width = width;
    opts.height = height;
    store::Settings& settings = store::settings();
    settings.fullscreen = false;
    settings.maximized = false;
    settings.windowW = width;
    settings.windowH = height;
    open_ = ui::openShell(shell_, ui::Game::instance(), opts);
    if (!open_) return;
    // The first frames map the window; the pointer starts outside it, where
    // it hovers over nothing.
    frames(3);
    settlePointer(-1, -1);
}

Window::~Window() {
    if (open_) ui::closeShell(shell_);
    SDL_Quit();
}

double Window::now() const { return clockNow(); }

void Window::restartClock() {
    constexpr double kShotStart = 10;
    clockNow() = kShotStart;
    shell_.prevNow = kShotStart - step_;
    shell_.lastRelease = -10;
    shell_.ctx = ui::Ctx{};  // no press, drag, fling or dialog carried over
    settlePointer(-1, -1);   // nor a hover where the last shot left the pointer
}

void Window::frame() {
    ui::runFrame(shell_);
    if (!real_) {
        clockNow() += step_;
        lastReal_ = -1;
        return;
    }
    const double t = ui::nowSeconds();
    clockNow() += lastReal_ < 0 ? step_ : t - lastReal_;
    lastReal_ = t;
}

void Window::frames(int n) {
    for (int i = 0; i < n; ++i) frame();
}

void Window::runFor(double seconds) {
    const double end = now() + seconds;
    while (now() < end - 1e-9) frame();
}

// The pointer is read from the window system, which hears of a warp only
// through its event queue: wait (a little real time) until the frame sees it.
void Window::settlePointer(double x, double y) {
    SDL_WarpMouseInWindow(shell_.window, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    for (int tries = 0; tries < 50; ++tries) {
        SDL_PumpEvents();
        int px = 0, py = 0;
        SDL_GetMouseState(&px, &py);
        if (std::abs(px - x) < 1 && std::abs(py - y) < 1) return;
        SDL_Delay(2);
    }
}

void Window::moveTo(double x, double y) {
    settlePointer(x, y);
    frame();
}

void Window::click(double x, double y) {
    settlePointer(x, y);
    pushButton(SDL_MOUSEBUTTONDOWN);
    frame();
    pushButton(SDL_MOUSEBUTTONUP);
    frame();
}

void Window::click(const ui::Rect& r) { click(r.x + r.w / 2, r.y + r.h / 2); }

void Window::wheel(int steps) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = steps;
    SDL_PushEvent(&e);
    frame();
}

void Window::key(int code) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = code;
    SDL_PushEvent(&e);
    frame();
}

void Window::look(const std::function<void(const std::uint32_t*, int, int, int)>& see) {
    shell_.beforePresent = [&](ui::Shell& sh) {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(sh.renderer, &w, &h);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
        if (SDL_RenderReadPixels(sh.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) == 0)
            see(pixels.data(), w, h, w);
        else
            see(nullptr, 0, 0, 0);
    };
    frame();
    shell_.beforePresent = nullptr;
}

bool Window::shoot(const std::string& path) {
    bool ok = false;
    look([&](const std::uint32_t* pixels, int w, int h, int stride) {
        ok = pixels && writePng(path, pixels, w, h, stride);
    });
    return ok;
}

bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int rowBytes = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height; ++y)
        std::memcpy(data + y * rowBytes, pixels + y * stride, 4 * static_cast<std::size_t>(width));
    cairo_surface_mark_dirty(image);
    const bool ok = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    return ok;
}

// --- The stack ---------------------------------------------------------------

ui::GameState entry(int screen) {
    ui::GameState s;
    s.screen = screen;
    return s;
}

void openStack(std::initializer_list<ui::GameState> entries) {
    bool first = true;
    for (const ui::GameState& e : entries) {
        if (first) ui::Game::instance().resetTo(e);
        else ui::Game::instance().push(e);
        first = false;
    }
}

} // namespace stage
