// What the tape file operations need from outside: the file dialogs, the file
// system and the main window's caption. The window supplies Qt's; tallymar-cli
// and the tests supply their own.
#pragma once

#include <optional>
#include <string>

namespace tallymar {

struct FileChoice {
    std::string path;   // full path
    std::string title;  // the file name as the dialog reports it
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // The Open dialog (filter "Calculator (*.add)"); nothing when cancelled.
    virtual std::optional<FileChoice> ChooseOpen(const std::string& title) = 0;
    // The Save As dialog with `file_name` filled in (default suffix "add"); nothing when cancelled.
    virtual std::optional<FileChoice> ChooseSave(const std::string& title,
                                                 const std::string& file_name) = 0;
    // The Export dialog with `file_name` filled in (a ".csv" or ".txt" name); nothing
    // when cancelled. Where no dialog of its own is needed, the Save As dialog serves.
    virtual std::optional<FileChoice> ChooseExport(const std::string& title,
                                                   const std::string& file_name) {
        return ChooseSave(title, file_name);
    }
};

// What a path names on the disk.
enum class FileKind { kNone, kFile, kFolder, kPipe, kDevice, kOther };

// Why a path that is there cannot be read or written as a tape file, for the
// message that says so: "it is a folder, not a file".
inline std::string NotAFileReason(FileKind kind) {
    switch (kind) {
        case FileKind::kFolder:
            return "it is a folder, not a file";
        case FileKind::kPipe:
            return "it is a named pipe, not a file";
        case FileKind::kDevice:
            return "it is a device, not a file";
        case FileKind::kNone:
        case FileKind::kFile:
        case FileKind::kOther:
            break;
    }
    return "it is not a regular file";
}

// The reason a FileSystem gives for a path that names nothing at all.
inline constexpr const char* kNoSuchFileReason = "No such file or directory";

// The file system. Every failure comes with the system's reason in its own words
// ("Permission denied", "No space left on device"), for the message that tells the user.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // What `path` names (a symbolic link is followed); kNone when nothing is there
    // or it cannot be looked at.
    virtual FileKind KindOf(const std::string& path) = 0;
    // Up to `max_bytes` of a regular file. Nothing when it cannot be read, with the
    // reason in *reason. Anything that is not a regular file is refused at once
    // (a named pipe would wait for a writer for ever).
    virtual std::optional<std::string> Read(const std::string& path, std::size_t max_bytes,
                                            std::string* reason) = 0;
    // Replaces the file's content as one step (a temporary file renamed over it), so that a
    // failed write leaves the old file as it was. False when the file could not be
    // written, with the reason in *reason.
    virtual bool Write(const std::string& path, const std::string& bytes, std::string* reason) = 0;
};

class CaptionPort {
  public:
    virtual ~CaptionPort() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // The busy pointer while a file is read or written.
    virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace tallymar
