#pragma once
// File-system helpers. None throws for a file-system error: failure is the
// result (false, -1, an empty list).
#include <cstdint>
#include <string>
#include <vector>

namespace platform::fs {

// Creates the directory with all missing parents; true when it then exists.
bool ensureDir(const std::string& path);
bool isDir(const std::string& path);
bool isFile(const std::string& path);
// Size in bytes, or -1 (missing file, directory, any error).
std::int64_t fileSize(const std::string& path);
// True only when an entry was removed.
bool remove(const std::string& path);
// Entry names without "." and "..", sorted bytewise; empty when unreadable.
std::vector<std::string> listDir(const std::string& path);
// One rename of `from` onto `to`.
bool replaceAtomic(const std::string& from, const std::string& to);
// fsync of the file's contents.
bool syncFile(const std::string& path);

} // namespace platform::fs
