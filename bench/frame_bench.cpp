// CPU cost of busy frames of the real game at 1280×720: the battle in full
// action (six a side, effects in flight, rising numbers), the run map at its
// deepest row and the party screen, each drawn through the game's own window,
// renderer and overlay for a number of frames.
//
// Usage: frame_bench [--frames N] [--repeat R] [--only NAME]  (needs a display:
//        xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/frame_bench)
//
// Per screen it prints the frame's update (the screen's input and drawing,
// steps from the cleared layers to the finished overlay) as CPU time of the
// drawing thread and by the wall clock, and the upload and present that
// follow by the wall clock. The thread's CPU time is what the game spends;
// it stays honest on a loaded machine, where the wall clock also counts the
// time the thread waits for a core. With R repeats the median run is shown.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/screenshots/stage.h"
#include "ui/gpu.h"
#include "ui/screens.h"

namespace {

struct Scene {
    const char* name;
    void (*setUp)(stage::Window&);
    void (*beforeFrame)(stage::Window&);
};

struct Figures {
    double cpuMean = 0, cpuMedian = 0, cpuP95 = 0, cpuMax = 0;
    double wallMean = 0, presentMean = 0;
    int drawCalls = 0;
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

Figures measure(stage::Window& win, const Scene& scene, int frames) {
    scene.setUp(win);
    for (int i = 0; i < 30; ++i) {  // caches filled, animations under way
        if (scene.beforeFrame) scene.beforeFrame(win);
        win.frame();
    }
    std::vector<double> cpu, wall, present;
    for (int i = 0; i < frames; ++i) {
        if (scene.beforeFrame) scene.beforeFrame(win);
        win.frame();
        const ui::FrameCost& c = win.shell().last;
        cpu.push_back(1000 * c.updateCpu);
        wall.push_back(1000 * c.update);
        present.push_back(1000 * c.present);
    }
    Figures f;
    f.cpuMean = mean(cpu);
    f.cpuMedian = percentile(cpu, 0.5);
    f.cpuP95 = percentile(cpu, 0.95);
    f.cpuMax = percentile(cpu, 1.0);
    f.wallMean = mean(wall);
    f.presentMean = mean(present);
    f.drawCalls = ui::gpuDrawCalls();
    return f;
}

void busyBattleFrame(stage::Window& win) { stage::keepBattleBusy(win); }

} // namespace

int main(int argc, char** argv) {
    int frames = 600;
    int repeat = 3;
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--frames") frames = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--repeat") repeat = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--only") only = argv[i + 1];
    }
    const Scene scenes[] = {
        {"battle (6 v 6, busy)", &stage::busyBattle, &busyBattleFrame},
        {"map (rows 0-7 done)", &stage::mapAtDepth8, nullptr},
        {"party (full sheet)", &stage::partySheet, nullptr},
    };
    stage::Session session;
    stage::Window win(1280, 720);
    if (!win.ok()) return 1;
    std::printf("frame bench: 1280x720, %d frames per run, median of %d runs; ms per frame\n", frames, repeat);
    std::printf("%-24s %29s %10s %10s %6s\n", "screen", "update CPU mean/med/p95/max", "upd wall", "present",
                "calls");
    for (const Scene& scene : scenes) {
        if (!std::string(scene.name).starts_with(only)) continue;
        std::vector<Figures> runs;
        for (int r = 0; r < repeat; ++r) {
            session.freshStores("en");
            runs.push_back(measure(win, scene, frames));
        }
        std::sort(runs.begin(), runs.end(), [](const Figures& a, const Figures& b) { return a.cpuMean < b.cpuMean; });
        const Figures& f = runs[runs.size() / 2];
        std::printf("%-24s %6.2f %6.2f %6.2f %7.2f %10.2f %10.2f %6d\n", scene.name, f.cpuMean, f.cpuMedian,
                    f.cpuP95, f.cpuMax, f.wallMean, f.presentMean, f.drawCalls);
        if (scene.beforeFrame) std::printf("  %s\n", stage::battleInFlight().c_str());
    }
    return 0;
}
