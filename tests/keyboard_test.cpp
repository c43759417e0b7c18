// Keys typed into the rows of the tape window: moving over the tape, Shift
// selection, the guarded keys, the locked rows, and which lines the rows show
// after scrolling, the wheel, resizing and the decimal buttons.
#include <cstdio>

#include "machine.h"

namespace tallymar::testing {
namespace {

// Every row shows its line as the tape holds it, and the focus is in view.
void ExpectRowsShowTheTape(const Machine& m, const std::string& keys) {
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        if (r == m.calc.focus_row()) continue;
        EXPECT_EQ(m.RowAt(r).text, m.calc.ShownText(m.calc.top_line() + r)) << keys << " row " << r;
    }
    EXPECT_EQ(m.calc.rows().size(), static_cast<size_t>(m.calc.last_row() + 1)) << keys;
    EXPECT_EQ(m.calc.scroll_max(), m.calc.UpperBound() - m.calc.last_row()) << keys;
    EXPECT_EQ(m.calc.scroll_value(), m.calc.top_line()) << keys;
}

// The lines the keys reach and the rows they refuse are the same in a window of
// three rows as in a tall one.
TEST(Keys, reach_the_same_lines_in_a_short_window) {
    // clang-format off
    ExpectScripts({
        {"5+3+{Enter}{Up}{Up}7", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @5/0/5/2 [8.00|T 0+4] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"5+3+note{Up}7+", "HTH++CB 5.00,73.00,note, =78 78.00 @5/1/4/2 [note| 0+4] * e"},
        {"5+3+{Up}{Up}{Insert}4+", "HTH+++B 4.00,5.00,3.00, =12 12.00 @4/1/3/2 [5.00|+ 0+4] *"},
        {"5+3+{Enter}{Up}{Up}{Up}{Up}{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/2/5/2 [| 0+0] *"},
    },
    // clang-format on
                  StartUp().Rows(3));
}

// Nine amounts in six rows, then keys that move, scroll, wheel, resize or key on.
TEST(MovingOverALongTape, shows_the_lines_asked_for_and_loses_nothing_keyed) {
    // clang-format off
    const Script scripts[] = {
        {"", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{PgUp}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @2/0/2/5 [---------------| 0+15] *"},
        {"{PgUp}{PgUp}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @0/0/0/5 [---------------| 0+15] *"},
        {"{Home}{PgDn}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @10/5/5/5 [8.00|+ 0+4] *"},
        {"{Home}{End}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Up}{Up}{Up}{Up}{Up}{Up}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @6/0/6/5 [4.00|+ 0+4] *"},
        {"{PgUp}{Up}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @1/0/1/5 [0.00|T 0+4] *"},
        {"{Home}{Up}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @0/0/0/5 [---------------| 0+15] *"},
        {"{Home}{Down}{Down}{Down}{Down}{Down}{Down}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @6/5/1/5 [4.00|+ 0+4] *"},
        {"{End}{Down}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Home}{PgDn}{PgDn}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Scroll 0}{End}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Up}{Up}5{PgUp}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,5.00,9.00, =42 42.00 @2/0/2/5 [---------------| 0+15] *"},
        {"{Up}{Up}5{Home}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,5.00,9.00, =42 42.00 @0/0/0/5 [---------------| 0+15] *"},
        {"{Up}{Up}5{End}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,5.00,9.00, =42 42.00 @12/5/7/5 [| 0+0] *"},
        {"{Up}{Up}5{PgDn}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,5.00,9.00, =42 42.00 @12/5/7/5 [| 0+0] *"},
        {"{Scroll 2}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/2/5 [5.00|+ 0+0] *"},
        {"{Up}{Up}{Scroll 6}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @10/4/6/5 [8.00|+ 0+4] *"},
        {"{Scroll 0}{Click 3}4+", "HTH+++++++++B 4.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =48 48.00 @4/4/0/5 [2.00|+ 0+4] *"},
        {"{Wheel 1}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/4/5 [7.00|+ 0+0] *"},
        {"{Wheel 5}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/0/5 [3.00|+ 0+0] *"},
        {"{Wheel -1}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Wheel 2}{Wheel -1}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/4/5 [7.00|+ 0+0] *"},
        {"{Home}{Wheel -1}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @0/0/3/5 [1.00|+ 0+0] *"},
        {"{Home}{Wheel -9}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @0/0/7/5 [5.00|+ 0+0] *"},
        {"7{Scroll 0}{Scroll 7}+", "HTH++++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,7.00, =52 52.00 @13/5/8/5 [| 0+0] *"},
        {"7{Wheel 2}+", "HTH++++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,7.00, =52 52.00 @13/5/8/5 [| 0+0] *"},
        {"{Scroll 4}5+", "HTH++++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,5.00, =50 50.00 @13/5/8/5 [| 0+0] *"},
        {"{Up}{Up}6{Wheel 2}+", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,6.00,9.00, =43 43.00 @11/4/7/5 [9.00|+ 0+4] *"},
        {"{Up}6{Scroll 0}{Click 3}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,6.00, =42 42.00 @3/3/0/5 [1.00|+ 0+4] *"},
        {"{Scroll 2}{Enter}", "HTH+++++++++THB 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,45.00,-, =0 45.00 @14/5/9/5 [| 0+0] *"},
        {"{Scroll 2}{Click 5}{Enter}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/5/7/5 [| 0+0] *"},
        {"{Rows 3}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/2/10/2 [| 0+0] *"},
        {"{Rows 0}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/0/12/0 [| 0+0] *"},
        {"{Up}{Up}{Up}{Up}{Rows 3}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @8/1/7/2 [6.00|+ 0+4] *"},
        {"{Scroll 0}{Rows 3}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/2/10/2 [| 0+0] *"},
        {"{Rows 10}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/9/3/9 [| 0+0] *"},
        {"{Rows 30}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/12/0/12 [| 0+0] *"},
        {"{Home}{Rows 10}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @0/0/0/9 [---------------| 0+15] *"},
        {"{Scroll 0}{Rows 10}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/9/3/9 [| 0+0] *"},
        {"7{Rows 1}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @12/0/12/0 [7| 1+0] *"},
        {"7{Rows 10}+", "HTH++++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,7.00, =52 52.00 @13/9/4/9 [| 0+0] *"},
        {"{Scroll 0}{Decimals 0}5+", "HTH++++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00,5, =50 50 @13/5/8/5 [| 0+0] *"},
        {"{Up}{Up}{Up}{Decimals 0}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45 @12/5/7/5 [| 0+0] *"},
        {"{Home}{S-Click 3}{S-Drag 3 600}", "HTH+++++++++B 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00,9.00, =45 45.00 @6/5/1/5 [4.00|+ 0+0] * s3-5"},
    };
    // clang-format on
    for (const Script& s : scripts) {
        Machine m(StartUp().Rows(6));
        m.Keys(kNineAmounts);
        m.Keys(s.keys);
        EXPECT_EQ(m.State(), s.state) << s.keys;
        ExpectRowsShowTheTape(m, s.keys);
    }
}

TEST(MovingOverALongTape, parks_the_focus_in_the_bottom_row_while_its_line_is_out_of_view) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Scroll 2}");
    EXPECT_TRUE(m.calc.focus_parked());
    EXPECT_EQ(m.calc.FocusLine(), 12);
    m.Keys("{Scroll 7}");
    EXPECT_FALSE(m.calc.focus_parked());
}

TEST(Keys, move_select_and_refuse_as_the_row_they_reach_allows) {
    // clang-format off
    ExpectScripts({
        {"25+3+{Up}", "HTH++B 25.00,3.00, =28 28.00 @4/4/0/5 [3.00|+ 0+4] *"},
        {"25+3+{Up}{Up}7+", "HTH++B 7.00,3.00, =10 10.00 @4/4/0/5 [3.00|+ 0+4] *"},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}", "HTH++++B 1.00,2.00,3.00,4.00, =10 10.00 @5/5/0/7 [3.00|+ 0+0] * s3-4"},
        {"1+2+3+4+{Click 5}{S-Up}", "HTH++++B 1.00,2.00,3.00,4.00, =10 10.00 @5/5/0/7 [3.00|+ 0+0] * s5-5"},
        {"1+2+3+4+{Click 5}{S-Up}{S-Up}{S-Up}", "HTH++++B 1.00,2.00,3.00,4.00, =10 10.00 @3/3/0/7 [1.00|+ 0+0] * s5-3"},
        {"1+{Home}{S-Up}{S-Up}", "HTH+B 1.00, =1 1.00 @0/0/0/4 [---------------| 0+0] * s0-0"},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}{Down}", "HTH++++B 1.00,2.00,3.00,4.00, =10 10.00 @6/6/0/7 [4.00|+ 0+4] *"},
        {"1+2+3+{Click 3}{S-Down}{Shift}{S-Down}", "HTH+++B 1.00,2.00,3.00, =6 6.00 @5/5/0/6 [3.00|+ 0+0] * s3-4"},
        {"1+2+3+{S-Click 4}{S-Drag 4 300}{S-Click 4}", "HTH+++B 1.00,2.00,3.00, =6 6.00 @4/4/0/6 [2.00|+ 0+0] *"},
        {"1+2+3+{S-Click 6}", "HTH+++B 1.00,2.00,3.00, =6 6.00 @6/6/0/6 [| 0+0] * s6-6"},
        {"1+2+note{Enter}3+{Click 5}{PgDn}", "HTH++C+B 1.00,2.00,note,3.00, =6 6.00 @6/6/0/7 [3.00|+ 0+0] *"},
        {"1+2+note{Enter}3+{Click 5}{End}", "HTH++C+B 1.00,2.00,note,3.00, =6 6.00 @6/6/0/7 [3.00|+ 0+0] *"},
        {"12{NumLock}3", "HTHB  =0 0.00 @3/3/0/3 [123| 3+0] * | msg \"Tallymar\" \"The Num Lock key was pressed.  The Tallymar requires the Num Lock to be on at all times.\\nIf it is off, please press the OK below and then press the Num Lock key to turn it on.\" ok -> ok"},
        {"9{Tab}+", "HTH+B 9.00, =9 9.00 @4/4/0/4 [| 0+0] *"},
        {"9{S-Tab}{Tab}+", "HTH+B 9.00, =9 9.00 @4/4/0/4 [| 0+0] *"},
        {"ab{Tab}c{Enter}", "HTHCB abc, =0 0.00 @4/4/0/4 [| 0+0] *"},
        {"12{C-v}", "HTHB  =0 0.00 @3/3/0/3 [12| 2+0] * | beep"},
        {"{Click 1}7", "HTHB  =0 0.00 @1/1/0/3 [0.00|T 0+4] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"{Click 2}7", "HTHB  =0 0.00 @2/2/0/3 [---------------| 0+15] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"5+3+{Enter}{Click 5}7", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @5/5/0/7 [8.00|T 0+4] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"5+3+{Enter}{Click 6}7", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @6/6/0/7 [---------------| 0+15] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"5+3+{S-Enter}{Click 5}7", "HTH++SB 5.00,3.00,8.00, =8 8.00 @5/5/0/6 [8.00|S 0+4] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"10+4*{Click 4}7", "HTH+*B 10.00,10.00, =10 10.00 @4/4/0/5 [10.00|* 0+5] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"{Shift}{Ctrl}{Alt}", "HTHB  =0 0.00 @3/3/0/3 [| 0+0]"},
        // Moving, selecting and copying leave nothing to save.
        {"{Up}", "HTHB  =0 0.00 @2/2/0/3 [---------------| 0+15]"},
        {"{PgDn}", "HTHB  =0 0.00 @3/3/0/3 [| 0+0]"},
        {"{C-c}", "HTHB  =0 0.00 @3/3/0/3 [| 0+0] | clipboard \"0.00H\""},
        {"{S-Down}", "HTHB  =0 0.00 @3/3/0/3 [| 0+0] s3-3"},
    });
    // clang-format on
}

TEST(Keys, after_a_save_only_what_changes_a_line_leaves_something_to_save) {
    const std::string path = ::testing::TempDir() + "unchanged_keys.add";
    const struct {
        const char* keys;
        bool changed;
    } cases[] = {
        {"{Ctrl}{Alt}{Shift}{NumLock}", false},
        {"{Up}{Up}{PgUp}{Home}{End}{PgDn}{Down}{Click 3}{S-Down}{C-c}", false},
        {"{Click 3}7{Up}", true},   // a correction committed by moving away
        {"{Click 3}{Bksp}{Bksp}{Bksp}{Bksp}{Down}", true},  // an amount emptied
        {"{Click 4}{Insert}", true},
        {"{Click 3}{Delete}", true},
        {"{Click 4}7", true},
    };
    for (const auto& c : cases) {
        Machine m;
        m.Keys("5+{Answer yes}{Save " + path + "}");
        ASSERT_FALSE(m.calc.tape_changed());
        m.Keys(std::string(c.keys) + "{Answer ok}");
        EXPECT_EQ(m.calc.tape_changed(), c.changed) << c.keys;
    }
    std::remove(path.c_str());
}

TEST(Keys, shift_drag_ends_the_selection_a_whole_row_per_240_twips) {
    const struct {
        int y;
        int end_line;
    // clang-format off
    } cases[] = {
        {-300, 4},
        {-239, 5},
        {-240, 4},
        {0, 5},
        {479, 6},
        {480, 7},
        {-1300, 0},
        {-5000, 0},
        {5000, 9},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m;
        m.Keys("1+2+3+4+5+6+{S-Click 5}{S-Drag 5 " + std::to_string(c.y) + "}");
        EXPECT_EQ(m.calc.sel_start_line(), 5) << c.y;
        EXPECT_EQ(m.calc.sel_end_line(), c.end_line) << c.y;
        for (int r = 0; r <= m.calc.last_row(); ++r) {
            const bool in = r >= std::min(5, c.end_line) && r <= std::max(5, c.end_line);
            EXPECT_EQ(m.RowAt(r).back == kSelectionBack, in) << c.y << " row " << r;
        }
    }
}

// A point or comma keeps the entry an amount while it can still be read as one.
TEST(Keys, a_point_or_comma_after_the_decimal_point_makes_the_entry_a_comment) {
    ExpectScripts({
        // clang-format off
        {"12,5.", "HTHC 12,5. =0 0.00 @3/3/0/3 [12,5.| 5+0] *"},
        {"12.5,", "HTHC 12.5, =0 0.00 @3/3/0/3 [12.5,| 5+0] *"},
        {"1,23.", "HTHC 1,23. =0 0.00 @3/3/0/3 [1,23.| 5+0] *"},
        {"1,5+", "HTH+B 1.50, =1.5 1.50 @4/4/0/4 [| 0+0] *"},
        // clang-format on
    });
}

// The window passes on every mouse event over the rows; only a Shift+drag with the
// left button moves the selection, and an event from a row no longer shown changes
// nothing.
TEST(Mouse, only_a_shift_drag_with_the_left_button_extends_the_selection) {
    Machine m;
    m.Keys("1+2+3+{S-Click 3}");
    const std::string before = m.State();
    m.calc.MouseMove(3, kLeftButton, shift::kNone, 600);
    m.calc.MouseMove(3, kRightButton, shift::kShift, 600);
    m.calc.MouseMove(-1, kLeftButton, shift::kShift, 600);
    m.calc.MouseDown(m.calc.last_row() + 1, shift::kShift);
    m.calc.BoxEdited(-1, "9", 0, 0);
    m.calc.BoxEdited(m.calc.last_row() + 1, "9", 0, 0);
    EXPECT_EQ(m.State(), before);
    m.calc.MouseMove(3, kLeftButton, shift::kShift, 600);
    EXPECT_EQ(m.calc.sel_end_line(), 5);
}

}  // namespace
}  // namespace tallymar::testing
