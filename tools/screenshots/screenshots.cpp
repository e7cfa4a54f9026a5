// Pictures of every screen of the game as a player sees them, through the
// game's own window, renderer and overlay: every shot at 1280×720 and at the
// smallest window, 860×560, in English, German, Arabic and Japanese.
//
// Usage: vel_screenshots [--out DIR] [--only NAME] [--lang CODES] [--size WxH] [--part K/N]
//   --out   where the PNGs go (default: <build>/screenshots)
//   --only  only shots whose name starts with NAME (repeatable)
//   --lang  comma-separated language codes instead of en,de,ar,ja
//   --size  one window size instead of both
//   --part  only the K-th of N shares of the shots (every N-th from the
//           K-th, 1 <= K <= N), so that N programs picture all of them
// Needs a display; `make screenshots` runs it under Xvfb. Files are named
// "<screen number>-<shot>-<language>-<W>x<H>.png".
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tools/screenshots/stage.h"

namespace {

struct Options {
    std::string out = std::string(VEL_BINARY_DIR) + "/screenshots";
    std::vector<std::string> only;
    std::vector<std::string> languages{"en", "de", "ar", "ja"};
    std::vector<std::pair<int, int>> sizes{{1280, 720}, {860, 560}};
    int part = 1;
    int parts = 1;
};

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = text.find(',', from);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > from) out.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return out;
}

bool parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) return false;
        ++i;
        if (arg == "--out") {
            o->out = value;
        } else if (arg == "--only") {
            o->only.push_back(value);
        } else if (arg == "--lang") {
            o->languages = splitCommas(value);
        } else if (arg == "--size") {
            int w = 0, h = 0;
            if (std::sscanf(value, "%dx%d", &w, &h) != 2 || w < 860 || h < 560) return false;
            o->sizes = {{w, h}};
        } else if (arg == "--part") {
            char rest = 0;
            if (std::sscanf(value, "%d/%d%c", &o->part, &o->parts, &rest) != 2 || o->parts < 1 || o->part < 1 ||
                o->part > o->parts) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

bool wanted(const Options& o, const stage::Shot& shot, std::size_t index) {
    if (static_cast<int>(index % static_cast<std::size_t>(o.parts)) != o.part - 1) return false;
    if (o.only.empty()) return true;
    for (const std::string& prefix : o.only) {
        if (std::strncmp(shot.name, prefix.c_str(), prefix.size()) == 0) return true;
    }
    return false;
}

std::string fileName(const stage::Shot& shot, const std::string& language, int w, int h) {
    char name[160];
    std::snprintf(name, sizeof name, "%02d-%s-%s-%dx%d.png", shot.screen, shot.name, language.c_str(), w, h);
    return name;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, &o)) {
        std::fputs("usage: vel_screenshots [--out DIR] [--only NAME] [--lang CODES] [--size WxH] [--part K/N]\n",
                   stderr);
        return 2;
    }
    std::filesystem::create_directories(o.out);
    stage::Session session;
    int written = 0, failed = 0;
    for (const auto& [w, h] : o.sizes) {
        stage::Window win(w, h);
        if (!win.ok()) return 1;
        for (const std::string& language : o.languages) {
            const std::span<const stage::Shot> shots = stage::shots();
            for (std::size_t i = 0; i < shots.size(); ++i) {
                const stage::Shot& shot = shots[i];
                if (!wanted(o, shot, i)) continue;
                session.freshStores(language);
                win.setStep(1.0 / 60);
                shot.play(win);
                const std::string path = o.out + "/" + fileName(shot, language, w, h);
                if (win.shoot(path)) {
                    ++written;
                } else {
                    ++failed;
                    std::fprintf(stderr, "screenshots: could not write %s\n", path.c_str());
                }
            }
        }
    }
    std::printf("screenshots: %d pictures in %s\n", written, o.out.c_str());
    return failed == 0 ? 0 : 1;
}
