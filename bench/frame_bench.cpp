// What a frame of the real game costs at 1280×720, screen by screen: every
// screenshot scene (every screen at least once; the battle six against six
// and kept busy) is set up through the game's own window, renderer and
// overlay and then drawn for a number of frames.
//
// Usage: frame_bench [--frames N] [--only NAME]... [--size WxH] [--real-clock] [--smaps DIR]
//        frame_bench --session MINUTES [--dwell SECONDS] [--every SECONDS] [--only NAME]...
//   --smaps DIR also copies the process's memory map (/proc/self/smaps) to
//   DIR/NAME.smaps after each scene of the table, to see where memory goes.
//   (needs a display: xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/frame_bench)
//
// A frame is counted whole, as the main thread pays for it: events, the
// overlay's clear, the screen's update and drawing, audio, the upload of the
// overlay and the present call, in this thread's CPU time, which stays
// honest on a loaded machine where the wall clock also counts the waits for
// a core. One line per scene: the frame's p50, p95 and max, the update's
// p50 alone, the overlay pixels uploaded (p50, thousands), the upload and
// present by the wall clock (p50), the share of frames presented (a frame
// that shows what the window already shows is not), the draw calls and the
// resident memory after the scene.
//
// The menu runs on the real clock (its title swells and its storm moves by
// real time, as in the game); the other scenes step a fixed 1/60 s per frame
// unless --real-clock is given.
//
// The session mode cycles through the scenes for MINUTES minutes, each for
// --dwell seconds (5), and prints resident memory and the frames' figures
// every --every seconds (30): memory that grows over a long session shows.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <SDL.h>

#include "tools/screenshots/stage.h"
#include "ui/entry.h"
#include "ui/gpu.h"
#include "ui/screens.h"

namespace {

struct Options {
    int frames = 300;
    std::vector<std::string> only;
    int width = 1280;
    int height = 720;
    bool realClock = false;
    double sessionMinutes = 0;
    double dwell = 5;
    double every = 30;
    std::string smapsDir;
};

bool parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--real-clock") {
            o->realClock = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (arg == "--frames") o->frames = std::max(1, std::atoi(value));
        else if (arg == "--only") o->only.push_back(value);
        else if (arg == "--session") o->sessionMinutes = std::atof(value);
        else if (arg == "--dwell") o->dwell = std::max(0.5, std::atof(value));
        else if (arg == "--every") o->every = std::max(1.0, std::atof(value));
        else if (arg == "--smaps") o->smapsDir = value;
        else if (arg == "--size") {
            if (std::sscanf(value, "%dx%d", &o->width, &o->height) != 2) return false;
        } else return false;
    }
    return true;
}

bool wanted(const Options& o, const stage::Shot& shot) {
    if (o.only.empty()) return true;
    for (const std::string& prefix : o.only) {
        if (std::strncmp(shot.name, prefix.c_str(), prefix.size()) == 0) return true;
    }
    return false;
}

bool isBusyBattle(const stage::Shot& shot) { return std::strcmp(shot.name, "battle-six") == 0; }
bool isMenu(const stage::Shot& shot) { return shot.screen == ui::kMenu; }

// Resident memory of this process in MB (VmRSS, or VmHWM for the peak).
double residentMb(const char* field = "VmRSS:") {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, n, field) == 0) return std::atof(line.c_str() + n) / 1024.0;
    }
    return 0;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

struct Samples {
    std::vector<double> frame, update, present, uploaded;
    int presented = 0;
    void add(const ui::FrameCost& c) {
        if (c.presented) ++presented;
        frame.push_back(1000 * c.frameCpu);
        update.push_back(1000 * c.updateCpu);
        present.push_back(1000 * c.present);
        uploaded.push_back(static_cast<double>(c.uploadedPixels) / 1000);
    }
    void clear() { *this = Samples{}; }
};

void copySmaps(const std::string& to) {
    std::ifstream in("/proc/self/smaps");
    std::ofstream out(to);
    out << in.rdbuf();
}

void frameOf(stage::Window& win, const stage::Shot& shot) {
    if (isBusyBattle(shot)) stage::keepBattleBusy(win);
    win.frame();
}

// Sets the scene up as its picture is, then lets it run on the clock it is
// measured with.
void setUp(stage::Session& session, stage::Window& win, const stage::Shot& shot, const Options& o) {
    session.freshStores("en");
    win.setStep(1.0 / 60);
    shot.play(win);
    // Some scenes are reached in coarser steps; all are measured at 60 frames a second.
    win.setStep(1.0 / 60);
    win.useRealClock(o.realClock || isMenu(shot));
}

int table(stage::Session& session, stage::Window& win, const Options& o) {
    std::printf("frame bench: %dx%d, %d frames a scene after 30 to settle; main-thread CPU ms per frame\n", o.width,
                o.height, o.frames);
    std::printf("%-20s %3s %7s %7s %7s %8s %8s %8s %6s %6s %8s\n", "scene", "scr", "p50", "p95", "max", "upd p50",
                "upl kpx", "upl+pres", "pres%", "calls", "RSS MB");
    for (const stage::Shot& shot : stage::shots()) {
        if (!wanted(o, shot)) continue;
        setUp(session, win, shot, o);
        const auto stillThere = [&] { return ui::Game::instance().top().screen == shot.screen; };
        for (int i = 0; i < 30 && stillThere(); ++i) frameOf(win, shot);
        Samples s;
        // A screen that moves on by itself (the splash) is timed until it does.
        for (int i = 0; i < o.frames && stillThere(); ++i) {
            frameOf(win, shot);
            s.add(win.shell().last);
        }
        const double shown = s.frame.empty() ? 0 : 100.0 * s.presented / static_cast<double>(s.frame.size());
        std::printf("%-20s %3d %7.2f %7.2f %7.2f %8.2f %8.0f %8.2f %6.0f %6d %8.1f", shot.name, shot.screen,
                    percentile(s.frame, 0.5), percentile(s.frame, 0.95), percentile(s.frame, 1.0),
                    percentile(s.update, 0.5), percentile(s.uploaded, 0.5), percentile(s.present, 0.5), shown,
                    ui::gpuDrawCalls(), residentMb());
        if (static_cast<int>(s.frame.size()) < o.frames) std::printf("  (%zu frames)", s.frame.size());
        std::printf("\n");
        if (isBusyBattle(shot)) std::printf("  %s\n", stage::battleInFlight().c_str());
        std::fflush(stdout);
        if (!o.smapsDir.empty()) copySmaps(o.smapsDir + "/" + shot.name + ".smaps");
    }
    std::printf("peak resident memory %.1f MB\n", residentMb("VmHWM:"));
    return 0;
}

int session(stage::Session& session, stage::Window& win, const Options& o) {
    std::vector<const stage::Shot*> cycle;
    for (const stage::Shot& shot : stage::shots()) {
        if (wanted(o, shot)) cycle.push_back(&shot);
    }
    if (cycle.empty()) return 2;
    std::printf("frame bench session: %.1f min over %zu scenes, %.0f s each; main-thread CPU ms per frame\n",
                o.sessionMinutes, cycle.size(), o.dwell);
    std::printf("%7s %8s %8s %7s %7s %7s  %s\n", "min", "RSS MB", "frames", "p50", "p95", "max", "scene");
    const double start = ui::nowSeconds();
    const double end = start + 60 * o.sessionMinutes;
    double nextReport = start + o.every;
    const double firstRss = residentMb();
    double lastRss = firstRss;
    Samples s;
    for (std::size_t k = 0; ui::nowSeconds() < end; ++k) {
        const stage::Shot& shot = *cycle[k % cycle.size()];
        if (k == 0 || cycle.size() > 1) setUp(session, win, shot, o);
        const double leave = std::min(end, ui::nowSeconds() + o.dwell);
        while (ui::nowSeconds() < leave) {
            frameOf(win, shot);
            s.add(win.shell().last);
            if (ui::nowSeconds() >= nextReport) {
                lastRss = residentMb();
                std::printf("%7.2f %8.1f %8zu %7.2f %7.2f %7.2f  %s\n", (ui::nowSeconds() - start) / 60, lastRss,
                            s.frame.size(), percentile(s.frame, 0.5), percentile(s.frame, 0.95),
                            percentile(s.frame, 1.0), shot.name);
                std::fflush(stdout);
                s.clear();
                nextReport += o.every;
            }
        }
    }
    std::printf("resident memory: %.1f MB at the first report's start, %.1f MB at the last; peak %.1f MB\n",
                firstRss, lastRss, residentMb("VmHWM:"));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, &o)) {
        std::fputs("usage: frame_bench [--frames N] [--only NAME]... [--size WxH] [--real-clock] [--smaps DIR]\n"
                   "       frame_bench --session MINUTES [--dwell SECONDS] [--every SECONDS] [--only NAME]...\n",
                   stderr);
        return 2;
    }
    stage::Session stages;
    stage::Window win(o.width, o.height);
    if (!win.ok()) return 1;
    // Without a display SDL falls back to its offscreen driver, whose GL keeps
    // every frame's drawing queued: the figures would be nobody's window's.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        std::fprintf(stderr, "frame bench: the video driver is \"%s\", not a window's; its figures (memory above all) "
                             "are not a player's: run it under xvfb-run or on a desktop\n",
                     driver);
    return o.sessionMinutes > 0 ? session(stages, win, o) : table(stages, win, o);
}
