// tallymar-cli's colour and converter tokens: themes picked, saved and deleted as
// the colour dialog does it, conversions shown and written onto the tape as the
// converter does it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace tallymar::cli {
namespace {

struct Ran {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

Ran Keys(const std::string& keys) {
    const char* args[] = {"tallymar-cli", "--keys", keys.c_str()};
    std::istringstream in;
    std::ostringstream out, err;
    const int status = CliMain(3, args, in, out, err);
    Ran ran{status, {}, err.str()};
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) ran.lines.push_back(line);
    return ran;
}

// The lines that start with `prefix`, in order.
std::vector<std::string> Starting(const Ran& ran, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : ran.lines) {
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

// The tape's lines from `first` on, as the dump shows them: operator and text.
std::vector<std::string> TapeFrom(const Ran& ran, int first) {
    std::vector<std::string> tape;
    for (const std::string& line : Starting(ran, "L")) {
        const size_t space = line.find(' ');
        if (std::stoi(line.substr(1, space - 1)) < first) continue;
        tape.push_back(line.substr(space + 1, line.find(" amount=") - space - 1));
    }
    return tape;
}

// The value of `key` ("fore=") in a line of KEY=VALUE words.
std::string Field(const std::string& line, const std::string& key) {
    const size_t start = line.find(key) + key.size();
    return line.substr(start, line.find(' ', start) - start);
}

// The text colour of the row showing `text` with the operator `op`.
std::string ForeOfRow(const Ran& ran, const std::string& text, const std::string& op) {
    const std::string shown = "\"" + text + "\" \"" + op + "\" ";
    for (const std::string& row : Starting(ran, "R")) {
        if (row.find(shown) == std::string::npos) continue;
        return Field(row, "fore=");
    }
    return "no such row";
}

TEST(CliConverter, writes_the_conversion_block_after_the_last_line_when_the_box_is_ticked) {
    struct Case {
        const char* keys;
        std::vector<std::string> block;  // from line 3, the open line of a new tape
    };
    const Case cases[] = {
        // Ticking the box writes the conversion on show at once.
        {"{Convert foot|1|meters}{ShowConversion on}",
         {"B \"\"", "> \"1\"", "> \"foot\"", "> \"0.304800003767014\"", "> \"meters\"",
          "H \"---------------\"", "B \"\""}},
        // Ticked with the amount box empty: an open line, three empty lines and the rule.
        {"{mnuOptionsConverter}{ShowConversion on}",
         {"B \"\"", "B \"\"", "> \"\"", "> \"\"", "> \"\"", "H \"---------------\"", "B \"\""}},
        // While ticked, every target picked writes a block; cleared, none.
        {"{ShowConversion on}{ShowConversion off}{Convert inch|3|mils}",
         {"B \"\"", "B \"\"", "> \"\"", "> \"\"", "> \"\"", "H \"---------------\"", "B \"\""}},
        // A long square name goes onto the tape shortened.
        {"{Convert square kilometer|1|hectares}{ShowConversion on}",
         {"B \"\"", "> \"1\"", "> \"sq. kilometer\"", "> \"100.\"", "> \"hectares\"",
          "H \"---------------\"", "B \"\""}},
    };
    for (const Case& c : cases) {
        const Ran ran = Keys(c.keys);
        ASSERT_EQ(ran.status, 0) << c.keys << ": " << ran.err;
        EXPECT_EQ(TapeFrom(ran, 3), c.block) << c.keys;
        EXPECT_NE(ran.lines.back().find("changed=1"), std::string::npos) << c.keys;
    }
}

TEST(CliConverter, cuts_a_long_result_to_seventeen_characters_on_the_tape_only) {
    const Ran ran = Keys("{Convert millenium|1|nanoseconds}{ShowConversion on}");
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::string shown = Starting(ran, "converter ").back();
    // converter "1" "millenium" "equals" "RESULT" "nanoseconds"
    const size_t start = shown.find("\"equals\" \"") + 10;
    const std::string result = shown.substr(start, shown.find('"', start) - start);
    ASSERT_GT(result.size(), 17u) << shown;
    EXPECT_EQ(TapeFrom(ran, 6).front(), "> \"" + result.substr(0, 17) + "\"");
}

TEST(CliThemes, a_theme_colours_the_rows_by_operator_and_sign_and_the_dump_shows_its_colours) {
    struct Case {
        const char* keys;
        const char* colors;
        std::vector<std::vector<std::string>> rows;  // text, operator, text colour
    };
    const Case cases[] = {
        {"5+3-{Theme Halloween}",
         "colors pos=0 neg=33023 txt=0 tap=16777215 bak=33023",
         {{"5.00", "+", "0"}, {"3.00", "-", "33023"}}},
        // Totals by their sign: a zero total takes the positive colour.
        {"5-{Enter}{Theme Christmas}",
         "colors pos=16777215 neg=255 txt=16711680 tap=49408 bak=255",
         {{"-5.00", "T", "255"}, {"0.00", "T", "16777215"}}},
        // Trailing blanks in the name are ignored.
        {"5+{Theme St. Patrick   }",
         "colors pos=16777215 neg=255 txt=16777215 tap=4227072 bak=33023",
         {{"5.00", "+", "16777215"}}},
        {"5-",
         "colors pos=0 neg=255 txt=16711680 tap=16777215 bak=4227072",
         {{"5.00", "-", "255"}}},
    };
    for (const Case& c : cases) {
        const Ran ran = Keys(c.keys);
        ASSERT_EQ(ran.status, 0) << c.keys << ": " << ran.err;
        EXPECT_EQ(Starting(ran, "colors ").back(), c.colors) << c.keys;
        for (const auto& row : c.rows) {
            EXPECT_EQ(ForeOfRow(ran, row[0], row[1]), row[2]) << c.keys << " " << row[0];
        }
    }
}

TEST(CliThemes, saving_and_deleting_print_the_list_in_its_order_with_the_current_theme) {
    const std::string question = R"(dialog "Delete theme" "Are you sure you want to delete the )";
    const std::string after = R"( theme?  It cannot be recovered after deletion." -> delete)";
    struct Case {
        const char* keys;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        // A new theme joins the list in its place, its name cut to 15 characters.
        {"{Theme Easter}{NewTheme Midnight blue and gold}",
         {R"(dialog "New Color Theme" "Please enter new color theme name:" -> )"
          R"("Midnight blue and gold")",
          R"(themes "Christmas      " "Default        " "Easter         " "Executive      " )"
          R"("Halloween      " "Midnight blue a" "St. Patrick    " "Valentine      " current 2)"}},
        {"{NewTheme}",
         {R"(dialog "New Color Theme" "Please enter new color theme name:" -> "")",
          R"(msg "Tallymar" "Theme cannot be saved without a name" ok -> ok)",
          R"(themes "Christmas      " "Default        " "Easter         " "Executive      " )"
          R"("Halloween      " "St. Patrick    " "Valentine      " current 0)"}},
        // Deleting theme 2 of 7 makes "Default" current again.
        {"{Theme Easter}{DeleteTheme}",
         {question + "Easter         " + after,
          R"(themes "Christmas      " "Default        " "Executive      " "Halloween      " )"
          R"("St. Patrick    " "Valentine      " current 0)"}},
        // Deleting "Default" makes the first theme current.
        {"{DeleteTheme}",
         {question + "Default        " + after,
          R"(themes "Christmas      " "Easter         " "Executive      " "Halloween      " )"
          R"("St. Patrick    " "Valentine      " current 0)"}},
    };
    for (const Case& c : cases) {
        const Ran ran = Keys(c.keys);
        ASSERT_EQ(ran.status, 0) << c.keys << ": " << ran.err;
        const std::vector<std::string> events(ran.lines.begin(),
                                              ran.lines.begin() + c.events.size());
        EXPECT_EQ(events, c.events) << c.keys;
    }
}

TEST(CliThemes, the_last_remaining_theme_is_never_deleted) {
    const Ran ran = Keys(
        "{DeleteTheme}{DeleteTheme}{DeleteTheme}{DeleteTheme}{DeleteTheme}"
        "{DeleteTheme}{Dump}{DeleteTheme}");
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(Starting(ran, "themes ").back(), R"(themes "Valentine      " current 0)");
    EXPECT_EQ(Starting(ran, "msg ").back(),
              R"(msg "Tallymar" "The last remaining theme cannot be deleted. Save a new theme )"
              R"(before deleting this one." ok -> ok)");
    // The colours are the last theme's, and stay so.
    EXPECT_EQ(Starting(ran, "colors ").front(), Starting(ran, "colors ").back());
    EXPECT_EQ(Starting(ran, "colors ").front(),
              "colors pos=16777215 neg=255 txt=16777215 tap=12040191 bak=255");
}

TEST(CliDialogTokens, that_name_no_theme_or_unit_are_script_errors) {
    struct Case {
        const char* keys;
        const char* err;
    };
    const Case cases[] = {
        {"5+{Theme Autumn}", "script error at position 2: no theme is named \"Autumn\"\n"},
        {"{Theme}", "script error at position 0: {Theme NAME} needs a name\n"},
        {"{Convert parsec|1|meters}", "script error at position 0: no unit is named \"parsec\"\n"},
        {"{Convert furlong|1|liters}",
         "script error at position 0: \"furlong\" does not convert to \"liters\"\n"},
        {"{Convert foot|1}",
         "script error at position 0: {Convert FROM|AMOUNT|TO} needs three parts\n"},
        {"{ShowConversion yes}", "script error at position 0: {ShowConversion} is on or off\n"},
    };
    for (const Case& c : cases) {
        const Ran ran = Keys(c.keys);
        EXPECT_EQ(ran.status, 2) << c.keys;
        EXPECT_EQ(ran.err, c.err);
    }
}

}  // namespace
}  // namespace tallymar::cli
