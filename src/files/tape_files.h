// New, Open, Save and Save As of tape files, the save-changes question, and the
// main window's caption that names the current file.
//
// The main window's caption names the tape and marks unsaved changes the way desktop
// programs do: "Tape1 - Tallymar", "*week.add - Tallymar". A file is only ever written
// under the name the caption shows: after an Open that replaces the tape, Save writes
// the file that was opened; an append keeps the tape's own name, file and caption.
//
// A file is read whole into memory (at most one tape's worth of records) and the
// engine reads its records onto the tape (Calc::TakeLines), up to
// the first bad one, redrawing the rows once at the end. A save encodes the
// whole tape and hands it to FileSystem::Write, which replaces the old file in one step.
//
// Nothing is lost quietly: a save that fails says why, leaves the tape marked as
// changed under its old name and caption, and stops whatever asked for it (the
// close, New, an Open that replaces the tape). A file that is there but cannot be
// read, or is no file at all (a folder, a named pipe, a device), is refused with a
// message and the tape stays as it was.
#pragma once

#include <string>

#include "engine/calc.h"
#include "files/file_ports.h"
#include "files/recent_tapes.h"
#include "files/recovery.h"

namespace tallymar {

// Message texts of the tape file operations.
inline constexpr const char* kNoDataText = "There is no data in this file";
inline constexpr const char* kCorruptedText = "This file is corrupted";
inline constexpr const char* kTooLongText =
    "This file is too long for one tape; only its first lines were opened.";
inline constexpr const char* kAppendQuestion =
    "Do you wish to append the file to the existing tape?";
inline constexpr const char* kOpenDialogTitle = "Open Tallymar File";
inline constexpr const char* kSaveDialogTitle = "Save Tallymar File As";
inline constexpr const char* kNewTapeFileName = "Tape1.add";
inline constexpr const char* kNewTapeTitle = "Tape1";

// "Tallymar could not save Week.add: No space left on device"
std::string CannotSaveText(const std::string& title, const std::string& reason);
// "Tallymar could not open Week.add: Permission denied"
std::string CannotOpenText(const std::string& title, const std::string& reason);

// What came of a Save As.
enum class SaveResult { kSaved, kCancelled, kFailed };

class TapeFiles {
  public:
    // The caption starts as the new tape's; the window shows it at start-up.
    TapeFiles(Calc& calc, FileDialogs& dialogs, FileSystem& files, CaptionPort& caption)
        : calc_(calc), dialogs_(dialogs), files_(files), caption_(caption), caption_shown_(Caption()) {}

    std::string TapeFileName;   // full path of the current file, "" when none
    std::string TapeFileTitle;  // its file name as the dialog gave it
    bool QuerySave = false;     // Save As runs for a save-changes question

    // File > New, Edit > Clear tape, the AC button. False when the tape was kept:
    // the save-changes question was cancelled, or the save it asked for failed.
    bool NewTape();
    bool SaveTape();          // File > Save; true when the tape was written
    SaveResult SaveTapeAs();  // File > Save As
    void Open();              // File > Open
    // After the Open dialog. True when lines of the file are now on the tape.
    bool OpenTapeFile(const std::string& path);
    // A file named on the command line (or opened from the desktop): on a fresh tape
    // that holds nothing yet it replaces the tape without the append question;
    // otherwise as OpenTapeFile.
    bool OpenAtStart(const std::string& path);
    // File > Open Recent: the file at `path`, with the save question first and the
    // append question on a tape that holds figures. A file that is gone is named in a
    // message and taken off the list.
    void OpenRecent(const std::string& path);
    // The tape files used last, most recent first.
    RecentTapes& recent() { return recent_; }
    const RecentTapes& recent() const { return recent_; }
    // The save-changes question before opening: true when nothing was asked or the
    // answer was Yes and no save failed.
    bool FileQuery();
    // The question at shut-down: false when the close must not go on (cancelled, or
    // the tape could not be saved).
    bool QueryClose();

    // A tape a window left behind put back in place of this one: its lines, its file's
    // name and its title, marked as changed (no file holds it). False when not one of
    // its lines could be read (the tape is then as it was).
    bool RestoreTape(const RecoveredTape& tape);
    // The dialogs and the file system, which File > Export uses too.
    FileDialogs& dialogs() { return dialogs_; }
    FileSystem& file_system() { return files_; }
    // How many times the tape has been written to a file.
    int saves() const { return saves_; }

    // The tape's name as the caption shows it: its file's title, or "Tape1".
    const std::string& ShownTitle() const { return shown_title_; }
    // "*week.add - Tallymar": the shown title, marked while the tape has unsaved changes.
    std::string Caption() const;
    // Hands the caption to the window when it differs from what the window shows.
    void RefreshCaption();

  private:
    // What came of offering to save the changes.
    enum class Offer { kNothingAsked, kSaved, kDeclined, kDialogCancelled, kCancelled, kFailed };
    // What came of reading a file onto the tape.
    struct Opened {
        bool lines_read = false;  // lines of the file are on the tape
        bool appended = false;
        bool whole = false;  // every record was read
    };

    Answer Tell(const std::string& text, Buttons buttons = Buttons::kOk, Icon icon = Icon::kNone,
                Answer default_answer = Answer::kOk);
    // The save-changes question; `feeds` adds two line feeds after the text of a
    // tape that has a file, which the text of a tape without one always gets.
    Answer AskSaveChanges(bool feeds);
    // The question and, on Yes, Save As (without its replace question for the tape's
    // own file when `for_question` is set, as QuerySave asks).
    Offer OfferToSave(bool feeds, bool for_question);
    static bool MayDiscard(Offer offer);
    // The new tape of NewTape, with no question.
    void StartNewTape();
    // Writes the tape to `path`; TapeChanged is cleared only when it was written,
    // otherwise the user is told why, with the file's name.
    bool WriteTape(const std::string& path);
    // Reads `path` onto the tape after the append question. When the tape is
    // replaced, the tape's own save question is asked first unless `declined_saving`
    // says the user already answered No to it.
    // `ask_append` false replaces the tape without asking (a fresh tape).
    Opened ReadTapeFile(const std::string& path, bool declined_saving, bool ask_append = true);
    // The tape now holds nothing but a new tape's lines, unchanged and unnamed.
    bool IsFreshTape() const;
    void SetTitle(const std::string& title);

    // The busy pointer for as long as one of these lives; nested ones keep it on.
    class BusyPointer {
      public:
        explicit BusyPointer(TapeFiles& files);
        ~BusyPointer();
        BusyPointer(const BusyPointer&) = delete;
        BusyPointer& operator=(const BusyPointer&) = delete;

      private:
        TapeFiles& files_;
    };

    Calc& calc_;
    FileDialogs& dialogs_;
    FileSystem& files_;
    CaptionPort& caption_;
    int busy_depth_ = 0;
    int saves_ = 0;
    RecentTapes recent_;
    std::string shown_title_ = kNewTapeTitle;
    std::string caption_shown_;  // what the window was last given
};

// The text after the last path separator ('/' or '\'), or the whole path without one.
std::string FileTitleOf(const std::string& path);

}  // namespace tallymar
