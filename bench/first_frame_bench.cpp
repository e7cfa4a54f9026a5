// How long the game takes from its start to its first presented frame: the
// program is started RUNS times (10), each on empty stores of its own, with
// the statistics line on; the time runs from just before the start to the
// moment the game reports its first frame on standard error, after which it
// is asked to end. Prints each run and the median, and the game's main
// thread's CPU time until its first frame (which a loaded machine does not
// stretch as it stretches the wall clock).
//
// Usage: first_frame_bench [--runs N] [--screen NAME] [GAME]
//   (needs a display: xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/first_frame_bench)
// GAME defaults to the game built beside this bench; NAME is a start screen
// as VELMORANDINE_SCREEN takes it (default: the splash, as a player starts).
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

constexpr const char* kFirstFrame = "[stats] erstes Bild nach ";
constexpr double kGiveUpSeconds = 20;

struct Run {
    double ms = -1;        // by this bench's clock
    double reported = -1;  // by the game's own account since its process began
    double cpu = -1;       // the game's main thread's CPU time until then
};

// Starts the game with standard error into a pipe; -1 when it cannot start.
pid_t startGame(const std::string& game, const std::string& data, const std::string& screen, int* errFd) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        if (std::FILE* null = std::fopen("/dev/null", "w")) ::dup2(::fileno(null), STDOUT_FILENO);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", data.c_str(), 1);
        ::setenv("VELMORANDINE_STATS", "1", 1);
        ::setenv("VELMORANDINE_ASSET_DIR", VEL_SOURCE_DIR, 0);
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (!screen.empty()) ::setenv("VELMORANDINE_SCREEN", screen.c_str(), 1);
        ::execl(game.c_str(), game.c_str(), "--size", "1280x720", static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return -1;
    }
    *errFd = fds[0];
    return pid;
}

Run once(const std::string& game, const std::string& screen, int index) {
    Run run;
    const std::string data = std::filesystem::temp_directory_path() /
                             ("velmorandine-first-frame-" + std::to_string(::getpid()) + "-" + std::to_string(index));
    std::filesystem::create_directories(data);
    int errFd = -1;
    const double start = seconds();
    const pid_t pid = startGame(game, data, screen, &errFd);
    if (pid < 0) return run;
    std::string seen;
    char buf[4096];
    while (run.ms < 0 && seconds() - start < kGiveUpSeconds) {
        pollfd p{errFd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        const ssize_t n = ::read(errFd, buf, sizeof buf);
        if (n <= 0) break;
        seen.append(buf, static_cast<std::size_t>(n));
        if (const std::size_t at = seen.find(kFirstFrame); at != std::string::npos) {
            const std::size_t lineEnd = seen.find('\n', at);
            if (lineEnd == std::string::npos) continue;
            run.ms = 1000 * (seconds() - start);
            const char* figures = seen.c_str() + at + std::strlen(kFirstFrame);
            run.reported = std::atof(figures);
            if (const char* comma = std::strchr(figures, ',')) run.cpu = std::atof(comma + 1);
        }
    }
    ::kill(pid, SIGTERM);
    ::close(errFd);  // the game's later lines go nowhere
    ::waitpid(pid, nullptr, 0);
    std::error_code ec;
    std::filesystem::remove_all(data, ec);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::string screen;
    std::string game = VEL_GAME_BINARY;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--screen" && i + 1 < argc) screen = argv[++i];
        else game = arg;
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("first frame: %s, %d runs, 1280x720%s%s\n", game.c_str(), runs, screen.empty() ? "" : ", screen ",
                screen.c_str());
    std::vector<double> times, cpus;
    for (int i = 0; i < runs; ++i) {
        const Run r = once(game, screen, i);
        if (r.ms < 0) {
            std::printf("  run %2d: no first frame within %.0f s\n", i + 1, kGiveUpSeconds);
            continue;
        }
        std::printf("  run %2d: %6.1f ms (the game counts %.0f ms since its process began, %.0f ms of them its "
                    "main thread's CPU time)\n",
                    i + 1, r.ms, r.reported, r.cpu);
        times.push_back(r.ms);
        cpus.push_back(r.cpu);
    }
    if (times.empty()) return 1;
    std::sort(times.begin(), times.end());
    std::sort(cpus.begin(), cpus.end());
    std::printf("median %.1f ms, min %.1f, max %.1f over %zu runs; main thread's CPU time median %.1f ms\n",
                times[times.size() / 2], times.front(), times.back(), times.size(), cpus[cpus.size() / 2]);
    return 0;
}
