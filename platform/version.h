#pragma once
// The program's name and version, shown by --version, the crash report and
// the about screen.

namespace platform {

inline constexpr const char* kTitle = "Velmorandine";
inline constexpr const char* kVersion = "1.0.0";
inline constexpr int kBuild = 1053;
// The release this code line was carried over from, named in the crash report.
inline constexpr const char* kPortedFrom = "1.2.1";

} // namespace platform
