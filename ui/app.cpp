#include "ui/app.h"

#include <SDL_keycode.h>

#include "platform/crash.h"
#include "platform/storage.h"
#include "ui/draw.h"
#include "ui/gpu.h"
#include "ui/keys.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <utility>

namespace ui {

namespace {

constexpr int kLastScreen = 23;
// Frames a new screen draws before the textures it has not used go.
constexpr int kSettleFrames = 30;

// Hands the context line to the crash report.
void publishCrashContext(const char* line) { platform::setCrashContext(line); }

// Runs won so far, from the lasting progress.
int progressAscension() { return store::meta().ascension; }

// Depth of the current run.
int currentRunDepth() { return store::run().depth; }

} // namespace

static_assert(key::kReturn == SDLK_RETURN && key::kEscape == SDLK_ESCAPE);

bool Input::hasKey(int key) const { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

bool Ctx::backAsked(bool backClicked) const { return backClicked || input.hasKey(key::kEscape); }

namespace {

// Pressed buttons, keys and the wheel as they reach what lies under a dialog:
// none at all, and the pointer nowhere in the window.
Input blindInput() {
    Input in;
    in.x = in.y = -1e6;
    return in;
}

// Where an unclipped hit test stands: the whole plane.
constexpr Rect kEverywhere{-1e9, -1e9, 2e9, 2e9};

// Movement between press and release that still counts as a click.
constexpr double kClickSlop = 5;
// Two releases this close (and close in time) are one double click.
constexpr double kDoubleClickRadius = 32;

} // namespace

bool Ctx::hover(const Rect& r) const {
    if (!r.contains(input.x, input.y)) return false;
    return hitClips_.empty() || hitClips_.back().contains(input.x, input.y);
}

bool Ctx::takeClick(const Rect& r) {
    if (clickTaken || !input.leftReleased) return false;
    if (!hover(r)) return false;
    clickTaken = true;
    return true;
}

bool Ctx::takeRightClick(const Rect& r) const { return input.rightPressed && hover(r); }

void Ctx::beginFrame() {
    // Every push of a frame is popped in it; a screen that broke the pairing
    // must not clip the next frame.
    assert(hitClips_.empty() && scrolling.open.empty());
    hitClips_.clear();
    scrolling.open.clear();
    input = Input{};
    ctrl = false;
    shift = false;
    clickTaken = false;
}

void Ctx::settleInput() {
    settlePress();
    settleDoubleClick();
    settleModal();
}

// Only motion after the press counts: a press that arrives with a jump of
// the pointer (a touch screen's tap, a remote desktop) is a tap.
void Ctx::settlePress() {
    if (input.leftPressed) {
        pressX_ = input.x;
        pressY_ = input.y;
        travel_ = 0;
        scrolling.dragOwner.clear();
    } else if (held_) {
        travel_ = std::max(travel_, std::hypot(input.x - pressX_, input.y - pressY_));
    }
    held_ = input.leftDown;
    if (!input.leftReleased) return;
    if (travel_ > kClickSlop) clickTaken = true;
    travel_ = 0;
}

void Ctx::settleDoubleClick() {
    if (!input.leftReleased) return;
    const bool near = std::hypot(input.x - changedX_, input.y - changedY_) <= kDoubleClickRadius;
    if (changedPending_ && input.doubleClick && near) clickTaken = true;
    changedPending_ = false;
}

void Ctx::settleModal() {
    modalActive_ = modalShown_;
    modalShown_ = false;
    if (!modalActive_) return;
    modalInput_ = input;
    modalClickTaken_ = clickTaken;
    input = blindInput();
}

void Ctx::screenChanged() {
    if (modalActive_) {
        input = modalInput_;
        clickTaken = modalClickTaken_;
    }
    modalActive_ = modalShown_ = false;
    changedPending_ = false;
    scrolling = Scrolling{};
}

void Ctx::pushHitClip(const Rect& r) {
    Rect c = r;
    if (!hitClips_.empty()) {
        const Rect& o = hitClips_.back();
        const double x0 = std::max(c.x, o.x), y0 = std::max(c.y, o.y);
        const double x1 = std::min(c.x + c.w, o.x + o.w), y1 = std::min(c.y + c.h, o.y + o.h);
        c = {x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0)};
    }
    hitClips_.push_back(c);
}

void Ctx::popHitClip() {
    assert(!hitClips_.empty());
    if (!hitClips_.empty()) hitClips_.pop_back();
}

void Ctx::beginModal() {
    if (modalActive_) {
        input = modalInput_;
        clickTaken = modalClickTaken_;
    }
    hitClips_.push_back(kEverywhere);
}

void Ctx::endModal(bool staysOpen) {
    popHitClip();
    modalShown_ = modalShown_ || staysOpen;
    // Nothing drawn after the dialog takes this frame's click.
    clickTaken = true;
    if (modalActive_) input = blindInput();
}

void Ctx::changedUnderPointer() {
    if (!input.leftReleased) return;
    changedPending_ = true;
    changedX_ = input.x;
    changedY_ = input.y;
}

double uiScaleFor(double width, double height) {
    return std::clamp(std::min(height / 720.0, width / 1280.0), 0.72, 2.0);
}

std::string crashContextLine(const GameState& top, int ascension, int runDepth) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "Bildschirm %d, Feld %s, Welt %d, Tiefe %d", top.screen,
                  top.nodeId.empty() ? "-" : top.nodeId.c_str(), ascension, runDepth);
    return buf;
}

Game::Game(Factory factory, ContextSink sink)
    : factory_(factory), sink_(sink ? sink : &publishCrashContext) {
    screenStack_.emplace_back();
}

void Game::push(const GameState& s) {
    screenStack_.push_back(s);
    ++version_;
}

void Game::pop() {
    if (screenStack_.size() > 1) screenStack_.pop_back();
    ++version_;
}

void Game::replace(const GameState& s) {
    screenStack_.back() = s;
    ++version_;
}

void Game::resetTo(const GameState& s) {
    // The argument may be an entry of this very stack.
    GameState copy = s;
    screenStack_.clear();
    screenStack_.push_back(std::move(copy));
    ++version_;
}

void Game::ensureScreen() {
    if (current_ && version_ == shownVersion_) return;
    shownVersion_ = version_;
    // A copy, because a factory may change the stack while it builds.
    const GameState top = screenStack_.back();
    sink_(crashContextLine(top, progressAscension(), currentRunDepth()).c_str());
    if (static_cast<unsigned>(top.screen) > kLastScreen) return;
    std::unique_ptr<Screen> next = factory_(top);
    if (!next) return;
    // The old screen goes only after the new one exists: whatever a factory
    // settles at construction happens before the old destructor runs.
    std::swap(current_, next);
}

void Game::update(Ctx& ctx) {
    leftoversDropped_ = false;
    const Screen* before = current_.get();
    ensureScreen();
    if (current_.get() != before) {
        ctx.screenChanged();
        shownAt_ = gpuFrame();
        textsAt_ = textCacheMark();
        settling_ = kSettleFrames;
    }
    if (current_) current_->update(ctx);
    // The textures and laid-out texts the screen before left behind go once
    // this one has drawn what it shows at rest: full-window pictures are
    // 3.6 MB each and stay in this process under a software GL driver, and a
    // few screens' labels are megabytes more. A return makes them again.
    if (settling_ > 0 && --settling_ == 0) {
        gpuDropUnusedSince(shownAt_);
        dropTextsUnusedSince(textsAt_);
        leftoversDropped_ = true;
    }
}

} // namespace ui
