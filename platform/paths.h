#pragma once
// Where the game keeps and finds its files: the per-user data and cache
// directories (XDG conventions), the executable's directory and the asset
// root. Directories are fixed at first use; later environment changes are
// not seen.
#include <string>

namespace paths {

const std::string& dataDir();
const std::string& cacheDir();
std::string exeDir();
const std::string& assetDir();
// assetDir() + "/" + rel, with rel taken as given.
std::string asset(const std::string& rel);
bool ensureDir(const std::string& path);

// Start-up hooks; nothing to do on Linux.
void redirectDiagnostics();
void prepareFontconfig();

// The asset-root search over explicit inputs (empty strings mean unset), so
// the order of candidates can be tested without touching the process.
std::string findAssetRoot(const std::string& snap, const std::string& appdir,
                          const std::string& assetEnv, const std::string& exe);

} // namespace paths
