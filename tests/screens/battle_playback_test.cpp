// Playback of the engine's events: numbers, words, impacts, sounds, loot.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/battle_scene.h"
#include "tests/screens/battle_fixture.h"

namespace {

namespace battle = ui::battle;
using audio::Sfx;
using Event = rpg::CombatEvent;
using rpg::StatusKind;

Event ev(Event::Kind kind, const std::string& actor, const std::string& target, double amount = 0) {
    Event e;
    e.kind = kind;
    e.actor = actor;
    e.target = target;
    e.amount = amount;
    return e;
}

Event with(Event e, StatusKind kind) {
    e.hasStatus = true;
    e.status = kind;
    return e;
}

struct Shown {
    std::vector<std::pair<std::string, std::uint32_t>> floats;
    std::size_t bursts = 0, columns = 0, links = 0;
    std::vector<Sfx> sounds;
};

Shown play(battletest::Stage& st, const Event& e) {
    st.reset();
    battle::consume(st.sc, st.ctx(), {{e}});
    Shown out;
    for (const battle::Float& f : st.sc.floats) out.floats.emplace_back(f.text, f.color);
    out.bursts = st.sc.fx.burst.size();
    out.columns = st.sc.fx.column.size();
    out.links = st.sc.fx.link.size();
    out.sounds = st.h.sounds();
    return out;
}

TEST(BattlePlayback, EachEventShowsItsTextImpactAndSound) {
    Event crit = ev(Event::Damage, "h1", "e0", 12);
    crit.crit = true;
    Event mana = ev(Event::Heal, "h1", "h2", 7);
    mana.mana = true;
    Event manaTick = with(ev(Event::Tick, "", "h2", 4), StatusKind::Regen);
    manaTick.mana = true;
    struct Case {
        const char* what;
        Event e;
        std::vector<std::pair<std::string, std::uint32_t>> floats;
        std::size_t bursts, columns, links;
        std::vector<Sfx> sounds;
    };
    const std::string poisonName = i18n::tr(rpg::statusDesc(StatusKind::Poison).nameKey) + "!";
    const std::string shieldName = i18n::tr(rpg::statusDesc(StatusKind::Shield).nameKey) + "!";
    const Case cases[] = {
        {"hit", ev(Event::Damage, "h1", "e0", 0), {{"-0", 0xC2382F}}, 1, 0, 0, {Sfx::HitPhys}},
        {"critical hit", crit, {{"-12", 0xF4C95A}}, 1, 0, 0, {Sfx::Crit}},
        {"healed by a skill", ev(Event::Heal, "h2", "h2", 1500), {{"+1,500", 0x5A9C3A}}, 0, 1, 0, {Sfx::Heal}},
        {"healed by an item", ev(Event::Heal, "", "h2", 30), {{"+30", 0x5A9C3A}}, 1, 0, 0, {Sfx::Heal}},
        {"mana", mana, {{"+7", 0x3A72B2}}, 0, 1, 0, {Sfx::Heal}},
        {"curse", with(ev(Event::StatusApplied, "e0", "h1"), StatusKind::Poison),
         {{poisonName, rpg::statusDesc(StatusKind::Poison).colour}}, 1, 0, 1, {Sfx::Buff}},
        {"shield", with(ev(Event::StatusApplied, "h2", "h1"), StatusKind::Shield),
         {{shieldName, rpg::statusDesc(StatusKind::Shield).colour}}, 1, 0, 1, {Sfx::Buff}},
        {"regeneration", with(ev(Event::StatusApplied, "h2", "h1"), StatusKind::Regen),
         {{i18n::tr(rpg::statusDesc(StatusKind::Regen).nameKey) + "!", rpg::statusDesc(StatusKind::Regen).colour}},
         1, 1, 0, {Sfx::Buff}},
        {"purified", ev(Event::Purified, "h2", "h1", 2), {{i18n::tr("battle.purified"), 0x5A9C3A}}, 1, 0, 1, {}},
        {"nothing to purify", ev(Event::Purified, "h2", "h1", 0), {}, 1, 0, 1, {}},
        {"death", ev(Event::Death, "h1", "e0"), {}, 0, 0, 0, {Sfx::Death}},
        {"revive", ev(Event::Revive, "h2", "h1", 50), {}, 1, 1, 0, {Sfx::Revive}},
        {"poison tick", with(ev(Event::Tick, "", "h1", 5), StatusKind::Poison), {{"-5", 0x7BBF3A}}, 1, 0, 0, {}},
        {"burn tick", with(ev(Event::Tick, "", "h1", 6), StatusKind::Burn), {{"-6", 0x7BBF3A}}, 1, 0, 0, {}},
        {"regen tick", with(ev(Event::Tick, "", "h1", 3), StatusKind::Regen), {{"+3", 0x5A9C3A}}, 1, 0, 0, {}},
        {"mana tick", manaTick, {{"+4", 0x3A72B2}}, 1, 0, 0, {}},
        {"stunned", ev(Event::StunnedSkip, "", "e1"), {{i18n::tr("battle.stunnedSkip"), 0xF4C95A}}, 0, 0, 0, {}},
        {"executed", ev(Event::Executed, "h1", "e1"), {}, 0, 0, 0, {}},
        {"unknown kind", ev(static_cast<Event::Kind>(12), "h1", "e1", 5), {}, 0, 0, 0, {}},
    };
    battletest::Stage st;
    for (const Case& c : cases) {
        const Shown s = play(st, c.e);
        EXPECT_EQ(s.floats, c.floats) << c.what;
        EXPECT_EQ(s.bursts, c.bursts) << c.what;
        EXPECT_EQ(s.columns, c.columns) << c.what;
        EXPECT_EQ(s.links, c.links) << c.what;
        EXPECT_EQ(s.sounds, c.sounds) << c.what;
    }
}

TEST(BattlePlayback, BurstsGrowWithTheShareOfHitPointsAndTicksTakeTheirColour) {
    battletest::Stage st;
    Event full = ev(Event::Damage, "h1", "e0", 100);
    battle::consume(st.sc, st.ctx(), {{full}});
    EXPECT_EQ(st.sc.fx.burst.at(0).count, 18);
    EXPECT_EQ(st.sc.fx.burst[0].radius, 50);
    EXPECT_TRUE(st.sc.fx.burst[0].ring);
    full.crit = true;
    st.reset();
    battle::consume(st.sc, st.ctx(), {{full}});
    EXPECT_EQ(st.sc.fx.burst.at(0).count, 24);
    EXPECT_EQ(st.sc.fx.burst[0].radius, 64);
    st.reset();
    battle::consume(st.sc, st.ctx(), {{ev(Event::Damage, "h1", "e0", 20)}});
    EXPECT_FALSE(st.sc.fx.burst.at(0).ring) << "a small hit has no ring";
    EXPECT_GE(st.sc.anims["e0"].hit, st.ctx().now) << "the struck unit shakes";
    st.reset();
    battle::consume(st.sc, st.ctx(), {{with(ev(Event::Tick, "", "h1", 5), StatusKind::Burn)}});
    EXPECT_EQ(st.sc.fx.burst.at(0).color, 0xE3692Au);
    // Without a slot the text stands in the middle of the window.
    st.reset();
    battle::consume(st.sc, st.ctx(), {{ev(Event::Damage, "h1", "ghost", 5)}});
    EXPECT_TRUE(st.sc.fx.burst.empty());
    ASSERT_EQ(st.sc.floats.size(), 1u);
    EXPECT_EQ(st.sc.floats[0].x, st.ctx().width / 2);
    EXPECT_EQ(st.sc.floats[0].y, st.ctx().height / 2);
}

// The loot is the run's (saved with the battle's end); what the rules could
// not have given is neither taken nor announced, and every steal rings the coin.
TEST(BattlePlayback, StealsFillTheRunsPurseAndBag) {
    battletest::Stage st;
    battletest::startRun({battletest::hero("h1", rpg::ClassId::Rogue, 20)}, 5, 1);
    store::run().gold = 10;
    store::saveRun();
    st.at("h1").level = 20;
    st.at("e0").robbed = true;  // as the engine leaves a monster it stole from
    const std::int32_t tier = rpg::potionTierFor(20);
    Event item = ev(Event::Steal, "h1", "e0");
    item.item = "potionHp";
    item.itemLevel = tier;
    Event gold = ev(Event::Steal, "h1", "e0", 18);
    Event greedy = ev(Event::Steal, "h1", "e0", rpg::maxStolenGold(100) + 1);
    Event unknown = ev(Event::Steal, "h1", "e0");
    unknown.item = "noSuchThing";
    Event looted = ev(Event::Steal, "h1", "e0");
    looted.looted = true;
    battle::consume(st.sc, st.ctx(), {{item, gold, greedy, unknown, looted, ev(Event::Steal, "h1", "e1")}});

    ASSERT_EQ(store::run().inventory.size(), 1u);
    EXPECT_EQ(store::run().inventory[0].defId, "potionHp");
    EXPECT_EQ(store::run().inventory[0].ilvl, tier);
    EXPECT_EQ(store::run().gold, 28);
    const std::vector<std::pair<std::string, std::uint32_t>> want = {
        {i18n::tr("battle.stolen", {{"what", "18 " + i18n::tr("common.gold")}}), 0xF4C95A},
        {i18n::tr("battle.alreadyLooted"), 0xA8987A},
        {i18n::tr("battle.stealFail"), 0xC2382F},
    };
    std::vector<std::pair<std::string, std::uint32_t>> got;
    for (const battle::Float& f : st.sc.floats) got.emplace_back(f.text, f.color);
    EXPECT_EQ(got, want) << "an item steal shows no text, nor does an unknown item or gold past the bound";
    EXPECT_EQ(st.h.sounds(), std::vector<Sfx>(6, Sfx::Coin));
    EXPECT_EQ(store::meta().gold, 0) << "stolen gold is the run's alone";
    st.h.reloadStores();
    EXPECT_EQ(store::run().gold, 10) << "not on disk before the battle ends";
}

TEST(BattlePlayback, ImpactsComeBeforeTextsAndFloatsFadeOut) {
    battletest::Stage st;
    battle::consume(st.sc, st.ctx(),
                    {{ev(Event::Damage, "e0", "h1", 10), ev(Event::Damage, "e0", "h2", 10), ev(Event::Death, "e0", "h2")}});
    EXPECT_EQ(st.sc.fx.burst.size(), 2u);
    EXPECT_EQ(st.h.sounds(), (std::vector<Sfx>{Sfx::HitPhys, Sfx::HitPhys, Sfx::Death}));
    ASSERT_EQ(st.sc.floats.size(), 2u);
    const auto [x, y] = std::pair{st.sc.floats[0].x, st.sc.floats[0].y};
    const ui::battle::Slot& slot = *std::find_if(st.sc.slots.begin(), st.sc.slots.end(),
                                                 [](const ui::battle::Slot& s) { return s.id == "h1"; });
    EXPECT_EQ(x, slot.x);
    EXPECT_EQ(y, slot.y - 30 * st.ctx().uiScale);
    st.h.setBody([&](ui::Ctx& c) { battle::drawFloats(st.sc, c); });
    st.h.wait(1.0);
    st.h.frame();
    EXPECT_EQ(st.sc.floats.size(), 2u);
    st.h.wait(0.2);
    st.h.frame();
    EXPECT_TRUE(st.sc.floats.empty()) << "gone after 1.1 s";
}

// Words on neighbouring monsters and several on one unit stand apart, each
// whole inside the window.
TEST(BattlePlayback, FloatsOfOneMomentNeverRunTogether) {
    battletest::Stage st;
    st.sc.state.combatants = {battletest::unit("h1", rpg::Side::Heroes)};
    for (int i = 0; i < 6; ++i) st.sc.state.combatants.push_back(battletest::unit("e" + std::to_string(i), rpg::Side::Enemies));
    st.relayout();
    battletest::startRun({battletest::hero("h1", rpg::ClassId::Rogue, 1)}, 5, 1);
    st.at("e1").robbed = true;
    rpg::ActionOutcome out;
    for (const char* id : {"e0", "e1", "e2", "e5"}) out.events.push_back(ev(Event::Steal, "h1", id));
    out.events[1].amount = 16;
    out.events.push_back(ev(Event::Damage, "h1", "e5", 12));
    out.events.push_back(with(ev(Event::StatusApplied, "h1", "e5"), StatusKind::Poison));
    battle::consume(st.sc, st.ctx(), out);
    st.h.setBody([&](ui::Ctx& c) { battle::drawFloats(st.sc, c); });
    st.h.frame();
    ASSERT_EQ(st.sc.floats.size(), 6u);
    const ui::Ctx& c = st.ctx();
    for (std::size_t i = 0; i < st.sc.floats.size(); ++i) {
        const ui::Rect a = battle::floatRect(st.sc, st.ctx(), st.sc.floats[i], c.now);
        EXPECT_TRUE(a.x >= 0 && a.x + a.w <= c.width && a.y >= 0) << st.sc.floats[i].text;
        for (std::size_t j = 0; j < i; ++j) {
            const ui::Rect b = battle::floatRect(st.sc, st.ctx(), st.sc.floats[j], c.now);
            const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << st.sc.floats[i].text << " runs into " << st.sc.floats[j].text;
        }
    }
}

// Words on a unit under status chips never run into the chips: one that
// starts below them stops under them as it rises, and they stay apart.
TEST(BattlePlayback, FloatsStopUnderTheStatusChips) {
    battletest::Stage st;
    rpg::Combatant burning = battletest::unit("e0", rpg::Side::Enemies);
    burning.statuses = {{StatusKind::Burn, 2, 5}, {StatusKind::Slow, 1, 3}};
    st.sc.state.combatants = {battletest::unit("h1", rpg::Side::Heroes), burning};
    st.relayout();
    battle::consume(st.sc, st.ctx(),
                    {{with(ev(Event::StatusApplied, "h1", "e0"), StatusKind::Burn), ev(Event::Damage, "h1", "e0", 9)}});
    st.h.setBody([&](ui::Ctx& c) { battle::drawFloats(st.sc, c); });
    st.h.frame();
    ASSERT_EQ(st.sc.floats.size(), 2u);
    const ui::Rect chips = std::find_if(st.sc.slots.begin(), st.sc.slots.end(), [](const ui::battle::Slot& s) {
                               return s.id == "e0";
                           })->parts.chips;
    ASSERT_GT(chips.w, 0);
    const auto apart = [](const ui::Rect& a, const ui::Rect& b) {
        return a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
    };
    int below = 0;
    for (const battle::Float& f : st.sc.floats) {
        const bool under = battle::floatRect(st.sc, st.ctx(), f, f.start).y >= chips.y + chips.h;
        below += under;
        for (double t = 0; t <= battle::kFloatLife; t += 0.05) {
            const ui::Rect r = battle::floatRect(st.sc, st.ctx(), f, f.start + t);
            EXPECT_TRUE(apart(r, chips)) << f.text << " at " << t << " s";
            if (under) {
                EXPECT_GE(r.y, chips.y + chips.h) << f.text << " at " << t << " s";
            }
        }
    }
    EXPECT_GE(below, 1) << "a word starts below the chips";
    for (double t = 0; t <= battle::kFloatLife; t += 0.05) {
        const double now = st.sc.floats[0].start + t;
        EXPECT_TRUE(apart(battle::floatRect(st.sc, st.ctx(), st.sc.floats[0], now),
                          battle::floatRect(st.sc, st.ctx(), st.sc.floats[1], now)))
            << "at " << t << " s the words run together";
    }
}

// A word on a back-row hero starts where the front row's bars and names
// stand above it: it never covers a unit's bars or name, its own included,
// as it rises; the words over the top row never rise into the round, turn
// and banner lines above the units.
TEST(BattlePlayback, FloatsKeepClearOfEveryUnitsBarsAndNameAndOfTheHeader) {
    battletest::Stage st;
    st.sc.state.combatants.clear();
    for (int i = 0; i < 6; ++i) {
        rpg::Combatant c = battletest::unit("h" + std::to_string(i), rpg::Side::Heroes);
        c.backRow = i >= 3;
        st.sc.state.combatants.push_back(c);
    }
    st.sc.state.combatants.push_back(battletest::unit("e0", rpg::Side::Enemies));
    st.relayout();
    rpg::ActionOutcome out;
    for (int i = 0; i < 6; ++i)
        out.events.push_back(with(ev(Event::StatusApplied, "h0", "h" + std::to_string(i)), StatusKind::DefUp));
    out.events.push_back(ev(Event::Heal, "h0", "h4", 30));
    for (int i = 0; i < 4; ++i) out.events.push_back(ev(Event::Damage, "h0", "e0", 10 + i));
    out.events.push_back(with(ev(Event::StatusApplied, "h0", "e0"), StatusKind::Burn));
    battle::consume(st.sc, st.ctx(), out);
    st.h.setBody([&](ui::Ctx& c) { battle::drawFloats(st.sc, c); });
    st.h.frame();
    ASSERT_EQ(st.sc.floats.size(), 12u);
    const double headerBottom = (battle::kUnitsTop - 2) * st.ctx().uiScale;
    const auto apart = [](const ui::Rect& a, const ui::Rect& b) {
        return a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
    };
    for (const battle::Float& f : st.sc.floats) {
        for (double t = 0; t <= battle::kFloatLife; t += 0.05) {
            const ui::Rect r = battle::floatRect(st.sc, st.ctx(), f, f.start + t);
            EXPECT_GE(r.y, headerBottom - 0.01) << f.text << " in the header at " << t << " s";
            for (const battle::Float& o : st.sc.floats) {
                if (&o == &f) continue;
                EXPECT_TRUE(apart(r, battle::floatRect(st.sc, st.ctx(), o, o.start + t)))
                    << f.text << " runs into " << o.text << " at " << t << " s";
            }
            for (const battle::Slot& u : st.sc.slots) {
                EXPECT_TRUE(apart(r, u.parts.bars)) << f.text << " over the bars of " << u.id << " at " << t << " s";
                EXPECT_TRUE(apart(r, u.parts.name)) << f.text << " over the name of " << u.id << " at " << t << " s";
            }
        }
    }
}

} // namespace
