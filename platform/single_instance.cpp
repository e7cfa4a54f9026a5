#include "platform/single_instance.h"

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "platform/paths.h"

namespace platform {

bool claimSingleInstance() {
    // Held open and locked until the process ends; the system releases the
    // lock however it ends.
    static int fd = -1;
    if (fd >= 0) return true;
    const std::string path = paths::dataDir() + "/lock";
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no lock file, no lock: the game still runs
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    ::close(fd);
    fd = -1;
    return false;
}

} // namespace platform
