// Every member of each save file replaced by a value of every wrong kind:
// the readers must not crash, and what they make of it must be a record
// the writer stores faithfully, so one bad field never grows into a
// damaged save. This file also runs under the address and undefined-
// behaviour sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/storage_detail.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/run.h"

namespace {

using store::detail::metaFromJson;
using store::detail::metaToJson;

// Paths of every member and element: each entry is the list of steps,
// a key for an object member or an index (as text) for an array element.
void collectPaths(const js::Value& v, std::vector<std::string>& at, std::vector<std::vector<std::string>>& out) {
    if (v.type == js::Type::Object) {
        for (const auto& [key, member] : v.obj) {
            at.push_back(key);
            out.push_back(at);
            collectPaths(member, at, out);
            at.pop_back();
        }
    } else if (v.type == js::Type::Array) {
        for (std::size_t i = 0; i < v.arr.size(); ++i) {
            at.push_back(std::to_string(i));
            out.push_back(at);
            collectPaths(v.arr[i], at, out);
            at.pop_back();
        }
    }
}

js::Value replaced(js::Value doc, const std::vector<std::string>& path, const js::Value& with) {
    js::Value* v = &doc;
    for (const std::string& step : path) {
        v = v->type == js::Type::Object ? &v->obj[step] : &v->arr[std::stoul(step)];
    }
    *v = with;
    return doc;
}

const char* const kWrongValues[] = {"null", "true", "\"x\"", "\"\"", "0.5", "-1e300", "1e300", "[]", "{}", "[{}]"};

// Calls check(damaged document, trace) for every path and wrong value.
template <typename Check>
void forEveryWrongField(const js::Value& doc, Check check) {
    std::vector<std::vector<std::string>> paths;
    std::vector<std::string> at;
    collectPaths(doc, at, paths);
    ASSERT_GT(paths.size(), 10u);
    for (const auto& path : paths) {
        std::string where;
        for (const std::string& step : path) where += "/" + step;
        for (const char* wrong : kWrongValues) check(replaced(doc, path, js::parse(wrong)), where + " = " + wrong);
    }
}

rpg::Hero gearedHero(rpg::ClassId cls, rpg::Rng& rng) {
    rpg::Hero h = rpg::makeHero(cls, "", 12);
    for (const rpg::ItemDef& def : rpg::items()) {
        rpg::EquipSlot slot;
        if (rpg::slotFor(def, &slot) && h.equipment[slot].empty()) h.equipment[slot] = rpg::makeItem(def.id, {}, &rng);
    }
    h.skillLevels["anything"] = 2;
    h.alloc.spd = 1.5;
    return h;
}

TEST(StoreBadInput, SettingsReaderSurvivesEveryWrongKind) {
    store::Settings s;
    s.language = "de";
    s.difficulty = rpg::Difficulty::Hard;
    forEveryWrongField(store::detail::settingsToJson(s), [](const js::Value& doc, const std::string& trace) {
        SCOPED_TRACE(trace);
        store::Settings got;
        store::detail::settingsFromJson(doc, &got);
        EXPECT_GE(got.musicVolume, 0);
        EXPECT_LE(got.musicVolume, 1);
        EXPECT_GE(got.sfxVolume, 0);
        EXPECT_LE(got.sfxVolume, 1);
        store::Settings again;
        store::detail::settingsFromJson(js::parse(store::detail::settingsToJson(got).dump()), &again);
        EXPECT_EQ(again, got);
    });
}

TEST(StoreBadInput, ProgressReaderSurvivesEveryWrongKind) {
    rpg::Rng rng{3};
    store::Meta m;
    m.roster = {gearedHero(rpg::ClassId::Vampire, rng), gearedHero(rpg::ClassId::Archer, rng)};
    m.roster[0].bag = {rpg::makeItem(rpg::items()[3].id, {}, &rng)};
    m.partyIds = {m.roster[1].id, m.roster[0].id};
    m.stash = {rpg::makeItem(rpg::items()[5].id, {}, &rng)};
    m.runeInventory = {rpg::rollRunestone(4, rng)};
    m.runeCircle.filled[2] = true;
    m.runeCircle.stones[2] = {"rune-atk", rpg::Atk, 3};
    forEveryWrongField(metaToJson(m), [](const js::Value& doc, const std::string& trace) {
        SCOPED_TRACE(trace);
        store::Meta got;
        metaFromJson(doc, &got);
        for (const std::string& id : got.partyIds) {
            EXPECT_TRUE(std::any_of(got.roster.begin(), got.roster.end(), [&id](const rpg::Hero& h) { return h.id == id; }));
        }
        for (const rpg::Hero& h : got.roster) {
            EXPECT_GE(h.level, 1);
            EXPECT_GE(h.points, 0);
            EXPECT_FALSE(h.name.empty());
        }
        store::Meta again;
        metaFromJson(js::parse(metaToJson(got).dump()), &again);
        EXPECT_EQ(again, got) << metaToJson(got).dump() << "\n" << metaToJson(again).dump();
    });
}

TEST(StoreBadInput, RunReaderSurvivesEveryWrongKind) {
    rpg::Rng rng{5};
    rpg::RunState run = rpg::createRun({gearedHero(rpg::ClassId::Mage, rng)}, 77, {}, 1);
    run.map.nodes.resize(4);  // a short map keeps the number of cases down
    run.inventory = {rpg::makeItem(rpg::items()[7].id, {}, &rng)};
    int loaded = 0;
    forEveryWrongField(store::detail::runToJson(run), [&loaded](const js::Value& doc, const std::string& trace) {
        SCOPED_TRACE(trace);
        rpg::RunState got = store::detail::emptyRun();
        if (!store::detail::runFromJson(doc, &got)) {
            EXPECT_EQ(got, store::detail::emptyRun());
            return;
        }
        ++loaded;
        EXPECT_TRUE(got.active);
        EXPECT_FALSE(got.party.empty());
        EXPECT_FALSE(got.map.nodes.empty());
        EXPECT_GT(got.map.rows, 0);
        rpg::RunState again = store::detail::emptyRun();
        ASSERT_TRUE(store::detail::runFromJson(js::parse(store::detail::runToJson(got).dump()), &again));
        EXPECT_EQ(again, got);
    });
    EXPECT_GT(loaded, 0);
}

} // namespace
