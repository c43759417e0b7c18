// Calculator mode: "+" and "-" belong to the amount keyed after them, as on a
// pocket calculator, and the open line shows the operator it will take.
#include "machine.h"

namespace tallymar::testing {
namespace {

using Lines = std::vector<std::string>;
const std::string kRule = "---------------";
constexpr Colour kRed = 255;                           // red 255
constexpr Colour kCyan = 0 + 256 * 255 + 65536 * 255;  // green 255, blue 255

struct CalcCase {
    const char* name;
    const char* keys;
    const char* ops;  // the Op of every line
    Lines shown;      // what lines 3 onwards show in the amount column
    double accumulator;
    int decimals = 2;
};

class CalculatorMode : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculatorMode, turns_the_keys_into_the_tape_a_pocket_calculator_gives) {
    const CalcCase& c = GetParam();
    Machine m(StartUp().CalcMode().Decimals(c.decimals));
    m.Keys(c.keys);
    EXPECT_EQ(m.Ops(), c.ops);
    EXPECT_EQ(m.Shown(3), c.shown);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), c.accumulator);
    EXPECT_TRUE(m.TakeEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keyed, CalculatorMode,
    ::testing::Values(CalcCase{"plus_then_minus",
                               "5+3-2{Enter}",
                               "HTH++-THB",
                               {"5.00", "3.00", "2.00", "6.00", kRule, ""},
                               0},
                      CalcCase{"minus_before_the_first_amount",
                               "-5+2{Enter}",
                               "HTH-+THB",
                               {"5.00", "2.00", "-3.00", kRule, ""},
                               0},
                      CalcCase{"amount_keyed_under_a_rule_line_is_taken_by_enter",
                               "-5{Enter}",
                               "HTH-THB",
                               {"5.00", "-5.00", kRule, ""},
                               0},
                      CalcCase{"plus_on_an_empty_line_does_not_repeat",
                               "5++{Enter}",
                               "HTH+THB",
                               {"5.00", "5.00", kRule, ""},
                               0},
                      CalcCase{"second_operator_key_replaces_the_first",
                               "5+-2{Enter}",
                               "HTH+-THB",
                               {"5.00", "2.00", "3.00", kRule, ""},
                               0},
                      CalcCase{"first_amount_after_a_total_is_added",
                               "5-{Enter}3-2{Enter}",
                               "HTH+TH+-THB",
                               {"5.00", "5.00", kRule, "3.00", "2.00", "1.00", kRule, ""},
                               0},
                      CalcCase{"subtotal_keeps_the_result_running",
                               "5+3{S-Enter}2{Enter}",
                               "HTH++S+THB",
                               {"5.00", "3.00", "8.00", "2.00", "10.00", kRule, ""},
                               0},
                      CalcCase{"amount_after_a_comment_is_taken_by_the_total",
                               "5+note{Enter}3{Enter}",
                               "HTH+C+THB",
                               {"5.00", "note             ", "3.00", "8.00", kRule, ""},
                               0},
                      CalcCase{"equals_key_strikes_the_total_like_enter",
                               "5+3=",
                               "HTH++THB",
                               {"5.00", "3.00", "8.00", kRule, ""},
                               0},
                      CalcCase{"product_closed_with_enter",
                               "12*3{Enter}",
                               "HTH*=THB",
                               {"12.00", "3.00", "36.00", kRule, ""},
                               0},
                      CalcCase{"percentage_of_a_product",
                               "200*15%",
                               "HTH*%THB",
                               {"200.00", "15.00", "30.00", kRule, ""},
                               0},
                      CalcCase{"automatic_decimal_point",
                               "1234+5{Enter}",
                               "HTH++THB",
                               {"12.34", "0.05", "12.39", kRule, ""},
                               0,
                               17}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculatorMode, shows_the_pending_operator_on_the_empty_open_line) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+");
    EXPECT_EQ(m.RowAt(4).op, "+");
    EXPECT_EQ(m.RowAt(4).op_fore, m.calc.colours().CurPosClr);
    m.Keys("3-");
    EXPECT_EQ(m.Ops(), "HTH++-");
    EXPECT_EQ(m.RowAt(5).text, "");
    EXPECT_EQ(m.RowAt(5).op, "-");
    EXPECT_EQ(m.RowAt(5).op_fore, m.calc.colours().CurNegClr);
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 8);
    EXPECT_EQ(m.calc.total_text(), "8.00");
}

TEST(CalculatorMode, minus_on_a_fresh_tape_appends_nothing_and_waits_for_the_amount) {
    Machine m(StartUp().CalcMode());
    m.Keys("-");
    EXPECT_EQ(m.Ops(), "HTH-");
    EXPECT_EQ(m.RowAt(3).text, "");
    EXPECT_EQ(m.RowAt(3).op, "-");
    EXPECT_EQ(m.RowAt(3).op_fore, m.calc.colours().CurNegClr);
    EXPECT_EQ(m.calc.focus_row(), 3);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
    m.Keys("4+");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), -4);
    EXPECT_EQ(m.calc.tape()[3].Op, '-');
}

TEST(CalculatorMode, plus_on_an_empty_line_only_changes_the_pending_operator) {
    Machine m(StartUp().CalcMode());
    m.Keys("7+-+");
    EXPECT_EQ(m.calc.UpperBound(), 4);
    EXPECT_DOUBLE_EQ(m.Amount(4), 0);
    EXPECT_EQ(m.RowAt(4).op, "+");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 7);
}

TEST(CalculatorMode, plus_on_the_line_after_a_total_does_not_take_the_total) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+{Enter}+");
    EXPECT_EQ(m.Ops(), "HTH+TH+");
    EXPECT_DOUBLE_EQ(m.Amount(6), 0);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

TEST(CalculatorMode, times_after_a_sum_keeps_the_keyed_factor_on_the_open_line) {
    Machine m(StartUp().CalcMode());
    m.Keys("10+4*");
    EXPECT_EQ(m.calc.UpperBound(), 4);
    EXPECT_EQ(m.calc.tape()[4].Op, '*');
    EXPECT_DOUBLE_EQ(m.Amount(4), 4);  // not the sum 10, as adding machine mode would have it
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 10);
}

// ---- correcting an earlier line ----

struct Correction {
    const char* name;
    const char* keys;  // after 5 + 3 - 2 Enter: lines 3 to 5, the total 6 on line 6
    const char* ops;
    const char* total;
};

class CorrectingInCalculatorMode : public ::testing::TestWithParam<Correction> {};

TEST_P(CorrectingInCalculatorMode, gives_the_key_pressed_to_the_next_amount_line) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+3-2{Enter}");
    m.Keys(GetParam().keys);
    EXPECT_EQ(m.Ops(), GetParam().ops);
    EXPECT_EQ(m.calc.ShownText(6), GetParam().total);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

INSTANTIATE_TEST_SUITE_P(Corrections, CorrectingInCalculatorMode,
                         ::testing::Values(Correction{"plus_makes_the_next_line_added",
                                                      "{Click 4}4+", "HTH+++THB", "11.00"},
                                           Correction{"minus_keeps_the_next_line_subtracted",
                                                      "{Click 4}4-", "HTH++-THB", "7.00"},
                                           Correction{"first_line_keeps_its_own_operator",
                                                      "{Click 3}1-", "HTH+--THB", "-4.00"},
                                           Correction{"leaving_with_down_keeps_every_operator",
                                                      "{Click 4}4{Down}", "HTH++-THB", "7.00"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the mode switch ----

TEST(ModeSwitch, colours_the_accumulator_display_red_for_adder_and_cyan_for_calculator) {
    EXPECT_EQ(Machine().calc.total_fore(), kRed);
    EXPECT_EQ(Machine(StartUp().CalcMode()).calc.total_fore(), kCyan);

    Machine m;
    m.Keys("{Mode calc}");
    EXPECT_TRUE(m.calc.options().CalcMode);
    EXPECT_EQ(m.calc.total_fore(), kCyan);
    m.Keys("{Mode adder}");
    EXPECT_FALSE(m.calc.options().CalcMode);
    EXPECT_EQ(m.calc.total_fore(), kRed);
}

TEST(ModeSwitch, in_the_middle_of_a_sum_keeps_the_accumulator_and_the_tape) {
    Machine m;
    m.Keys("5+3+{Mode calc}");
    EXPECT_EQ(m.Ops(), "HTH++B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 8);
    m.Keys("2-1{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+++-THB");
    EXPECT_EQ(m.calc.ShownText(7), "9.00");
}

TEST(ModeSwitch, back_to_adder_mode_adds_the_next_amount_to_the_running_result) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+{Mode adder}3+{Enter}");
    EXPECT_EQ(m.Ops(), "HTH++THB");
    EXPECT_EQ(m.calc.ShownText(5), "8.00");
}

TEST(ModeSwitch, after_a_total_leaves_the_display_showing_it_in_the_new_colour) {
    Machine m;
    m.Keys("5+3+{Enter}{Mode calc}");
    EXPECT_EQ(m.calc.total_text(), "8.00");
    EXPECT_EQ(m.calc.total_fore(), kCyan);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

}  // namespace
}  // namespace tallymar::testing
