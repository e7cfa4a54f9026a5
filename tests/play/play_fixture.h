#pragma once
// The run's transactions without any screen: a fresh data directory per
// test with the stores loaded from it, a party, a run on a real map, and
// the save files as bytes, to see what a transaction really wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/storage.h"
#include "play/run.h"
#include "rules/hero.h"
#include "rules/map.h"
#include "rules/run.h"
#include "tests/support/test_env.h"

namespace layertest {

// The save files of a directory by name, as bytes; a missing file is absent.
using Files = std::map<std::string, std::string>;

inline Files readFiles(const std::string& dir) {
    Files files;
    for (const char* name : {"saves.dat", "run.dat"}) {
        std::ifstream f(dir + "/" + name, std::ios::binary);
        if (f) files[name] = std::string(std::istreambuf_iterator<char>(f), {});
    }
    return files;
}

inline void writeFiles(const std::string& dir, const Files& files) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : files) std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

class PlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        dir = testenv::root() + "/play/" + name;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        store::reloadForTests(dir);
    }

    // The stores as the files now hold them.
    void reload() { store::reloadForTests(dir); }
    Files files() const { return readFiles(dir); }

    // Heroes of the classes at the level join the roster and the party; the
    // ids are "h0", "h1", … in order. Saved.
    void party(const std::vector<rpg::ClassId>& classes, int level = 1, double gold = 0) {
        store::Meta& meta = store::meta();
        meta.initialized = true;
        meta.gold = gold;
        for (std::size_t i = 0; i < classes.size(); ++i) {
            meta.roster.push_back(rpg::makeHero(classes[i], "h" + std::to_string(i), level));
            meta.partyIds.push_back(meta.roster.back().id);
        }
        store::saveMeta();
    }

    // A run of the party on the map of `seed`, begun as the city begins it.
    void run(std::uint32_t seed = 7) { ASSERT_TRUE(play::startRun(seed).done); }

    // The first node of the map of this type.
    std::string nodeOf(rpg::NodeType type) const {
        for (const rpg::MapNode& n : store::run().map.nodes) {
            if (n.type == type) return n.id;
        }
        ADD_FAILURE() << "no node of type " << static_cast<int>(type);
        return {};
    }
    // The first node the run offers now.
    std::string reachable() const { return rpg::reachableFrom(store::run()).front(); }

    std::string dir;
};

} // namespace layertest
