// Contact sheets of every battle effect across its timeline: each cell is
// drawn on its own canvas over the battle's dark ground, with a faint cross at
// the effect's anchor (and a faint box over an area effect's rectangle).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "rules/skills.h"
#include "tests/gallery/gallery.h"
#include "ui/draw.h"
#include "ui/theme.h"

namespace {

using gallery::fmt;
using gallery::Painter;

// Skill colours taken from the catalogue's look: fire, holy, frost, venom.
struct Palette {
    uint32_t a, b;
};
constexpr Palette kFire{0xFF6A1A, 0xFFE08A};
constexpr Palette kHoly{0xF4E25A, 0xFFFBE0};
constexpr Palette kFrost{0x5FB6D8, 0xE8F8FF};
constexpr Palette kVenom{0x7BBF3A, 0x2E5A1A};

// The effect over its anchor (ax, ay), marked on the ground with a faint
// cross, and over an area effect's rectangle as a faint box.
Painter marked(double ax, double ay, const Painter& paint, const ui::Rect& area = {}) {
    return [=](ui::Ctx& c) {
        {
            ui::SavedState keep(c.cr);
            if (area.w > 0) ui::fillRect(c.cr, area, 0xFFFFFF, 0.05);
            ui::drawLine(c.cr, ax - 5, ay, ax + 5, ay, 1, theme::kBevelLight, 0.7);
            ui::drawLine(c.cr, ax, ay - 5, ax, ay + 5, 1, theme::kBevelLight, 0.7);
        }
        paint(c);
    };
}

const double kMoments[] = {0.06, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9};

TEST(BattleGallery, Slashes) {
    const char* names[] = {"", "sweep", "cross", "thrust", "claws", "star", "jaws"};
    gallery::Sheet sheet(7, 12, 150, 130);
    for (int kind = 1; kind <= 6; ++kind) {
        for (int level : {1, 5}) {
            for (double t : kMoments) {
                sheet.draw(std::string(names[kind]) + " L" + std::to_string(level) + fmt(" t %.2f", t),
                           marked(75, 65, [&](ui::Ctx& c) {
                               ui::drawSlash(c, static_cast<rpg::SlashKind>(kind), 75, 65, 0xC8CCD4, kFire.a, level, t);
                           }));
            }
        }
    }
    sheet.write("battle-slashes");
}

TEST(BattleGallery, Auras) {
    const char* names[] = {"squares", "streaks", "pills", "shield", "arrows", "notes", "dots", "orbit", "plus"};
    gallery::Sheet sheet(7, 18, 150, 140);
    for (int kind = 0; kind <= 8; ++kind) {
        for (int level : {1, 4}) {
            const Palette p = kind % 2 ? kHoly : kVenom;
            for (double t : kMoments) {
                sheet.draw(std::string(names[kind]) + " L" + std::to_string(level) + fmt(" t %.2f", t),
                           marked(75, 100, [&](ui::Ctx& c) {
                               ui::drawAura(c, static_cast<rpg::AuraKind>(kind), 75, 100, p.a, p.b, level, t);
                           }));
            }
        }
    }
    sheet.write("battle-auras");
}

// Every form with every trail, the flight shown at four moments at once.
TEST(BattleGallery, ProjectileFormsAndTrails) {
    gallery::Sheet sheet(7, 13, 260, 90);
    for (int form = 0; form <= 12; ++form) {
        for (int trail = 0; trail <= 6; ++trail) {
            const Palette p = form % 2 ? kFire : kFrost;
            const Painter flights = [&](ui::Ctx& c) {
                for (double t : {0.05, 0.35, 0.6, 0.85})
                    ui::drawProjectile(c, static_cast<rpg::FxForm>(form), static_cast<rpg::FxTrail>(trail), 20, 50, 240,
                                       50, p.a, p.b, 2, t, false);
            };
            sheet.draw("form " + std::to_string(form) + " trail " + std::to_string(trail), marked(20, 50, flights));
        }
    }
    sheet.write("battle-projectiles");
}

// Forms up close at the top tier, and lobbed flights, each as a timeline.
TEST(BattleGallery, ProjectileCloseUpsAndLobs) {
    gallery::Sheet close(7, 13, 120, 90);
    for (int form = 0; form <= 12; ++form) {
        for (double t : kMoments) {
            const Painter flight = [&](ui::Ctx& c) {
                ui::drawProjectile(c, static_cast<rpg::FxForm>(form), rpg::TrailEmber, 60 - 200 * t, 45 + 60 * t,
                                   60 + 200 * (1 - t), 45 - 60 * (1 - t), kHoly.a, 0xB25A3A, 5, t, false);
            };
            close.draw("form " + std::to_string(form) + fmt(" t %.2f", t), marked(60, 45, flight), 0, 1.5);
        }
    }
    close.write("battle-projectile-forms");

    gallery::Sheet lobs(3, 4, 420, 200);
    for (int form : {1, 2, 3, 8, 10, 12}) {
        for (int level : {1, 5}) {
            const Painter arc = [&](ui::Ctx& c) {
                for (double t : {0.0, 0.2, 0.4, 0.5, 0.6, 0.8, 1.0})
                    ui::drawProjectile(c, static_cast<rpg::FxForm>(form), rpg::TrailSmoke, 30, 160, 390, 160, kFire.a,
                                       kFire.b, level, t, true);
            };
            lobs.draw("lob form " + std::to_string(form) + " L" + std::to_string(level), marked(30, 160, arc));
        }
    }
    lobs.write("battle-lobs");
}

TEST(BattleGallery, BurstsColumnsLinksAndFlasks) {
    const double moments[] = {0.04, 0.1, 0.2, 0.32, 0.45, 0.58, 0.72, 0.84, 0.9};
    gallery::Sheet sheet(9, 7, 150, 170);
    struct Row {
        const char* name;
        std::function<void(ui::Ctx&, double)> paint;
    };
    const Row rows[] = {
        {"burst", [](ui::Ctx& c, double t) { ui::drawBurst(c, 75, 95, kFire.a, 10, 30, true, false, t); }},
        {"burst ring", [](ui::Ctx& c, double t) { ui::drawBurst(c, 75, 95, kFrost.a, 6, 50, true, true, t); }},
        {"burst bare", [](ui::Ctx& c, double t) { ui::drawBurst(c, 75, 95, kVenom.a, 0, 40, false, false, t); }},
        {"heal", [](ui::Ctx& c, double t) { ui::drawHealColumn(c, 75, 100, t); }},
        {"link", [](ui::Ctx& c, double t) { ui::drawBuffLink(c, 15, 140, 135, 40, kHoly.a, kFrost.a, t); }},
        {"link same", [](ui::Ctx& c, double t) { ui::drawBuffLink(c, 75, 95, 75, 95, kHoly.a, kFrost.a, t); }},
        {"flask", [](ui::Ctx& c, double t) { ui::drawFlaskPour(c, 75, 150, 0xD8443A, 0xFF8A7A, t); }},
    };
    const double anchors[][2] = {{75, 95}, {75, 95}, {75, 95}, {75, 100}, {15, 140}, {75, 95}, {75, 150}};
    int r = 0;
    for (const Row& row : rows) {
        for (double t : moments)
            sheet.draw(std::string(row.name) + fmt(" t %.2f", t),
                       marked(anchors[r][0], anchors[r][1], [&](ui::Ctx& c) { row.paint(c, t); }));
        ++r;
    }
    sheet.write("battle-bursts");
}

struct Active {
    rpg::StatusKind kind;
};

TEST(BattleGallery, StatusAuras) {
    const double clocks[] = {0.0, 0.5, 1.0, 1.4, 1.9, 2.4, 3.0, 3.6};
    gallery::Sheet sheet(8, 12, 150, 150);
    std::vector<std::vector<Active>> lists;
    for (int k = 0; k < rpg::kStatusCount; ++k)
        if (k != 3) lists.push_back({{static_cast<rpg::StatusKind>(k)}});
    lists.push_back({{rpg::StatusKind::Regen}, {rpg::StatusKind::Poison}});
    lists.push_back({{rpg::StatusKind::Stun}, {rpg::StatusKind::Shield}, {rpg::StatusKind::Burn}});
    lists.push_back({{rpg::StatusKind::AtkUp}, {rpg::StatusKind::DefUp}});
    for (const auto& list : lists) {
        std::string name = "status";
        for (const Active& a : list) name += " " + std::to_string(static_cast<int>(a.kind));
        for (double now : clocks)
            sheet.draw(name + fmt(" @%.1fs", now),
                       marked(75, 115, [&](ui::Ctx& c) { ui::drawStatusAura(c, list, 75, 115, 120); }), now);
    }
    sheet.write("battle-status");
}

// Area effects over a 220-unit area (the battle screen's box, 120 high),
// each kind with the variants that change it, at two tiers where it grows.
TEST(BattleGallery, AreaEffects) {
    struct Row {
        int kind, variant, level;
    };
    const std::vector<std::vector<Row>> sheets = {
        {{1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}},
        {{5, 0, 1}, {5, 2, 3}, {5, 3, 5}, {6, 0, 1}, {6, 5, 3}},
        {{6, 6, 5}, {6, 7, 5}, {7, 0, 1}, {7, 0, 5}, {8, 0, 1}},
        {{8, 0, 5}, {9, 0, 1}, {9, 0, 5}},
    };
    const double moments[] = {0.06, 0.2, 0.35, 0.5, 0.62, 0.75, 0.85};
    const ui::Rect area{50, 250, 220, 120};
    int page = 1;
    for (const auto& rows : sheets) {
        gallery::Sheet sheet(7, static_cast<int>(rows.size()), 320, 470);
        for (const Row& row : rows) {
            const Palette p = row.kind % 2 ? kFire : kFrost;
            for (double t : moments) {
                const std::string label = "aoe " + std::to_string(row.kind) + " v" + std::to_string(row.variant) +
                                          " L" + std::to_string(row.level) + fmt(" t %.2f", t);
                sheet.draw(label, marked(area.x + area.w / 2, area.y + area.h / 2, [&](ui::Ctx& c) {
                    ui::drawAoE(c, static_cast<rpg::AoEKind>(row.kind), static_cast<rpg::FxVariant>(row.variant), area,
                                p.a, p.b, row.level, t);
                }, area));
            }
        }
        sheet.write("battle-aoe-" + std::to_string(page++));
    }
}

} // namespace
