#include "files/tape_files.h"

#include <algorithm>
#include <cctype>

#include "files/tape_file.h"

namespace tallymar {
namespace {

// A tape file's records as the engine reads them.
class Records : public LineSource {
  public:
    explicit Records(const std::string& bytes) : bytes_(bytes) {}
    std::size_t LineCount() const override { return RecordCount(bytes_.size()); }
    bool ReadLine(std::size_t index, TapeLine* line) override {
        return DecodeRecord(&bytes_[index * kRecordSize], line);
    }

  private:
    const std::string& bytes_;
};

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

std::string CannotSaveText(const std::string& title, const std::string& reason) {
    return std::string(kProgramTitle) + " could not save " + title + ": " + reason;
}

std::string CannotOpenText(const std::string& title, const std::string& reason) {
    return std::string(kProgramTitle) + " could not open " + title + ": " + reason;
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

void TapeFiles::SetTitle(const std::string& title) {
    shown_title_ = title;
    RefreshCaption();
}

std::string TapeFiles::Caption() const {
    return (calc_.tape_changed() ? "*" : "") + shown_title_ + " - " + kProgramTitle;
}

void TapeFiles::RefreshCaption() {
    std::string caption = Caption();
    if (caption == caption_shown_) return;
    caption_shown_ = std::move(caption);
    caption_.SetCaption(caption_shown_);
}

Answer TapeFiles::AskSaveChanges(bool feeds) {
    std::string text = TapeFileName.empty()
                           ? "Do you want to save the changes you made to your existing tape ?\n\n"
                           : "Do you want to save the changes you made to " + TapeFileTitle + " ?" +
                                 (feeds ? "\n\n" : "");
    return Tell(text, Buttons::kYesNoCancel, Icon::kInformation, Answer::kYes);
}

TapeFiles::Offer TapeFiles::OfferToSave(bool feeds, bool for_question) {
    if (!calc_.tape_changed()) return Offer::kNothingAsked;
    switch (AskSaveChanges(feeds)) {
        case Answer::kCancel:
            return Offer::kCancelled;
        case Answer::kYes:
            break;
        default:
            return Offer::kDeclined;
    }
    QuerySave = for_question;
    const SaveResult result = SaveTapeAs();
    QuerySave = false;
    switch (result) {
        case SaveResult::kSaved:
            return Offer::kSaved;
        case SaveResult::kCancelled:
            return Offer::kDialogCancelled;
        case SaveResult::kFailed:
            break;
    }
    return Offer::kFailed;
}

bool TapeFiles::FileQuery() {
    const Offer offer = OfferToSave(true, true);
    return offer == Offer::kNothingAsked || offer == Offer::kSaved ||
           offer == Offer::kDialogCancelled;
}

// Whether the tape may now be closed or replaced: it was saved, or the user chose not
// to save it. A Cancel, a Save As dialog cancelled after a Yes, or a save that failed
// keeps the tape, since going on would lose it.
bool TapeFiles::MayDiscard(Offer offer) {
    return offer == Offer::kNothingAsked || offer == Offer::kSaved || offer == Offer::kDeclined;
}

bool TapeFiles::QueryClose() {
    return MayDiscard(OfferToSave(true, true));
}

bool TapeFiles::NewTape() {
    if (!MayDiscard(OfferToSave(false, false))) return false;
    StartNewTape();
    return true;
}

void TapeFiles::StartNewTape() {
    TapeFileName.clear();
    TapeFileTitle.clear();
    calc_.BuildNewTape(false);
    SetTitle(kNewTapeTitle);
}

bool TapeFiles::SaveTape() {
    if (TapeFileName.empty()) return SaveTapeAs() == SaveResult::kSaved;
    const bool written = WriteTape(TapeFileName);
    RefreshCaption();
    return written;
}

SaveResult TapeFiles::SaveTapeAs() {
    // The name the dialog proposes; the tape's own name changes only once the file
    // is written, so that neither a declined replace nor a failed write leaves a
    // later Save aimed at a file that does not hold this tape.
    std::string proposed = TapeFileName.empty() ? kNewTapeFileName : TapeFileName;
    for (;;) {
        std::optional<FileChoice> choice = dialogs_.ChooseSave(kSaveDialogTitle, proposed);
        if (!choice || choice->path.empty()) return SaveResult::kCancelled;
        std::string name = choice->path;
        if (!HasAddExtension(name)) name += ".add";
        // Under the save-changes question only the tape's own file is replaced without
        // asking: another file the user picks there is never overwritten unasked.
        const bool own_file = QuerySave && name == TapeFileName;
        if (!own_file && files_.KindOf(name) == FileKind::kFile) {
            Answer answer = Tell("A file named " + choice->title + " already exists.\n\n" +
                                     "Do you wish to replace the existing file?",
                                 Buttons::kYesNo, Icon::kExclamation, Answer::kNo);
            if (answer != Answer::kYes) {
                proposed = name;
                continue;
            }
        }
        if (!WriteTape(name)) return SaveResult::kFailed;
        TapeFileName = name;
        TapeFileTitle = choice->title;
        SetTitle(FileTitleOf(name));
        return SaveResult::kSaved;
    }
}

bool TapeFiles::WriteTape(const std::string& path) {
    std::string reason;
    bool written = false;
    {
        BusyPointer busy(*this);
        written = files_.Write(path, EncodeTape(calc_.tape().lines()), &reason);
    }
    if (!written) {
        Tell(CannotSaveText(FileTitleOf(path), reason), Buttons::kOk, Icon::kExclamation);
        return false;
    }
    calc_.MarkTapeChanged(false);
    ++saves_;
    recent_.Use(path);
    return true;
}

void TapeFiles::Open() {
    for (;;) {
        BusyPointer busy(*this);
        // Whatever the answer, the file is opened; it only decides whether the tape
        // was saved first. A save that failed ends the Open with the tape kept.
        const Offer offer = OfferToSave(true, true);
        if (offer == Offer::kFailed) return;
        std::optional<FileChoice> choice = dialogs_.ChooseOpen(kOpenDialogTitle);
        if (!choice) return;
        if (files_.KindOf(choice->path) == FileKind::kNone) {
            Tell("The file " + choice->title + " does not exist\r\n\r\n" +
                 "Make sure you have specified the correct path and filename.");
            continue;
        }
        // The tape keeps its own name while the file is read, so that a save
        // question on the way names and saves this tape, never the file chosen.
        ReadTapeFile(choice->path, offer == Offer::kDeclined, !IsFreshTape());
        return;
    }
}

void TapeFiles::OpenRecent(const std::string& path) {
    if (files_.KindOf(path) == FileKind::kNone) {
        Tell("The file " + FileTitleOf(path) + " is no longer there (" + path +
                 ").\n\nIt has been taken off the list of recent tapes.",
             Buttons::kOk, Icon::kExclamation);
        recent_.Forget(path);
        return;
    }
    BusyPointer busy(*this);
    const Offer offer = OfferToSave(true, true);
    if (offer == Offer::kFailed) return;
    ReadTapeFile(path, offer == Offer::kDeclined, !IsFreshTape());
}

bool TapeFiles::OpenTapeFile(const std::string& path) {
    return ReadTapeFile(path, false).lines_read;
}

bool TapeFiles::OpenAtStart(const std::string& path) {
    return ReadTapeFile(path, false, !IsFreshTape()).lines_read;
}

bool TapeFiles::RestoreTape(const RecoveredTape& tape) {
    TapeLine first;
    if (tape.records.size() < kRecordSize || !DecodeRecord(tape.records.data(), &first))
        return false;
    Records records(tape.records);
    calc_.TakeLines(records, LinesPlaced::kInPlaceOfTape);
    TapeFileName = tape.file_name;
    TapeFileTitle = tape.file_name.empty() ? std::string() : FileTitleOf(tape.file_name);
    shown_title_ = tape.title.empty() ? kNewTapeTitle : tape.title;
    calc_.MarkTapeChanged(true);
    RefreshCaption();
    return true;
}

bool TapeFiles::IsFreshTape() const {
    if (calc_.tape_changed() || !TapeFileName.empty()) return false;
    const std::vector<TapeLine>& tape = calc_.tape().lines();
    const char fresh[] = {op::kRule, op::kTotal, op::kRule, op::kOpen};
    return tape.size() == std::size(fresh) &&
           std::equal(tape.begin(), tape.end(), std::begin(fresh),
                      [](const TapeLine& line, char kind) { return line.Op == kind; });
}

TapeFiles::Opened TapeFiles::ReadTapeFile(const std::string& path, bool declined_saving,
                                          bool ask_append) {
    BusyPointer busy(*this);
    const std::string title = FileTitleOf(path);
    // One record more than a tape holds is enough to tell a file that is too long.
    // A path that names nothing has no data; anything else that cannot be read (a
    // folder, a pipe, a loop of links, a file one may not read) is named with the reason.
    std::string reason;
    std::optional<std::string> bytes =
        files_.Read(path, static_cast<std::size_t>(kMaxLines + 1) * kRecordSize, &reason);
    if (!bytes && reason == kNoSuchFileReason) {
        Tell(kNoDataText);
        return {};
    }
    if (!bytes) {
        Tell(CannotOpenText(title, reason), Buttons::kOk, Icon::kExclamation);
        return {};
    }
    if (RecordCount(bytes->size()) < 1) {
        Tell(kNoDataText);
        return {};
    }
    // A file without one good record would leave nothing of either tape.
    TapeLine first;
    if (!DecodeRecord(bytes->data(), &first)) {
        Tell(kCorruptedText, Buttons::kOk, Icon::kCritical);
        return {};
    }
    Opened opened;
    const Answer answer =
        ask_append ? Tell(kAppendQuestion, Buttons::kYesNoCancel, Icon::kNone, Answer::kYes)
                   : Answer::kNo;
    switch (answer) {
        case Answer::kYes:
            opened.appended = true;
            break;
        case Answer::kNo:
            if (!declined_saving && !MayDiscard(OfferToSave(false, false))) return {};
            StartNewTape();
            break;
        default:
            return {};
    }
    Records records(*bytes);
    const LinesTaken taken = calc_.TakeLines(
        records, opened.appended ? LinesPlaced::kAfterTape : LinesPlaced::kInPlaceOfTape);
    const bool corrupted = taken.damaged;
    const bool too_long = taken.too_long;
    if (corrupted) Tell(kCorruptedText, Buttons::kOk, Icon::kCritical);
    if (too_long && !corrupted) Tell(kTooLongText, Buttons::kOk, Icon::kExclamation);
    opened.lines_read = true;
    opened.whole = !corrupted && !too_long;
    recent_.Use(path);
    if (!opened.appended) {
        // Read whole, the tape is its file: Save writes it back there. A file read only
        // in part is shown by its name, but a later Save asks where to write, so that
        // it cannot cut off what could not be read.
        if (opened.whole) {
            TapeFileName = path;
            TapeFileTitle = title;
        }
        shown_title_ = title;
    }
    // Saving over a file read in part would cut off what could not be read.
    if (!opened.whole && TapeFileName == path) {
        TapeFileName.clear();
        TapeFileTitle.clear();
    }
    // Whatever no file holds whole is a change to save: an append (the tape's own
    // file does not hold the lines appended) or a file read in part.
    if (opened.whole && !opened.appended) {
        calc_.MarkTapeChanged(false);
    } else {
        calc_.MarkTapeChanged(true);
    }
    RefreshCaption();
    return opened;
}

}  // namespace tallymar
