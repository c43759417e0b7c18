#include "files/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallymar {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kTemporaryDigits = 16;
constexpr char kTemporarySuffix[] = ".tmp";

// Closes a descriptor when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes it now; false (errno set) when the close reports a failed write.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where the write lands: the path itself, or the regular file its links lead to.
// False with the reason when that is no regular file and none can be made there.
bool WriteTarget(const std::string& path, fs::path* target, struct stat* old, bool* exists,
                 std::string* reason) {
    *target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
        *exists = false;
        if (errno == ENOENT) return true;  // a new file
        *reason = ReasonOf(errno);
        return false;
    }
    if (S_ISLNK(link.st_mode)) {
        std::error_code error;
        fs::path real = fs::canonical(path, error);
        if (error) {
            // A link that leads nowhere or round in a loop: writing it would put a
            // plain file in the link's place.
            *reason = error.value() == ENOENT ? "it is a link to a file that is not there"
                                              : error.message();
            return false;
        }
        *target = real;
    }
    if (::stat(target->c_str(), old) != 0) {
        *reason = ReasonOf(errno);
        return false;
    }
    *exists = true;
    if (!S_ISREG(old->st_mode)) {
        *reason = NotAFileReason(KindOfMode(old->st_mode));
        return false;
    }
    return true;
}

// A new, empty file beside `target` that no one else has opened, or -1 with errno.
int CreateTemporaryBeside(const fs::path& target, unsigned mode, fs::path* temp) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx%s",
                      static_cast<unsigned long long>(random()), kTemporarySuffix);
        fs::path candidate = target;
        candidate += suffix;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                              static_cast<mode_t>(mode));
        if (fd >= 0) {
            *temp = candidate;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}

// The old file's owner, group and permissions (at most `most_mode`) on the new one.
void KeepOwnerAndMode(int fd, const struct stat& old, unsigned most_mode) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only root may give a file away; a group of the user's own is allowed too.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
    }
    ::fchmod(fd, static_cast<mode_t>(old.st_mode & 07777 & most_mode));
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;  // the rename is done; only its lasting through a power cut is less sure
    ::fsync(fd);
    ::close(fd);
}

// Writes over the file in place, the rest cut off.
bool RewriteInPlace(const fs::path& target, std::string_view bytes, std::string* reason) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat status {};
    bool ok = fd.get() >= 0 && ::fstat(fd.get(), &status) == 0;
    if (ok && !S_ISREG(status.st_mode)) {
        *reason = NotAFileReason(KindOfMode(status.st_mode));
        return false;
    }
    ok = ok && WriteAll(fd.get(), bytes) &&
         ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.get()) == 0;
    ok = fd.get() >= 0 && fd.Close() && ok;
    if (!ok) *reason = ReasonOf(errno != 0 ? errno : EIO);
    return ok;
}

// Removes what writes of `target` killed half-way left beside it. Only plain files
// named as this program names the temporaries of that one file are touched.
void RemoveStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string file_name = target.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code type_error;
        if (!IsTemporaryNameOf(it->path().filename().string(), file_name)) continue;
        if (!fs::is_regular_file(it->symlink_status(type_error)) || type_error) continue;
        std::error_code ignored;  // one left behind is tried again at the next write
        fs::remove(it->path(), ignored);
    }
}

}  // namespace

std::string ReasonOf(int error_number) {
    return std::generic_category().message(error_number != 0 ? error_number : EIO);
}

FileKind KindOfMode(unsigned mode) {
    if (S_ISREG(mode)) return FileKind::kFile;
    if (S_ISDIR(mode)) return FileKind::kFolder;
    if (S_ISFIFO(mode)) return FileKind::kPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
    return FileKind::kOther;
}

bool IsTemporaryNameOf(const std::string& name, const std::string& file_name) {
    const std::size_t suffix_length = sizeof kTemporarySuffix - 1;
    if (file_name.empty() ||
        name.size() != file_name.size() + 1 + kTemporaryDigits + suffix_length ||
        name.compare(0, file_name.size(), file_name) != 0 || name[file_name.size()] != '.' ||
        !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    const auto digits = name.begin() + static_cast<std::ptrdiff_t>(file_name.size() + 1);
    return std::all_of(digits, digits + kTemporaryDigits,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWrite& how,
                         std::string* reason) {
    reason->clear();
    if (path.empty()) {
        *reason = ReasonOf(ENOENT);
        return false;
    }
    fs::path target;
    struct stat old {};
    bool exists = false;
    if (!WriteTarget(path, &target, &old, &exists, reason)) return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (how.create_folders) {
        std::error_code ignored;  // a folder that could not be made fails the next step
        fs::create_directories(folder, ignored);
    }

    fs::path temp;
    Descriptor fd(CreateTemporaryBeside(target, how.new_mode & how.most_mode, &temp));
    if (fd.get() < 0) {
        const int error_number = errno;
        if (how.in_place_fallback && exists && ::access(target.c_str(), W_OK) == 0) {
            return RewriteInPlace(target, bytes, reason);
        }
        *reason = ReasonOf(error_number);
        return false;
    }
    if (exists) KeepOwnerAndMode(fd.get(), old, how.most_mode);
    errno = 0;
    bool written = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    written = fd.Close() && written;
    if (written && ::rename(temp.c_str(), target.c_str()) != 0) written = false;
    if (!written) {
        *reason = ReasonOf(errno != 0 ? errno : EIO);
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    RemoveStaleTemporaries(target);
    return true;
}

}  // namespace tallymar
