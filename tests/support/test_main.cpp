// Test entry point shared by every test binary.
//
// Before anything else runs, the XDG directories point at a fresh temporary
// directory, so no test can read or write the real home of whoever runs it
// (nor, through SDL's disk audio, the working directory).
#include "tests/support/test_env.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string& tempRoot() {
    static std::string root;
    return root;
}

void makeTempHome() {
    std::string base = "/tmp";
    if (const char* t = std::getenv("TMPDIR"); t && *t) base = t;
    std::string tmpl = base + "/velmorandine-test-XXXXXX";
    if (!mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    tempRoot() = tmpl;
    for (const char* sub : {"data", "cache", "runtime", "home"}) {
        std::filesystem::create_directories(tmpl + "/" + sub);
    }
    setenv("XDG_DATA_HOME", (tmpl + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (tmpl + "/cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (tmpl + "/runtime").c_str(), 1);
    setenv("HOME", (tmpl + "/home").c_str(), 1);
    // SDL's disk audio driver records into the working directory unless it
    // is told where: a test run from the source tree must not write there.
    setenv("SDL_DISKAUDIOFILE", (tmpl + "/sdlaudio.raw").c_str(), 0);
}

} // namespace

namespace testenv {

const std::string& root() { return tempRoot(); }

} // namespace testenv

int main(int argc, char** argv) {
    makeTempHome();
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(tempRoot(), ec);
    return rc;
}
