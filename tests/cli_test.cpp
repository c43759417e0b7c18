// tallymar-cli: its options, its tokens (the dialog ones too), its script errors and
// the lines it prints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "cli/script.h"
#include "temp_folder.h"

namespace tallymar::cli {
namespace {

using tallymar::testing::TempFolder;

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

TEST(CliTokens, do_what_the_window_would_and_print_what_it_would_show) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--keys", "say \"hi\\\"{{{Enter}"}, R"(L3 C "say \"hi\\\"{       ")"},
        {{"--keys", "5+{Dump}3+"}, "lines 5\n"},
        // An odd stored decimal code becomes the code of its button (3 -> 4 places).
        {{"--rows", "2", "--decimals", "3", "--calc-mode", "--keys", "5+"}, "\nrows 2 "},
        {{"--rows", "2", "--decimals", "3", "--calc-mode", "--keys", "5+"}, R"(L3 + "5.0000")"},
        // A dialog the window would open is a line; its tokens do what the dialog does.
        {{"--keys", "{mnuOptionsColors}{cmdPrint}"},
         "command mnuOptionsColors\ncommand cmdPrint\n"},
        {{"--keys", "5-{Theme Halloween}"}, "colors pos=0 neg=33023 txt=0 tap=16777215 bak=33023"},
        {{"--keys", "5-{Theme Halloween}"}, R"(R3 "5.00" "-" size=12 bold=0 locked=0 fore=33023)"},
        {{"--keys", "{NewTheme Midnight blue and gold}"},
         R"("Halloween      " "Midnight blue a" "St. Patrick    " "Valentine      " current 0)"},
        {{"--keys", "{NewTheme}"}, R"(msg "Tallymar" "Theme cannot be saved without a name" ok)"},
        {{"--keys", "{Theme Easter}{DeleteTheme}"},
         R"(dialog "Delete theme" "Are you sure you want to delete the Easter theme?  )"
         R"(It cannot be recovered after deletion." -> delete)"},
        {{"--keys",
          "{DeleteTheme}{DeleteTheme}{DeleteTheme}{DeleteTheme}{DeleteTheme}{DeleteTheme}"
          "{DeleteTheme}"},
         R"(msg "Tallymar" "The last remaining theme cannot be deleted. Save a new theme before )"
         R"(deleting this one." ok -> ok)"},
        {{"--keys", "{Convert foot|1|meters}{ShowConversion on}"},
         "converter \"1\" \"foot\" \"equals\" \"0.3048\" \"meters\"\n"},
        {{"--keys", "{ShowConversion on}{ShowConversion off}{Convert inch|3|mils}"}, "lines 4\n"},
        {{"--keys", "{Convert millennium|1|nanoseconds}{ShowConversion on}"},
         R"(L6 > "31,556,926,080,00" )"},
    };
    for (const auto& [args, line] : cases) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(line), std::string::npos) << args.back() << "\n" << r.out;
    }
    // A menu item or button by name runs the command its token runs.
    const Result by_item = Cli({"--keys", "5+3+{Click 3}{mnuEditInsert}"});
    EXPECT_EQ(by_item.out, Cli({"--keys", "5+3+{Click 3}{Insert}"}).out);
    EXPECT_NE(by_item.out.find(R"(L3   "0.00")"), std::string::npos) << by_item.out;
}

// Each find token prints the line it found, or the text it did not find, as the
// window's Find dialog and F3 and Shift+F3 would find it, in the locale's symbols.
TEST(CliTokens, find_prints_the_line_found_or_the_text_not_found) {
    const auto output = [](const char* keys, const NumberSymbols& symbols = {}) {
        const char* args[] = {"tallymar-cli", "--rows", "3", "--keys", keys};
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(CliMain(5, args, in, out, err, {}, symbols), 0) << err.str();
        return out.str();
    };
    const std::string found = output(
        "1234.5+rent{Enter}12.5+{Find 1,234.50}{FindNext}"
        "{Find RENT}{FindPrevious}{Find 12.5}{Find 9}{Dump}");
    EXPECT_NE(found.find("found L3\nfound L3\nfound L4\nfound L4\nfound L5\nbeep\n"
                         R"(msg "Tallymar" "Cannot find \"9\"." ok -> ok)"
                         "\nnot found \"9\"\n"),
              std::string::npos)
        << found;
    // The last line found is in the window and has the focus: rows 3 to 5, the last one.
    EXPECT_NE(found.find("rows 3 top=3 cur=5 focus=2\n"), std::string::npos) << found;
    EXPECT_NE(output("{FindPrevious}").find("command mnuEditFindPrevious\n"), std::string::npos);
    const NumberSymbols german{",", "."};
    EXPECT_NE(output("1234,5+{Find 1.234,50}{Find 1234.5}", german).find("found L3\nfound L3\n"),
              std::string::npos);
}

TEST(CliErrors, give_the_position_a_clear_message_and_status_2) {
    const std::pair<const char*, const char*> cases[] = {
        {"12{Bogus}", "script error at position 2: unknown token {Bogus}\n"},
        {"{Rows x}", "script error at position 0: bad number in {Rows x}\n"},
        {"1{Click 40}", "script error at position 1: row 40 does not exist\n"},
        {"{Decimals 3}", "script error at position 0: no decimal button has the code 3\n"},
        {"5{Enter", "script error at position 1: a token is not closed with }\n"},
        {"{Answer maybe}", "script error at position 0: an answer is yes, no, cancel or ok\n"},
        {"5{Open}", "script error at position 1: {Open PATH} needs a path\n"},
        {"{Save }", "script error at position 0: {Save PATH} needs a path\n"},
        {"5+{Theme Autumn}", "script error at position 2: no theme is named \"Autumn\"\n"},
        {"{Theme}", "script error at position 0: {Theme NAME} needs a name\n"},
        {"{Convert parsec|1|meters}", "script error at position 0: no unit is named \"parsec\"\n"},
        {"{Convert furlong|1|liters}",
         "script error at position 0: \"furlong\" does not convert to \"liters\"\n"},
        {"{Convert foot|1}",
         "script error at position 0: {Convert FROM|AMOUNT|TO} needs three parts\n"},
        {"{ShowConversion yes}", "script error at position 0: {ShowConversion} is on or off\n"},
        {"5+{Find  }", "script error at position 2: {Find TEXT} needs a text\n"},
        {"{FindNext 5}", "script error at position 0: unknown token {FindNext 5}\n"},
    };
    for (const auto& [keys, err] : cases) {
        const Result r = Cli({"--keys", keys});
        EXPECT_EQ(std::tuple(r.status, r.err), std::tuple(2, err)) << keys;
    }
    for (auto args : {std::vector<const char*>{"--rows"}, {"--rows", "-1"}, {"/no/such.keys"}})
        EXPECT_EQ(Cli(args).status, 2) << args.back();
}

TEST(CliFiles, save_writes_the_tape_under_its_name_with_add_and_open_reads_the_same_tape_back) {
    // A folder of its own (with a blank in its name), as builds may run side by side.
    const TempFolder folder("cli files");
    const std::string path = folder / "my sums";
    const Result saved = Cli({"--keys", ("rent{Enter}5+3-{Enter}{Save " + path + "}").c_str()});
    EXPECT_EQ(saved.out.substr(0, saved.out.find("\nlines ")),
              "caption \"*Tape1 - Tallymar\"\ndialog \"Save Tallymar File As\" \"Tape1.add\" -> " +
                  Quoted(path) + "\ncaption \"my sums.add - Tallymar\"");
    ASSERT_EQ(std::filesystem::file_size(path + ".add"), 9u * 30);
    // Opened as File > Open does it, on a fresh tape that needs no append question.
    const Result opened = Cli({"--keys", ("{Open " + path + ".add}").c_str()});
    EXPECT_EQ(opened.out.substr(0, opened.out.find("\nlines ")),
              "dialog \"Open Tallymar File\" \"\" -> " + Quoted(path + ".add") +
                  "\ncaption \"my sums.add - Tallymar\"");
    // The saved lines, then a new open line, and the tape unchanged.
    auto lines = [](const std::string& out) {  // L0 to L8
        const std::size_t from = out.find("\nL0 "), to = out.find('\n', out.find("\nL8 ") + 1);
        return out.substr(from, to - from);
    };
    EXPECT_EQ(lines(opened.out), lines(saved.out));
    EXPECT_NE(opened.out.find("changed=0"), std::string::npos) << opened.out;
    // Appended to another tape, Save asks for that tape's name and leaves the file alone.
    const Result appended =
        Cli({"--keys", ("2+{Answer no}{Answer yes}{Open " + path + ".add}{mnuFileSave}").c_str()});
    EXPECT_NE(appended.out.find("dialog \"Save Tallymar File As\" \"Tape1.add\" -> cancel"),
              std::string::npos)
        << appended.out;
    EXPECT_EQ(std::filesystem::file_size(path + ".add"), 9u * 30);
    // Named at start, corrected and saved: the file itself takes the correction, and
    // its open line takes the amount (a tape read and saved grows by no blank line).
    const Result corrected = Cli({"--open", (path + ".add").c_str(), "--keys", "4+{mnuFileSave}"});
    EXPECT_EQ(corrected.out.find("dialog"), std::string::npos) << corrected.out;
    EXPECT_EQ(std::filesystem::file_size(path + ".add"), 10u * 30);
}

}  // namespace
}  // namespace tallymar::cli
