// Edit > Find…: which line a text finds (an amount as shown or as keyed, a comment's
// words), round the tape either way; and the found line taken into view and focused
// as a click would, with "not found" told and heard.
#include <optional>

#include "engine/tape_find.h"
#include "machine.h"

namespace tallymar::testing {
namespace {

// Lines 3 to 16 (16 the open line):
//    3  12.50 +      7  1,254 T (0 places, 1,254.4 keyed)   11  12.50 +
//    4  rent paid    8  ---                                 12  0.1 + (floating)
//    5  1,234.50 +   9  Café                                13  0.2 +
//    6  7 + (0 places, 7.4 keyed)   10  3.00 -              14  9.8 T (9.7999…)
constexpr const char* kMixedTape =
    "12.5+rent paid{Enter}1234.5+{Decimals 0}7.4+{Enter}Café{Enter}"
    "{Decimals 2}3-12.5+{Decimals 16}0.1+0.2+{Enter}";
constexpr auto kNext = FindDirection::kNext;
constexpr auto kPrevious = FindDirection::kPrevious;

TEST(FindLine, finds_amounts_as_shown_or_as_keyed_and_comments_by_their_words) {
    Machine m;
    m.Keys(kMixedTape);
    ASSERT_EQ(m.Ops(), "HTH+C++THC-+++THB");
    const struct {
        const char* text;
        int start;
        FindDirection direction;
        std::optional<int> found;
    } cases[] = {
        // Amounts, from the top: as the row shows them, or as they were keyed.
        {"12.5", 0, kNext, 3},
        {"12.50", 0, kNext, 3},
        {" 12.5 ", 0, kNext, 3},
        {"1234.5", 0, kNext, 5},
        {"1,234.50", 0, kNext, 5},
        {"1234.50", 0, kNext, 5},
        {"7", 0, kNext, 6},     // shows "7"
        {"7.4", 0, kNext, 6},   // keyed 7.4
        {"1254", 0, kNext, 7},  // a total, shown without places
        {"9.8", 0, kNext, 14},  // shown 9.8, its amount 9.7999…
        {"0.3", 0, kNext, std::nullopt},
        {"3", 0, kNext, 10},  // a "-" line shows its amount without a sign
        {"-3", 0, kNext, std::nullopt},
        {"12.51", 0, kNext, std::nullopt},
        {"12", 0, kNext, std::nullopt},
        // Comments: any part of the text, case ignored, accented letters too.
        {"rent", 0, kNext, 4},
        {"PAID", 0, kNext, 4},
        {"t p", 0, kNext, 4},
        {"café", 0, kNext, 9},
        {"CAFÉ", 0, kNext, 9},
        {"cafe", 0, kNext, std::nullopt},
        {"rent  paid", 0, kNext, std::nullopt},
        // Never found: rules, the open line, nothing at all.
        {"---", 0, kNext, std::nullopt},
        {"0", 15, kNext, 1},  // the new tape's own total, past the rule and the open line
        {"", 0, kNext, std::nullopt},
        {"   ", 0, kNext, std::nullopt},
        // The start line is looked at first; past the end the search goes on at the top,
        // and going back past the top at the end.
        {"12.5", 3, kNext, 3},
        {"12.5", 4, kNext, 11},
        {"12.5", 12, kNext, 3},
        {"12.5", 17, kNext, 3},  // one past the end
        {"12.5", 10, kPrevious, 3},
        {"12.5", 2, kPrevious, 11},
        {"12.5", -1, kPrevious, 11},  // one before the top
        {"rent", 5, kNext, 4},
        {"rent", 3, kPrevious, 4},
    };
    for (const auto& c : cases) {
        const FindQuery query(c.text, m.calc.symbols());
        EXPECT_EQ(FindLine(m.calc.tape().lines(), query, c.start, c.direction), c.found)
            << '"' << c.text << "\" from line " << c.start;
    }
}

// An amount half a unit from what its row shows: 0.125 shows "0.13", and 0.13 is
// just over half a unit away in binary; it is found by what shows all the same.
TEST(FindLine, finds_an_amount_half_a_unit_from_what_it_shows) {
    Machine m;
    m.Keys("0.125+2.675+");
    ASSERT_EQ(m.Shown(3), (Lines{"0.13", "2.68", ""}));
    for (const auto& [text, line] : {std::pair{"0.13", 3}, {"2.68", 4}, {"0.125", 3}}) {
        EXPECT_EQ(FindLine(m.calc.tape().lines(), FindQuery(text, m.calc.symbols()), 0, kNext),
                  line)
            << text;
    }
}

// A total of -0.001 shows "-0.00": found as 0, but passed over by 0.001 (which shows
// "0.00"), which finds the amount keyed as 0.001 above it.
TEST(FindLine, reads_a_small_negative_total_as_zero_only) {
    Machine m;
    m.Keys("0.001-{Enter}");
    ASSERT_EQ(m.Shown(3), (Lines{"0.00", "-0.00", "---------------", ""}));
    EXPECT_EQ(FindLine(m.calc.tape().lines(), FindQuery("0", m.calc.symbols()), 4, kNext), 4);
    EXPECT_EQ(FindLine(m.calc.tape().lines(), FindQuery("0.001", m.calc.symbols()), 4, kNext), 3);
}

// A line read from a file with a decimal code out of range shows its amount in the
// general form, and is found by it.
TEST(FindLine, reads_a_line_of_any_decimal_code_in_the_general_form) {
    std::vector<TapeLine> lines(3);
    lines[0].Op = lines[1].Op = '+';
    lines[0].Amount = lines[1].Amount = 12.25 + 1e-14;  // not as keyed: as shown
    lines[0].Decimals = -3;
    lines[1].Decimals = 99;
    const FindQuery query("12.25", NumberSymbols{});
    EXPECT_EQ(FindLine(lines, query, 0, kNext), 0);
    EXPECT_EQ(FindLine(lines, query, 1, kNext), 1);
}

// A full tape of 32,767 lines: the one line that holds the amount or the comment is
// found from anywhere, round the end either way.
TEST(FindLine, finds_the_one_line_on_a_full_tape_round_either_end) {
    Machine m;
    m.AddedOnes(kMaxLines - 4);
    std::vector<TapeLine> tape = m.calc.tape().lines();
    ASSERT_EQ(tape.size(), static_cast<std::size_t>(kMaxLines));
    tape[32000].Amount = 12.5;
    tape[5].Op = op::kComment;
    SetEntry(tape[5], "rent");
    const FindQuery amount("12.50", m.calc.symbols()), comment("RENT", m.calc.symbols());
    EXPECT_EQ(FindLine(tape, amount, 0, kNext), 32000);
    EXPECT_EQ(FindLine(tape, amount, 32001, kNext), 32000);   // round the end to the top
    EXPECT_EQ(FindLine(tape, amount, 10, kPrevious), 32000);  // round the top to the end
    EXPECT_EQ(FindLine(tape, comment, 32766, kNext), 5);
    EXPECT_EQ(FindLine(tape, comment, 4, kPrevious), 5);
    EXPECT_EQ(FindLine(tape, FindQuery("2", m.calc.symbols()), 0, kNext), std::nullopt);
}

TEST(FindLine, passes_over_the_open_line_in_calculator_mode) {
    Machine m(StartUp().CalcMode());
    m.Keys("5+");
    ASSERT_EQ(m.calc.tape().back().Op, '+');  // the open line carries the "+" for the next amount
    const FindQuery zero("0", m.calc.symbols());
    EXPECT_EQ(FindLine(m.calc.tape().lines(), zero, 3, kNext), 1);
}

TEST(FindLine, reads_amounts_with_the_locales_symbols) {
    const NumberSymbols german{",", "."};
    std::vector<TapeLine> tape(4);  // the last one the open line
    for (TapeLine& line : tape) {
        line.Op = '+';
        line.Decimals = 2;
    }
    tape[3].Op = op::kOpen;
    tape[0].Amount = 1234.5;
    tape[1].Amount = 12.5;
    tape[2].Amount = 1.234;
    const struct {
        const char* text;
        std::optional<int> found;
    } cases[] = {
        {"1.234,50", 0},
        {"1234,5", 0},
        {"1234.5", 0},  // "." cannot group there: the decimal point
        {"12,5", 1},
        {"12.5", 1},
        {"1.234", std::nullopt},  // "." groups there: 1234, on no line
        {"1,234", 2},             // as keyed
        {"1,23", 2},              // as shown
        {"1,2,3", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindLine(tape, FindQuery(c.text, german), 0, kNext), c.found) << c.text;
    }
}

// The focus line is where a search starts; the line found comes into view and takes
// the focus, as a click on it would.
TEST(FindOnTheTape, takes_the_line_found_into_view_and_focuses_it) {
    const std::string tape = kMixedTape;
    const std::string not_found_rent = R"(msg "Tallymar" "Cannot find \"rent paid!\"." ok -> ok)";
    ExpectScripts(
        {
            {tape + "{Find 12.5}", Focus{3, 0}, Window{3, 3}, Events{"found L3"}},
            {tape + "{Find 12.5}{FindNext}", Focus{11, 3}, Window{8, 3},
             Events{"found L3", "found L11"}},
            {tape + "{Find 12.5}{FindNext}{FindNext}", Focus{3, 0}, Window{3, 3},
             Events{"found L3", "found L11", "found L3"}},
            {tape + "{Find 12.5}{FindPrevious}", Focus{11, 3}, Window{8, 3},
             Events{"found L3", "found L11"}},
            {tape + "{Find rent}{Find 12.5}{FindPrevious}", Focus{3, 0}, Window{3, 3},
             Events{"found L4", "found L11", "found L3"}},
            // Only one line matches: found again from itself.
            {tape + "{Find café}{FindNext}", Focus{9, 0}, Window{9, 3}, Flags{"changed editing"},
             Events{"found L9", "found L9"}},
            // Not found: a beep and a message, and the focus stays.
            {tape + "{Find rent paid!}", Focus{16, 3}, Window{13, 3},
             Events{"beep", not_found_rent, "not found \"rent paid!\""}},
            {tape + "{Find rent paid!}{FindPrevious}", Focus{16, 3},
             Events{"beep", not_found_rent, "not found \"rent paid!\"", "beep", not_found_rent,
                    "not found \"rent paid!\""}},
            // F3 and Shift+F3 before anything was looked for open the Find dialog.
            {tape + "{FindNext}{FindPrevious}", Focus{16, 3},
             Events{"command mnuEditFindNext", "command mnuEditFindPrevious"}},
        },
        StartUp().Rows(4));
}

// Moving to the line found leaves the line being corrected as a click would: the
// correction is committed and the total below struck again.
TEST(FindOnTheTape, commits_a_correction_keyed_on_the_line_it_leaves) {
    ExpectScripts({
        {"5+3+{Enter}rent{Enter}{ClickLine 3}6{Find rent}",
         Tape{"6.00 +", "3.00 +", "9.00 T", "---", "rent C", "open"}, Total{"9.00"}, Focus{7, 7},
         Flags{"changed editing"}, Events{"found L7"}},
        {"5+3+{Enter}{ClickLine 3}6{Find 3}", Tape{"6.00 +", "3.00 +", "9.00 T", "---", "open"},
         Focus{4, 4}, Events{"found L4"}},
    });
}

// "Not found" in the input voice, in place of the beep, before the message box; a
// found line says nothing more than its row does.
TEST(FindOnTheTape, not_found_is_said_by_the_input_voice_with_the_message) {
    ExpectScripts(
        {
            {"5+{Find 7}",
             Events{"play a5.wav", "play a+.wav", "play af.wav",
                    R"(msg "Tallymar" "Cannot find \"7\"." ok -> ok)", "not found \"7\""}},
            {"5+{Find 5}", Events{"play a5.wav", "play a+.wav", "found L3"}},
        },
        StartUp().Voice("Grunk"));
}

}  // namespace
}  // namespace tallymar::testing
