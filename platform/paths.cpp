#include "platform/paths.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "platform/fs.h"

namespace paths {
namespace {

std::string envOr(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : std::string();
}

std::string userDir(const char* xdgVar, const char* homeSuffix) {
    const std::string dir = userDirFrom(envOr(xdgVar), envOr("HOME"), homeSuffix);
    if (dir.empty()) {
        std::fprintf(stderr, "[storage] weder %s noch HOME nennt einen absoluten Pfad — es wird nichts gespeichert\n",
                     xdgVar);
        return dir;
    }
    platform::fs::ensureDir(dir);  // a failure surfaces when a file is written
    return dir;
}

bool hasAssets(const std::string& root) {
    return platform::fs::isDir(root + "/assets/fonts") && platform::fs::isDir(root + "/assets/audio");
}

} // namespace

std::string userDirFrom(const std::string& xdg, const std::string& home, const char* homeSuffix) {
    if (!xdg.empty() && xdg.front() == '/') return xdg + "/Velmorandine";
    if (!home.empty() && home.front() == '/') return home + homeSuffix;
    return {};
}

const std::string& dataDir() {
    static const std::string dir = userDir("XDG_DATA_HOME", "/.local/share/Velmorandine");
    return dir;
}

const std::string& cacheDir() {
    static const std::string dir = userDir("XDG_CACHE_HOME", "/.cache/Velmorandine");
    return dir;
}

std::string exeDir() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return path.substr(0, slash);
}

std::string findAssetRoot(const std::string& snap, const std::string& appdir,
                          const std::string& assetEnv, const std::string& exe) {
    std::string candidates[9];
    int n = 0;
    if (!snap.empty()) candidates[n++] = snap + "/usr/share/Velmorandine";
    if (!appdir.empty()) candidates[n++] = appdir + "/usr/share/Velmorandine";
    if (!assetEnv.empty()) candidates[n++] = assetEnv;
    candidates[n++] = exe + "/../share/Velmorandine";
    candidates[n++] = "/usr/share/Velmorandine";
    candidates[n++] = "/app/share/Velmorandine";
    candidates[n++] = exe;
    candidates[n++] = exe + "/..";
    candidates[n++] = ".";
    for (int i = 0; i < n; ++i) {
        if (hasAssets(candidates[i])) return candidates[i];
    }
    return exe;
}

const std::string& assetDir() {
    static const std::string dir =
        findAssetRoot(envOr("SNAP"), envOr("APPDIR"), envOr("VELMORANDINE_ASSET_DIR"), exeDir());
    return dir;
}

std::string asset(const std::string& rel) { return assetDir() + "/" + rel; }

bool ensureDir(const std::string& path) { return platform::fs::ensureDir(path); }

void redirectDiagnostics() {}
void prepareFontconfig() {}

} // namespace paths
