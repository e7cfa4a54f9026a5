#pragma once
// Where the game keeps and finds its files: the per-user data and cache
// directories (XDG conventions), the executable's directory and the asset
// root. Directories are fixed at first use; later environment changes are
// not seen.
#include <string>

namespace paths {

// Empty when neither the XDG variable nor HOME names an absolute path (one
// "[storage]" line says so); nothing is then saved.
const std::string& dataDir();
const std::string& cacheDir();
// The per-user directory from an XDG variable's value and HOME's: the XDG
// value plus "/Velmorandine" when it is an absolute path, else HOME plus
// homeSuffix when HOME is absolute, else empty. Relative values are ignored,
// as the XDG base-directory rules say.
std::string userDirFrom(const std::string& xdg, const std::string& home, const char* homeSuffix);
std::string exeDir();
const std::string& assetDir();
// assetDir() + "/" + rel, with rel taken as given.
std::string asset(const std::string& rel);
bool ensureDir(const std::string& path);

// The start's hooks for platforms that must send the diagnostic lines
// elsewhere or point fontconfig at bundled files before use; on Linux both
// stay where they are, so these do nothing.
void redirectDiagnostics();
void prepareFontconfig();

// The asset-root search over explicit inputs (empty strings mean unset), so
// the order of candidates can be tested without touching the process.
std::string findAssetRoot(const std::string& snap, const std::string& appdir,
                          const std::string& assetEnv, const std::string& exe);

} // namespace paths
