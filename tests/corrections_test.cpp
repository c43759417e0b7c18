// Corrections that cross paths with comments, paging, the decimal buttons and
// calculator mode: whatever the user does next, no line is lost or mangled.
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

using Lines = std::vector<std::string>;
const std::string kRule = "---------------";
constexpr const char* kNineAmounts = "1+2+3+4+5+6+7+8+9+";

// An earlier amount line turned into a comment takes the letters keyed over it.
TEST(TurningALineIntoAComment, takes_the_letters_keyed_over_the_old_amount) {
    Machine m;
    m.Keys("5+3+{Enter}{Click 4}r");
    EXPECT_TRUE(m.TakeEvents().empty());  // no beep
    EXPECT_EQ(m.RowAt(4).text, "r");
    m.Keys("ent{Enter}");
    EXPECT_TRUE(m.TakeEvents().empty());
    EXPECT_EQ(EntryText(m.calc.tape()[4]), "rent             ");
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "rent             ", "5.00", kRule, ""}));
}

TEST(Inserting, gives_a_line_that_can_be_labelled_with_a_comment) {
    Machine m;
    m.Keys("5+3+{Enter}{Click 4}{Insert}note{Enter}");
    EXPECT_TRUE(m.TakeEvents().empty());  // no beep
    EXPECT_EQ(m.Ops(), "HTH+C+THB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), "note             ");
    EXPECT_EQ(m.calc.ShownText(6), "8.00");
}

// Correcting the amount line right above a total in calculator mode leaves the total a total.
TEST(CorrectingInCalculatorMode, the_line_right_above_a_total_leaves_the_total_a_total) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+3-2{Enter}{Click 5}1+");
    EXPECT_EQ(m.Ops(), "HTH++-THB");
    EXPECT_EQ(m.calc.ShownText(6), "7.00");
    EXPECT_EQ(m.RowAt(6).op, "T");
    EXPECT_TRUE(m.RowAt(6).locked);
}

// A decimal button always ends with the focus in the last row, also when the
// row it takes the focus from held a correction.
TEST(DecimalButtons, picked_while_a_line_is_corrected_still_send_the_focus_to_the_last_row) {
    Machine m;
    m.Keys("5+3+{Click 3}7{Decimals 0}");
    EXPECT_EQ(m.calc.focus_row(), m.calc.last_row());
    EXPECT_DOUBLE_EQ(m.Amount(3), 7);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 10);
    EXPECT_EQ(m.Ops(), "HTH++B");
}

// 5 + 3 + T 8: the 3 is emptied on line 4 and left. However it is left, the empty
// "+" repeats the amount above and the total below is struck again.
class EmptiedAmountLeft : public ::testing::TestWithParam<const char*> {};

TEST_P(EmptiedAmountLeft, repeats_the_amount_above_and_strikes_the_total_again) {
    Machine m;
    m.Keys(std::string("5+3+{Enter}{Up}{Up}{Up}{Bksp}") + GetParam());
    EXPECT_EQ(m.Ops(), "HTH++THB");
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "5.00", "10.00", kRule, ""}));
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

INSTANTIATE_TEST_SUITE_P(ArrowsClicksAndPaging, EmptiedAmountLeft,
                         ::testing::Values("{Down}", "{Up}", "{Click 7}", "{Click 3}", "{End}",
                                           "{Home}", "{PgDn}", "{PgUp}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// A correction half keyed is committed before paging moves the tape under the rows.
class CorrectionLeftByPaging : public ::testing::TestWithParam<const char*> {};

TEST_P(CorrectionLeftByPaging, is_committed_on_its_own_line) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys(std::string("{Up}{Up}5") + GetParam());  // line 10, the 8
    EXPECT_EQ(m.Ops(), "HTH+++++++++B");
    EXPECT_DOUBLE_EQ(m.Amount(10), 5);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 42);
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).text, m.calc.ShownText(m.calc.top_line() + r)) << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(PagingKeys, CorrectionLeftByPaging,
                         ::testing::Values("{PgUp}", "{Home}", "{End}", "{PgDn}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Paging never changes a line: only appending or emptying a row makes an open line.
TEST(Moving, paging_down_onto_the_open_line_leaves_the_amounts_above_it_alone) {
    for (const char* keys : {"{Home}{PgDn}{PgDn}", "{Home}{PgDn}{End}", "{Scroll 0}{End}"}) {
        Machine m(StartUp().Rows(6));
        m.Keys(kNineAmounts);
        m.Keys(keys);
        EXPECT_EQ(m.Ops(), "HTH+++++++++B") << keys;
        EXPECT_EQ(m.calc.top_line(), 7) << keys;
        EXPECT_EQ(m.calc.focus_row(), 5) << keys;
    }
}

}  // namespace
}  // namespace tallymar::testing
