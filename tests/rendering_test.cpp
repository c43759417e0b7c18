// What the rows of the tape window show for each kind of line, with the default
// theme's colours; selection and comment highlights; the decimal buttons and
// Shift+drag selection.
#include <algorithm>
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

// The default theme's colours and the highlights, as red + 256 * green + 65536 * blue.
constexpr Colour kPositive = 0;
constexpr Colour kNegative = 255;
constexpr Colour kText = 16711680;
constexpr Colour kTape = 16777215;
constexpr Colour kNavy = 8388608;
constexpr Colour kWhite = 16777215;
constexpr Colour kTypingGrey = 207 + 256 * 207 + 65536 * 207;

constexpr const char* kNineAmounts = "1+2+3+4+5+6+7+8+9+";

struct RowLook {
    const char* keys;
    int line;  // shown in the row of the same number (the tapes fit the window)
    const char* text;
    const char* op;
    int size;
    bool bold;
    bool locked;
    Colour fore;
};

class LineKinds : public ::testing::TestWithParam<RowLook> {};

TEST_P(LineKinds, are_drawn_with_their_own_text_size_weight_lock_and_colours) {
    const RowLook& c = GetParam();
    Machine m;
    m.Keys(c.keys);
    ASSERT_EQ(m.calc.top_line(), 0);
    const Row& row = m.RowAt(c.line);
    EXPECT_EQ(row.text, c.text);
    EXPECT_EQ(row.op, c.op);
    EXPECT_EQ(row.font_size, c.size);
    EXPECT_EQ(row.bold, c.bold);
    EXPECT_EQ(row.locked, c.locked);
    EXPECT_EQ(row.fore, c.fore);
    EXPECT_EQ(row.op_fore, c.fore);
    EXPECT_EQ(row.back, kTape);
    EXPECT_EQ(row.op_back, kTape);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultTheme, LineKinds,
    ::testing::Values(RowLook{"", 0, "---------------", "", 12, false, true, kPositive},
                      RowLook{"", 1, "0.00", "T", 10, true, true, kPositive},
                      RowLook{"", 3, "", "", 12, false, false, kPositive},
                      RowLook{"5+", 3, "5.00", "+", 12, false, false, kPositive},
                      RowLook{"5-", 3, "5.00", "-", 12, false, false, kNegative},
                      RowLook{"5+3+{S-Enter}", 5, "8.00", "S", 10, true, true, kPositive},
                      RowLook{"9-{Enter}", 4, "-9.00", "T", 10, true, true, kNegative},
                      RowLook{"5+3+{Enter}", 6, "---------------", "", 12, false, true, kPositive},
                      RowLook{"10+4*", 4, "10.00", "*", 10, true, true, kPositive},
                      RowLook{"5-2*", 4, "-5.00", "*", 10, true, true, kNegative},
                      RowLook{"10+4/", 4, "10.00", "/", 10, true, true, kPositive},
                      RowLook{"4*", 3, "4.00", "*", 12, false, false, kPositive},
                      RowLook{"3/", 3, "3.00", "/", 12, false, false, kPositive},
                      RowLook{"12*3{Enter}", 4, "3.00", "=", 12, false, false, kPositive},
                      RowLook{"12*3{Enter}", 5, "36.00", "T", 10, true, true, kPositive},
                      RowLook{"200*15%", 4, "15.00", "%", 12, false, false, kPositive},
                      RowLook{"1234.5-", 3, "1,234.50", "-", 12, false, false, kNegative},
                      RowLook{"rent{Enter}", 3, "rent             ", "", 12, false, false, kText},
                      RowLook{"  rent{Enter}", 3, "rent           ", "", 12, false, false, kText},
                      RowLook{"5+{Click 3}{Insert}{Home}", 3, "0.00", " ", 12, false, false,
                              kPositive}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(RuleRows, lock_the_operator_box_as_well) {
    Machine m;
    EXPECT_TRUE(m.RowAt(0).op_locked);
    EXPECT_TRUE(m.RowAt(2).op_locked);
    EXPECT_FALSE(m.RowAt(1).op_locked);
}

TEST(Highlights, a_selection_from_line_seven_up_to_four_is_navy_with_white_text) {
    Machine m;
    m.Keys("1+2+3+4+5+6+{Click 7}{S-Up}{S-Up}{S-Up}{S-Up}");
    EXPECT_EQ(m.calc.sel_start_line(), 7);
    EXPECT_EQ(m.calc.sel_end_line(), 4);
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        const bool selected = r >= 4 && r <= 7;
        const Row& row = m.RowAt(r);
        EXPECT_EQ(row.back, selected ? kNavy : kTape) << "row " << r;
        EXPECT_EQ(row.op_back, selected ? kNavy : kTape) << "row " << r;
        EXPECT_EQ(row.fore, selected ? kWhite : kPositive) << "row " << r;
        EXPECT_EQ(row.op_fore, selected ? kWhite : kPositive) << "row " << r;
    }
}

TEST(Highlights, follow_the_selected_lines_when_the_tape_scrolls) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Click 3}{S-Down}{S-Down}");
    ASSERT_EQ(m.calc.sel_start_line(), 10);
    ASSERT_EQ(m.calc.sel_end_line(), 11);
    m.Keys("{Scroll 6}");
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).back, r >= 4 ? kNavy : kTape) << "row " << r;
    }
}

TEST(Highlights, a_comment_being_typed_is_text_coloured_on_grey_until_it_is_stored) {
    Machine m;
    m.Keys("ab");
    EXPECT_EQ(m.RowAt(3).fore, kText);
    EXPECT_EQ(m.RowAt(3).op_fore, kText);
    EXPECT_EQ(m.RowAt(3).back, kTypingGrey);
    EXPECT_EQ(m.RowAt(3).op_back, kTypingGrey);
    m.Keys("{Enter}");
    EXPECT_EQ(m.RowAt(3).back, kTape);
    EXPECT_EQ(m.RowAt(3).fore, kText);
}

struct DecimalButton {
    int code;
    int option_index;
    const char* total;
};

class DecimalButtons : public ::testing::TestWithParam<DecimalButton> {};

TEST_P(DecimalButtons, reformat_the_total_and_send_the_focus_to_the_last_row) {
    const DecimalButton& c = GetParam();
    Machine m;
    m.Keys("1234.5+{Click 3}{Decimals " + std::to_string(c.code) + "}");
    EXPECT_EQ(m.calc.options().DecimalCode, c.code);
    EXPECT_EQ(m.calc.decimal_option(), c.option_index);
    EXPECT_EQ(m.calc.total_text(), c.total);
    EXPECT_EQ(m.calc.focus_row(), m.calc.last_row());
    EXPECT_EQ(m.RowAt(3).text, "1,234.50");  // lines on the tape keep their format
}

INSTANTIATE_TEST_SUITE_P(
    AllSeven, DecimalButtons,
    ::testing::Values(DecimalButton{16, 0, "1,234.5"}, DecimalButton{0, 1, "1,235"},
                      DecimalButton{1, 2, "1,234.5"}, DecimalButton{2, 3, "1,234.50"},
                      DecimalButton{4, 4, "1,234.5000"}, DecimalButton{6, 5, "1,234.500000"},
                      DecimalButton{17, 6, "1,234.50"}),
    [](const auto& info) { return "code" + std::to_string(info.param.code); });

struct DragCase {
    int y;
    int end_line;
};

class ShiftDragBy : public ::testing::TestWithParam<DragCase> {};

TEST_P(ShiftDragBy, ends_the_selection_a_whole_row_per_240_twips_and_highlights_the_range) {
    const DragCase& c = GetParam();
    Machine m;
    m.Keys("1+2+3+4+5+6+{S-Click 5}{S-Drag 5 " + std::to_string(c.y) + "}");
    EXPECT_TRUE(m.calc.selecting());
    EXPECT_EQ(m.calc.sel_start_line(), 5);
    EXPECT_EQ(m.calc.sel_end_line(), c.end_line);
    const int low = std::min(5, c.end_line);
    const int high = std::max(5, c.end_line);
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).back, r >= low && r <= high ? kNavy : kTape) << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(Twips, ShiftDragBy,
                         ::testing::Values(DragCase{-300, 4}, DragCase{-100, 5}, DragCase{-239, 5},
                                           DragCase{-240, 4}, DragCase{0, 5}, DragCase{300, 6},
                                           DragCase{479, 6}, DragCase{480, 7}, DragCase{-1300, 0},
                                           DragCase{-5000, 0}, DragCase{5000, 9}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ShiftDrag, past_the_bottom_row_scrolls_the_tape_one_line) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Home}{S-Click 3}{S-Drag 3 600}");
    EXPECT_EQ(m.calc.sel_start_line(), 3);
    EXPECT_EQ(m.calc.sel_end_line(), 5);
    EXPECT_EQ(m.calc.top_line(), 1);
}

TEST(ShiftClick, twice_on_the_same_row_ends_the_selection_and_removes_the_highlight) {
    Machine m;
    m.Keys("1+2+3+{S-Click 4}{S-Drag 4 300}{S-Click 4}");
    EXPECT_FALSE(m.calc.selecting());
    EXPECT_FALSE(m.calc.selection_shown());
    for (int r = 0; r <= m.calc.last_row(); ++r) EXPECT_EQ(m.RowAt(r).back, kTape) << "row " << r;
}

}  // namespace
}  // namespace tallymar::testing
