#include "platform/fs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace platform::fs {

namespace stdfs = std::filesystem;

bool ensureDir(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    stdfs::create_directories(path, ec);
    if (ec) return false;
    return stdfs::is_directory(path, ec) && !ec;
}

bool isDir(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return stdfs::is_directory(path, ec) && !ec;
}

bool isFile(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return stdfs::is_regular_file(path, ec) && !ec;
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    auto n = stdfs::file_size(path, ec);
    if (ec) return -1;
    return static_cast<std::int64_t>(n);
}

bool remove(const std::string& path) {
    std::error_code ec;
    bool removed = stdfs::remove(path, ec);
    return removed && !ec;
}

std::vector<std::string> listDir(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    stdfs::directory_iterator it(path, ec);
    if (ec) return names;
    for (const stdfs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform::fs
