// The sealed reader and writer shared by the three save files.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs.h"
#include "platform/save_crypt.h"
#include "platform/storage_detail.h"

namespace store::detail {
namespace {

// Far above any real save (a full roster and stash is well under 1 MB),
// far below what would exhaust memory.
constexpr std::int64_t kMaxSaveBytes = 32 << 20;

enum class Found { Read, Missing, NotASave, Unreadable };

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes and syncs the whole file; 0 or the errno of the step that failed.
// The data must be on the disk before the rename makes it the save, or a
// crash right after could leave an empty file under the real name. A stale
// temporary file is removed first and the new one must be made afresh and
// not through a link, so a link planted under that name cannot redirect the
// write to some other file of the player's.
int writeSynced(const std::string& path, const std::string& data) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return errno;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    int err = 0;
    if (!writeAll(fd, data) || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    return err;
}

// The rename lives in the directory; syncing it keeps the new name across a
// power cut. Best effort: the file itself is already whole either way.
void syncParentDir(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

// A save is a regular file of sane size; anything else under its name (a
// FIFO that would block the start, a device, a directory, a file far larger
// than any save) is not read at all. Never opened blocking, and checked
// again once open, in case the name changed in between.
Found readWhole(const std::string& path, std::string* out, int* err) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        *err = errno;
        return errno == ENOENT || errno == ENOTDIR ? Found::Missing : Found::Unreadable;
    }
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxSaveBytes) return Found::NotASave;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *err = errno;
        return errno == ENOENT ? Found::Missing : Found::Unreadable;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxSaveBytes) {
        ::close(fd);
        return Found::NotASave;
    }
    out->reserve(static_cast<std::size_t>(info.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            out->append(chunk, static_cast<std::size_t>(n));
            // The file grew while it was read: still no save.
            if (static_cast<std::int64_t>(out->size()) > kMaxSaveBytes) {
                ::close(fd);
                return Found::NotASave;
            }
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            *err = errno;
            ::close(fd);
            return Found::Unreadable;
        }
    }
    ::close(fd);
    return Found::Read;
}

bool occupied(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

// The newest damaged copy is always "<name>.manipuliert"; an older one
// there first moves on to the lowest free "<name>.manipuliert.N", so no
// copy the player might still recover is ever overwritten.
bool moveOlderCopyOn(const std::string& aside) {
    if (!occupied(aside)) return true;
    for (int n = 1; n < 100000; ++n) {
        const std::string older = aside + "." + std::to_string(n);
        if (!occupied(older)) return platform::fs::replaceAtomic(aside, older);
    }
    errno = EEXIST;
    return false;
}

// The damaged file moves out of the way so the next save starts fresh while
// the player can still hand it in.
void setAside(const std::string& path) {
    const std::string aside = path + ".manipuliert";
    if (moveOlderCopyOn(aside) && platform::fs::replaceAtomic(path, aside)) {
        std::fprintf(stderr, "[storage] %s war nicht lesbar — beiseitegelegt\n", path.c_str());
    } else {
        std::fprintf(stderr, "[storage] %s war nicht lesbar — konnte nicht beiseitegelegt werden: %s\n",
                     path.c_str(), std::strerror(errno));
    }
}

} // namespace

bool writeSealed(const std::string& path, const js::Value& value) {
    const std::string sealed = platform::saveEncrypt(value.dump());
    const std::string tmp = path + ".neu";
    int err = writeSynced(tmp, sealed);
    if (err == 0 && !platform::fs::replaceAtomic(tmp, path)) err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        std::fprintf(stderr, "[storage] %s konnte nicht gespeichert werden: %s\n", path.c_str(), std::strerror(err));
        return false;
    }
    syncParentDir(path);
    return true;
}

js::Value readSealed(const std::string& path, bool* untouchable) {
    if (untouchable) *untouchable = false;
    std::string sealed;
    int err = 0;
    switch (readWhole(path, &sealed, &err)) {
    case Found::Missing: return {};
    case Found::NotASave: setAside(path); return {};
    case Found::Unreadable:
        if (untouchable) *untouchable = true;
        std::fprintf(stderr, "[storage] %s ist nicht lesbar (%s) — bleibt unangetastet und wird nicht überschrieben\n",
                     path.c_str(), std::strerror(err));
        return {};
    case Found::Read: break;
    }
    if (sealed.empty()) return {};
    std::string plain;
    switch (platform::saveDecrypt(sealed, &plain)) {
    case 0: break;
    case 2: setAside(path); return {};
    default: return {};
    }
    // Every save is one object. Sealed text that is none (cut off, another
    // kind of value, nested past what the parser takes) would otherwise be
    // taken for no file and written over by the next save.
    js::Value value = js::parse(plain);
    if (value.type != js::Type::Object) {
        setAside(path);
        return {};
    }
    return value;
}

js::Value object() {
    js::Value v;
    v.type = js::Type::Object;
    return v;
}

js::Value array() {
    js::Value v;
    v.type = js::Type::Array;
    return v;
}

js::Value text(const std::string& s) {
    js::Value v;
    v.type = js::Type::String;
    v.str = s;
    return v;
}

js::Value flag(bool b) {
    js::Value v;
    v.type = js::Type::Bool;
    v.b = b;
    return v;
}

js::Value number(double x, double def) {
    js::Value v;
    v.type = js::Type::Number;
    v.num = std::isfinite(x) ? x : def;
    return v;
}

double numberOr(const js::Value& v, double def) {
    return v.type == js::Type::Number && std::isfinite(v.num) ? v.num : def;
}

} // namespace store::detail
