// A change of both the progress and the run written as one step: whatever
// moment the program dies at, the next start finds the old pair or the new
// one. The only moment between the two writes is a new "saves.dat" beside
// the old "run.dat" (the progress is written first); these tests put the
// files in exactly that state and start again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/run.h"
#include "tests/platform/store_fixture.h"

namespace {

using storetest::exists;
using storetest::readFile;
using storetest::writeFile;

class StorePair : public storetest::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        store::meta().roster.push_back(rpg::makeHero(rpg::ClassId::Warrior, "w", 3));
        store::meta().partyIds = {"w"};
        store::meta().gold = 10;
        store::run() = rpg::createRun(store::meta().roster, 77, {}, 0);
        store::saveMetaAndRun();
    }

    std::string runBytes() const { return readFile(path("run.dat")); }
};

TEST_F(StorePair, AKillAfterTheProgressWasWrittenStillFindsTheNewRun) {
    const std::string oldRun = runBytes();
    store::meta().gold = 25;
    store::run().gold = 15;
    store::run().cleared.push_back("n0_0");
    ASSERT_TRUE(store::saveMetaAndRun());
    const store::Meta meta = store::meta();
    const rpg::RunState run = store::run();

    writeFile(path("run.dat"), oldRun);  // the run's write never happened
    reload();
    EXPECT_EQ(store::meta(), meta);
    EXPECT_EQ(store::run(), run);

    // Until "run.dat" is written again the progress keeps carrying the run.
    store::meta().gold = 26;
    ASSERT_TRUE(store::saveMeta());
    reload();
    EXPECT_EQ(store::run(), run);
    ASSERT_TRUE(store::saveRun());
    reload();
    EXPECT_EQ(store::run(), run);
}

TEST_F(StorePair, AKillBeforeTheEndedRunsFileWasRemovedFindsNoRun) {
    const std::string oldRun = runBytes();
    store::meta().ascension = 1;
    store::run().active = false;
    ASSERT_TRUE(store::saveMetaAndRun());
    EXPECT_FALSE(exists(path("run.dat")));

    writeFile(path("run.dat"), oldRun);  // the removal never happened
    reload();
    EXPECT_EQ(store::meta().ascension, 1);
    EXPECT_FALSE(store::hasRun()) << "the ended run never comes back";

    // A new run written afterwards is the one that counts.
    store::run() = rpg::createRun(store::meta().roster, 78, {}, 1);
    ASSERT_TRUE(store::saveRun());
    reload();
    ASSERT_TRUE(store::hasRun());
    EXPECT_EQ(store::run().seed, 78u);
}

TEST_F(StorePair, ARunRemovedAfterTheStepIsNotBroughtBack) {
    store::run().gold = 5;
    ASSERT_TRUE(store::saveMetaAndRun());
    ASSERT_TRUE(store::clearRun());
    reload();
    EXPECT_FALSE(store::hasRun());
}

TEST_F(StorePair, RunSavesAfterTheStepAreKept) {
    store::run().gold = 5;
    ASSERT_TRUE(store::saveMetaAndRun());
    store::run().pos = store::run().map.nodes[1].id;
    ASSERT_TRUE(store::saveRun());
    reload();
    EXPECT_EQ(store::run().pos, store::run().map.nodes[1].id);
    EXPECT_EQ(store::run().gold, 5);
}

} // namespace
