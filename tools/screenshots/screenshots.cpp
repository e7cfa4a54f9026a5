// Pictures of every screen of the game as a player sees them, through the
// game's own window, renderer and overlay: every shot at 1280×720 and at the
// smallest window, 860×560, in English, German, Arabic and Japanese.
//
// Usage: vel_screenshots [--out DIR] [--only NAME] [--lang CODES] [--size WxH] [--part K/N] [--contrast]
//   --out       where the PNGs go (default: <build>/screenshots)
//   --only      only shots whose name starts with NAME (repeatable)
//   --lang      comma-separated language codes instead of en,de,ar,ja
//   --size      one window size instead of both
//   --part      only the K-th of N shares of the shots (every N-th from the
//               K-th, 1 <= K <= N), so that N programs picture all of them
//   --contrast  also check that every text reads over what is behind it
//               (tools/screenshots/contrast.h): each shot is played a second
//               time with its texts left out, a few frames are compared, the
//               worst texts of each shot are printed, and the program fails
//               when a text falls below 3:1; and that every text is drawn
//               at least at its script's legible size (ui/legible.h): the
//               smallest text of each shot is printed, and the program
//               fails on a text drawn smaller; texts whose letters run into
//               each other or touch are listed too (without failing)
// Needs a display; `make screenshots` runs it under Xvfb. Files are named
// "<screen number>-<shot>-<language>-<W>x<H>.png".
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tools/screenshots/contrast.h"
#include "tools/screenshots/stage.h"

namespace {

struct Options {
    std::string out = std::string(VEL_BINARY_DIR) + "/screenshots";
    std::vector<std::string> only;
    std::vector<std::string> languages{"en", "de", "ar", "ja"};
    std::vector<std::pair<int, int>> sizes{{1280, 720}, {860, 560}};
    int part = 1;
    int parts = 1;
    bool contrast = false;
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
        if (arg == "--contrast") {
            o->contrast = true;
            continue;
        }
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

// --- The contrast check -------------------------------------------------------

// The frames compared: the one pictured and two more of its animation.
constexpr int kLooks = 3;
constexpr double kLookGap = 0.35;  // seconds between them
constexpr int kWorstShown = 3;

struct Finding {
    std::string text;
    contrast::Box box;
    std::uint32_t color = 0;
    double alpha = 1;  // as judged
    contrast::Verdict verdict;
    double pixels = 0;    // its font size, the smallest of the frames
    double legible = 0;   // the smallest its script is read at
};

// Two texts of the pictured frame whose letters run into each other.
struct Overlap {
    std::string a, b;
    contrast::Box at;
    int pixels = 0;
};

// The frames between looks; each look comes a frame after, whose texts
// tell which ones are fading. Both plays take the same steps.
void toLook(stage::Window& win, int look) {
    if (look > 0) win.runFor(kLookGap);
}

// Plays the shot from its start; the stores, clock and draws as at its first play.
void replay(stage::Session& session, stage::Window& win, const stage::Shot& shot, const std::string& language) {
    session.freshStores(language);
    win.restartClock();
    win.setStep(1.0 / 60);
    shot.play(win);
}

// The shot's texts over its backdrops in kLooks frames, the worst frame of
// each text kept. The shot has just been played; the first look, a frame
// later, is the pictured one, written to path.
std::vector<Finding> checkShot(stage::Session& session, stage::Window& win, const stage::Shot& shot,
                               const std::string& language, const std::string& path, bool* written,
                               bool* replayed, std::vector<Overlap>* overlaps) {
    contrast::Recorder recorder;
    std::vector<std::vector<contrast::SeenText>> recorded;
    std::vector<std::vector<std::uint32_t>> finished(kLooks);
    int w = 0, h = 0;
    for (int i = 0; i < kLooks; ++i) {
        toLook(win, i);
        recorder.begin(win.overlay(), contrast::Pass::Record);
        win.frame();
        const std::vector<contrast::SeenText> before = recorder.end();
        recorder.begin(win.overlay(), contrast::Pass::Record);
        win.look([&](const std::uint32_t* pixels, int pw, int ph, int stride) {
            if (!pixels) return;
            w = pw;
            h = ph;
            finished[static_cast<std::size_t>(i)].assign(pixels, pixels + static_cast<std::size_t>(ph) * stride);
            if (i == 0) *written = stage::writePng(path, pixels, pw, ph, stride);
        });
        recorded.push_back(recorder.end());
        contrast::markShadows(recorded.back());
        contrast::markFading(recorded.back(), before);
    }
    replay(session, win, shot, language);
    std::vector<Finding> found;
    *replayed = true;
    for (int i = 0; i < kLooks; ++i) {
        toLook(win, i);
        win.frame();
        const std::vector<contrast::SeenText>& texts = recorded[static_cast<std::size_t>(i)];
        recorder.begin(win.overlay(), contrast::Pass::Backdrop, &texts);
        win.look([&](const std::uint32_t* pixels, int w, int h, int stride) {
            if (!pixels) return;
            const contrast::Picture backdrop{pixels, w, h, stride};
            const std::vector<std::uint32_t>& seen = finished[static_cast<std::size_t>(i)];
            const contrast::Picture done{seen.data(), seen.empty() ? 0 : w, seen.empty() ? 0 : h, w};
            std::vector<const contrast::SeenText*> shown;
            for (const contrast::SeenText& t : texts) {
                if (t.shadow || t.box.w == 0 || contrast::hidden(t, done, backdrop)) continue;
                if (i == 0) {
                    for (const contrast::SeenText* o : shown) {
                        if (o->text == t.text && o->box.x == t.box.x && o->box.y == t.box.y) continue;
                        // Mostly under a box drawn over it (as units under the battle's
                        // item box), whose own texts then lie over its hidden part.
                        if (contrast::hidden(*o, done, backdrop, &t, 0.5)) continue;
                        const int both = contrast::inkOverlap(*o, t);
                        if (both >= 3 || contrast::touching(*o, t)) overlaps->push_back({o->text, t.text, t.box, both});
                    }
                    shown.push_back(&t);
                }
                const Finding f{t.text, t.box, t.color, t.fading ? 1.0 : t.alpha, contrast::judge(t, backdrop),
                                t.pixels, contrast::legiblePixels(t)};
                auto same = std::find_if(found.begin(), found.end(), [&](const Finding& o) {
                    return o.text == t.text && std::abs(o.box.x - t.box.x) < 40 && std::abs(o.box.y - t.box.y) < 40;
                });
                if (same == found.end()) {
                    found.push_back(f);
                } else {
                    const double smallest = std::min(same->pixels, f.pixels);
                    if (f.verdict.figure < same->verdict.figure) *same = f;
                    same->pixels = smallest;
                }
            }
        });
        if (!contrast::sameTexts(texts, recorder.end())) *replayed = false;
    }
    std::sort(found.begin(), found.end(),
              [](const Finding& a, const Finding& b) { return a.verdict.figure < b.verdict.figure; });
    return found;
}

// The text on one line, cut after 40 characters.
std::string oneLine(const std::string& text) {
    std::string out;
    int chars = 0;
    for (char c : text) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++chars > 40) return out + "...";
        out.push_back(c == '\n' ? ' ' : c);
    }
    return out;
}

// Prints the smallest text of a shot and every one drawn below its legible
// size; the number of those.
void reportOverlaps(const std::string& name, const std::vector<Overlap>& overlaps) {
    for (const Overlap& o : overlaps) {
        std::printf("overlap %s: \"%s\" runs into \"%s\" (%d px) at %d,%d %dx%d\n", name.c_str(), oneLine(o.a).c_str(),
                    oneLine(o.b).c_str(), o.pixels, o.at.x, o.at.y, o.at.w, o.at.h);
    }
}

int reportSizes(const std::string& name, const std::vector<Finding>& found) {
    int failing = 0;
    const Finding* smallest = nullptr;
    for (const Finding& f : found) {
        if (!smallest || f.pixels < smallest->pixels) smallest = &f;
        if (!contrast::tooSmall(f.pixels, f.legible)) continue;
        ++failing;
        std::printf("size %s: %5.2f px FAIL \"%s\" (its script needs %.0f) at %d,%d %dx%d\n", name.c_str(), f.pixels,
                    oneLine(f.text).c_str(), f.legible, f.box.x, f.box.y, f.box.w, f.box.h);
    }
    if (smallest) {
        std::printf("size %s: smallest %.2f px \"%s\" (its script needs %.0f)\n", name.c_str(), smallest->pixels,
                    oneLine(smallest->text).c_str(), smallest->legible);
    }
    return failing;
}

// Prints the worst few texts of a shot and every failing one; the number failing.
int report(const std::string& name, const std::vector<Finding>& found, bool replayed) {
    int failing = 0;
    if (!replayed) std::printf("contrast %s: the second play drew other texts; its figures may be off\n", name.c_str());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Finding& f = found[i];
        const bool fails = f.verdict.figure < contrast::kMinRatio;
        failing += fails;
        if (!fails && static_cast<int>(i) >= kWorstShown) continue;
        std::printf("contrast %s: %5.2f %s \"%s\" #%06X", name.c_str(), f.verdict.figure, fails ? "FAIL" : "ok  ",
                    oneLine(f.text).c_str(), f.color);
        if (f.alpha < 1) std::printf(" at %.2f", f.alpha);
        std::printf(" over #%06X at %d,%d %dx%d\n", f.verdict.under, f.box.x, f.box.y, f.box.w, f.box.h);
    }
    return failing;
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
        std::fputs("usage: vel_screenshots [--out DIR] [--only NAME] [--lang CODES] [--size WxH] [--part K/N] "
                   "[--contrast]\n",
                   stderr);
        return 2;
    }
    std::filesystem::create_directories(o.out);
    stage::Session session;
    int written = 0, failed = 0, texts = 0, failing = 0, shotsFailing = 0, small = 0, shotsSmall = 0, crowded = 0;
    for (const auto& [w, h] : o.sizes) {
        stage::Window win(w, h);
        if (!win.ok()) return 1;
        for (const std::string& language : o.languages) {
            const std::span<const stage::Shot> shots = stage::shots();
            for (std::size_t i = 0; i < shots.size(); ++i) {
                const stage::Shot& shot = shots[i];
                if (!wanted(o, shot, i)) continue;
                replay(session, win, shot, language);
                const std::string path = o.out + "/" + fileName(shot, language, w, h);
                bool ok = false;
                if (o.contrast) {
                    bool replayed = false;
                    std::vector<Overlap> overlaps;
                    const std::vector<Finding> found =
                        checkShot(session, win, shot, language, path, &ok, &replayed, &overlaps);
                    const std::string name = std::string(shot.name) + " " + language + " " + std::to_string(w) + "x" +
                                             std::to_string(h);
                    const int bad = report(name, found, replayed);
                    texts += static_cast<int>(found.size());
                    failing += bad;
                    shotsFailing += bad > 0;
                    reportOverlaps(name, overlaps);
                    crowded += static_cast<int>(overlaps.size());
                    const int tiny = reportSizes(name, found);
                    small += tiny;
                    shotsSmall += tiny > 0;
                } else {
                    ok = win.shoot(path);
                }
                if (ok) {
                    ++written;
                } else {
                    ++failed;
                    std::fprintf(stderr, "screenshots: could not write %s\n", path.c_str());
                }
            }
        }
    }
    std::printf("screenshots: %d pictures in %s\n", written, o.out.c_str());
    if (o.contrast) {
        std::printf("contrast: %d texts checked, %d below %.0f:1 in %d shots\n", texts, failing, contrast::kMinRatio,
                    shotsFailing);
        std::printf("size: %d texts below their script's legible size in %d shots\n", small, shotsSmall);
        std::printf("overlap: %d pairs of texts run into each other or touch\n", crowded);
    }
    return failed == 0 && failing == 0 && small == 0 ? 0 : 1;
}
