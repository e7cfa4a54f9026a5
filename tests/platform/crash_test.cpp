// The crash report and the single-instance lock act on the whole process,
// so each case runs in a fresh helper process with its own runtime and data
// directories.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/fs.h"
#include "tests/support/test_env.h"

extern char** environ;

namespace {

namespace fs = platform::fs;

using EnvChanges = std::map<std::string, std::optional<std::string>>;  // nullopt: unset

// One run of the helper process, with pipes to its stdin and stdout.
class Probe {
public:
    Probe(const std::vector<std::string>& args, const EnvChanges& env) {
        std::vector<std::string> envStrings;
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (!env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
        }
        for (const auto& [name, value] : env) {
            if (value) envStrings.push_back(name + "=" + *value);
        }
        std::vector<std::string> argStrings{VEL_CRASH_PROBE};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv = pointers(argStrings), envp = pointers(envStrings);

        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~Probe() {
        closeInput();
        if (fromChild_ >= 0) close(fromChild_);
        if (pid_ > 0 && status_ < 0) wait();
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool started() const { return pid_ > 0; }

    std::string readLine() {
        std::string line;
        char c;
        while (read(fromChild_, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }

    void closeInput() {
        if (toChild_ >= 0) close(toChild_);
        toChild_ = -1;
    }

    // The raw wait status.
    int wait() {
        closeInput();
        if (status_ < 0 && pid_ > 0) waitpid(pid_, &status_, 0);
        return status_;
    }

private:
    static std::vector<char*> pointers(std::vector<std::string>& strings) {
        std::vector<char*> p;
        for (auto& s : strings) p.push_back(s.data());
        p.push_back(nullptr);
        return p;
    }

    pid_t pid_ = -1;
    int status_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
};

// Fresh runtime and data directories for one case.
struct Sandbox {
    std::string runtime, dataHome, dataDir;
    explicit Sandbox(const std::string& name) {
        const std::string root = testenv::root() + "/crash/" + name;
        runtime = root + "/runtime";
        dataHome = root + "/data";
        dataDir = dataHome + "/Velmorandine";
        fs::ensureDir(runtime);
        fs::ensureDir(dataHome);
    }
    EnvChanges env() const { return {{"XDG_RUNTIME_DIR", runtime}, {"XDG_DATA_HOME", dataHome}}; }
};

int run(const std::vector<std::string>& args, const EnvChanges& env) {
    Probe p(args, env);
    EXPECT_TRUE(p.started());
    return p.wait();
}

int killedBy(int status) { return WIFSIGNALED(status) ? WTERMSIG(status) : 0; }
int exitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const std::string kHeader =
    "Velmorandine 1.0.0 (Build 1053)\nportiert aus 1.2.1\n" + std::string(41, '-') + "\n";
const char* const kReportName = "/Velmorandine_crash.txt";

struct FatalSignal {
    int sig;
    const char* line;
};

const FatalSignal kFatalSignals[] = {
    {SIGSEGV, "SIGSEGV (Zugriff auf fremden Speicher)\n"},
    {SIGILL, "SIGILL (unerlaubter Befehl)\n"},
    {SIGTRAP, "SIGTRAP (fataler GLib-Fehler — fehlt eine Ressource?)\n"},
    {SIGABRT, "SIGABRT (abgebrochen)\n"},
    {SIGBUS, "SIGBUS (Busfehler)\n"},
    {SIGFPE, "SIGFPE (Rechenfehler)\n"},
};

// Splits a report into what the case decides and the closing note, which is
// the same constant text in every report.
std::string footerOf(const std::string& report, const std::string& expectedStart) {
    EXPECT_EQ(report.substr(0, expectedStart.size()), expectedStart);
    return report.substr(std::min(expectedStart.size(), report.size()));
}

} // namespace

TEST(CrashReport, EveryFatalSignalLeavesAReportAndStillKills) {
    Sandbox box("signals");
    std::optional<std::string> footer;
    for (const char* mode : {"raise", "fault"}) {
        for (const auto& f : kFatalSignals) {
            const std::string what = std::string(mode) + " " + std::to_string(f.sig);
            fs::remove(box.runtime + kReportName);
            const int status = run({mode, std::to_string(f.sig)}, box.env());
            EXPECT_EQ(killedBy(status), f.sig) << what;

            const auto report = readFile(box.runtime + kReportName);
            ASSERT_TRUE(report) << what;
            const std::string tail = footerOf(*report, kHeader + "Signal: " + f.line);
            EXPECT_EQ(tail.find("Zuletzt: "), std::string::npos) << what << ": no context was set";
            if (!footer) footer = tail;
            EXPECT_EQ(tail, *footer) << what;
        }
    }
    ASSERT_TRUE(footer);
    EXPECT_EQ(kHeader.size(), 93u);
    EXPECT_GT(footer->size(), 20u);
    EXPECT_EQ(footer->front(), '\n');
    EXPECT_EQ(footer->back(), '\n');
}

TEST(CrashReport, ContextLineIsCutAt120Bytes) {
    Sandbox box("context");
    std::string longLine;
    for (int i = 0; i < 150; ++i) longLine += static_cast<char>('a' + i % 26);
    const std::string report = kHeader + "Signal: SIGSEGV (Zugriff auf fremden Speicher)\n";

    struct Case {
        std::vector<std::string> contexts;
        std::string line;  // empty: no "Zuletzt: " line at all
    };
    const Case cases[] = {
        {{"ctx=" + longLine}, longLine.substr(0, 120)},
        {{"ctx=Bildschirm 10, Feld n3, Welt 42, Tiefe 3"}, "Bildschirm 10, Feld n3, Welt 42, Tiefe 3"},
        {{"ctx=" + longLine, "ctx=kurz"}, "kurz"},
        {{"ctx=" + longLine, "ctx-null"}, ""},
        {{"ctx="}, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"fault", std::to_string(SIGSEGV)};
        args.insert(args.end(), c.contexts.begin(), c.contexts.end());
        fs::remove(box.runtime + kReportName);
        EXPECT_EQ(killedBy(run(args, box.env())), SIGSEGV);
        const auto got = readFile(box.runtime + kReportName);
        ASSERT_TRUE(got);
        const std::string start = c.line.empty() ? report : report + "Zuletzt: " + c.line + "\n";
        const std::string tail = footerOf(*got, start);
        EXPECT_EQ(tail.find("Zuletzt: "), std::string::npos) << "one context line at most";
    }
}

TEST(CrashReport, OtherSignalNumbersAreNamedUnknown) {
    Sandbox box("unknown");
    for (int sig : {SIGKILL, SIGUSR1, SIGINT}) {
        fs::remove(box.runtime + kReportName);
        EXPECT_EQ(killedBy(run({"call", std::to_string(sig)}, box.env())), sig);
        const auto report = readFile(box.runtime + kReportName);
        ASSERT_TRUE(report) << sig;
        footerOf(*report, kHeader + "Signal: unbekanntes Signal\n");
    }
}

TEST(CrashReport, ReportDirectoryFallsBackToTheDataDirectory) {
    Sandbox box("fallback");
    struct Case {
        std::optional<std::string> runtime;
        std::string reportDir;  // empty: no report anywhere
    };
    const Case cases[] = {
        {std::nullopt, box.dataDir},
        {"", box.dataDir},
        {box.runtime, box.runtime},
        {box.runtime + "/missing", box.dataDir},
        {"relative/runtime", box.dataDir},
    };
    for (const auto& c : cases) {
        for (const std::string& dir : {box.runtime, box.dataDir}) fs::remove(dir + kReportName);
        const EnvChanges env{{"XDG_RUNTIME_DIR", c.runtime}, {"XDG_DATA_HOME", box.dataHome}};
        EXPECT_EQ(killedBy(run({"raise", std::to_string(SIGABRT)}, env)), SIGABRT);
        const std::string what = c.runtime ? "XDG_RUNTIME_DIR=" + *c.runtime : "XDG_RUNTIME_DIR unset";
        for (const std::string& dir : {box.runtime, box.dataDir}) {
            EXPECT_EQ(fs::isFile(dir + kReportName), dir == c.reportDir) << what << ", looked in " << dir;
        }
    }
}

TEST(CrashReport, AStackOverflowLeavesAReport) {
    Sandbox box("overflow");
    EXPECT_EQ(killedBy(run({"overflow", "0"}, box.env())), SIGSEGV);
    const auto report = readFile(box.runtime + kReportName);
    ASSERT_TRUE(report);
    footerOf(*report, kHeader + "Signal: SIGSEGV (Zugriff auf fremden Speicher)\n");
}

TEST(CrashReport, APlantedLinkIsNotWrittenThrough) {
    Sandbox box("link");
    const std::string victim = box.runtime + "/victim.txt";
    { std::ofstream(victim) << "the player's own file"; }
    ASSERT_EQ(::symlink(victim.c_str(), (box.runtime + kReportName).c_str()), 0);
    EXPECT_EQ(killedBy(run({"raise", std::to_string(SIGABRT)}, box.env())), SIGABRT);
    EXPECT_EQ(readFile(victim), "the player's own file");
    const auto report = readFile(box.runtime + kReportName);
    ASSERT_TRUE(report);
    footerOf(*report, kHeader + "Signal: SIGABRT (abgebrochen)\n");
}

TEST(CrashReport, HandlerBeforeInstallationOnlyKills) {
    Sandbox box("bare");
    EXPECT_EQ(killedBy(run({"bare", std::to_string(SIGSEGV)}, box.env())), SIGSEGV);
    EXPECT_FALSE(fs::isFile(box.runtime + kReportName));
    EXPECT_FALSE(fs::isFile(box.dataDir + kReportName));
}

TEST(SingleInstance, SecondProcessIsRefusedWhileTheFirstLives) {
    Sandbox box("lock"), other("lock-other");
    {
        Probe first({"hold"}, box.env());
        ASSERT_TRUE(first.started());
        ASSERT_EQ(first.readLine(), "1");
        EXPECT_EQ(exitCode(run({"claim"}, box.env())), 3);
        EXPECT_EQ(exitCode(run({"claim"}, box.env())), 3);
        EXPECT_EQ(exitCode(run({"claim"}, other.env())), 0) << "another data directory has its own lock";
        EXPECT_EQ(exitCode(first.wait()), 0);
    }
    EXPECT_EQ(exitCode(run({"claim"}, box.env())), 0) << "free once the holder has ended";
    EXPECT_EQ(fs::fileSize(box.dataDir + "/lock"), 0) << "the lock file stays empty";
}

TEST(SingleInstance, RepeatedClaimKeepsTheFirstLock) {
    Sandbox box("twice");
    EXPECT_EQ(exitCode(run({"twice"}, box.env())), 0);
}

TEST(SingleInstance, UnopenableLockFileDoesNotStopTheGame) {
    Sandbox box("unopenable");
    ASSERT_TRUE(fs::ensureDir(box.dataDir + "/lock"));  // a directory cannot be opened for writing
    EXPECT_EQ(exitCode(run({"claim"}, box.env())), 0);
}
