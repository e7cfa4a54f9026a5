#include "screens/runresult.h"

#include <algorithm>

#include "fx/scene.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

// The run is settled before this screen opens, so its party comes with the
// entry: whoever ran it, not the party as it stands now.
std::vector<std::string> runResultSprites(const GameState& s) {
    std::vector<std::string> sprites;
    for (const std::string& id : s.runHeroIds) {
        if (const rpg::Hero* hero = store::heroById(id)) sprites.push_back(rpg::classDef(hero->cls).id);
    }
    if (sprites.empty()) sprites.push_back("warrior");
    return sprites;
}

RunResultScreen::RunResultScreen(const GameState& s) : state_(s), sprites_(runResultSprites(s)) {
    audio::play(won() ? audio::Sfx::WinGlare : audio::Sfx::Defeat);
}

void RunResultScreen::update(Ctx& ctx) {
    const double e = opening_.elapsed(ctx.now);
    const double s = ctx.uiScale;
    if (won()) {
        OutcomeOpening::backdrop(ctx, kSceneVillage, 16);
        gpuFillRect(0, 0, ctx.width, ctx.height, theme::kShadowBlack, 40.0 / 255);
    } else {
        drawDefeatSky(ctx);
    }
    // The defeat's red is lighter than the bars' red: it stands on the dark red sky. The
    // victory's gold is the light one: the thin strokes of Hebrew letters lose the darker
    // gold against the evening sky.
    OutcomeOpening::title(ctx, 0.1 * ctx.height, i18n::tr(won() ? "runResult.victoryTitle" : "runResult.defeatTitle"),
                          26 * s, won() ? kLightGold : theme::kRedText,
                          {.dx = 2 * s, .dy = 2 * s, .color = won() ? theme::kShadowBlack : theme::kDefeatShadow});
    if (won()) drawVictory(ctx, e);
    else drawGrave(ctx, e);
    drawSummary(ctx);
    const double bw = std::min(420 * s, ctx.width - 48 * s);
    const Rect back{(ctx.width - bw) / 2, ctx.height - 80 * s, bw, 48 * s};
    const bool clicked = menuButton(ctx, back, i18n::tr("runResult.backToCity"), true);
    if (clicked || ctx.input.hasKey(key::kReturn)) backToCity();
}

bool RunResultScreen::won() const { return !state_.lost; }

void RunResultScreen::drawSummary(Ctx& ctx) {
    const double s = ctx.uiScale;
    const double pw = std::max(220 * s, std::min(0.4 * ctx.width, 420 * s));
    const Rect panel{(ctx.width - pw) / 2, ctx.height - 178 * s, pw, 74 * s};
    pixelPanel(ctx, panel, true);
    const TextStyle st{.size = 15 * s, .color = kCreamText, .align = Align::Centre, .fitWidth = pw - 20 * s};
    const double cx = ctx.width / 2;
    drawTextTop(ctx.cr, cx, panel.y + 14 * s, i18n::tr("runResult.depthReached", {{"n", num(state_.depth)}}), st);
    drawTextTop(ctx.cr, cx, panel.y + 42 * s, i18n::tr("runResult.goldEarned", {{"n", num(state_.gold)}}), st);
}

void RunResultScreen::backToCity() {
    audio::play(audio::Sfx::Click);
    GameState menu;
    menu.screen = kMenu;
    GameState city;
    city.screen = kCity;
    Game::instance().resetTo(menu);
    Game::instance().push(city);
}

std::unique_ptr<Screen> makeRunResultScreen(const GameState& s) { return std::make_unique<RunResultScreen>(s); }

} // namespace ui
