// Which lines the rows show: the scroll bar, the mouse wheel, resizing the window
// and the decimal buttons. Whatever the rows show, the focus stays on the line it
// was on, with what was keyed into it, and the next key goes to that line.
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

// Nine amounts in a window of six rows: lines 0 to 12, line 12 the open line,
// TopLine 7 and the focus in the bottom row.
constexpr const char* kNineAmounts = "1+2+3+4+5+6+7+8+9+";
constexpr const char* kNineOps = "HTH+++++++++B";

// Every row shows its line as the tape holds it (nothing is being keyed).
void ExpectRowsShowTheTape(const Machine& m) {
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).text, m.calc.ShownText(m.calc.top_line() + r)) << "row " << r;
    }
}

// The focus is on `line`, in the row that shows it.
void ExpectFocusShownOn(const Machine& m, int line) {
    EXPECT_FALSE(m.calc.focus_parked());
    EXPECT_EQ(m.calc.FocusLine(), line);
    EXPECT_EQ(m.calc.top_line() + m.calc.focus_row(), line);
    EXPECT_GE(m.calc.focus_row(), 0);
    EXPECT_LE(m.calc.focus_row(), m.calc.last_row());
}

// ---- the scroll bar ----

TEST(Scrolling, shows_the_lines_from_the_scroll_value_on_without_moving_the_focus) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Scroll 2}");
    EXPECT_EQ(m.calc.top_line(), 2);
    ExpectRowsShowTheTape(m);
    EXPECT_EQ(m.RowAt(0).text, "---------------");
    EXPECT_EQ(m.RowAt(5).text, "5.00");
    // The bottom row keeps the keyboard while the open line is out of view.
    EXPECT_TRUE(m.calc.focus_parked());
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_EQ(m.calc.FocusLine(), 12);
    EXPECT_EQ(m.calc.cur_line(), 12);
}

TEST(Scrolling, takes_the_focus_along_to_the_row_its_line_moves_to) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Up}{Up}{Scroll 6}");
    ExpectFocusShownOn(m, 10);
    EXPECT_EQ(m.calc.focus_row(), 4);
}

struct ScrollerCase {
    const char* keys;
    int maximum;
    int value;
};

class Scroller : public ::testing::TestWithParam<ScrollerCase> {};

TEST_P(Scroller, reaches_every_line_the_open_line_included) {
    const ScrollerCase& c = GetParam();
    Machine m(StartUp().Rows(6));
    m.Keys(c.keys);
    EXPECT_EQ(m.calc.scroll_max(), c.maximum);
    EXPECT_EQ(m.calc.scroll_value(), c.value);
    m.Keys("{Scroll " + std::to_string(m.calc.scroll_max()) + "}");
    EXPECT_EQ(m.calc.top_line() + m.calc.last_row(), m.calc.UpperBound());
}

INSTANTIATE_TEST_SUITE_P(SixRows, Scroller,
                         ::testing::Values(ScrollerCase{"", 0, 0}, ScrollerCase{"1+2+", 0, 0},
                                           ScrollerCase{"1+2+3+", 1, 1},
                                           ScrollerCase{"1+2+3+4+", 2, 2},
                                           ScrollerCase{kNineAmounts, 7, 7},
                                           ScrollerCase{"1+2+3+4+5+6+7+8+9+{Home}", 7, 0},
                                           ScrollerCase{"1+2+3+4+5+6+7+8+9+{PgUp}", 7, 2},
                                           ScrollerCase{"1+2+3+4+5+6+7+8+9+{Rows 3}", 10, 10}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// ---- the mouse wheel ----

struct WheelCase {
    const char* keys;
    int top_line;
    int focus_line;
};

class TheWheel : public ::testing::TestWithParam<WheelCase> {};

TEST_P(TheWheel, scrolls_three_lines_a_notch_and_leaves_the_focus_on_its_line) {
    const WheelCase& c = GetParam();
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys(c.keys);
    EXPECT_EQ(m.calc.top_line(), c.top_line);
    EXPECT_EQ(m.calc.scroll_value(), c.top_line);
    EXPECT_EQ(m.calc.FocusLine(), c.focus_line);
    ExpectRowsShowTheTape(m);
    EXPECT_EQ(m.Ops(), kNineOps);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 45);
}

INSTANTIATE_TEST_SUITE_P(
    Notches, TheWheel,
    ::testing::Values(WheelCase{"{Wheel 1}", 4, 12}, WheelCase{"{Wheel 2}", 1, 12},
                      WheelCase{"{Wheel 5}", 0, 12}, WheelCase{"{Wheel -1}", 7, 12},
                      WheelCase{"{Wheel 2}{Wheel -1}", 4, 12}, WheelCase{"{Home}{Wheel -1}", 3, 0},
                      WheelCase{"{Home}{Wheel -9}", 7, 0}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// ---- keying after the tape was scrolled away from the focus line ----

struct AwayCase {
    const char* name;
    const char* keys;
    const char* ops;
    int line;  // the line the keys went to
    double amount;
    double accumulator;
};

class ScrolledAway : public ::testing::TestWithParam<AwayCase> {};

TEST_P(ScrolledAway, the_next_key_goes_to_the_focus_line_and_nothing_keyed_is_lost) {
    const AwayCase& c = GetParam();
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys(c.keys);
    EXPECT_EQ(m.Ops(), c.ops);
    EXPECT_DOUBLE_EQ(m.Amount(c.line), c.amount);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), c.accumulator);
    EXPECT_FALSE(m.calc.focus_parked());
    EXPECT_TRUE(m.TakeEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ScrolledAway,
    ::testing::Values(
        AwayCase{"amount_keyed_then_scrolled_away_and_back", "7{Scroll 0}{Scroll 7}+",
                 "HTH++++++++++B", 12, 7, 52},
        AwayCase{"amount_keyed_then_wheeled_away", "7{Wheel 2}+", "HTH++++++++++B", 12, 7, 52},
        AwayCase{"amount_keyed_after_scrolling_away", "{Scroll 2}5+", "HTH++++++++++B", 12, 5, 50},
        AwayCase{"older_line_shown_in_the_focused_row", "{Scroll 4}5+", "HTH++++++++++B", 12, 5,
                 50},
        AwayCase{"correction_keyed_then_wheeled_away", "{Up}{Up}6{Wheel 2}+", kNineOps, 10, 6, 43},
        AwayCase{"correction_left_with_a_click_in_the_lines_scrolled_to",
                 "{Up}6{Scroll 0}{Click 3}", kNineOps, 11, 6, 42},
        AwayCase{"enter_after_scrolling_away", "{Scroll 2}{Enter}", "HTH+++++++++THB", 12, 45, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrolledAway, a_click_chooses_the_line_its_row_shows_in_the_lines_scrolled_to) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Scroll 0}{Click 3}");
    EXPECT_EQ(m.calc.top_line(), 0);
    ExpectFocusShownOn(m, 3);
    m.Keys("4+");
    EXPECT_DOUBLE_EQ(m.Amount(3), 4);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 48);
}

// ---- resizing the window ----

struct ResizeCase {
    const char* name;
    const char* keys;  // keyed in six rows before the resize
    int rows;          // rows that fit afterwards
    int top_line;
    int last_row;
    int focus_line;
};

class Resizing : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(Resizing, keeps_the_focus_on_its_line_in_view_and_fills_every_row) {
    const ResizeCase& c = GetParam();
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys(c.keys);
    m.Keys("{Rows " + std::to_string(c.rows) + "}");
    EXPECT_EQ(m.calc.top_line(), c.top_line);
    EXPECT_EQ(m.calc.last_row(), c.last_row);
    ASSERT_EQ(static_cast<int>(m.calc.rows().size()), c.last_row + 1);
    ExpectFocusShownOn(m, c.focus_line);
    ExpectRowsShowTheTape(m);
    EXPECT_EQ(m.calc.scroll_max(), m.calc.UpperBound() - m.calc.last_row());
    EXPECT_EQ(m.Ops(), kNineOps);
}

INSTANTIATE_TEST_SUITE_P(
    ShorterAndTaller, Resizing,
    ::testing::Values(
        ResizeCase{"shorter_at_the_open_line", "", 3, 10, 2, 12},
        ResizeCase{"down_to_one_row", "", 1, 12, 0, 12},
        ResizeCase{"down_to_no_room_keeps_row_zero", "", 0, 12, 0, 12},
        ResizeCase{"shorter_with_the_focus_higher_up", "{Up}{Up}{Up}{Up}", 3, 7, 2, 8},
        ResizeCase{"shorter_with_the_focus_scrolled_away", "{Scroll 0}", 3, 10, 2, 12},
        ResizeCase{"taller_takes_lines_from_above", "", 10, 3, 9, 12},
        ResizeCase{"taller_than_the_tape", "", 30, 0, 12, 12},
        ResizeCase{"taller_at_the_top_of_the_tape", "{Home}", 10, 0, 9, 0},
        ResizeCase{"taller_with_the_focus_scrolled_away", "{Scroll 0}", 10, 3, 9, 12}),
    [](const auto& info) { return std::string(info.param.name); });

class ResizingWhileKeying : public ::testing::TestWithParam<int> {};

TEST_P(ResizingWhileKeying, keeps_the_digits_keyed_and_the_next_operator_commits_them) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("7{Rows " + std::to_string(GetParam()) + "}");
    EXPECT_EQ(m.RowAt(m.calc.focus_row()).text, "7");
    m.Keys("+");
    EXPECT_EQ(m.Ops(), "HTH++++++++++B");
    EXPECT_DOUBLE_EQ(m.Amount(12), 7);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 52);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResizingWhileKeying, ::testing::Values(1, 3, 10, 30),
                         [](const auto& info) { return "rows" + std::to_string(info.param); });

TEST(Resizing, a_taller_window_adds_rows_only_while_there_are_lines_to_show) {
    Machine m;
    ASSERT_EQ(m.calc.last_row(), 3);
    m.Keys("{Rows 30}");
    EXPECT_EQ(m.calc.last_row(), 3);
    EXPECT_EQ(m.calc.rows().size(), 4u);
}

// ---- the decimal buttons ----

class DecimalButtonPicked : public ::testing::TestWithParam<const char*> {};

TEST_P(DecimalButtonPicked, sends_the_focus_to_the_open_line_shown_in_the_last_row) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys(GetParam());
    m.Keys("{Decimals 0}");
    EXPECT_EQ(m.calc.top_line(), 7);
    ExpectFocusShownOn(m, 12);
    m.Keys("5+");
    EXPECT_DOUBLE_EQ(m.Amount(12), 5);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 50);
}

INSTANTIATE_TEST_SUITE_P(FromAnywhere, DecimalButtonPicked,
                         ::testing::Values("", "{Scroll 0}", "{Home}", "{Up}{Up}{Up}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace tallymar::testing
