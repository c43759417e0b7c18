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

struct MemoryFiles : FileSystem {
    std::map<std::string, std::string> files;
    bool fail_writes = false;
    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    std::optional<std::string> Read(const std::string& path, std::size_t max_bytes) override {
        if (!files.count(path)) return std::nullopt;
        return files[path].substr(0, max_bytes);
    }
    bool Write(const std::string& path, const std::string& bytes) override {
        if (fail_writes) return false;
        files[path] = bytes;
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
            calc.KeyDown(calc.focus_row, 0, shift::kNone);
            calc.KeyPress(calc.focus_row, static_cast<unsigned char>(key));
        }
    }
    std::string Ops() const {
        std::string ops;
        for (const TapeLine& line : calc.Tape) ops += line.Op;
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

TEST(ShutDown, closes_unless_cancelled_and_saves_on_yes_even_over_an_existing_file) {
    const struct {
        Answer answer;
        bool closes;
        bool saved;
    } cases[] = {
        {Answer::kCancel, false, false}, {Answer::kNo, true, false}, {Answer::kYes, true, true}};
    for (const auto& c : cases) {
        Desk desk;
        desk.disk.files["/d/old.add"] = "old";
        desk.Type("5+");
        desk.ports.answers = {c.answer};
        desk.dialogs.paths = {"/d/old.add"};
        EXPECT_EQ(desk.files.QueryClose(), c.closes);
        // The save-changes question already asked; no replace question follows.
        EXPECT_EQ(desk.ports.messages.size(), 1u);
        EXPECT_EQ(desk.disk.files["/d/old.add"] != "old", c.saved);
        EXPECT_FALSE(desk.files.QuerySave);
    }
    Desk cancelled_dialog;
    cancelled_dialog.Type("5+");
    cancelled_dialog.ports.answers = {Answer::kYes};
    EXPECT_TRUE(cancelled_dialog.files.QueryClose());
    EXPECT_EQ(cancelled_dialog.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
}

// ---- New ----

TEST(NewTape, cancel_keeps_the_tape_and_yes_or_no_start_a_new_one_spoken_aloud) {
    const struct {
        Answer answer;
        std::string ops;
        std::size_t dialogs;
    } cases[] = {{Answer::kCancel, "HTH+B", 0},
                 {Answer::kNo, kNewTapeOps, 0},
                 {Answer::kYes, kNewTapeOps, 1}};
    for (const auto& c : cases) {
        Desk desk;
        desk.calc.options.CallInputCharacter = "Grunk";
        desk.files.TapeFileName = "/d/t.add";
        desk.caption.caption = "Tallymar - t.add";
        desk.Type("5+");
        desk.ports.waves = 0;
        desk.ports.answers = {c.answer};
        desk.files.NewTape();
        EXPECT_EQ(desk.Ops(), c.ops);
        EXPECT_EQ(desk.dialogs.shown.size(), c.dialogs);  // Save As, then cancelled
        if (c.answer == Answer::kCancel) continue;
        EXPECT_EQ(desk.caption.caption, "Tallymar - Tape1");
        EXPECT_EQ(desk.files.TapeFileName, "");
        EXPECT_FALSE(desk.calc.TapeChanged);
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
        EXPECT_FALSE(desk.calc.TapeChanged);
    }
}

TEST(SaveAs, a_new_tape_saved_at_once_gives_its_four_records) {
    Desk desk;
    desk.dialogs.paths = {"/d/new.add"};
    desk.files.SaveTapeAs();
    EXPECT_EQ(desk.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
    EXPECT_EQ(desk.disk.files["/d/new.add"], EncodeTape(desk.calc.Tape));
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
    EXPECT_TRUE(desk.calc.TapeChanged);

    desk.ports.answers = {Answer::kYes};
    desk.dialogs.paths = {"/d/old.add"};
    desk.files.SaveTapeAs();
    // A short tape over a longer file leaves exactly the short tape's records.
    EXPECT_EQ(desk.disk.files["/d/old.add"], EncodeTape(desk.calc.Tape));
}

TEST(Save, writes_to_the_current_file_without_asking_or_asks_for_a_name) {
    Desk desk;
    desk.Type("5+");
    desk.files.SaveTape();
    EXPECT_EQ(desk.dialogs.shown, std::vector<std::string>{kSaveDialog + "Tape1.add"});
    EXPECT_TRUE(desk.calc.TapeChanged);
    desk.files.TapeFileName = "/d/t.add";
    desk.disk.files["/d/t.add"] = "old";
    desk.files.SaveTape();
    EXPECT_EQ(desk.dialogs.shown.size(), 1u);
    EXPECT_TRUE(desk.ports.messages.empty());
    EXPECT_EQ(desk.disk.files["/d/t.add"], EncodeTape(desk.calc.Tape));
    EXPECT_FALSE(desk.calc.TapeChanged);
}

TEST(Save, that_fails_keeps_the_old_file_and_the_changed_mark) {
    Desk desk;
    desk.files.TapeFileName = "/d/t.add";
    desk.disk.files["/d/t.add"] = "old";
    desk.disk.fail_writes = true;
    desk.Type("5+");
    desk.files.SaveTape();
    EXPECT_TRUE(desk.calc.TapeChanged);
    EXPECT_EQ(desk.disk.files["/d/t.add"], "old");
}

TEST(FileQuery, saving_for_the_question_replaces_an_existing_file_without_asking_again) {
    Desk desk;
    desk.disk.files["/d/old.add"] = "old";
    desk.Type("5+");
    desk.ports.answers = {Answer::kYes};
    desk.dialogs.paths = {"/d/old.add"};
    EXPECT_TRUE(desk.files.FileQuery());
    EXPECT_EQ(desk.Texts(), std::vector<std::string>{kAskSaveTape});
    EXPECT_EQ(desk.disk.files["/d/old.add"], EncodeTape(desk.calc.Tape));
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
        EXPECT_TRUE(desk.calc.TapeChanged);
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
    EXPECT_EQ(desk.calc.Tape[2].Amount, 3);
    EXPECT_EQ(desk.caption.caption, "Tallymar-sums.add");
    EXPECT_EQ(desk.files.TapeFileName, "");
    EXPECT_FALSE(desk.calc.TapeChanged);
    EXPECT_EQ(desk.calc.Accumulator, 0);
    EXPECT_EQ(desk.calc.CurLine, 4);
    EXPECT_EQ(desk.calc.focus_row, 4);
}

TEST(OpenTapeFile, appending_overwrites_the_open_line_and_leaves_the_rest_as_it_was) {
    Desk desk;
    desk.disk.files["/d/sums.add"] = AmountsFile(2);
    desk.caption.caption = "Tallymar - mine.add";
    desk.Type("5+");
    EXPECT_TRUE(desk.files.OpenTapeFile("/d/sums.add"));  // Yes, the default, appends
    EXPECT_EQ(desk.Ops(), "HTH+++B");
    EXPECT_EQ(desk.calc.Tape[4].Amount, 1);
    EXPECT_EQ(desk.calc.Accumulator, 5);
    EXPECT_EQ(desk.caption.caption, "Tallymar - mine.add");
    EXPECT_FALSE(desk.calc.TapeChanged);
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
        EXPECT_TRUE(desk.calc.TapeChanged);
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
    EXPECT_EQ(desk.calc.TopLine, 61);
    EXPECT_EQ(desk.calc.LastRow, 39);
    EXPECT_EQ(desk.calc.focus_row, 39);
    EXPECT_EQ(desk.calc.CurLine, 100);
    EXPECT_EQ(desk.calc.rows[38].text, "100");
    EXPECT_EQ(desk.calc.scroll_max, 61);  // its end shows the open line
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
        EXPECT_EQ(desk.calc.Tape.size(), static_cast<std::size_t>(kMaxLines)) << c.name;
        EXPECT_EQ(desk.calc.Tape.back().Op, op::kOpen) << c.name;
        EXPECT_EQ(desk.calc.Tape[kMaxLines - 2].Amount, c.last_amount) << c.name;
        EXPECT_EQ(desk.ports.messages.back().text == kTooLongText, c.too_long) << c.name;
        EXPECT_EQ(desk.ports.messages.back().icon, c.too_long ? Icon::kExclamation : Icon::kNone);
        EXPECT_FALSE(desk.calc.TapeChanged) << c.name;
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
    EXPECT_EQ(desk.calc.rows[0].text, "Overflow");
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
    ASSERT_TRUE(fs.Write(Path("t.add"), std::string(300, 'a')));
    ASSERT_TRUE(fs.Write(Path("t.add"), "short"));
    EXPECT_EQ(fs.Read(Path("t.add"), 1000), "short");
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(StdFiles, a_write_that_cannot_happen_fails_and_leaves_what_was_there) {
    std::filesystem::create_directory(dir / "folder.add");
    EXPECT_FALSE(fs.Write(Path("folder.add"), "data"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.add"));
    EXPECT_FALSE(fs.Write(Path("missing/t.add"), "data"));
    EXPECT_FALSE(fs.Write("", "data"));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(StdFiles, reading_stops_at_the_limit_and_folders_are_not_files) {
    std::ofstream(Path("t.add"), std::ios::binary) << std::string(100, 'x');
    EXPECT_EQ(fs.Read(Path("t.add"), 30)->size(), 30u);
    EXPECT_EQ(fs.Read(Path("t.add"), 1000)->size(), 100u);
    EXPECT_TRUE(fs.Exists(Path("t.add")));
    EXPECT_FALSE(fs.Exists(dir.string()));
    EXPECT_FALSE(fs.Exists(Path("none.add")));
    EXPECT_FALSE(fs.Read(Path("none.add"), 30));
    EXPECT_FALSE(fs.Read(dir.string(), 30));
}

TEST(FileTitleOf, is_the_text_after_the_last_separator) {
    EXPECT_EQ(FileTitleOf("/home/me/sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("C:\\tapes\\sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("/tapes/"), "");
}

}  // namespace
}  // namespace tallymar
