// What the rows of the tape window show for each kind of line, with the default
// theme's colours, and the selection and comment highlights.
#include "machine.h"

namespace tallymar::testing {
namespace {

constexpr Colour kTape = Rgb(255, 255, 255);
constexpr Colour kTypingGrey = Rgb(207, 207, 207);

// A row's look in one line: text|op size, "b" bold, "L" locked, "O" operator locked, ink.
std::string LookOf(const Machine& m, int r) {
    const Row& row = m.RowAt(r);
    const Colours& c = m.calc.colours();
    const std::string ink = row.fore == c.CurPosClr   ? "pos"
                            : row.fore == c.CurNegClr ? "neg"
                            : row.fore == c.CurTxtClr ? "txt"
                                                      : "other";
    EXPECT_EQ(row.op_fore, row.fore);
    EXPECT_EQ(row.op_back, row.back);
    return row.text + "|" + row.op + " " + std::to_string(row.font_size) + (row.bold ? "b" : "") +
           (row.locked ? "L" : "") + (row.op_locked ? "O" : "") + " " + ink +
           (row.back == kTape ? "" : " on other");
}

TEST(LineKinds, are_drawn_with_their_own_size_weight_lock_and_colours) {
    const struct {
        const char* keys;
        int row;
        const char* look;
    // clang-format off
    } cases[] = {
        {"", 0, "---------------| 12LO pos"},
        {"", 1, "0.00|T 10bL pos"},
        {"", 3, "| 12 pos"},
        {"5+", 3, "5.00|+ 12 pos"},
        {"5-", 3, "5.00|- 12 neg"},
        {"5+3+{S-Enter}", 5, "8.00|S 10bL pos"},
        {"9-{Enter}", 4, "-9.00|T 10bL neg"},
        {"{Decimals 0}.4-{Enter}", 4, "-0|T 10bL neg"},
        {"5+3+{Enter}", 6, "---------------| 12LO pos"},
        {"10+4*", 4, "10.00|* 10bL pos"},
        {"5-2*", 4, "-5.00|* 10bL neg"},
        {"10+4/", 4, "10.00|/ 10bL pos"},
        {"4*", 3, "4.00|* 12 pos"},
        {"12*3{Enter}", 4, "3.00|= 12 pos"},
        {"200*15%", 4, "15.00|% 12 pos"},
        {"1234.5-", 3, "1,234.50|- 12 neg"},
        {"rent{Enter}", 3, "rent             | 12 txt"},
        {"  rent{Enter}", 3, "rent           | 12 txt"},
        {"5+{Click 3}{Insert}{Home}", 3, "0.00|  12 pos"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m;
        m.Keys(c.keys);
        EXPECT_EQ(LookOf(m, c.row), c.look) << c.keys;
    }
}

TEST(Highlights, show_the_selected_lines_navy_and_follow_them_when_the_tape_scrolls) {
    Machine m;
    m.Keys("1+2+3+4+5+6+{Click 7}{S-Up}{S-Up}{S-Up}{S-Up}");
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        const bool selected = r >= 4 && r <= 7;
        EXPECT_EQ(m.RowAt(r).back, selected ? kSelectionBack : kTape) << r;
        EXPECT_EQ(m.RowAt(r).fore, selected ? Rgb(255, 255, 255) : 0u) << r;
    }
    Machine scrolled(StartUp().Rows(6));
    scrolled.Keys(kNineAmounts);
    scrolled.Keys("{Click 3}{S-Down}{S-Down}{Scroll 6}");
    for (int r = 0; r <= scrolled.calc.last_row(); ++r)
        EXPECT_EQ(scrolled.RowAt(r).back, r >= 4 ? kSelectionBack : kTape) << r;
}

TEST(Highlights, a_comment_being_typed_is_on_grey_until_it_is_stored) {
    Machine m;
    m.Keys("ab");
    EXPECT_EQ(m.RowAt(3).back, kTypingGrey);
    EXPECT_EQ(m.RowAt(3).fore, m.calc.colours().CurTxtClr);
    m.Keys("{Enter}");
    EXPECT_EQ(m.RowAt(3).back, kTape);
    m.Keys("5+3+{Enter}{Click 5}r");  // an amount turned into a comment
    EXPECT_EQ(m.RowAt(5).back, kTypingGrey);
}

TEST(DecimalButtons, reformat_the_total_but_not_the_lines_on_the_tape) {
    const struct {
        int code;
        int option_index;
        const char* total;
    // clang-format off
    } cases[] = {
        {16, 0, "1,234.5"},
        {0, 1, "1,235"},
        {1, 2, "1,234.5"},
        {2, 3, "1,234.50"},
        {4, 4, "1,234.5000"},
        {6, 5, "1,234.500000"},
        {17, 6, "1,234.50"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m;
        m.Keys("1234.5+{Click 3}{Decimals " + std::to_string(c.code) + "}");
        EXPECT_EQ(m.calc.options().DecimalCode, c.code);
        EXPECT_EQ(m.calc.decimal_option(), c.option_index);
        EXPECT_EQ(m.calc.total_text(), c.total);
        EXPECT_EQ(m.calc.focus_row(), m.calc.last_row());
        EXPECT_EQ(m.RowAt(3).text, "1,234.50");
    }
}

}  // namespace
}  // namespace tallymar::testing
