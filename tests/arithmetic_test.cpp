// Amounts, totals and subtotals keyed on the open line, in adding machine and in
// calculator mode, up to the tape's last line.
#include <cstdio>
#include <sstream>

#include "engine/text_codec.h"
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

// An empty entry reads the lines above it from the tape, and automatic decimals follow
// the decimal button, however few rows the window has and wherever it is scrolled.
TEST(AShortWindow, takes_the_amounts_a_tall_one_takes) {
    // clang-format off
    ExpectScripts({
        {"5+7+9+{Up}{Up}{Bksp}+", "HTH+++B 5.00,5.00,9.00, =19 19.00 @5/1/4/2 [9.00|+ 0+4] *"},
        {"5+3+{Enter}+", "HTH++TH+B 5.00,3.00,8.00,-,8.00, =8 8.00 @8/2/6/2 [| 0+0] *"},
        {"5+3+{Enter}{Up}{Down}+{Enter}", "HTH++TH+THB 5.00,3.00,8.00,-,8.00,8.00,-, =0 8.00 @10/2/8/2 [| 0+0] *"},
        {"5+{Decimals 17}{Up}{Up}{Up}{Down}{Down}{Down}1234+", "HTH++B 5.00,12.34, =17.34 17.34 @5/2/3/2 [| 0+0] *"},
    },
    // clang-format on
                  StartUp().Rows(3));
    // clang-format off
    ExpectScripts({
        {"5+3+{S-Enter}+", "HTH++S+B 5.00,3.00,8.00,8.00, =16 16.00 @7/0/7/0 [| 0+0] *"},
        {"7++", "HTH++B 7.00,7.00, =14 14.00 @5/0/5/0 [| 0+0] *"},
    },
    // clang-format on
                  StartUp().Rows(1));
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

// A machine keyed in a locale of its own: C, a decimal comma with "." grouping, a
// decimal comma with narrow-space grouping (France), groups of two above the thousands
// (India).
const NumberSymbols kC, kDe{",", "."}, kFr{",", "\u202F"}, kIn{".", ",", 3, 2};

struct InLocale {
    InLocale(const NumberSymbols& symbols, bool calc_mode = false)
        : calc(Ports{recorder, recorder, recorder}, symbols) {
        cli::RunOptions options;
        options.calc_mode = calc_mode;
        cli::StartUp(calc, options);
    }
    // Lines 3 on as "op shown (amount)", the focused row's text, and a beep if there was
    // one. A text the box took in by itself (Delete, a moved caret) can come before `key`.
    std::string Keys(std::string_view script, const std::string& box_text = "",
                     std::string_view key = "") {
        cli::Replayer replayer(calc, recorder, events);
        EXPECT_EQ(replayer.RunAll(script), "") << script;
        if (!box_text.empty()) {
            calc.BoxEdited(calc.focus_row(), box_text, Utf8Length(box_text), 0);
            events.str("");
            EXPECT_EQ(replayer.RunAll(key), "") << key;
        }
        std::string s;
        for (int i = 3; i <= calc.UpperBound(); ++i) {
            char amount[40];
            std::snprintf(amount, sizeof amount, "%.10g", calc.tape()[i].Amount);
            s +=
                std::string(1, calc.tape()[i].Op) + " " + calc.ShownText(i) + " (" + amount + "), ";
        }
        s += "[" + calc.rows().at(calc.focus_row()).text + "]";
        if (events.str().find("beep") != std::string::npos) s += " beep";
        return s;
    }
    std::ostringstream events;
    cli::Recorder recorder{events};
    Calc calc;
};

TEST(AddingMachine, reads_a_point_or_a_comma_that_cannot_group_as_the_decimal_point) {
    // clang-format off
    const struct { const NumberSymbols& symbols; const char* keys; const char* tape; } rows[] = {
        {kC, "12.5+12,5+{Enter}", "+ 12.50 (12.5), + 12.50 (12.5), T 25.00 (25), H --------------- (0), B  (0), []"},
        {kDe, "12.5+12,5+{Enter}", "+ 12,50 (12.5), + 12,50 (12.5), T 25,00 (25), H --------------- (0), B  (0), []"},
        {kFr, "12.5+12,5+{Enter}", "+ 12,50 (12.5), + 12,50 (12.5), T 25,00 (25), H --------------- (0), B  (0), []"},
        {kIn, "12.5+12,5+{Enter}", "+ 12.50 (12.5), + 12.50 (12.5), T 25.00 (25), H --------------- (0), B  (0), []"},
        {kDe, "0.5+.5+1.234+", "+ 0,50 (0.5), + 0,50 (0.5), + 1.234,00 (1234), B  (0), []"},
        {kC, ",5*1,234{Enter}", "* 0.50 (0.5), = 1,234.00 (1234), T 617.00 (617), H --------------- (0), B  (0), []"},
        {kIn, "1234567.5++", "+ 12,34,567.50 (1234567.5), + 12,34,567.50 (1234567.5), B  (0), []"},
        {kDe, "{Decimals 17}1.234+5.5+", "+ 12,34 (12.34), + 5,50 (5.5), B  (0), []"},
    };
    // clang-format on
    for (const auto& r : rows) EXPECT_EQ(InLocale(r.symbols).Keys(r.keys), r.tape) << r.keys;
}

// The voice says the locale's decimal symbol as "point" and leaves grouping silent,
// keyed or struck: what is heard is the figure meant.
TEST(SpokenEntry, says_the_decimal_symbol_of_any_locale_as_point) {
    const struct { const NumberSymbols& symbols; const char* keys; const char* heard; } rows[] = {
        {kC, "1,234.5+{Enter}", "a1 a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        // A "." keyed is said as the key it is; the total says what it came to.
        {kDe, "1.234,5+{Enter}", "a1 ap a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        {kDe, "12.5+{Enter}", "a1 a2 ap a5 a+ ae a1 a2 ap a5 a0 an"},
        {kFr, "2,5-{Enter}", "a2 ap a5 am ae am a2 ap a5 a0 an"},
    };
    for (const auto& r : rows) {
        InLocale machine(r.symbols);
        machine.calc.SetCallInputCharacter("Grunk");
        machine.Keys(r.keys);
        std::string heard;
        std::istringstream events(machine.events.str());
        for (std::string event; std::getline(events, event);) {
            if (event.rfind("play ", 0) == 0) heard += (heard.empty() ? "" : " ") + event.substr(5, event.size() - 9);
        }
        EXPECT_EQ(heard, r.heard) << r.keys;
    }
}

TEST(AddingMachine, refuses_an_amount_it_cannot_read_with_a_beep_and_keeps_it_in_the_row) {
    // clang-format off
    const struct { const NumberSymbols& symbols; bool calc_mode; std::string keys; const char* box; const char* key; const char* tape; } rows[] = {
        {kC, false, "", "12.34.5", "+", "B  (0), [12.34.5] beep"},
        {kDe, false, "5+", "12.34.5", "-", "+ 5,00 (5), B  (0), [12.34.5] beep"},
        {kDe, false, "5+", "12.34.5", "{Enter}", "+ 5,00 (5), B  (0), [12.34.5] beep"},
        {kDe, false, "2*", "1.23.4", "{Enter}", "* 2,00 (2), B  (0), [1.23.4] beep"},
        {kFr, false, "5+", "1\u202F23", "%", "+ 5,00 (5), B  (0), [1\u202F23] beep"},
        {kIn, true, "5+", "12,34.5", "-", "+ 5.00 (5), +  (0), [12,34.5] beep"},
        // A correction that cannot be read: the line keeps its amount when the row is left.
        {kC, false, "5+3+{Up}{Up}", "1,2,3", "4{Down}", "+ 5.00 (5), + 3.00 (3), B  (0), [3.00] beep"},
        // An empty entry takes the total above it, which cannot be read when it overflowed.
        {kC, false, "1" + std::string(400, '0') + "+{Enter}+", "", "", "+ Overflow (inf), T Overflow (inf), H --------------- (0), B  (0), [] beep"},
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(InLocale(r.symbols, r.calc_mode).Keys(r.keys, r.box, r.key), r.tape)
            << r.keys << " " << r.box << " " << r.key;
    }
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
