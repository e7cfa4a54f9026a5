#pragma once
// The screen stack, its entries and the frame context that the frame loop
// fills and every screen, widget and effect reads.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/items.h"
#include "ui/rect.h"

namespace ui {

struct Ctx;

// Base of every screen: built by its factory when the stack shows its number,
// updated (input and drawing) once a frame, destroyed when another entry shows.
class Screen {
public:
    virtual ~Screen() = default;
    virtual void update(Ctx& ctx) = 0;
};

// One hero's line on the reward screen.
struct XpRow {
    std::string heroId;
    double xp = 0;  // experience gained
    int levelBefore = 0;
    int levelAfter = 0;
};

// One stack entry; a screen keeps its own copy of the entry that opened it.
struct GameState {
    int screen = 0;                // screen number (see ui/screens.h)
    std::string nodeId;            // map node the screen serves; empty outside a run
    std::uint8_t nodeType = 0;     // rpg::NodeType of that node (5 = boss)
    int subMode = 0;               // the shop kind 0-4 for the shop screen
    std::string heroId;            // hero to focus
    bool lost = false;             // after a lost battle or run
    double xp = 0;                 // experience won by the battle
    double gold = 0;               // gold won by the battle
    std::vector<rpg::ItemInstance> items;
    bool firstFlag = true;
    bool lucky = false;            // a won minigame's chest
    bool autoOpen = false;         // the treasure screen opens its chest by itself
    std::vector<XpRow> xpRows;
    bool boss = false;
    int depth = 0;
    std::vector<std::string> runHeroIds;  // the end of a run: who ran it, in the run's order
};

// The input of one frame.
struct Input {
    double x = 0, y = 0;        // pointer, logical units
    bool leftDown = false;      // held at the end of the event poll
    bool leftPressed = false;
    bool leftReleased = false;  // the click
    bool doubleClick = false;
    bool rightPressed = false;
    bool middleDown = false;
    double wheel = 0;           // summed vertical steps
    double dx = 0, dy = 0;      // pointer motion since the previous frame
    std::vector<int> keys;      // SDL key codes in arrival order (not F11, not Ctrl+Q)

    bool hasKey(int key) const;
};

// The context of one frame, and the interaction state that outlives frames:
// the press and how far the pointer went since, the modal layer, the hit
// clip, and the drag and fling of the scroll views.
//
// Who gets the pointer is settled from the input, not from drawing order:
// settleInput runs once the frame's input is in, before any screen sees it.
struct Ctx {
    cairo_t* cr = nullptr;  // the overlay, scaled to logical units
    double width = 0, height = 0;
    double now = 0;         // seconds since start-up, read once per frame
    double dt = 0;          // at most 0.1
    Input input;
    bool ctrl = false, shift = false;
    bool quit = false;      // a screen ends the program after this frame
    // This frame's click is consumed: taken by a widget, or no click at all
    // (the release ends a drag, or repeats an action that moved the list).
    bool clickTaken = false;
    double uiScale = 1.0;

    // The pointer lies in r and inside the current hit clip.
    bool hover(const Rect& r) const;
    // The frame's click goes to the first caller whose rectangle holds the
    // pointer (within the hit clip), so overlapping widgets never both
    // react to it.
    bool takeClick(const Rect& r);
    bool takeRightClick(const Rect& r) const;
    // The player asked to go back: the back button was clicked or Escape
    // pressed. Under an open dialog the keys are the dialog's (settleInput),
    // so its Escape never also leaves the screen beneath.
    bool backAsked(bool backClicked) const;

    // Start of a frame: input, modifiers and the taken click are cleared;
    // quit and the interaction state live on.
    void beginFrame();
    // Once the frame's input is in, before any screen runs: a release more
    // than the click slop away from its press is no click; the second
    // release of a double click after changedUnderPointer is none either;
    // and while a dialog is open, everything outside it sees no pointer, no
    // button, no wheel and no keys.
    void settleInput();
    // A new screen was built: the old one's drag, fling, dialog and changed
    // list lapse.
    void screenChanged();

    // --- Hit clip ---
    // Hover and clicks hold only inside r (and the clip already in force)
    // until the matching pop: what is scrolled out of a view takes nothing.
    void pushHitClip(const Rect& r);
    void popHitClip();

    // --- Modal layer ---
    // A dialog brackets itself with these in every frame it is drawn; from
    // the next frame on, only what lies between them sees the input, until
    // a frame passes without the dialog or it ends with staysOpen false.
    // The pointer is not clipped inside (the whole window is the dialog's).
    void beginModal();
    void endModal(bool staysOpen);

    // The click just taken changed what lies under the pointer (an entry
    // went and the list closed up, the stock or the roster moved on): the
    // second release of a double click on that spot is no click.
    void changedUnderPointer();

    // Drag and fling of the scroll views (owned by beginScroll), keyed by
    // the view's id; one of each at a time.
    struct Scrolling {
        struct OpenView {
            Rect bar;  // where the scrollbar goes
            double content = 0, offset = 0;
        };
        std::string dragOwner;   // the view the held press belongs to; empty: none
        std::string flingOwner;  // the view the velocity belongs to
        double velocity = 0;     // units per second
        std::vector<OpenView> open;  // begun this frame, not yet ended
    } scrolling;

private:
    void settlePress();
    void settleDoubleClick();
    void settleModal();

    bool held_ = false;            // the left button is down
    double pressX_ = 0, pressY_ = 0;
    double travel_ = 0;            // furthest the pointer went from the press
    bool changedPending_ = false;  // the last click changed what lies under it
    double changedX_ = 0, changedY_ = 0;
    bool modalShown_ = false;      // a dialog was drawn this frame and stays open
    bool modalActive_ = false;     // one was open when the frame began
    Input modalInput_;             // the frame's input, kept for the dialog
    bool modalClickTaken_ = false;
    std::vector<Rect> hitClips_;
};

// min(height / 720, width / 1280), held between 0.72 and 2.0.
double uiScaleFor(double width, double height);

// The stack holds at least one entry at all times; every change raises the
// version, and the next update builds the top entry's screen.
class Game {
public:
    using Factory = std::unique_ptr<Screen> (*)(const GameState&);
    using ContextSink = void (*)(const char*);

    // The process-wide stack, wired to the real screens.
    static Game& instance();

    // The sink receives the crash context line each time a screen is chosen;
    // null means the crash report.
    explicit Game(Factory factory, ContextSink sink = nullptr);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void push(const GameState& s);
    void pop();  // never removes the last entry
    void replace(const GameState& s);
    void resetTo(const GameState& s);

    void ensureScreen();
    // Draws the top screen, built anew when the stack changed. The 30th
    // frame of a new screen lets go of the cached textures and texts it has
    // not used (what the screen before left behind).
    void update(Ctx& ctx);
    // Whether the last update let go of what the screen before left behind.
    bool leftoversDropped() const { return leftoversDropped_; }

    const std::vector<GameState>& stack() const { return screenStack_; }
    const GameState& top() const { return screenStack_.back(); }
    Screen* current() const { return current_.get(); }
    int version() const { return version_; }

private:
    // Declared in this order so that the screen dies before the entries.
    std::vector<GameState> screenStack_;
    std::unique_ptr<Screen> current_;
    int shownVersion_ = -1;
    int version_ = 0;
    // The GPU frame the current screen was first drawn in, and the frames
    // left until what it has not used since is let go.
    int64_t shownAt_ = 0;
    std::uint64_t textsAt_ = 0;
    int settling_ = 0;
    bool leftoversDropped_ = false;
    Factory factory_;
    ContextSink sink_;
};

// "Bildschirm %d, Feld %s, Welt %d, Tiefe %d" for the crash report, "-" for
// an empty node id; at most 199 bytes.
std::string crashContextLine(const GameState& top, int ascension, int runDepth);

} // namespace ui
