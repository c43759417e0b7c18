// The settings file on disk: sections in square brackets, one "Key=Value" line per
// key, keys and sections matched without regard to letter case. The whole file is
// held in memory; keys and sections the program does not know are kept as they are.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace tallymar {

inline constexpr char kSettingsFileName[] = "Tallymar.ini";
// The longest value ReadIni returns, in characters.
inline constexpr std::size_t kMaxIniValueLength = 254;
// A larger file is not taken for a settings file: it is neither read nor replaced.
inline constexpr std::uintmax_t kMaxIniFileSize = 16u << 20;
// How long a closing window waits for another one to finish writing the settings
// file before it writes all the same.
inline constexpr std::chrono::milliseconds kSettingsLockPatience{2000};

// The advisory lock (flock) that windows writing the same settings file take in turn:
// on the file "<settings file>.lock" beside it, made when missing and never removed
// (removing it could let a third window lock a new file while one holds the old).
class SettingsFileLock {
  public:
    // Waits at most `patience` for the lock. When it cannot be had in that time, or
    // the lock file cannot be made (a read-only folder), held() is false and the
    // caller goes on without it: a close must never hang on another window.
    SettingsFileLock(const std::string& settings_path, std::chrono::milliseconds patience);
    ~SettingsFileLock();  // releases the lock
    SettingsFileLock(const SettingsFileLock&) = delete;
    SettingsFileLock& operator=(const SettingsFileLock&) = delete;

    bool held() const { return held_; }

  private:
    int fd_ = -1;
    bool held_ = false;
};

class IniFile : public IniStore {
  public:
    explicit IniFile(std::string path);
    ~IniFile() override;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Reads the file. Its name is looked up in its folder without regard to letter
    // case ("tallymar.INI" counts) and later saves go to the name found. Returns
    // whether the file was found and read. A file that is there but cannot be read
    // gives false and is protected: Save() then leaves it alone.
    bool Load();
    // Replaces what is held by the given text, as if it were the file's content.
    // NUL bytes read as blanks.
    void LoadFromText(std::string_view text);

    // At most kMaxIniValueLength characters (UTF-8 characters are not split); "" when
    // the key or section is missing.
    std::string ReadIni(const std::string& section, const std::string& key) override;
    // Sets the key in memory, creating its section when needed. Line breaks in the
    // value become blanks so that the value stays on its line.
    void WriteIni(const std::string& section, const std::string& key,
                  const std::string& value) override;

    // Writes the whole file through a temporary file in the same folder that is then
    // renamed over the old one, creating missing folders. On failure the old file is
    // untouched, false is returned and *reason says why ("Permission denied").
    bool Save(std::string* reason);
    // The settings `now` written as this window's changes only, for when another
    // window may have written the same file since this one read it: under the
    // SettingsFileLock, the file is read again as it is now, what changed since this
    // IniFile read it (Load) is merged into it (MergeSettings) and the result saved
    // as Save() does. Afterwards this IniFile holds the file as written, so a later
    // call writes only what changed since. A file that cannot be read now is left as
    // it is, with the reason, rather than written over blind.
    bool SaveChanges(const Settings& now, std::string* reason,
                     std::chrono::milliseconds patience = kSettingsLockPatience);
    // The file's text as Save() would write it.
    std::string Text() const;

    const std::string& path() const { return path_; }

  private:
    struct Document;
    std::string path_;
    std::unique_ptr<Document> document_;
    bool loaded_ = false;  // the file was read by Load() (or written by SaveChanges())
    bool protect_file_ = false;
    std::string protect_reason_;  // why Save() leaves the file alone
    std::string read_failure_;    // why Load() could not read the file ("Permission denied")
};

// Where the user's settings file lives: $TALLYMAR_SETTINGS when it is set (tests,
// and a set-up of one's own), otherwise $XDG_CONFIG_HOME/tallymar/Tallymar.ini, by
// default ~/.config/tallymar/Tallymar.ini. Never beside the program, where an
// installed program cannot (or, run as root, must not) write. Only without any home
// folder does it fall back to "Tallymar.ini" in `program_folder`.
std::string SettingsPath(const std::string& program_folder);

// A friendly first start: when there is no settings file at `settings_path` (its
// name in any letter case, or anything else of that name), the shipped settings file
// `shipped` is copied there, creating its folder. A file the user already has is
// never replaced, not even by a copy racing another start. True when it was copied.
bool CopyShippedSettings(const std::string& shipped, const std::string& settings_path);

// The first start after an older set-up that kept "Tallymar.ini" beside the program:
// that file (its name in any letter case) seeds the user's new settings file, once.
// Otherwise the shipped file does, as CopyShippedSettings says. True when a file was
// copied.
bool SeedSettings(const std::string& program_folder, const std::string& shipped,
                  const std::string& settings_path);

}  // namespace tallymar
