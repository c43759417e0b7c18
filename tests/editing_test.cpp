// Changing the tape after the fact: appending lines, correcting an earlier line
// and striking the totals below it again, turning a line into a comment,
// inserting and deleting lines, and copying lines to the clipboard.
#include "machine.h"

namespace tallymar::testing {
namespace {

using Lines = std::vector<std::string>;
const std::string kRule = "---------------";

// A key script replayed on a started tape, and the tape it must leave.
struct TapeAfter {
    const char* name;
    const char* keys;
    const char* ops;  // the Op of every line
    Lines shown;      // what lines 3 onwards show in the amount column
    double accumulator;
    Lines events;  // message boxes, beeps and clipboard texts on the way
};

std::string CaseName(const ::testing::TestParamInfo<TapeAfter>& info) {
    return info.param.name;
}

void ExpectTape(Machine& m, const TapeAfter& c) {
    EXPECT_EQ(m.TakeEvents(), c.events);
    EXPECT_EQ(m.Ops(), c.ops);
    EXPECT_EQ(m.Shown(3), c.shown);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), c.accumulator);
}

// ---- appending ----

TEST(Appending, each_committed_amount_gets_a_fresh_open_row_that_takes_the_focus) {
    Machine m;
    m.Keys("{Decimals 0}5+3-");
    EXPECT_EQ(m.Ops(), "HTH+-B");
    EXPECT_EQ(m.calc.last_row(), 5);
    EXPECT_EQ(m.calc.cur_line(), 5);
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_EQ(m.RowAt(5).text, "");
    EXPECT_FALSE(m.RowAt(5).locked);
    const TapeLine& open = m.calc.tape()[5];
    EXPECT_EQ(open.Signature, kSignature);
    EXPECT_DOUBLE_EQ(open.Amount, 0);
    EXPECT_EQ(open.Decimals, 0);
}

TEST(Appending, a_full_window_scrolls_the_tape_up_one_line_instead_of_adding_a_row) {
    Machine m(StartUp().Rows(6));
    m.Keys("5+3+7+");
    EXPECT_EQ(m.Ops(), "HTH+++B");
    EXPECT_EQ(m.calc.last_row(), 5);
    EXPECT_EQ(m.calc.top_line(), 1);
    EXPECT_EQ(m.calc.cur_line(), 6);
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_EQ(m.RowAt(0).op, "T");  // line 1, the zero total of the new tape
    EXPECT_EQ(m.RowAt(4).text, "7.00");
    EXPECT_EQ(m.RowAt(5).text, "");
}

// ---- correcting an earlier line ----

// The tape 5 + 3 + T 8, 10 + T 10: lines 3 to 10.
constexpr const char* kTwoTotals = "5+3+{Enter}10+{Enter}";

class CorrectingALine : public ::testing::TestWithParam<TapeAfter> {};

TEST_P(CorrectingALine, strikes_the_total_below_it_again) {
    Machine m;
    m.Keys(kTwoTotals);
    m.TakeEvents();
    m.Keys(GetParam().keys);
    ExpectTape(m, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, CorrectingALine,
    ::testing::Values(
        TapeAfter{"new_amount_committed_with_plus",
                  "{Click 4}6+",
                  "HTH++TH+THB",
                  {"5.00", "6.00", "11.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"new_amount_then_down_arrow",
                  "{Click 4}6{Down}",
                  "HTH++TH+THB",
                  {"5.00", "6.00", "11.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"new_amount_then_click_on_the_open_line",
                  "{Click 4}6{Click 10}",
                  "HTH++TH+THB",
                  {"5.00", "6.00", "11.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"line_reached_with_the_up_arrow",
                  "{Up}{Up}{Up}{Up}{Up}{Up}6+",
                  "HTH++TH+THB",
                  {"5.00", "6.00", "11.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"decimal_amount_over_the_first_line",
                  "{Click 3}2.5{Down}",
                  "HTH++TH+THB",
                  {"2.50", "3.00", "5.50", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"operator_key_alone_changes_plus_to_minus",
                  "{Click 4}-",
                  "HTH+-TH+THB",
                  {"5.00", "3.00", "2.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"line_below_a_total_changes_only_its_own_total",
                  "{Click 7}20+",
                  "HTH++TH+THB",
                  {"5.00", "3.00", "8.00", kRule, "20.00", "20.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"inserted_line_keyed_with_an_amount",
                  "{Click 4}{Insert}4+",
                  "HTH+++TH+THB",
                  {"5.00", "4.00", "3.00", "12.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{
            "total_refuses_the_key_and_keeps_its_amount",
            "{Click 5}7{Click 10}",
            "HTH++TH+THB",
            {"5.00", "3.00", "8.00", kRule, "10.00", "10.00", kRule, ""},
            0,
            {R"(msg "Tallymar" "The Tallymar will not allow you to edit a total." ok -> ok)"}}),
    CaseName);

struct ProductCorrection {
    const char* keys;
    const char* ops;
    const char* total;  // what the total line 5 shows afterwards
};

class CorrectingAFactor : public ::testing::TestWithParam<ProductCorrection> {};

TEST_P(CorrectingAFactor, strikes_the_result_again_on_the_total_line_below) {
    Machine m;
    m.Keys(GetParam().keys);
    EXPECT_EQ(m.Ops(), GetParam().ops);
    EXPECT_EQ(m.calc.ShownText(5), GetParam().total);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Products, CorrectingAFactor,
    ::testing::Values(ProductCorrection{"12*3{Enter}{Click 4}4{Down}", "HTH*=THB", "48.00"},
                      ProductCorrection{"12*3{Enter}{Click 3}5{Down}", "HTH*=THB", "15.00"},
                      ProductCorrection{"200*15%{Click 4}10{Down}", "HTH*%THB", "20.00"},
                      ProductCorrection{"100/4{Enter}{Click 4}8{Down}", "HTH/=THB", "12.50"}));

TEST(CorrectingALine, strikes_a_subtotal_in_the_range_again) {
    Machine m;
    m.Keys("5+3+{S-Enter}2+{Enter}{Click 3}6+");
    EXPECT_EQ(m.Ops(), "HTH++S+THB");
    EXPECT_EQ(m.Shown(3), (Lines{"6.00", "3.00", "9.00", "2.00", "11.00", kRule, ""}));
}

TEST(CorrectingALine, with_no_total_below_reworks_the_running_result) {
    Machine m;
    m.Keys("5+3+{Click 3}6+");
    EXPECT_EQ(m.Ops(), "HTH++B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 9);
    EXPECT_EQ(m.calc.total_text(), "9.00");
}

TEST(CorrectingALine, committed_with_an_operator_key_moves_the_focus_one_row_down) {
    Machine m;
    m.Keys(kTwoTotals);
    m.Keys("{Click 3}6+");
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_EQ(m.calc.cur_line(), 4);
}

struct RunningTotal {
    const char* keys;
    double accumulator;
    const char* display;
};

class TheRunningTotal : public ::testing::TestWithParam<RunningTotal> {};

// Whatever is corrected above the last total, the running total is what the
// lines keyed after that total add up to, and the next total strikes it.
TEST_P(TheRunningTotal, equals_the_lines_below_the_last_total_after_any_correction) {
    const RunningTotal& c = GetParam();
    Machine m;
    m.Keys(c.keys);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), c.accumulator);
    EXPECT_EQ(m.calc.total_text(), c.display);
    m.Keys("{End}{Enter}");
    EXPECT_DOUBLE_EQ(m.Amount(m.calc.UpperBound() - 2), c.accumulator);
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, TheRunningTotal,
    ::testing::Values(RunningTotal{"5+3+{Enter}7+{Up}{Up}{Up}{Up}9+", 7, "7.00"},
                      RunningTotal{"5+3+{Enter}7+{Click 4}{Bksp}{Down}", 7, "7.00"},
                      RunningTotal{"5+{Enter}2+{S-Enter}3+{Click 3}6+", 5, "5.00"},
                      RunningTotal{"5+{Enter}10+4*{Click 3}6+", 10, "10.00"},
                      RunningTotal{"5+{Enter}3+{Click 3}{Delete}", 3, "3.00"},
                      RunningTotal{"5+{Enter}3+{Click 3}x{Enter}", 3, "3.00"},
                      RunningTotal{"5+{Enter}{Enter}3+{Click 3}6+", 3, "3.00"},
                      // Nothing keyed since the last total: the display keeps that total.
                      RunningTotal{"5+3+{Enter}{Click 4}9+", 0, "14.00"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TheRunningTotal, the_total_after_a_correction_above_an_earlier_total_adds_the_tape_up) {
    Machine m;
    m.Keys("5+3+{Enter}7+{Up}{Up}{Up}{Up}9+{End}{Enter}");
    EXPECT_EQ(m.Ops(), "HTH++TH+THB");
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "9.00", "14.00", kRule, "7.00", "7.00", kRule, ""}));
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

TEST(TheRunningTotal, a_zero_divisor_below_the_last_total_is_not_reported_again) {
    Machine m;
    m.Keys("5+{Enter}10/0/");
    ASSERT_EQ(m.TakeEvents().size(), 1u);
    m.Keys("{Click 3}6+");
    EXPECT_TRUE(m.TakeEvents().empty());
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 10);
}

// ---- turning a line into a comment ----

TEST(TurningALineIntoAComment, strikes_the_total_again_at_the_first_letter) {
    Machine m;
    m.Keys("5+3+{Enter}{Click 4}r");
    EXPECT_EQ(m.Ops(), "HTH+CTHB");
    EXPECT_EQ(m.calc.ShownText(5), "5.00");
    EXPECT_TRUE(m.calc.edit_mode());
    EXPECT_EQ(m.RowAt(4).back, Rgb(207, 207, 207));
    EXPECT_EQ(m.RowAt(4).fore, m.calc.colours().CurTxtClr);
}

TEST(TurningALineIntoAComment, keeps_its_old_amount_out_of_every_later_recomputation) {
    Machine m;
    m.Keys("5+3+{Click 4}r{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+CB");
    EXPECT_DOUBLE_EQ(m.Amount(4), 3);  // kept, but no longer added
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_FALSE(m.calc.edit_mode());
    m.Keys("2+{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+C+THB");
    EXPECT_EQ(m.calc.ShownText(6), "7.00");
    m.Keys("{Click 3}6+");
    EXPECT_EQ(m.Ops(), "HTH+C+THB");
    EXPECT_EQ(m.calc.ShownText(6), "8.00");
}

TEST(CorrectingAComment, keeps_it_a_comment_even_when_only_digits_are_keyed) {
    Machine m;
    m.Keys("5+rent{Enter}{Click 4}12{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+CB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), "12               ");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
    EXPECT_EQ(m.calc.focus_row(), 5);
}

// ---- Edit > Insert ----

TEST(Inserting, puts_a_zero_line_with_a_blank_operator_above_the_current_line) {
    Machine m;
    m.Keys("5+3+{Enter}{Click 4}{Insert}");
    EXPECT_EQ(m.Ops(), "HTH+ +THB");
    EXPECT_DOUBLE_EQ(m.Amount(4), 0);
    EXPECT_DOUBLE_EQ(m.Amount(5), 3);
    EXPECT_EQ(m.RowAt(4).text, "0");
    EXPECT_EQ(m.RowAt(4).op, " ");
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_EQ(m.calc.cur_line(), 4);
    EXPECT_EQ(m.calc.ShownText(6), "8.00");  // nothing is recomputed yet
    EXPECT_EQ(m.calc.last_row(), 8);
}

TEST(Inserting, on_a_rule_line_puts_the_new_line_below_the_rule) {
    Machine m;
    m.Keys("5+{Enter}3+{Click 5}{Insert}");
    EXPECT_EQ(m.Ops(), "HTH+TH +B");
    EXPECT_EQ(m.RowAt(6).text, "0");
    EXPECT_EQ(m.RowAt(6).op, " ");
    EXPECT_EQ(m.calc.focus_row(), 6);
    EXPECT_DOUBLE_EQ(m.Amount(7), 3);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 3);
}

TEST(Inserting, in_a_scrolled_window_gives_the_focus_to_the_row_showing_the_new_line) {
    Machine m(StartUp().Rows(6));
    m.Keys("5+3+7+2+");
    ASSERT_EQ(m.calc.top_line(), 2);
    m.Keys("{Click 2}{Insert}");  // row 2 shows line 4, the 3
    EXPECT_EQ(m.Ops(), "HTH+ +++B");
    EXPECT_EQ(m.calc.top_line(), 3);
    EXPECT_EQ(m.calc.cur_line(), 4);
    EXPECT_EQ(m.calc.focus_row(), 1);
    EXPECT_EQ(m.RowAt(1).op, " ");
    EXPECT_EQ(m.RowAt(2).text, "3.00");
}

// ---- Edit > Delete ----

class Deleting : public ::testing::TestWithParam<TapeAfter> {};

TEST_P(Deleting, leaves_the_tape_with_its_totals_struck_again) {
    Machine m;
    m.Keys(GetParam().keys);
    ExpectTape(m, GetParam());
    EXPECT_EQ(m.calc.last_row(), m.calc.UpperBound());  // no row is left without a line
    EXPECT_FALSE(m.calc.selecting());
    EXPECT_FALSE(m.calc.selection_shown());
    for (int r = 0; r <= m.calc.last_row(); ++r) EXPECT_NE(m.RowAt(r).back, kSelectionBack) << r;
}

const char* const kAskTwo =
    R"(msg "Tallymar - confirm deletion" "Do you really want to delete the 2 selected rows?" yesnocancel -> )";

INSTANTIATE_TEST_SUITE_P(
    Deletions, Deleting,
    ::testing::Values(
        TapeAfter{"plus_line_before_a_total_without_a_question",
                  "5+3+{Enter}{Click 4}{Delete}",
                  "HTH+THB",
                  {"5.00", "5.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"total_takes_its_rule_line_with_it",
                  "5+{Enter}3+{Enter}{Click 4}{Delete}",
                  "HTH++THB",
                  {"5.00", "3.00", "8.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"first_amount_leaves_the_later_total_alone",
                  "5+3+{Enter}10+{Enter}{Click 3}{Delete}",
                  "HTH+TH+THB",
                  {"3.00", "3.00", kRule, "10.00", "10.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"comment_line_changes_no_amount",
                  "5+rent{Enter}3+{Enter}{Click 4}{Delete}",
                  "HTH++THB",
                  {"5.00", "3.00", "8.00", kRule, ""},
                  0,
                  {}},
        TapeAfter{"open_line_gets_a_new_open_line",
                  "5+3+{Delete}",
                  "HTH++B",
                  {"5.00", "3.00", ""},
                  8,
                  {}},
        TapeAfter{"selection_answered_yes",
                  "5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}",
                  "HTH+THB",
                  {"7.00", "7.00", kRule, ""},
                  0,
                  {std::string(kAskTwo) + "yes"}},
        TapeAfter{"selection_made_upwards",
                  "5+3+7+{Enter}{Click 5}{S-Up}{S-Up}{Answer yes}{Delete}",
                  "HTH+THB",
                  {"5.00", "5.00", kRule, ""},
                  0,
                  {std::string(kAskTwo) + "yes"}},
        TapeAfter{"selection_ending_on_a_total_with_its_rule_line",
                  "5+3+7+{Enter}{Click 5}{S-Down}{S-Down}{Answer yes}{Delete}",
                  "HTH++B",
                  {"5.00", "3.00", ""},
                  8,
                  {std::string(kAskTwo) + "yes"}},
        TapeAfter{
            "single_shift_clicked_line",
            "5+3+7+{Enter}{S-Click 4}{Answer yes}{Delete}",
            "HTH++THB",
            {"5.00", "7.00", "12.00", kRule, ""},
            0,
            {R"(msg "Tallymar - confirm deletion" "Do you really want to delete the 1 selected row?" yesnocancel -> yes)"}}),
    CaseName);

struct Refusal {
    const char* answer_keys;
    const char* answer;  // as the message box reports it
};

class RefusingADeletion : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusingADeletion, leaves_every_line_where_it_was) {
    Machine m;
    m.Keys("5+3+7+{Enter}{Click 3}{S-Down}{S-Down}");
    m.Keys(GetParam().answer_keys);
    m.Keys("{Delete}");
    EXPECT_EQ(m.TakeEvents(), Lines{std::string(kAskTwo) + GetParam().answer});
    EXPECT_EQ(m.Ops(), "HTH+++THB");
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "3.00", "7.00", "15.00", kRule, ""}));
}

// With no answer given the message box takes its default button, No.
INSTANTIATE_TEST_SUITE_P(Answers, RefusingADeletion,
                         ::testing::Values(Refusal{"{Answer no}", "no"},
                                           Refusal{"{Answer cancel}", "cancel"},
                                           Refusal{"", "no"}));

TEST(Deleting, is_not_offered_when_the_window_has_a_single_row) {
    Machine m(StartUp().Rows(1));
    m.Keys("5+{Delete}");
    EXPECT_EQ(m.Ops(), "HTH+B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
}

TEST(Deleting, gives_the_focus_to_the_line_that_moved_up_into_the_gap) {
    Machine m;
    m.Keys("5+3+7+{Enter}{Click 4}{Delete}");
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_EQ(m.calc.cur_line(), 4);
    EXPECT_EQ(m.RowAt(4).text, "7.00");
    EXPECT_EQ(m.calc.ShownText(5), "12.00");
}

TEST(Deleting, in_a_scrolled_window_scrolls_back_by_the_lines_removed) {
    Machine m(StartUp().Rows(6));
    m.Keys("5+3+7+2+");
    ASSERT_EQ(m.calc.top_line(), 2);
    m.Keys("{Click 2}{Delete}");  // row 2 shows line 4, the 3
    EXPECT_EQ(m.Ops(), "HTH+++B");
    EXPECT_EQ(m.calc.top_line(), 1);
    EXPECT_EQ(m.calc.last_row(), 5);
    EXPECT_EQ(m.calc.focus_row(), 3);
    EXPECT_EQ(m.RowAt(3).text, "7.00");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 14);
}

TEST(Deleting, the_open_line_leaves_a_tape_that_can_be_keyed_on) {
    Machine m;
    m.Keys("5+3+{Delete}2+{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+++THB");
    EXPECT_EQ(m.calc.ShownText(6), "10.00");
}

// ---- Edit > Copy and Ctrl+C ----

struct CopyCase {
    const char* name;
    const char* keys;
    const char* clipboard;  // the recorded event
};

class Copying : public ::testing::TestWithParam<CopyCase> {};

TEST_P(Copying, puts_each_selected_line_on_the_clipboard_after_a_line_break) {
    Machine m;
    m.Keys(GetParam().keys);
    const std::string ops = m.Ops();
    m.TakeEvents();
    m.Keys("{Copy}");
    EXPECT_EQ(m.TakeEvents(), Lines{GetParam().clipboard});
    m.Keys("{C-c}");
    EXPECT_EQ(m.TakeEvents(), Lines{GetParam().clipboard});
    EXPECT_EQ(m.Ops(), ops);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, Copying,
    ::testing::Values(
        CopyCase{"amounts_and_a_comment", "5+rent{Enter}7-{Click 3}{S-Down}{S-Down}{S-Down}",
                 R"(clipboard "\r\n5.00+\r\nrent             \r\n7.00-")"},
        CopyCase{"rule_and_total_lines", "{Click 0}{S-Down}{S-Down}{S-Down}",
                 R"(clipboard "\r\n0.00H\r\n0.00T\r\n0.00H")"},
        CopyCase{"negative_total", "3-{Enter}{Click 4}{S-Down}", R"(clipboard "\r\n-3.00T")"},
        CopyCase{"each_line_in_its_own_decimals",
                 "1234.5+{Decimals 4}2.25+{Decimals 0}{Click 3}{S-Down}{S-Down}",
                 R"(clipboard "\r\n1,234.50+\r\n2.2500+")"},
        CopyCase{"a_full_length_comment", "abcdefghijklmno{Enter}{Click 3}{S-Down}",
                 R"(clipboard "\r\nabcdefghijklmno  ")"},
        CopyCase{"selection_made_upwards", "5+3+7+{Click 5}{S-Up}{S-Up}{S-Up}",
                 R"(clipboard "\r\n5.00+\r\n3.00+\r\n7.00+")"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Copying, takes_the_last_selection_made_after_its_highlight_is_gone) {
    Machine m;
    m.Keys("5+3+7+{Click 3}{S-Down}{S-Down}{Down}");
    EXPECT_FALSE(m.calc.selecting());
    EXPECT_FALSE(m.calc.selection_shown());
    EXPECT_NE(m.RowAt(3).back, kSelectionBack);
    m.TakeEvents();
    m.Keys("{Copy}");
    EXPECT_EQ(m.TakeEvents(), Lines{R"(clipboard "\r\n5.00+\r\n3.00+")"});
}

}  // namespace
}  // namespace tallymar::testing
