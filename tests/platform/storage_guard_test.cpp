// Odd things under a save's name: whatever lies there, the game starts,
// never blocks or crashes, and never loses a byte of the player's files.
// Each case runs in a child process (which drops to an ordinary user when
// the tests run as root, so that "not readable" is real), with its standard
// error kept for the check.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/run.h"
#include "tests/platform/store_fixture.h"

namespace {

namespace fs = std::filesystem;
using storetest::exists;
using storetest::readFile;
using storetest::writeFile;
using storetest::writeSealedText;

constexpr const char* kSettingsJson = R"({"language":"de","soundOn":false})";
constexpr const char* kProgressJson = R"({"gold":321,"initialized":true})";

// A directory every user may enter and write in, as a player's data
// directory is to the player.
std::string openDir(const std::string& name) {
    const std::string dir = "/tmp/velmorandine-guard-" + std::to_string(::getpid()) + "-" + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    ::chmod(dir.c_str(), 0777);
    return dir;
}

// The uid and gid the child runs as when the tests run as root.
bool ordinaryUser(uid_t* uid, gid_t* gid) {
    if (const passwd* pw = ::getpwnam("nobody")) {
        *uid = pw->pw_uid;
        *gid = pw->pw_gid;
        return true;
    }
    *uid = *gid = 65534;
    return true;
}

struct ChildResult {
    int status = -1;  // the exit status; -1 when it did not end by itself
    std::string err;  // its standard error
};

// Runs body in a child as the player (never root), with a deadline: a child
// that blocks is killed and reported as such.
ChildResult asPlayer(const std::string& dir, const std::function<int()>& body) {
    const std::string errPath = dir + ".stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(fd, 2);
        if (::geteuid() == 0) {
            uid_t uid;
            gid_t gid;
            ordinaryUser(&uid, &gid);
            if (::setgid(gid) != 0 || ::setuid(uid) != 0) _exit(90);
        }
        ::alarm(20);
        const int rc = body();
        std::fflush(stderr);
        _exit(rc);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ChildResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = readFile(errPath);
    ::unlink(errPath.c_str());
    return r;
}

struct BadFile {
    const char* what;
    const char* target;                          // the file that is odd
    std::function<void(const std::string&)> plant;  // makes it odd in the directory
    const char* line;                            // what the player is told
    bool setAside;                               // moved to "<target>.manipuliert"
};

void sealedOwnedByRoot(const std::string& path, const char* json) {
    writeSealedText(path, json);
    ::chmod(path.c_str(), ::geteuid() == 0 ? 0600 : 0000);
}

TEST(StorageGuard, OddFilesNeverCostAByte) {
    const BadFile kCases[] = {
        {"progress not readable", "saves.dat",
         [](const std::string& dir) { sealedOwnedByRoot(dir + "/saves.dat", kProgressJson); },
         "ist nicht lesbar", false},
        {"run not readable", "run.dat",
         [](const std::string& dir) { sealedOwnedByRoot(dir + "/run.dat", "{}"); }, "ist nicht lesbar", false},
        {"huge sparse progress", "saves.dat",
         [](const std::string& dir) {
             const int fd = ::open((dir + "/saves.dat").c_str(), O_WRONLY | O_CREAT, 0666);
             ASSERT_EQ(::ftruncate(fd, 64LL << 30), 0);
             ::close(fd);
         },
         "beiseitegelegt", true},
        {"link to an endless device", "saves.dat",
         [](const std::string& dir) { fs::create_symlink("/dev/zero", dir + "/saves.dat"); }, "beiseitegelegt",
         true},
        {"FIFO", "saves.dat", [](const std::string& dir) { ASSERT_EQ(::mkfifo((dir + "/saves.dat").c_str(), 0666), 0); },
         "beiseitegelegt", true},
        {"directory", "saves.dat", [](const std::string& dir) { fs::create_directory(dir + "/saves.dat"); },
         "beiseitegelegt", true},
    };
    for (const BadFile& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::string dir = openDir("case");
        // The other files, and a file of the player's elsewhere.
        writeSealedText(dir + "/settings.dat", kSettingsJson);
        if (std::string(c.target) != "run.dat") writeSealedText(dir + "/run.dat", R"({"note":"not a run, but the player's bytes"})");
        if (std::string(c.target) != "saves.dat") writeSealedText(dir + "/saves.dat", kProgressJson);
        const std::string settingsBefore = readFile(dir + "/settings.dat");
        const std::string otherBefore =
            readFile(dir + (std::string(c.target) == "run.dat" ? "/saves.dat" : "/run.dat"));
        c.plant(dir);

        const ChildResult r = asPlayer(dir, [&] {
            store::reloadForTests(dir);
            // The odd file is the one saved (or, for the run, removed).
            const bool saved = std::string(c.target) == "run.dat" ? store::clearRun() : store::saveMeta();
            return saved ? 0 : 1;
        });
        ASSERT_NE(r.status, -1) << "the start blocked or crashed\n" << r.err;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
        EXPECT_EQ(readFile(dir + "/settings.dat"), settingsBefore);
        EXPECT_EQ(readFile(dir + (std::string(c.target) == "run.dat" ? "/saves.dat" : "/run.dat")), otherBefore);
        const std::string target = dir + "/" + c.target;
        if (c.setAside) {
            EXPECT_EQ(r.status, 0) << "a fresh save replaces what was set aside\n" << r.err;
            EXPECT_TRUE(exists(target + ".manipuliert"));
        } else {
            EXPECT_EQ(r.status, 1) << "the unread file must not be written over\n" << r.err;
            EXPECT_NE(r.err.find("konnte nicht gespeichert werden"), std::string::npos) << r.err;
            ::chmod(target.c_str(), 0600);
            EXPECT_TRUE(exists(target));
            EXPECT_FALSE(exists(target + ".manipuliert"));
            if (std::string(c.target) == "saves.dat") {
                std::string plain;
                ASSERT_EQ(platform::saveDecrypt(readFile(target), &plain), 0);
                EXPECT_EQ(plain, kProgressJson);
            }
        }
        fs::remove_all(dir);
    }
}

// A link planted under the temporary name must not carry the save into the
// file it points at.
TEST(StorageGuard, APlantedTemporaryLinkIsNotWrittenThrough) {
    const std::string dir = openDir("neu");
    const std::string victim = dir + "/victim.txt";
    writeFile(victim, "the player's own file");
    ::chmod(victim.c_str(), 0666);
    fs::create_symlink(victim, dir + "/saves.dat.neu");
    const ChildResult r = asPlayer(dir, [&] {
        store::reloadForTests(dir);
        store::meta().gold = 7;
        return store::saveMeta() ? 0 : 1;
    });
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(victim), "the player's own file");
    EXPECT_FALSE(exists(dir + "/saves.dat.neu"));
    store::reloadForTests(dir);
    EXPECT_EQ(store::meta().gold, 7);
    fs::remove_all(dir);
}

// Every damaged copy stays: the newest under ".manipuliert", the older ones
// numbered, none removed.
TEST(StorageGuard, EachDamagedCopyIsKept) {
    const std::string dir = openDir("aside");
    const std::string path = dir + "/saves.dat";
    const std::vector<std::string> damaged = {"JSCH first damage", "JSCH second damage", "JSCH third damage"};
    for (const std::string& bytes : damaged) {
        writeFile(path, bytes);
        testing::internal::CaptureStderr();
        store::reloadForTests(dir);
        testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(readFile(path + ".manipuliert"), damaged[2]);
    EXPECT_EQ(readFile(path + ".manipuliert.1"), damaged[0]);
    EXPECT_EQ(readFile(path + ".manipuliert.2"), damaged[1]);
    fs::remove_all(dir);
}

// When the damaged file cannot be moved (here: the player may not write in
// the directory), the line says so instead of claiming it was set aside,
// and the file stays.
TEST(StorageGuard, ADamagedFileThatCannotBeMovedIsNotCalledSetAside) {
    const std::string dir = openDir("stuck");
    writeFile(dir + "/saves.dat", R"({"gold":5})");
    ::chmod(dir.c_str(), ::geteuid() == 0 ? 0755 : 0555);
    const ChildResult r = asPlayer(dir, [&] {
        store::reloadForTests(dir);
        return store::meta() == store::Meta{} ? 0 : 1;
    });
    ::chmod(dir.c_str(), 0777);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("[storage] " + dir + "/saves.dat war nicht lesbar — konnte nicht beiseitegelegt werden", 0),
              0u)
        << r.err;
    EXPECT_EQ(readFile(dir + "/saves.dat"), R"({"gold":5})");
    fs::remove_all(dir);
}

// A progress the player cannot read (left owned by another user) is named
// for the player to be told, and its run, though readable, is neither
// offered without the heroes who ran it nor written over.
TEST(StorageGuard, AnUnreadableProgressIsNamedAndItsRunKept) {
    const std::string dir = openDir("unread");
    store::reloadForTests(dir);
    const rpg::Hero hero = rpg::makeHero(rpg::ClassId::Mage, "ilse", 3);
    store::meta().roster = {hero};
    store::meta().partyIds = {hero.id};
    ASSERT_TRUE(store::saveMeta());
    store::run() = rpg::createRun({hero}, 11, {}, 0);
    ASSERT_TRUE(store::saveRun());
    ::chmod((dir + "/saves.dat").c_str(), ::geteuid() == 0 ? 0600 : 0000);
    const std::string progressBefore = readFile(dir + "/saves.dat");
    const std::string runBefore = readFile(dir + "/run.dat");

    const ChildResult r = asPlayer(dir, [&] {
        store::reloadForTests(dir);
        if (store::unreadableFiles() != std::vector<std::string>{dir + "/saves.dat"}) return 2;
        if (store::hasRun()) return 3;
        store::run() = rpg::createRun({rpg::makeHero(rpg::ClassId::Rogue, "neu", 1)}, 12, {}, 0);
        if (store::saveRun() || store::clearRun()) return 4;
        return 0;
    });
    ::chmod((dir + "/saves.dat").c_str(), 0600);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir + "/run.dat"), runBefore);
    EXPECT_EQ(readFile(dir + "/saves.dat"), progressBefore);

    // Readable again, both come back together.
    store::reloadForTests(dir);
    EXPECT_TRUE(store::unreadableFiles().empty());
    EXPECT_TRUE(store::hasRun());
    EXPECT_EQ(store::run().party.front().heroId, hero.id);
    fs::remove_all(dir);
}

TEST(StorageGuard, PartyIdsLoadOnceEachInFirstOrder) {
    const std::string dir = openDir("party");
    writeSealedText(dir + "/saves.dat",
                    R"({"roster":[{"id":"a","classId":"mage"},{"id":"b","classId":"rogue"}],)"
                    R"("partyIds":["b","ghost","a","b","a"]})");
    store::reloadForTests(dir);
    EXPECT_EQ(store::meta().partyIds, (std::vector<std::string>{"b", "a"}));
    fs::remove_all(dir);
}

} // namespace
