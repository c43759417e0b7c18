// Tape files: the 30-byte record, and New, Open, Save and Save As on a started tape
// with the questions and messages on the way, the caption, what lands in the file
// and what lands on the tape; last, the files on the real disk.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include "engine/text_codec.h"
#include "fakes.h"
#include "files/atomic_file.h"
#include "files/recovery.h"
#include "files/std_file_system.h"
#include "files/tape_file.h"
#include "file_bytes.h"
#include "temp_folder.h"

namespace tallymar::testing {
namespace {

TapeLine Line(char op, double amount, int decimals = 2, const char* entry = nullptr) {
    TapeLine line;
    line.Op = op, line.Amount = amount, line.Decimals = static_cast<std::int16_t>(decimals);
    if (entry) SetEntry(line, entry);
    return line;
}

// A file of `count` "+" records of 1 to count, with the open line last when asked.
std::string AmountsFile(int count, bool open_line_last = false) {
    std::vector<TapeLine> lines(count);
    for (int i = 0; i < count; ++i) lines[i] = Line('+', i + 1);
    if (open_line_last) lines.back() = TapeLine{};
    return EncodeTape(lines);
}

TEST(TapeRecord, keeps_every_field_bit_for_bit_and_single_byte_text_as_it_is) {
    const double inf = std::numeric_limits<double>::infinity(), tiny = 5e-324;
    // clang-format off
    const TapeLine lines[] = {Line('-', -0.0, 0), Line('C', 7, 17, "Café € „Zoë“"), Line('>', 0, 6, "12345678901234567"),
                              Line('%', std::nan(""), 4), Line('=', -inf, 32767), Line(' ', tiny, -32768),
                              Line(static_cast<char>(0xE9), 1e300, 1)};
    // clang-format on
    for (const TapeLine& line : lines) {  // read back into a line holding other values
        char record[kRecordSize], again[kRecordSize];
        EncodeRecord(line, record);
        TapeLine read = Line('B', 99, 99, "stale");
        ASSERT_TRUE(DecodeRecord(record, &read)) << line.Op;
        EncodeRecord(read, again);
        EXPECT_EQ(std::string(again, kRecordSize), std::string(record, kRecordSize)) << line.Op;
    }
    // Signature 630, entry, amount, decimals and operator, little-endian; "€é" as Windows-1252.
    char record[kRecordSize];
    EncodeRecord(Line('+', 1.5, -2, "€é"), record);
    EXPECT_EQ(std::string(record, kRecordSize),
              std::string("\x76\x02\x80\xE9               \0\0\0\0\0\0\xF8\x3F\xFE\xFF+", 30));
    TapeLine read;
    ASSERT_TRUE(DecodeRecord(record, &read));
    EXPECT_EQ(EntryText(read), "€é               ");
}

// Each code point at the edges of UTF-8's one- to four-byte forms comes back whole; every
// byte of the tape files' code page comes back as it was (the five it leaves undefined
// become "?"); a malformed byte reads as U+FFFD.
TEST(TextCodec, keeps_every_character_at_the_edges_of_each_encoding) {
    const std::pair<char32_t, size_t> edges[] = {{0x7F, 1},     {0x80, 2},   {0x7FF, 2},
                                                 {0x800, 3},    {0xFFFF, 3}, {0x10000, 4},
                                                 {0x10FFFF, 4}, {0x20AC, 3}};
    for (const auto& [c, bytes] : edges) {
        std::string utf8;
        AppendUtf8(utf8, c);
        size_t i = 0;
        EXPECT_EQ(NextCodePoint(utf8, i), c) << std::hex << static_cast<long>(c);
        EXPECT_EQ(std::pair(i, utf8.size()), std::pair(bytes, bytes))
            << std::hex << static_cast<long>(c);
    }
    std::string all, expected;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        expected += undefined ? '?' : static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), expected);
    size_t i = 0;
    EXPECT_EQ(NextCodePoint("\x80", i), char32_t{0xFFFD});
}

// A started tape window of 40 rows with its tape files on a disk in memory that
// holds /d/week.add (three amounts), /d/old.add ("old") and odd files.
struct Desk {
    Desk() {
        calc.Start(40);
        // clang-format off
        disk.files = {{"/d/week.add", AmountsFile(3)}, {"/d/old.add", "old"}, {"/d/empty", ""},
                      {"/d/short", "short"}, {"/d/bad", "\x77" + AmountsFile(3).substr(1)}, {"/d/locked", "x"}};
        disk.unreadable["/d/locked"] = "Permission denied";
        disk.others = {{"/d/folder", FileKind::kFolder}, {"/d/pipe", FileKind::kPipe}, {"/d/dev", FileKind::kDevice}};
        // clang-format on
    }
    FakePorts ports;
    FakeFileDialogs dialogs;
    MemoryFiles disk;
    FakeCaption caption;
    Calc calc{Ports{ports, ports, ports}};
    TapeFiles files{calc, dialogs, disk, caption};

    void Type(const std::string& keys) {
        for (char key : keys)
            calc.keyboard().KeyPress(calc.view().focus_row(), static_cast<unsigned char>(key));
    }
    // The tape saved as `path` (over the file there, which keeps its content).
    void Name(const std::string& path) {
        const auto kept = disk.files.find(path);
        const std::optional<std::string> content =
            kept == disk.files.end() ? std::nullopt : std::optional(kept->second);
        ports.answers = {Answer::kYes};
        dialogs.paths = {path};
        ASSERT_EQ(files.SaveTapeAs(), SaveResult::kSaved);
        if (content) disk.files[path] = *content;
        if (!content) disk.files.erase(path);
        ports.messages.clear(), dialogs.shown.clear(), disk.written.clear();
    }
    // Runs "new", "save", "saveas", "open" (the dialog), "query", "close", "openfile PATH"
    // or "start PATH" (a file named at start), after "!" with every write failing; true
    // when the operation went on.
    bool Run(std::string operation) {
        if (operation[0] == '!')
            disk.write_failure = "No space left on device", operation.erase(0, 1);
        if (operation == "new") return files.NewTape();
        if (operation == "save") return files.SaveTape();
        if (operation == "saveas") return files.SaveTapeAs() == SaveResult::kSaved;
        if (operation == "query") return files.FileQuery();
        if (operation == "close") return files.QueryClose();
        if (operation == "open") return files.Open(), true;
        if (operation.rfind("start ", 0) == 0) return files.OpenAtStart(operation.substr(6));
        return files.OpenTapeFile(operation.substr(9));
    }
    // What the user and the disk saw, in one line.
    std::string Outcome(bool went_on) {
        files.RefreshCaption();  // as the window does after every event
        std::string s = went_on ? "on " : "stop ";
        for (const TapeLine& line : calc.tape().lines()) s += line.Op;
        s += (calc.tape_changed() ? " * " : " - ") + files.TapeFileName + " \"" + caption.caption +
             "\"";
        for (const std::string& text : ports.Texts()) s += " | " + text;
        for (const std::string& shown : dialogs.shown) s += " [" + shown + "]";
        for (const std::string& path : disk.written) s += " >" + path;
        return s;
    }
};

const std::optional<std::string> kCancel;
// clang-format off
const std::pair<std::string, std::tuple<std::string, Buttons, Icon, Answer>> kMessageKinds[] = {
    {"Do you want to save", {"Tallymar", Buttons::kYesNoCancel, Icon::kInformation, Answer::kYes}},
    {"Do you wish to append", {"Tallymar", Buttons::kYesNoCancel, Icon::kNone, Answer::kYes}},
    {"A file named", {"Tallymar", Buttons::kYesNo, Icon::kExclamation, Answer::kNo}},
    {"Tallymar could not", {"Tallymar", Buttons::kOk, Icon::kExclamation, Answer::kOk}},
    {"This file is corrupted", {"Tallymar", Buttons::kOk, Icon::kCritical, Answer::kOk}},
    {"There is no data", {"Tallymar", Buttons::kOk, Icon::kNone, Answer::kOk}}};
// clang-format on

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
        {"", "", {}, {}, "close", "on HTHB -  \"Tape1 - Tallymar\""},
        {"/d/t.add", "5+", {Answer::kNo}, {}, "new", "on HTHB -  \"Tape1 - Tallymar\" | Do you want to save the changes you made to t.add ?"},
        {"/d/t.add", "5+", {Answer::kNo}, {}, "query", "stop HTH+B * /d/t.add \"*t.add - Tallymar\" | Do you want to save the changes you made to t.add ?\n\n"},
        {"", "5+", {Answer::kCancel}, {}, "close", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"", "5+", {Answer::kYes}, {}, "new", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n [Save Tallymar File As|Tape1.add]"},
        {"", "5+", {Answer::kYes, Answer::kYes}, {"/d/old.add"}, "close", "on HTH+B - /d/old.add \"old.add - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | A file named old.add already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] >/d/old.add"},
        {"", "5+", {Answer::kYes, Answer::kNo}, {"/d/old.add"}, "close", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | A file named old.add already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] [Save Tallymar File As|/d/old.add]"},
        {"/d/old.add", "5+", {Answer::kYes}, {"/d/old.add"}, "close", "on HTH+B - /d/old.add \"old.add - Tallymar\" | Do you want to save the changes you made to old.add ?\n\n [Save Tallymar File As|/d/old.add] >/d/old.add"},
        // Save and Save As.
        {"", "5+", {}, {"/d/sums"}, "saveas", "on HTH+B - /d/sums.add \"sums.add - Tallymar\" [Save Tallymar File As|Tape1.add] >/d/sums.add"},
        {"", "5+", {}, {"/d/sums.adds"}, "saveas", "on HTH+B - /d/sums.adds.add \"sums.adds.add - Tallymar\" [Save Tallymar File As|Tape1.add] >/d/sums.adds.add"},
        {"", "5+", {Answer::kYes}, {"/d/old"}, "saveas", "on HTH+B - /d/old.add \"old.add - Tallymar\" | A file named old already exists.\n\nDo you wish to replace the existing file? [Save Tallymar File As|Tape1.add] >/d/old.add"},
        {"", "5+", {}, {}, "save", "stop HTH+B *  \"*Tape1 - Tallymar\" [Save Tallymar File As|Tape1.add]"},
        {"/d/old.add", "5+", {}, {}, "save", "on HTH+B - /d/old.add \"old.add - Tallymar\" >/d/old.add"},
        // Opening a file: a fresh tape takes it without a question; the old tape is saved
        // under its own name, never over the file opened, and an appended file is never
        // the one Save writes.
        {"", "", {}, {"/d/week.add"}, "open", "on +++B - /d/week.add \"week.add - Tallymar\" [Open Tallymar File]"},
        {"", "", {}, {}, "start /d/week.add", "on +++B - /d/week.add \"week.add - Tallymar\""},
        {"/d/mine.add", "", {Answer::kCancel}, {}, "start /d/week.add", "stop HTHB - /d/mine.add \"mine.add - Tallymar\" | Do you wish to append the file to the existing tape?"},
        {"", "5+", {}, {}, "openfile /d/none.add", "stop HTH+B *  \"*Tape1 - Tallymar\" | There is no data in this file"},
        {"", "5+", {Answer::kNo, Answer::kNo}, {}, "openfile /d/week.add", "on +++B - /d/week.add \"week.add - Tallymar\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"/d/mine.add", "5+", {}, {}, "openfile /d/week.add", "on HTH++++B * /d/mine.add \"*mine.add - Tallymar\" | Do you wish to append the file to the existing tape?"},
        {"", "5+", {Answer::kCancel}, {}, "openfile /d/week.add", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you wish to append the file to the existing tape?"},
        {"", "5+", {Answer::kNo, Answer::kCancel}, {}, "openfile /d/week.add", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to your existing tape ?\n\n"},
        {"", "5+", {Answer::kNo, Answer::kOk, Answer::kNo, Answer::kYes}, {"/d/gone.add", "/d/week.add"}, "open", "on HTH++++B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | The file gone.add does not exist\r\n\r\nMake sure you have specified the correct path and filename. | Do you want to save the changes you made to your existing tape ?\n\n | Do you wish to append the file to the existing tape? [Open Tallymar File] [Open Tallymar File]"},
        {"", "5+", {Answer::kNo, Answer::kNo}, {"/d/week.add"}, "open", "on +++B - /d/week.add \"week.add - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | Do you wish to append the file to the existing tape? [Open Tallymar File]"},
        {"/d/mine.add", "5+", {Answer::kCancel, Answer::kNo, Answer::kYes}, {"/d/week.add", "/d/saved.add"}, "open", "on +++B - /d/week.add \"week.add - Tallymar\" | Do you want to save the changes you made to mine.add ?\n\n | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to mine.add ? [Open Tallymar File] [Save Tallymar File As|/d/mine.add] >/d/saved.add"},
        // A save that fails says why and keeps the tape, its name and caption; it stops what asked for it.
        {"/d/old.add", "5+", {}, {}, "!save", "stop HTH+B * /d/old.add \"*old.add - Tallymar\" | Tallymar could not save old.add: No space left on device"},
        {"", "5+", {}, {"/d/new.add"}, "!saveas", "stop HTH+B *  \"*Tape1 - Tallymar\" | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {"", "5+", {Answer::kYes}, {"/d/new.add"}, "!close", "stop HTH+B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {"/d/old.add", "5+", {Answer::kYes}, {"/d/new.add"}, "!new", "stop HTH+B * /d/old.add \"*old.add - Tallymar\" | Do you want to save the changes you made to old.add ? | Tallymar could not save new.add: No space left on device [Save Tallymar File As|/d/old.add]"},
        {"", "5+", {Answer::kYes}, {"/d/new.add", "/d/week.add"}, "!open", "on HTH+B *  \"*Tape1 - Tallymar\" | Do you want to save the changes you made to your existing tape ?\n\n | Tallymar could not save new.add: No space left on device [Save Tallymar File As|Tape1.add]"},
        {"/d/old.add", "5+", {Answer::kNo, Answer::kYes}, {"/d/new.add"}, "!openfile /d/week.add", "stop HTH+B * /d/old.add \"*old.add - Tallymar\" | Do you wish to append the file to the existing tape? | Do you want to save the changes you made to old.add ? | Tallymar could not save new.add: No space left on device [Save Tallymar File As|/d/old.add]"},
        // What cannot be read is refused at once, and the tape stays.
        {"/d/mine.add", "5+", {}, {}, "openfile /d/short", "stop HTH+B * /d/mine.add \"*mine.add - Tallymar\" | There is no data in this file"},
        {"/d/mine.add", "5+", {}, {}, "openfile /d/bad", "stop HTH+B * /d/mine.add \"*mine.add - Tallymar\" | This file is corrupted"},
        {"/d/mine.add", "5+", {}, {}, "openfile /d/locked", "stop HTH+B * /d/mine.add \"*mine.add - Tallymar\" | Tallymar could not open locked: Permission denied"},
        {"/d/mine.add", "5+", {Answer::kNo}, {"/d/folder"}, "open", "on HTH+B * /d/mine.add \"*mine.add - Tallymar\" | Do you want to save the changes you made to mine.add ?\n\n | Tallymar could not open folder: it is a folder, not a file [Open Tallymar File]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Desk desk;
        if (*c.name) desk.Name(c.name);
        desk.Type(c.keys);
        desk.ports.answers = c.answers;
        desk.dialogs.paths = c.paths;
        const bool went_on = desk.Run(c.operation);
        for (const Message& m : desk.ports.messages) {  // each box's buttons, icon and default
            for (const auto& [start, kind] : kMessageKinds) {
                if (m.text.rfind(start, 0) != 0) continue;
                EXPECT_EQ(std::tuple(m.title, m.buttons, m.icon, m.default_answer), kind) << m.text;
            }
        }
        EXPECT_EQ(desk.Outcome(went_on), c.outcome) << c.operation << " " << c.name;
    }
}

// A file opened and saved again holds the tape, with the amount keyed.
TEST(TapeFiles, a_file_opened_and_saved_again_holds_the_tape_and_nothing_stays_busy) {
    Desk desk;
    desk.dialogs.paths = {"/d/week.add"};
    desk.Run("open");
    desk.Type("4+");
    desk.Run("save");
    EXPECT_EQ(desk.disk.files["/d/week.add"], EncodeTape(desk.calc.tape().lines()));
    EXPECT_EQ(RecordCount(desk.disk.files["/d/week.add"].size()),
              5u);  // 1, 2, 3, 4 and the open line
    // The busy pointer went up for the reading and the writing, and is down again.
    EXPECT_EQ(std::pair(desk.caption.busy_times, desk.caption.busy), std::pair(2, false));
}

// The running total after a file is read is what its lines below the last total add
// up to, so the next total counts them; with nothing after a total, it shows that total.
TEST(OpenTapeFile, the_running_total_is_what_the_lines_below_the_last_total_add_up_to) {
    const struct {
        std::vector<TapeLine> file;
        Answer append;
        double running;
        const char* display;
    } cases[] = {
        {{Line('+', 5), Line('+', 3), Line('B', 0)}, Answer::kNo, 8, "8.00"},
        {{Line('+', 5), Line('T', 5), Line('H', 0), Line('-', 2), Line('B', 0)},
         Answer::kNo,
         -2,
         "-2.00"},
        {{Line('+', 5), Line('T', 5, 0), Line('H', 0), Line('B', 0)}, Answer::kNo, 0, "5"},
        {{Line('+', 4), Line('*', 4), Line('=', 3), Line('T', 12), Line('H', 0)},
         Answer::kNo,
         0,
         "12.00"},
        {{Line('+', 10), Line('B', 0)}, Answer::kYes, 17, "17.00"},  // after the tape's 7
    };
    for (const auto& c : cases) {
        Desk desk;
        desk.Type("7+");
        desk.disk.files["/d/f.add"] = EncodeTape(c.file);
        // Append, or replace without saving the tape's changes.
        desk.ports.answers = c.append == Answer::kYes ? std::deque{Answer::kYes}
                                                      : std::deque{Answer::kNo, Answer::kNo};
        desk.files.OpenTapeFile("/d/f.add");
        EXPECT_EQ(std::tuple(desk.calc.accumulator(), desk.calc.display().text),
                  std::tuple(c.running, std::string(c.display)))
            << c.file.size();
        // The lines are as the file held them.
        const std::size_t start = c.append == Answer::kYes ? 4 : 0;
        EXPECT_EQ(EncodeTape({desk.calc.tape().lines().begin() + start,
                              desk.calc.tape().lines().begin() + start + c.file.size()}),
                  EncodeTape(c.file));
    }
}

// File > Open Recent: the files used last, most recent first, eight at most; a file
// that has gone is named and dropped.
TEST(RecentTapes, list_the_files_used_last_and_drop_one_that_has_gone) {
    RecentTapes recent;
    recent.Set({"", "/a.add", "/b.add", "/a.add", "/c.add", "/d.add", "/e.add", "/f.add", "/g.add",
                "/h.add", "/i.add"});
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/a.add", "/b.add", "/c.add", "/d.add",
                                                        "/e.add", "/f.add", "/g.add", "/h.add"}));
    recent.Use("/c.add");
    recent.Use("/new.add");
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/new.add", "/c.add", "/a.add", "/b.add",
                                                        "/d.add", "/e.add", "/f.add", "/g.add"}));

    Desk desk;
    desk.dialogs.paths = {"/d/week.add"};
    desk.Run("open");  // opened
    desk.Type("1+");
    desk.dialogs.paths = {"/d/mine.add"};
    desk.Run("saveas");  // saved
    EXPECT_EQ(desk.files.recent().paths(),
              (std::vector<std::string>{"/d/mine.add", "/d/week.add"}));
    desk.ports.messages.clear();
    desk.files.recent().Use("/d/gone.add");
    desk.files.OpenRecent("/d/gone.add");
    EXPECT_EQ(desk.ports.Texts(),
              (std::vector<std::string>{"The file gone.add is no longer there (/d/gone.add).\n\n"
                                        "It has been taken off the list of recent tapes."}));
    EXPECT_EQ(desk.files.recent().paths().front(), "/d/mine.add");
    // Opened from the list like File > Open: the tape is unchanged, so no question.
    desk.ports.answers = {Answer::kNo};  // replace, not append
    desk.files.OpenRecent("/d/week.add");
    EXPECT_EQ(std::tuple(desk.files.TapeFileName, desk.files.recent().paths().front()),
              std::tuple(std::string("/d/week.add"), std::string("/d/week.add")));
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
        // Read whole, the tape is the file and has nothing to save; read in part, it is
        // a change to save, and Save asks where, so as not to cut the file short.
        bool whole;
    } cases[] = {
        {damaged, Answer::kNo, 3, 2, kCorruptedText, false},
        // The file's own open line is the tape's: no second one after it.
        {AmountsFile(4, true) + "123", Answer::kNo, 4, 3, kAppendQuestion, true},
        {AmountsFile(kMaxLines + 10), Answer::kNo, kMaxLines, kMaxLines - 1, kTooLongText, false},
        {AmountsFile(kMaxLines - 3), Answer::kYes, kMaxLines, kMaxLines - 4, kTooLongText, false},
        {AmountsFile(kMaxLines, true), Answer::kNo, kMaxLines, kMaxLines - 1, kAppendQuestion,
         true},
        {EncodeTape({Line('+', NAN), Line('-', -INFINITY), Line('T', INFINITY, 999)}), Answer::kNo,
         4, INFINITY, kAppendQuestion, true},  // amounts no number can show
    };
    for (const auto& c : cases) {
        Desk desk;
        desk.Name("/d/big.add");  // a later Save must not cut off what could not be read
        desk.disk.files["/d/big.add"] = c.file;
        desk.ports.answers = {c.append};
        desk.files.OpenTapeFile("/d/big.add");
        const std::vector<TapeLine>& tape = desk.calc.tape().lines();
        ASSERT_EQ(tape.size(), c.lines);
        EXPECT_EQ(std::tuple(tape.back().Op, tape[c.lines - 2].Amount, desk.ports.Texts().back()),
                  std::tuple(op::kOpen, c.last_amount, std::string(c.last_message)));
        EXPECT_EQ(desk.calc.tape_changed(), !c.whole);
        EXPECT_EQ(desk.files.TapeFileName, c.whole ? "/d/big.add" : "");
        EXPECT_EQ(desk.calc.view().ShownText(0) == "Overflow", std::isinf(c.last_amount));
        // The end of the tape in view, the open line focused.
        const Calc& calc = desk.calc;
        EXPECT_EQ(calc.view().top_line() + calc.view().focus_row(), calc.cur_line());
        EXPECT_EQ(std::tuple(calc.cur_line(), calc.view().scroll_bar().max),
                  std::tuple(int(c.lines) - 1, std::max(0, int(c.lines) - 40)));
    }
}

// The files on the real disk, in a folder of this test's own.
TEST(StdFiles, write_whole_files_refuse_what_is_no_regular_file_and_clear_stale_temporaries) {
    namespace fs = std::filesystem;
    const TempFolder temp("tallymar-files");
    const fs::path& dir = temp.path();
    fs::create_directories(dir / "folder.add");
    std::ofstream(temp / "plain") << "x";
    mkfifo((temp / "pipe.add").c_str(), 0600);
    std::ofstream(temp / "t.add.0123456789abcdef.tmp") << "half";  // left by a save killed half-way
    std::ofstream(temp / "xt.add.0123456789abcdef.tmp") << "mine";
    StdFileSystem disk;
    std::string reason;
    ASSERT_TRUE(disk.Write(temp / "t.add", std::string(300, 'a'), &reason)) << reason;
    ASSERT_TRUE(disk.Write(temp / "t.add", "short", &reason)) << reason;
    EXPECT_EQ(disk.Read(temp / "t.add", 1000, &reason), "short");
    EXPECT_EQ(disk.Read(temp / "t.add", 3, &reason), "sho");
    EXPECT_FALSE(fs::exists(dir / "t.add.0123456789abcdef.tmp"));
    EXPECT_TRUE(fs::exists(dir / "xt.add.0123456789abcdef.tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 5);

    const std::tuple<std::string, FileKind, const char*> refused[] = {
        {temp / "none.add", FileKind::kNone, "No such file or directory"},
        {temp / "plain/t.add", FileKind::kNone, "Not a directory"},
        {temp / "folder.add", FileKind::kFolder, "it is a folder, not a file"},
        {temp / "pipe.add", FileKind::kPipe, "it is a named pipe, not a file"},
        {"/dev/null", FileKind::kDevice, "it is a device, not a file"},
    };
    for (const auto& [where, kind, why] : refused) {
        EXPECT_EQ(disk.KindOf(where), kind) << where;
        EXPECT_FALSE(disk.Read(where, 30, &reason)) << where;  // a pipe would block if opened
        EXPECT_EQ(reason, why) << where;
        if (kind == FileKind::kDevice || kind == FileKind::kNone) continue;
        EXPECT_FALSE(disk.Write(where, "data", &reason)) << where;
        EXPECT_EQ(reason, why) << where;
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder.add"));
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.add"));
    // A loop of links is no missing file: opening it says why it cannot be read.
    fs::create_symlink("loop.add", dir / "loop.add");
    EXPECT_EQ(disk.KindOf(temp / "loop.add"), FileKind::kOther);
    EXPECT_FALSE(disk.Read(temp / "loop.add", 30, &reason));
    EXPECT_EQ(reason, "Too many levels of symbolic links");
    // Names are bytes: no UTF-8, a blank at the end.
    for (const char* odd : {"caf\xE9.add", "week.add "}) {
        ASSERT_TRUE(disk.Write(temp / odd, "bytes", &reason)) << reason;
        EXPECT_EQ(disk.Read(temp / odd, 30, &reason), "bytes");
    }
}

// One writer for every file: through links, never over what is no regular file, the
// file's owner and permissions kept, a settings file at most rw-r--r--.
TEST(AtomicWrite, writes_through_links_and_keeps_owner_and_permissions) {
    namespace fs = std::filesystem;
    const TempFolder temp("tallymar-atomic");
    const fs::path& dir = temp.path();
    std::ofstream(temp / "real.add") << "old";
    fs::create_symlink("real.add", dir / "link.add");
    fs::create_symlink("gone.add", dir / "dangling.add");
    fs::create_symlink("loop.add", dir / "loop.add");
    mkfifo((temp / "pipe").c_str(), 0600);
    fs::create_symlink("pipe", dir / "to-pipe.ini");
    fs::create_symlink("/dev/null", dir / "to-device.ini");
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically(temp / "link.add", "new", AtomicWrite{}, &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir / "link.add"));
    EXPECT_EQ(testing::ReadBytes(temp / "real.add"), "new");
    const std::pair<const char*, const char*> refused[] = {
        {"dangling.add", "it is a link to a file that is not there"},
        {"loop.add", "Too many levels of symbolic links"},
        {"to-pipe.ini", "it is a named pipe, not a file"},
        {"to-device.ini", "it is a device, not a file"}};
    for (const auto& [name, why] : refused) {
        EXPECT_FALSE(WriteFileAtomically(temp / name, "x", AtomicWrite{}, &reason)) << name;
        EXPECT_EQ(reason, why) << name;
        EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));

    // Permissions and owner: kept, but never more than a settings file may have.
    fs::permissions(dir / "real.add", fs::perms(0640));
    ASSERT_TRUE(WriteFileAtomically(temp / "real.add", "again", AtomicWrite{}, &reason));
    EXPECT_EQ(fs::status(dir / "real.add").permissions(), fs::perms(0640));
    std::ofstream(temp / "Tallymar.ini") << "[OPTIONS]";
    fs::permissions(dir / "Tallymar.ini", fs::perms(0666));
    AtomicWrite settings;
    settings.most_mode = 0644;
    ASSERT_TRUE(WriteFileAtomically(temp / "Tallymar.ini", "[FORM]", settings, &reason));
    EXPECT_EQ(fs::status(dir / "Tallymar.ini").permissions(), fs::perms(0644));
    if (::geteuid() == 0) {  // only root can hand a file to another user
        ASSERT_EQ(::chown((temp / "real.add").c_str(), 4321, 4321), 0);
        ASSERT_TRUE(WriteFileAtomically(temp / "real.add", "root saved", AtomicWrite{}, &reason));
        struct stat status {};
        ASSERT_EQ(::stat((temp / "real.add").c_str(), &status), 0);
        EXPECT_EQ(std::tuple(status.st_uid, status.st_gid), std::tuple(4321u, 4321u));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 8);  // no temporary left
}

// The recovery copy: written by one window, left behind when it is killed, found by
// the next start (never while its window still runs), and put back whole.
// Where no temporary can be made beside a file, the settings file is written over in
// place; a write that fails either way names its reason and leaves the file as it was.
TEST(AtomicWrite, falls_back_to_writing_in_place_and_names_why_that_fails) {
    const TempFolder temp("tallymar-in-place");
    // The longest name a file may have: a temporary's longer name cannot be made.
    const std::string target = (temp.path() / std::string(255, 'n')).string();
    std::ofstream(target) << "old settings, longer than the new";
    AtomicWrite in_place;
    in_place.in_place_fallback = true;
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(target, "new", AtomicWrite{}, &reason));
    EXPECT_EQ(reason, "File name too long");
    ASSERT_TRUE(WriteFileAtomically(target, "new", in_place, &reason)) << reason;
    EXPECT_EQ(testing::ReadBytes(target), "new");

    // No file descriptor to spare: the file cannot even be opened.
    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old_limit), 0);
    const int lowest_free = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lowest_free, 0);
    ::close(lowest_free);
    rlimit none = old_limit;
    none.rlim_cur = static_cast<rlim_t>(lowest_free);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const bool saved = WriteFileAtomically(target, "newer", in_place, &reason);
    ::setrlimit(RLIMIT_NOFILE, &old_limit);
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason, "Too many open files");
    EXPECT_EQ(testing::ReadBytes(target), "new");
}

TEST(Recovery, a_killed_window_leaves_a_copy_the_next_start_restores_whole) {
    namespace fs = std::filesystem;
    const TempFolder temp("tallymar-recovery");
    const std::string folder = (temp.path() / "state" / "tallymar").string();
    const std::vector<TapeLine> tape{
        Line('H', 0), Line('T', 0), Line('H', 0), Line('+', 12.5), Line('C', 0, 2, "rent"),
        Line('B', 0)};
    // The copy's head keeps any name, a line feed included; junk is no copy.
    RecoveredTape read;
    ASSERT_TRUE(DecodeRecovery(EncodeRecovery(tape, "/d/we\nek.add", "we\nek.add"), &read));
    EXPECT_EQ(
        std::tuple(read.file_name, read.title, read.records),
        std::tuple(std::string("/d/we\nek.add"), std::string("we\nek.add"), EncodeTape(tape)));
    const std::string one_line = EncodeRecovery({Line('+', 7)}, "", "");
    ASSERT_TRUE(DecodeRecovery(one_line, &read));  // a copy of a single line is a copy
    EXPECT_EQ(read.records, EncodeTape({Line('+', 7)}));
    for (const std::string& junk :
         {std::string(), std::string("Tallymar recovery 1\n"),
          one_line.substr(0, one_line.size() - 1), std::string("Tallymar recovery 1\n9:x\n0:\n"),
          "Tallymar recovery 1\n99:0:\n" + EncodeTape(tape),
          "Tallymar recovery 2\n0:\n0:\n" + EncodeTape(tape)}) {
        EXPECT_FALSE(DecodeRecovery(junk, &read)) << junk;
    }

    // Another process keys, writes its copy and waits; it is found only once it is killed.
    int ready[2], go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        TapeRecovery window(folder);
        std::string reason;
        const bool written = window.Write(tape, "/d/week.add", "week.add", &reason);
        char byte = written ? 'y' : 'n';
        [[maybe_unused]] ssize_t n = ::write(ready[1], &byte, 1);
        n = ::read(go[0], &byte, 1);
        ::raise(SIGKILL);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    TapeRecovery next(folder);
    EXPECT_FALSE(next.FindLeftOver()) << "found while its window still runs";
    ASSERT_EQ(::write(go[1], &byte, 1), 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    std::optional<RecoveredTape> left = next.FindLeftOver();
    ASSERT_TRUE(left);
    EXPECT_EQ(fs::status(left->path).permissions(), fs::perms(0600));  // the user's alone

    Desk desk;
    ASSERT_TRUE(desk.files.RestoreTape(*left));
    EXPECT_EQ(EncodeTape(desk.calc.tape().lines()), EncodeTape(tape));
    EXPECT_EQ(std::tuple(desk.files.TapeFileName, desk.caption.caption, desk.calc.tape_changed()),
              std::tuple(std::string("/d/week.add"), std::string("*week.add - Tallymar"), true));
    // The same bytes under a name that is no window's copy are left alone.
    const std::string copy_bytes = testing::ReadBytes(left->path);
    TapeRecovery::Discard(*left);
    EXPECT_FALSE(next.FindLeftOver());
    for (const char* stranger : {"tape-1.add", "notes.recovery"}) {
        const fs::path path = fs::path(folder) / stranger;
        std::ofstream(path, std::ios::binary) << copy_bytes;
        EXPECT_FALSE(next.FindLeftOver()) << stranger;
        fs::remove(path);
    }

    // A window's own copy is written once for the same tape and goes with Remove.
    std::string reason;
    ASSERT_TRUE(next.Write(tape, "", "Tape1", &reason)) << reason;
    EXPECT_TRUE(next.HasCopy());
    next.Remove();
    EXPECT_FALSE(next.HasCopy());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);  // its lock alone

    // No copy is written without its window's lock: another start would take it for
    // one left behind. Here a folder stands where the next window's lock would go.
    const std::string lock = fs::directory_iterator(folder)->path().filename().string();
    const std::string stem = "tape-" + std::to_string(::getpid()) + "-";
    ASSERT_EQ(lock.rfind(stem, 0), 0u) << lock;
    const int window_number = std::stoi(lock.substr(stem.size()));
    fs::create_directory(fs::path(folder) / (stem + std::to_string(window_number + 1) + ".lock"));
    TapeRecovery locked_out(folder);
    EXPECT_FALSE(locked_out.Write(tape, "", "Tape1", &reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_FALSE(locked_out.HasCopy());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);  // no copy beside them
}

}  // namespace
}  // namespace tallymar::testing
