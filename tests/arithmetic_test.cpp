// Amounts, totals and subtotals keyed on the open line, in adding machine and in
// calculator mode, up to the tape's last line.
#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(AddingMachine, strikes_the_totals_the_keys_ask_for) {
    // clang-format off
    ExpectScripts({
        {"", "HTHB  =0 0.00 @3/3/0/3 [| 0+0]"},
        {"12.5", "HTHB  =0 0.00 @3/3/0/3 [12.5| 4+0] *"},
        {"125{Bksp}+", "HTH+B 12.00, =12 12.00 @4/4/0/4 [| 0+0] *"},
        {"1,234+", "HTH+B 1,234.00, =1234 1,234.00 @4/4/0/4 [| 0+0] *"},
        {"5+3+{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
        {"5+3+{S-Enter}", "HTH++SB 5.00,3.00,8.00, =8 8.00 @6/6/0/6 [| 0+0] *"},
        {"5+3+{S-Enter}2+{Enter}", "HTH++S+THB 5.00,3.00,8.00,2.00,10.00,-, =0 10.00 @9/9/0/9 [| 0+0] *"},
        {"5+3+{S-Enter}+", "HTH++S+B 5.00,3.00,8.00,8.00, =16 16.00 @7/7/0/7 [| 0+0] *"},
        {"7++{Enter}", "HTH++THB 7.00,7.00,14.00,-, =0 14.00 @7/7/0/7 [| 0+0] *"},
        {"5+3+{Enter}+{Enter}", "HTH++TH+THB 5.00,3.00,8.00,-,8.00,8.00,-, =0 8.00 @10/10/0/10 [| 0+0] *"},
        {"12*3{Enter}", "HTH*=THB 12.00,3.00,36.00,-, =0 36.00 @7/7/0/7 [| 0+0] *"},
        {"200*15%", "HTH*%THB 200.00,15.00,30.00,-, =0 30.00 @7/7/0/7 [| 0+0] *"},
        {"10+4*2{Enter}", "HTH+*=THB 10.00,10.00,2.00,20.00,-, =0 20.00 @8/8/0/8 [| 0+0] *"},
        {"10+4*", "HTH+*B 10.00,10.00, =10 10.00 @5/5/0/5 [| 0+0] *"},
        {"100/4/{Enter}", "HTH//THB 100.00,4.00,25.00,-, =0 25.00 @7/7/0/7 [| 0+0] *"},
        {"12*{Enter}", "HTH*THB 12.00,12.00,-, =0 12.00 @6/6/0/6 [| 0+0] *"},
        {"{Enter}{Enter}", "HTHTHTHB 0.00,-,0.00,-, =0 0.00 @7/7/0/7 [| 0+0] *"},
        {"9-4-{Enter}", "HTH--THB 9.00,4.00,-13.00,-, =0 -13.00 @7/7/0/7 [| 0+0] *"},
        {"5+3{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
        {"12.5+3{S-Enter}", "HTH++SB 12.50,3.00,15.50, =15.5 15.50 @6/6/0/6 [| 0+0] *"},
        {"5+3%{Enter}", "HTH+%THB 5.00,3.00,5.00,-, =0 5.00 @7/7/0/7 [| 0+0] *"},
        {"5+3+{Click 3}{S-Enter}{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
        {"5+3+{Click 4}=", "HTH++B 5.00,3.00, =8 8.00 @5/5/0/5 [| 0+0] *"},
        {"10/0/", "HTH//B 10.00,0.00, =10 10.00 @5/5/0/5 [| 0+0] * | msg \"Tallymar\" \"Division by zero!\" ok -> ok"},
        {"10/0{Enter}", "HTH/=THB 10.00,0.00,0.00,-, =0 Division by zero! @7/7/0/7 [| 0+0] *"},
        {"1.5+{Decimals 4}2.25+{Decimals 16}5+", "HTH+++B 1.50,2.2500,5., =8.75 8.75 @6/6/0/6 [| 0+0] *"},
        {"{Decimals 0}.4-{Enter}", "HTH-THB 0,-0,-, =0 -0 @6/6/0/6 [| 0+0] *"},
        {"{Decimals 17}1234+5+0+{Enter}", "HTH+++THB 12.34,0.05,0.00,12.39,-, =0 12.39 @8/8/0/8 [| 0+0] *"},
    });
    // clang-format on
}

TEST(AddingMachine, shows_an_overflow_until_the_next_total_clears_it) {
    // clang-format off
    ExpectScripts({
        {"1" + std::string(400, '0') + "+{Enter}5+{Enter}", "HTH+TH+THB Overflow,Overflow,-,5.00,5.00,-, =0 5.00 @9/9/0/9 [| 0+0] *"},
    });
    // clang-format on
}

TEST(CalculatorMode, gives_plus_and_minus_to_the_amount_keyed_after_them) {
    ExpectScripts(
        // clang-format off
        {
            {"5+3-2{Enter}", "HTH++-THB 5.00,3.00,2.00,6.00,-, =0 6.00 @8/8/0/8 [| 0+0] *"},
            {"{Enter}", "HTHTHB 0.00,-, =0 0.00 @5/5/0/5 [| 0+0] *"},
            {"-", "HTH-  =0 0.00 @3/3/0/3 [|- 0+0] *"},
            {"-5+2{Enter}", "HTH-+THB 5.00,2.00,-3.00,-, =0 -3.00 @7/7/0/7 [| 0+0] *"},
            {"-5{Enter}", "HTH-THB 5.00,-5.00,-, =0 -5.00 @6/6/0/6 [| 0+0] *"},
            {"5++{Enter}", "HTH+THB 5.00,5.00,-, =0 5.00 @6/6/0/6 [| 0+0] *"},
            {"7+-+", "HTH++ 7.00, =7 7.00 @4/4/0/4 [|+ 0+0] *"},
            {"5+-2{Enter}", "HTH+-THB 5.00,2.00,3.00,-, =0 3.00 @7/7/0/7 [| 0+0] *"},
            {"5-{Enter}3-2{Enter}", "HTH+TH+-THB 5.00,5.00,-,3.00,2.00,1.00,-, =0 1.00 @10/10/0/10 [| 0+0] *"},
            {"5+{Enter}+", "HTH+TH+ 5.00,5.00,-, =0 5.00 @6/6/0/6 [|+ 0+0] *"},
            {"5+3{S-Enter}2{Enter}", "HTH++S+THB 5.00,3.00,8.00,2.00,10.00,-, =0 10.00 @9/9/0/9 [| 0+0] *"},
            {"5+note{Enter}3{Enter}", "HTH+C+THB 5.00,note,3.00,8.00,-, =0 8.00 @8/8/0/8 [| 0+0] *"},
            {"5+3=", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
            {"10+4*", "HTH+* 10.00,4.00 =10 10.00 @4/4/0/4 [4.00|* 0+0] *"},
            {"200*15%", "HTH*%THB 200.00,15.00,30.00,-, =0 30.00 @7/7/0/7 [| 0+0] *"},
            {"{Decimals 17}1234+5{Enter}", "HTH++THB 12.34,0.05,12.39,-, =0 12.39 @7/7/0/7 [| 0+0] *"},
            {"5+3-2{Enter}{Click 4}4+", "HTH+++THB 5.00,4.00,2.00,11.00,-, =0 11.00 @5/5/0/8 [2.00|+ 0+4] *"},
            {"5+3-2{Enter}{Click 4}4-", "HTH++-THB 5.00,4.00,2.00,7.00,-, =0 7.00 @5/5/0/8 [2.00|- 0+4] *"},
            {"5+3-2{Enter}{Click 3}1-", "HTH+--THB 1.00,3.00,2.00,-4.00,-, =0 -4.00 @4/4/0/8 [3.00|- 0+4] *"},
            {"5+3-2{Enter}{Click 4}4{Down}", "HTH++-THB 5.00,4.00,2.00,7.00,-, =0 7.00 @5/5/0/8 [2.00|- 0+4] *"},
            {"5+3-2{Enter}{Click 5}1+", "HTH++-THB 5.00,3.00,1.00,7.00,-, =0 7.00 @6/6/0/8 [7.00|T 0+4] *"},
            {"5+{Mode adder}3+{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
            // The sign waiting on the open line never becomes a "0.00 +" line of its own.
            {"5+3+{Home}{End}{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
            {"5+3+{Up}{Down}{Enter}", "HTH++THB 5.00,3.00,8.00,-, =0 8.00 @7/7/0/7 [| 0+0] *"},
            {"5+3+7-{Click 4}4{Down}{End}2{Enter}", "HTH+++-THB 5.00,4.00,7.00,2.00,14.00,-, =0 14.00 @9/9/0/9 [| 0+0] *"},
        },
        // clang-format on
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
    EXPECT_EQ(m.State(), "HTH+++-THB 5.00,3.00,2.00,1.00,9.00,-, =0 9.00 @9/9/0/9 [| 0+0] *");
    EXPECT_EQ(m.calc.total_fore(), kRed);
}

TEST(TapeLimit, a_full_tape_refuses_keys_that_append_and_changes_nothing) {
    Machine m;
    m.AddedOnes(kMaxLines - 4);
    ASSERT_EQ(m.calc.tape().size(), static_cast<size_t>(kMaxLines));
    const std::string ops = m.Ops();
    const double sum = m.calc.accumulator();
    m.Keys("5+");
    EXPECT_EQ(m.TakeEvents(), Lines{kTapeFull});
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), sum);
}

// A new tape has four lines; 32,761 amounts bring it to 32,765. A total is struck
// whenever its lines fit and refused whole when they do not.
TEST(TapeLimit, a_total_is_struck_when_its_lines_fit_and_refused_when_they_do_not) {
    const struct {
        const char* keys;
        const char* end;  // the Op of the last lines afterwards
        size_t lines;
        bool refused;
    // clang-format off
    } cases[] = {
        {"{Enter}", "+THB", 32767, false},
        {"{S-Enter}", "+SB", 32766, false},
        {"{S-Enter}{Enter}", "+SB", 32766, true},
        {"5+{S-Enter}", "++SB", 32767, false},
        {"5+{Enter}", "++B", 32766, true},
        {"5+6+", "+++B", 32767, false},
        {"2*{S-Enter}", "+*SB", 32767, false},
        {"2*{Enter}", "+*B", 32766, true},
        {"2*3{Enter}", "*B", 32766, true},
        {"5{Enter}", "+B", 32765, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m;
        m.AddedOnes(kMaxLines - 6);
        m.Keys(c.keys);
        const std::string ops = m.Ops();
        EXPECT_EQ(m.calc.tape().size(), c.lines) << c.keys;
        EXPECT_EQ(ops.substr(ops.size() - std::string(c.end).size()), c.end) << c.keys;
        EXPECT_EQ(m.TakeEvents(), c.refused ? Lines{kTapeFull} : Lines{}) << c.keys;
    }
}

}  // namespace
}  // namespace tallymar::testing
