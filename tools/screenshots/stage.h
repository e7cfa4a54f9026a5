#pragma once
// The real game window driven by a program rather than a player: the
// screenshot tool pictures every screen through it and the frame bench
// times busy screens through it. Both need a display (Xvfb will do).
//
// The window runs the game's own frames (ui/shell.h: events, the stack's
// update, the overlay upload, present) on a clock of its own that moves on
// by a fixed step each frame, so a picture taken "1.3 s after the screen
// opened" is the same on a fast and on a loaded machine. Input goes through
// SDL's event queue and pointer, as a player's would.
//
//   stage::Session session;                 // temporary data directory
//   stage::Window win(1280, 720);
//   session.freshStores("de");              // empty stores, German
//   stage::battleMidFight(win);             // stores, stack, a few frames
//   win.shoot("out/battle.png");
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/app.h"
#include "ui/shell.h"

namespace stage {

// The process's data: XDG_DATA_HOME and XDG_RUNTIME_DIR point into a fresh
// temporary directory (never the real home), which goes when the session
// ends; audio plays into SDL's dummy device.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Empty stores in a new directory of their own, the language set (and
    // stored), the process's random draws reset to the same start.
    void freshStores(const std::string& language);
    const std::string& root() const { return root_; }

private:
    std::string root_;
    int stores_ = 0;
};

class Window {
public:
    // Opens the game's window at exactly width × height.
    Window(int width, int height);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool ok() const { return open_; }

    // --- Frames ---
    void frame();
    void frames(int n);
    // Frames until the clock has moved on by at least seconds.
    void runFor(double seconds);
    // Seconds the clock moves on per frame (1/60 by default).
    void setStep(double seconds) {
        step_ = seconds;
        real_ = false;
    }
    // With a real clock the window's clock moves on by the time that really
    // passed since the previous frame, as the game's does; setStep goes back
    // to the fixed step.
    void useRealClock(bool real) { real_ = real; }
    double now() const;
    // Sets the clock back to where every shot starts and forgets the last
    // click and drag, so that a shot played twice draws the same frames.
    void restartClock();

    // --- Input for the next frame ---
    void moveTo(double x, double y);
    // A press frame, then a release frame, at the point or a rectangle's centre.
    void click(double x, double y);
    void click(const ui::Rect& r);
    void wheel(int steps);
    void key(int code);

    // --- What the frames see ---
    ui::Ctx& ctx() { return shell_.ctx; }
    ui::Shell& shell() { return shell_; }
    double scale() const { return shell_.ctx.uiScale; }
    double width() const { return shell_.ctx.width; }
    double height() const { return shell_.ctx.height; }

    // Draws one more frame and writes it, as presented, to a PNG; false when
    // the file cannot be written.
    bool shoot(const std::string& path);
    // Draws one more frame and hands its picture, as presented, to look:
    // 0x??RRGGBB pixels, width, height and pixels per row.
    void look(const std::function<void(const std::uint32_t*, int, int, int)>& see);
    // The surface the frames draw their vector layer on.
    cairo_surface_t* overlay() const { return shell_.overlay.drawn; }

private:
    void settlePointer(double x, double y);

    ui::Shell shell_;
    bool open_ = false;
    double step_ = 1.0 / 60;
    bool real_ = false;
    double lastReal_ = -1;
};

// A picture as Window::look hands it over, written to a PNG; false when the
// file cannot be written.
bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride);

// The stack reset to the first screen with the others pushed over it, the
// way the game leaves it (the city over the menu, the map over the city).
void openStack(std::initializer_list<ui::GameState> entries);
ui::GameState entry(int screen);

// One picture of one screen: its stores and stack set up and played on to
// the moment worth seeing.
struct Shot {
    int screen;        // the screen number pictured
    const char* name;  // file name stem, unique
    void (*play)(Window& win);
};
// Every screen number at least once.
std::span<const Shot> shots();

// The busy screens of the frame bench: set up and played to the moment they
// are busiest. keepBusy runs before every timed frame and keeps the battle
// as busy as it was (effects in flight, numbers rising).
void busyBattle(Window& win);
void keepBattleBusy(Window& win);
// What is in the air in the live battle's last frame, as one line ("" when
// no battle is on top), to show that it was busy.
std::string battleInFlight();
void mapAtDepth8(Window& win);
void partySheet(Window& win);

} // namespace stage
