// The fakes the tests share: engine ports that keep every message box (answered
// from a queue, else with its default button), file dialogs answered with queued
// paths, files in memory, and a caption.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/calc.h"
#include "files/file_ports.h"
#include "files/silent_ports.h"
#include "files/tape_files.h"

namespace tallymar::testing {

struct FakePorts : SilentPorts {
    std::deque<Answer> answers;
    std::vector<Message> messages;
    std::string clipboard;
    int waves = 0;
    int beeps = 0;
    Answer ShowMessage(const Message& message) override {
        messages.push_back(message);
        if (answers.empty()) return message.default_answer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void PlayWave(const std::string&) override { ++waves; }
    void Beep() override { ++beeps; }
    // The texts of the message boxes shown since the last call.
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const Message& m : messages) texts.push_back(m.text);
        messages.clear();
        return texts;
    }
};

// File dialogs answer with queued paths (none or nullopt: Cancel) and keep what they showed.
struct FakeFileDialogs : FileDialogs {
    std::deque<std::optional<std::string>> paths;
    std::vector<std::string> shown;  // "title|proposed name"
    std::optional<FileChoice> Next(const std::string& shown_as) {
        shown.push_back(shown_as);
        std::optional<std::string> path;
        if (!paths.empty()) path = paths.front(), paths.pop_front();
        if (!path) return std::nullopt;
        return FileChoice{*path, FileTitleOf(*path)};
    }
    std::optional<FileChoice> ChooseOpen(const std::string& title) override { return Next(title); }
    std::optional<FileChoice> ChooseSave(const std::string& title,
                                         const std::string& name) override {
        return Next(title + "|" + name);
    }
};

// Files in memory; folders, pipes and unreadable files can be put at paths, and
// every write can be made to fail with the system's reason.
struct MemoryFiles : FileSystem {
    std::map<std::string, std::string> files;
    std::map<std::string, FileKind> others;
    std::map<std::string, std::string> unreadable;  // path -> why it cannot be read
    std::string write_failure;
    std::vector<std::string> written;
    FileKind KindOf(const std::string& path) override {
        if (others.count(path)) return others[path];
        return files.count(path) ? FileKind::kFile : FileKind::kNone;
    }
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes,
                                    std::string* reason) override {
        if (others.count(path)) return *reason = NotAFileReason(others[path]), std::nullopt;
        if (unreadable.count(path) || !files.count(path)) {
            *reason = unreadable.count(path) ? unreadable[path] : kNoSuchFileReason;
            return std::nullopt;
        }
        return files[path].substr(0, max_bytes);
    }
    bool Write(const std::string& path, const std::string& bytes, std::string* reason) override {
        if (!write_failure.empty()) return *reason = write_failure, false;
        files[path] = bytes;
        written.push_back(path);
        return true;
    }
};

struct FakeCaption : CaptionPort {
    std::string caption = "Tape1 - Tallymar";
    bool busy = false;   // the busy pointer shows
    int busy_times = 0;  // how often it was put up
    void SetCaption(const std::string& text) override { caption = text; }
    void SetBusy(bool on) override {
        busy = on;
        busy_times += on ? 1 : 0;
    }
};

}  // namespace tallymar::testing
