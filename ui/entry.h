#pragma once
// Program entry pieces that need no window: the command-line passes, the
// start-screen choice, window size and placement, event translation, the
// clock and the termination signals.
#include <SDL.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/version.h"
#include "ui/app.h"

namespace ui {

using platform::kBuild;
using platform::kTitle;
using platform::kVersion;

// First pass: the first "--version" or "--help" wins; both end the program.
enum class InfoOption { None, Version, Help };
InfoOption findInfoOption(int argc, const char* const* argv);
// The exact text printed to standard output for the option.
std::string infoText(InfoOption option);

// Second pass, applied over the stored settings.
struct WindowOptions {
    std::optional<bool> fullscreen;  // the last "--fullscreen" or "--windowed"
    bool sizeGiven = false;          // a valid "--size", at least 640x480
    int width = 0;
    int height = 0;
};
WindowOptions parseWindowOptions(int argc, const char* const* argv);

struct Size {
    int w = 0;
    int h = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// The window's first size from the stored (or "--size") size and the display
// size (not positive when unknown). A "--size" is held to the display only;
// a stored size also leaves room for the desktop's panels.
Size initialWindowSize(int storedW, int storedH, bool sizeGiven, int displayW, int displayH);

// Whether a stored position is worth restoring (-1 means none).
bool hasStoredPosition(int x, int y);
// Where a restored window goes: the stored position held on the display, at
// least 30 below its top so the title bar stays reachable.
SDL_Point placeOnDisplay(int storedX, int storedY, const SDL_Rect& display, int windowW, int windowH);

// What an event means beyond the input it adds.
enum class EventEffect { None, Quit, ToggleFullscreen, Window };
// Adds one event to the frame's input. lastRelease is the time of the
// previous left release; a release less than 0.3 s after it is a double click.
EventEffect applyEvent(const SDL_Event& e, Input& input, double now, double& lastRelease);

// Whether SDL's video driver (chosen) is one that shows nothing, which SDL
// falls back on when it finds no display, and the user did not ask for it
// in SDL_VIDEODRIVER (asked: its value, null when unset; SDL reads it as a
// comma-separated list of names in any case).
bool noDisplay(const char* chosen, const char* asked);

// The text with a line break wherever a line would grow past `columns` (a
// wide East Asian character counts two): SDL's own message box does not
// wrap, it cuts a long line off. A line breaks at its last space where it
// has one (the space gives way to the break), else before the character
// that would not fit; the text's own breaks stay.
std::string wrapForMessageBox(std::string_view text, int columns);

// The statistics line (with its newline): frames in the second, their mean
// CPU and GPU milliseconds, the draw calls, the output size and the
// profiler's report.
std::string statsLine(int frames, double cpuMs, double gpuMs, int drawCalls, int w, int h,
                      const std::string& profile);

// Seconds of the steady clock since the first call.
double nowSeconds();

// SIGTERM, SIGINT and SIGHUP: the first asks the frame loop to end; the
// second ends the process at once with status 128 + signal.
void installTerminationHandlers();
void restoreDefaultTerminationHandlers();
bool terminationRequested();

} // namespace ui
