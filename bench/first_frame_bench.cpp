// How long the game takes from its start to its first presented frame,
// against a bare SDL program that shows the same first frame (a window of
// the same size, the renderer, one full-window texture uploaded and
// presented: bench/first_frame_bare.cpp). Each program is started RUNS
// times (10), in turn, the game each time on empty stores of its own; the
// time runs from just before the start to the return of the program's first
// SDL_RenderPresent, which a small library loaded into it (LD_PRELOAD,
// bench/first_frame_shim.cpp) reports, after which the program is asked to
// end. Prints each run, the medians, the main thread's CPU time until then
// (which a loaded machine does not stretch as it stretches the wall clock)
// and the ratio of the game's median to the bare program's.
//
// Usage: first_frame_bench [--runs N] [--screen NAME] [GAME]...
//   (needs a display: xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/first_frame_bench)
// GAME defaults to the game built beside this bench; several are timed in
// turn (one build before a change, one after). NAME is a start screen as
// VELMORANDINE_SCREEN takes it (default: the splash, as a player starts).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kGiveUpSeconds = 20;
constexpr const char* kSize = "1280x720";

long long monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Run {
    double ms = -1;   // start to the first present's return
    double cpu = -1;  // the presenting thread's CPU time until then
};

struct Program {
    std::string path;
    bool game = false;  // the game: stores of its own, a start screen
};

// Starts the program with the shim loaded, its report going to *reportFd;
// -1 when it cannot start.
pid_t start(const Program& p, const std::string& data, const std::string& screen, int* reportFd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::dup(fds[1]);  // without close-on-exec
        if (std::FILE* null = std::fopen("/dev/null", "w")) {
            ::dup2(::fileno(null), STDOUT_FILENO);
            ::dup2(::fileno(null), STDERR_FILENO);
        }
        ::setenv("VEL_FIRST_FRAME_FD", std::to_string(out).c_str(), 1);
        ::setenv("LD_PRELOAD", VEL_FIRST_FRAME_SHIM, 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (p.game) {
            ::setenv("XDG_DATA_HOME", data.c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", data.c_str(), 1);
            ::setenv("VELMORANDINE_ASSET_DIR", VEL_SOURCE_DIR, 0);
            if (!screen.empty()) ::setenv("VELMORANDINE_SCREEN", screen.c_str(), 1);
        }
        ::execl(p.path.c_str(), p.path.c_str(), "--size", kSize, static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return -1;
    }
    *reportFd = fds[0];
    return pid;
}

Run once(const Program& p, const std::string& screen, int index) {
    Run run;
    const std::string data = std::filesystem::temp_directory_path() /
                             ("velmorandine-first-frame-" + std::to_string(::getpid()) + "-" + std::to_string(index));
    std::filesystem::create_directories(data);
    int fd = -1;
    const long long begin = monotonicNs();
    const pid_t pid = start(p, data, screen, &fd);
    if (pid < 0) return run;
    std::string seen;
    char buf[128];
    while (seen.find('\n') == std::string::npos && monotonicNs() - begin < kGiveUpSeconds * 1e9) {
        pollfd pf{fd, POLLIN, 0};
        if (::poll(&pf, 1, 100) <= 0) continue;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;  // ended without presenting
        seen.append(buf, static_cast<std::size_t>(n));
    }
    long long when = 0, cpu = 0;
    if (std::sscanf(seen.c_str(), "%lld %lld", &when, &cpu) == 2) {
        run.ms = static_cast<double>(when - begin) / 1e6;
        run.cpu = static_cast<double>(cpu) / 1e6;
    }
    ::kill(pid, SIGTERM);
    ::close(fd);
    ::waitpid(pid, nullptr, 0);
    std::error_code ec;
    std::filesystem::remove_all(data, ec);
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figures {
    std::vector<double> ms, cpu;
};

void print(char name, const Figures& f) {
    std::printf("%c: median %6.1f ms, min %6.1f, max %6.1f over %zu runs; main thread's CPU time median %.1f ms\n",
                name, median(f.ms), *std::min_element(f.ms.begin(), f.ms.end()),
                *std::max_element(f.ms.begin(), f.ms.end()), f.ms.size(), median(f.cpu));
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::string screen;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--screen" && i + 1 < argc) screen = argv[++i];
        else programs.push_back({arg, true});
    }
    if (programs.empty()) programs.push_back({VEL_GAME_BINARY, true});
    programs.push_back({VEL_BARE_BINARY, false});
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("first frame: %d runs of each, %s%s%s\n", runs, kSize, screen.empty() ? "" : ", screen ",
                screen.c_str());
    for (std::size_t k = 0; k < programs.size(); ++k)
        std::printf("  %c: %s\n", static_cast<char>('A' + k), programs[k].path.c_str());
    std::vector<Figures> figures(programs.size());
    // In turn, so that a machine getting busier weighs on all alike.
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const Run r = once(programs[k], screen, i);
            if (r.ms < 0) {
                std::printf("  run %2d %c: no first frame within %.0f s\n", i + 1, static_cast<char>('A' + k),
                            kGiveUpSeconds);
                continue;
            }
            std::printf("  run %2d %c: %6.1f ms, %5.1f ms of them the main thread's CPU time\n", i + 1,
                        static_cast<char>('A' + k), r.ms, r.cpu);
            figures[k].ms.push_back(r.ms);
            figures[k].cpu.push_back(r.cpu);
        }
    }
    const Figures& bare = figures.back();
    if (bare.ms.empty()) return 1;
    for (std::size_t k = 0; k < programs.size(); ++k) {
        if (figures[k].ms.empty()) return 1;
        print(static_cast<char>('A' + k), figures[k]);
    }
    for (std::size_t k = 0; k + 1 < programs.size(); ++k)
        std::printf("%c / bare: %.2f (median to median)\n", static_cast<char>('A' + k),
                    median(figures[k].ms) / median(bare.ms));
    return 0;
}
