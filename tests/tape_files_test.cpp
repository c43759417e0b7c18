// New, Open, Save and Save As on a started tape: the questions and messages on
// the way, the caption, what lands in the file and what lands on the tape.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "engine/calc.h"
#include "fakes.h"
#include "files/std_file_system.h"
#include "files/tape_file.h"
#include "files/tape_files.h"

namespace tallymar::testing {
namespace {

// A file of `count` "+" records of 1 to count, with the open line last when asked.
std::string AmountsFile(int count, bool open_line_last = false) {
    std::vector<TapeLine> lines(count);
    for (int i = 0; i < count; ++i) lines[i].Op = '+', lines[i].Amount = i + 1;
    if (open_line_last) lines.back() = TapeLine{};
    return EncodeTape(lines);
}

// A started tape window of 40 rows with its tape files on a disk in memory that
// holds /d/week.add (three amounts) and /d/old.add ("old").
struct Desk {
    Desk() {
        calc.Start(40);
        disk.files = {{"/d/week.add", AmountsFile(3)}, {"/d/old.add", "old"}};
    }
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
    void Name(const std::string& path) {
        files.TapeFileName = path;
        files.TapeFileTitle = FileTitleOf(path);
        caption.caption = "Tallymar - " + files.TapeFileTitle;
    }
    // Runs "new", "save", "saveas", "open" (the dialog), "query", "close" or
    // "openfile PATH"; true when the operation went on.
    bool Run(const std::string& operation) {
        if (operation == "new") return files.NewTape();
        if (operation == "save") return files.SaveTape();
        if (operation == "saveas") return files.SaveTapeAs() == SaveResult::kSaved;
        if (operation == "query") return files.FileQuery();
        if (operation == "close") return files.QueryClose();
        if (operation == "open") return files.Open(), true;
        return files.OpenTapeFile(operation.substr(9));
    }
    // What the user and the disk saw, in one line.
    std::string Outcome(bool went_on) {
        std::string s = std::string(went_on ? "on " : "stop ");
        for (const TapeLine& line : calc.tape()) s += line.Op;
        s += (calc.tape_changed() ? " * " : " - ") + files.TapeFileName + " \"" + caption.caption +
             "\"";
        for (const std::string& text : ports.Texts()) s += " | " + text;
        for (const std::string& shown : dialogs.shown) s += " [" + shown + "]";
        for (const std::string& path : disk.written) s += " >" + path;
        return s;
    }
};

const std::optional<std::string> kCancel;
const std::string kAskAppend = "Do you wish to append the file to the existing tape?";

TEST(TapeFiles, ask_save_and_open_as_the_user_answers_and_lose_no_figure) {
    const struct {
        const char* name;  // the tape's own file, "" for none
        const char* keys;
        std::deque<Answer> answers;
        std::deque<std::optional<std::string>> paths;
        const char* operation;
        const char* outcome;
    // clang-format off
    } cases[] = {
        // The save question, worded for the tape and the operation.
        {"", "", {}, {}, "close", "on HTHB -  \"Tallymar - Tape1\""},
        {"", "5+", {Answer::kNo}, {}, "new", "on HTHB -  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"/d/t.add", "5+", {Answer::kNo}, {}, "new", "on HTHB -  \"Tallymar - Tape1\" | Do you want to save the changes you made to t.add ?"},
        {"/d/t.add", "5+", {Answer::kNo}, {}, "query", "stop HTH+B * /d/t.add \"Tallymar - t.add\" | Do you want to save the changes you made to t.add ?\n\n"},
        {"", "5+", {Answer::kCancel}, {}, "close", "stop HTH+B *  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"/d/t.add", "5+", {Answer::kCancel}, {}, "new", "stop HTH+B * /d/t.add \"Tallymar - t.add\" | Do you want to save the changes you made to t.add ?"},
        {"", "5+", {Answer::kYes}, {}, "new", "stop HTH+B *  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n [Save Tallymar File As|Tape1.add]"},
        {"", "5+", {Answer::kYes, Answer::kYes}, {"/d/old.add"}, "close", "on HTH+B - /d/old.add \"Tallymar - old.add\" | Do you want to save the changes you made to your existing tape ?\n\n | A file named old.add already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] >/d/old.add"},
        {"", "5+", {Answer::kYes, Answer::kNo}, {"/d/old.add"}, "close", "stop HTH+B *  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n | A file named old.add already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] [Save Tallymar File As|/d/old.add]"},
        {"/d/old.add", "5+", {Answer::kYes}, {"/d/old.add"}, "close", "on HTH+B - /d/old.add \"Tallymar - old.add\" | Do you want to save the changes you made to old.add ?\n\n [Save Tallymar File As|/d/old.add] >/d/old.add"},
        {"", "5+", {Answer::kYes, Answer::kYes}, {"/d/old.add"}, "query", "on HTH+B - /d/old.add \"Tallymar - old.add\" | Do you want to save the changes you made to your existing tape ?\n\n | A file named old.add already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] >/d/old.add"},
        // Save and Save As.
        {"", "5+", {}, {"/d/sums"}, "saveas", "on HTH+B - /d/sums.add \"Tallymar - sums\" [Save Tallymar File As|Tape1.add] >/d/sums.add"},
        {"", "5+", {}, {"/d/sums.ADD"}, "saveas", "on HTH+B - /d/sums.ADD \"Tallymar - sums.ADD\" [Save Tallymar File As|Tape1.add] >/d/sums.ADD"},
        {"", "5+", {}, {"/d/sums.adds"}, "saveas", "on HTH+B - /d/sums.adds.add \"Tallymar - sums.adds\" [Save Tallymar File As|Tape1.add] >/d/sums.adds.add"},
        {"", "5+", {}, {"/d/old", kCancel}, "saveas", "stop HTH+B *  \"Tallymar - Tape1\" | A file named old already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] [Save Tallymar File As|/d/old.add]"},
        {"", "5+", {Answer::kYes}, {"/d/old"}, "saveas", "on HTH+B - /d/old.add \"Tallymar - old\" | A file named old already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] >/d/old.add"},
        {"", "5+", {}, {}, "save", "stop HTH+B *  \"Tallymar - Tape1\" [Save Tallymar File As|Tape1.add]"},
        {"/d/old.add", "5+", {}, {}, "save", "on HTH+B - /d/old.add \"Tallymar - old.add\" >/d/old.add"},
        // Opening a file.
        {"", "5+", {}, {}, "openfile /d/none.add", "stop HTH+B *  \"Tallymar - Tape1\" | There is no data in this file"},
        {"", "5+", {Answer::kNo, Answer::kNo}, {}, "openfile /d/week.add", "on +++B -  \"Tallymar-week.add\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"/d/mine.add", "5+", {}, {}, "openfile /d/week.add", "on HTH++++B - /d/mine.add \"Tallymar - mine.add\" | Do you wish to append the file to the existing tape?"},
        {"", "5+", {Answer::kCancel}, {}, "openfile /d/week.add", "stop HTH+B *  \"Tallymar - Tape1\" | Do you wish to append the file to the existing tape?"},
        {"", "5+", {Answer::kNo, Answer::kCancel}, {}, "openfile /d/week.add", "stop HTH+B *  \"Tallymar - Tape1\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"", "5+", {Answer::kNo, Answer::kOk, Answer::kNo, Answer::kYes}, {"/d/gone.add", "/d/week.add"}, "open", "on HTH++++B - /d/week.add \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n | The file gone.add does not exist\r\n\r\nMake sure you have specified the correct path and filename. | Do you want to save the changes you made to your existing tape ?\n\n | Do you wish to append the file to the existing tape? [Open Tallymar File] [Open Tallymar File]"},
        {"/d/mine.add", "", {Answer::kCancel}, {"/d/week.add"}, "open", "on HTHB - /d/mine.add \"Tallymar - mine.add\" | Do you wish to append the file to the existing tape? [Open Tallymar File]"},
        {"/d/mine.add", "", {}, {kCancel}, "open", "on HTHB - /d/mine.add \"Tallymar - mine.add\" [Open Tallymar File]"},
        {"", "5+", {Answer::kNo, Answer::kNo, Answer::kYes, Answer::kYes}, {"/d/week.add", "/d/week.add"}, "open", "on +++B -  \"Tallymar-week.add\" | Do you want to save the changes you made to your existing tape ?\n\n | Do you wish to append the file to the existing tape? [Open Tallymar File]"},
        {"/d/mine.add", "5+", {Answer::kCancel, Answer::kNo, Answer::kYes}, {"/d/week.add", "/d/saved.add"}, "open", "on +++B -  \"Tallymar-week.add\" | Do you want to save the changes you made to mine.add ?\n\n | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to mine.add ? [Open Tallymar File] [Save Tallymar File As|/d/mine.add] >/d/saved.add"},
        {"", "5+", {Answer::kCancel, Answer::kNo, Answer::kYes}, {"/d/week.add", "/d/saved.add"}, "open", "on +++B -  \"Tallymar-week.add\" | Do you want to save the changes you made to your existing tape ?\n\n | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to your existing tape ?\n\n [Open Tallymar File] [Save Tallymar File As|Tape1.add] >/d/saved.add"},
        {"/d/mine.add", "5+", {Answer::kNo, Answer::kOk, Answer::kCancel}, {"/d/gone.add", kCancel}, "open", "on HTH+B * /d/mine.add \"Tallymar - mine.add\" | Do you want to save the changes you made to mine.add ?\n\n | The file gone.add does not exist\r\n\r\nMake sure you have specified the correct path and filename. | Do you want to save the changes you made to mine.add ?\n\n [Open Tallymar File] [Open Tallymar File]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Desk desk;
        if (*c.name) desk.Name(c.name);
        desk.Type(c.keys);
        desk.ports.answers = c.answers;
        desk.dialogs.paths = c.paths;
        const bool went_on = desk.Run(c.operation);
        EXPECT_EQ(desk.Outcome(went_on), c.outcome) << c.operation << " " << c.name;
    }
}

TEST(TapeFiles, questions_and_messages_carry_their_buttons_icon_and_default) {
    Desk desk;
    desk.Type("5+");
    desk.ports.answers = {Answer::kNo};
    desk.files.NewTape();
    desk.Type("5+");
    desk.dialogs.paths = {"/d/old", kCancel};
    desk.files.SaveTapeAs();
    desk.disk.write_failure = "Permission denied";
    desk.Name("/d/week.add");
    desk.files.SaveTape();
    desk.disk.files["/d/bad.add"] = AmountsFile(3).substr(kRecordSize) + "\x77";
    desk.disk.files["/d/bad.add"][0] = 0x77;
    desk.files.OpenTapeFile("/d/bad.add");
    const struct {
        Buttons buttons;
        Icon icon;
        Answer default_answer;
    } expected[] = {{Buttons::kYesNoCancel, Icon::kInformation, Answer::kYes},
                    {Buttons::kYesNo, Icon::kExclamation, Answer::kNo},
                    {Buttons::kOk, Icon::kExclamation, Answer::kOk},
                    {Buttons::kOk, Icon::kCritical, Answer::kOk}};
    ASSERT_EQ(desk.ports.messages.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(desk.ports.messages[i].title, "Tallymar") << i;
        EXPECT_EQ(desk.ports.messages[i].buttons, expected[i].buttons) << i;
        EXPECT_EQ(desk.ports.messages[i].icon, expected[i].icon) << i;
        EXPECT_EQ(desk.ports.messages[i].default_answer, expected[i].default_answer) << i;
    }
}

TEST(TapeFiles, write_exactly_the_tape_s_records) {
    Desk desk;
    desk.dialogs.paths = {"/d/new.add"};
    desk.files.SaveTapeAs();
    EXPECT_EQ(desk.disk.files["/d/new.add"], EncodeTape(desk.calc.tape()));
    EXPECT_EQ(desk.disk.files["/d/new.add"].size(), 4 * kRecordSize);
    desk.disk.files["/d/new.add"] = AmountsFile(50);
    desk.Type("5+");
    desk.files.SaveTape();  // a short tape over a longer file leaves only its own records
    EXPECT_EQ(desk.disk.files["/d/new.add"], EncodeTape(desk.calc.tape()));
}

// Each way a save can be asked for, with every write failing.
TEST(SaveThatFails, says_why_and_keeps_the_tape_its_name_and_caption_and_stops_the_operation) {
    const struct {
        bool named;
        std::deque<Answer> answers;
        const char* operation;
        const char* outcome;
    // clang-format off
    } cases[] = {
        {true, {}, "save", "stop HTH+B * /d/old.add \"Tallymar - old.add\" | Tallymar could not save old.add: No space left on device"},
        {false, {}, "saveas", "stop HTH+B *  \"Tallymar - Tape1\" | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {false, {Answer::kYes}, "close", "stop HTH+B *  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {true, {Answer::kYes}, "new", "stop HTH+B * /d/old.add \"Tallymar - old.add\" | Do you want to save the changes you made to old.add ? | Tallymar could not save new.add: No space left on device [Save Tallymar File As|/d/old.add]"},
        {false, {Answer::kYes}, "open", "on HTH+B *  \"Tallymar - Tape1\" | Do you want to save the changes you made to your existing tape ?\n\n | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {true, {Answer::kNo, Answer::kYes}, "openfile /d/week.add", "stop HTH+B * /d/old.add \"Tallymar - old.add\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to old.add ? | Tallymar could not save new.add: No space left on device [Save Tallymar File As|/d/old.add]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Desk desk;
        if (c.named) desk.Name("/d/old.add");
        desk.Type("5+");
        desk.disk.write_failure = "No space left on device";
        desk.ports.answers = c.answers;
        desk.dialogs.paths = {"/d/new.add", "/d/week.add"};
        const bool went_on = desk.Run(c.operation);
        EXPECT_EQ(desk.Outcome(went_on), c.outcome) << c.operation;
        EXPECT_EQ(desk.disk.files["/d/old.add"], "old");
    }
}

TEST(OpenTapeFile, refuses_what_cannot_be_read_at_once_and_keeps_the_tape) {
    const struct {
        const char* file;  // what /d/week.add holds
        FileKind kind;
        const char* outcome;
    // clang-format off
    } cases[] = {
        {"", FileKind::kFile, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | There is no data in this file"},
        {"short", FileKind::kFile, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | There is no data in this file"},
        {nullptr, FileKind::kFile, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | Tallymar could not open week.add: Permission denied"},
        {nullptr, FileKind::kFolder, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | Tallymar could not open week.add: it is a folder, not a file"},
        {nullptr, FileKind::kPipe, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | Tallymar could not open week.add: it is a named pipe, not a file"},
        {nullptr, FileKind::kDevice, "stop HTH+B * /d/mine.add \"Tallymar - mine.add\" | Tallymar could not open week.add: it is a device, not a file"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string direct_message;
        for (bool through_open : {false, true}) {
            Desk desk;
            desk.Name("/d/mine.add");
            if (c.file)
                desk.disk.files["/d/week.add"] = c.file;
            else if (c.kind == FileKind::kFile)
                desk.disk.unreadable["/d/week.add"] = "Permission denied";
            else
                desk.disk.others["/d/week.add"] = c.kind;
            desk.Type("5+");
            desk.ports.answers = {Answer::kNo};
            desk.dialogs.paths = {"/d/week.add"};
            if (!through_open) {
                const bool went_on = desk.Run("openfile /d/week.add");
                direct_message = desk.ports.messages.back().text;
                EXPECT_EQ(desk.Outcome(went_on), c.outcome);
                continue;
            }
            // Through File > Open: the save question, then the same message and nothing more.
            desk.files.Open();
            EXPECT_EQ(desk.ports.Texts().back(), direct_message);
            EXPECT_EQ(desk.Outcome(true), "on HTH+B * /d/mine.add \"Tallymar - mine.add\" [" +
                                              std::string(kOpenDialogTitle) + "]");
        }
    }
}

TEST(OpenTapeFile, keeps_the_records_before_a_bad_one_and_the_first_32767_lines) {
    std::string damaged = AmountsFile(5);
    damaged[2 * kRecordSize] = 0x77;  // the third record's signature
    const struct {
        std::string file;
        Answer append;
        std::size_t lines;
        double last_amount;  // of the line above the open line
        const char* last_message;
    // clang-format off
    } cases[] = {
        {damaged, Answer::kNo, 3, 2, kCorruptedText},
        {AmountsFile(4, true) + "123", Answer::kNo, 5, 0, kAskAppend.c_str()},
        {AmountsFile(kMaxLines + 10), Answer::kNo, kMaxLines, kMaxLines - 1, kTooLongText},
        {AmountsFile(kMaxLines - 3), Answer::kYes, kMaxLines, kMaxLines - 4, kTooLongText},
        {AmountsFile(kMaxLines, true), Answer::kNo, kMaxLines, kMaxLines - 1, kAskAppend.c_str()},
    };
    // clang-format on
    for (const auto& c : cases) {
        Desk desk;
        desk.disk.files["/d/big.add"] = c.file;
        desk.ports.answers = {c.append};
        desk.files.OpenTapeFile("/d/big.add");
        EXPECT_EQ(desk.calc.tape().size(), c.lines);
        EXPECT_EQ(desk.calc.tape().back().Op, op::kOpen);
        EXPECT_EQ(desk.calc.tape()[c.lines - 2].Amount, c.last_amount);
        EXPECT_EQ(desk.ports.Texts().back(), c.last_message);
        EXPECT_FALSE(desk.calc.tape_changed());
    }
}

TEST(OpenTapeFile, shows_the_end_of_a_long_tape_and_odd_amounts_as_overflow) {
    Desk desk;
    desk.disk.files["/d/long.add"] = AmountsFile(100);
    desk.ports.answers = {Answer::kNo};
    desk.files.OpenTapeFile("/d/long.add");
    EXPECT_EQ(desk.calc.top_line(), 61);
    EXPECT_EQ(desk.calc.focus_row(), 39);
    EXPECT_EQ(desk.calc.cur_line(), 100);
    EXPECT_EQ(desk.calc.rows()[38].text, "100");
    EXPECT_EQ(desk.calc.scroll_max(), 61);

    std::vector<TapeLine> lines(3);
    lines[0].Op = '+', lines[0].Amount = std::nan("");
    lines[1].Op = '-', lines[1].Amount = -INFINITY;
    lines[2].Op = 'T', lines[2].Amount = INFINITY, lines[2].Decimals = 999;
    desk.disk.files["/d/odd.add"] = EncodeTape(lines);
    desk.ports.answers = {Answer::kNo};
    desk.files.OpenTapeFile("/d/odd.add");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(desk.calc.ShownText(i), "Overflow") << i;
}

// The files on the real disk, in a folder of this test's own.
TEST(StdFiles, write_whole_files_refuse_what_is_no_regular_file_and_clear_stale_temporaries) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "std_files_test";
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.add");
    auto path = [&](const char* name) { return (dir / name).string(); };
    std::ofstream(path("plain")) << "x";
    mkfifo(path("pipe.add").c_str(), 0600);
    const char* stale[] = {"t.add.0123456789abcdef.tmp", "t.add.fedcba9876543210.tmp"};
    const char* kept[] = {"other.add.0123456789abcdef.tmp", "t.add.0123.tmp",
                          "t.add.0123456789ABCDEF.tmp", "t.add.0123456789abcdef.tmp.bak",
                          "xt.add.0123456789abcdef.tmp"};
    for (const char* name : stale) std::ofstream(path(name)) << "half";
    for (const char* name : kept) std::ofstream(path(name)) << "mine";
    StdFileSystem disk;
    std::string reason;
    ASSERT_TRUE(disk.Write(path("t.add"), std::string(300, 'a'), &reason)) << reason;
    ASSERT_TRUE(disk.Write(path("t.add"), "short", &reason)) << reason;
    EXPECT_EQ(disk.Read(path("t.add"), 1000, &reason), "short");
    EXPECT_EQ(disk.Read(path("t.add"), 3, &reason), "sho");
    EXPECT_EQ(disk.KindOf(path("t.add")), FileKind::kFile);
    for (const char* name : stale) EXPECT_FALSE(fs::exists(dir / name)) << name;
    for (const char* name : kept) EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 9);

    const struct {
        std::string path;
        FileKind kind;
        const char* why;
    } refused[] = {
        {path("none.add"), FileKind::kNone, "No such file or directory"},
        {path("plain/t.add"), FileKind::kNone, "Not a directory"},
        {path("folder.add"), FileKind::kFolder, "it is a folder, not a file"},
        {path("pipe.add"), FileKind::kPipe, "it is a named pipe, not a file"},
        {"/dev/null", FileKind::kDevice, "it is a device, not a file"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(disk.KindOf(c.path), c.kind) << c.path;
        EXPECT_FALSE(disk.Read(c.path, 30, &reason)) << c.path;  // a pipe would block if opened
        EXPECT_EQ(reason, c.why) << c.path;
        if (c.kind == FileKind::kDevice || c.kind == FileKind::kNone) continue;
        EXPECT_FALSE(disk.Write(c.path, "data", &reason)) << c.path;
        EXPECT_EQ(reason, c.why) << c.path;
    }
    EXPECT_FALSE(disk.Write("", "data", &reason));
    EXPECT_TRUE(fs::is_directory(dir / "folder.add"));
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.add"));

    // The tape files on that disk: a save into the folder fails and the tape stays.
    FakePorts ports;
    FakeFileDialogs dialogs;
    FakeCaption caption;
    Calc calc{Ports{ports, ports, ports}};
    calc.Start(40);
    TapeFiles files{calc, dialogs, disk, caption};
    calc.KeyPress(calc.focus_row(), '5');
    calc.KeyPress(calc.focus_row(), '+');
    ports.answers = {Answer::kYes};
    dialogs.paths = {path("folder.add")};
    EXPECT_FALSE(files.QueryClose());
    EXPECT_EQ(ports.Texts().back(),
              "Tallymar could not save folder.add: it is a folder, not a file");
    EXPECT_TRUE(calc.tape_changed());
    fs::remove_all(dir);
}

TEST(FileNames, the_title_follows_the_last_separator_and_temporaries_have_sixteen_hex_digits) {
    EXPECT_EQ(FileTitleOf("/home/me/sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("C:\\tapes\\sums.add"), "sums.add");
    EXPECT_EQ(FileTitleOf("/tapes/"), "");
    const std::pair<const char*, bool> names[] = {{"week.add.00000000deadbeef.tmp", true},
                                                  {"week.add.00000000DEADBEEF.tmp", false},
                                                  {"week.add.00000000deadbee.tmp", false},
                                                  {"week.add.00000000deadbeef0.tmp", false},
                                                  {"week.add-00000000deadbeef.tmp", false},
                                                  {"week.add.00000000deadbeeg.tmp", false},
                                                  {"week.add.00000000deadbeef.txt", false},
                                                  {"Week.add.00000000deadbeef.tmp", false},
                                                  {"week.add", false}};
    for (auto [name, ours] : names) EXPECT_EQ(IsTemporaryNameOf(name, "week.add"), ours) << name;
    EXPECT_FALSE(IsTemporaryNameOf(".0123456789abcdef.tmp", ""));
}

}  // namespace
}  // namespace tallymar::testing
