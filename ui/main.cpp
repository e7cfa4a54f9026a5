// Program entry: start-up, the frame loop and shut-down.
#include <SDL.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "platform/crash.h"
#include "platform/i18n.h"
#include "platform/paths.h"
#include "platform/single_instance.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "ui/app.h"
#include "ui/entry.h"
#include "ui/screens.h"
#include "ui/shell.h"

namespace {

void seedProcessRandom() {
    std::random_device device("default");
    std::srand(static_cast<unsigned>(device()) ^ static_cast<unsigned>(std::time(nullptr)));
}

void applyWindowOptions(const ui::WindowOptions& opts) {
    store::Settings& s = store::settings();
    if (opts.fullscreen) s.fullscreen = *opts.fullscreen;
    if (opts.sizeGiven) {
        s.windowW = opts.width;
        s.windowH = opts.height;
    }
}

// SDL's own box cuts off a line longer than about 80 characters.
constexpr int kMessageBoxColumns = 64;

void endBoxGroup(int) { ::kill(0, SIGKILL); }

// SDL shows a message box from a child process of its own, which would
// outlive this copy if it were ended while the box is up. So the box is
// shown from a child of ours that leads its own process group and takes the
// whole group down when this process dies.
void showBoxTiedToUs(Uint32 kind, const std::string& title, const std::string& text) {
    const std::string message = ui::wrapForMessageBox(text, kMessageBoxColumns);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        struct sigaction sa {};
        sa.sa_handler = endBoxGroup;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGTERM, &sa, nullptr);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) _exit(0);  // died before the tie was made
        SDL_ShowSimpleMessageBox(kind, title.c_str(), message.c_str(), nullptr);
        _exit(0);
    }
    if (child < 0) {
        SDL_ShowSimpleMessageBox(kind, title.c_str(), message.c_str(), nullptr);
        return;
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        // Asked to end while the box waits for an answer: it goes at once.
        if (ui::terminationRequested()) ::kill(child, SIGTERM);
    }
}

// Another copy runs: say so on standard error and in a message box.
void refuseSecondInstance() {
    const std::string title = i18n::tr("app.alreadyRunningTitle");
    const std::string message = i18n::tr("app.alreadyRunning");
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    ui::restoreDefaultTerminationHandlers();
    showBoxTiedToUs(SDL_MESSAGEBOX_INFORMATION, title, message);
}

// A save file there but unreadable is kept as it is for the whole session,
// and so is all it holds: the player hears why the game starts without it
// before playing on with nothing saved into it.
void tellOfUnreadableSaves() {
    const std::vector<std::string> files = store::unreadableFiles();
    if (files.empty()) return;
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : "\n") + file;
    const std::string title = i18n::tr("app.saveUnreadableTitle");
    const std::string message = i18n::tr("app.saveUnreadable", {{"files", list}});
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    showBoxTiedToUs(SDL_MESSAGEBOX_WARNING, title, message);
}

void chooseStartScreen() {
    const char* name = std::getenv("VELMORANDINE_SCREEN");
    if (!name) return;
    if (auto state = ui::startScreenFor(name)) {
        ui::Game::instance().resetTo(*state);
    } else {
        std::fputs(ui::startScreenUsage().c_str(), stderr);
    }
}

} // namespace

int main(int argc, char** argv) {
    paths::redirectDiagnostics();
    if (const ui::InfoOption info = ui::findInfoOption(argc, argv); info != ui::InfoOption::None) {
        std::fputs(ui::infoText(info).c_str(), stdout);
        return 0;
    }

    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ui::installTerminationHandlers();
    // A closed standard output must not kill the game before it saves:
    // diagnostics that cannot be written are simply dropped.
    std::signal(SIGPIPE, SIG_IGN);
    // Without a display SDL falls back on a driver that draws nowhere: the
    // game would run unseen, hold the lock and save a size nobody chose. So
    // the display comes first, before any file is touched.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    if (const char* driver = SDL_GetCurrentVideoDriver(); ui::noDisplay(driver, std::getenv("SDL_VIDEODRIVER"))) {
        std::printf("[video] kein Bildschirm gefunden (SDL nahm den Treiber \"%s\"): das Spiel braucht eine "
                    "grafische Sitzung (X11 oder Wayland)\n",
                    driver ? driver : "?");
        std::fflush(stdout);
        SDL_Quit();
        return 1;
    }
    platform::installCrashHandler();
    paths::prepareFontconfig();
    seedProcessRandom();

    store::init();
    const ui::WindowOptions opts = ui::parseWindowOptions(argc, argv);
    applyWindowOptions(opts);
    i18n::setLanguage(store::settings().language);
    if (!platform::claimSingleInstance()) {
        refuseSecondInstance();
        return 0;
    }
    tellOfUnreadableSaves();
    rpg::setActiveDifficulty(store::settings().difficulty);
    chooseStartScreen();

    ui::Shell sh;
    if (!ui::openShell(sh, ui::Game::instance(), opts)) return 1;
    while (ui::runFrame(sh)) {
    }
    ui::closeShell(sh);
    SDL_Quit();
    return 0;
}
