// The settings and progress files: their exact text, their round trips and
// how their readers repair what a file gets wrong.
#include <gtest/gtest.h>

#include <functional>

#include "platform/storage_detail.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/leveling.h"
#include "rules/run.h"
#include "tools/samples/sample_progress.h"
#include "tests/platform/store_fixture.h"

namespace {

using storetest::readFile;
using storetest::unsealed;
using storetest::writeSealedText;

class SettingsFile : public storetest::StoreTest {};
class ProgressFile : public storetest::StoreTest {};

TEST_F(SettingsFile, DefaultsSealToTheExactText) {
    ASSERT_TRUE(store::saveSettings());
    EXPECT_EQ(readFile(path("settings.dat")).size(), 233u);
    EXPECT_EQ(unsealed(path("settings.dat")),
              R"({"difficulty":"easy","fullscreen":false,"language":"","maximized":false,"musicVolume":0.10000000000000001,)"
              R"("sfxVolume":0.25,"soundOn":true,"windowH":0,"windowW":0,"windowX":-1,"windowY":-1})");
}

TEST_F(SettingsFile, RoundTripsEveryField) {
    store::Settings s;
    s.language = "ja";
    s.soundOn = false;
    s.musicVolume = 0.35;
    s.sfxVolume = 1;
    s.difficulty = rpg::Difficulty::Insane;
    s.windowW = 1600;
    s.windowH = 900;
    s.windowX = 0;
    s.windowY = 42;
    s.maximized = true;
    s.fullscreen = true;
    store::settings() = s;
    ASSERT_TRUE(store::saveSettings());
    const std::string first = unsealed(path("settings.dat"));
    reload();
    EXPECT_EQ(store::settings(), s);
    ASSERT_TRUE(store::saveSettings());
    EXPECT_EQ(unsealed(path("settings.dat")), first);
}

struct SettingsCase {
    const char* json;
    std::function<void(store::Settings&)> expect;  // applied to the defaults
};

TEST_F(SettingsFile, ReaderRules) {
    const SettingsCase kCases[] = {
        {R"({"musicVolume":1.7})", [](store::Settings& s) { s.musicVolume = 1; }},
        {R"({"musicVolume":-0.2,"sfxVolume":0.5})", [](store::Settings& s) { s.musicVolume = 0, s.sfxVolume = 0.5; }},
        {R"({"musicVolume":"loud","sfxVolume":null})", [](store::Settings&) {}},
        {R"({"soundOn":null})", [](store::Settings&) {}},
        {R"({"soundOn":"no"})", [](store::Settings&) {}},
        {R"({"soundOn":0})", [](store::Settings&) {}},
        {R"({"soundOn":false})", [](store::Settings& s) { s.soundOn = false; }},
        {R"({"windowW":1280.5,"windowH":"big"})", [](store::Settings& s) { s.windowW = 1281; }},
        {R"({"windowX":12,"windowY":[]})", [](store::Settings& s) { s.windowX = 12; }},
        {R"({"maximized":"true","fullscreen":1})", [](store::Settings&) {}},
        {R"({"maximized":true,"fullscreen":true})", [](store::Settings& s) { s.maximized = s.fullscreen = true; }},
        {R"({"language":"de","theme":"dark"})", [](store::Settings& s) { s.language = "de"; }},
        {R"({"language":7})", [](store::Settings&) {}},
        {R"({"difficulty":"brutal"})", [](store::Settings& s) { s.difficulty = rpg::Difficulty::Brutal; }},
        {R"({"difficulty":"Hard"})", [](store::Settings&) {}},
        {R"({"difficulty":1})", [](store::Settings&) {}},
    };
    for (const SettingsCase& c : kCases) {
        SCOPED_TRACE(c.json);
        writeSealedText(path("settings.dat"), c.json);
        reload();
        store::Settings want;
        c.expect(want);
        EXPECT_EQ(store::settings(), want);
    }
}

TEST_F(SettingsFile, TheStoredDifficultyBecomesActiveAtStartUp) {
    writeSealedText(path("settings.dat"), R"({"difficulty":"brutal"})");
    rpg::setActiveDifficulty(rpg::Difficulty::Easy);
    reload();
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Brutal);
    // Without a file, too: the default is made active.
    std::filesystem::remove(path("settings.dat"));
    reload();
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Easy);
}

TEST_F(SettingsFile, UnknownMembersDisappearAtTheNextSave) {
    writeSealedText(path("settings.dat"), R"({"theme":"dark","language":"sv"})");
    reload();
    ASSERT_TRUE(store::saveSettings());
    const std::string text = unsealed(path("settings.dat"));
    EXPECT_EQ(text.find("theme"), std::string::npos);
    EXPECT_NE(text.find(R"("language":"sv")"), std::string::npos);
}

// ---- progress -------------------------------------------------------------------

TEST_F(ProgressFile, LargeProgressRoundTripsEqual) {
    const store::Meta big = sample::largeProgress();
    store::meta() = big;
    ASSERT_TRUE(store::saveMeta());
    const std::string first = unsealed(path("saves.dat"));
    reload();
    EXPECT_EQ(store::meta(), big);
    ASSERT_TRUE(store::saveMeta());
    EXPECT_EQ(unsealed(path("saves.dat")), first);
}

TEST_F(ProgressFile, TheTextHoldsEveryMemberInKeyOrder) {
    const store::Meta empty;
    EXPECT_EQ(store::detail::metaToJson(empty).dump(),
              R"({"ascension":0,"bestDepth":0,"gold":0,"initialized":false,"partyIds":[],"roster":[],)"
              R"("runeCircle":{},"runeInventory":[],"saveVersion":1,"stash":[]})");
    rpg::ItemInstance it;
    it.uid = "it-1";
    it.defId = "x";
    EXPECT_EQ(store::detail::itemToJson(it).dump(), R"({"defId":"x","uid":"it-1"})");
    it.rolled = true;
    it.ilvl = 4;
    it.roll.atk = 3;
    it.affixes = {{0, 1.5, rpg::StatusKind::Poison}, {2, 20, static_cast<rpg::StatusKind>(3)}};
    EXPECT_EQ(store::detail::itemToJson(it).dump(),
              R"({"affixes":[{"kind":"manaRegen","value":1.5},{"kind":"resist","status":3,"value":20}],)"
              R"("defId":"x","ilvl":4,"roll":{"atk":3},"rollKeys":[],"uid":"it-1"})");
}

// The item ids the reader cases need: a known one, a wearable helm.
std::string knownItem() { return rpg::items()[0].id; }

std::string knownHelm() {
    for (const rpg::ItemDef& def : rpg::items()) {
        if (def.slot == rpg::ItemSlot::Helm) return def.id;
    }
    return "";
}

// `text` with every "$I" replaced by a known item id and "$H" by a helm's.
std::string withItems(std::string text) {
    for (auto [key, value] : {std::pair<std::string, std::string>{"$I", knownItem()}, {"$H", knownHelm()}}) {
        for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size())) {
            text.replace(at, key.size(), value);
        }
    }
    return text;
}

TEST_F(ProgressFile, HeroReaderRules) {
    writeSealedText(path("saves.dat"), withItems(R"({"roster":[
        {"id":"h1","classId":"mage","level":0,"points":-3,"row":"Back"},
        {"id":"h2","classId":"paladin","name":"Gone"},
        {"id":"h3","classId":"archer","name":"Ivy","level":-5,"row":"back","xp":"lots",
         "equipment":{"helm":{"uid":"it-1","defId":"nothing"},"mainHand":{"uid":"it-2","defId":"$I"},"belt":[1]},
         "bag":[{"uid":"it-3","defId":"nothing"},{"uid":"it-4","defId":"$I"},5],
         "skillLevels":{"zap":2.6,"odd":"x"}},
        17],
      "partyIds":["h1",5,"h2","h3","h9","h1"]})"));
    reload();
    const store::Meta& m = store::meta();
    ASSERT_EQ(m.roster.size(), 2u);
    const rpg::Hero& h1 = m.roster[0];
    EXPECT_FALSE(h1.name.empty());
    EXPECT_EQ(h1.cls, rpg::ClassId::Mage);
    EXPECT_EQ(h1.level, 1);
    EXPECT_EQ(h1.points, 0);
    EXPECT_EQ(h1.row, 0);
    EXPECT_EQ(h1.equipment, rpg::Equipment{});
    const rpg::Hero& h3 = m.roster[1];
    EXPECT_EQ(h3.name, "Ivy");
    EXPECT_EQ(h3.level, 1);
    EXPECT_EQ(h3.row, 1);
    EXPECT_EQ(h3.xp, 0);
    EXPECT_TRUE(h3.equipment[rpg::EquipSlot::Helm].empty());
    EXPECT_EQ(h3.equipment[rpg::EquipSlot::MainHand].uid, "it-2");
    ASSERT_EQ(h3.bag.size(), 1u);
    EXPECT_EQ(h3.bag[0].uid, "it-4");
    EXPECT_EQ(h3.skillLevels, (std::map<std::string, std::int32_t, std::less<>>{{"odd", 0}, {"zap", 3}}));
    EXPECT_EQ(m.partyIds, (std::vector<std::string>{"h1", "h3"})) << "a repeated id counts once";
}

// A sealed but hostile or damaged file may hold any count: each is held to
// the most the game can make, which itself loads as it is.
TEST_F(ProgressFile, CountsAreHeldToWhatTheGameCanMake) {
    const std::string skill(rpg::skills()[0].id);
    ASSERT_EQ(rpg::maxSkillLevel(rpg::skills()[0]), rpg::kMaxSkillLevel);
    const auto hero = [](const store::Meta& m) -> const rpg::Hero& { return m.roster.at(0); };
    struct Case {
        const char* field;
        std::string json;  // $V stands for the count
        std::int64_t bound;
        std::function<std::int64_t(const store::Meta&)> read;
    };
    const Case kCases[] = {
        {"bestDepth", R"({"bestDepth":$V})", rpg::kMaxDepth, [](const store::Meta& m) { return m.bestDepth; }},
        {"ascension", R"({"ascension":$V})", rpg::kMaxAscension, [](const store::Meta& m) { return m.ascension; }},
        {"points", R"({"roster":[{"id":"h","classId":"mage","points":$V}]})", rpg::kMaxUnspentPoints,
         [&](const store::Meta& m) { return hero(m).points; }},
        {"skill level", R"({"roster":[{"id":"h","classId":"mage","skillLevels":{")" + skill + R"(":$V}}]})",
         rpg::kMaxSkillLevel, [&](const store::Meta& m) { return hero(m).skillLevels.at(skill); }},
        {"unknown skill's level", R"({"roster":[{"id":"h","classId":"mage","skillLevels":{"zap":$V}}]})",
         rpg::kMaxSkillLevel, [&](const store::Meta& m) { return hero(m).skillLevels.at("zap"); }},
        {"ilvl", withItems(R"({"stash":[{"uid":"a","defId":"$I","ilvl":$V}]})"), rpg::kMaxItemLevel,
         [](const store::Meta& m) { return m.stash.at(0).ilvl; }},
    };
    for (const Case& c : kCases) {
        for (const std::int64_t written : {c.bound, c.bound + 1, std::int64_t{2147483647}}) {
            SCOPED_TRACE(std::string(c.field) + " " + std::to_string(written));
            std::string text = c.json;
            text.replace(text.find("$V"), 2, std::to_string(written));
            writeSealedText(path("saves.dat"), text);
            reload();
            EXPECT_EQ(c.read(store::meta()), c.bound);
        }
    }
}

TEST_F(ProgressFile, ItemAndStatsReaderRules) {
    writeSealedText(path("saves.dat"), withItems(R"({"stash":[
        {"uid":"a","defId":"$I","roll":null,"rollKeys":["atk"]},
        {"uid":"b","defId":"$I","rollKeys":["atk"]},
        {"uid":"c","defId":"$I","roll":{"atk":3,"foo":1},"rollKeys":["def","luck","def"],"ilvl":"high"},
        {"uid":"d","defId":"$I","affixes":[{"kind":"resist","status":12,"value":5},{"kind":"poison","value":"x"},
                                           {"kind":"hpRegen","status":4,"value":2},7]},
        {"uid":"e","defId":"unknown"},
        {"uid":"f"}]})"));
    reload();
    const std::vector<rpg::ItemInstance>& stash = store::meta().stash;
    ASSERT_EQ(stash.size(), 4u);
    EXPECT_TRUE(stash[0].rolled);
    EXPECT_EQ(stash[0].roll, rpg::Stats{});
    EXPECT_EQ(stash[0].rollKeys, std::vector<rpg::StatId>{rpg::Atk});
    EXPECT_FALSE(stash[1].rolled);
    EXPECT_TRUE(stash[1].rollKeys.empty());
    EXPECT_EQ(stash[2].roll, rpg::Stats{.atk = 3});
    EXPECT_EQ(stash[2].rollKeys, (std::vector<rpg::StatId>{rpg::Def, rpg::Def}));
    EXPECT_EQ(stash[2].ilvl, 0);
    const std::vector<rpg::ItemAffix> affixes = {
        {2, 5, rpg::StatusKind::Poison},
        {2, 0, rpg::StatusKind::Poison},
        {1, 2, static_cast<rpg::StatusKind>(4)},
        {2, 0, rpg::StatusKind::Poison},
    };
    EXPECT_EQ(stash[3].affixes, affixes);
}

TEST_F(ProgressFile, TopLevelAndRuneReaderRules) {
    writeSealedText(path("saves.dat"), R"({"saveVersion":7,"initialized":1,"gold":"rich","bestDepth":3.5,
        "ascension":true,"roster":"many","partyIds":{"a":1},"stash":7,
        "runeInventory":[{"uid":"r0","attr":"atk","value":2.5},{"uid":"r1","attr":"luck","value":1},
                         {"uid":"r2","value":1},3,{"uid":"r3","attr":"crit","value":null}],
        "runeCircle":{"spd":{"uid":"r1","attr":"atk","value":4},"luck":{"uid":"r9"},"maxHp":5}})");
    reload();
    const store::Meta& m = store::meta();
    EXPECT_EQ(m.saveVersion, 1);
    EXPECT_FALSE(m.initialized);
    EXPECT_EQ(m.gold, 0);
    EXPECT_EQ(m.bestDepth, 4);
    EXPECT_EQ(m.ascension, 0);
    EXPECT_TRUE(m.roster.empty() && m.partyIds.empty() && m.stash.empty());
    EXPECT_EQ(m.runeInventory,
              (std::vector<rpg::Runestone>{{"r0", rpg::Atk, 2.5}, {"r3", rpg::Crit, 0}}));
    rpg::RuneCircle circle;
    circle.filled[rpg::Spd] = true;
    circle.stones[rpg::Spd] = {"r1", rpg::Spd, 4};
    circle.filled[rpg::MaxHp] = true;
    circle.stones[rpg::MaxHp] = {"", rpg::MaxHp, 0};
    EXPECT_EQ(m.runeCircle, circle);
    ASSERT_TRUE(store::saveMeta());
    EXPECT_EQ(js::parse(unsealed(path("saves.dat")))["saveVersion"].num, 1);
}

TEST_F(ProgressFile, ZeroStatsAreNotWritten) {
    rpg::Stats s;
    s.atk = 3;
    s.crit = -0.5;
    EXPECT_EQ(store::detail::statsToJson(s).dump(), R"({"atk":3,"crit":-0.5})");
    EXPECT_EQ(store::detail::statsToJson(rpg::Stats{}).dump(), "{}");
}

} // namespace
