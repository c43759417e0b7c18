// Keys typed into the rows of the tape window: moving over the tape, Shift
// selection, the guarded keys, the locked rows, and which lines the rows show
// after scrolling, the wheel, resizing and the decimal buttons.
#include <cstdio>

#include "machine.h"

namespace tallymar::testing {
namespace {

// Every row shows its line as the tape holds it, and the focus is in view.
void ExpectRowsShowTheTape(const Machine& m, const std::string& keys) {
    for (int r = 0; r <= m.calc.last_row(); ++r)
        if (r != m.calc.focus_row()) EXPECT_EQ(m.RowAt(r).text, m.calc.ShownText(m.calc.top_line() + r)) << keys << " row " << r;
    EXPECT_EQ(m.calc.rows().size(), static_cast<size_t>(m.calc.last_row() + 1)) << keys;
    EXPECT_EQ(m.calc.scroll_max(), m.calc.UpperBound() - m.calc.last_row()) << keys;
    EXPECT_EQ(m.calc.scroll_value(), m.calc.top_line()) << keys;
}

// Nine amounts in six rows, then keys that move, scroll, wheel, resize or key on.
TEST(MovingOverALongTape, shows_the_lines_asked_for_and_loses_nothing_keyed) {
    const Script scripts[] = {
        {"", "?"},
        {"{PgUp}", "?"},
        {"{PgUp}{PgUp}", "?"},
        {"{Home}{PgDn}", "?"},
        {"{Home}{End}", "?"},
        {"{Up}{Up}{Up}{Up}{Up}{Up}", "?"},
        {"{PgUp}{Up}", "?"},
        {"{Home}{Up}", "?"},
        {"{Home}{Down}{Down}{Down}{Down}{Down}{Down}", "?"},
        {"{End}{Down}", "?"},
        {"{Home}{PgDn}{PgDn}", "?"},
        {"{Scroll 0}{End}", "?"},
        {"{Up}{Up}5{PgUp}", "?"},
        {"{Up}{Up}5{Home}", "?"},
        {"{Up}{Up}5{End}", "?"},
        {"{Up}{Up}5{PgDn}", "?"},
        {"{Scroll 2}", "?"},
        {"{Up}{Up}{Scroll 6}", "?"},
        {"{Scroll 0}{Click 3}4+", "?"},
        {"{Wheel 1}", "?"},
        {"{Wheel 5}", "?"},
        {"{Wheel -1}", "?"},
        {"{Wheel 2}{Wheel -1}", "?"},
        {"{Home}{Wheel -1}", "?"},
        {"{Home}{Wheel -9}", "?"},
        {"7{Scroll 0}{Scroll 7}+", "?"},
        {"7{Wheel 2}+", "?"},
        {"{Scroll 4}5+", "?"},
        {"{Up}{Up}6{Wheel 2}+", "?"},
        {"{Up}6{Scroll 0}{Click 3}", "?"},
        {"{Scroll 2}{Enter}", "?"},
        {"{Scroll 2}{Click 5}{Enter}", "?"},
        {"{Rows 3}", "?"},
        {"{Rows 0}", "?"},
        {"{Up}{Up}{Up}{Up}{Rows 3}", "?"},
        {"{Scroll 0}{Rows 3}", "?"},
        {"{Rows 10}", "?"},
        {"{Rows 30}", "?"},
        {"{Home}{Rows 10}", "?"},
        {"{Scroll 0}{Rows 10}", "?"},
        {"7{Rows 1}", "?"},
        {"7{Rows 10}+", "?"},
        {"{Scroll 0}{Decimals 0}5+", "?"},
        {"{Up}{Up}{Up}{Decimals 0}", "?"},
        {"{Home}{S-Click 3}{S-Drag 3 600}", "?"},
    };
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
    ExpectScripts({
        {"25+3+{Up}", "?"},
        {"25+3+{Up}{Up}7+", "?"},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}", "?"},
        {"1+2+3+4+{Click 5}{S-Up}", "?"},
        {"1+2+3+4+{Click 5}{S-Up}{S-Up}{S-Up}", "?"},
        {"1+{Home}{S-Up}{S-Up}", "?"},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}{Down}", "?"},
        {"1+2+3+{Click 3}{S-Down}{Shift}{S-Down}", "?"},
        {"1+2+3+{S-Click 4}{S-Drag 4 300}{S-Click 4}", "?"},
        {"12{NumLock}3", "?"},
        {"9{Tab}+", "?"},
        {"9{S-Tab}{Tab}+", "?"},
        {"ab{Tab}c{Enter}", "?"},
        {"12{C-v}", "?"},
        {"{Click 1}7", "?"},
        {"{Click 2}7", "?"},
        {"5+3+{Enter}{Click 5}7", "?"},
        {"5+3+{Enter}{Click 6}7", "?"},
        {"5+3+{S-Enter}{Click 5}7", "?"},
        {"10+4*{Click 4}7", "?"},
        {"{Shift}{Ctrl}{Alt}", "?"},
        {"{Up}", "?"},
        {"{PgDn}", "?"},
        {"{C-c}", "?"},
        {"{S-Down}", "?"},
    });
}

TEST(Keys, modifiers_alone_after_a_save_leave_nothing_to_save) {
    const std::string path = ::testing::TempDir() + "modifier_keys.add";
    Machine m;
    m.Keys("5+{Save " + path + "}");
    m.Keys("{Ctrl}{Alt}{Shift}");
    EXPECT_FALSE(m.calc.tape_changed());
    m.Keys("{Up}");
    EXPECT_TRUE(m.calc.tape_changed());
    std::remove(path.c_str());
}

TEST(Keys, shift_drag_ends_the_selection_a_whole_row_per_240_twips) {
    const struct {
        int y;
        int end_line;
    } cases[] = {{-300, 4}, {-239, 5}, {-240, 4}, {0, 5},   {479, 6},
                 {480, 7},  {-1300, 0}, {-5000, 0}, {5000, 9}};
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

}  // namespace
}  // namespace tallymar::testing
