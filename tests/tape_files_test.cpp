// New, Open, Save and Save As on a started tape: the questions and messages on
// the way, the caption, what lands in the file and what lands on the tape.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "engine/calc.h"
#include "files/std_file_system.h"
#include "files/tape_file.h"
#include "files/tape_files.h"

namespace tallymar {
namespace {

// Message boxes take queued answers, else their default button; sounds are counted.
struct FakePorts : Dialogs, Desktop, WavePlayer {
    std::deque<Answer> answers;
    std::vector<Message> messages;
    int waves = 0;
    Answer ShowMessage(const Message& message) override {
        messages.push_back(message);
        if (answers.empty()) return message.default_answer;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowSoundsDialog() override {}
    void Beep() override {}
    void SetClipboardText(const std::string&) override {}
    void Repaint() override {}
    void DoEvents() override {}
    void PlayWave(const std::string&) override { ++waves; }
};

// File dialogs answer with queued paths (none = Cancel) and remember what they proposed.
struct FakeFileDialogs : FileDialogs {
    std::deque<std::optional<std::string>> paths;
    std::vector<std::string> shown;  // "title|proposed name"
    std::optional<FileChoice> Next(const std::string& shown_as) {
        shown.push_back(shown_as);
        if (paths.empty() || !paths.front()) {
            if (!paths.empty()) paths.pop_front();
            return std::nullopt;
        }
        std::string path = *paths.front();
        paths.pop_front();
        return FileChoice{path, FileTitleOf(path)};
    }
    std::optional<FileChoice> ChooseOpen(const std::string& title) override { return Next(title); }
    std::optional<FileChoice> ChooseSave(const std::string& title,
                                         const std::string& name) override {
        return Next(title + "|" + name);
    }
};

// Files in memory. Other kinds of things (folders, pipes) and files that cannot be
// read can be put at paths; writes can be made to fail, with the system's reason.
struct MemoryFiles : FileSystem {
    std::map<std::string, std::string> files;
    std::map<std::string, FileKind> others;
    std::map<std::string, std::string> unreadable;  // path -> why it cannot be read
    std::string write_failure;                      // why every write fails; "" for none
    std::vector<std::string> written;               // the paths written, in order
    FileKind KindOf(const std::string& path) override {
        if (others.count(path)) return others[path];
        return files.count(path) ? FileKind::kFile : FileKind::kNone;
    }
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes,
                                    std::string* reason) override {
        if (unreadable.count(path)) {
            *reason = unreadable[path];
            return std::nullopt;
        }
        if (!files.count(path)) {
            *reason = "No such file or directory";
            return std::nullopt;
        }
        return files[path].substr(0, max_bytes);
    }
    bool Write(const std::string& path, const std::string& bytes, std::string* reason) override {
        if (!write_failure.empty()) {
            *reason = write_failure;
            return false;
        }
        files[path] = bytes;
        written.push_back(path);
        return true;
    }
};

struct FakeCaption : CaptionPort {
    std::string caption = "Tallymar - Tape1";
    void SetCaption(const std::string& text) override { caption = text; }
};

// A started tape window of `rows` rows with its tape files.
struct Desk {
    explicit Desk(int rows = 40) { calc.Start(rows); }
    FakePorts ports;
    FakeFileDialogs dialogs;
    MemoryFiles disk;
    FakeCaption caption;
    Calc calc{Ports{ports, ports, ports}};
    TapeFiles files{calc, dialogs, disk, caption};

    void Type(const std::string& keys) {
        for (char key : keys) {
            calc.KeyDown(calc.focus_row(), 0, shift::kNone);
            calc.KeyPress(calc.focus_row(), static_cast<unsigned char>(key));
        }
    }
    std::string Ops() const {
        std::string ops;
        for (const TapeLine& line : calc.tape()) ops += line.Op;
        return ops;
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const Message& m : ports.messages) texts.push_back(m.text);
        ports.messages.clear();
        return texts;
    }
};

const std::string kSaveDialog = "Save Tallymar File As|";
const std::string kAskAppend = "Do you wish to append the file to the existing tape?";
const std::string kAskSaveTape =
    "Do you want to save the changes you made to your existing tape ?\n\n";
const std::string kNewTapeOps = "HTHB";

// A file of `count` "+" records of 1 to count, with the open line last when asked.
std::string AmountsFile(int count, bool open_line_last = false) {
    std::vector<TapeLine> lines(count);
    for (int i = 0; i < count; ++i) lines[i].Op = '+', lines[i].Amount = i + 1;
    if (open_line_last) lines.back() = TapeLine{};
    return EncodeTape(lines);
}

// ---- the save-changes question ----

TEST(SaveChangesQuestion, reads_as_each_operation_words_it_and_offers_yes_no_cancel) {
    using Asks = bool (TapeFiles::*)();
    const struct {
        const char* name;
        Asks operation;
        bool has_file;
        std::string expected;
    } cases[] = {
        {"new", &TapeFiles::NewTape, false, kAskSaveTape},
        {"new", &TapeFiles::NewTape, true, "Do you want to save the changes you made to t.add ?"},
        {"query", &TapeFiles::FileQuery, false, kAskSaveTape},
        {"query", &TapeFiles::FileQuery, true,
         "Do you want to save the changes you made to t.add ?\n\n"},
        {"close", &TapeFiles::QueryClose, false, kAskSaveTape},
        {"close", &TapeFiles::QueryClose, true,
         "Do you want to save the changes you made to t.add ?\n\n"},
    };
    for (const auto& c : cases) {
        Desk desk;
        if (c.has_file) desk.files.TapeFileName = "/d/t.add", desk.files.TapeFileTitle = "t.add";
        desk.Type("5+");
        desk.ports.answers = {Answer::kNo};
        (desk.files.*c.operation)();
        ASSERT_EQ(desk.ports.messages.size(), 1u) << c.name;
        const Message& m = desk.ports.messages[0];
        EXPECT_EQ(m.text, c.expected) << c.name;
        EXPECT_EQ(m.title, "Tallymar");
        EXPECT_EQ(m.buttons, Buttons::kYesNoCancel);
        EXPECT_EQ(m.icon, Icon::kInformation);
    }
}

TEST(SaveChangesQuestion, is_not_asked_of_an_unchanged_tape) {
    Desk desk;
    EXPECT_TRUE(desk.files.FileQuery());
    EXPECT_TRUE(desk.files.QueryClose());
    EXPECT_TRUE(desk.files.NewTape());
    EXPECT_TRUE(desk.ports.messages.empty());
}

TEST(ShutDown, closes_unless_cancelled_and_replaces_another_file_only_when_the_user_agrees) {
    const struct {
        std::vector<Answer> answers;  // the save question, then the replace question
        bool closes;
        bool saved;
    } cases[] = {{{Answer::kCancel}, false, false},
                 {{Answer::kNo}, true, false},
                 {{Answer::kYes, Answer::kYes}, true, true},
                 // No to replacing: the dialog comes back and is cancelled, the tape kept.
                 {{Answer::kYes, Answer::kNo}, false, false}};
    for (const auto& c : cases) {
        Desk desk;
        desk.disk.files["/d/old.add"] = "old";
        desk.Type("5+");
        desk.ports.answers.assign(c.answers.begin(), c.answers.end());
        desk.dialogs.paths = {"/d/old.add"};
        EXPECT_EQ(desk.files.QueryClose(), c.closes);
        EXPECT_EQ(desk.ports.messages.size(), c.answers.size());
        EXPECT_EQ(desk.disk.files["/d/old.add"] != "old", c.saved);
        EXPECT_FALSE(desk.files.QuerySave);
    }
    Desk cancelled_dialog;
    cancelled_dialog.Type("5+");
    cancelled_dialog.ports.answers = {Answer::kYes};
    EXPECT_FALSE(cancelled_dialog.files.QueryClose());
    EXPECT_EQ(cancelled_dialog.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
    EXPECT_TRUE(cancelled_dialog.calc.tape_changed());
}

TEST(ShutDown, saves_over_the_tape_s_own_file_without_the_replace_question) {
    Desk desk;
    desk.disk.files["/d/own.add"] = "old";
    desk.files.TapeFileName = "/d/own.add";
    desk.files.TapeFileTitle = "own.add";
    desk.Type("5+");
    desk.ports.answers = {Answer::kYes};
    desk.dialogs.paths = {"/d/own.add"};
    EXPECT_TRUE(desk.files.QueryClose());
    EXPECT_EQ(desk.ports.messages.size(), 1u);
    EXPECT_EQ(desk.disk.files["/d/own.add"], EncodeTape(desk.calc.tape()));
}

// ---- New ----

TEST(NewTape, cancel_keeps_the_tape_and_yes_or_no_start_a_new_one_spoken_aloud) {
    const struct {
        Answer answer;
        std::string ops;
        std::size_t dialogs;
    } cases[] = {{Answer::kCancel, "HTH+B", 0},
                 {Answer::kNo, kNewTapeOps, 0},
                 // Yes, then the Save As dialog cancelled: the tape is kept.
                 {Answer::kYes, "HTH+B", 1}};
    for (const auto& c : cases) {
        Desk desk;
        desk.calc.SetCallInputCharacter("Grunk");
        desk.files.TapeFileName = "/d/t.add";
        desk.caption.caption = "Tallymar - t.add";
        desk.Type("5+");
        desk.ports.waves = 0;
        desk.ports.answers = {c.answer};
        desk.files.NewTape();
        EXPECT_EQ(desk.Ops(), c.ops);
        EXPECT_EQ(desk.dialogs.shown.size(), c.dialogs);  // Save As, then cancelled
        if (c.answer != Answer::kNo) continue;
        EXPECT_EQ(desk.caption.caption, "Tallymar - Tape1");
        EXPECT_EQ(desk.files.TapeFileName, "");
        EXPECT_FALSE(desk.calc.tape_changed());
        EXPECT_GT(desk.ports.waves, 0);  // the zero total is spoken
    }
}

// ---- Save and Save As ----

TEST(SaveAs, appends_add_unless_the_name_ends_in_it_in_any_case) {
    const std::pair<const char*, const char*> names[] = {
        {"/d/sums", "/d/sums.add"},           {"/d/sums.ADD", "/d/sums.ADD"},
        {"/d/sums.Add", "/d/sums.Add"},       {"/d/sums.txt", "/d/sums.txt.add"},
        {"/d/sums.adds", "/d/sums.adds.add"}, {"/d/x.add", "/d/x.add"},
    };
    for (auto [chosen, written] : names) {
        Desk desk;
        desk.Type("5+");
        desk.dialogs.paths = {chosen};
        desk.files.SaveTapeAs();
        EXPECT_EQ(desk.files.TapeFileName, written);
        EXPECT_EQ(desk.files.TapeFileTitle, FileTitleOf(chosen));
        EXPECT_EQ(desk.caption.caption, "Tallymar - " + FileTitleOf(chosen));
        EXPECT_TRUE(desk.disk.files.count(written)) << chosen;
        EXPECT_FALSE(desk.calc.tape_changed());
    }
}

TEST(SaveAs, a_new_tape_saved_at_once_gives_its_four_records) {
    Desk desk;
    desk.dialogs.paths = {"/d/new.add"};
    desk.files.SaveTapeAs();
    EXPECT_EQ(desk.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
    EXPECT_EQ(desk.disk.files["/d/new.add"], EncodeTape(desk.calc.tape()));
    EXPECT_EQ(desk.disk.files["/d/new.add"].size(), 120u);
}

TEST(SaveAs, over_an_existing_file_asks_with_no_as_default_and_no_chooses_again) {
    Desk desk;
    desk.disk.files["/d/old.add"] = AmountsFile(50);
    desk.Type("5+");
    desk.dialogs.paths = {"/d/old", std::nullopt};
    desk.files.SaveTapeAs();
    ASSERT_EQ(desk.ports.messages.size(), 1u);
    const Message& m = desk.ports.messages[0];
    EXPECT_EQ(m.text,
              "A file named old already exists.\n\nDo you wish to replace the existing file?");
    EXPECT_EQ(m.buttons, Buttons::kYesNo);
    EXPECT_EQ(m.icon, Icon::kExclamation);
    EXPECT_EQ(m.default_answer, Answer::kNo);
    EXPECT_EQ(desk.dialogs.shown,
              (std::vector<std::string>{kSaveDialog + "Tape1.add", kSaveDialog + "/d/old.add"}));
    EXPECT_EQ(desk.disk.files["/d/old.add"], AmountsFile(50));
    // Declined, the old file is not where a later Save goes either.
    EXPECT_EQ(desk.files.TapeFileName, "");
    EXPECT_TRUE(desk.calc.tape_changed());

    desk.ports.answers = {Answer::kYes};
    desk.dialogs.paths = {"/d/old.add"};
    desk.files.SaveTapeAs();
    // A short tape over a longer file leaves exactly the short tape's records.
    EXPECT_EQ(desk.disk.files["/d/old.add"], EncodeTape(desk.calc.tape()));
}

TEST(Save, writes_to_the_current_file_without_asking_or_asks_for_a_name) {
    Desk desk;
    desk.Type("5+");
    desk.files.SaveTape();
    EXPECT_EQ(desk.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
    EXPECT_TRUE(desk.calc.tape_changed());
    desk.files.TapeFileName = "/d/t.add";
    desk.disk.files["/d/t.add"] = "old";
    desk.files.SaveTape();
    EXPECT_EQ(desk.dialogs.shown.size(), 1u);
    EXPECT_TRUE(desk.ports.messages.empty());
    EXPECT_EQ(desk.disk.files["/d/t.add"], EncodeTape(desk.calc.tape()));
    EXPECT_FALSE(desk.calc.tape_changed());
}

// ---- a save that fails ----

// Each way a save can be asked for, on a changed tape named /d/week.add when
// `named`; returns whether the operation went on as if saved.
struct SaveRoute {
    const char* name;
    bool named;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> paths;
    bool (*run)(TapeFiles& files);
};

const SaveRoute kSaveRoutes[] = {
    {"Save", true, {}, {}, [](TapeFiles& f) { return f.SaveTape(); }},
    {"Save As",
     false,
     {},
     {"/d/new.add"},
     [](TapeFiles& f) { return f.SaveTapeAs() == SaveResult::kSaved; }},
    {"closing, Yes",
     false,
     {Answer::kYes},
     {"/d/new.add"},
     [](TapeFiles& f) { return f.QueryClose(); }},
    {"New, Yes", true, {Answer::kYes}, {"/d/new.add"}, [](TapeFiles& f) { return f.NewTape(); }},
    {"Open, Yes",
     false,
     {Answer::kYes},
     {"/d/new.add", "/d/other.add"},
     [](TapeFiles& f) {
         f.Open();
         return f.TapeFileName == "/d/other.add";  // appended, the append question's default
     }},
    {"opening with replace, Yes",
     true,
     {Answer::kNo, Answer::kYes},
     {"/d/new.add"},
     [](TapeFiles& f) { return f.OpenTapeFile("/d/other.add"); }},
};

TEST(SaveThatFails, says_why_and_keeps_the_tape_its_name_and_caption_and_stops_the_operation) {
    for (const SaveRoute& route : kSaveRoutes) {
        Desk desk;
        desk.disk.files["/d/week.add"] = "old";
        desk.disk.files["/d/other.add"] = AmountsFile(3);
        if (route.named) {
            desk.files.TapeFileName = "/d/week.add";
            desk.files.TapeFileTitle = "week.add";
            desk.caption.caption = "Tallymar - week.add";
        }
        const std::string name_before = desk.files.TapeFileName;
        const std::string caption_before = desk.caption.caption;
        desk.Type("5+");
        desk.disk.write_failure = "No space left on device";
        desk.ports.answers = route.answers;
        desk.dialogs.paths = route.paths;
        const bool went_on = route.run(desk.files);

        EXPECT_FALSE(went_on) << route.name;
        const std::string written = route.named && route.answers.empty() ? "week.add" : "new.add";
        const std::vector<std::string> texts = desk.Texts();
        ASSERT_FALSE(texts.empty()) << route.name;
        EXPECT_EQ(texts.back(), "Tallymar could not save " + written + ": No space left on device")
            << route.name;
        EXPECT_EQ(desk.Ops(), "HTH+B") << route.name;
        EXPECT_TRUE(desk.calc.tape_changed()) << route.name;
        EXPECT_EQ(desk.files.TapeFileName, name_before) << route.name;
        EXPECT_EQ(desk.caption.caption, caption_before) << route.name;
        EXPECT_EQ(desk.disk.files["/d/week.add"], "old") << route.name;
        // Open stopped before its own dialog: only the Save As dialog was shown.
        if (std::string(route.name) == "Open, Yes") {
            EXPECT_EQ(desk.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
        }
    }
}

TEST(SaveThatFails, leaves_the_message_box_an_exclamation_with_only_ok) {
    Desk desk;
    desk.files.TapeFileName = "/d/week.add";
    desk.disk.write_failure = "Permission denied";
    desk.Type("5+");
    EXPECT_FALSE(desk.files.SaveTape());
    ASSERT_EQ(desk.ports.messages.size(), 1u);
    EXPECT_EQ(desk.ports.messages[0].title, "Tallymar");
    EXPECT_EQ(desk.ports.messages[0].buttons, Buttons::kOk);
    EXPECT_EQ(desk.ports.messages[0].icon, Icon::kExclamation);
    // Saved again once the disk takes it, the tape is saved.
    desk.disk.write_failure.clear();
    EXPECT_TRUE(desk.files.SaveTape());
    EXPECT_FALSE(desk.calc.tape_changed());
}

TEST(FileQuery, saving_for_the_question_asks_before_replacing_another_file) {
    Desk desk;
    desk.disk.files["/d/old.add"] = "old";
    desk.Type("5+");
    desk.ports.answers = {Answer::kYes, Answer::kYes};
    desk.dialogs.paths = {"/d/old.add"};
    EXPECT_TRUE(desk.files.FileQuery());
    const std::vector<std::string> texts = desk.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], kAskSaveTape);
    EXPECT_EQ(desk.disk.files["/d/old.add"], EncodeTape(desk.calc.tape()));
    desk.Type("6+");
    desk.ports.answers = {Answer::kCancel};
    EXPECT_FALSE(desk.files.FileQuery());
}

// ---- Open ----

TEST(OpenTapeFile, an_empty_short_or_missing_file_says_there_is_no_data) {
    for (const char* path : {"/d/empty.add", "/d/short.add", "/d/none.add"}) {
        Desk desk;
        desk.disk.files["/d/empty.add"] = "";
        desk.disk.files["/d/short.add"] = AmountsFile(1).substr(0, 29);
        desk.Type("5+");
        EXPECT_FALSE(desk.files.OpenTapeFile(path));
        EXPECT_EQ(desk.Texts(), std::vector<std::string>{kNoDataText});
        EXPECT_EQ(desk.Ops(), "HTH+B");
        EXPECT_TRUE(desk.calc.tape_changed());
    }
}

TEST(OpenTapeFile, replacing_takes_the_whole_records_and_names_the_file_in_the_caption) {
    Desk desk;
    desk.disk.files["/d/sums.add"] = AmountsFile(4, true) + "123";  // 123 bytes: 4 records
    desk.Type("5+");
    desk.ports.answers = {Answer::kNo, Answer::kNo};  // replace; do not save the old tape
    EXPECT_TRUE(desk.files.OpenTapeFile("/d/sums.add"));
    EXPECT_EQ(desk.Texts(), (std::vector<std::string>{kAskAppend, kAskSaveTape}));
    // The file's own open line stays as an empty line before the new open line.
    EXPECT_EQ(desk.Ops(), "+++BB");
    EXPECT_EQ(desk.calc.tape()[2].Amount, 3);
    EXPECT_EQ(desk.caption.caption, "Tallymar-sums.add");
    EXPECT_EQ(desk.files.TapeFileName, "");
    EXPECT_FALSE(desk.calc.tape_changed());
    EXPECT_EQ(desk.calc.accumulator(), 0);
    EXPECT_EQ(desk.calc.cur_line(), 4);
    EXPECT_EQ(desk.calc.focus_row(), 4);
}

TEST(OpenTapeFile, appending_overwrites_the_open_line_and_leaves_the_rest_as_it_was) {
    Desk desk;
    desk.disk.files["/d/sums.add"] = AmountsFile(2);
    desk.caption.caption = "Tallymar - mine.add";
    desk.Type("5+");
    EXPECT_TRUE(desk.files.OpenTapeFile("/d/sums.add"));  // Yes, the default, appends
    EXPECT_EQ(desk.Ops(), "HTH+++B");
    EXPECT_EQ(desk.calc.tape()[4].Amount, 1);
    EXPECT_EQ(desk.calc.accumulator(), 5);
    EXPECT_EQ(desk.caption.caption, "Tallymar - mine.add");
    EXPECT_FALSE(desk.calc.tape_changed());
}

TEST(OpenTapeFile, cancelled_changes_nothing) {
    for (auto answers :
         {std::deque<Answer>{Answer::kCancel}, std::deque<Answer>{Answer::kNo, Answer::kCancel}}) {
        Desk desk;
        desk.disk.files["/d/sums.add"] = AmountsFile(2);
        desk.Type("5+");
        desk.ports.answers = answers;
        EXPECT_FALSE(desk.files.OpenTapeFile("/d/sums.add"));
        EXPECT_EQ(desk.Ops(), "HTH+B");
        EXPECT_TRUE(desk.calc.tape_changed());
        EXPECT_EQ(desk.caption.caption, "Tallymar - Tape1");
    }
}

TEST(OpenTapeFile, stops_at_a_bad_signature_keeping_the_records_before_it) {
    std::string file = AmountsFile(5);
    file[2 * kRecordSize] = 0x77;  // the third record's signature: 631
    Desk desk;
    desk.disk.files["/d/bad.add"] = file;
    desk.ports.answers = {Answer::kNo};
    desk.files.OpenTapeFile("/d/bad.add");
    ASSERT_EQ(desk.ports.messages.size(), 2u);
    EXPECT_EQ(desk.ports.messages[1].text, kCorruptedText);
    EXPECT_EQ(desk.ports.messages[1].icon, Icon::kCritical);
    EXPECT_EQ(desk.Ops(), "++B");

    // A file whose first record is bad asks nothing and leaves the tape alone.
    Desk first;
    first.disk.files["/d/bad.add"] = file.substr(2 * kRecordSize);
    first.Type("5+");
    EXPECT_FALSE(first.files.OpenTapeFile("/d/bad.add"));
    EXPECT_EQ(first.Texts(), std::vector<std::string>{kCorruptedText});
    EXPECT_EQ(first.Ops(), "HTH+B");
}

TEST(OpenTapeFile, shows_the_end_of_a_long_tape_with_the_focus_on_the_open_line) {
    Desk desk(40);
    desk.disk.files["/d/long.add"] = AmountsFile(100);
    desk.ports.answers = {Answer::kNo};
    desk.files.OpenTapeFile("/d/long.add");
    EXPECT_EQ(desk.calc.UpperBound(), 100);
    EXPECT_EQ(desk.calc.top_line(), 61);
    EXPECT_EQ(desk.calc.last_row(), 39);
    EXPECT_EQ(desk.calc.focus_row(), 39);
    EXPECT_EQ(desk.calc.cur_line(), 100);
    EXPECT_EQ(desk.calc.rows()[38].text, "100");
    EXPECT_EQ(desk.calc.scroll_max(), 61);  // its end shows the open line
}

TEST(OpenTapeFile, reads_a_file_longer_than_a_tape_up_to_the_limit_and_says_so) {
    const struct {
        const char* name;
        std::string file;
        bool append;
        double last_amount;  // of the last line read, just above the open line
        bool too_long;
    } cases[] = {
        {"longer", AmountsFile(kMaxLines + 10), false, kMaxLines - 1, true},
        {"appended", AmountsFile(kMaxLines - 3), true, kMaxLines - 4, true},
        {"a full tape saved", AmountsFile(kMaxLines, true), false, kMaxLines - 1, false},
    };
    for (const auto& c : cases) {
        Desk desk;
        desk.disk.files["/d/big.add"] = c.file;
        desk.ports.answers = {c.append ? Answer::kYes : Answer::kNo};
        desk.files.OpenTapeFile("/d/big.add");
        EXPECT_EQ(desk.calc.tape().size(), static_cast<std::size_t>(kMaxLines)) << c.name;
        EXPECT_EQ(desk.calc.tape().back().Op, op::kOpen) << c.name;
        EXPECT_EQ(desk.calc.tape()[kMaxLines - 2].Amount, c.last_amount) << c.name;
        EXPECT_EQ(desk.ports.messages.back().text == kTooLongText, c.too_long) << c.name;
        EXPECT_EQ(desk.ports.messages.back().icon, c.too_long ? Icon::kExclamation : Icon::kNone);
        EXPECT_FALSE(desk.calc.tape_changed()) << c.name;
    }
}

TEST(OpenTapeFile, shows_amounts_that_are_not_finite_as_overflow) {
    std::vector<TapeLine> lines(3);
    lines[0].Op = '+', lines[0].Amount = std::nan("");
    lines[1].Op = '-', lines[1].Amount = -INFINITY;
    lines[2].Op = 'T', lines[2].Amount = INFINITY, lines[2].Decimals = 999;
    Desk desk;
    desk.disk.files["/d/odd.add"] = EncodeTape(lines);
    desk.ports.answers = {Answer::kNo};
    desk.files.OpenTapeFile("/d/odd.add");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(desk.calc.ShownText(i), "Overflow") << i;
    EXPECT_EQ(desk.calc.rows()[0].text, "Overflow");
}

TEST(Open, asks_again_for_a_file_that_does_not_exist) {
    Desk desk;
    desk.Type("5+");
    desk.disk.files["/d/sums.add"] = AmountsFile(2);
    desk.ports.answers = {Answer::kNo, Answer::kOk, Answer::kNo, Answer::kYes};
    desk.dialogs.paths = {"/d/gone.add", "/d/sums.add"};
    desk.files.Open();
    EXPECT_EQ(desk.Texts(), (std::vector<std::string>{
                                kAskSaveTape,
                                "The file gone.add does not exist\r\n\r\n"
                                "Make sure you have specified the correct path and filename.",
                                kAskSaveTape, kAskAppend}));
    EXPECT_EQ(desk.dialogs.shown, (std::vector<std::string>{kOpenDialogTitle, kOpenDialogTitle}));
    // Appended: Save now writes the combined tape into the opened file.
    EXPECT_EQ(desk.files.TapeFileName, "/d/sums.add");
    EXPECT_EQ(desk.Ops(), "HTH+++B");
}

TEST(Open, of_a_file_that_was_not_read_keeps_the_tape_s_own_file_name) {
    Desk desk;
    desk.files.TapeFileName = "/d/mine.add";
    desk.disk.files["/d/other.add"] = AmountsFile(2);
    desk.ports.answers = {Answer::kCancel};
    desk.dialogs.paths = {"/d/other.add"};
    desk.files.Open();
    EXPECT_EQ(desk.files.TapeFileName, "/d/mine.add");
    desk.dialogs.paths = {std::nullopt};
    desk.files.Open();
    EXPECT_EQ(desk.Ops(), kNewTapeOps);
}

TEST(Open, with_replace_after_a_no_never_asks_again_nor_writes_the_file_being_opened) {
    Desk desk;
    desk.disk.files["/d/week.add"] = AmountsFile(3);
    desk.Type("5+");
    // No to saving the tape, the file chosen, No to appending: the tape is replaced.
    desk.ports.answers = {Answer::kNo, Answer::kNo, Answer::kYes, Answer::kYes};
    desk.dialogs.paths = {"/d/week.add", "/d/week.add"};
    desk.files.Open();
    EXPECT_EQ(desk.Texts(), (std::vector<std::string>{kAskSaveTape, kAskAppend}));
    EXPECT_TRUE(desk.disk.written.empty());
    EXPECT_EQ(desk.disk.files["/d/week.add"], AmountsFile(3));
    EXPECT_EQ(desk.Ops(), "+++B");
    EXPECT_EQ(desk.caption.caption, "Tallymar-week.add");
}

TEST(Open, with_replace_asks_to_save_the_tape_being_replaced_under_its_own_name) {
    const struct {
        const char* name;
        bool own_file;
        std::string question;
        std::string proposed;
    } cases[] = {
        {"a tape with a file", true, "Do you want to save the changes you made to mine.add ?",
         "/d/mine.add"},
        {"a tape without one", false, kAskSaveTape, "Tape1.add"},
    };
    for (const auto& c : cases) {
        Desk desk;
        desk.disk.files["/d/week.add"] = AmountsFile(3);
        if (c.own_file)
            desk.files.TapeFileName = "/d/mine.add", desk.files.TapeFileTitle = "mine.add";
        desk.Type("5+");
        const std::string tape = EncodeTape(desk.calc.tape());
        // Cancel at the first question decides nothing: it comes again before the
        // tape is replaced, and Yes there saves this tape where it belongs.
        desk.ports.answers = {Answer::kCancel, Answer::kNo, Answer::kYes};
        desk.dialogs.paths = {"/d/week.add", "/d/saved.add"};
        desk.files.Open();
        const std::vector<std::string> texts = desk.Texts();
        ASSERT_EQ(texts.size(), 3u) << c.name;
        EXPECT_EQ(texts[2], c.question) << c.name;
        EXPECT_EQ(desk.dialogs.shown.back(), kSaveDialog + c.proposed) << c.name;
        EXPECT_EQ(desk.disk.written, std::vector<std::string>{"/d/saved.add"}) << c.name;
        EXPECT_EQ(desk.disk.files["/d/saved.add"], tape) << c.name;
        EXPECT_EQ(desk.disk.files["/d/week.add"], AmountsFile(3)) << c.name;
        EXPECT_EQ(desk.Ops(), "+++B") << c.name;
    }
}

TEST(Open, of_a_missing_file_keeps_the_tape_s_own_name_for_the_next_question) {
    Desk desk;
    desk.files.TapeFileName = "/d/mine.add";
    desk.files.TapeFileTitle = "mine.add";
    desk.Type("5+");
    desk.ports.answers = {Answer::kNo, Answer::kOk, Answer::kCancel};
    desk.dialogs.paths = {"/d/gone.add", std::nullopt};
    desk.files.Open();
    const std::vector<std::string> texts = desk.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], "Do you want to save the changes you made to mine.add ?\n\n");
    EXPECT_EQ(desk.files.TapeFileName, "/d/mine.add");
}

TEST(OpenTapeFile, of_what_cannot_be_read_says_why_at_once_and_keeps_the_tape) {
    const struct {
        const char* name;
        FileKind kind;  // kFile: a file that cannot be read
        std::string text;
    } cases[] = {
        {"unreadable", FileKind::kFile, "Tallymar could not open week.add: Permission denied"},
        {"folder", FileKind::kFolder,
         "Tallymar could not open week.add: it is a folder, not a file"},
        {"pipe", FileKind::kPipe,
         "Tallymar could not open week.add: it is a named pipe, not a file"},
        {"device", FileKind::kDevice,
         "Tallymar could not open week.add: it is a device, not a file"},
    };
    for (const auto& c : cases) {
        for (bool through_open : {false, true}) {
            Desk desk;
            desk.files.TapeFileName = "/d/mine.add";
            desk.files.TapeFileTitle = "mine.add";
            if (c.kind == FileKind::kFile) {
                desk.disk.files["/d/week.add"] = AmountsFile(2);
                desk.disk.unreadable["/d/week.add"] = "Permission denied";
            } else {
                desk.disk.others["/d/week.add"] = c.kind;
            }
            desk.Type("5+");
            desk.ports.answers = {Answer::kNo};
            if (through_open) {
                desk.dialogs.paths = {"/d/week.add"};
                desk.files.Open();
            } else {
                desk.ports.answers.clear();
                EXPECT_FALSE(desk.files.OpenTapeFile("/d/week.add")) << c.name;
            }
            std::vector<std::string> texts = desk.Texts();
            ASSERT_FALSE(texts.empty()) << c.name;
            EXPECT_EQ(texts.back(), c.text) << c.name;
            // No append question, and only one Open dialog: nothing more was asked.
            EXPECT_EQ(texts.size(), through_open ? 2u : 1u) << c.name;
            EXPECT_LE(desk.dialogs.shown.size(), 1u) << c.name;
            EXPECT_EQ(desk.Ops(), "HTH+B") << c.name;
            EXPECT_TRUE(desk.calc.tape_changed()) << c.name;
            EXPECT_EQ(desk.files.TapeFileName, "/d/mine.add") << c.name;
        }
    }
}

// ---- the file system ----

class StdFiles : public ::testing::Test {
  protected:
    // A folder of this test's own: ctest runs the tests side by side.
    std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) /
        ("tape_files_test_" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    StdFileSystem fs;
    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) { return (dir / name).string(); }
    std::size_t Entries() { return std::distance(std::filesystem::directory_iterator(dir), {}); }
};

TEST_F(StdFiles, a_write_replaces_the_whole_file_and_leaves_nothing_beside_it) {
    std::string reason;
    ASSERT_TRUE(fs.Write(Path("t.add"), std::string(300, 'a'), &reason)) << reason;
    ASSERT_TRUE(fs.Write(Path("t.add"), "short", &reason)) << reason;
    EXPECT_EQ(fs.Read(Path("t.add"), 1000, &reason), "short");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(StdFiles, a_write_that_cannot_happen_fails_with_the_reason_and_leaves_what_was_there) {
    std::filesystem::create_directory(dir / "folder.add");
    std::ofstream(Path("plain")) << "x";
    mkfifo(Path("pipe.add").c_str(), 0600);
    const std::pair<std::string, std::string> cases[] = {
        {Path("folder.add"), "it is a folder, not a file"},
        {Path("pipe.add"), "it is a named pipe, not a file"},
        {Path("plain/t.add"), "Not a directory"},
        {Path("missing/t.add"), "No such file or directory"},
        {"", "No such file or directory"},
    };
    for (const auto& [path, why] : cases) {
        std::string reason;
        EXPECT_FALSE(fs.Write(path, "data", &reason)) << path;
        EXPECT_EQ(reason, why) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.add"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.add"));
    EXPECT_EQ(Entries(), 3u);
}

TEST_F(StdFiles, reading_stops_at_the_limit_and_refuses_at_once_what_is_no_regular_file) {
    std::ofstream(Path("t.add"), std::ios::binary) << std::string(100, 'x');
    mkfifo(Path("pipe.add").c_str(), 0600);
    std::string reason;
    EXPECT_EQ(fs.Read(Path("t.add"), 30, &reason)->size(), 30u);
    EXPECT_EQ(fs.Read(Path("t.add"), 1000, &reason)->size(), 100u);
    const struct {
        std::string path;
        FileKind kind;
        std::string why;
    } cases[] = {
        {Path("none.add"), FileKind::kNone, "No such file or directory"},
        {Path("t.add/x.add"), FileKind::kNone, "Not a directory"},
        {dir.string(), FileKind::kFolder, "it is a folder, not a file"},
        {Path("pipe.add"), FileKind::kPipe, "it is a named pipe, not a file"},
        {"/dev/null", FileKind::kDevice, "it is a device, not a file"},
    };
    EXPECT_EQ(fs.KindOf(Path("t.add")), FileKind::kFile);
    for (const auto& c : cases) {
        EXPECT_EQ(fs.KindOf(c.path), c.kind) << c.path;
        // A named pipe without a writer would block here for ever if it were opened.
        EXPECT_FALSE(fs.Read(c.path, 30, &reason)) << c.path;
        EXPECT_EQ(reason, c.why) << c.path;
    }
}

TEST_F(StdFiles, a_write_removes_the_temporaries_saves_of_that_file_left_and_nothing_else) {
    const char* stale[] = {"t.add.0123456789abcdef.tmp", "t.add.fedcba9876543210.tmp"};
    const char* kept[] = {"other.add.0123456789abcdef.tmp", "t.add.0123.tmp",
                          "t.add.0123456789ABCDEF.tmp",     "t.add.0123456789abcdef.tmp.bak",
                          "xt.add.0123456789abcdef.tmp",    "t.add"};
    for (const char* name : stale) std::ofstream(Path(name)) << "half";
    for (const char* name : kept) std::ofstream(Path(name)) << "mine";
    std::filesystem::create_directory(dir / "t.add.aaaaaaaaaaaaaaaa.tmp");
    std::string reason;
    ASSERT_TRUE(fs.Write(Path("t.add"), "tape", &reason)) << reason;
    for (const char* name : stale) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const char* name : kept) EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "t.add.aaaaaaaaaaaaaaaa.tmp"));
    EXPECT_EQ(fs.Read(Path("t.add"), 100, &reason), "tape");
}

TEST(TemporaryNames, are_the_file_name_a_dot_sixteen_hex_digits_and_tmp) {
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {"week.add.00000000deadbeef.tmp", true},
        {"week.add.00000000DEADBEEF.tmp", false},
        {"week.add.00000000deadbee.tmp", false},
        {"week.add.00000000deadbeef0.tmp", false},
        {"week.add-00000000deadbeef.tmp", false},
        {"week.add.00000000deadbeeg.tmp", false},
        {"week.add.00000000deadbeef.txt", false},
        {"Week.add.00000000deadbeef.tmp", false},
        {"week.add", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsTemporaryNameOf(c.name, "week.add"), c.ours) << c.name;
    EXPECT_FALSE(IsTemporaryNameOf(".0123456789abcdef.tmp", ""));
}

// The tape files on the real disk, where even root cannot write: a name that is a
// folder, and a name under a plain file.
TEST_F(StdFiles, a_save_that_the_disk_refuses_keeps_the_tape_at_quit_new_and_open) {
    std::filesystem::create_directory(dir / "folder.add");
    std::ofstream(Path("plain")) << "x";
    std::ofstream(Path("other.add"), std::ios::binary) << AmountsFile(3);
    const std::pair<std::string, std::string> targets[] = {
        {Path("folder.add"), "Tallymar could not save folder.add: it is a folder, not a file"},
        {Path("plain/t.add"), "Tallymar could not save t.add: Not a directory"},
    };
    for (const auto& [target, text] : targets) {
        for (const char* operation : {"quit", "new", "open"}) {
            FakePorts ports;
            FakeFileDialogs dialogs;
            FakeCaption caption;
            Calc calc{Ports{ports, ports, ports}};
            calc.Start(40);
            TapeFiles files{calc, dialogs, fs, caption};
            for (char key : std::string("5+")) calc.KeyPress(calc.focus_row(), key);
            ports.answers = {Answer::kYes};
            dialogs.paths = {target, Path("other.add")};
            const std::string op = operation;
            bool went_on = false;
            if (op == "quit") went_on = files.QueryClose();
            if (op == "new") went_on = files.NewTape();
            if (op == "open") files.Open();
            EXPECT_FALSE(went_on) << operation;
            ASSERT_EQ(ports.messages.size(), 2u) << operation << " " << target;
            EXPECT_EQ(ports.messages[1].text, text);
            EXPECT_TRUE(calc.tape_changed()) << operation;
            EXPECT_EQ(calc.tape().size(), 5u) << operation;
            EXPECT_EQ(calc.tape()[3].Amount, 5) << operation;
            EXPECT_EQ(caption.caption, "Tallymar - Tape1") << operation;
            EXPECT_EQ(files.TapeFileName, "") << operation;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.add"));
}

TEST(FileTitleOf, is_the_text_after_the_last_separator) {
    EXPECT_EQ(FileTitleOf("/home/me/sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("C:\\tapes\\sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("/tapes/"), "");
}

}  // namespace
}  // namespace tallymar
