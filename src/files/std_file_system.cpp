#include "files/std_file_system.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace tallymar {
namespace fs = std::filesystem;
namespace {

// A new, empty file beside `target` that no one else has opened; nullptr when none
// could be made. Its name is put in *temp.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path* temp) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp",
                      static_cast<unsigned long long>(random()));
        fs::path candidate = target;
        candidate += suffix;
        // "x": fails when the name is taken rather than truncating someone's file.
        if (std::FILE* file = std::fopen(candidate.c_str(), "wbx")) {
            *temp = candidate;
            return file;
        }
        std::error_code error;
        if (!fs::exists(candidate, error) || error) return nullptr;  // the folder is not writable
    }
    return nullptr;
}

// Where writing `path` has to land: the file a symbolic link points to, so that
// saving through a link does not replace the link with a plain file.
fs::path WriteTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path real = fs::weakly_canonical(path, error);
    return error ? path : real;
}

}  // namespace

bool StdFileSystem::Exists(const std::string& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

std::optional<std::string> StdFileSystem::Read(const std::string& path, std::size_t max_bytes) {
    std::error_code error;
    if (path.empty() || fs::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    while (bytes.size() < max_bytes && in) {
        const std::size_t want = std::min(sizeof buffer, max_bytes - bytes.size());
        in.read(buffer, static_cast<std::streamsize>(want));
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool StdFileSystem::Write(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const fs::path target = WriteTarget(path);
    std::error_code error;
    if (fs::is_directory(target, error)) return false;
    fs::path temp;
    std::FILE* file = CreateTemporaryBeside(target, &temp);
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (written) {
        // The new file keeps the permissions the old one had.
        fs::file_status old_status = fs::status(target, error);
        if (!error && fs::exists(old_status)) {
            fs::permissions(temp, old_status.permissions(), fs::perm_options::replace, error);
        }
        error.clear();
        fs::rename(temp, target, error);
        written = !error;
    }
    if (!written) fs::remove(temp, error);
    return written;
}

}  // namespace tallymar
