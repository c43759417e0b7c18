#include "files/std_file_system.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/atomic_file.h"

namespace tallymar {

namespace {

std::string ReasonOfFailedOpen(int error_number) {
    return error_number == ENOENT ? kNoSuchFileReason : ReasonOf(error_number);
}

}  // namespace

FileKind StdFileSystem::KindOf(const std::string& path) {
    struct stat status {};
    if (path.empty()) return FileKind::kNone;
    if (::stat(path.c_str(), &status) != 0) {
        // Nothing there; anything else (a loop of links, a folder that may not be
        // looked into) is something that cannot be read, for Read to say why.
        return errno == ENOENT || errno == ENOTDIR ? FileKind::kNone : FileKind::kOther;
    }
    return KindOfMode(status.st_mode);
}

std::optional<std::string> StdFileSystem::Read(const std::string& path, std::size_t max_bytes,
                                               std::string* reason) {
    if (path.empty()) {
        *reason = kNoSuchFileReason;
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *reason = ReasonOfFailedOpen(errno);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *reason = S_ISREG(status.st_mode) ? ReasonOf(errno) : NotAFileReason(KindOfMode(status.st_mode));
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    int error_number = 0;
    while (bytes.size() < max_bytes) {
        const std::size_t want = std::min(sizeof buffer, max_bytes - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error_number = errno;
        if (got <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (error_number != 0) {
        *reason = ReasonOf(error_number);
        return std::nullopt;
    }
    return bytes;
}

bool StdFileSystem::Write(const std::string& path, const std::string& bytes, std::string* reason) {
    return WriteFileAtomically(path, bytes, AtomicWrite{}, reason);
}

}  // namespace tallymar
