#include "files/std_file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace tallymar {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kTemporaryDigits = 16;
constexpr char kTemporarySuffix[] = ".tmp";

// The system's words for an error number ("Permission denied").
std::string ReasonOf(int error_number) {
    return std::generic_category().message(error_number);
}

FileKind KindOfStatus(const fs::file_status& status) {
    switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::none:
            return FileKind::kNone;
        case fs::file_type::regular:
            return FileKind::kFile;
        case fs::file_type::directory:
            return FileKind::kFolder;
        case fs::file_type::fifo:
            return FileKind::kPipe;
        case fs::file_type::block:
        case fs::file_type::character:
            return FileKind::kDevice;
        default:
            return FileKind::kOther;
    }
}

// What `path` names; when it cannot be looked at, kNone with the reason in *reason.
FileKind Look(const fs::path& path, std::string* reason) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    const FileKind kind = KindOfStatus(status);
    if (kind == FileKind::kNone) *reason = error ? error.message() : ReasonOf(ENOENT);
    return kind;
}

// A new, empty file beside `target` that no one else has opened; nullptr (with the
// reason) when none could be made. Its name is put in *temp.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path* temp, std::string* reason) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx%s",
                      static_cast<unsigned long long>(random()), kTemporarySuffix);
        fs::path candidate = target;
        candidate += suffix;
        // "x": fails when the name is taken rather than truncating someone's file.
        errno = 0;
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            *temp = candidate;
            return file;
        }
        if (errno != EEXIST) {
            *reason = ReasonOf(errno != 0 ? errno : EIO);  // the folder is not writable
            return nullptr;
        }
    }
    *reason = ReasonOf(EEXIST);
    return nullptr;
}

// Writes the bytes and closes the file; false with the reason when any step failed.
bool WriteAndClose(std::FILE* file, const std::string& bytes, std::string* reason) {
    errno = 0;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    if (!written && reason->empty()) *reason = ReasonOf(errno != 0 ? errno : EIO);
    errno = 0;
    if (std::fclose(file) != 0) {
        if (written) *reason = ReasonOf(errno != 0 ? errno : EIO);
        written = false;
    }
    return written;
}

// Where writing `path` has to land: the file a symbolic link points to, so that
// saving through a link does not replace the link with a plain file.
fs::path WriteTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? path : real;
}

// Removes what saves of `target` killed half-way left beside it. Only plain files
// named as this program names the temporaries of that one file are touched.
void RemoveStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string file_name = target.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code type_error;
        if (!IsTemporaryNameOf(it->path().filename().string(), file_name)) continue;
        if (!fs::is_regular_file(it->symlink_status(type_error)) || type_error) continue;
        std::error_code ignored;  // one left behind is tried again at the next save
        fs::remove(it->path(), ignored);
    }
}

}  // namespace

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

FileKind StdFileSystem::KindOf(const std::string& path) {
    std::string ignored;
    return path.empty() ? FileKind::kNone : Look(path, &ignored);
}

std::optional<std::string> StdFileSystem::Read(const std::string& path, std::size_t max_bytes,
                                               std::string* reason) {
    if (path.empty()) {
        *reason = ReasonOf(ENOENT);
        return std::nullopt;
    }
    // Looked at before it is opened: opening a named pipe waits for a writer.
    const FileKind kind = Look(path, reason);
    if (kind == FileKind::kNone) return std::nullopt;
    if (kind != FileKind::kFile) {
        *reason = NotAFileReason(kind);
        return std::nullopt;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *reason = ReasonOf(errno != 0 ? errno : EIO);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    while (bytes.size() < max_bytes) {
        const std::size_t want = std::min(sizeof buffer, max_bytes - bytes.size());
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, want, file);
        bytes.append(buffer, got);
        if (got < want) break;
    }
    const bool failed = std::ferror(file) != 0;
    const int error_number = errno;
    std::fclose(file);
    if (failed) {
        *reason = ReasonOf(error_number != 0 ? error_number : EIO);
        return std::nullopt;
    }
    return bytes;
}

bool StdFileSystem::Write(const std::string& path, const std::string& bytes, std::string* reason) {
    reason->clear();
    if (path.empty()) {
        *reason = ReasonOf(ENOENT);
        return false;
    }
    const fs::path target = WriteTarget(path);
    std::string ignored;
    const FileKind kind = Look(target, &ignored);
    // Renaming over a folder, a pipe or a device would put a file in its place.
    if (kind != FileKind::kNone && kind != FileKind::kFile) {
        *reason = NotAFileReason(kind);
        return false;
    }
    fs::path temp;
    std::FILE* file = CreateTemporaryBeside(target, &temp, reason);
    if (!file) return false;
    bool written = WriteAndClose(file, bytes, reason);
    std::error_code error;
    if (written) {
        // The new file keeps the permissions the old one had.
        fs::file_status old_status = fs::status(target, error);
        if (!error && fs::exists(old_status)) {
            fs::permissions(temp, old_status.permissions(), fs::perm_options::replace, error);
        }
        error.clear();
        fs::rename(temp, target, error);
        if (error) *reason = error.message();
        written = !error;
    }
    if (!written) {
        fs::remove(temp, error);
        return false;
    }
    RemoveStaleTemporaries(target);
    return true;
}

}  // namespace tallymar
