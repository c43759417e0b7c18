// Changing the tape after the fact: correcting an earlier line and striking the
// totals below it again, comments, inserting and deleting lines, and copying
// lines to the clipboard.
#include "machine.h"

namespace tallymar::testing {
namespace {

// 5 + 3 + T 8, 10 + T 10: lines 3 to 10.
constexpr const char* kTwoTotals = "5+3+{Enter}10+{Enter}";

TEST(CorrectingALine, strikes_the_totals_and_subtotals_below_it_again) {
    ExpectScripts({
        {std::string(kTwoTotals) + "{Click 4}6+", "?"},
        {std::string(kTwoTotals) + "{Click 4}6{Down}", "?"},
        {std::string(kTwoTotals) + "{Click 4}6{Click 10}", "?"},
        {std::string(kTwoTotals) + "{Up}{Up}{Up}{Up}{Up}{Up}6+", "?"},
        {std::string(kTwoTotals) + "{Click 3}2.5{Down}", "?"},
        {std::string(kTwoTotals) + "{Click 4}-", "?"},
        {std::string(kTwoTotals) + "{Click 7}20+", "?"},
        {std::string(kTwoTotals) + "{Click 4}{Insert}4+", "?"},
        {std::string(kTwoTotals) + "{Click 5}7{Click 10}", "?"},
        {"12*3{Enter}{Click 4}4{Down}", "?"},
        {"12*3{Enter}{Click 3}5{Down}", "?"},
        {"200*15%{Click 4}10{Down}", "?"},
        {"100/4{Enter}{Click 4}8{Down}", "?"},
        {"5+3+{S-Enter}2+{Enter}{Click 3}6+", "?"},
        {"5+3+{Click 3}6+", "?"},
        {"5+3+{Click 3}7{Decimals 0}", "?"},
    });
}

// Whatever is corrected above the last total, the running total is what the lines
// keyed after that total add up to, and the next total strikes it.
TEST(TheRunningTotal, equals_the_lines_below_the_last_total_after_any_correction) {
    ExpectScripts({
        {"5+3+{Enter}7+{Up}{Up}{Up}{Up}9+{End}{Enter}", "?"},
        {"5+3+{Enter}7+{Click 4}{Bksp}{Down}{End}{Enter}", "?"},
        {"5+{Enter}2+{S-Enter}3+{Click 3}6+{End}{Enter}", "?"},
        {"5+{Enter}10+4*{Click 3}6+", "?"},
        {"5+{Enter}3+{Click 3}{Delete}", "?"},
        {"5+{Enter}3+{Click 3}x{Enter}", "?"},
        {"5+{Enter}{Enter}3+{Click 3}6+", "?"},
        {"5+3+{Enter}{Click 4}9+", "?"},
        {"5+{Enter}10/0/{Click 3}6+", "?"},
    });
}

// 5 + 3 + T 8: the 3 is emptied on line 4 and left. However it is left, the empty
// "+" repeats the amount above and the total below is struck again.
TEST(AnEmptiedAmount, repeats_the_amount_above_however_it_is_left) {
    for (const char* leave :
         {"{Down}", "{Up}", "{Click 7}", "{Click 3}", "{End}", "{Home}", "{PgDn}", "{PgUp}"}) {
        Machine m;
        m.Keys(std::string("5+3+{Enter}{Up}{Up}{Up}{Bksp}") + leave);
        EXPECT_EQ(m.Ops(), "HTH++THB") << leave;
        EXPECT_EQ(m.Shown(3), (Lines{"5.00", "5.00", "10.00", kRule, ""})) << leave;
    }
}

TEST(Comments, take_no_part_in_any_sum_and_keep_their_text) {
    ExpectScripts({
        {"5+a", "?"},
        {"12.5.3{Enter}", "?"},
        {"1,234,", "?"},
        {"5+rent{Enter}3+{Enter}", "?"},
        {"5+rent{Down}3+{Enter}", "?"},
        {"5+rent{PgDn}", "?"},
        {"5+rent{End}", "?"},
        {"abc{Click 1}{End}7+", "?"},
        {"5+rent{Click 3}{End}7+", "?"},
        {"abc{Enter}5+{Click 3}{Click 5}xyz{Enter}", "?"},
        {"abc{Enter}{Click 3}abd{Click 4}", "?"},
        {"abcdefghijklmnopq{Enter}", "?"},
        {"ab{Bksp}{Bksp}5+", "?"},
        {"rent{Enter}{Up}", "?"},
        {"rent{Enter}{Up}food{Enter}", "?"},
        {"rent{Enter}food{Enter}{Up}x{Up}", "?"},
        {"5+3+{Enter}{Click 4}r", "?"},
        {"5+3+{Enter}{Click 4}rent{Enter}", "?"},
        {"5+3+{Click 4}r{Enter}2+{Enter}{Click 3}6+", "?"},
        {"5+rent{Enter}{Click 4}12{Enter}", "?"},
        {"5+3+{Enter}{Click 4}{Insert}note{Enter}", "?"},
    });
}

TEST(Inserting, puts_a_blank_zero_line_above_the_current_line_or_below_a_rule) {
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Insert}", "?"},
        {"5+{Enter}3+{Click 5}{Insert}", "?"},
    });
    ExpectScripts({{"5+3+7+2+{Click 2}{Insert}", "?"}}, StartUp().Rows(6));
}

TEST(Deleting, leaves_the_tape_with_its_totals_struck_again) {
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 4}{Delete}", "?"},
        {"5+{Enter}3+{Enter}{Click 4}{Delete}", "?"},
        {"5+3+{Enter}10+{Enter}{Click 3}{Delete}", "?"},
        {"5+rent{Enter}3+{Enter}{Click 4}{Delete}", "?"},
        {"5+3+{Delete}2+{Enter}", "?"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 5}{S-Up}{S-Up}{Answer yes}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 5}{S-Down}{S-Down}{Answer yes}{Delete}", "?"},
        {"5+3+7+{Enter}{S-Click 4}{Answer yes}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer no}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer cancel}{Delete}", "?"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Delete}", "?"},
    });
    ExpectScripts({{"5+3+7+2+{Click 2}{Delete}", "?"}}, StartUp().Rows(6));
    ExpectScripts({{"5+{Delete}", "?"}}, StartUp().Rows(1));
}

TEST(Deleting, leaves_no_row_without_a_line_and_no_highlight) {
    Machine m;
    m.Keys("5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}");
    EXPECT_EQ(m.calc.last_row(), m.calc.UpperBound());
    EXPECT_FALSE(m.calc.selection_shown());
    for (int r = 0; r <= m.calc.last_row(); ++r) EXPECT_NE(m.RowAt(r).back, kSelectionBack) << r;
}

TEST(Copying, puts_each_selected_line_on_the_clipboard_after_a_line_break) {
    const struct {
        const char* keys;
        const char* clipboard;
    } cases[] = {
        {"5+rent{Enter}7-{Click 3}{S-Down}{S-Down}{S-Down}",
         R"(clipboard "\r\n5.00+\r\nrent             \r\n7.00-")"},
        {"{Click 0}{S-Down}{S-Down}{S-Down}", R"(clipboard "\r\n0.00H\r\n0.00T\r\n0.00H")"},
        {"3-{Enter}{Click 4}{S-Down}", R"(clipboard "\r\n-3.00T")"},
        {"1234.5+{Decimals 4}2.25+{Decimals 0}{Click 3}{S-Down}{S-Down}",
         R"(clipboard "\r\n1,234.50+\r\n2.2500+")"},
        {"abcdefghijklmno{Enter}{Click 3}{S-Down}", R"(clipboard "\r\nabcdefghijklmno  ")"},
        {"5+3+7+{Click 5}{S-Up}{S-Up}{S-Up}", R"(clipboard "\r\n5.00+\r\n3.00+\r\n7.00+")"},
        // The last selection made is copied after its highlight is gone.
        {"5+3+7+{Click 3}{S-Down}{S-Down}{Down}", R"(clipboard "\r\n5.00+\r\n3.00+")"},
    };
    for (const auto& c : cases) {
        Machine m;
        m.Keys(c.keys);
        const std::string ops = m.Ops();
        m.TakeEvents();
        m.Keys("{Copy}{C-c}");
        EXPECT_EQ(m.TakeEvents(), (Lines{c.clipboard, c.clipboard})) << c.keys;
        EXPECT_EQ(m.Ops(), ops);
    }
}

}  // namespace
}  // namespace tallymar::testing
