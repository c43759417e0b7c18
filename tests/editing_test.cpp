// Changing the tape after the fact: correcting an earlier line and striking the
// totals below it again, comments, inserting and deleting lines, and copying
// lines to the clipboard.
#include "machine.h"

namespace tallymar::testing {
namespace {

// 5 + 3 + T 8, 10 + T 10: lines 3 to 10.
constexpr const char* kTwoTotals = "5+3+{Enter}10+{Enter}";

TEST(CorrectingALine, strikes_the_totals_and_subtotals_below_it_again) {
    // clang-format off
    ExpectScripts({
        {std::string(kTwoTotals) + "{Click 4}6+", "HTH++TH+THB 5.00,6.00,11.00,-,10.00,10.00,-, =0 11.00 @5/5/0/10 [11.00|T 0+5] *"},
        {std::string(kTwoTotals) + "{Click 4}6{Down}", "HTH++TH+THB 5.00,6.00,11.00,-,10.00,10.00,-, =0 11.00 @5/5/0/10 [11.00|T 0+5] *"},
        {std::string(kTwoTotals) + "{Click 4}6{Click 10}", "HTH++TH+THB 5.00,6.00,11.00,-,10.00,10.00,-, =0 11.00 @10/10/0/10 [| 0+0] *"},
        {std::string(kTwoTotals) + "{Up}{Up}{Up}{Up}{Up}{Up}6+", "HTH++TH+THB 5.00,6.00,11.00,-,10.00,10.00,-, =0 11.00 @5/5/0/10 [11.00|T 0+5] *"},
        {std::string(kTwoTotals) + "{Click 3}2.5{Down}", "HTH++TH+THB 2.50,3.00,5.50,-,10.00,10.00,-, =0 5.50 @4/4/0/10 [3.00|+ 0+4] *"},
        {std::string(kTwoTotals) + "{Click 4}-", "HTH+-TH+THB 5.00,3.00,2.00,-,10.00,10.00,-, =0 2.00 @5/5/0/10 [2.00|T 0+4] *"},
        {std::string(kTwoTotals) + "{Click 7}20+", "HTH++TH+THB 5.00,3.00,8.00,-,20.00,20.00,-, =0 20.00 @8/8/0/10 [20.00|T 0+5] *"},
        {std::string(kTwoTotals) + "{Click 4}{Insert}4+", "HTH+++TH+THB 5.00,4.00,3.00,12.00,-,10.00,10.00,-, =0 12.00 @5/5/0/11 [3.00|+ 0+4] *"},
        {std::string(kTwoTotals) + "{Click 5}7{Click 10}", "HTH++TH+THB 5.00,3.00,8.00,-,10.00,10.00,-, =0 10.00 @10/10/0/10 [| 0+0] * | msg \"Tallymar\" \"The Tallymar will not allow you to edit a total.\" ok -> ok"},
        {"12*3{Enter}{Click 4}4{Down}", "HTH*=THB 12.00,4.00,48.00,-, =0 48.00 @5/5/0/7 [48.00|T 0+5] *"},
        {"12*3{Enter}{Click 3}5{Down}", "HTH*=THB 5.00,3.00,15.00,-, =0 15.00 @4/4/0/7 [3.00|= 0+4] *"},
        {"200*15%{Click 4}10{Down}", "HTH*%THB 200.00,10.00,20.00,-, =0 20.00 @5/5/0/7 [20.00|T 0+5] *"},
        {"100/4{Enter}{Click 4}8{Down}", "HTH/=THB 100.00,8.00,12.50,-, =0 12.50 @5/5/0/7 [12.50|T 0+5] *"},
        {"5+3+{S-Enter}2+{Enter}{Click 3}6+", "HTH++S+THB 6.00,3.00,9.00,2.00,11.00,-, =0 11.00 @4/4/0/9 [3.00|+ 0+4] *"},
        {"5+3+{Click 3}6+", "HTH++B 6.00,3.00, =9 9.00 @4/4/0/5 [3.00|+ 0+4] *"},
        {"5+3+{Click 3}7{Decimals 0}", "HTH++B 7,3.00, =10 10 @5/5/0/5 [| 0+0] *"},
    });
    // clang-format on
}

// Whatever is corrected above the last total, the running total is what the lines
// keyed after that total add up to, and the next total strikes it.
TEST(TheRunningTotal, equals_the_lines_below_the_last_total_after_any_correction) {
    // clang-format off
    ExpectScripts({
        {"5+3+{Enter}7+{Up}{Up}{Up}{Up}9+{End}{Enter}", "HTH++TH+THB 5.00,9.00,14.00,-,7.00,7.00,-, =0 7.00 @10/10/0/10 [| 0+0] *"},
        {"5+3+{Enter}7+{Click 4}{Bksp}{Down}{End}{Enter}", "HTH++TH+THB 5.00,5.00,10.00,-,7.00,7.00,-, =0 7.00 @10/10/0/10 [| 0+0] *"},
        {"5+{Enter}2+{S-Enter}3+{Click 3}6+{End}{Enter}", "HTH+TH+S+THB 6.00,6.00,-,2.00,2.00,3.00,5.00,-, =0 5.00 @11/11/0/11 [| 0+0] *"},
        {"5+{Enter}10+4*{Click 3}6+", "HTH+TH+*B 6.00,6.00,-,10.00,10.00, =10 10.00 @4/4/0/8 [6.00|T 0+4] *"},
        {"5+{Enter}3+{Click 3}{Delete}", "HTHTH+B 0.00,-,3.00, =3 3.00 @3/3/0/6 [0.00|T 0+4] *"},
        {"5+{Enter}3+{Click 3}x{Enter}", "HTHCTH+B x,0.00,-,3.00, =3 3.00 @4/4/0/7 [0.00|T 0+0] *"},
        {"5+{Enter}{Enter}3+{Click 3}6+", "HTH+THTH+B 6.00,6.00,-,0.00,-,3.00, =3 3.00 @4/4/0/9 [6.00|T 0+4] *"},
        {"5+3+{Enter}{Click 4}9+", "HTH++THB 5.00,9.00,14.00,-, =0 14.00 @5/5/0/7 [14.00|T 0+5] *"},
        {"5+{Enter}10/0/{Click 3}6+", "HTH+TH//B 6.00,6.00,-,10.00,0.00, =10 10.00 @4/4/0/8 [6.00|T 0+4] * | msg \"Tallymar\" \"Division by zero!\" ok -> ok"},
    });
    // clang-format on
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
    // clang-format off
    ExpectScripts({
        {"5+a", "HTH+C 5.00,a =5 5.00 @4/4/0/4 [a| 1+0] *"},
        {"12.5.3{Enter}", "HTHCB 12.5.3, =0 0.00 @4/4/0/4 [| 0+0] *"},
        {"1,234,", "HTHC 1,234, =0 0.00 @3/3/0/3 [1,234,| 6+0] *"},
        {"5+rent{Enter}3+{Enter}", "HTH+C+THB 5.00,rent,3.00,8.00,-, =0 8.00 @8/8/0/8 [| 0+0] *"},
        {"5+rent{Down}3+{Enter}", "HTH+C+THB 5.00,rent,3.00,8.00,-, =0 8.00 @8/8/0/8 [| 0+0] *"},
        {"5+rent{PgDn}", "HTH+CB 5.00,rent, =5 5.00 @5/5/0/5 [| 0+0] *"},
        {"5+rent{End}", "HTH+CB 5.00,rent, =5 5.00 @5/5/0/5 [| 0+0] *"},
        {"abc{Click 1}{End}7+", "HTHC+B abc,7.00, =7 7.00 @5/5/0/5 [| 0+0] *"},
        {"5+rent{Click 3}{End}7+", "HTH+C+B 5.00,rent,7.00, =12 12.00 @6/6/0/6 [| 0+0] *"},
        {"abc{Enter}5+{Click 3}{Click 5}xyz{Enter}", "HTHC+CB abc,5.00,xyz, =5 5.00 @6/6/0/6 [| 0+0] *"},
        {"abc{Enter}{Click 3}abd{Click 4}", "HTHCB abd, =0 0.00 @4/4/0/4 [| 0+0] *"},
        {"abcdefghijklmnopq{Enter}", "HTHCB abcdefghijklmno, =0 0.00 @4/4/0/4 [| 0+0] * | beep | beep"},
        {"ab{Bksp}{Bksp}5+", "HTH+B 5.00, =5 5.00 @4/4/0/4 [| 0+0] *"},
        {"rent{Enter}{Up}", "HTHCB rent, =0 0.00 @3/3/0/4 [rent| 0+4] * e"},
        {"rent{Enter}{Up}food{Enter}", "HTHCB food, =0 0.00 @4/4/0/4 [| 0+0] *"},
        {"rent{Enter}food{Enter}{Up}x{Up}", "HTHCCB rent,x, =0 0.00 @3/3/0/5 [rent             | 0+0] *"},
        {"5+3+{Enter}{Click 4}r", "HTH+CTHB 5.00,r,5.00,-, =0 5.00 @4/4/0/7 [r| 1+0] * e"},
        {"5+3+{Enter}{Click 4}rent{Enter}", "HTH+CTHB 5.00,rent,5.00,-, =0 5.00 @5/5/0/7 [5.00|T 0+0] *"},
        {"5+3+{Click 4}r{Enter}2+{Enter}{Click 3}6+", "HTH+C+THB 6.00,r,2.00,8.00,-, =0 8.00 @4/4/0/8 [r| 0+1] * e"},
        {"5+rent{Enter}{Click 4}12{Enter}", "HTH+CB 5.00,12, =5 5.00 @5/5/0/5 [| 0+0] *"},
        {"5+3+{Enter}{Click 4}{Insert}note{Enter}", "HTH+C+THB 5.00,note,3.00,8.00,-, =0 8.00 @5/5/0/8 [3.00|+ 0+0] *"},
    });
    // clang-format on
}

// The window's box deletes and pastes in a comment itself and tells the engine what it
// holds; the comment's own line takes it at once (a save or print that follows has
// it), also on a scrolled tape.
TEST(Comments, keep_what_the_box_holds_after_an_edit_made_in_the_box) {
    Machine m(StartUp().Rows(6));
    m.Keys("1+2+3+4+5+6+7+rent{Enter}8+{Up}{Up}");
    ASSERT_GT(m.calc.top_line(), 0);
    const int row = m.calc.focus_row();
    const int line = m.calc.top_line() + row;
    ASSERT_EQ(EntryShown(m.calc.tape()[line]), "rent             ");
    m.calc.BoxEdited(row, "food", 4, 0);
    EXPECT_EQ(EntryShown(m.calc.tape()[line]), "food             ");
    EXPECT_EQ(m.RowAt(row).sel_start, 4);
    // An amount's box keeps its figures to itself until they are committed.
    m.Keys("{Down}");
    const int amount_row = m.calc.focus_row();
    m.calc.BoxEdited(amount_row, "12", 2, 0);
    EXPECT_EQ(EntryShown(m.calc.tape()[m.calc.top_line() + amount_row]), "");
}

TEST(Inserting, puts_a_blank_zero_line_above_the_current_line_or_below_a_rule) {
    // clang-format off
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Insert}", "HTH+ +THB 5.00,0.00,3.00,8.00,-, =0 8.00 @4/4/0/8 [0|  0+1] *"},
        {"5+{Enter}3+{Click 5}{Insert}", "HTH+TH +B 5.00,5.00,-,0.00,3.00, =3 3.00 @6/6/0/8 [0|  0+1] *"},
    });
    // clang-format on
    // clang-format off
    ExpectScripts({
        {"5+3+7+2+{Click 2}{Insert}", "HTH+ +++B 5.00,0.00,3.00,7.00,2.00, =17 17.00 @4/1/3/5 [0|  0+1] *"},
    },
    // clang-format on
                  StartUp().Rows(6));
}

TEST(Deleting, leaves_the_tape_with_its_totals_struck_again) {
    // clang-format off
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Delete}", "HTH+THB 5.00,5.00,-, =0 5.00 @4/4/0/6 [5.00|T 0+4] *"},
        {"5+3+7+{Enter}{Click 4}{Delete}", "HTH++THB 5.00,7.00,12.00,-, =0 12.00 @4/4/0/7 [7.00|+ 0+4] *"},
        {"5+{Enter}3+{Enter}{Click 4}{Delete}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @4/4/0/7 [3.00|+ 0+4] *"},
        {"5+3+{Enter}10+{Enter}{Click 3}{Delete}", "HTH+TH+THB 3.00,3.00,-,10.00,10.00,-, =0 3.00 @3/3/0/9 [3.00|+ 0+4] *"},
        {"5+rent{Enter}3+{Enter}{Click 4}{Delete}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @4/4/0/7 [3.00|+ 0+4] * e"},
        {"5+3+{Delete}2+{Enter}", "HTH+++THB 5.00,3.00,2.00,10.00,-, =0 10.00 @8/8/0/8 [| 0+0] *"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}", "HTH+THB 7.00,7.00,-, =0 7.00 @3/3/0/6 [7.00|+ 0+4] * | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> yes"},
        {"5+3+7+{Enter}{Click 5}{S-Up}{S-Up}{Answer yes}{Delete}", "HTH+THB 5.00,5.00,-, =0 5.00 @4/4/0/6 [5.00|T 0+4] * | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> yes"},
        {"5+3+7+{Enter}{Click 5}{S-Down}{S-Down}{Answer yes}{Delete}", "HTH++B 5.00,3.00, =8 8.00 @5/5/0/5 [| 0+0] * | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> yes"},
        {"5+3+7+{Enter}{S-Click 4}{Answer yes}{Delete}", "HTH++THB 5.00,7.00,12.00,-, =0 12.00 @4/4/0/7 [7.00|+ 0+4] * | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 1 selected row?\" yesnocancel -> yes"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer no}{Delete}", "HTH+++THB 5.00,3.00,7.00,15.00,-, =0 15.00 @5/5/0/8 [7.00|+ 0+0] * s3-4 | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> no"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer cancel}{Delete}", "HTH+++THB 5.00,3.00,7.00,15.00,-, =0 15.00 @5/5/0/8 [7.00|+ 0+0] * s3-4 | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> cancel"},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Delete}", "HTH+++THB 5.00,3.00,7.00,15.00,-, =0 15.00 @5/5/0/8 [7.00|+ 0+0] * s3-4 | msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 2 selected rows?\" yesnocancel -> no"},
    });
    // clang-format on
    // clang-format off
    ExpectScripts({
        {"5+3+7+2+{Click 2}{Delete}", "HTH+++B 5.00,7.00,2.00, =14 14.00 @4/3/1/5 [7.00|+ 0+4] *"},
    },
    // clang-format on
                  StartUp().Rows(6));
    // clang-format off
    ExpectScripts({
        {"5+{Delete}", "HTH+B 5.00, =5 5.00 @4/0/4/0 [| 0+0] *"},
    }, StartUp().Rows(1));
    // clang-format on
}

TEST(Deleting, leaves_no_row_without_a_line_and_no_highlight) {
    Machine m;
    m.Keys("5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}");
    EXPECT_EQ(m.calc.last_row(), m.calc.UpperBound());
    EXPECT_FALSE(m.calc.selection_shown());
    for (int r = 0; r <= m.calc.last_row(); ++r) EXPECT_NE(m.RowAt(r).back, kSelectionBack) << r;
}

TEST(Copying, puts_the_selected_lines_on_the_clipboard_one_per_text_line) {
    const struct {
        const char* keys;
        const char* clipboard;
    // clang-format off
    } cases[] = {
        {"5+rent{Enter}7-{Click 3}{S-Down}{S-Down}{S-Down}", R"(clipboard "5.00+\nrent             \n7.00-")"},
        {"{Click 0}{S-Down}{S-Down}{S-Down}", R"(clipboard "0.00H\n0.00T\n0.00H")"},
        {"3-{Enter}{Click 4}{S-Down}", R"(clipboard "-3.00T")"},
        {"1234.5+{Decimals 4}2.25+{Decimals 0}{Click 3}{S-Down}{S-Down}", R"(clipboard "1,234.50+\n2.2500+")"},
        {"abcdefghijklmno{Enter}{Click 3}{S-Down}", R"(clipboard "abcdefghijklmno  ")"},
        {"5+3+7+{Click 5}{S-Up}{S-Up}{S-Up}", R"(clipboard "5.00+\n3.00+\n7.00+")"},
        // The last selection made is copied after its highlight is gone.
        {"5+3+7+{Click 3}{S-Down}{S-Down}{Down}", R"(clipboard "5.00+\n3.00+")"},
    };
    // clang-format on
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
