#include "screens/common.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

#include "fx/scene.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/map.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

audio::Sfx sfxOf(play::Sound sound) {
    switch (sound) {
    case play::Sound::Click: return audio::Sfx::Click;
    case play::Sound::Coin: return audio::Sfx::Coin;
    case play::Sound::Error: return audio::Sfx::Error;
    case play::Sound::NodeSelect: return audio::Sfx::NodeSelect;
    case play::Sound::Place: return audio::Sfx::Place;
    case play::Sound::Star2: return audio::Sfx::Star2;
    case play::Sound::Success:
    case play::Sound::None: break;  // None is never played
    }
    return audio::Sfx::Success;
}

} // namespace

bool answer(const play::Result& result) {
    if (result.sound != play::Sound::None) audio::play(sfxOf(result.sound));
    return result.done;
}

const char* roleKey(rpg::ClassRole role) {
    switch (role) {
    case rpg::ClassRole::Tank: return "role.tank";
    case rpg::ClassRole::Damage: return "role.dps";
    default: return "role.support";
    }
}

GameState bossChestEntry(const std::string& nodeId, int depth) {
    GameState chest;
    chest.screen = kTreasure;
    chest.nodeId = nodeId;
    chest.nodeType = static_cast<std::uint8_t>(rpg::NodeType::Boss);
    chest.boss = true;
    chest.depth = depth;
    return chest;
}

GameState runResultEntry(bool lost, int depth, double gold, std::vector<std::string> heroIds) {
    GameState result;
    result.screen = kRunResult;
    result.lost = lost;
    result.depth = depth;
    result.gold = gold;
    result.runHeroIds = std::move(heroIds);
    return result;
}

void skyPlate(Ctx& ctx, const Rect& r) {
    fillRoundedRect(ctx.cr, r, std::min(r.h / 2, 10 * ctx.uiScale), theme::kPlateDark, 0.62);
}

void drawGoldLine(Ctx& ctx, double y, double fontSize, double swell) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale * swell;
    const double size = fontSize * swell;
    const double drop = size - 15 * s;
    TextStyle st{.size = size, .bold = true};
    const std::string text = num(store::meta().gold) + " " + i18n::tr("common.gold");
    double tw = 0;
    measureText(cr, text, st, &tw, nullptr);
    const double x = ctx.width / 2 - (tw + 14 * s + 6 * s) / 2;
    SavedState keep(cr);
    skyPlate(ctx, {x - 8 * s, y + drop, tw + 20 * s + 16 * s, 20 * s});
    drawRimmedCoin(cr, x + 7 * s, y + 10 * s + drop, 7 * s, s, 1);
    st.color = theme::kLightGold;
    drawShadowedText(cr, x + 20 * s, y + 2 * s + drop, text, st);
}

void drawRimmedCoin(cairo_t* cr, double cx, double cy, double r, double s, double alpha) {
    fillCircle(cr, cx, cy, r, theme::kGold, alpha);
    strokeCircle(cr, cx, cy, r - s, 2 * s, theme::kDeepGold, alpha);
}

double pageHeader(Ctx& ctx, const std::string& title, bool* leave) {
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
    bool back = false;
    const double top = screenHeader(ctx, title, &back);
    *leave = ctx.backAsked(back);
    return top;
}

namespace {

LinkOpener& linkOpener() {
    static LinkOpener opener = &SDL_OpenURL;
    return opener;
}

// Web addresses carry "://"; mail links are the one kind without it. A bare
// "host:port" therefore still counts as scheme-less.
bool hasScheme(const std::string& address) {
    return address.find("://") != std::string::npos || address.starts_with("mailto:");
}

} // namespace

std::string linkUrl(const std::string& address) { return hasScheme(address) ? address : "https://" + address; }

void openLink(const std::string& address) {
    if (address.empty()) return;
    linkOpener()(linkUrl(address).c_str());
}

void setLinkOpener(LinkOpener opener) { linkOpener() = opener ? opener : &SDL_OpenURL; }

double OutcomeOpening::elapsed(double now) {
    if (start_ < 0) start_ = now;
    return now - start_;
}

void OutcomeOpening::backdrop(const Ctx& ctx, std::int32_t theme, std::int32_t motes) {
    sceneBackdrop(ctx, SceneOpts{theme, motes, 0.62, false, kWeatherClear, kDay, 1.0});
}

void OutcomeOpening::title(Ctx& ctx, double y, const std::string& text, double size, std::uint32_t color,
                           const TextShadow& shadow) {
    const double s = ctx.uiScale;
    const TextStyle st{.size = size,
                       .bold = true,
                       .color = color,
                       .align = Align::Centre,
                       .fitWidth = ctx.width - 40 * s,
                       .upperCase = true};
    drawShadowedTextTop(ctx.cr, ctx.width / 2, y, text, st, shadow);
}

double GoldPulse::factor(double gold, double now) {
    if (gold != shown_) {
        if (shown_ >= 0) {
            changedAt_ = now;
            changed_ = true;
        }
        shown_ = gold;
    }
    if (!changed_) return 1;
    const double t = now - changedAt_;
    if (t < 0) return 1;
    if (t < 0.12) return 1 + 0.18 * t / 0.12;
    if (t < 0.34) return 1.18 - 0.18 * (t - 0.12) / 0.22;
    return 1;
}

std::string heroTabs(Ctx& ctx, const std::vector<rpg::Hero*>& heroes, double top, const std::string& selected) {
    const double s = ctx.uiScale;
    const double n = static_cast<double>(heroes.size());
    const double left = ctx.width / 2 - (n * 56 * s + (n - 1) * 8 * s) / 2;
    std::string clicked;
    for (std::size_t k = 0; k < heroes.size(); ++k) {
        const rpg::Hero& h = *heroes[k];
        const Rect r{left + static_cast<double>(k) * 64 * s, top, 56 * s, 56 * s};
        if (h.id == selected) {
            fillRect(ctx.cr, r, theme::kGold, 0.12);
            strokeRoundedRect(ctx.cr, r, 0, 2 * s, theme::kGold, 1.0);
        }
        // Each tab steps half a frame after the one before it.
        const int frame = static_cast<int>(2 * ctx.now + 0.5 * static_cast<double>(k)) % 2;
        drawSpriteCairo(ctx.cr, rpg::classDef(h.cls).id, r.x + 4 * s, r.y + 4 * s, 48 * s, 48 * s, nullptr, frame,
                        false, 1.0);
        if (ctx.takeClick(r)) {
            audio::play(audio::Sfx::Click);
            clicked = h.id;
        }
    }
    return clicked;
}

} // namespace ui
