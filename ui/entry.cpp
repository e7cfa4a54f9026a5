#include "ui/entry.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <strings.h>
#include <utility>


namespace ui {

namespace {

constexpr double kDoubleClickGap = 0.3;
// Without a known display, a given size is held below what renderers take.
constexpr int kLargestWindow = 16384;

// Reads a decimal int the way "%d" does (leading blanks, optional sign);
// a value outside int counts as unread rather than wrapping.
bool readInt(const char*& p, int& out) {
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    long long v = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        v = v * 10 + (*p - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

// "%dx%d": true when both numbers were read.
bool readSize(const char* text, int& w, int& h) {
    const char* p = text;
    if (!readInt(p, w) || *p != 'x') return false;
    ++p;
    return readInt(p, h);
}

volatile std::sig_atomic_t g_terminate = 0;

void onTerminationSignal(int sig) {
    // Only async-signal-safe calls here: the audio device is left to the
    // kernel rather than closed from inside a handler.
    if (g_terminate) _Exit(128 + sig);
    g_terminate = 1;
}

void setTerminationAction(void (*handler)(int)) {
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    // Block the other two while one is handled, so two signals arriving
    // together still count as first and second.
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&sa.sa_mask, s);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &sa, nullptr);
}

} // namespace

InfoOption findInfoOption(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) return InfoOption::Version;
        if (std::strcmp(argv[i], "--help") == 0) return InfoOption::Help;
    }
    return InfoOption::None;
}

std::string infoText(InfoOption option) {
    char buf[512];
    switch (option) {
    case InfoOption::Version:
        std::snprintf(buf, sizeof buf, "%s %s (Build %d)\n", kTitle, kVersion, kBuild);
        return buf;
    case InfoOption::Help:
        std::snprintf(buf, sizeof buf,
                      "%s %s\n  --version    Version ausgeben\n  --fullscreen im Vollbild starten\n"
                      "  --windowed   im Fenster starten\n  --size BxH   mit dieser Fenstergroesse starten\n",
                      kTitle, kVersion);
        return buf;
    case InfoOption::None: break;
    }
    return {};
}

WindowOptions parseWindowOptions(int argc, const char* const* argv) {
    WindowOptions o;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--fullscreen") == 0) {
            o.fullscreen = true;
        } else if (std::strcmp(a, "--windowed") == 0) {
            o.fullscreen = false;
        } else if (std::strcmp(a, "--size") == 0) {
            if (i + 1 >= argc) break;
            int w = 0, h = 0;
            if (readSize(argv[++i], w, h) && w >= 640 && h >= 480) {
                o.width = w;
                o.height = h;
                o.sizeGiven = true;
            }
        }
    }
    return o;
}

Size initialWindowSize(int storedW, int storedH, bool sizeGiven, int displayW, int displayH) {
    const bool display = displayW > 0 && displayH > 0;
    if (sizeGiven) {
        // Asked for, so not shrunk to leave room for panels; but never
        // larger than the display, where no window would open at all.
        if (!display) return {std::min(storedW, kLargestWindow), std::min(storedH, kLargestWindow)};
        return {std::min(storedW, displayW), std::min(storedH, displayH)};
    }
    if (!display) return {storedW, storedH};
    const double maxW = displayW - 20;
    const double maxH = displayH - 80;
    Size size{storedW, storedH};
    if (storedW <= 0 || storedH <= 0) {
        double w = 0.403 * displayW;
        double h = w * 9 / 16;
        if (h > maxH) {
            h = maxH;
            w = h * 16 / 9;
        }
        size.w = static_cast<int>(std::max(std::min(w, maxW), 860.0));
        size.h = static_cast<int>(std::max(std::min(h, maxH), 560.0));
    }
    size.w = std::min(size.w, displayW - 20);
    size.h = std::min(size.h, displayH - 80);
    return size;
}

bool hasStoredPosition(int x, int y) { return x >= -9999 && x != -1 && y >= -9999; }

SDL_Point placeOnDisplay(int storedX, int storedY, const SDL_Rect& d, int windowW, int windowH) {
    if (d.w <= 0 || d.h <= 0) return {storedX, storedY};
    const int x = std::clamp(storedX, d.x, std::max(d.x, d.x + d.w - windowW));
    const int y = std::clamp(storedY, d.y + 30, std::max(d.y + 30, d.y + d.h - windowH));
    return {x, y};
}

EventEffect applyEvent(const SDL_Event& e, Input& input, double now, double& lastRelease) {
    switch (e.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) input.leftPressed = true;
        if (e.button.button == SDL_BUTTON_RIGHT) input.rightPressed = true;
        return EventEffect::None;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) {
            input.leftReleased = true;
            if (now - lastRelease < kDoubleClickGap) input.doubleClick = true;
            lastRelease = now;
        }
        return EventEffect::None;
    case SDL_MOUSEWHEEL: input.wheel += e.wheel.y; return EventEffect::None;
    case SDL_KEYDOWN: {
        const SDL_Keycode key = e.key.keysym.sym;
        if (key == SDLK_F11) return EventEffect::ToggleFullscreen;
        if (key == SDLK_q && (e.key.keysym.mod & KMOD_CTRL)) return EventEffect::Quit;
        input.keys.push_back(key);
        return EventEffect::None;
    }
    case SDL_QUIT: return EventEffect::Quit;
    case SDL_WINDOWEVENT: return EventEffect::Window;
    default: return EventEffect::None;
    }
}

bool noDisplay(const char* chosen, const char* asked) {
    if (!chosen) return true;
    static constexpr const char* kShowNothing[] = {"offscreen", "dummy", "evdev"};
    if (std::none_of(std::begin(kShowNothing), std::end(kShowNothing),
                     [&](const char* name) { return std::strcmp(chosen, name) == 0; })) {
        return false;
    }
    const std::size_t length = std::strlen(chosen);
    for (const char* p = asked ? asked : ""; *p;) {
        const char* end = std::strchr(p, ',');
        const std::size_t n = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
        if (n == length && ::strncasecmp(p, chosen, n) == 0) return false;
        p += end ? n + 1 : n;
    }
    return true;
}

namespace {

// The code point starting at text[i] and its length in bytes; a stray byte
// counts as one character of its own.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    if (i + n > text.size()) return {b, 1};
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return {c, n};
}

int columnsOf(char32_t c) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
    return wide ? 2 : 1;
}

} // namespace

std::string wrapForMessageBox(std::string_view text, int columns) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    // Byte offsets into out: where the current line starts, and its last space.
    std::size_t lineStart = 0;
    std::size_t lastSpace = std::string::npos;
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, n] = codePointAt(text, i);
        if (c == U'\n') {
            out += '\n';
            lineStart = out.size();
            lastSpace = std::string::npos;
            width = 0;
            i += n;
            continue;
        }
        const int w = columnsOf(c);
        if (c == U' ' && width + w > columns) {
            out += '\n';
            lineStart = out.size();
            lastSpace = std::string::npos;
            width = 0;
            i += n;
            continue;
        }
        if (width + w > columns && width > 0) {
            if (lastSpace != std::string::npos) {
                out[lastSpace] = '\n';
                lineStart = lastSpace + 1;
            } else {
                out += '\n';
                lineStart = out.size();
            }
            lastSpace = std::string::npos;
            width = 0;
            for (std::size_t k = lineStart; k < out.size(); k += codePointAt(out, k).second)
                width += columnsOf(codePointAt(out, k).first);
        }
        if (c == U' ') lastSpace = out.size();
        out.append(text.substr(i, n));
        width += w;
        i += n;
    }
    return out;
}

std::string statsLine(int frames, double cpuMs, double gpuMs, int drawCalls, int w, int h,
                      const std::string& profile) {
    const char* format = "[stats] %3d fps   CPU %5.1f ms   GPU %5.1f ms   %d Kopien  %dx%d %s\n";
    const int n = std::snprintf(nullptr, 0, format, frames, cpuMs, gpuMs, drawCalls, w, h, profile.c_str());
    std::string line(static_cast<std::size_t>(std::max(n, 0)), '\0');
    std::snprintf(line.data(), line.size() + 1, format, frames, cpuMs, gpuMs, drawCalls, w, h, profile.c_str());
    return line;
}

double nowSeconds() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void installTerminationHandlers() { setTerminationAction(&onTerminationSignal); }

void restoreDefaultTerminationHandlers() { setTerminationAction(SIG_DFL); }

bool terminationRequested() { return g_terminate != 0; }

} // namespace ui
