// The reward after a won battle: the gold won, each hero's experience with
// its filling bar and level-up tag, and buttons to spend unspent stat
// points. The battle has already granted the experience and the gold; this
// screen only shows them and lets points be spent.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fx/levelup_fx.h"
#include "fx/scene.h"
#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/leveling.h"
#include "rules/stats.h"
#include "screens/common.h"
#include "screens/reward_layout.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kTallCard = 232;
constexpr double kShortCard = 80;
constexpr double kCardGap = 12;
constexpr double kXpSoundAt = 0.32;
constexpr double kLevelSoundAt = 0.95;

bool canSpend(const rpg::Hero* hero) { return hero && hero->points > 0; }

// A button of the stat grid: raised, or pushed in with gold edges.
void drawStatBevel(cairo_t* cr, const Rect& r, bool pressed, double edge) {
    fillRect(cr, r, pressed ? kDeepGold : kDarkPanel);
    const uint32_t light = pressed ? kLightGold : kBevelLight;
    const uint32_t dark = pressed ? kLightGold : kBevelDark;
    fillRect(cr, {r.x, r.y, r.w, edge}, light);
    fillRect(cr, {r.x, r.y, edge, r.h}, light);
    fillRect(cr, {r.x, r.y + r.h - edge, r.w, edge}, dark);
    fillRect(cr, {r.x + r.w - edge, r.y, edge, r.h}, dark);
}

bool isKeyStat(const rpg::ClassDef& cls, rpg::StatId stat) {
    return std::find(cls.keyStats.begin(), cls.keyStats.end(), stat) != cls.keyStats.end();
}

// Where a bar starts: empty after a level-up, else where the hero stood
// before this battle's experience.
double xpBarFrom(const rpg::Hero& hero, const XpRow& row, double to) {
    if (row.levelAfter > row.levelBefore) return 0;
    const double need = rpg::xpToNext(hero.level);
    if (need <= 0) return 0;
    return std::clamp((hero.xp - row.xp) / need, 0.0, to);
}

class RewardScreen final : public Screen {
public:
    explicit RewardScreen(const GameState& s) : state_(s) {}

    void update(Ctx& ctx) override {
        if (start_ < 0) start_ = ctx.now;
        const double elapsed = ctx.now - start_;
        sceneBackdrop(ctx, SceneOpts{kSceneDarkGold, 12, 0.62, false, kWeatherClear, kDay, 1.0});
        playSounds(elapsed);
        drawTitle(ctx);
        drawGoldLine(ctx);
        Pick pick;
        drawCardList(ctx, elapsed, &pick);
        spendPoint(pick);
        if (leveled()) drawLevelUpFx(ctx, i18n::tr("reward.levelUp"), elapsed);
        drawContinue(ctx);
    }

private:
    struct Pick {
        std::string heroId;
        rpg::StatId stat = rpg::MaxHp;
    };

    bool leveled() const {
        return std::any_of(state_.xpRows.begin(), state_.xpRows.end(),
                           [](const XpRow& r) { return r.levelAfter > r.levelBefore; });
    }

    void playSounds(double elapsed) {
        if (elapsed >= kXpSoundAt && !xpSoundPlayed_) {
            xpSoundPlayed_ = true;
            audio::play(audio::Sfx::Xp);
        }
        if (leveled() && elapsed >= kLevelSoundAt && !levelSoundPlayed_) {
            levelSoundPlayed_ = true;
            audio::play(audio::Sfx::Levelup);
        }
    }

    void drawTitle(Ctx& ctx) {
        const double s = ctx.uiScale;
        const TextStyle st{.size = 24 * s,
                           .bold = true,
                           .color = kLightGold,
                           .align = Align::Centre,
                           .fitWidth = ctx.width - 40 * s,
                           .upperCase = true};
        drawShadowedTextTop(ctx.cr, ctx.width / 2, 8 * s, i18n::tr("battle.victory"), st);
    }

    void drawGoldLine(Ctx& ctx) {
        const double s = ctx.uiScale;
        const double y = 40 * s;
        const std::string text = "+" + num(state_.gold) + " " + i18n::tr("common.gold");
        const TextStyle st{.size = 16 * s, .bold = true, .color = kLightGold};
        double w = 0;
        measureText(ctx.cr, text, st, &w, nullptr);
        const double left = ctx.width / 2 - (w + 20 * s) / 2;
        drawRimmedCoin(ctx.cr, left + 7 * s, y + 11 * s, 7 * s, s);
        drawText(ctx.cr, left + 20 * s, y + 3 * s, text, st);
    }

    void drawCardList(Ctx& ctx, double elapsed, Pick* pick) {
        const double s = ctx.uiScale;
        const Rect area = rewardListArea(ctx.width, ctx.height, s);
        const double content = rewardContentHeight(state_.xpRows, s);
        scroll_ = beginScroll(ctx, "reward.cards", area, content, scroll_);
        const std::vector<Rect> cards = rewardCards(state_.xpRows, area, s, scroll_);
        for (std::size_t i = 0; i < cards.size(); ++i) {
            const Rect& c = cards[i];
            if (c.y + c.h <= area.y || c.y >= area.y + area.h) continue;
            drawCard(ctx, c, state_.xpRows[i], elapsed, static_cast<int>(i), pick);
        }
        endScroll(ctx);
    }

    void drawCard(Ctx& ctx, const Rect& card, const XpRow& row, double elapsed, int index, Pick* pick) {
        const rpg::Hero* hero = store::heroById(row.heroId);
        if (!hero) return;
        const double s = ctx.uiScale;
        pixelPanel(ctx, card, false);
        drawCardHead(ctx, card, *hero, row);
        const double barX = card.x + 72 * s;
        const double to = rpg::levelProgress(*hero);
        drawXpGainBar(ctx, {barX, card.y + 50 * s, card.x + card.w - 12 * s - barX, 13 * s}, xpBarFrom(*hero, row, to),
                      to, kGold, elapsed, 0.28 + 0.32 * index);
        if (!canSpend(hero)) return;
        drawPointsBlock(ctx, card, *hero);
        drawStatButtons(ctx, card, *hero, pick);
        TextStyle hint{.size = 10 * s, .color = kMutedText};
        hint.italic = true;
        drawText(ctx.cr, card.x + 12 * s, card.y + 230 * s, "★ " + i18n::tr("reward.keyStatHint"), hint);
    }

    void drawCardHead(Ctx& ctx, const Rect& card, const rpg::Hero& hero, const XpRow& row) {
        const double s = ctx.uiScale;
        cairo_t* cr = ctx.cr;
        const rpg::ClassDef& cls = rpg::classDef(hero.cls);
        const int frame = static_cast<int>(2 * ctx.now) % 2;
        drawSpriteCairo(cr, cls.id, card.x + 12 * s, card.y + 12 * s, 48 * s, 48 * s, nullptr, frame, false, 1.0);
        const double textX = card.x + 72 * s;
        const double right = card.x + card.w - 12 * s;
        TextStyle head{.size = 16 * s, .bold = true, .color = kCreamText, .fitWidth = 0.6 * (right - textX)};
        head.upperCase = true;
        drawText(cr, textX, card.y + 12 * s, i18n::tr(cls.nameKey), head);
        if (row.levelAfter > row.levelBefore) {
            TextStyle tag{.size = 12 * s, .bold = true, .color = theme::kGainGreen, .align = Align::Right};
            tag.upperCase = true;
            drawText(cr, right, card.y + 15 * s, i18n::tr("reward.levelUp") + " " + num(row.levelAfter), tag);
        }
        const std::string line = "+" + num(row.xp) + " " + i18n::tr("common.xp") + " · " + i18n::tr("common.level") +
                                 " " + num(hero.level);
        drawText(cr, textX, card.y + 32 * s, line, TextStyle{.size = 11 * s, .color = kMutedText});
    }

    // The points line and three figures of what the hero fights with.
    void drawPointsBlock(Ctx& ctx, const Rect& card, const rpg::Hero& hero) {
        const double s = ctx.uiScale;
        cairo_t* cr = ctx.cr;
        fillRect(cr, {card.x + 10 * s, card.y + 74 * s, card.w - 20 * s, std::max(2 * s, 2.0)}, kBevelDark);
        TextStyle points{.size = 12 * s, .bold = true, .color = kLightGold};
        points.upperCase = true;
        drawText(cr, card.x + 12 * s, card.y + 82 * s, i18n::tr("reward.points", {{"n", num(hero.points)}}), points);

        const rpg::Stats final = play::maxima(hero);
        struct Figure {
            const char* key;
            double value;
            uint32_t color;
        } const figures[] = {
            {"stat.hp", final.maxHp, theme::kRedText},
            {"stat.mp", final.maxMp, theme::kManaText},
            {"stat.dmg", std::max(final.atk, final.mag), kLightGold},
        };
        double x = card.x + card.w / 2 - 150 * s;
        for (const Figure& f : figures) {
            TextStyle lab{.size = 12 * s, .bold = true, .color = f.color};
            lab.upperCase = true;
            const std::string text = i18n::tr(f.key);
            double w = 0;
            measureText(cr, text, lab, &w, nullptr);
            drawText(cr, x, card.y + 102 * s, text, lab);
            drawText(cr, x + w + 5 * s, card.y + 101 * s, num(f.value),
                     TextStyle{.size = 14 * s, .bold = true, .color = kCreamText});
            x += 100 * s;
        }
    }

    void drawStatButtons(Ctx& ctx, const Rect& card, const rpg::Hero& hero, Pick* pick) {
        const double s = ctx.uiScale;
        cairo_t* cr = ctx.cr;
        const rpg::ClassDef& cls = rpg::classDef(hero.cls);
        const rpg::Stats final = play::maxima(hero);
        for (int i = 0; i < static_cast<int>(rpg::kAllocatable.size()); ++i) {
            const rpg::StatId stat = rpg::kAllocatable[i];
            const Rect b = rewardStatButton(card, i, s);
            const bool key = isKeyStat(cls, stat);
            drawStatBevel(cr, b, ctx.hover(b) && ctx.input.leftDown, std::max(2 * s, 2.0));
            TextStyle lab{.size = 9 * s,
                          .bold = key,
                          .color = key ? kLightGold : kMutedText,
                          .align = Align::Centre,
                          .fitWidth = b.w - 4 * s};
            lab.upperCase = true;
            const double cx = b.x + b.w / 2;
            drawTextTop(cr, cx, b.y + 6 * s, (key ? "★ " : "") + i18n::tr(rpg::statLabelKey(stat)), lab);
            drawTextTop(cr, cx, b.y + 18 * s, num(rpg::statValue(final, stat)),
                        TextStyle{.size = 14 * s, .bold = true, .color = kCreamText});
            drawTextTop(cr, cx, b.y + 34 * s, "+" + num(rpg::allocStep(stat)),
                        TextStyle{.size = 10 * s, .bold = true, .color = theme::kGainGreen});
            if (ctx.takeClick(b)) {
                pick->heroId = hero.id;
                pick->stat = stat;
                // The last point folds the card, and the next card moves up
                // under the pointer: a double click spends only this one.
                if (hero.points == 1) ctx.changedUnderPointer();
            }
        }
    }

    // A spent point is one transaction; a card without points left has no
    // buttons, so a refusal needs no sound.
    static void spendPoint(const Pick& pick) {
        if (pick.heroId.empty() || !canSpend(store::heroById(pick.heroId))) return;
        answer(play::spendPoint(pick.heroId, pick.stat));
    }

    void drawContinue(Ctx& ctx) {
        const Rect r = rewardContinueButton(ctx.width, ctx.height, ctx.uiScale);
        const bool clicked = menuButton(ctx, r, i18n::tr("reward.continue"), true);
        if (!clicked && !ctx.input.hasKey(key::kReturn)) return;
        audio::play(audio::Sfx::Click);
        if (!state_.boss) {
            Game::instance().pop();
            return;
        }
        Game::instance().replace(bossChestEntry(state_.nodeId, state_.depth));
    }

    GameState state_;
    double start_ = -1;
    double scroll_ = 0;
    bool xpSoundPlayed_ = false;
    bool levelSoundPlayed_ = false;
};

} // namespace

double rewardCardHeight(const XpRow& row, double s) {
    return (canSpend(store::heroById(row.heroId)) ? kTallCard : kShortCard) * s;
}

Rect rewardListArea(double w, double h, double s) {
    const double k = std::min(std::round(0.66 * w), w);
    return {(w - k) / 2, 68 * s, k, h - 68 * s - 74 * s};
}

double rewardContentHeight(const std::vector<XpRow>& rows, double s) {
    double total = kCardGap * s;
    for (const XpRow& row : rows) total += rewardCardHeight(row, s) + kCardGap * s;
    return total;
}

std::vector<Rect> rewardCards(const std::vector<XpRow>& rows, const Rect& area, double s, double scroll) {
    std::vector<Rect> cards;
    double y = area.y + kCardGap * s - scroll;
    for (const XpRow& row : rows) {
        const double h = rewardCardHeight(row, s);
        cards.push_back({area.x + 12 * s, y, area.w - 24 * s, h});
        y += h + kCardGap * s;
    }
    return cards;
}

Rect rewardStatButton(const Rect& card, int i, double s) {
    const double bw = (card.w - 42 * s) / 4;
    return {card.x + 12 * s + (i % 4) * (bw + 6 * s), card.y + 120 * s + (i / 4) * (48 * s + 6 * s), bw, 48 * s};
}

Rect rewardContinueButton(double w, double h, double s) {
    const double k = std::min(std::round(0.66 * w), w);
    const double bw = std::min(420 * s, k - 28 * s);
    return {(w - bw) / 2, h - 60 * s, bw, 46 * s};
}

std::unique_ptr<Screen> makeRewardScreen(const GameState& s) { return std::make_unique<RewardScreen>(s); }

} // namespace ui
