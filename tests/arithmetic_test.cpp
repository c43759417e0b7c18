// Amounts, totals and subtotals keyed on the open line, in adding machine and in
// calculator mode, up to the tape's last line.
#include <cstdio>
#include <sstream>

#include "engine/text_codec.h"
#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(AddingMachine, strikes_the_totals_the_keys_ask_for) {
    ExpectScripts({
        {"", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, kEmptyRow, kUnchanged},
        {"12.5", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"12.5", "", 4, 0}},
        {"125{Bksp}+", Tape{"12.00 +", "open"}, Total{"12.00"}, Sum{12}, kOnOpenLine},
        {"1,234+", Tape{"1,234.00 +", "open"}, Total{"1,234.00"}, Sum{1234}, kOnOpenLine},
        {"5+3+{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
         kOnOpenLine},
        {"5+3+{S-Enter}", Tape{"5.00 +", "3.00 +", "8.00 S", "open"}, Total{"8.00"}, Sum{8},
         kOnOpenLine},
        {"5+3+{S-Enter}2+{Enter}",
         Tape{"5.00 +", "3.00 +", "8.00 S", "2.00 +", "10.00 T", "---", "open"}, Total{"10.00"},
         Sum{0}, kOnOpenLine},
        {"5+3+{S-Enter}+", Tape{"5.00 +", "3.00 +", "8.00 S", "8.00 +", "open"}, Total{"16.00"},
         Sum{16}, kOnOpenLine},
        {"7++{Enter}", Tape{"7.00 +", "7.00 +", "14.00 T", "---", "open"}, Total{"14.00"}, Sum{0},
         kOnOpenLine},
        {"5+3+{Enter}+{Enter}",
         Tape{"5.00 +", "3.00 +", "8.00 T", "---", "8.00 +", "8.00 T", "---", "open"},
         Total{"8.00"}, Sum{0}, kOnOpenLine},
        {"12*3{Enter}", Tape{"12.00 *", "3.00 =", "36.00 T", "---", "open"}, Total{"36.00"}, Sum{0},
         kOnOpenLine},
        {"200*15%", Tape{"200.00 *", "15.00 %", "30.00 T", "---", "open"}, Total{"30.00"}, Sum{0},
         kOnOpenLine},
        // "*" or "/" with nothing keyed under a column of sums takes the sum; an amount
        // keyed first joins the column, so that it is never replaced by the sum.
        {"10+*2{Enter}", Tape{"10.00 +", "10.00 *", "2.00 =", "20.00 T", "---", "open"},
         Total{"20.00"}, Sum{0}, kOnOpenLine},
        {"10+4*2{Enter}", Tape{"10.00 +", "4.00 +", "14.00 *", "2.00 =", "28.00 T", "---", "open"},
         Total{"28.00"}, Sum{0}, kOnOpenLine},
        {"10-4/", Tape{"10.00 -", "4.00 +", "-6.00 /", "open"}, Total{"-6.00"}, Sum{-6},
         kOnOpenLine},
        {"100/4/{Enter}", Tape{"100.00 /", "4.00 /", "25.00 T", "---", "open"}, Total{"25.00"},
         Sum{0}, kOnOpenLine},
        {"12*{Enter}", Tape{"12.00 *", "12.00 T", "---", "open"}, Total{"12.00"}, Sum{0},
         kOnOpenLine},
        {"{Enter}{Enter}", Tape{"0.00 T", "---", "0.00 T", "---", "open"}, Total{"0.00"}, Sum{0},
         kOnOpenLine},
        {"9-4-{Enter}", Tape{"9.00 -", "4.00 -", "-13.00 T", "---", "open"}, Total{"-13.00"},
         Sum{0}, kOnOpenLine},
        {"5+3{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
         kOnOpenLine},
        {"12.5+3{S-Enter}", Tape{"12.50 +", "3.00 +", "15.50 S", "open"}, Total{"15.50"}, Sum{15.5},
         kOnOpenLine},
        {"5+3%{Enter}", Tape{"5.00 +", "3.00 %", "5.00 T", "---", "open"}, Total{"5.00"}, Sum{0},
         kOnOpenLine},
        {"200/4%", Tape{"200.00 /", "4.00 %", "0.50 T", "---", "open"}, Total{"0.50"}, Sum{0},
         kOnOpenLine},
        // An empty percentage of a sum changes nothing: the sum is not held as a product.
        {"5+%", Tape{"5.00 +", "0.00 %", "open"}, Total{"5.00"}, Sum{5}, kOnOpenLine},
        {"5+3+{Click 3}{S-Enter}{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
         Total{"8.00"}, Sum{0}, kOnOpenLine},
        {"5+3+{Click 4}=", Tape{"5.00 +", "3.00 +", "open"}, Total{"8.00"}, Sum{8}, kOnOpenLine},
        {"10/0/", Tape{"10.00 /", "0.00 /", "open"}, Total{"10.00"}, Sum{10}, kOnOpenLine,
         Events{R"(msg "Tallymar" "Division by zero!" ok -> ok)"}},
        // A percentage of nothing is no division: a product closes at 0 without a word.
        {"5*0%", Tape{"5.00 *", "0.00 %", "0.00 T", "---", "open"}, Total{"0.00"}, Sum{0},
         kOnOpenLine},
        {"10/0{Enter}", Tape{"10.00 /", "0.00 =", "0.00 T", "---", "open"},
         Total{"Division by zero!"}, Sum{0}, kOnOpenLine},
        {"1.5+{Decimals 4}2.25+{Decimals 16}5+", Tape{"1.50 +", "2.2500 +", "5. +", "open"},
         Total{"8.75"}, Sum{8.75}, kOnOpenLine},
        {"{Decimals 0}.4-{Enter}", Tape{"0 -", "-0 T", "---", "open"}, Total{"-0"}, Sum{0},
         kOnOpenLine},
        {"{Decimals 17}1234+5+0+{Enter}",
         Tape{"12.34 +", "0.05 +", "0.00 +", "12.39 T", "---", "open"}, Total{"12.39"}, Sum{0},
         kOnOpenLine},
    });
}

TEST(AddingMachine, shows_an_overflow_until_the_next_total_clears_it) {
    ExpectScripts({
        {"1" + std::string(400, '0') + "+{Enter}5+{Enter}",
         Tape{"Overflow +", "Overflow T", "---", "5.00 +", "5.00 T", "---", "open"}, Total{"5.00"},
         Sum{0}, kOnOpenLine},
    });
}

// An empty entry reads the lines above it from the tape, and automatic decimals follow
// the decimal button, however few rows the window has and wherever it is scrolled.
TEST(AShortWindow, takes_the_amounts_a_tall_one_takes) {
    ExpectScripts(
        {
            {"5+7+9+{Up}{Up}{Bksp}+", Tape{"5.00 +", "5.00 +", "9.00 +", "open"}, Total{"19.00"},
             Sum{19}, Focus{5, 1}, Window{4, 2}, RowHolds{"9.00", "+", 0, 4}},
            {"5+3+{Enter}+", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "8.00 +", "open"},
             Total{"8.00"}, Sum{8}, Focus{8, 2}, Window{6, 2}, kEmptyRow},
            {"5+3+{Enter}{Up}{Down}+{Enter}",
             Tape{"5.00 +", "3.00 +", "8.00 T", "---", "8.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, Focus{10, 2}, Window{8, 2}, kEmptyRow},
            {"5+{Decimals 17}{Up}{Up}{Up}{Down}{Down}{Down}1234+",
             Tape{"5.00 +", "12.34 +", "open"}, Total{"17.34"}, Sum{17.34}, Focus{5, 2},
             Window{3, 2}, kEmptyRow},
        },
        StartUp().Rows(3));
    ExpectScripts(
        {
            {"5+3+{S-Enter}+", Tape{"5.00 +", "3.00 +", "8.00 S", "8.00 +", "open"}, Total{"16.00"},
             Sum{16}, Focus{7, 0}, Window{7, 0}, kEmptyRow},
            {"7++", Tape{"7.00 +", "7.00 +", "open"}, Total{"14.00"}, Sum{14}, Focus{5, 0},
             Window{5, 0}, kEmptyRow},
        },
        StartUp().Rows(1));
}

// A tape file whose first total is not the new tape's zero: an empty "+" on the
// first line below its rule takes that total, as under any other total.
TEST(AnEmptyEntry, under_the_first_total_of_a_file_takes_it) {
    Machine m;
    std::vector<TapeLine> file(m.calc.tape().lines().begin(), m.calc.tape().lines().end());
    file[1].Amount = 8;
    LinesInMemory lines(file);
    m.calc.TakeLines(lines, LinesPlaced::kInPlaceOfTape);
    ASSERT_EQ(m.Ops(), "HTHB");
    m.Keys("+");
    EXPECT_EQ(m.Amount(3), 8);
    EXPECT_EQ(m.calc.display().text, "8.00");
}

TEST(CalculatorMode, gives_plus_and_minus_to_the_amount_keyed_after_them) {
    ExpectScripts(
        {
            {"5+3-2{Enter}", Tape{"5.00 +", "3.00 +", "2.00 -", "6.00 T", "---", "open"},
             Total{"6.00"}, Sum{0}, kOnOpenLine},
            {"{Enter}", Tape{"0.00 T", "---", "open"}, Total{"0.00"}, Sum{0}, kOnOpenLine},
            {"-", Tape{"-"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"", "-"}},
            {"-5+2{Enter}", Tape{"5.00 -", "2.00 +", "-3.00 T", "---", "open"}, Total{"-3.00"},
             Sum{0}, kOnOpenLine},
            {"-5{Enter}", Tape{"5.00 -", "-5.00 T", "---", "open"}, Total{"-5.00"}, Sum{0},
             kOnOpenLine},
            {"5++{Enter}", Tape{"5.00 +", "5.00 T", "---", "open"}, Total{"5.00"}, Sum{0},
             kOnOpenLine},
            {"7+-+", Tape{"7.00 +", "+"}, Total{"7.00"}, Sum{7}, Focus{4, 4}, RowHolds{"", "+"}},
            {"5+-2{Enter}", Tape{"5.00 +", "2.00 -", "3.00 T", "---", "open"}, Total{"3.00"},
             Sum{0}, kOnOpenLine},
            {"5-{Enter}3-2{Enter}",
             Tape{"5.00 +", "5.00 T", "---", "3.00 +", "2.00 -", "1.00 T", "---", "open"},
             Total{"1.00"}, Sum{0}, kOnOpenLine},
            {"5+{Enter}+", Tape{"5.00 +", "5.00 T", "---", "+"}, Total{"5.00"}, Sum{0}, Focus{6, 6},
             RowHolds{"", "+"}},
            {"5+3{S-Enter}2{Enter}",
             Tape{"5.00 +", "3.00 +", "8.00 S", "2.00 +", "10.00 T", "---", "open"}, Total{"10.00"},
             Sum{0}, kOnOpenLine},
            {"5+note{Enter}3{Enter}", Tape{"5.00 +", "note C", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, kOnOpenLine},
            {"5+3=", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0},
             kOnOpenLine},
            // The amount keyed before "*" is added with the operator before it, and the
            // product takes the sum, as on a pocket calculator.
            {"10-4*2=", Tape{"10.00 +", "4.00 -", "6.00 *", "2.00 =", "12.00 T", "---", "open"},
             Total{"12.00"}, Sum{0}, kOnOpenLine},
            // Worked again after a correction above it, the product shows its new sum.
            {"5+3+*2={ClickLine 3}6+",
             Tape{"6.00 +", "3.00 +", "9.00 *", "2.00 =", "18.00 T", "---", "open"}, Total{"18.00"},
             Sum{0}, Focus{4, 4}, RowHolds{"3.00", "+", 0, 4}},
            {"200*15%", Tape{"200.00 *", "15.00 %", "30.00 T", "---", "open"}, Total{"30.00"},
             Sum{0}, kOnOpenLine},
            {"{Decimals 17}1234+5{Enter}", Tape{"12.34 +", "0.05 +", "12.39 T", "---", "open"},
             Total{"12.39"}, Sum{0}, kOnOpenLine},
            {"5+3-2{Enter}{Click 4}4+",
             Tape{"5.00 +", "4.00 +", "2.00 +", "11.00 T", "---", "open"}, Total{"11.00"}, Sum{0},
             Focus{5, 5}, RowHolds{"2.00", "+", 0, 4}},
            {"5+3-2{Enter}{Click 4}4-", Tape{"5.00 +", "4.00 +", "2.00 -", "7.00 T", "---", "open"},
             Total{"7.00"}, Sum{0}, Focus{5, 5}, RowHolds{"2.00", "-", 0, 4}},
            {"5+3-2{Enter}{Click 3}1-",
             Tape{"1.00 +", "3.00 -", "2.00 -", "-4.00 T", "---", "open"}, Total{"-4.00"}, Sum{0},
             Focus{4, 4}, RowHolds{"3.00", "-", 0, 4}},
            {"5+3-2{Enter}{Click 4}4{Down}",
             Tape{"5.00 +", "4.00 +", "2.00 -", "7.00 T", "---", "open"}, Total{"7.00"}, Sum{0},
             Focus{5, 5}, RowHolds{"2.00", "-", 0, 4}},
            {"5+3-2{Enter}{Click 5}1+", Tape{"5.00 +", "3.00 +", "1.00 -", "7.00 T", "---", "open"},
             Total{"7.00"}, Sum{0}, Focus{6, 6}, RowHolds{"7.00", "T", 0, 4}},
            {"5+{Mode adder}3+{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, kOnOpenLine},
            // In adding machine mode Enter adds the amount keyed, whatever sign
            // calculator mode left on the open line.
            {"5+-{Mode adder}3{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}},
            // The sign waiting on the open line never becomes a "0.00 +" line of its own.
            {"5+3+{Home}{End}{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, kOnOpenLine},
            {"5+3+{Up}{Down}{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, kOnOpenLine},
            {"5+3+7-{Click 4}4{Down}{End}2{Enter}",
             Tape{"5.00 +", "4.00 +", "7.00 +", "2.00 -", "14.00 T", "---", "open"}, Total{"14.00"},
             Sum{0}, kOnOpenLine},
            // A correction gives its key to the amount below it; the open line keeps the
            // sign it shows, and its amount takes it, unless it is that amount.
            {"5+3+{ClickLine 3}{Bksp}7-{End}2=",
             Tape{"7.00 +", "3.00 -", "2.00 +", "6.00 T", "---", "open"}, Total{"6.00"}},
            {"5+3=1-{ClickLine 3}{Bksp}7+{End}2=",
             Tape{"7.00 +", "3.00 +", "10.00 T", "---", "1.00 +", "2.00 -", "-1.00 T", "---",
                  "open"},
             Total{"-1.00"}},
            {"5+3+{ClickLine 4}{Bksp}4-{End}2=",
             Tape{"5.00 +", "4.00 +", "2.00 -", "7.00 T", "---", "open"}, Total{"7.00"}},
            // A sign alone keyed into an earlier line is that line's own.
            {"5+3+{ClickLine 3}{Bksp}-{End}2=",
             Tape{"0.00 -", "3.00 +", "2.00 +", "5.00 T", "---", "open"}, Total{"5.00"}},
        },
        StartUp().CalcMode());
    // In a window of three rows scrolled down the tape, the open line's row still shows
    // the sign its amount will take.
    ExpectScripts({{"1+2+3+4-", Focus{7, 2}, Window{5, 2}, RowHolds{"", "-"}}},
                  StartUp().Rows(3).CalcMode());
    ExpectScripts({{"1+2+3+4-", Focus{7, 0}, Window{7, 0}, RowHolds{"", "-"}}},
                  StartUp().Rows(1).CalcMode());
    // A correction right above the open line gives it the sign keyed, and its row shows it.
    Machine corrected(StartUp().Rows(3).CalcMode());
    ExpectScript(corrected,
                 {"5+3+7+{ClickLine 5}{Bksp}4-", Focus{6, 2}, Window{4, 2}, RowHolds{"", "-"}});
    EXPECT_EQ(corrected.RowAt(2).op_fore, corrected.calc.colours().CurNegClr);
    // Another number of decimals redraws the tape; the sign's row keeps its colours.
    Machine redrawn(StartUp().Rows(3).CalcMode());
    redrawn.Keys("-");
    const Row before = redrawn.RowAt(2);
    redrawn.Keys("{Decimals 0}");
    EXPECT_EQ(redrawn.RowAt(2).op, "-");
    EXPECT_EQ(redrawn.RowAt(2).fore, before.fore);
    EXPECT_EQ(redrawn.RowAt(2).op_fore, before.op_fore);
    // The sign waiting there is drawn in the colour of its kind.
    const std::pair<const char*, Colour Colours::*> signs[] = {{"5+-", &Colours::CurNegClr},
                                                               {"5-+", &Colours::CurPosClr}};
    for (const auto& [keys, colour] : signs) {
        Machine m(StartUp().CalcMode());
        m.Keys(keys);
        EXPECT_EQ(m.RowAt(m.calc.view().focus_row()).op_fore, m.calc.colours().*colour) << keys;
    }
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
            calc.keyboard().BoxEdited(calc.view().focus_row(), box_text, Utf8Length(box_text), 0);
            events.str("");
            EXPECT_EQ(replayer.RunAll(key), "") << key;
        }
        std::string s;
        for (int i = 3; i <= calc.tape().UpperBound(); ++i) {
            char amount[40];
            std::snprintf(amount, sizeof amount, "%.10g", calc.tape()[i].Amount);
            s += std::string(1, calc.tape()[i].Op) + " " + calc.view().ShownText(i) + " (" +
                 amount + "), ";
        }
        s += "[" + calc.view().rows().at(calc.view().focus_row()).text + "]";
        if (events.str().find("beep") != std::string::npos) s += " beep";
        return s;
    }
    std::ostringstream events;
    cli::Recorder recorder{events};
    Calc calc;
};

TEST(AddingMachine, reads_a_point_or_a_comma_that_cannot_group_as_the_decimal_point) {
    const struct {
        const NumberSymbols& symbols;
        const char* keys;
        const char* tape;
    } rows[] = {
        {kC, "12.5+12,5+{Enter}",
         "+ 12.50 (12.5), + 12.50 (12.5), T 25.00 (25), H --------------- (0), B  (0), []"},
        {kDe, "12.5+12,5+{Enter}",
         "+ 12,50 (12.5), + 12,50 (12.5), T 25,00 (25), H --------------- (0), B  (0), []"},
        {kFr, "12.5+12,5+{Enter}",
         "+ 12,50 (12.5), + 12,50 (12.5), T 25,00 (25), H --------------- (0), B  (0), []"},
        {kIn, "12.5+12,5+{Enter}",
         "+ 12.50 (12.5), + 12.50 (12.5), T 25.00 (25), H --------------- (0), B  (0), []"},
        {kDe, "0.5+.5+1.234+", "+ 0,50 (0.5), + 0,50 (0.5), + 1.234,00 (1234), B  (0), []"},
        {kC, ",5*1,234{Enter}",
         "* 0.50 (0.5), = 1,234.00 (1234), T 617.00 (617), H --------------- (0), B  (0), []"},
        {kIn, "1234567.5++", "+ 12,34,567.50 (1234567.5), + 12,34,567.50 (1234567.5), B  (0), []"},
        {kDe, "{Decimals 17}1.234+5.5+", "+ 12,34 (12.34), + 5,50 (5.5), B  (0), []"},
    };
    for (const auto& r : rows) EXPECT_EQ(InLocale(r.symbols).Keys(r.keys), r.tape) << r.keys;
}

// The voice says the locale's decimal symbol as "point" and leaves grouping silent,
// keyed or struck: what is heard is the figure meant.
TEST(SpokenEntry, says_the_decimal_symbol_of_any_locale_as_point) {
    const struct {
        const NumberSymbols& symbols;
        const char* keys;
        const char* heard;
    } rows[] = {
        {kC, "1,234.5+{Enter}", "a1 a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        // A "." keyed is said as the key it is; the total says what it came to.
        {kDe, "1.234,5+{Enter}", "a1 ap a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        {kDe, "12.5+{Enter}", "a1 a2 ap a5 a+ ae a1 a2 ap a5 a0 an"},
        {kFr, "2,5-{Enter}", "a2 ap a5 am ae am a2 ap a5 a0 an"},
    };
    for (const auto& r : rows) {
        InLocale machine(r.symbols);
        machine.calc.SetOptions(
            WithSound(machine.calc.options(), SoundChoice::kInputVoice, "Grunk"));
        machine.Keys(r.keys);
        std::string heard;
        std::istringstream events(machine.events.str());
        for (std::string event; std::getline(events, event);) {
            if (event.rfind("play ", 0) == 0)
                heard += (heard.empty() ? "" : " ") + event.substr(5, event.size() - 9);
        }
        EXPECT_EQ(heard, r.heard) << r.keys;
    }
}

TEST(AddingMachine, refuses_an_amount_it_cannot_read_with_a_beep_and_keeps_it_in_the_row) {
    const struct {
        const NumberSymbols& symbols;
        bool calc_mode;
        std::string keys;
        const char* box;
        const char* key;
        const char* tape;
    } rows[] = {
        {kC, false, "", "12.34.5", "+", "B  (0), [12.34.5] beep"},
        {kDe, false, "5+", "12.34.5", "-", "+ 5,00 (5), B  (0), [12.34.5] beep"},
        {kDe, false, "5+", "12.34.5", "{Enter}", "+ 5,00 (5), B  (0), [12.34.5] beep"},
        {kDe, false, "2*", "1.23.4", "{Enter}", "* 2,00 (2), B  (0), [1.23.4] beep"},
        {kFr, false, "5+", "1\u202F23", "%", "+ 5,00 (5), B  (0), [1\u202F23] beep"},
        {kIn, true, "5+", "12,34.5", "-", "+ 5.00 (5), +  (0), [12,34.5] beep"},
        // A correction that cannot be read: the line keeps its amount, and the row keeps
        // the focus and what was keyed, in a row at the window's edge or not.
        {kC, false, "5+3+{Up}{Up}", "1,2,3", "4{Down}",
         "+ 5.00 (5), + 3.00 (3), B  (0), [1,2,34] beep"},
        {kC, false, "5+3+{Up}{Up}", "1,2,3", "4{Click 2}",
         "+ 5.00 (5), + 3.00 (3), B  (0), [1,2,34] beep"},
        // An empty entry takes the total above it, which cannot be read when it overflowed.
        {kC, false, "1" + std::string(400, '0') + "+{Enter}+", "", "",
         "+ Overflow (inf), T Overflow (inf), H --------------- (0), B  (0), [] beep"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(InLocale(r.symbols, r.calc_mode).Keys(r.keys, r.box, r.key), r.tape)
            << r.keys << " " << r.box << " " << r.key;
    }
}

// The refused key was no Shift+Enter: a total struck again later, by a deletion
// above it that no key of its own precedes, is still a total.
TEST(AddingMachine, a_total_key_refused_leaves_the_next_total_a_total) {
    Machine m;
    m.Keys("5+3+7+{Enter}");
    m.calc.keyboard().BoxEdited(m.calc.view().focus_row(), "12.34.", 6, 0);
    m.Keys("{Enter}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"});
    m.Keys("{ClickLine 4}{Delete}");
    EXPECT_EQ(m.Ops(), "HTH++THB");
    EXPECT_EQ(m.calc.display().text, "12.00");
}

TEST(ModeSwitch, keeps_the_sum_and_colours_the_display_red_or_cyan) {
    constexpr Colour kRed = Rgb(255, 0, 0), kCyan = Rgb(0, 255, 255);
    EXPECT_EQ(Machine(StartUp().CalcMode()).calc.display().fore, kCyan);
    Machine m;
    EXPECT_EQ(m.calc.display().fore, kRed);
    m.Keys("5+3+{Mode calc}");
    EXPECT_TRUE(m.calc.options().CalcMode);
    EXPECT_EQ(m.calc.display().fore, kCyan);
    m.Keys("2-1{Enter}{Mode adder}");
    ExpectScript(m, {"", Tape{"5.00 +", "3.00 +", "2.00 +", "1.00 -", "9.00 T", "---", "open"},
                     Total{"9.00"}, Sum{0}, kOnOpenLine});
    EXPECT_EQ(m.calc.display().fore, kRed);
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
    // A correction keyed with "*" under sums would put a line in; one keyed with "+"
    // changes its line only.
    m.Keys("{ClickLine 5}{Bksp}2*");
    EXPECT_EQ(m.TakeEvents(), Lines{kTapeFull});
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_EQ(m.Amount(5), 1);
    m.Keys("{ClickLine 5}{Bksp}2+");
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_EQ(m.Amount(5), 2);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), sum + 1);
}

// A new tape has four lines; 32,761 amounts bring it to 32,765. A total is struck
// whenever its lines fit and refused whole when they do not; a refused total sounds
// no total key ("Canon2"), only the message.
TEST(TapeLimit, a_total_is_struck_when_its_lines_fit_and_refused_when_they_do_not) {
    const struct {
        const char* keys;
        const char* end;  // the Op of the last lines afterwards
        size_t lines;
        const char* heard;
    } cases[] = {
        {"{Enter}", "+THB", 32767, "Canon2"},
        {"{S-Enter}", "+SB", 32766, "Canon2"},
        {"{S-Enter}{Enter}", "+SB", 32766, "Canon2 full"},
        {"5+{S-Enter}", "++SB", 32767, "Canon1 Canon2"},
        {"5+{Enter}", "++B", 32766, "Canon1 full"},
        {"5+6+", "+++B", 32767, "Canon1 Canon1"},
        {"*{S-Enter}", "+*SB", 32767, "Canon1 Canon2"},
        {"*{Enter}", "+*B", 32766, "Canon1 full"},
        {"*3{Enter}", "*B", 32766, "Canon1 full"},
        {"5{Enter}", "+B", 32765, "full"},
        {"2*", "++*B", 32767, "Canon1"},
        {"5+2*", "++B", 32766, "Canon1 full"},
    };
    for (const auto& c : cases) {
        Machine m(StartUp().MachineSound("Canon"));
        m.AddedOnes(kMaxLines - 6);
        m.Keys(c.keys);
        const std::string ops = m.Ops();
        EXPECT_EQ(m.calc.tape().size(), c.lines) << c.keys;
        EXPECT_EQ(ops.substr(ops.size() - std::string(c.end).size()), c.end) << c.keys;
        std::string heard = m.Heard();
        for (std::size_t at; (at = heard.find(kTapeFull)) != std::string::npos;) {
            heard.replace(at, kTapeFull.size(), "full");
        }
        EXPECT_EQ(heard, c.heard) << c.keys;
    }
}

}  // namespace
}  // namespace tallymar::testing

namespace tallymar::testing {
namespace {

// The item count and grand total follow the tape through corrections, insertions and
// deletions; F2 says them in the input voice.
TEST(ItemCount, counts_the_amounts_since_the_last_total_and_adds_up_every_total) {
    const struct {
        const char* keys;
        const char* status;
    } rows[] = {
        {"", "0 items \u00B7 GT 0.00"},
        {"5+3+", "2 items \u00B7 GT 0.00"},
        {"5+3+{Enter}", "0 items \u00B7 GT 8.00"},
        {"5+3+{Enter}2+*3=", "0 items \u00B7 GT 14.00"},           // "=" strikes the product
        {"5+3+{Enter}2+rent{Enter}1-", "2 items \u00B7 GT 8.00"},  // a comment is no item
        {"5+3+{Enter}2+{S-Enter}1+", "2 items \u00B7 GT 8.00"},    // nor a subtotal
        {"5+3+{Enter}{Click 3}7+", "0 items \u00B7 GT 10.00"},     // a correction re-strikes
        {"5+3+{Enter}{Click 3}{Delete}", "0 items \u00B7 GT 3.00"},
        {"5+3+{Click 4}{Insert}", "2 items \u00B7 GT 0.00"},  // an inserted line is blank
        {"1000000+{Enter}234.5+{Enter}", "0 items \u00B7 GT 1,000,234.50"},
    };
    for (const auto& row : rows) {
        Machine m;
        m.Keys(row.keys);
        EXPECT_EQ(StatusText(m.calc), row.status) << row.keys;
    }
    Machine m(StartUp().Voice("Grunk"));
    m.Keys("5+3+{Enter}1+");
    m.TakeEvents();
    m.Keys("{F2}");
    EXPECT_EQ(m.Heard(), "a1 az a8 ap a0 a0");  // "one, total eight point zero zero"
}

}  // namespace
}  // namespace tallymar::testing
