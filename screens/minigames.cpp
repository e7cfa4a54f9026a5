// The minigame screen base and the factory that picks a game by screen number.
#include "screens/minigames.h"

#include <algorithm>
#include <chrono>

#include "fx/scene.h"
#include "fx/win_fx.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "screens/common.h"
#include "screens/minigames_layout.h"
#include "ui/audio.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

struct LooseState {
    rpg::Rng rng;
    bool seeded = false;
};

LooseState& looseState() {
    static LooseState state;
    return state;
}

// The low words of the two clocks, mixed: differs on every start.
std::uint32_t clockSeed() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto system = std::chrono::system_clock::now().time_since_epoch().count();
    const std::uint32_t word = static_cast<std::uint32_t>(steady) ^ static_cast<std::uint32_t>(system);
    return rpg::seedHash(std::to_string(word));
}

// The rule box and the banner: a paragraph on a dark rounded box, centred,
// its top at `top`. Returns the box's bottom.
double textBox(Ctx& ctx, double top, const std::string& text, const TextStyle& style) {
    const double s = ctx.uiScale;
    double tw = 0;
    double th = 0;
    measureText(ctx.cr, text, style, &tw, &th);
    const Rect box{0.5 * ctx.width - tw / 2 - 12 * s, top, tw + 24 * s, th + 12 * s};
    fillRoundedRect(ctx.cr, box, 8 * s, theme::kPlateDark, 0.6);
    drawShadowedTextTop(ctx.cr, 0.5 * ctx.width - style.wrapWidth / 2, top + 6 * s, text, style);
    return box.y + box.h;
}

} // namespace

Rect minigamePlayArea(Ctx& ctx, double header, const std::string& info) {
    const double s = ctx.uiScale;
    double th = 0;
    measureText(ctx.cr, info,
                TextStyle{.size = 13 * ctx.uiScale,
                          .color = theme::kCreamText,
                          .align = Align::Centre,
                          .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)},
                nullptr, &th);
    // The rule box: 10s below the header, the text with 6s above and below.
    const double top = header + 10 * s + th + 12 * s + 14 * s;
    return {0, top, ctx.width, std::max(ctx.height - 140 * s - top, 120 * s)};
}

MiniBase::MiniBase(const GameState& entry, const char* titleKey, const char* infoKey)
    : state_(entry), titleKey_(titleKey), infoKey_(infoKey) {}

rpg::Rng& MiniBase::loose() {
    LooseState& st = looseState();
    if (!st.seeded) {
        st.rng.state = clockSeed();
        st.seeded = true;
    }
    return st.rng;
}

void MiniBase::seedLoose(std::uint32_t state) {
    looseState().rng.state = state;
    looseState().seeded = true;
}

double MiniBase::fxY(Ctx& ctx) const { return 0.42 * ctx.height; }
double MiniBase::fxX(Ctx& ctx) const { return 0.5 * ctx.width; }
std::string MiniBase::infoText() const { return i18n::tr(infoKey_); }
std::string MiniBase::loseText() const { return i18n::tr(loseKey()); }

void MiniBase::finish(const Ctx& ctx, bool won) {
    if (outcome_ != 0) return;
    outcome_ = won ? 2 : 1;
    finishTime_ = ctx.now;
    audio::play(won ? audio::Sfx::WinGlare : audio::Sfx::Defeat);
}

void MiniBase::update(Ctx& ctx) {
    if (startTime_ < 0) startTime_ = ctx.now;
    const double s = ctx.uiScale;
    SceneOpts scene;
    scene.theme = kSceneVillage;
    scene.count = 8;
    scene.horizon = 0.62;
    sceneBackdrop(ctx, scene);
    if (outcome_ == 2 && !celebratesOverPlay()) drawWinFx(ctx, fxX(ctx), fxY(ctx), ctx.now - finishTime_);

    bool back = false;
    const double header = gameHeader(ctx, i18n::tr(titleKey_), &back, false);
    if (ctx.backAsked(back)) {
        // Leaving an unfinished game keeps the node open; a finished one
        // counts as lost, so walking away from a win gives no chest.
        if (outcome_ != 0) consume(false);
        else Game::instance().pop();
        return;
    }

    drawRuleBox(ctx, header + 10 * s);
    playRect_ = minigamePlayArea(ctx, header, infoText());
    play(ctx, playRect_);
    if (outcome_ == 2 && celebratesOverPlay()) drawWinFx(ctx, fxX(ctx), fxY(ctx), ctx.now - finishTime_);
    if (outcome_ != 0) drawResult(ctx);
}

void MiniBase::drawRuleBox(Ctx& ctx, double top) {
    textBox(ctx, top, infoText(),
            TextStyle{.size = 13 * ctx.uiScale,
                      .color = theme::kCreamText,
                      .align = Align::Centre,
                      .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)});
}

void MiniBase::drawResult(Ctx& ctx) {
    const double s = ctx.uiScale;
    const bool won = outcome_ == 2;
    const double y = bannerY_ > 0 ? bannerY_ : ctx.height - 122 * s;
    const TextStyle st = won ? TextStyle{.size = 22 * s,
                                         .bold = true,
                                         .color = theme::kBrightPlateText,
                                         .align = Align::Centre,
                                         .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)}
                             : TextStyle{.size = 20 * s,
                                         .bold = true,
                                         .color = theme::kLossPlateText,
                                         .align = Align::Centre,
                                         .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)};
    textBox(ctx, y, won ? i18n::tr(winKey()) : loseText(), st);

    const double bw = std::min(320 * s, ctx.width - 48 * s);
    const Rect button{0.5 * ctx.width - bw / 2, y + 46 * s, bw, 48 * s};
    const bool clicked = menuButton(ctx, button, i18n::tr(won ? "dice.openChest" : "common.leave"), true);
    if (clicked || ctx.input.hasKey(key::kReturn)) consume(won);
}

void MiniBase::consume(bool won) {
    // Opened without a node (a start screen), there is nothing to settle.
    if (!state_.nodeId.empty()) play::leaveNode(state_.nodeId);
    if (!won) {
        Game::instance().pop();
        return;
    }
    audio::play(audio::Sfx::ChestOpen);
    GameState chest;
    chest.screen = kTreasure;
    chest.nodeId = state_.nodeId;
    chest.nodeType = state_.nodeType;
    chest.firstFlag = true;
    chest.lucky = true;
    chest.autoOpen = true;
    Game::instance().replace(chest);
}

void drawDisabledButton(Ctx& ctx, const Rect& r, const std::string& label, double textSize, double radius) {
    // Nearly opaque: the dim label must read over the bright ground too.
    fillRoundedRect(ctx.cr, r, radius, theme::kDarkerPanel, 0.88);
    TextStyle st{.size = textSize, .color = theme::kDimText};
    st.fitWidth = r.w - 16 * ctx.uiScale;
    drawTextIn(ctx.cr, r, label, st);
}

std::unique_ptr<Screen> makeMinigameScreen(const GameState& s) {
    switch (s.screen) {
    case kShell: return makeShellGame(s);
    case kMemory: return makeMemoryGame(s);
    case kWhack: return makeWhackGame(s);
    case kCoin: return makeCoinGame(s);
    default: return makeDiceGame(s);
    }
}

} // namespace ui
