#pragma once
// What the shared test main prepares for every test binary.
#include <string>

namespace testenv {

// The temporary directory behind XDG_DATA_HOME, XDG_CACHE_HOME,
// XDG_RUNTIME_DIR and HOME ("<root>/data", "/cache", "/runtime", "/home").
// It is removed when the binary ends.
const std::string& root();

} // namespace testenv
