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
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Up to `max_bytes` of the file; nothing when it cannot be read.
    virtual std::optional<std::string> Read(const std::string& path, std::size_t max_bytes) = 0;
    // Replaces the file's content as one step (a temporary file renamed over it), so that a
    // failed write leaves the old file as it was. False when the file could not be written.
    virtual bool Write(const std::string& path, const std::string& bytes) = 0;
};

class CaptionPort {
  public:
    virtual ~CaptionPort() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // The busy pointer while a file is read or written.
    virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace tallymar
