// Amounts, totals and subtotals keyed on the open line, in adding machine and in
// calculator mode, up to the tape's last line.
#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(AddingMachine, strikes_the_totals_the_keys_ask_for) {
    ExpectScripts({
        {"", "?"},
        {"12.5", "?"},
        {"125{Bksp}+", "?"},
        {"1,234+", "?"},
        {"5+3+{Enter}", "?"},
        {"5+3+{S-Enter}", "?"},
        {"5+3+{S-Enter}2+{Enter}", "?"},
        {"5+3+{S-Enter}+", "?"},
        {"7++{Enter}", "?"},
        {"5+3+{Enter}+{Enter}", "?"},
        {"12*3{Enter}", "?"},
        {"200*15%", "?"},
        {"10+4*2{Enter}", "?"},
        {"10+4*", "?"},
        {"100/4/{Enter}", "?"},
        {"12*{Enter}", "?"},
        {"{Enter}{Enter}", "?"},
        {"9-4-{Enter}", "?"},
        {"5+3{Enter}", "?"},
        {"12.5+3{S-Enter}", "?"},
        {"5+3%{Enter}", "?"},
        {"5+3+{Click 3}{S-Enter}{Enter}", "?"},
        {"5+3+{Click 4}=", "?"},
        {"10/0/", "?"},
        {"10/0{Enter}", "?"},
        {"1.5+{Decimals 4}2.25+{Decimals 16}5+", "?"},
        {"{Decimals 0}.4-{Enter}", "?"},
        {"{Decimals 17}1234+5+0+{Enter}", "?"},
    });
}

TEST(AddingMachine, shows_an_overflow_until_the_next_total_clears_it) {
    ExpectScripts({{"1" + std::string(400, '0') + "+{Enter}5+{Enter}", "?"}});
}

TEST(CalculatorMode, gives_plus_and_minus_to_the_amount_keyed_after_them) {
    ExpectScripts(
        {
            {"5+3-2{Enter}", "?"},
            {"-", "?"},
            {"-5+2{Enter}", "?"},
            {"-5{Enter}", "?"},
            {"5++{Enter}", "?"},
            {"7+-+", "?"},
            {"5+-2{Enter}", "?"},
            {"5-{Enter}3-2{Enter}", "?"},
            {"5+{Enter}+", "?"},
            {"5+3{S-Enter}2{Enter}", "?"},
            {"5+note{Enter}3{Enter}", "?"},
            {"5+3=", "?"},
            {"10+4*", "?"},
            {"200*15%", "?"},
            {"{Decimals 17}1234+5{Enter}", "?"},
            {"5+3-2{Enter}{Click 4}4+", "?"},
            {"5+3-2{Enter}{Click 4}4-", "?"},
            {"5+3-2{Enter}{Click 3}1-", "?"},
            {"5+3-2{Enter}{Click 4}4{Down}", "?"},
            {"5+3-2{Enter}{Click 5}1+", "?"},
            {"5+{Mode adder}3+{Enter}", "?"},
        },
        StartUp().CalcMode());
}

TEST(ModeSwitch, keeps_the_sum_and_colours_the_display_red_or_cyan) {
    constexpr Colour kRed = Rgb(255, 0, 0), kCyan = Rgb(0, 255, 255);
    EXPECT_EQ(Machine(StartUp().CalcMode()).calc.total_fore(), kCyan);
    Machine m;
    EXPECT_EQ(m.calc.total_fore(), kRed);
    m.Keys("5+3+{Mode calc}");
    EXPECT_TRUE(m.calc.options().CalcMode);
    EXPECT_EQ(m.calc.total_fore(), kCyan);
    m.Keys("2-1{Enter}{Mode adder}");
    EXPECT_EQ(m.State(), "?");
    EXPECT_EQ(m.calc.total_fore(), kRed);
}

TEST(TapeLimit, a_full_tape_refuses_keys_that_append_and_changes_nothing) {
    Machine m;
    while (m.calc.tape().size() < static_cast<size_t>(kMaxLines)) m.calc.AddTapeLine();
    m.TakeEvents();
    const std::string ops = m.Ops();
    m.Keys("5+");
    EXPECT_EQ(m.TakeEvents(), Lines{kTapeFull});
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

// A new tape has four lines; 32,761 amounts bring it to 32,765. A total is struck
// whenever its lines fit and refused whole when they do not.
TEST(TapeLimit, a_total_is_struck_when_its_lines_fit_and_refused_when_they_do_not) {
    const struct {
        const char* keys;
        const char* end;  // the Op of the last lines afterwards
        size_t lines;
        bool refused;
    } cases[] = {{"{Enter}", "+THB", 32767, false},        {"{S-Enter}", "+SB", 32766, false},
                 {"{S-Enter}{Enter}", "+SB", 32766, true}, {"5+{S-Enter}", "++SB", 32767, false},
                 {"5+{Enter}", "++B", 32766, true},        {"5+6+", "+++B", 32767, false},
                 {"2*{S-Enter}", "+*SB", 32767, false},    {"2*{Enter}", "+*B", 32766, true},
                 {"2*3{Enter}", "*B", 32766, true}};
    std::string amounts;
    for (int i = 0; i < kMaxLines - 6; ++i) amounts += "1+";
    for (const auto& c : cases) {
        Machine m;
        m.Keys(amounts);
        m.Keys(c.keys);
        const std::string ops = m.Ops();
        EXPECT_EQ(m.calc.tape().size(), c.lines) << c.keys;
        EXPECT_EQ(ops.substr(ops.size() - std::string(c.end).size()), c.end) << c.keys;
        EXPECT_EQ(m.TakeEvents(), c.refused ? Lines{kTapeFull} : Lines{}) << c.keys;
    }
}

}  // namespace
}  // namespace tallymar::testing
