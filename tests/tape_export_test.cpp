// File > Export and Edit > Select all, through tallymar-cli's {Export PATH} and
// {SelectAll}: the CSV record for record, the text against Edit >
// Copy, and what a bad name or a failed write leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/recorder.h"
#include "cli/runner.h"
#include "cli/script.h"
#include "files/tape_export.h"
#include "temp_folder.h"

namespace tallymar::cli {
namespace {

using tallymar::testing::TempFolder;

// The records of a CSV text, each of which must end in CRLF.
std::vector<std::string> Records(const std::string& csv) {
    std::vector<std::string> records;
    for (std::size_t at = 0; at < csv.size();) {
        const std::size_t end = std::min(csv.find("\r\n", at), csv.size());
        EXPECT_LT(end, csv.size()) << "the last record has no CRLF";
        records.push_back(csv.substr(at, end - at));
        at = end + 2;
    }
    return records;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

double Number(const std::string& text) {
    double value = NAN;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << '"' << text << '"';
    return value;
}

// A started machine in a locale's number symbols, driven by key scripts.
struct Machine {
    explicit Machine(const NumberSymbols& symbols = {})
        : calc(Ports{recorder, recorder, recorder}, symbols) {
        StartUp(calc, RunOptions{});
    }
    void Keys(const std::string& script) { EXPECT_EQ(replayer.RunAll(script), "") << script; }

    std::ostringstream out;
    Recorder recorder{out};
    Calc calc;
    Replayer replayer{calc, recorder, out};
};

const NumberSymbols kC, kDe{",", "."};

// Each row keyed in C and in a decimal comma locale (the same figures written each
// locale's way): the CSV holds every line, its kind, its figures with "." and no
// grouping whatever the locale, its text, and running totals that end where the
// machine's running result stands.
TEST(CsvExport, reads_back_as_the_tapes_lines_and_figures_in_every_locale) {
    const struct {
        const char* c_keys;
        const char* de_keys;
        // Records from line 4 on: line, kind, amount, operator, text, running total.
        std::vector<std::string> records;
    } cases[] = {
        {"12.5+3-{Enter}",
         "12,5+3-{Enter}",
         {"4,amount,12.5,+,,12.5", "5,amount,3,-,,9.5", "6,total,9.5,,,9.5", "7,rule,,,,0",
          "8,open,,,,0"}},
        {"1,234.56+0.1+0.2+{S-Enter}7-",
         "1.234,56+0,1+0,2+{S-Enter}7-",
         {"4,amount,1234.56,+,,1234.56", "5,amount,0.1,+,,1234.66", "6,amount,0.2,+,,1234.86",
          "7,subtotal,1234.86,,,1234.86", "8,amount,7,-,,1227.86", "9,open,,,,1227.86"}},
        {"Rent, \"May\"{Enter}5*3=",
         "Rent; \"May\"{Enter}5*3=",
         {R"(4,comment,,,"Rent, ""May""",0)", "5,amount,5,*,,5", "6,amount,3,=,,15",
          "7,total,15,,,15", "8,rule,,,,0", "9,open,,,,0"}},
        {"10-4-{Enter}2*50%",
         "10-4-{Enter}2*50%",
         {"4,amount,10,-,,-10", "5,amount,4,-,,-14", "6,total,-14,,,-14", "7,rule,,,,0",
          "8,amount,2,*,,2", "9,amount,50,%,,1", "10,total,1,,,1", "11,rule,,,,0", "12,open,,,,0"}},
        {"{Convert foot|2|inches}{ShowConversion on}",
         "{Convert foot|2|inches}{ShowConversion on}",
         {"4,open,,,,0", "5,conversion,,,2,0", "6,conversion,,,feet,0", "7,conversion,,,24,0",
          "8,conversion,,,inches,0", "9,rule,,,,0", "10,open,,,,0"}},
    };
    // Every tape opens with a rule, a total of nothing and a rule.
    const std::vector<std::string> kFirstLines = {"1,rule,,,,0", "2,total,0,,,0", "3,rule,,,,0"};
    TempFolder folder;
    int exports = 0;
    for (const auto& c : cases) {
        for (const NumberSymbols* symbols : {&kC, &kDe}) {
            // Semicolons stand for commas in the decimal comma locale's comment.
            std::string keys = symbols == &kC ? c.c_keys : c.de_keys;
            if (symbols == &kDe) std::replace(keys.begin(), keys.end(), ';', ',');
            Machine machine(*symbols);
            const std::string path = folder / ("tape" + std::to_string(++exports) + ".csv");
            machine.Keys(keys + "{Export " + path + "}");
            const std::vector<std::string> records = Records(ReadFile(path));
            ASSERT_EQ(records.size(), machine.calc.tape().lines().size() + 1) << keys;
            EXPECT_EQ(records[0], "line,kind,amount,operator,text,running total");
            EXPECT_EQ(std::vector(records.begin() + 1, records.begin() + 4), kFirstLines) << keys;
            EXPECT_EQ(std::vector(records.begin() + 4, records.end()), c.records) << keys;
            const std::string& last = records.back();
            EXPECT_NEAR(Number(last.substr(last.rfind(',') + 1)), machine.calc.accumulator(), 1e-9)
                << keys;
        }
    }
}

// After every step of a script, corrections and insertions included, the running
// total of the tape's last line is the machine's running result.
TEST(CsvExport, running_totals_follow_the_machine_step_by_step) {
    const char* scripts[] = {
        "5+3+{Enter}2+{Up}{Up}{Up}7+{End}9-",
        "4*2.5=3/0+{Enter}",
        "3+4*2/4%6+{S-Enter}1-{ClickLine 3}8+{Insert}1+",
        "2+{Mode calc}3+4-5*2={Enter}",
        "6+Note{Enter}6*{ClickLine 5}{S-Click 5}{Delete}{Answer yes}",
    };
    for (const char* script : scripts) {
        Machine machine;
        std::vector<Action> actions;
        ScriptError error;
        ASSERT_TRUE(ParseScript(script, &actions, &error)) << script;
        for (const Action& action : actions) {
            ASSERT_EQ(machine.replayer.Run(action), "") << script;
            EXPECT_NEAR(RunningTotals(machine.calc.tape().lines()).back(),
                        machine.calc.accumulator(), 1e-9)
                << script << " at " << action.position;
        }
    }
}

TEST(CsvExport, writes_plain_figures_whatever_their_size) {
    const std::pair<double, const char*> figures[] = {{0.1 + 0.2, "0.3"},
                                                      {-0.0, "0"},
                                                      {1e20, "100000000000000000000"},
                                                      {0.000125, "0.000125"},
                                                      {-1234567.891, "-1234567.891"}};
    for (const auto& [value, text] : figures) EXPECT_EQ(PlainNumber(value), text) << value;
}

// The text file is Edit > Copy's text, a line each: the lines a selection
// highlights, or the whole tape, as Select all then Copy gives it.
TEST(TextExport, holds_what_edit_copy_gives_a_line_each) {
    const char* selections[] = {"{S-Click 3}{S-Drag 3 500}", "{SelectAll}", ""};
    TempFolder folder;
    for (const char* selection : selections) {
        Machine machine(kDe);
        machine.Keys("1.234,5+Lunch{Enter}2-{Enter}");
        const std::string path = folder / (std::to_string(std::strlen(selection)) + ".TXT");
        machine.Keys(std::string(selection) + "{Export " + path + "}" +
                     (*selection ? "" : "{SelectAll}") + "{Copy}");
        const std::string text = ReadFile(path);
        ASSERT_FALSE(text.empty()) << selection;
        EXPECT_EQ(text.back(), '\n');
        const std::string out = machine.out.str();
        const std::string copied = out.substr(out.rfind("clipboard "));
        EXPECT_EQ(copied, "clipboard " + Quoted(text.substr(0, text.size() - 1)) + "\n")
            << selection;
    }
}

// Select all highlights every line, the open line too: Copy takes them all as it
// writes each line, Delete asks about them all and leaves a tape that starts again.
TEST(SelectAll, gives_every_line_to_copy_and_delete) {
    const struct {
        const char* keys;
        const char* seen;
    } cases[] = {
        {"5+6+{Enter}{SelectAll}{Copy}",
         "clipboard \"0.00H\\n0.00T\\n0.00H\\n5.00+\\n6.00+\\n11.00T\\n0.00H\\n0.00B\"\n"},
        {"5+6+{SelectAll}{Answer yes}{Delete}",
         "\"Do you really want to delete the 6 selected rows?\" yesnocancel -> yes"},
        {"5+6+{SelectAll}{Answer no}{Delete}", "lines 6\n"},
        // The tape starts again from its first rule, and the total display with it.
        {"5+6+{SelectAll}{Answer yes}{Delete}", "lines 2\nL0 H"},
        {"5+6+{SelectAll}{Answer yes}{Delete}", "total \"0.00\" acc=0"},
    };
    for (const auto& c : cases) {
        Machine machine;
        machine.Keys(std::string(c.keys) + "{Dump}");
        EXPECT_NE(machine.out.str().find(c.seen), std::string::npos) << c.keys << "\n"
                                                                     << machine.out.str();
    }
}

// A name that is not .csv or .txt, a file that is there, a folder in the way and a
// write that fails are each told, and nothing is written over unasked; the tape
// itself is not touched: no change marked, no new name.
TEST(Export, tells_what_stands_in_the_way_and_loses_nothing) {
    TempFolder folder;
    const std::string old_csv = folder / "old.csv";
    std::ofstream(old_csv) << "kept";
    std::filesystem::create_directory(folder / "folder.csv");
    const struct {
        std::string keys;
        std::string seen;  // in what tallymar-cli prints
        std::string file;  // old.csv afterwards
    } cases[] = {
        {"{Export " + folder / "tape.ods" + "}",
         "tape.ods is neither a CSV file (.csv) nor a text file (.txt).", "kept"},
        {"{Answer no}{Export " + old_csv + "}", "A file named old.csv already exists.", "kept"},
        {"{Export " + folder / "folder.csv" + "}",
         "Tallymar could not export folder.csv: it is a folder, not a file", "kept"},
        {"{Export " + folder / "none/x.csv" + "}",
         "Tallymar could not export x.csv: No such file or directory", "kept"},
        {"{Answer yes}{Export " + old_csv + "}", "dialog \"Export Tallymar Tape\" \"week5.csv\"",
         "line,kind,amount,operator,text,running total\r\n1,rule,,,,0\r\n"},
    };
    int saves = 0;
    for (const auto& c : cases) {
        Machine machine;
        machine.Keys("{Save " + folder / ("week" + std::to_string(++saves) + ".add") + "}5+");
        machine.out.str("");
        machine.Keys(c.keys);
        const std::string out = machine.out.str();
        EXPECT_NE(out.find(c.seen), std::string::npos) << c.keys << "\n" << out;
        // Refused: the dialog comes back with the name chosen, and is cancelled here.
        if (c.file == "kept") {
            EXPECT_NE(out.find("-> cancel"), std::string::npos) << out;
        }
        EXPECT_EQ(ReadFile(old_csv).substr(0, c.file.size()), c.file) << c.keys;
        EXPECT_EQ(out.find("caption"), std::string::npos) << out;
        EXPECT_TRUE(machine.calc.tape_changed());
        std::ofstream(old_csv) << "kept";
    }
}

}  // namespace
}  // namespace tallymar::cli
