// tallymar-cli: its options, its script errors and the lines it prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "cli/script.h"

namespace tallymar::cli {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result Cli(std::vector<const char*> args, const std::string& input = "") {
    args.insert(args.begin(), "tallymar-cli");
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = CliMain(static_cast<int>(args.size()), args.data(), in, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CliOutput, prints_the_whole_state_of_a_new_tape) {
    Result r = Cli({"--rows", "3", "--keys", ""});
    ASSERT_EQ(r.status, 0);
    const std::string zeros = R"(\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0)";
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{
                  "lines 4",
                  R"(L0 H "---------------" amount=0 dec=2 entry=")" + zeros + "\"",
                  R"(L1 T "0.00" amount=0 dec=2 entry=")" + zeros + "\"",
                  R"(L2 H "---------------" amount=0 dec=2 entry="---------------  ")",
                  R"(L3 B "" amount=0 dec=2 entry=")" + zeros + "\"",
                  "rows 3 top=1 cur=3 focus=2",
                  R"(R0 "0.00" "T" size=10 bold=1 locked=1 fore=0 back=16777215)",
                  R"(R1 "---------------" "" size=12 bold=0 locked=1 fore=0 back=16777215)",
                  R"(R2 "" "" size=12 bold=0 locked=0 fore=0 back=16777215)",
                  "colors pos=0 neg=255 txt=16711680 tap=16777215 bak=4227072",
                  R"(total "0.00" acc=0 changed=0)",
              }));
}

TEST(CliOutput, events_come_in_order_before_the_state) {
    Result r = Cli({"--machine", "Canon", "--keys", "{Answer yes}5+{Enter}{NumLock}{C-v}{C-c}"});
    ASSERT_EQ(r.status, 0);
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "play Canon1.wav");
    EXPECT_EQ(lines[1], "play Canon2.wav");
    // A queued answer that the box cannot give is used up and the default button taken.
    EXPECT_EQ(
        lines[2],
        R"(msg "Tallymar" "The Num Lock key was pressed.  The Tallymar requires the Num Lock )"
        R"(to be on at all times.\nIf it is off, please press the OK below and then press the )"
        R"(Num Lock key to turn it on." ok -> ok)");
    EXPECT_EQ(lines[3], "beep");
    EXPECT_EQ(lines[4], R"(clipboard "\r\n0.00H")");
}

TEST(CliOutput, quotes_and_backslashes_in_texts_are_escaped) {
    Result r = Cli({"--keys", "say \"hi\\\"{Enter}"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"(L3 C "say \"hi\\\"        ")"), std::string::npos) << r.out;
}

TEST(CliOutput, dump_prints_the_state_where_it_stands) {
    Result r = Cli({"--keys", "5+{Dump}3+"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("lines 5\n"), std::string::npos);
    EXPECT_NE(r.out.find("lines 6\n"), std::string::npos);
}

TEST(CliCommands, a_menu_item_or_button_by_name_runs_the_command_the_window_runs) {
    // The item runs what its named token runs; a dialog the window would open is a line.
    const Result by_item = Cli({"--keys", "5+3+{Click 3}{mnuEditInsert}{mnuOptionsColors}"});
    const Result by_token = Cli({"--keys", "5+3+{Click 3}{Insert}"});
    ASSERT_EQ(by_item.status, 0);
    EXPECT_EQ(Lines(by_item.out).front(), "command mnuOptionsColors");
    EXPECT_EQ(by_item.out, "command mnuOptionsColors\n" + by_token.out);
    EXPECT_NE(by_item.out.find(R"(L3   "0.00")"), std::string::npos) << by_item.out;
    // Without {Pdf PATH} the print dialog is a line too.
    const Result print = Cli({"--keys", "{cmdPrint}{mnuFilePrintPreview}"});
    EXPECT_EQ(Lines(print.out)[0], "command cmdPrint");
    EXPECT_EQ(Lines(print.out)[1], "command mnuFilePrintPreview");
}

TEST(CliOptions, set_the_settings_before_start_up) {
    Result r = Cli({"--rows", "2", "--decimals", "3", "--calc-mode", "--keys", "5+"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("rows 2 "), std::string::npos);
    // An odd stored decimal code becomes the code of its button (3 -> 4 places).
    EXPECT_NE(r.out.find(R"(L3 + "5.0000")"), std::string::npos) << r.out;
}

TEST(CliOptions, read_the_script_from_a_file_or_standard_input) {
    const std::string path = ::testing::TempDir() + "cli_test_script.keys";
    std::ofstream(path) << "2*\r\n3{Enter}\n";
    Result from_file = Cli({path.c_str()});
    Result from_stdin = Cli({"-"}, "2*\r\n3{Enter}\n");
    std::remove(path.c_str());
    ASSERT_EQ(from_file.status, 0);
    EXPECT_NE(from_file.out.find(R"(L5 T "6.00")"), std::string::npos) << from_file.out;
    EXPECT_EQ(from_file.out, from_stdin.out);
}

TEST(CliErrors, give_the_position_and_status_2) {
    struct Case {
        std::vector<const char*> args;
        std::string err;
    };
    const Case cases[] = {
        {{"--keys", "12{Bogus}"}, "script error at position 2: unknown token {Bogus}\n"},
        {{"--keys", "{Rows x}"}, "script error at position 0: bad number in {Rows x}\n"},
        {{"--keys", "1{Click 40}"}, "script error at position 1: row 40 does not exist\n"},
        {{"--keys", "{Decimals 3}"},
         "script error at position 0: no decimal button has the code 3\n"},
        {{"--keys", "5{Enter"}, "script error at position 1: a token is not closed with }\n"},
        {{"--keys", "{Answer maybe}"},
         "script error at position 0: an answer is yes, no, cancel or ok\n"},
        {{"--keys", "5{Open}"}, "script error at position 1: {Open PATH} needs a path\n"},
        {{"--keys", "{Save }"}, "script error at position 0: {Save PATH} needs a path\n"},
    };
    for (const Case& c : cases) {
        Result r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args[1];
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(Cli({"--rows"}).status, 2);
    EXPECT_EQ(Cli({"--rows", "-1"}).status, 2);
    EXPECT_EQ(Cli({"/no/such/script.keys"}).status, 2);
}

TEST(CliScript, braces_and_line_breaks_are_read_as_the_notation_says) {
    std::vector<Action> actions;
    ScriptError error;
    ASSERT_TRUE(
        ParseScript("{{a\r\n{S-Drag 2 -300}{Voice Grunk}é{Open /a b/c d.add}", &actions, &error));
    ASSERT_EQ(actions.size(), 6u);
    EXPECT_EQ(actions[0].character, U'{');
    EXPECT_EQ(actions[1].character, U'a');
    EXPECT_EQ(actions[2].kind, Action::Kind::kShiftDrag);
    EXPECT_EQ(actions[2].number, 2);
    EXPECT_DOUBLE_EQ(actions[2].y, -300);
    EXPECT_EQ(actions[3].text, "Grunk");
    EXPECT_EQ(actions[4].character, U'é');
    EXPECT_EQ(actions[5].kind, Action::Kind::kFile);
    EXPECT_EQ(actions[5].text, "/a b/c d.add");  // a path keeps its blanks
}

// A folder of its own for the tape files a test writes.
class CliFiles : public ::testing::Test {
  protected:
    // Named after the test, as ctest runs the tests side by side; the blank is on purpose.
    std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) /
        ("cli files " +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) { return (dir / name).string(); }
    std::vector<std::string> Events(const std::string& keys) {
        Result r = Cli({"--rows", "6", "--keys", keys.c_str()});
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::string> lines = Lines(r.out);
        lines.erase(std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.rfind("lines ", 0) == 0; }),
                    lines.end());
        return lines;
    }
    std::string Tape(const std::string& keys) {
        std::string out = Cli({"--keys", keys.c_str()}).out;
        return out.substr(out.find("lines "));
    }
};

TEST_F(CliFiles, save_writes_the_tape_under_the_name_with_add_and_open_reads_it_back) {
    const std::string path = Path("my sums");
    EXPECT_EQ(Events("5+3+{Enter}{Save " + path + "}"),
              (std::vector<std::string>{
                  "dialog \"Save Tallymar File As\" \"Tape1.add\" -> " + Quoted(path),
                  "caption \"Tallymar - my sums\"",
              }));
    ASSERT_EQ(std::filesystem::file_size(path + ".add"), 8u * 30);
    EXPECT_EQ(Events("{Answer no}{Open " + path + ".add}"),
              (std::vector<std::string>{
                  R"(msg "Tallymar" "Do you wish to append the file to the existing tape?" )"
                  R"(yesnocancel -> no)",
                  "caption \"Tallymar - Tape1\"",
                  "caption \"Tallymar-my sums.add\"",
              }));
    // The saved lines, then a new open line.
    std::vector<std::string> saved = Lines(Tape("5+3+{Enter}"));
    std::vector<std::string> opened = Lines(Tape("{Answer no}{Open " + path + ".add}"));
    EXPECT_EQ(opened[0], "lines 9");
    EXPECT_EQ(std::vector(opened.begin() + 1, opened.begin() + 9),
              std::vector(saved.begin() + 1, saved.begin() + 9));
    EXPECT_EQ(opened[9].substr(0, 6), "L8 B \"");
    EXPECT_NE(opened.back().find("changed=0"), std::string::npos);
}

TEST_F(CliFiles, save_over_an_existing_file_asks_and_no_opens_the_dialog_again) {
    const std::string path = Path("t.add");
    Events("{Save " + path + "}");
    const std::string replace =
        R"(msg "Tallymar" "A file named t.add already exists.\n\nDo you wish to replace the )"
        R"(existing file?" yesno -> )";
    EXPECT_EQ(Events("5+{Save " + path + "}"),
              (std::vector<std::string>{
                  "dialog \"Save Tallymar File As\" \"Tape1.add\" -> " + Quoted(path),
                  replace + "no",
                  "dialog \"Save Tallymar File As\" " + Quoted(path) + " -> cancel",
              }));
    EXPECT_EQ(std::filesystem::file_size(path), 4u * 30);
    EXPECT_EQ(Events("5+{Answer yes}{Save " + path + "}").at(1), replace + "yes");
    EXPECT_EQ(std::filesystem::file_size(path), 5u * 30);
}

TEST_F(CliFiles, new_and_clear_ask_to_save_a_changed_tape_and_start_a_new_one) {
    for (const char* token : {"{New}", "{Clear}"}) {
        EXPECT_EQ(Events(std::string("5+{Answer no}") + token),
                  (std::vector<std::string>{
                      R"(msg "Tallymar" "Do you want to save the changes you made to your )"
                      R"(existing tape ?\n\n" yesnocancel -> no)",
                      R"(caption "Tallymar - Tape1")",
                  }))
            << token;
    }
}

}  // namespace
}  // namespace tallymar::cli
