// What a screen reader says for each row of the tape window and for the total
// display, after keys typed as a person types them.
#include <string>

#include "engine/spoken_line.h"
#include "machine.h"

namespace tallymar::testing {
namespace {

struct Spoken {
    const char* keys;
    int row;  // the tapes fit the window: row N shows line N
    const char* says;
};

class RowsInWords : public ::testing::TestWithParam<Spoken> {};

TEST_P(RowsInWords, say_the_figure_as_shown_and_the_kind_of_line) {
    const Spoken& c = GetParam();
    Machine m(StartUp().Rows(12).Decimals(2));
    m.Keys(c.keys);
    EXPECT_EQ(SpokenRow(m.calc, c.row), c.says) << "keys: " << c.keys << ", row " << c.row;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfLine, RowsInWords,
    ::testing::Values(
        Spoken{"", 1, "total 0.00"}, Spoken{"", 0, "rule"}, Spoken{"", 3, "new entry"},
        Spoken{"12.5", 3, "new entry 12.5"}, Spoken{"12.5+", 3, "12.50 plus"},
        Spoken{"12.5+", 4, "new entry"}, Spoken{"9-", 3, "9.00 minus"},
        Spoken{"7*", 3, "7.00 times"}, Spoken{"8/", 3, "8.00 divided by"},
        Spoken{"5+50%", 4, "50.00 percent"}, Spoken{"5+3+{Enter}", 5, "total 8.00"},
        Spoken{"5+3+{Enter}", 6, "rule"}, Spoken{"5+3+{Enter}", 7, "new entry"},
        Spoken{"5+3+{S-Enter}", 5, "subtotal 8.00"}, Spoken{"5-8+{Enter}", 5, "total 3.00"},
        Spoken{"5-{Enter}", 4, "total -5.00"}, Spoken{"rent{Enter}", 3, "comment: rent"},
        Spoken{"{Decimals 4}5+", 3, "5.0000 plus"},
        Spoken{"{Decimals 0}5+{Decimals 2}", 3, "5 plus"},
        Spoken{"{Decimals 16}0.125+", 3, "0.125 plus"}, Spoken{"1234567+", 3, "1,234,567.00 plus"},
        // A line being corrected says what is keyed into it.
        Spoken{"5+3+{Up}7", 4, "7 plus"}, Spoken{"5+3+{Up}{Up}{Insert}", 3, "inserted line 0"},
        // A row below the end of a short tape shows nothing.
        Spoken{"", 11, "empty"}));

TEST(HighlightedRows, add_selected_exactly_where_the_row_is_drawn_highlighted) {
    Machine m(StartUp().Rows(12).Decimals(2));
    m.Keys("5+3+4+{S-Up}{S-Up}{S-Up}");
    int selected = 0;
    for (int row = 0; row <= m.calc.last_row(); ++row) {
        const std::string said = SpokenRow(m.calc, row);
        const bool highlighted = m.RowAt(row).back == kSelectionBack;
        EXPECT_EQ(said.ends_with(", selected"), highlighted) << "row " << row << ": " << said;
        selected += highlighted;
    }
    EXPECT_GE(selected, 2);
    EXPECT_EQ(SpokenRow(m.calc, 5), "4.00 plus, selected");
    EXPECT_EQ(SpokenRow(m.calc, 2), "rule");
}

TEST(TheTotalDisplay, says_the_running_total_in_the_decimals_shown) {
    const struct {
        const char* keys;
        const char* says;
    } cases[] = {{"", "total 0.00"},
                 {"5+3+", "total 8.00"},
                 {"5+3+{Enter}", "total 8.00"},
                 {"5-9+{S-Enter}", "total 4.00"},
                 {"2-{Enter}", "total -2.00"},
                 {"{Decimals 4}5+3+", "total 8.0000"}};
    for (const auto& c : cases) {
        Machine m(StartUp().Rows(12).Decimals(2));
        m.Keys(c.keys);
        EXPECT_EQ(SpokenTotal(m.calc), c.says) << "keys: " << c.keys;
    }
}

}  // namespace
}  // namespace tallymar::testing
