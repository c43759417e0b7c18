// New, Open, Save and Save As of tape files, the save-changes question, and the
// main window's caption that names the current file.
//
// A file is read whole into memory (at most one tape's worth of records), its
// records are copied onto `calc.Tape` with the engine's AddTapeLine, and the rows
// are redrawn once at the end. A save encodes the whole tape and hands it to
// FileSystem::Write, which replaces the old file in one step.
#pragma once

#include <string>

#include "engine/calc.h"
#include "files/file_ports.h"

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

class TapeFiles {
  public:
    TapeFiles(Calc& calc, FileDialogs& dialogs, FileSystem& files, CaptionPort& caption)
        : calc_(calc), dialogs_(dialogs), files_(files), caption_(caption) {}

    std::string TapeFileName;   // full path of the current file, "" when none
    std::string TapeFileTitle;  // its file name as the dialog gave it
    bool QuerySave = false;     // Save As runs for a save-changes question

    // File > New, Edit > Clear tape, the AC button. False when the save-changes
    // question was cancelled and the tape was kept.
    bool NewTape();
    void SaveTape();    // File > Save
    void SaveTapeAs();  // File > Save As
    void Open();        // File > Open
    // After the Open dialog, and the command line. True when lines of the file are
    // now on the tape.
    bool OpenTapeFile(const std::string& path);
    bool FileQuery();  // the save-changes question before opening
    // The question at shut-down: false when the user cancelled the close.
    bool QueryClose();

  private:
    Answer Tell(const std::string& text, Buttons buttons = Buttons::kOk, Icon icon = Icon::kNone,
                Answer default_answer = Answer::kOk);
    // The save-changes question; `feeds` adds two line feeds after the text of a
    // tape that has a file, which the text of a tape without one always gets.
    Answer AskSaveChanges(bool feeds);
    // Writes the tape to TapeFileName; TapeChanged is cleared only when it was written.
    bool WriteTape();
    // Reads the records at `bytes` onto the tape from line `start` on; the reason
    // it stopped early, if any, comes back in the two flags.
    void CopyRecords(const std::string& bytes, int start, bool* corrupted, bool* too_long);
    // Shows the end of the tape and puts the focus on the open line.
    void ShowTapeEnd();

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
};

// The text after the last path separator ('/' or '\'), or the whole path without one.
std::string FileTitleOf(const std::string& path);

}  // namespace tallymar
