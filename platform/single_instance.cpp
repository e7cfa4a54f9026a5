#include "platform/single_instance.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "platform/paths.h"

namespace platform {
namespace {

// Without a lock the game still runs; only a second copy goes unnoticed.
void sayUnlocked(const std::string& path, int err) {
    std::fprintf(stderr, "[storage] keine Sperre %s: %s — eine zweite Kopie würde nicht erkannt\n", path.c_str(),
                 std::strerror(err));
}

} // namespace

bool claimSingleInstance() {
    // Held open and locked until the process ends; the system releases the
    // lock however it ends.
    static int fd = -1;
    if (fd >= 0) return true;
    const std::string& dir = paths::dataDir();
    if (dir.empty()) return true;  // no data directory: said once already
    const std::string path = dir + "/lock";
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        sayUnlocked(path, errno);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    const int err = errno;
    ::close(fd);
    fd = -1;
    if (err == EWOULDBLOCK) return false;
    sayUnlocked(path, err);
    return true;
}

} // namespace platform
