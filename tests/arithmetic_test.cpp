// Amounts, totals and subtotals keyed on the open line in adding machine mode.
#include "machine.h"

namespace tallymar::testing {
namespace {

struct TapeCase {
    const char* keys;
    const char* ops;         // the Op of every line of the tape afterwards
    const char* last_shown;  // what the last struck or committed line shows
    int last_line;
    double accumulator;
};

class KeyedTapes : public ::testing::TestWithParam<TapeCase> {};

TEST_P(KeyedTapes, leave_the_tape_and_accumulator_the_machine_prints) {
    const TapeCase& c = GetParam();
    Machine m;
    m.Keys(c.keys);
    EXPECT_EQ(m.Ops(), c.ops);
    EXPECT_EQ(m.calc.ShownText(c.last_line), c.last_shown);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), c.accumulator);
}

INSTANTIATE_TEST_SUITE_P(
    AddingMachine, KeyedTapes,
    ::testing::Values(TapeCase{"", "HTHB", "0.00", 1, 0},
                      TapeCase{"5+3+{Enter}", "HTH++THB", "8.00", 5, 0},
                      TapeCase{"5+3+{S-Enter}", "HTH++SB", "8.00", 5, 8},
                      TapeCase{"5+3+{S-Enter}2+{Enter}", "HTH++S+THB", "10.00", 7, 0},
                      TapeCase{"7++{Enter}", "HTH++THB", "14.00", 5, 0},
                      TapeCase{"5+3+{Enter}+{Enter}", "HTH++TH+THB", "8.00", 7, 0},
                      TapeCase{"12*3{Enter}", "HTH*=THB", "36.00", 5, 0},
                      TapeCase{"200*15%", "HTH*%THB", "30.00", 5, 0},
                      TapeCase{"10+4*2{Enter}", "HTH+*=THB", "20.00", 6, 0},
                      TapeCase{"10+4*", "HTH+*B", "10.00", 4, 10},
                      TapeCase{"100/4/{Enter}", "HTH//THB", "25.00", 5, 0},
                      TapeCase{"12*{Enter}", "HTH*THB", "12.00", 4, 0},
                      TapeCase{"{Enter}{Enter}", "HTHTHTHB", "0.00", 5, 0},
                      TapeCase{"9-4-{Enter}", "HTH--THB", "-13.00", 5, 0},
                      // An amount keyed but not committed is added before the total.
                      TapeCase{"5+3{Enter}", "HTH++THB", "8.00", 5, 0},
                      TapeCase{"7{Enter}", "HTH+THB", "7.00", 4, 0},
                      TapeCase{"12.5+3{S-Enter}", "HTH++SB", "15.50", 5, 15.5},
                      // A percentage of a sum changes nothing, and Enter still totals.
                      TapeCase{"5+3%{Enter}", "HTH+%THB", "5.00", 5, 0},
                      // Shift+Enter away from the open line leaves the next Enter a total.
                      TapeCase{"5+3+{Click 3}{S-Enter}{Enter}", "HTH++THB", "8.00", 5, 0}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Totals, are_bold_small_locked_and_coloured_by_sign) {
    Machine m;
    m.Keys("3-{Enter}");
    const Row& total = m.RowAt(4);
    EXPECT_EQ(total.text, "-3.00");
    EXPECT_EQ(total.op, "T");
    EXPECT_TRUE(total.bold);
    EXPECT_TRUE(total.locked);
    EXPECT_EQ(total.font_size, 10);
    EXPECT_EQ(total.fore, m.calc.colours().CurNegClr);
    EXPECT_EQ(m.RowAt(1).fore, m.calc.colours().CurPosClr);  // the zero total of a new tape
    EXPECT_EQ(m.calc.total_text(), "-3.00");
}

TEST(Totals, an_empty_entry_after_a_total_takes_the_total) {
    Machine m;
    m.Keys("5+3+{Enter}+");
    EXPECT_EQ(m.Ops(), "HTH++TH+B");
    EXPECT_DOUBLE_EQ(m.Amount(7), 8);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 8);
}

TEST(Totals, an_empty_entry_after_a_subtotal_takes_the_subtotal) {
    Machine m;
    m.Keys("5+3+{S-Enter}+");
    EXPECT_DOUBLE_EQ(m.Amount(6), 8);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 16);
}

TEST(Decimals, automatic_two_places_puts_the_point_before_the_last_two_digits) {
    Machine m(StartUp().Decimals(17));
    m.Keys("1234+5+0+{Enter}");
    EXPECT_DOUBLE_EQ(m.Amount(3), 12.34);
    EXPECT_DOUBLE_EQ(m.Amount(4), 0.05);
    EXPECT_DOUBLE_EQ(m.Amount(5), 0);
    EXPECT_EQ(m.calc.ShownText(6), "12.39");
}

TEST(Decimals, a_line_keeps_the_format_it_was_keyed_with) {
    Machine m;
    m.Keys("1.5+{Decimals 4}2.25+{Decimals 16}5+");
    EXPECT_EQ(m.Shown(3), (std::vector<std::string>{"1.50", "2.2500", "5.", ""}));
    EXPECT_EQ(m.calc.options().DecimalCode, 16);
}

TEST(DivisionByZero, after_a_divisor_tells_the_user_and_keeps_the_accumulator) {
    Machine m;
    m.Keys("10/0/");
    EXPECT_EQ(m.TakeEvents(),
              (std::vector<std::string>{R"(msg "Tallymar" "Division by zero!" ok -> ok)"}));
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 10);
    EXPECT_EQ(m.Ops(), "HTH//B");
}

TEST(DivisionByZero, closing_a_quotient_with_zero_strikes_zero_and_says_so) {
    Machine m;
    m.Keys("10/0{Enter}");
    EXPECT_TRUE(m.TakeEvents().empty());
    EXPECT_EQ(m.Ops(), "HTH/=THB");
    EXPECT_DOUBLE_EQ(m.Amount(5), 0);
    EXPECT_EQ(m.calc.total_text(), "Division by zero!");
}

TEST(Overflow, shows_on_the_tape_and_the_next_total_clears_it) {
    Machine m;
    m.Keys("1" + std::string(400, '0') + "+");
    EXPECT_EQ(m.calc.ShownText(3), "Overflow");
    EXPECT_EQ(m.calc.total_text(), "Overflow");
    m.Keys("{Enter}5+{Enter}");
    EXPECT_EQ(m.calc.ShownText(4), "Overflow");
    EXPECT_EQ(m.calc.ShownText(7), "5.00");
}

TEST(Totals, a_negative_total_that_rounds_to_zero_keeps_its_minus_sign) {
    Machine m(StartUp().Decimals(0));
    m.Keys(".4-{Enter}");
    EXPECT_EQ(m.Ops(), "HTH-THB");
    EXPECT_EQ(m.calc.ShownText(3), "0");  // the amount subtracted
    EXPECT_EQ(m.calc.ShownText(4), "-0");
    EXPECT_EQ(m.RowAt(4).text, "-0");
    EXPECT_EQ(m.RowAt(4).fore, m.calc.colours().CurNegClr);
    EXPECT_EQ(m.calc.total_text(), "-0");
}

const char* const kTapeFull =
    R"(msg "Tallymar" "The tape is full. Save it and start a new tape." ok -> ok)";

TEST(TapeLimit, a_full_tape_refuses_keys_that_append_and_changes_nothing) {
    Machine m;
    while (m.calc.tape().size() < static_cast<size_t>(kMaxLines)) m.calc.AddTapeLine();
    m.TakeEvents();
    const std::string before = m.Ops();
    m.Keys("5+");
    EXPECT_EQ(m.TakeEvents(), std::vector<std::string>{kTapeFull});
    EXPECT_EQ(m.Ops(), before);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

struct LimitCase {
    const char* keys;  // keyed on a tape of 32,765 lines
    const char* end;   // the Op of the last lines afterwards
    size_t lines;
    bool refused;
};

class NearTheLimit : public ::testing::TestWithParam<LimitCase> {};

// A new tape has four lines; 32,761 amounts bring it to 32,765.
TEST_P(NearTheLimit, a_total_is_struck_when_its_lines_fit_and_refused_when_they_do_not) {
    const LimitCase& c = GetParam();
    Machine m;
    std::string amounts;
    for (int i = 0; i < kMaxLines - 6; ++i) amounts += "1+";
    m.Keys(amounts);
    ASSERT_EQ(m.calc.tape().size(), static_cast<size_t>(kMaxLines - 2));
    m.Keys(c.keys);
    EXPECT_EQ(m.calc.tape().size(), c.lines);
    const std::string ops = m.Ops();
    EXPECT_EQ(ops.substr(ops.size() - std::string(c.end).size()), c.end);
    EXPECT_EQ(m.TakeEvents(),
              c.refused ? std::vector<std::string>{kTapeFull} : std::vector<std::string>{});
    EXPECT_EQ(m.calc.tape().back().Op, op::kOpen);
}

INSTANTIATE_TEST_SUITE_P(TheLastLines, NearTheLimit,
                         ::testing::Values(LimitCase{"{Enter}", "+THB", 32767, false},
                                           LimitCase{"{S-Enter}", "+SB", 32766, false},
                                           LimitCase{"{S-Enter}{Enter}", "+SB", 32766, true},
                                           LimitCase{"5+{S-Enter}", "++SB", 32767, false},
                                           LimitCase{"5+{Enter}", "++B", 32766, true},
                                           LimitCase{"5+6+", "+++B", 32767, false},
                                           LimitCase{"2*{S-Enter}", "+*SB", 32767, false},
                                           LimitCase{"2*{Enter}", "+*B", 32766, true},
                                           LimitCase{"2*3{Enter}", "*B", 32766, true}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace tallymar::testing
