// The table the minigames share and the factory that picks a game by screen number.
#include "screens/minigames.h"

#include <algorithm>
#include <chrono>

#include "fx/scene.h"
#include "fx/win_fx.h"
#include "play/run.h"
#include "platform/i18n.h"
#include "screens/common.h"
#include "screens/minigames_coin.h"
#include "screens/minigames_dice.h"
#include "screens/minigames_layout.h"
#include "screens/minigames_memory.h"
#include "screens/minigames_shell.h"
#include "screens/minigames_whack.h"
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

MiniTable::MiniTable(const GameState& entry, MiniTexts texts) : entry_(entry), texts_(texts) {}

rpg::Rng& MiniTable::loose() {
    LooseState& st = looseState();
    if (!st.seeded) {
        st.rng.state = clockSeed();
        st.seeded = true;
    }
    return st.rng;
}

void MiniTable::seedLoose(std::uint32_t state) {
    looseState().rng.state = state;
    looseState().seeded = true;
}

Celebration MiniTable::centred(const Ctx& ctx) { return {0.5 * ctx.width, 0.42 * ctx.height}; }

MiniOutcome MiniTable::outcome() const { return outcome_; }
bool MiniTable::running() const { return outcome_ == MiniOutcome::Playing; }
double MiniTable::elapsed(const Ctx& ctx) const { return ctx.now - startTime_; }
double MiniTable::finishTime() const { return finishTime_; }
const Rect& MiniTable::playArea() const { return playRect_; }

void MiniTable::finish(const Ctx& ctx, bool won) {
    if (!running()) return;
    outcome_ = won ? MiniOutcome::Won : MiniOutcome::Lost;
    finishTime_ = ctx.now;
    audio::play(won ? audio::Sfx::WinGlare : audio::Sfx::Defeat);
}

std::optional<Rect> MiniTable::open(Ctx& ctx, const Celebration& fx, const std::string& info) {
    if (startTime_ < 0) startTime_ = ctx.now;
    SceneOpts scene;
    scene.theme = kSceneVillage;
    scene.count = 8;
    scene.horizon = 0.62;
    sceneBackdrop(ctx, scene);
    // First on the overlay, so nothing it drew over moves above it on the GPU layer.
    if (outcome_ == MiniOutcome::Won && !fx.overPlay) drawWinFxBeneath(ctx, fx.x, fx.y, ctx.now - finishTime_);

    bool back = false;
    const double header = gameHeader(ctx, i18n::tr(texts_.title), &back, false);
    if (ctx.backAsked(back)) {
        if (!running()) {
            outcome_ = MiniOutcome::Lost;
            settle();
        } else {
            Game::instance().pop();
        }
        return std::nullopt;
    }

    drawRuleBox(ctx, header + 10 * ctx.uiScale, info);
    playRect_ = minigamePlayArea(ctx, header, info);
    return playRect_;
}

void MiniTable::drawRuleBox(Ctx& ctx, double top, const std::string& info) const {
    textBox(ctx, top, info,
            TextStyle{.size = 13 * ctx.uiScale,
                      .color = theme::kCreamText,
                      .align = Align::Centre,
                      .wrapWidth = std::min(760 * ctx.uiScale, ctx.width - 48 * ctx.uiScale)});
}

bool MiniTable::result(Ctx& ctx, const Celebration& fx, double bannerY, const std::string& loseText) {
    if (running()) return false;
    const bool won = outcome_ == MiniOutcome::Won;
    if (won && fx.overPlay) drawWinFx(ctx, fx.x, fx.y, ctx.now - finishTime_);
    const double s = ctx.uiScale;
    const double y = bannerY > 0 ? bannerY : ctx.height - 122 * s;
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
    const std::string text = won ? i18n::tr(texts_.win) : !loseText.empty() ? loseText : i18n::tr(texts_.lose);
    textBox(ctx, y, text, st);

    const double bw = std::min(320 * s, ctx.width - 48 * s);
    const Rect button{0.5 * ctx.width - bw / 2, y + 46 * s, bw, 48 * s};
    const bool clicked = menuButton(ctx, button, i18n::tr(won ? "dice.openChest" : "common.leave"), true);
    return clicked || ctx.input.hasKey(key::kReturn);
}

void MiniTable::settle() {
    // Opened without a node (a start screen), there is nothing to settle.
    if (!entry_.nodeId.empty()) play::leaveNode(entry_.nodeId);
    if (outcome_ != MiniOutcome::Won) {
        Game::instance().pop();
        return;
    }
    audio::play(audio::Sfx::ChestOpen);
    GameState chest;
    chest.screen = kTreasure;
    chest.nodeId = entry_.nodeId;
    chest.nodeType = entry_.nodeType;
    chest.firstFlag = true;
    chest.lucky = true;
    chest.autoOpen = true;
    Game::instance().replace(chest);
}

const MiniTable* minigameTable(const Screen* screen) {
    if (const auto* g = dynamic_cast<const DiceGameScreen*>(screen)) return &g->table();
    if (const auto* g = dynamic_cast<const CoinGameScreen*>(screen)) return &g->table();
    if (const auto* g = dynamic_cast<const ShellGameScreen*>(screen)) return &g->table();
    if (const auto* g = dynamic_cast<const MemoryGameScreen*>(screen)) return &g->table();
    if (const auto* g = dynamic_cast<const WhackGameScreen*>(screen)) return &g->table();
    return nullptr;
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
    case kShell: return std::make_unique<ShellGameScreen>(s);
    case kMemory: return std::make_unique<MemoryGameScreen>(s);
    case kWhack: return std::make_unique<WhackGameScreen>(s);
    case kCoin: return std::make_unique<CoinGameScreen>(s);
    default: return std::make_unique<DiceGameScreen>(s);
    }
}

} // namespace ui
