#include "files/recovery.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/atomic_file.h"
#include "files/std_file_system.h"
#include "files/tape_file.h"

namespace tallymar {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kHead = "Tallymar recovery 1\n";
constexpr std::string_view kCopySuffix = ".recovery";
constexpr std::string_view kLockSuffix = ".lock";
// A copy larger than a whole tape and its head is no copy of ours.
constexpr std::size_t kMaxCopySize = (static_cast<std::size_t>(kMaxLines) + 1) * kRecordSize + 2 * 4096 + 64;

// A text that may hold any byte, a line feed included: its length, a colon, the text.
void PutText(std::string& out, const std::string& text) {
    out += std::to_string(text.size());
    out += ':';
    out += text;
    out += '\n';
}

bool TakeText(std::string_view& in, std::string* text) {
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(in.data(), in.data() + in.size(), length);
    if (error != std::errc() || end == in.data() || end == in.data() + in.size() || *end != ':') {
        return false;
    }
    in.remove_prefix(static_cast<std::size_t>(end - in.data()) + 1);
    if (length > 4096 || in.size() < length + 1 || in[length] != '\n') return false;
    *text = std::string(in.substr(0, length));
    in.remove_prefix(length + 1);
    return true;
}

// Whether another running window holds the lock at `lock_path`.
bool LockedByAnother(const std::string& lock_path) {
    const int fd = ::open(lock_path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;  // no lock file: its window is gone
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);  // releases the lock taken just now, if any
    return held;
}

std::string LockPathOf(const std::string& copy_path) {
    return copy_path.substr(0, copy_path.size() - kCopySuffix.size()) + std::string(kLockSuffix);
}

}  // namespace

std::string EncodeRecovery(const std::vector<TapeLine>& tape, const std::string& file_name,
                           const std::string& title) {
    std::string bytes(kHead);
    PutText(bytes, file_name);
    PutText(bytes, title);
    bytes += EncodeTape(tape);
    return bytes;
}

bool DecodeRecovery(const std::string& bytes, RecoveredTape* tape) {
    std::string_view in(bytes);
    if (!in.starts_with(kHead)) return false;
    in.remove_prefix(kHead.size());
    RecoveredTape read;
    if (!TakeText(in, &read.file_name) || !TakeText(in, &read.title)) return false;
    if (in.size() < kRecordSize) return false;  // not even one line
    read.records = std::string(in);
    read.path = tape->path;
    *tape = std::move(read);
    return true;
}

std::string RecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return (fs::path(state) / "tallymar").string();
    const char* home = std::getenv("HOME");
    const std::string base = home != nullptr && home[0] != '\0' ? home : "/tmp";
    return (fs::path(base) / ".local" / "state" / "tallymar").string();
}

TapeRecovery::TapeRecovery(std::string folder) : folder_(std::move(folder)) {
    // One name for each window: the process, and the window within it.
    static std::atomic<int> windows{0};
    const std::string stem = (fs::path(folder_) / ("tape-" + std::to_string(::getpid()) + "-" +
                                                   std::to_string(++windows)))
                                 .string();
    copy_path_ = stem + std::string(kCopySuffix);
    lock_path_ = stem + std::string(kLockSuffix);
}

TapeRecovery::~TapeRecovery() {
    if (lock_fd_ < 0) return;
    ::unlink(lock_path_.c_str());
    ::close(lock_fd_);
}

bool TapeRecovery::TakeLock(std::string* reason) {
    if (lock_fd_ >= 0) return true;
    std::error_code error;
    fs::create_directories(folder_, error);
    // The folder is the user's own: tapes may hold what others should not read.
    ::chmod(folder_.c_str(), 0700);
    const int fd = ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *reason = ReasonOf(errno);
        if (fd >= 0) ::close(fd);
        return false;
    }
    lock_fd_ = fd;
    return true;
}

bool TapeRecovery::Write(const std::vector<TapeLine>& tape, const std::string& file_name,
                         const std::string& title, std::string* reason) {
    std::string bytes = EncodeRecovery(tape, file_name, title);
    if (has_copy_ && bytes == written_) return true;
    if (!TakeLock(reason)) return false;
    AtomicWrite how;
    how.new_mode = 0600;
    how.most_mode = 0600;
    if (!WriteFileAtomically(copy_path_, bytes, how, reason)) return false;
    has_copy_ = true;
    written_ = std::move(bytes);
    return true;
}

void TapeRecovery::Remove() {
    if (!has_copy_) return;
    ::unlink(copy_path_.c_str());
    has_copy_ = false;
    written_.clear();
}

std::optional<RecoveredTape> TapeRecovery::FindLeftOver() const {
    std::optional<RecoveredTape> newest;
    fs::file_time_type newest_time{};
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string path = it->path().string();
        const std::string name = it->path().filename().string();
        if (!name.starts_with("tape-") || !name.ends_with(kCopySuffix) || path == copy_path_) continue;
        if (LockedByAnother(LockPathOf(path))) continue;
        std::string reason;
        std::optional<std::string> bytes = StdFileSystem().Read(path, kMaxCopySize, &reason);
        RecoveredTape tape;
        tape.path = path;
        if (!bytes || !DecodeRecovery(*bytes, &tape)) continue;
        std::error_code time_error;
        const fs::file_time_type time = fs::last_write_time(it->path(), time_error);
        if (!newest || time > newest_time) {
            newest = std::move(tape);
            newest_time = time;
        }
    }
    return newest;
}

void TapeRecovery::Discard(const RecoveredTape& tape) {
    if (tape.path.empty()) return;
    ::unlink(tape.path.c_str());
    const std::string lock = LockPathOf(tape.path);
    if (!LockedByAnother(lock)) ::unlink(lock.c_str());
}

}  // namespace tallymar
