#pragma once
// A fresh, empty data directory per test with the store loaded from it, and
// helpers to plant and inspect sealed files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/save_crypt.h"
#include "platform/storage.h"
#include "tests/support/test_env.h"

namespace storetest {

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void writeSealedText(const std::string& path, const std::string& plain) {
    writeFile(path, platform::saveEncrypt(plain));
}

// The plain text of a sealed file; "<damaged>" when it does not unseal.
inline std::string unsealed(const std::string& path) {
    std::string plain;
    return platform::saveDecrypt(readFile(path), &plain) == 0 ? plain : "<damaged>";
}

inline bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found && !ec;
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        dir = testenv::root() + "/stores/" + name;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        store::reloadForTests(dir);
    }

    std::string path(const std::string& name) const { return dir + "/" + name; }
    void reload() { store::reloadForTests(dir); }

    std::string dir;
};

} // namespace storetest
