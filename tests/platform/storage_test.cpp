// The store state, its sealed reader and writer, and what happens when the
// files or the disk misbehave: no good save may ever be lost.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fs.h"
#include "platform/storage_detail.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "tests/platform/store_fixture.h"

namespace {

using storetest::exists;
using storetest::readFile;
using storetest::unsealed;
using storetest::writeFile;
using storetest::writeSealedText;

class StoreState : public storetest::StoreTest {};

rpg::Hero hero(const std::string& id, const std::string& name) {
    rpg::Hero h;
    h.id = id;
    h.name = name;
    return h;
}

TEST_F(StoreState, NoFilesGiveDefaultsAndWriteNothing) {
    rpg::setActiveDifficulty(rpg::Difficulty::Insane);
    reload();
    EXPECT_EQ(rpg::activeDifficulty(), rpg::Difficulty::Easy);
    EXPECT_FALSE(store::hasRun());
    EXPECT_EQ(store::run(), store::detail::emptyRun());
    EXPECT_EQ(store::run().map.startId, "start");
    EXPECT_EQ(store::settings(), store::Settings{});
    EXPECT_EQ(store::meta(), store::Meta{});
    EXPECT_EQ(store::meta().saveVersion, 1);
    EXPECT_EQ(store::meta().runeCircle, rpg::RuneCircle{});
    EXPECT_TRUE(platform::fs::listDir(dir).empty());
}

TEST_F(StoreState, InitLoadsOnlyOnce) {
    store::settings().language = "fr";
    ASSERT_TRUE(store::saveSettings());
    store::settings().language = "de";
    store::init();
    EXPECT_EQ(store::settings().language, "de");
    reload();
    EXPECT_EQ(store::settings().language, "fr");
}

TEST_F(StoreState, HeroLookupAndPartyOrder) {
    store::meta().roster = {hero("a", "Ada"), hero("", "Nobody"), hero("b", "Bo"), hero("a", "Second A")};
    store::meta().partyIds = {"b", "a", "x", "a"};
    ASSERT_NE(store::heroById("a"), nullptr);
    EXPECT_EQ(store::heroById("a")->name, "Ada");
    EXPECT_EQ(store::heroById("")->name, "Nobody");
    EXPECT_EQ(store::heroById("zzz"), nullptr);
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    ASSERT_EQ(party.size(), 3u);
    EXPECT_EQ(party[0]->name, "Bo");
    EXPECT_EQ(party[1], party[2]);
    EXPECT_EQ(party[1]->name, "Ada");
    store::meta().partyIds.clear();
    EXPECT_TRUE(store::partyHeroes().empty());
}

TEST_F(StoreState, ResetProgressKeepsSettingsAndWritesEmptyProgress) {
    store::settings().language = "it";
    store::settings().windowW = 1400;
    store::meta().gold = 500;
    store::meta().roster.push_back(rpg::makeHero(rpg::ClassId::Mage, "m1", 3));
    store::meta().partyIds = {"m1"};
    ASSERT_TRUE(store::saveMeta());
    store::run() = rpg::createRun(store::meta().roster, 99, {}, 0);
    ASSERT_TRUE(store::saveRun());
    store::resetProgress();
    EXPECT_EQ(store::meta(), store::Meta{});
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(exists(path("run.dat")));
    EXPECT_EQ(store::settings().language, "it");
    EXPECT_EQ(store::settings().windowW, 1400);
    const js::Value saved = js::parse(unsealed(path("saves.dat")));
    EXPECT_EQ(saved["saveVersion"].num, 1);
    EXPECT_EQ(saved["roster"].size(), 0u);
    EXPECT_EQ(saved["gold"].num, 0);
}

// ---- damaged files ----------------------------------------------------------

struct Damage {
    const char* what;
    std::string (*make)(const std::string& good);
};

const Damage kDamages[] = {
    {"plain JSON", [](const std::string&) { return std::string(R"({"gold":99999})"); }},
    {"cut", [](const std::string& good) { return good.substr(0, good.size() / 2); }},
    {"cut inside the header", [](const std::string& good) { return good.substr(0, 20); }},
    {"edited",
     [](const std::string& good) {
         std::string s = good;
         s[s.size() - 3] = static_cast<char>(s[s.size() - 3] ^ 0x20);
         return s;
     }},
    {"foreign", [](const std::string&) { return std::string("PK\3\4 some other program's file, long enough to pass"); }},
};

TEST_F(StoreState, DamagedFilesAreSetAsideWithOneLine) {
    for (const char* name : {"settings.dat", "saves.dat", "run.dat"}) {
        for (const Damage& d : kDamages) {
            SCOPED_TRACE(std::string(name) + ": " + d.what);
            store::settings().language = "pt";
            store::meta().gold = 77;
            store::meta().roster = {rpg::makeHero(rpg::ClassId::Cleric, "c1", 1)};
            store::run() = rpg::createRun(store::meta().roster, 5, {}, 0);
            ASSERT_TRUE(store::saveSettings());
            ASSERT_TRUE(store::saveMeta());
            ASSERT_TRUE(store::saveRun());
            const std::string file = path(name);
            const std::string bad = d.make(readFile(file));
            writeFile(file, bad);

            testing::internal::CaptureStderr();
            reload();
            const std::string err = testing::internal::GetCapturedStderr();
            EXPECT_EQ(err, "[storage] " + file + " war nicht lesbar — beiseitegelegt\n");
            EXPECT_FALSE(exists(file));
            EXPECT_EQ(readFile(file + ".manipuliert"), bad);  // a later one replaces an earlier one
            // Only the damaged file's part starts afresh.
            EXPECT_EQ(store::settings().language == "pt", std::string(name) != "settings.dat");
            EXPECT_EQ(store::meta().gold == 77, std::string(name) != "saves.dat");
            // A run is not played on without the roster that ran it.
            EXPECT_EQ(store::hasRun(), std::string(name) == "settings.dat");
            EXPECT_TRUE(store::unreadableFiles().empty()) << "set aside, not left unread";
        }
    }
}

// A sealed file whose text is no JSON object (written by some later
// version, or cut short before it was sealed) is a save nonetheless: it is
// set aside like a damaged one, never written over by the next save.
TEST_F(StoreState, SealedTextThatIsNoObjectIsSetAsideNotOverwritten) {
    const std::string file = path("saves.dat");
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const std::string kContents[] = {R"({"gold":5,"roster":[)", "[1,2,3]", "\"text\"", "null", "12", deep,
                                     "not json at all", ""};
    for (const std::string& content : kContents) {
        SCOPED_TRACE(content.substr(0, 24));
        std::filesystem::remove(file + ".manipuliert");
        writeSealedText(file, content);
        const std::string before = readFile(file);
        testing::internal::CaptureStderr();
        reload();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "[storage] " + file + " war nicht lesbar — beiseitegelegt\n");
        EXPECT_EQ(store::meta(), store::Meta{});
        EXPECT_EQ(readFile(file + ".manipuliert"), before);

        store::meta().gold = 9;
        ASSERT_TRUE(store::saveMeta());
        reload();
        EXPECT_EQ(store::meta().gold, 9);
        EXPECT_EQ(readFile(file + ".manipuliert"), before) << "the next save leaves the copy alone";
    }
}

// An empty file holds nothing to keep: it counts as no file.
TEST_F(StoreState, AnEmptyFileGivesDefaultsSilently) {
    writeFile(path("saves.dat"), "");
    testing::internal::CaptureStderr();
    reload();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(store::meta(), store::Meta{});
    EXPECT_TRUE(exists(path("saves.dat")));
    EXPECT_FALSE(exists(path("saves.dat.manipuliert")));
}

// Not a file at all: moved aside like a damaged one, so saving works again.
TEST_F(StoreState, AFileThatIsADirectoryIsSetAside) {
    std::filesystem::create_directory(path("saves.dat"));
    testing::internal::CaptureStderr();
    reload();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[storage] " + path("saves.dat") + " war nicht lesbar — beiseitegelegt\n");
    EXPECT_EQ(store::meta(), store::Meta{});
    EXPECT_TRUE(platform::fs::isDir(path("saves.dat.manipuliert")));

    store::meta().gold = 5;
    EXPECT_TRUE(store::saveMeta());
    reload();
    EXPECT_EQ(store::meta().gold, 5);
}

// ---- failed saves -------------------------------------------------------------

// A full disk, as a file-size limit the save cannot stay under: every
// write fails, whoever runs the test.
TEST_F(StoreState, AFailedWriteKeepsTheOldFileAndSaysSo) {
    store::meta().gold = 10;
    ASSERT_TRUE(store::saveMeta());
    const std::string good = readFile(path("saves.dat"));

    store::meta().gold = 20;
    // The limit would cut a captured standard error file as well, so the
    // line goes through a pipe.
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit tiny = before;
    tiny.rlim_cur = 16;
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    std::fflush(stderr);
    const int savedErr = ::dup(2);
    ::dup2(pipeFds[1], 2);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const bool saved = store::saveMeta();
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    std::fflush(stderr);
    ::dup2(savedErr, 2);
    ::close(savedErr);
    ::close(pipeFds[1]);
    std::string err;
    char buf[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;) err.append(buf, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    EXPECT_FALSE(saved);
    EXPECT_EQ(err, "[storage] " + path("saves.dat") + " konnte nicht gespeichert werden: File too large\n");
    EXPECT_EQ(readFile(path("saves.dat")), good);
    EXPECT_FALSE(exists(path("saves.dat.neu")));

    // The next save goes through and replaces the old file.
    EXPECT_TRUE(store::saveMeta());
    reload();
    EXPECT_EQ(store::meta().gold, 20);
}

TEST(StoreFailedDir, AMissingDataDirectoryFailsEverySaveLoudly) {
    // Below a regular file no directory can ever be made.
    const std::string base = testenv::root() + "/not-a-dir";
    writeFile(base, "x");
    store::reloadForTests(base + "/data");
    EXPECT_EQ(store::meta(), store::Meta{});
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store::saveSettings());
    EXPECT_FALSE(store::saveMeta());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("[storage] " + base + "/data/settings.dat konnte nicht gespeichert werden"), std::string::npos);
    EXPECT_NE(err.find("[storage] " + base + "/data/saves.dat konnte nicht gespeichert werden"), std::string::npos);
}

TEST_F(StoreState, NonFiniteNumbersNeverReachTheFile) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    store::settings().musicVolume = nan;
    store::settings().sfxVolume = -inf;
    rpg::Hero h = rpg::makeHero(rpg::ClassId::Rogue, "r1", 2);
    h.xp = inf;
    h.alloc.atk = nan;
    h.alloc.def = 4;
    h.equipment[rpg::EquipSlot::MainHand].roll.spd = -inf;
    h.equipment[rpg::EquipSlot::MainHand].rolled = true;
    store::meta().roster = {h};
    store::meta().gold = nan;
    store::meta().runeInventory = {rpg::Runestone{"rune-x", rpg::Atk, inf}};
    ASSERT_TRUE(store::saveSettings());
    ASSERT_TRUE(store::saveMeta());

    for (const char* name : {"settings.dat", "saves.dat"}) {
        const std::string text = unsealed(path(name));
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    }
    reload();
    EXPECT_EQ(store::settings().musicVolume, 0.1);
    EXPECT_EQ(store::settings().sfxVolume, 0.25);
    EXPECT_EQ(store::meta().gold, 0);
    ASSERT_EQ(store::meta().roster.size(), 1u);
    EXPECT_EQ(store::meta().roster[0].xp, 0);
    EXPECT_EQ(store::meta().roster[0].alloc, (rpg::Stats{.def = 4}));
    EXPECT_EQ(store::meta().runeInventory[0].value, 0);
}

TEST_F(StoreState, NonFiniteNumbersInAFileReadAsDefaults) {
    writeSealedText(path("saves.dat"), R"({"gold":-nan,"roster":[{"classId":"mage","id":"m","xp":inf,)"
                                       R"("alloc":{"atk":-inf,"mag":2}}]})");
    writeSealedText(path("settings.dat"), R"({"musicVolume":inf,"sfxVolume":-nan})");
    reload();
    EXPECT_EQ(store::meta().gold, 0);
    ASSERT_EQ(store::meta().roster.size(), 1u);
    EXPECT_EQ(store::meta().roster[0].xp, 0);
    EXPECT_EQ(store::meta().roster[0].alloc, (rpg::Stats{.mag = 2}));
    EXPECT_EQ(store::settings().musicVolume, 0.1);
    EXPECT_EQ(store::settings().sfxVolume, 0.25);
}

// ---- made ids -----------------------------------------------------------------

TEST_F(StoreState, LoadingMovesTheIdCountersPastEverySavedId) {
    rpg::resetMadeIdCounters();
    const rpg::ItemDef* helm = nullptr;
    for (const rpg::ItemDef& def : rpg::items()) {
        if (!helm && def.slot == rpg::ItemSlot::Helm) helm = &def;
    }
    ASSERT_NE(helm, nullptr);
    const std::string any = rpg::items()[0].id;
    rpg::RunState run = rpg::createRun({rpg::makeHero(rpg::ClassId::Rogue, "rogue-3", 1)}, 1, {}, 0);
    run.party.push_back({"archer-60", 5, 5});
    run.inventory = {rpg::makeItem(any)};
    run.inventory[0].uid = "it-70";
    writeSealedText(path("run.dat"), store::detail::runToJson(run).dump());
    auto item = [](const std::string& uid, const std::string& defId) {
        return R"({"uid":")" + uid + R"(","defId":")" + defId + R"("})";
    };
    writeSealedText(path("saves.dat"),
                    R"({"roster":[{"id":"warrior-7","classId":"warrior","name":"W","equipment":{"helm":)" +
                        item("it-30", helm->id) + R"(},"bag":[)" + item("it-12", any) + R"(]},)" +
                        R"({"id":"mage-41","classId":"mage","name":"M"},{"id":"rogue-3","classId":"rogue"}],)" +
                        R"("stash":[)" + item("it-55", any) + "," +
                        item("given-99", any) + "]}");
    reload();
    ASSERT_EQ(store::meta().stash.size(), 2u);
    EXPECT_EQ(store::meta().roster[0].equipment[rpg::EquipSlot::Helm].uid, "it-30");
    ASSERT_TRUE(store::hasRun());
    EXPECT_EQ(rpg::makeItem(any).uid, "it-71");
    EXPECT_EQ(rpg::makeHero(rpg::ClassId::Cleric, "", 1).id, "cleric-61");
    rpg::resetMadeIdCounters();
}

// ---- a save killed halfway ----------------------------------------------------------

// A child saves two different records in turns as fast as it can and is
// killed at a random moment; whatever the moment, the file must unseal to
// one of the two whole records.
TEST_F(StoreState, KillingTheProcessMidSaveNeverLeavesAHalfFile) {
    store::Meta a;
    a.gold = 1;
    a.roster.push_back(rpg::makeHero(rpg::ClassId::Druide, "d1", 5));
    store::Meta b;
    b.gold = 2;
    for (int i = 0; i < 30; ++i) b.roster.push_back(rpg::makeHero(rpg::ClassId::Archer, "", 20));
    const std::string textA = store::detail::metaToJson(a).dump();
    const std::string textB = store::detail::metaToJson(b).dump();

    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(ready[0]);
            for (long n = 0;; ++n) {
                store::meta() = (n % 2) ? b : a;
                store::saveMeta();
                if (n == 0 && write(ready[1], "x", 1) != 1) _exit(3);
            }
        }
        close(ready[1]);
        char c;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(300 + round * 397 % 4000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string text = unsealed(path("saves.dat"));
        EXPECT_TRUE(text == textA || text == textB) << text.substr(0, 200);
        reload();
        EXPECT_TRUE(store::meta().gold == 1 || store::meta().gold == 2);
    }
}

} // namespace
