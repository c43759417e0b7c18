// Changing the tape after the fact: correcting an earlier line and striking the
// totals below it again, comments, inserting and deleting lines, and copying
// lines to the clipboard.
#include "machine.h"

namespace tallymar::testing {
namespace {

// 5 + 3 + T 8, 10 + T 10: lines 3 to 10.
constexpr const char* kTwoTotals = "5+3+{Enter}10+{Enter}";
// The question before selected rows are deleted, to be followed by the answer given.
const std::string kDeleteTwoRows =
    R"(msg "Tallymar - confirm deletion" "Do you really want to delete the 2 selected rows?" )"
    "yesnocancel -> ";
const std::string kDeleteOneRow =
    R"(msg "Tallymar - confirm deletion" "Do you really want to delete the 1 selected row?" )"
    "yesnocancel -> ";

// A recomputation (a comment ended, a deletion, a correction) passes over a product
// or a quotient without appending: the next amount committed still gets a line of its
// own and an open line after it, and is added once.
TEST(Recomputation, leaves_the_next_commit_its_own_line) {
    const struct {
        const char* keys;
        const char* ops;
        const char* total;
    } scripts[] = {
        {"7891+/q1{Enter}5559{Enter}", "HTH+/C+THB", "13,450.00"},
        {"0*2888%{S-Up}{S-Up}{Answer yes}{Delete}6909-", "HTH*%T-B", "-6,909.00"},
        {"9428+*2222-rent{Up}3078.95+{Down}{PgDn}7142.3%", "HTH+*CCB%B", "9,428.00"},
    };
    for (const auto& s : scripts) {
        Machine m;
        m.Keys(s.keys);
        EXPECT_EQ(m.Ops(), s.ops) << s.keys;
        EXPECT_EQ(m.calc.display().text, s.total) << s.keys;
    }
}

// kTwoTotals on the tape, and the same with its 3 corrected to 6.
const Tape kTwoTotalsTape{"5.00 +", "3.00 +", "8.00 T", "---", "10.00 +", "10.00 T", "---", "open"};
const Tape kThreeMadeSix{"5.00 +", "6.00 +", "11.00 T", "---", "10.00 +", "10.00 T", "---", "open"};

TEST(CorrectingALine, strikes_the_totals_and_subtotals_below_it_again) {
    ExpectScripts({
        {std::string(kTwoTotals) + "{Click 4}6+", kThreeMadeSix, Total{"11.00"}, Sum{0},
         Focus{5, 5}, RowHolds{"11.00", "T", 0, 5}},
        {std::string(kTwoTotals) + "{Click 4}6{Down}", kThreeMadeSix, Total{"11.00"}, Sum{0},
         Focus{5, 5}, RowHolds{"11.00", "T", 0, 5}},
        {std::string(kTwoTotals) + "{Click 4}6{Click 10}", kThreeMadeSix, Total{"11.00"}, Sum{0},
         kOnOpenLine},
        {std::string(kTwoTotals) + "{Click 3}2.5{Down}",
         Tape{"2.50 +", "3.00 +", "5.50 T", "---", "10.00 +", "10.00 T", "---", "open"},
         Total{"5.50"}, Sum{0}, Focus{4, 4}, RowHolds{"3.00", "+", 0, 4}},
        {std::string(kTwoTotals) + "{Click 4}-",
         Tape{"5.00 +", "3.00 -", "2.00 T", "---", "10.00 +", "10.00 T", "---", "open"},
         Total{"2.00"}, Sum{0}, Focus{5, 5}, RowHolds{"2.00", "T", 0, 4}},
        {std::string(kTwoTotals) + "{Click 7}20+",
         Tape{"5.00 +", "3.00 +", "8.00 T", "---", "20.00 +", "20.00 T", "---", "open"},
         Total{"20.00"}, Sum{0}, Focus{8, 8}, RowHolds{"20.00", "T", 0, 5}},
        {std::string(kTwoTotals) + "{Click 4}{Insert}4+",
         Tape{"5.00 +", "4.00 +", "3.00 +", "12.00 T", "---", "10.00 +", "10.00 T", "---", "open"},
         Total{"12.00"}, Sum{0}, Focus{5, 5}, RowHolds{"3.00", "+", 0, 4}},
        {std::string(kTwoTotals) + "{Click 5}7{Click 10}", kTwoTotalsTape, Total{"10.00"}, Sum{0},
         kOnOpenLine, Events{kEditTotal}},
        {"12*3{Enter}{Click 4}4{Down}", Tape{"12.00 *", "4.00 =", "48.00 T", "---", "open"},
         Total{"48.00"}, Sum{0}, Focus{5, 5}, RowHolds{"48.00", "T", 0, 5}},
        {"12*3{Enter}{Click 3}5{Down}", Tape{"5.00 *", "3.00 =", "15.00 T", "---", "open"},
         Total{"15.00"}, Sum{0}, Focus{4, 4}, RowHolds{"3.00", "=", 0, 4}},
        {"200*15%{Click 4}10{Down}", Tape{"200.00 *", "10.00 %", "20.00 T", "---", "open"},
         Total{"20.00"}, Sum{0}, Focus{5, 5}, RowHolds{"20.00", "T", 0, 5}},
        {"100/4{Enter}{Click 4}8{Down}", Tape{"100.00 /", "8.00 =", "12.50 T", "---", "open"},
         Total{"12.50"}, Sum{0}, Focus{5, 5}, RowHolds{"12.50", "T", 0, 5}},
        {"5+3+{S-Enter}2+{Enter}{Click 3}6+",
         Tape{"6.00 +", "3.00 +", "9.00 S", "2.00 +", "11.00 T", "---", "open"}, Total{"11.00"},
         Sum{0}, Focus{4, 4}, RowHolds{"3.00", "+", 0, 4}},
        {"5+3+{Click 3}6+", Tape{"6.00 +", "3.00 +", "open"}, Total{"9.00"}, Sum{9}, Focus{4, 4},
         RowHolds{"3.00", "+", 0, 4}},
        {"5+3+{Click 3}7{Decimals 0}", Tape{"7 +", "3.00 +", "open"}, Total{"10"}, Sum{10},
         kOnOpenLine},
    });
}

// Whatever is corrected above the last total, the running total is what the lines
// keyed after that total add up to, and the next total strikes it.
TEST(TheRunningTotal, equals_the_lines_below_the_last_total_after_any_correction) {
    ExpectScripts({
        {"5+3+{Enter}7+{Up}{Up}{Up}{Up}9+{End}{Enter}",
         Tape{"5.00 +", "9.00 +", "14.00 T", "---", "7.00 +", "7.00 T", "---", "open"},
         Total{"7.00"}, Sum{0}, kOnOpenLine},
        {"5+3+{Enter}7+{Click 4}{Bksp}{Down}{End}{Enter}",
         Tape{"5.00 +", "5.00 +", "10.00 T", "---", "7.00 +", "7.00 T", "---", "open"},
         Total{"7.00"}, Sum{0}, kOnOpenLine},
        {"5+{Enter}2+{S-Enter}3+{Click 3}6+{End}{Enter}",
         Tape{"6.00 +", "6.00 T", "---", "2.00 +", "2.00 S", "3.00 +", "5.00 T", "---", "open"},
         Total{"5.00"}, Sum{0}, kOnOpenLine},
        {"5+{Enter}10+*{Click 3}6+", Tape{"6.00 +", "6.00 T", "---", "10.00 +", "10.00 *", "open"},
         Total{"10.00"}, Sum{10}, Focus{4, 4}, RowHolds{"6.00", "T", 0, 4}},
        {"5+{Enter}3+{Click 3}{Delete}", Tape{"0.00 T", "---", "3.00 +", "open"}, Total{"3.00"},
         Sum{3}, Focus{3, 3}, RowHolds{"0.00", "T", 0, 4}},
        {"5+{Enter}3+{Click 3}x{Enter}", Tape{"x C", "0.00 T", "---", "3.00 +", "open"},
         Total{"3.00"}, Sum{3}, Focus{4, 4}, RowHolds{"0.00", "T"}},
        {"5+{Enter}{Enter}3+{Click 3}6+",
         Tape{"6.00 +", "6.00 T", "---", "0.00 T", "---", "3.00 +", "open"}, Total{"3.00"}, Sum{3},
         Focus{4, 4}, RowHolds{"6.00", "T", 0, 4}},
        {"5+3+{Enter}{Click 4}9+", Tape{"5.00 +", "9.00 +", "14.00 T", "---", "open"},
         Total{"14.00"}, Sum{0}, Focus{5, 5}, RowHolds{"14.00", "T", 0, 5}},
        {"5+{Enter}10/0/{Click 3}6+", Tape{"6.00 +", "6.00 T", "---", "10.00 /", "0.00 /", "open"},
         Total{"10.00"}, Sum{10}, Focus{4, 4}, RowHolds{"6.00", "T", 0, 4},
         Events{R"(msg "Tallymar" "Division by zero!" ok -> ok)"}},
    });
}

// A tape file may start with an amount rather than a rule: its first line is the
// multiplicand of the percentage after it, and the running total is what they make.
TEST(TheRunningTotal, of_a_file_that_starts_with_a_product_takes_its_first_line) {
    Machine m;
    TapeLine multiplicand, percentage;
    multiplicand.Op = '*';
    multiplicand.Amount = 5;
    percentage.Op = '%';
    percentage.Amount = 10;
    const std::vector<TapeLine> file = {multiplicand, percentage, TapeLine{}};
    LinesInMemory lines(file);
    m.calc.TakeLines(lines, LinesPlaced::kInPlaceOfTape);
    EXPECT_EQ(m.Ops(), "*%B");
    EXPECT_EQ(SumAsWritten(m.calc.accumulator()), "0.5");
    EXPECT_EQ(m.calc.display().text, "0.50");
}

// In calculator mode, too, the file's second line is an amount like any other: a
// correction there is read (only line 0's amount is not).
TEST(TheRunningTotal, of_a_file_that_starts_with_amounts_takes_a_correction_of_its_second) {
    Machine m(StartUp().CalcMode());
    TapeLine first, second;
    first.Op = second.Op = '+';
    first.Amount = 5;
    second.Amount = 10;
    const std::vector<TapeLine> file = {first, second, TapeLine{}};
    LinesInMemory lines(file);
    m.calc.TakeLines(lines, LinesPlaced::kInPlaceOfTape);
    m.Keys("{ClickLine 1}{Bksp}20+");
    EXPECT_EQ(m.Amount(1), 20);
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
        {"5+a", Tape{"5.00 +", "a C"}, Total{"5.00"}, Sum{5}, Focus{4, 4}, RowHolds{"a", "", 1, 0}},
        {"12.5.3{Enter}", Tape{"12.5.3 C", "open"}, Total{"0.00"}, Sum{0}, kOnOpenLine},
        {"1,234,", Tape{"1,234, C"}, Total{"0.00"}, Sum{0}, Focus{3, 3},
         RowHolds{"1,234,", "", 6, 0}},
        {"5+rent{Enter}3+{Enter}", Tape{"5.00 +", "rent C", "3.00 +", "8.00 T", "---", "open"},
         Total{"8.00"}, Sum{0}, kOnOpenLine},
        {"5+rent{Down}3+{Enter}", Tape{"5.00 +", "rent C", "3.00 +", "8.00 T", "---", "open"},
         Total{"8.00"}, Sum{0}, kOnOpenLine},
        {"5+rent{PgDn}", Tape{"5.00 +", "rent C", "open"}, Total{"5.00"}, Sum{5}, kOnOpenLine},
        {"5+rent{End}", Tape{"5.00 +", "rent C", "open"}, Total{"5.00"}, Sum{5}, kOnOpenLine},
        {"5+rent{Home}", Tape{"5.00 +", "rent C", "open"}, Total{"5.00"}, Sum{5}, Focus{3, 3},
         RowHolds{"5.00", "+"}},
        // A comment above the open line erased back to nothing takes an amount again.
        {"5+rent{Enter}3+{ClickLine 4}{Bksp}{Bksp}{Bksp}{Bksp}7+",
         Tape{"5.00 +", "7.00 +", "3.00 +", "open"}, Total{"15.00"}, Sum{15}, Focus{5, 5},
         RowHolds{"3.00", "+", 0, 4}},
        {"abc{Click 1}{End}7+", Tape{"abc C", "7.00 +", "open"}, Total{"7.00"}, Sum{7},
         kOnOpenLine},
        {"5+rent{Click 3}{End}7+", Tape{"5.00 +", "rent C", "7.00 +", "open"}, Total{"12.00"},
         Sum{12}, kOnOpenLine},
        {"abc{Enter}5+{Click 3}{Click 5}xyz{Enter}", Tape{"abc C", "5.00 +", "xyz C", "open"},
         Total{"5.00"}, Sum{5}, kOnOpenLine},
        {"abc{Enter}{Click 3}abd{Click 4}", Tape{"abd C", "open"}, Total{"0.00"}, Sum{0},
         kOnOpenLine},
        {"abcdefghijklmnopq{Enter}", Tape{"abcdefghijklmno C", "open"}, Total{"0.00"}, Sum{0},
         kOnOpenLine, Events{"beep", "beep"}},
        {"ab{Bksp}{Bksp}5+", Tape{"5.00 +", "open"}, Total{"5.00"}, Sum{5}, kOnOpenLine},
        {"rent{Enter}{Up}", Tape{"rent C", "open"}, Total{"0.00"}, Sum{0}, Focus{3, 3},
         RowHolds{"rent", "", 0, 4}, Flags{"changed editing"}},
        {"rent{Enter}{Up}food{Enter}", Tape{"food C", "open"}, Total{"0.00"}, Sum{0}, kOnOpenLine},
        {"rent{Enter}food{Enter}{Up}x{Up}", Tape{"rent C", "x C", "open"}, Total{"0.00"}, Sum{0},
         Focus{3, 3}, RowHolds{"rent             ", ""}},
        {"5+3+{Enter}{Click 4}r", Tape{"5.00 +", "r C", "5.00 T", "---", "open"}, Total{"5.00"},
         Sum{0}, Focus{4, 4}, RowHolds{"r", "", 1, 0}, Flags{"changed editing"}},
        {"5+3+{Enter}{Click 4}rent{Enter}", Tape{"5.00 +", "rent C", "5.00 T", "---", "open"},
         Total{"5.00"}, Sum{0}, Focus{5, 5}, RowHolds{"5.00", "T"}},
        {"5+3+{Click 4}r{Enter}2+{Enter}{Click 3}6+",
         Tape{"6.00 +", "r C", "2.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
         Focus{4, 4}, RowHolds{"r", "", 0, 1}, Flags{"changed editing"}},
        {"5+rent{Enter}{Click 4}12{Enter}", Tape{"5.00 +", "12 C", "open"}, Total{"5.00"}, Sum{5},
         kOnOpenLine},
        {"5+3+{Enter}{Click 4}{Insert}note{Enter}",
         Tape{"5.00 +", "note C", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
         Focus{5, 5}, RowHolds{"3.00", "+"}},
    });
}

// The window's box deletes and pastes in a comment itself and tells the engine what it
// holds; the comment's own line takes it at once (a save or print that follows has
// it), also on a scrolled tape.
TEST(Comments, keep_what_the_box_holds_after_an_edit_made_in_the_box) {
    Machine m(StartUp().Rows(6));
    m.Keys("1+2+3+4+5+6+7+rent{Enter}8+{Up}{Up}");
    ASSERT_GT(m.calc.view().top_line(), 0);
    const int row = m.calc.view().focus_row();
    const int line = m.calc.view().top_line() + row;
    ASSERT_EQ(EntryShown(m.calc.tape()[line]), "rent             ");
    m.calc.keyboard().BoxEdited(row, "food", 4, 0);
    EXPECT_EQ(EntryShown(m.calc.tape()[line]), "food             ");
    EXPECT_EQ(m.RowAt(row).sel_start, 4);
    // An amount's box keeps its figures to itself until they are committed.
    m.Keys("{Down}");
    const int amount_row = m.calc.view().focus_row();
    m.calc.keyboard().BoxEdited(amount_row, "12", 2, 0);
    EXPECT_EQ(EntryShown(m.calc.tape()[m.calc.view().top_line() + amount_row]), "");
}

// An amount keyed with "*" or "/" into an earlier line under a column of sums stays in
// the column; the product or quotient gets a line of its own below it and takes the
// column's sum, as it does on the open line. The amount is never replaced by the sum.
TEST(CorrectingALine, with_times_or_divide_under_sums_keeps_its_amount_in_the_column) {
    ExpectScripts({
        {"10+4+2+{Enter}{Click 5}{Bksp}2*",
         Tape{"10.00 +", "4.00 +", "2.00 +", "16.00 *", "16.00 T", "---", "open"}, Total{"16.00"},
         Sum{0}, Focus{7, 7}},
        {"10+4+2+{Enter}{Click 4}{Bksp}7/",
         Tape{"10.00 +", "7.00 +", "17.00 /", "2.00 +", "19.00 T", "---", "open"}, Total{"19.00"},
         Sum{0}, Focus{6, 6}},
        // A subtracted amount keyed with "*" is added, as on the open line.
        {"10+4-2+{Enter}{Click 4}{Bksp}4*",
         Tape{"10.00 +", "4.00 +", "14.00 *", "2.00 +", "16.00 T", "---", "open"}, Total{"16.00"},
         Sum{0}, Focus{6, 6}},
        // One key, one step undone.
        {"10+4+2+{Enter}{Click 5}{Bksp}2*{Undo}",
         Tape{"10.00 +", "4.00 +", "2.00 +", "16.00 T", "---", "open"}, Total{"16.00"}},
    });
    // In a window of three rows the focus steps down past the new line, as it does
    // in a tall one.
    ExpectScripts({{"10+4+2+{Enter}{ClickLine 5}{Bksp}2*",
                    Tape{"10.00 +", "4.00 +", "2.00 +", "16.00 *", "16.00 T", "---", "open"},
                    Total{"16.00"}, Focus{7, 2}}},
                  StartUp().Rows(3));
    // Calculator mode keeps the operator keyed before the amount.
    ExpectScripts({{"10+4-2={Click 5}{Bksp}2*",
                    Tape{"10.00 +", "4.00 +", "2.00 -", "12.00 *", "12.00 T", "---", "open"},
                    Total{"12.00"}, Focus{7, 7}}},
                  StartUp().CalcMode());
}

TEST(Inserting, puts_a_blank_zero_line_above_the_current_line_or_below_a_rule) {
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Insert}",
         Tape{"5.00 +", "0.00 _", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
         Focus{4, 4}, RowHolds{"0", " ", 0, 1}},
        {"5+{Enter}3+{Click 5}{Insert}",
         Tape{"5.00 +", "5.00 T", "---", "0.00 _", "3.00 +", "open"}, Total{"3.00"}, Sum{3},
         Focus{6, 6}, RowHolds{"0", " ", 0, 1}},
    });
    ExpectScripts(
        {
            {"5+3+7+2+{Click 2}{Insert}",
             Tape{"5.00 +", "0.00 _", "3.00 +", "7.00 +", "2.00 +", "open"}, Total{"17.00"},
             Sum{17}, Focus{4, 1}, Window{3, 5}, RowHolds{"0", " ", 0, 1}},
        },
        StartUp().Rows(6));
    // The rule at the tape's very top, too: the blank line goes in under it.
    Machine top;
    top.Keys("5+{ClickLine 0}{Insert}");
    EXPECT_EQ(top.Ops(), "H TH+B");
    EXPECT_EQ(top.calc.view().FocusLine(), 1);
    // Down past the open line in a full window appends a line that the focus moves
    // to; Insert then puts its line there, not on the line the window scrolled from.
    // (The "c" only beeps: a comment is not edited by keying into it.)
    ExpectScripts({{"a{Down}b{Down}{Up}{Up}c{Down}{Down}{Insert}",
                    Tape{"a C", "b C", "open", "0.00 _", "open"}, Focus{6, 0}, Events{"beep"}}},
                  StartUp().Rows(2));
}

// The tape file keeps every line's text: a line inserted above a comment must not
// carry the comment's words along as its own.
TEST(Inserting, leaves_the_new_line_no_text_of_the_line_moved_down) {
    Machine m;
    m.Keys("5+bus fare{Enter}{Up}{Insert}");
    ASSERT_EQ(m.Ops(), "HTH+ CB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), std::string(kEntryLength, '\0'));
    EXPECT_EQ(EntryShown(m.calc.tape()[5]), "bus fare         ");
}

TEST(Deleting, leaves_the_tape_with_its_totals_struck_again) {
    ExpectScripts({
        {"5+3+{Enter}{Click 4}{Delete}", Tape{"5.00 +", "5.00 T", "---", "open"}, Total{"5.00"},
         Sum{0}, Focus{4, 4}, RowHolds{"5.00", "T", 0, 4}},
        {"5+3+7+{Enter}{Click 4}{Delete}", Tape{"5.00 +", "7.00 +", "12.00 T", "---", "open"},
         Total{"12.00"}, Sum{0}, Focus{4, 4}, RowHolds{"7.00", "+", 0, 4}},
        {"5+{Enter}3+{Enter}{Click 4}{Delete}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
         Total{"8.00"}, Sum{0}, Focus{4, 4}, RowHolds{"3.00", "+", 0, 4}},
        {"5+3+{Enter}10+{Enter}{Click 3}{Delete}",
         Tape{"3.00 +", "3.00 T", "---", "10.00 +", "10.00 T", "---", "open"}, Total{"3.00"},
         Sum{0}, Focus{3, 3}, RowHolds{"3.00", "+", 0, 4}},
        // The comment deleted, its editing ends with it: the line that takes its place
        // made a comment is taken out of the total.
        {"5+rent{Enter}3+{Enter}{Click 4}{Delete}",
         Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0}, Focus{4, 4},
         RowHolds{"3.00", "+", 0, 4}},
        {"5+rent{Enter}3+{Enter}{Click 4}{Delete}x{Enter}",
         Tape{"5.00 +", "x C", "5.00 T", "---", "open"}, Total{"5.00"}, Sum{0}, Focus{5, 5},
         RowHolds{"5.00", "T"}},
        {"5+3+{Delete}2+{Enter}", Tape{"5.00 +", "3.00 +", "2.00 +", "10.00 T", "---", "open"},
         Total{"10.00"}, Sum{0}, kOnOpenLine},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}",
         Tape{"7.00 +", "7.00 T", "---", "open"}, Total{"7.00"}, Sum{0}, Focus{3, 3},
         RowHolds{"7.00", "+", 0, 4}, Events{kDeleteTwoRows + "yes"}},
        {"5+3+7+{Enter}{Click 5}{S-Up}{S-Up}{Answer yes}{Delete}",
         Tape{"5.00 +", "5.00 T", "---", "open"}, Total{"5.00"}, Sum{0}, Focus{4, 4},
         RowHolds{"5.00", "T", 0, 4}, Events{kDeleteTwoRows + "yes"}},
        {"5+3+7+{Enter}{Click 5}{S-Down}{S-Down}{Answer yes}{Delete}",
         Tape{"5.00 +", "3.00 +", "open"}, Total{"8.00"}, Sum{8}, kOnOpenLine,
         Events{kDeleteTwoRows + "yes"}},
        {"5+3+7+{Enter}{S-Click 4}{Answer yes}{Delete}",
         Tape{"5.00 +", "7.00 +", "12.00 T", "---", "open"}, Total{"12.00"}, Sum{0}, Focus{4, 4},
         RowHolds{"7.00", "+", 0, 4}, Events{kDeleteOneRow + "yes"}},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer cancel}{Delete}",
         Tape{"5.00 +", "3.00 +", "7.00 +", "15.00 T", "---", "open"}, Total{"15.00"}, Sum{0},
         Focus{5, 5}, RowHolds{"7.00", "+"}, Flags{"changed selecting 3-4"},
         Events{kDeleteTwoRows + "cancel"}},
        {"5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Delete}",
         Tape{"5.00 +", "3.00 +", "7.00 +", "15.00 T", "---", "open"}, Total{"15.00"}, Sum{0},
         Focus{5, 5}, RowHolds{"7.00", "+"}, Flags{"changed selecting 3-4"},
         Events{kDeleteTwoRows + "no"}},
    });
    ExpectScripts(
        {
            {"5+3+7+2+{Click 2}{Delete}", Tape{"5.00 +", "7.00 +", "2.00 +", "open"},
             Total{"14.00"}, Sum{14}, Focus{4, 3}, Window{1, 5}, RowHolds{"7.00", "+", 0, 4}},
        },
        StartUp().Rows(6));
    ExpectScripts(
        {
            {"5+{Delete}", Tape{"5.00 +", "open"}, Total{"5.00"}, Sum{5}, Focus{4, 0}, Window{4, 0},
             kEmptyRow},
        },
        StartUp().Rows(1));
}

// The total display after a deletion shows what the tape now says: the running result
// once the only amount and the rule above it are gone, and the last total still when
// the tape's first line is.
TEST(Deleting, leaves_the_display_at_what_the_tape_now_says) {
    Machine m;
    m.Keys("2870-{ClickLine 3}{S-Up}{S-Up}{Answer yes}{Delete}");
    EXPECT_EQ(m.Ops(), "HTB");
    EXPECT_EQ(m.calc.display().text, "0.00");
    Machine first;
    first.Keys("5+3+{Enter}{ClickLine 0}{S-Down}{Answer yes}{Delete}");
    EXPECT_EQ(first.Ops(), "TH++THB");
    EXPECT_EQ(first.calc.display().text, "8.00");
}

TEST(Deleting, leaves_no_row_without_a_line_and_no_highlight) {
    Machine m;
    m.Keys("5+3+7+{Enter}{Click 3}{S-Down}{S-Down}{Answer yes}{Delete}");
    EXPECT_EQ(m.calc.view().last_row(), m.calc.tape().UpperBound());
    EXPECT_FALSE(m.calc.view().selection().shown());
    for (int r = 0; r <= m.calc.view().last_row(); ++r)
        EXPECT_NE(m.RowAt(r).back, kSelectionBack) << r;
}

TEST(Copying, puts_the_selected_lines_on_the_clipboard_one_per_text_line) {
    const struct {
        const char* keys;
        const char* clipboard;
    } cases[] = {
        {"5+rent{Enter}7-{Click 3}{S-Down}{S-Down}{S-Down}",
         R"(clipboard "5.00+\nrent             \n7.00-")"},
        {"{Click 0}{S-Down}{S-Down}{S-Down}", R"(clipboard "0.00H\n0.00T\n0.00H")"},
        {"3-{Enter}{Click 4}{S-Down}", R"(clipboard "-3.00T")"},
        {"1234.5+{Decimals 4}2.25+{Decimals 0}{Click 3}{S-Down}{S-Down}",
         R"(clipboard "1,234.50+\n2.2500+")"},
        {"abcdefghijklmno{Enter}{Click 3}{S-Down}", R"(clipboard "abcdefghijklmno  ")"},
        {"5+3+7+{Click 5}{S-Up}{S-Up}{S-Up}", R"(clipboard "5.00+\n3.00+\n7.00+")"},
        // The last selection made is copied after its highlight is gone.
        {"5+3+7+{Click 3}{S-Down}{S-Down}{Down}", R"(clipboard "5.00+\n3.00+")"},
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
