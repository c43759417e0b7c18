#include "files/tape_files.h"

#include <algorithm>
#include <cctype>

#include "files/tape_file.h"

namespace tallymar {
namespace {

const std::string kNewTapeCaption = std::string(kProgramTitle) + " - Tape1";

// Whether the last four characters, in lower case, are ".add".
bool HasAddExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".add";
}

}  // namespace

std::string FileTitleOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

TapeFiles::BusyPointer::BusyPointer(TapeFiles& files) : files_(files) {
    if (files_.busy_depth_++ == 0) files_.caption_.SetBusy(true);
}

TapeFiles::BusyPointer::~BusyPointer() {
    if (--files_.busy_depth_ == 0) files_.caption_.SetBusy(false);
}

Answer TapeFiles::Tell(const std::string& text, Buttons buttons, Icon icon, Answer default_answer) {
    return calc_.ports().dialogs.ShowMessage(
        Message{kProgramTitle, text, buttons, icon, default_answer});
}

Answer TapeFiles::AskSaveChanges(bool feeds) {
    std::string text = TapeFileName.empty()
                           ? "Do you want to save the changes you made to your existing tape ?\n\n"
                           : "Do you want to save the changes you made to " + TapeFileTitle + " ?" +
                                 (feeds ? "\n\n" : "");
    return Tell(text, Buttons::kYesNoCancel, Icon::kInformation, Answer::kYes);
}

bool TapeFiles::FileQuery() {
    if (!calc_.TapeChanged) return true;
    if (AskSaveChanges(true) != Answer::kYes) return false;
    QuerySave = true;
    SaveTapeAs();
    QuerySave = false;
    return true;
}

bool TapeFiles::QueryClose() {
    if (!calc_.TapeChanged) return true;
    switch (AskSaveChanges(true)) {
        case Answer::kCancel:
            return false;
        case Answer::kYes:
            // The program closes even when the Save As dialog is cancelled.
            QuerySave = true;
            SaveTapeAs();
            QuerySave = false;
            return true;
        default:
            return true;
    }
}

bool TapeFiles::NewTape() {
    if (calc_.TapeChanged) {
        Answer answer = AskSaveChanges(false);
        if (answer == Answer::kCancel) return false;
        // A new tape follows whether or not the tape was saved.
        if (answer == Answer::kYes) SaveTapeAs();
    }
    TapeFileName.clear();
    TapeFileTitle.clear();
    caption_.SetCaption(kNewTapeCaption);
    calc_.BuildNewTape(false);
    return true;
}

void TapeFiles::SaveTape() {
    if (TapeFileName.empty()) {
        SaveTapeAs();
    } else {
        WriteTape();
    }
}

void TapeFiles::SaveTapeAs() {
    // The name the dialog proposes; the tape's own name changes only once a name
    // is accepted, so that a declined replace never leaves a later Save aimed at
    // the file the user chose to keep.
    std::string proposed = TapeFileName.empty() ? kNewTapeFileName : TapeFileName;
    for (;;) {
        std::optional<FileChoice> choice = dialogs_.ChooseSave(kSaveDialogTitle, proposed);
        if (!choice || choice->path.empty()) return;
        std::string name = choice->path;
        if (!HasAddExtension(name)) name += ".add";
        if (!QuerySave && files_.Exists(name)) {
            Answer answer = Tell("A file named " + choice->title + " already exists.\n\n" +
                                     "Do you wish to replace the existing file?",
                                 Buttons::kYesNo, Icon::kExclamation, Answer::kNo);
            if (answer != Answer::kYes) {
                proposed = name;
                continue;
            }
        }
        TapeFileName = name;
        TapeFileTitle = choice->title;
        caption_.SetCaption(std::string(kProgramTitle) + " - " + TapeFileTitle);
        WriteTape();
        return;
    }
}

bool TapeFiles::WriteTape() {
    BusyPointer busy(*this);
    if (!files_.Write(TapeFileName, EncodeTape(calc_.Tape))) return false;
    calc_.TapeChanged = false;
    return true;
}

void TapeFiles::Open() {
    for (;;) {
        BusyPointer busy(*this);
        // Whatever the answer, the file is opened; it only decides whether the tape
        // was saved first.
        FileQuery();
        std::optional<FileChoice> choice = dialogs_.ChooseOpen(kOpenDialogTitle);
        if (!choice) return;
        const std::string old_name = TapeFileName;
        const std::string old_title = TapeFileTitle;
        TapeFileName = choice->path;
        TapeFileTitle = choice->title;
        if (!files_.Exists(TapeFileName)) {
            Tell("The file " + TapeFileTitle + " does not exist\r\n\r\n" +
                 "Make sure you have specified the correct path and filename.");
            TapeFileName.clear();
            continue;
        }
        // A file that was not opened must not become the target of a later Save.
        if (!OpenTapeFile(TapeFileName)) {
            TapeFileName = old_name;
            TapeFileTitle = old_title;
        }
        return;
    }
}

bool TapeFiles::OpenTapeFile(const std::string& path) {
    BusyPointer busy(*this);
    const std::string title = FileTitleOf(path);
    // One record more than a tape holds is enough to tell a file that is too long.
    std::optional<std::string> bytes =
        files_.Read(path, static_cast<std::size_t>(kMaxLines + 1) * kRecordSize);
    if (!bytes) {
        // A file that is there but cannot be read ends quietly, as any other failure.
        if (!files_.Exists(path)) Tell(kNoDataText);
        return false;
    }
    if (RecordCount(bytes->size()) < 1) {
        Tell(kNoDataText);
        return false;
    }
    // A file without one good record would leave nothing of either tape.
    TapeLine first;
    if (!DecodeRecord(bytes->data(), &first)) {
        Tell(kCorruptedText, Buttons::kOk, Icon::kCritical);
        return false;
    }
    int start = 0;
    switch (Tell(kAppendQuestion, Buttons::kYesNoCancel, Icon::kNone, Answer::kYes)) {
        case Answer::kYes:
            // The tape's open line takes the file's first record.
            start = calc_.UpperBound();
            break;
        case Answer::kNo: {
            if (!NewTape()) return false;
            caption_.SetCaption(std::string(kProgramTitle) + "-" + title);
            calc_.RemoveRowsBelowFirst();
            calc_.LastRow = 0;
            TapeLine empty;  // all zero until the file's first record takes its place
            empty.Signature = 0;
            empty.Op = '\0';
            calc_.Tape.assign(1, empty);
            calc_.CurLine = calc_.TopLine = 0;
            break;
        }
        default:
            return false;
    }
    bool corrupted = false;
    bool too_long = false;
    CopyRecords(*bytes, start, &corrupted, &too_long);
    ShowTapeEnd();
    if (corrupted) {
        Tell(kCorruptedText, Buttons::kOk, Icon::kCritical);
    } else {
        if (too_long) Tell(kTooLongText, Buttons::kOk, Icon::kExclamation);
        calc_.TapeChanged = false;
    }
    // A later Save must not cut off what could not be read.
    if ((corrupted || too_long) && TapeFileName == path) {
        TapeFileName.clear();
        TapeFileTitle.clear();
    }
    return true;
}

void TapeFiles::CopyRecords(const std::string& bytes, int start, bool* corrupted, bool* too_long) {
    const std::size_t count = RecordCount(bytes.size());
    // Records that fit with a new open line after them.
    const std::size_t room = static_cast<std::size_t>(std::max(kMaxLines - 1 - start, 0));
    calc_.defer_redraw = true;
    for (std::size_t i = 0; i < count; ++i) {
        TapeLine line;
        if (!DecodeRecord(&bytes[i * kRecordSize], &line)) {
            *corrupted = true;
            break;
        }
        if (i == room) {
            // A full tape saved and opened again ends with its own open line, which
            // then stands in for the new one; anything else is left out.
            if (i + 1 == count && line.Op == op::kOpen) {
                calc_.Tape[start + i] = line;
            } else {
                *too_long = true;
            }
            break;
        }
        calc_.Tape[start + i] = line;
        calc_.AddTapeLine();
    }
    calc_.defer_redraw = false;
}

void TapeFiles::ShowTapeEnd() {
    const int last = calc_.UpperBound();
    calc_.TopLine = std::clamp(last - calc_.MaxRow + 1, 0, std::max(last - calc_.LastRow, 0));
    calc_.ShowTape();
    calc_.UpdateScroller();
    // The focus goes to the last row afresh, so that its got-focus handling sets
    // CurLine for the lines it shows now. (No lost-focus: a correction half keyed
    // before the file was read must not be committed onto a line that moved.)
    calc_.TakeFocusAfresh(calc_.LastRow);
}

}  // namespace tallymar
