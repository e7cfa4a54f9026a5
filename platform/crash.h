#pragma once
// The crash report: when the process dies of a fatal signal, a short text
// file names the build, the signal and the screen last shown, and the
// signal then takes its normal course.
namespace platform {

// Prepares everything the handler writes and installs it for SIGSEGV,
// SIGABRT, SIGFPE, SIGILL, SIGBUS and SIGTRAP. The report goes to
// "$XDG_RUNTIME_DIR/Velmorandine_crash.txt", else into the data directory.
// Call once, early.
void installCrashHandler();

// The line that the report names after "Zuletzt: ". Null empties it; longer
// texts are cut at 120 bytes.
void setCrashContext(const char* text);

} // namespace platform

// The fatal-signal handler. It uses only open, write, strlen, close, signal
// and raise on data prepared in advance.
extern "C" void onFatalSignal(int sig);
