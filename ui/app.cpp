#include "ui/app.h"

#include "platform/crash.h"
#include "platform/storage.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace ui {

namespace {

constexpr int kLastScreen = 23;

// Hands the context line to the crash report.
void publishCrashContext(const char* line) { platform::setCrashContext(line); }

// Runs won so far, from the lasting progress.
int progressAscension() { return store::meta().ascension; }

// Depth of the current run.
int currentRunDepth() { return store::run().depth; }

} // namespace

bool Input::hasKey(int key) const { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

bool Ctx::hover(const Rect& r) const { return r.contains(input.x, input.y); }

bool Ctx::takeClick(const Rect& r) {
    if (clickTaken || !input.leftReleased) return false;
    if (!r.contains(input.x, input.y)) return false;
    clickTaken = true;
    return true;
}

bool Ctx::takeRightClick(const Rect& r) const { return input.rightPressed && r.contains(input.x, input.y); }

void Ctx::beginFrame() {
    input = Input{};
    ctrl = false;
    shift = false;
    clickTaken = false;
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
    ensureScreen();
    if (current_) current_->update(ctx);
}

} // namespace ui
