// The helpers that need POSIX calls rather than std::filesystem.
#include "platform/fs.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform::fs {

bool replaceAtomic(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool syncFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace platform::fs
