#include "platform/crash.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/version.h"

namespace platform {
namespace {

constexpr const char* kHeaderFormat =
    "%s %s (Build %d)\nportiert aus %s\n-----------------------------------------\n";

// Everything the handler touches is formatted before a signal can arrive:
// inside the handler nothing may allocate or format.
char g_path[512];
char g_header[512];
int g_headerLen = 0;
// Never holds more than 121 bytes, so the tail stays zero and strlen in the
// handler ends inside the buffer even while the main thread rewrites it.
char g_context[192];
std::atomic<bool> g_ready{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Lines for the signal numbers 4 to 11; 9 and 10 are never installed.
constexpr const char* kUnknownSignal = "unbekanntes Signal\n";
constexpr const char* kSignalLines[8] = {
    "SIGILL (unerlaubter Befehl)\n",
    "SIGTRAP (fataler GLib-Fehler — fehlt eine Ressource?)\n",
    "SIGABRT (abgebrochen)\n",
    "SIGBUS (Busfehler)\n",
    "SIGFPE (Rechenfehler)\n",
    kUnknownSignal,
    kUnknownSignal,
    "SIGSEGV (Zugriff auf fremden Speicher)\n",
};

const char* signalLine(int sig) { return (sig >= 4 && sig <= 11) ? kSignalLines[sig - 4] : kUnknownSignal; }

// Repeats write for the rest while it makes progress; a failing piece is
// given up and the next one still tried.
void writeAll(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w <= 0) return;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
}

void writeReport(int sig) {
    if (g_path[0] == '\0') return;
    static const char kFooter[] =
        "\nDieser Bericht liegt nur auf diesem Rechner und wurde nirgendwohin gesendet.\n"
        "Wer ihn weitergibt, hilft, den Fehler zu finden.\n";
    // Made afresh and never through a link: a link planted under the
    // report's name must not turn a crash into overwriting another file.
    // unlink is async-signal-safe like open, write and close.
    ::unlink(g_path);
    const int fd = ::open(g_path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (g_headerLen > 0) writeAll(fd, g_header, static_cast<std::size_t>(g_headerLen));
    writeAll(fd, "Signal: ", 8);
    const char* line = signalLine(sig);
    writeAll(fd, line, std::strlen(line));
    if (g_context[0] != '\0') {
        writeAll(fd, "Zuletzt: ", 9);
        writeAll(fd, g_context, std::strlen(g_context));
        writeAll(fd, "\n", 1);
    }
    writeAll(fd, kFooter, sizeof kFooter - 1);
    ::close(fd);
}

// The runtime directory when it is an absolute path to a directory we may
// write in; otherwise the data directory (empty when there is none either).
std::string reportDir() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && ::access(runtime, W_OK | X_OK) == 0) {
        struct stat info {};
        if (::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return runtime;
    }
    return paths::dataDir();
}

// The handler runs on a stack of its own, so that a stack overflow, which
// leaves no room on the thread's stack, still writes its report.
void useAlternateStack() {
    static char stack[64 * 1024];
    stack_t ss{};
    ss.ss_sp = stack;
    ss.ss_size = sizeof stack;
    ::sigaltstack(&ss, nullptr);
}

} // namespace

void installCrashHandler() {
    const std::string dir = reportDir();
    const int pathLen = std::snprintf(g_path, sizeof g_path, "%s/%s_crash.txt", dir.c_str(), kTitle);
    // A cut path would name some other file: rather no report than that.
    if (dir.empty() || pathLen < 0 || pathLen >= static_cast<int>(sizeof g_path)) g_path[0] = '\0';
    const int headerLen = std::snprintf(g_header, sizeof g_header, kHeaderFormat, kTitle, kVersion, kBuild, kPortedFrom);
    g_headerLen = headerLen < 0 ? 0 : std::min(headerLen, static_cast<int>(sizeof g_header) - 1);
    std::memset(g_context, 0, sizeof g_context);
    g_ready = true;
    useAlternateStack();
    struct sigaction sa {};
    sa.sa_handler = onFatalSignal;
    sa.sa_flags = SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS, SIGTRAP}) ::sigaction(sig, &sa, nullptr);
}

void setCrashContext(const char* text) {
    if (!text) {
        g_context[0] = '\0';
        return;
    }
    std::snprintf(g_context, sizeof g_context, "%.120s", text);
}

} // namespace platform

extern "C" void onFatalSignal(int sig) {
    if (platform::g_ready) platform::writeReport(sig);
    // Die of the same signal, so that shells, debuggers and core dumps see
    // the real cause.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}
