// The item and hero cards under the headless harness.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/hero.h"
#include "rules/items.h"
#include "tests/support/cairo_check.h"
#include "tests/support/screen_harness.h"
#include "ui/cards.h"

namespace {

using harness::ScreenHarness;

// A two-handed axe with one affix: every line of the card has something to say.
rpg::ItemInstance axe() {
    rpg::ItemInstance item;
    item.uid = "it-test";
    item.defId = "greataxe";
    item.affixes.push_back({0, 3, rpg::StatusKind::Poison});
    return item;
}

// Rows of the card from `from` (relative to its top) down that hold pixels
// passing pred.
template <typename Pred>
std::vector<int> inkRows(ScreenHarness& h, const ui::Rect& r, int from, Pred pred) {
    std::vector<int> rows;
    for (int y = int(r.y) + from; y < int(r.y + r.h); ++y) {
        for (int x = int(r.x) + 4; x < int(r.x + r.w) - 4; ++x) {
            const std::uint32_t p = h.overlayPixel(x, y);
            if ((p >> 24) == 0xFF && pred((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)) {
                rows.push_back(y - int(r.y));
                break;
            }
        }
    }
    return rows;
}

bool affixBlue(int r, int, int b) { return b > r + 60; }
bool mutedLevel(int r, int g, int b) { return r > 0x70 && r > b + 20 && g > b; }

TEST(ItemCard, LinesAppearOnlyWhereTheCardHasRoomForThem) {
    struct Case {
        double height;
        bool affix, level;
    } cases[] = {{80, true, true}, {61, true, false}, {60, false, true}, {59, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        ScreenHarness h;
        const ui::Rect r{100, 100, 360, c.height};
        h.setBody([&](ui::Ctx& ctx) { ui::itemCard(ctx, r, axe(), "", false, false); });
        h.frame();
        // Name and bonus line take the first 46 rows; below them only the
        // affix line (blue) and the level line (muted) may stand.
        EXPECT_EQ(!inkRows(h, r, 46, affixBlue).empty(), c.affix);
        EXPECT_EQ(!inkRows(h, r, 46, mutedLevel).empty(), c.level);
    }
}

TEST(ItemCard, ClicksWithoutSoundAlsoWhenDimmedButNeverForAnUnknownItem) {
    ScreenHarness h;
    const ui::Rect r{100, 100, 300, 80};
    rpg::ItemInstance unknown = axe();
    unknown.defId = "no-such-item";
    bool dimmedClick = false, unknownClick = false, under = false;
    h.setBody([&](ui::Ctx& c) {
        const auto before = cairocheck::snapshot(c.cr);
        dimmedClick = ui::itemCard(c, r, axe(), "x2", false, true);
        EXPECT_TRUE(cairocheck::unchanged(c.cr, before));
    });
    h.tap(150, 120);
    EXPECT_TRUE(dimmedClick);
    h.setBody([&](ui::Ctx& c) {
        const auto before = cairocheck::paintedPixels(h.overlay());
        unknownClick = ui::itemCard(c, r, unknown, "tag", true, false);
        EXPECT_EQ(cairocheck::paintedPixels(h.overlay()), before) << "draws nothing";
        under = c.takeClick(r);
    });
    h.tap(150, 120);
    EXPECT_FALSE(unknownClick);
    EXPECT_TRUE(under) << "the click stays free";
    EXPECT_TRUE(h.sounds().empty());
}

TEST(HeroCard, BarsClampAtTheDerivedMaximaAndTheCardClicksSilently) {
    const rpg::Hero hero = rpg::makeHero(rpg::ClassId::Warrior, "hero-card", 5);
    const double maxHp = rpg::statValue(rpg::deriveStats(hero), rpg::StatId::MaxHp);
    const ui::Rect r{100, 100, 360, 84};
    // The hit point bar's right end: left column 100 + 20 + 64, ending 10 in.
    const int barRight = 100 + 360 - 10 - 3;
    const int barY = 100 + 10 + 38 + 2;
    auto hpEnd = [&](double hp) {
        ScreenHarness h;
        h.setBody([&](ui::Ctx& c) { ui::heroCard(c, r, hero, hp, 0, false); });
        h.frame();
        return h.overlayPixel(barRight, barY) & 0xFFFFFF;
    };
    EXPECT_EQ(hpEnd(maxHp * 3), 0xC2382Fu);
    EXPECT_EQ(hpEnd(maxHp), 0xC2382Fu);
    EXPECT_EQ(hpEnd(maxHp / 2), 0x120D09u);

    ScreenHarness h;
    bool clicked = false;
    h.setBody([&](ui::Ctx& c) {
        const auto before = cairocheck::snapshot(c.cr);
        clicked = ui::heroCard(c, r, hero, 10, 10, true);
        EXPECT_TRUE(cairocheck::unchanged(c.cr, before));
    });
    h.tap(200, 150);
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(h.sounds().empty());
}

} // namespace
