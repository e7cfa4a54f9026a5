// The run file: a run survives a restart exactly, and a run that cannot be
// played on is neither loaded nor thrown away.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/storage_detail.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/run.h"
#include "tests/platform/store_fixture.h"

namespace {

using storetest::exists;
using storetest::readFile;
using storetest::unsealed;
using storetest::writeSealedText;

// The heroes of the sample run: a run is only loaded for heroes the
// progress holds, so each test begins with them in the roster.
std::vector<rpg::Hero> sampleHeroes() {
    return {rpg::makeHero(rpg::ClassId::Warrior, "w1", 4), rpg::makeHero(rpg::ClassId::Druide, "d1", 6)};
}

class RunFile : public storetest::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        store::meta().roster = sampleHeroes();
        ASSERT_TRUE(store::saveMeta());
    }
};

rpg::RunState sampleRun() {
    rpg::RunState run = rpg::createRun(sampleHeroes(), 4294967295u, rpg::Stats{.atk = 2}, 3);
    run.gold = 321.5;
    run.party[1].hp = 12.25;
    rpg::Rng rng{11};
    for (int i = 0; i < 3; ++i) run.inventory.push_back(rpg::makeItem(rpg::items()[10 * i].id, {}, &rng));
    run.pos = run.map.nodes[2].id;
    run.cleared.push_back(run.pos);
    run.depth = 1;
    return run;
}

// A small valid run file with one member replaced, as text.
std::string runText(const std::string& member, const std::string& value) {
    js::Value o = store::detail::runToJson(sampleRun());
    if (value.empty()) {
        o.obj.erase(member);
    } else {
        o.obj[member] = js::parse(value);
    }
    return o.dump();
}

TEST_F(RunFile, ARunSurvivesARestartExactly) {
    const rpg::RunState run = sampleRun();
    store::run() = run;
    ASSERT_TRUE(store::saveRun());
    const std::string first = unsealed(path("run.dat"));
    reload();
    ASSERT_TRUE(store::hasRun());
    EXPECT_EQ(store::run(), run);
    ASSERT_TRUE(store::saveRun());
    EXPECT_EQ(unsealed(path("run.dat")), first);
}

TEST_F(RunFile, TheTextHoldsEveryMemberInKeyOrder) {
    rpg::RunState run;
    run.active = true;
    run.seed = 7;
    run.map.rows = 1;
    run.map.startId = "start";
    run.map.nodes = {{"start", rpg::NodeType::Start, -1, 1}};
    run.party = {{"h", 10, 2.5}};
    run.pos = "start";
    run.cleared = {"start"};
    EXPECT_EQ(store::detail::runToJson(run).dump(),
              R"({"cleared":["start"],"depth":0,"gold":0,"inventory":[],"map":{"nodes":[{"col":1,"id":"start",)"
              R"("row":-1,"type":"start"}],"rows":1,"startId":"start"},"party":[{"heroId":"h","hp":10,"mp":2.5}],)"
              R"("pos":"start","seed":7})");
}

TEST_F(RunFile, SeedReaderRules) {
    const std::pair<const char*, std::uint32_t> kSeeds[] = {
        {"4294967295", 4294967295u}, {"-1", 4294967295u}, {"\"abc\"", 0},  {"3.9", 3},
        {"-3.9", 4294967293u},       {"4294967296", 0},   {"1e300", 0},    {"-1e19", 1981284352u},
    };
    for (const auto& [seed, want] : kSeeds) {
        SCOPED_TRACE(seed);
        writeSealedText(path("run.dat"), runText("seed", seed));
        reload();
        ASSERT_TRUE(store::hasRun());
        EXPECT_EQ(store::run().seed, want);
    }
}

TEST_F(RunFile, BrokenRunsStayOnDiskUnloaded) {
    const std::pair<const char*, std::string> kBroken[] = {
        {"no map", runText("map", "")},
        {"map not an object", runText("map", "[1]")},
        {"nodes not an array", runText("map", R"({"rows":3,"nodes":{"a":1}})")},
        {"unknown node type",
         runText("map", R"({"rows":3,"nodes":[{"id":"start","type":"start"},{"id":"x","type":"castle"}]})")},
        {"no rows", runText("map", R"({"rows":0,"nodes":[{"id":"start","type":"start"}]})")},
        {"no nodes", runText("map", R"({"rows":3,"nodes":[]})")},
        {"empty party", runText("party", "[]")},
        {"no party", runText("party", "")},
        {"party not an array", runText("party", R"({"heroId":"w1"})")},
    };
    for (const auto& [what, text] : kBroken) {
        SCOPED_TRACE(what);
        writeSealedText(path("run.dat"), text);
        const std::string before = readFile(path("run.dat"));
        testing::internal::CaptureStderr();
        reload();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(store::hasRun());
        EXPECT_EQ(store::run(), store::detail::emptyRun());
        EXPECT_EQ(readFile(path("run.dat")), before);
    }
    // The next save without a run removes it.
    EXPECT_TRUE(store::saveRun());
    EXPECT_FALSE(exists(path("run.dat")));
}

TEST_F(RunFile, RepairedMembers) {
    const rpg::RunState base = sampleRun();
    js::Value o = store::detail::runToJson(base);
    o.obj.erase("cleared");
    o.obj["pos"] = js::parse("5");
    o.obj["gold"] = js::parse("\"much\"");
    o.obj["depth"] = js::parse("2.5");
    o.obj["map"].obj["startId"] = js::parse("\"\"");
    o.obj["map"].obj["nodes"].arr[0].obj["row"] = js::parse("\"up\"");
    o.obj["party"] = js::parse(R"([{"heroId":"w1","hp":"full"},{"heroId":"nobody","mp":3},7])");
    o.obj["inventory"].arr[1].obj["defId"] = js::parse("\"no-such-item\"");
    writeSealedText(path("run.dat"), o.dump());
    reload();
    ASSERT_TRUE(store::hasRun());
    const rpg::RunState& run = store::run();
    EXPECT_EQ(run.map.startId, "start");
    EXPECT_EQ(run.pos, "start");
    EXPECT_EQ(run.cleared, std::vector<std::string>{"start"});
    EXPECT_EQ(run.gold, 0);
    EXPECT_EQ(run.depth, 3);
    EXPECT_EQ(run.map.nodes[0].row, 0);
    EXPECT_EQ(run.party, (std::vector<rpg::PartyMember>{{"w1", 0, 0}, {"nobody", 0, 3}, {"", 0, 0}}));
    ASSERT_EQ(run.inventory.size(), 2u);
    EXPECT_EQ(run.inventory[1], base.inventory[2]);

    o.obj["cleared"] = js::parse(R"(["n0_0",3])");
    writeSealedText(path("run.dat"), o.dump());
    reload();
    EXPECT_EQ(store::run().cleared, (std::vector<std::string>{"n0_0", ""}));
}

// A run is played on by the heroes who ran it: with none of them in the
// roster (their progress was set aside, or belongs to another run) it is
// not offered, and its file waits for the next run to replace it.
TEST_F(RunFile, ARunIsOfferedOnlyWithOneOfItsHeroesInTheRoster) {
    const std::pair<std::vector<std::string>, bool> kRosters[] = {
        {{}, false}, {{"x", "y"}, false}, {{"x", "d1"}, true}, {{"w1", "d1"}, true}};
    store::run() = sampleRun();
    ASSERT_TRUE(store::saveRun());
    const std::string before = readFile(path("run.dat"));
    for (const auto& [ids, offered] : kRosters) {
        SCOPED_TRACE(testing::PrintToString(ids));
        store::meta() = store::Meta{};
        for (const std::string& id : ids) store::meta().roster.push_back(rpg::makeHero(rpg::ClassId::Mage, id, 1));
        ASSERT_TRUE(store::saveMeta());
        reload();
        EXPECT_EQ(store::hasRun(), offered);
        EXPECT_EQ(readFile(path("run.dat")), before);
    }
}

// The map's rows are drawn and walked every frame and the depth feeds the
// chests' arithmetic: a hostile file is held to what the game makes.
TEST_F(RunFile, RowsAndDepthAreHeldToWhatTheGameMakes) {
    const std::pair<std::string, std::int32_t> kCases[] = {{"rows", rpg::kRunRows}, {"depth", rpg::kMaxDepth}};
    for (const auto& [field, bound] : kCases) {
        const bool rows = field == "rows";
        for (const std::int64_t written : {std::int64_t{bound}, std::int64_t{bound} + 1, std::int64_t{2000000000}}) {
            SCOPED_TRACE(field + " " + std::to_string(written));
            js::Value o = store::detail::runToJson(sampleRun());
            (rows ? o.obj["map"].obj["rows"] : o.obj["depth"]) = js::parse(std::to_string(written));
            writeSealedText(path("run.dat"), o.dump());
            reload();
            ASSERT_TRUE(store::hasRun());
            EXPECT_EQ(rows ? store::run().map.rows : store::run().depth, bound);
        }
    }
}

TEST_F(RunFile, ClearingTheRunRemovesItsFile) {
    store::run() = sampleRun();
    ASSERT_TRUE(store::saveRun());
    ASSERT_TRUE(exists(path("run.dat")));
    EXPECT_TRUE(store::clearRun());
    EXPECT_FALSE(store::hasRun());
    EXPECT_EQ(store::run(), store::detail::emptyRun());
    EXPECT_FALSE(exists(path("run.dat")));
    EXPECT_TRUE(store::clearRun());  // nothing there: not an error

    store::run() = sampleRun();
    ASSERT_TRUE(store::saveRun());
    store::run().active = false;
    EXPECT_TRUE(store::saveRun());
    EXPECT_FALSE(exists(path("run.dat")));
    EXPECT_EQ(store::run(), store::detail::emptyRun());
}

// A run file that cannot be removed would bring the ended run back at the
// next start: that is said, not swallowed.
TEST_F(RunFile, ARunFileThatCannotBeRemovedIsReported) {
    std::filesystem::create_directories(path("run.dat/inside"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store::clearRun());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("[storage] " + path("run.dat") + " konnte nicht entfernt werden", 0), 0u) << err;
}

} // namespace
