#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/fs.h"
#include "platform/paths.h"
#include "tests/support/test_env.h"

namespace fs = platform::fs;

namespace {

std::string scratch(const std::string& name) {
    std::string dir = testenv::root() + "/scratch/" + name;
    fs::ensureDir(dir);
    return dir;
}

void touch(const std::string& path) { std::ofstream(path) << "x"; }

void makeAssetTree(const std::string& root, bool withAudio = true) {
    fs::ensureDir(root + "/assets/fonts");
    if (withAudio) fs::ensureDir(root + "/assets/audio");
}

} // namespace

TEST(Paths, DataDirFollowsXdgDataHome) {
    // The test main points XDG_DATA_HOME at the temporary root.
    EXPECT_EQ(paths::dataDir(), testenv::root() + "/data/Velmorandine");
    EXPECT_TRUE(fs::isDir(paths::dataDir()));
    EXPECT_EQ(&paths::dataDir(), &paths::dataDir()) << "computed once";
}

TEST(Paths, OnlyAbsoluteUserDirectoriesAreUsed) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* dir;  // empty: no directory, nothing is saved
    } cases[] = {
        {"/x/data", "/home/p", "/x/data/Velmorandine"},
        {"", "/home/p", "/home/p/.local/share/Velmorandine"},
        {"rel/data", "/home/p", "/home/p/.local/share/Velmorandine"},
        {"rel/data", "rel", ""},
        {"", "", ""},
        {"./data", "~", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg) + " | " + c.home);
        EXPECT_EQ(paths::userDirFrom(c.xdg, c.home, "/.local/share/Velmorandine"), c.dir);
    }
}

TEST(Paths, AssetSearchOrder) {
    const std::string base = scratch("assets");
    const std::string snap = base + "/snap", app = base + "/app", env = base + "/env", exe = base + "/exe/bin";
    makeAssetTree(snap + "/usr/share/Velmorandine");
    makeAssetTree(app + "/usr/share/Velmorandine");
    makeAssetTree(env);
    fs::ensureDir(exe);

    EXPECT_EQ(paths::findAssetRoot(snap, app, env, exe), snap + "/usr/share/Velmorandine");
    EXPECT_EQ(paths::findAssetRoot("", app, env, exe), app + "/usr/share/Velmorandine");
    EXPECT_EQ(paths::findAssetRoot("", "", env, exe), env);

    // A tree with fonts but no audio is skipped.
    const std::string half = base + "/half";
    makeAssetTree(half, false);
    makeAssetTree(exe + "/../share/Velmorandine");
    EXPECT_EQ(paths::findAssetRoot("", "", half, exe), exe + "/../share/Velmorandine");
}

TEST(Paths, NoCompleteTreeFallsBackToExeDir) {
    const std::string exe = scratch("lonely/bin");
    // "." is a candidate too; the test runs from the build tree, which holds no assets/ tree.
    if (fs::isDir("./assets/fonts") && fs::isDir("./assets/audio")) GTEST_SKIP() << "cwd has assets";
    if (fs::isDir("/usr/share/Velmorandine/assets/fonts")) GTEST_SKIP() << "installed copy present";
    EXPECT_EQ(paths::findAssetRoot("", "", "", exe), exe);
}

TEST(Paths, AssetJoinsWithOneSlash) {
    EXPECT_EQ(paths::asset(""), paths::assetDir() + "/");
    EXPECT_EQ(paths::asset("assets/audio/sfx_click.ogg"), paths::assetDir() + "/assets/audio/sfx_click.ogg");
}

TEST(Paths, ExeDirIsTheTestBinaryDirectory) {
    std::string dir = paths::exeDir();
    EXPECT_FALSE(dir.empty());
    EXPECT_TRUE(fs::isDir(dir));
}

TEST(Fs, HelpersReportFailureByResult) {
    const std::string dir = scratch("fs");
    const std::string file = dir + "/f.txt";
    touch(file);
    EXPECT_EQ(fs::fileSize(dir), -1);
    EXPECT_EQ(fs::fileSize(dir + "/missing"), -1);
    EXPECT_EQ(fs::fileSize(file), 1);
    EXPECT_TRUE(fs::isFile(file));
    EXPECT_FALSE(fs::isDir(file));
    EXPECT_FALSE(fs::isDir(""));
    EXPECT_TRUE(fs::ensureDir(dir));
    EXPECT_FALSE(fs::ensureDir(file));
    EXPECT_FALSE(fs::ensureDir(""));
    EXPECT_FALSE(fs::remove(dir + "/missing"));
    EXPECT_TRUE(fs::syncFile(file));
    EXPECT_FALSE(fs::syncFile(dir + "/missing"));
    EXPECT_TRUE(fs::replaceAtomic(file, dir + "/g.txt"));
    EXPECT_FALSE(fs::isFile(file));
    EXPECT_TRUE(fs::remove(dir + "/g.txt"));
}

TEST(Fs, ListDirSortsBytewise) {
    const std::string dir = scratch("list");
    for (const char* n : {"b", "a", "B"}) touch(dir + "/" + n);
    EXPECT_EQ(fs::listDir(dir), (std::vector<std::string>{"B", "a", "b"}));
    EXPECT_TRUE(fs::listDir(dir + "/missing").empty());
}
