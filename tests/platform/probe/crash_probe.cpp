// A fresh process for the crash-report and lock tests: every run starts
// with clean process state and the environment the test hands it.
//
//   crash_probe raise <sig> [ctx=<text>|ctx-null]...  install, set context, raise sig
//   crash_probe fault <sig> [ctx=<text>|ctx-null]...  install, set context, cause sig for real
//   crash_probe call <sig>                            install, call the handler directly
//   crash_probe overflow <sig>                        install, overflow the stack (sig unused)
//   crash_probe bare <sig>                            call the handler without installing it
//   crash_probe hold     claim the lock, print 1 or 0, keep it until stdin closes
//   crash_probe claim    exit 0 when the lock was claimed, 3 when refused
//   crash_probe twice    claim, delete the lock file, claim again: exit 0 when
//                        both succeed and the file was not made anew
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "platform/crash.h"
#include "platform/paths.h"
#include "platform/single_instance.h"

namespace {

void applyContexts(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
        if (std::strncmp(argv[i], "ctx=", 4) == 0) platform::setCrashContext(argv[i] + 4);
        if (std::strcmp(argv[i], "ctx-null") == 0) platform::setCrashContext(nullptr);
    }
}

// Brings the signal about the way a real fault would; raise where the
// machine gives no such fault.
void causeFault(int sig) {
    const long page = sysconf(_SC_PAGESIZE);
    if (sig == SIGSEGV) {
        void* p = mmap(nullptr, static_cast<std::size_t>(page), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        *static_cast<volatile int*>(p) = 1;
    } else if (sig == SIGBUS) {
        // A mapping past the end of an empty file.
        const int fd = memfd_create("probe", 0);
        void* p = mmap(nullptr, static_cast<std::size_t>(page), PROT_READ, MAP_SHARED, fd, 0);
        std::printf("%d\n", *static_cast<volatile int*>(p));
    } else if (sig == SIGABRT) {
        std::abort();
    }
#if defined(__x86_64__) || defined(__i386__)
    else if (sig == SIGFPE) {
        volatile int zero = 0;
        volatile int one = 1;
        std::printf("%d\n", one / zero);
    } else if (sig == SIGILL) {
        __builtin_trap();
    } else if (sig == SIGTRAP) {
        asm volatile("int3");
    }
#endif
    std::raise(sig);
}

// Each frame keeps a buffer alive, so the stack runs out quickly.
int recurse(int depth) {
    if (depth < 0) return 0;  // never: the depth only grows
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return recurse(depth + 1) + frame[0];
}

int holdLock() {
    std::printf("%d\n", platform::claimSingleInstance() ? 1 : 0);
    std::fflush(stdout);
    char buf[64];
    while (read(STDIN_FILENO, buf, sizeof buf) > 0) {
    }
    return 0;
}

int claimTwice() {
    const bool first = platform::claimSingleInstance();
    const std::string path = paths::dataDir() + "/lock";
    unlink(path.c_str());
    const bool second = platform::claimSingleInstance();
    const bool madeAnew = access(path.c_str(), F_OK) == 0;
    return (first && second && !madeAnew) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // The tests crash this process on purpose: no core files.
    prctl(PR_SET_DUMPABLE, 0);
    if (argc < 2) return 2;
    const std::string mode = argv[1];
    if (mode == "hold") return holdLock();
    if (mode == "claim") return platform::claimSingleInstance() ? 0 : 3;
    if (mode == "twice") return claimTwice();
    if (argc < 3) return 2;
    const int sig = std::atoi(argv[2]);
    if (mode == "bare") {
        onFatalSignal(sig);
        return 1;
    }
    platform::installCrashHandler();
    applyContexts(argc, argv, 3);
    if (mode == "raise") std::raise(sig);
    if (mode == "fault") causeFault(sig);
    if (mode == "call") onFatalSignal(sig);
    if (mode == "overflow") return recurse(0);
    return 1;  // still alive: the handler did not end the process
}
