// The settings file through SimpleIni, used byte for byte (no character set
// conversion): keys are compared without regard to letter case, written as
// "Key=Value" with no blanks around "=", and a key that appears twice reads as its
// first value, as the platform's own INI services do.
#include "platform/ini_file.h"

// Header-only use: this file compiles the template's bodies itself (Debian's header
// hides them behind SI_IMPLEMENTATION), so no SimpleIni library is linked.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>

#include "files/atomic_file.h"
#include "files/std_file_system.h"
#include "settings/settings_merge.h"

namespace tallymar {

namespace fs = std::filesystem;

struct IniFile::Document {
    Document() : ini(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false) {
        ini.SetSpaces(false);
        ini.SetQuotes(false);
    }
    CSimpleIniA ini;
};

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The regular file named like `path` in its folder, the name compared without regard
// to letter case; an exact match comes first. "" when there is none.
std::string FindIgnoringCase(const fs::path& path) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path.string();
    const std::string name = path.filename().string();
    std::string found;
    for (fs::directory_iterator it(FolderOf(path), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& entry = it->path();
        std::error_code type_ec;
        if (EqualsIgnoringCase(entry.filename().string(), name) &&
            fs::is_regular_file(entry, type_ec) && (found.empty() || entry.string() < found)) {
            found = entry.string();
        }
    }
    return found;
}

// False with the reason when the file cannot be read whole or is too large.
bool ReadWholeFile(const std::string& path, std::string* text, std::string* reason) {
    // One byte more than a settings file may hold tells a file that is too large.
    std::optional<std::string> bytes = StdFileSystem().Read(path, kMaxIniFileSize + 1, reason);
    if (!bytes) return false;
    if (bytes->size() > kMaxIniFileSize) {
        *reason = "it is too large to be a settings file";
        return false;
    }
    *text = std::move(*bytes);
    return true;
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// At most `limit` characters of `text`; a character starts at every byte that does
// not continue a UTF-8 sequence, and stray continuation bytes count one per four.
std::string CutToCharacters(const std::string& text, size_t limit) {
    size_t characters = 0;
    int bytes_in_character = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continues = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continues || bytes_in_character == 0 || bytes_in_character == 4) {
            if (characters == limit) return text.substr(0, i);
            ++characters;
            bytes_in_character = 0;
        }
        ++bytes_in_character;
    }
    return text;
}

std::string OnOneLine(std::string text) {
    for (size_t at = text.find_first_of("\r\n"); at != std::string::npos;
         at = text.find_first_of("\r\n", at + 1)) {
        text[at] = ' ';
    }
    return text;
}

bool IsWritableFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; "" when there is
// no home folder to be found.
std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr) home = env;
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
            home = pw->pw_dir;
        }
    }
    return home.empty() ? std::string() : home + "/.config";
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)), document_(new Document) {}

IniFile::~IniFile() = default;

SettingsFileLock::SettingsFileLock(const std::string& settings_path,
                                   std::chrono::milliseconds patience) {
    const std::string lock_path = settings_path + ".lock";
    // Read-only is enough for flock, and works on a lock file another user made.
    fd_ = ::open(lock_path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd_ < 0) return;
    const auto give_up = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= give_up) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

SettingsFileLock::~SettingsFileLock() {
    if (fd_ >= 0) ::close(fd_);  // which releases the lock
}

bool IniFile::Load() {
    document_ = std::make_unique<Document>();
    loaded_ = protect_file_ = false;
    read_failure_.clear();
    const std::string found = FindIgnoringCase(path_);
    if (found.empty()) return false;
    path_ = found;
    std::string text;
    if (!ReadWholeFile(found, &text, &read_failure_)) {
        protect_file_ = true;
        protect_reason_ =
            "it could not be read at start-up (" + read_failure_ + "), so it was left as it was";
        return false;
    }
    LoadFromText(text);
    return true;
}

void IniFile::LoadFromText(std::string_view text) {
    document_ = std::make_unique<Document>();  // nothing, not even a BOM, is left over
    std::string data(text);
    std::replace(data.begin(), data.end(), '\0', ' ');
    document_->ini.LoadData(data);
    loaded_ = true;
}

std::string IniFile::ReadIni(const std::string& section, const std::string& key) {
    const char* value = document_->ini.GetValue(section.c_str(), key.c_str(), "");
    if (value == nullptr) return std::string();
    std::string text(value);
    // No more bytes than the limit: no more characters either.
    return text.size() <= kMaxIniValueLength ? text : CutToCharacters(text, kMaxIniValueLength);
}

void IniFile::WriteIni(const std::string& section, const std::string& key,
                       const std::string& value) {
    CSimpleIniA& ini = document_->ini;
    const std::string section_line = OnOneLine(section);
    std::string key_line = OnOneLine(key);
    const std::string value_line = OnOneLine(value);
    if (const CSimpleIniA::TKeyVal* keys = ini.GetSection(section_line.c_str())) {
        const auto found = keys->find(CSimpleIniA::Entry(key_line.c_str()));
        if (found != keys->end()) {
            // A value that is already there (the first, as ReadIni reads it) is left
            // alone: most keys are written back as they were read, and replacing one
            // costs far more than looking.
            if (found->second != nullptr && value_line == found->second) return;
            // A key already in the file keeps its spelling, as it keeps its place.
            key_line = found->first.pItem;
        }
    }
    ini.SetValue(section_line.c_str(), key_line.c_str(), value_line.c_str(), nullptr,
                 /*a_bForceReplace=*/true);
}

std::string IniFile::Text() const {
    std::string text;
    document_->ini.Save(text, /*a_bAddSignature=*/true);  // a BOM only when the file had one
    return text;
}

bool IniFile::Save(std::string* reason) {
    if (protect_file_) {
        *reason = protect_reason_;
        return false;
    }
    // A settings file is for its user alone to change: never more than rw-r--r--.
    AtomicWrite how;
    how.new_mode = 0644;
    how.most_mode = 0644;
    how.create_folders = true;
    how.in_place_fallback = true;
    return WriteFileAtomically(path_, Text(), how, reason);
}

bool IniFile::SaveChanges(const Settings& now, std::string* reason,
                          std::chrono::milliseconds patience) {
    if (protect_file_) {
        *reason = protect_reason_;
        return false;
    }
    // The folder first, so that a first start can make the lock file in it.
    std::error_code ec;
    fs::create_directories(FolderOf(path_), ec);
    const SettingsFileLock lock(path_, patience);

    Settings as_read;
    LoadSettings(*this, loaded_, ScreenSize{}, &as_read);
    Settings merged = now;
    IniFile disk(path_);
    if (disk.Load()) {
        Settings on_disk;
        LoadSettings(disk, true, ScreenSize{}, &on_disk);
        merged = MergeSettings(as_read, now, on_disk);
        // Written into the file as it is now, keeping what another window or the user
        // put there.
        document_ = std::move(disk.document_);
        path_ = disk.path_;
    } else if (disk.protect_file_) {
        *reason = "it could not be read at closing (" + disk.read_failure_ +
                  "), so it was left as it was";
        return false;
    }
    SaveSettings(*this, merged);
    if (!Save(reason)) return false;
    loaded_ = true;
    return true;
}

std::string SettingsPath(const std::string& program_folder) {
    if (const char* chosen = std::getenv("TALLYMAR_SETTINGS"); chosen != nullptr && *chosen) {
        return chosen;
    }
    const std::string config = ConfigHome();
    if (config.empty()) {
        const fs::path folder = program_folder.empty() ? fs::path(".") : fs::path(program_folder);
        return (folder / kSettingsFileName).string();
    }
    return (fs::path(config) / "tallymar" / kSettingsFileName).string();
}

bool SeedSettings(const std::string& program_folder, const std::string& shipped,
                  const std::string& settings_path) {
    const fs::path folder = program_folder.empty() ? fs::path(".") : fs::path(program_folder);
    const std::string old = FindIgnoringCase(folder / kSettingsFileName);
    std::error_code ec;
    if (!old.empty() && !fs::equivalent(old, settings_path, ec) &&
        CopyShippedSettings(old, settings_path)) {
        return true;
    }
    return CopyShippedSettings(shipped, settings_path);
}

bool CopyShippedSettings(const std::string& shipped, const std::string& settings_path) {
    std::error_code ec;
    const fs::path target = settings_path;
    if (shipped.empty() || fs::exists(fs::symlink_status(target, ec)) ||
        !FindIgnoringCase(target).empty()) {
        return false;
    }
    std::string text;
    std::string reason;
    if (!fs::is_regular_file(shipped, ec) || !ReadWholeFile(shipped, &text, &reason)) return false;
    const fs::path folder = FolderOf(target);
    fs::create_directories(folder, ec);
    if (!IsWritableFolder(folder)) return false;

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text) && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    // A hard link is made only where no file of that name is: it never replaces one.
    ok = ok && ::link(temp.c_str(), target.c_str()) == 0;
    ::unlink(temp.c_str());
    return ok;
}

}  // namespace tallymar
