// What a screen reader says for each row of the tape window and for the total
// display, after keys typed as a person types them.
#include <string>

#include "engine/spoken_line.h"
#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(SpokenRow, says_the_figure_as_shown_and_the_kind_of_line) {
    const struct {
        const char* keys;
        int row;  // the tapes fit the window: row N shows line N
        const char* says;
        // clang-format off
    } cases[] = {
        {"", 1, "total 0.00"}, {"", 0, "rule"}, {"", 3, "new entry"}, {"", 11, "empty"},
        {"12.5", 3, "new entry 12.5"}, {"12.5+", 3, "12.50 plus"}, {"12.5+", 4, "new entry"},
        {"9-", 3, "9.00 minus"}, {"7*", 3, "7.00 times"}, {"8/", 3, "8.00 divided by"},
        {"5+50%", 4, "50.00 percent"}, {"5+3+{Enter}", 5, "total 8.00"}, {"5+3+{Enter}", 6, "rule"},
        {"5+3+{S-Enter}", 5, "subtotal 8.00"}, {"5-{Enter}", 4, "total -5.00"},
        {"rent{Enter}", 3, "comment: rent"}, {"{Decimals 0}5+{Decimals 2}", 3, "5 plus"},
        {"{Decimals 16}0.125+", 3, "0.125 plus"}, {"1234567+", 3, "1,234,567.00 plus"},
        // A line being corrected says what is keyed into it.
        {"5+3+{Up}7", 4, "7 plus"}, {"5+3+{Up}{Up}{Insert}", 3, "inserted line 0"}};
    // clang-format on
    for (const auto& c : cases) {
        Machine m(StartUp().Rows(12).Decimals(2));
        m.Keys(c.keys);
        EXPECT_EQ(SpokenRow(m.calc, c.row), c.says) << "keys: " << c.keys << ", row " << c.row;
    }
}

TEST(SpokenRow, adds_selected_exactly_where_the_row_is_drawn_highlighted) {
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
}

TEST(SpokenTotal, says_the_running_total_in_the_decimals_shown) {
    const std::pair<const char*, const char*> cases[] = {{"", "total 0.00"},
                                                         {"5+3+", "total 8.00"},
                                                         {"5-9+{S-Enter}", "total 4.00"},
                                                         {"2-{Enter}", "total -2.00"},
                                                         {"{Decimals 4}5+3+", "total 8.0000"}};
    for (const auto& [keys, says] : cases) {
        Machine m(StartUp().Rows(12).Decimals(2));
        m.Keys(keys);
        EXPECT_EQ(SpokenTotal(m.calc), says) << "keys: " << keys;
    }
}

}  // namespace
}  // namespace tallymar::testing
