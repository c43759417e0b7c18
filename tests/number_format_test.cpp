#include "engine/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tallymar {
namespace {

const NumberSymbols kEnUs;
const NumberSymbols kDeDe{",", "."};
const NumberSymbols kNarrowSpace{",", "\u202F"};  // as in France
const NumberSymbols kEnIn{".", ",", 3, 2};
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FormatRow {
    double value;
    std::string pattern;
    std::string expected;
};

void ExpectFormats(const std::vector<FormatRow>& rows, const NumberSymbols& symbols = kEnUs) {
    for (const auto& r : rows) {
        EXPECT_EQ(FormatNumber(r.value, r.pattern, symbols), r.expected)
            << "value " << r.value << " pattern '" << r.pattern << "'";
    }
}

// clang-format off
TEST(PatternOf, maps_each_decimal_code_to_its_pattern_and_others_to_empty) {
    const std::vector<std::pair<int, std::string>> rows = {
        {0, "#,##0"}, {1, "#,##0.0"}, {2, "#,##0.00"}, {6, "#,##0.000000"},
        {15, "#,##0.000000000000000"}, {16, "#,##0.###############"}, {17, "#,##0.00"},
        {-1, ""}, {18, ""}};
    for (const auto& [code, pattern] : rows) EXPECT_EQ(PatternOf(code), pattern) << code;
}

TEST(FormatNumber, writes_each_pattern_s_digits_in_the_locale_s_symbols_and_groups) {
    // Fixed decimals: cut with half going away from zero.
    ExpectFormats({{2.5, PatternOf(0), "3"}, {-2.5, PatternOf(0), "-3"}, {0.4, PatternOf(0), "0"},
                   {1.005, PatternOf(2), "1.01"}, {-1234.5, PatternOf(2), "-1,234.50"},
                   {999.995, PatternOf(2), "1,000.00"}, {1234.5678, PatternOf(3), "1,234.568"},
                   {0.1 + 0.2, PatternOf(15), "0.300000000000000"}, {123, PatternOf(0), "123"},
                   {1234567, PatternOf(0), "1,234,567"}, {1234.5, PatternOf(17), "1,234.50"},
                   {1e20, PatternOf(2), "100,000,000,000,000,000,000.00"}});
    // A negative amount that rounds to zero keeps its minus.
    ExpectFormats({{-0.001, PatternOf(2), "-0.00"}, {-0.4, PatternOf(0), "-0"},
                   {-1e-300, PatternOf(16), "-0."}, {-0.005, PatternOf(2), "-0.01"},
                   {-0.0, PatternOf(0), "0"}, {0.4, PatternOf(0), "0"}});
    // Floating decimals show only the digits needed and keep the point.
    ExpectFormats({{0.1 + 0.2, PatternOf(16), "0.3"}, {5, PatternOf(16), "5."},
                   {0.125, PatternOf(16), "0.125"}, {-0.5, PatternOf(16), "-0.5"},
                   {1234567.891, PatternOf(16), "1,234,567.891"},
                   {2.0 / 3, PatternOf(16), "0.666666666666667"},
                   {1234.5, "0.0#", "1234.5"}, {1.236, "0.0#", "1.24"}});
    // The empty pattern gives the general form.
    ExpectFormats({{0.5, "", "0.5"}, {1234.5, "", "1234.5"}, {5, "", "5"}, {-2.5, "", "-2.5"},
                   {0, "", "0"}, {0.1 + 0.2, "", "0.3"}, {0.0001, "", "0.0001"},
                   {0.00001, "", "1E-05"}, {1e20, "", "1E+20"}, {1.5e-7, "", "1.5E-07"},
                   {1234567890123456.0, "", "1.23456789012346E+15"}});
    // Other patterns pad integer digits and copy literal text.
    ExpectFormats({{7, "000", "007"}, {0.5, "#.00", ".50"}, {5, "#.00", "5.00"},
                   {-5, "$#,##0.00", "-$5.00"},
                   {12, "0 kg", "12 kg"}});
    // The locale's symbols, even when multi-byte, and its group sizes.
    ExpectFormats({{1234.5, PatternOf(2), "1.234,50"}, {5, PatternOf(16), "5,"}, {0.5, "", "0,5"}},
                  kDeDe);
    ExpectFormats({{-1234567.891, PatternOf(2), "-1\u202F234\u202F567,89"}}, kNarrowSpace);
    ExpectFormats({{1234567.5, PatternOf(2), "12,34,567.50"}, {123456789, PatternOf(0), "12,34,56,789"},
                   {1234, PatternOf(0), "1,234"}, {123, PatternOf(0), "123"},
                   {-12345, PatternOf(16), "-12,345."}, {1234567, "0", "1234567"}},
                  kEnIn);
}
// clang-format on

TEST(FormatNumber, infinities_and_nan_give_overflow_in_every_pattern) {
    for (const double v : {kInf, -kInf, std::nan("")}) {
        for (const char* pattern : {"", "#,##0", "#,##0.###############"}) {
            EXPECT_EQ(FormatNumber(v, pattern, kEnUs), "Overflow") << v << " " << pattern;
        }
    }
}

// clang-format off
// A text reads as its number, or is refused and leaves the value alone: signs,
// parentheses, grouping, decimals and exponents are read; a point or comma that cannot
// group where it stands is the decimal point; grouping that fits nowhere, a second
// decimal point and anything but a well-formed number are refused.
TEST(ParseNumber, reads_well_formed_numbers_in_each_locale_and_refuses_the_rest) {
    const std::optional<double> kRefused;
    const struct { std::string text; const NumberSymbols& symbols; std::optional<double> read; } rows[] = {
        {"1234.5", kEnUs, 1234.5}, {"  42\t", kEnUs, 42}, {"+7", kEnUs, 7}, {"-7", kEnUs, -7},
        {"5-", kEnUs, -5}, {"(5)", kEnUs, -5}, {" ( 12 ) ", kEnUs, -12},
        {"1,234.50", kEnUs, 1234.5}, {"5.", kEnUs, 5},
        {".5", kEnUs, 0.5}, {"1e3", kEnUs, 1000}, {"2.5E-2", kEnUs, 0.025},
        {"1E+2-", kEnUs, -100}, {"1.234,5", kDeDe, 1234.5}, {"-0,25", kDeDe, -0.25},
        {"1\u202F234,5", kNarrowSpace, 1234.5},
        // A point or comma that cannot group where it stands.
        {"12,5", kEnUs, 12.5}, {",5", kEnUs, 0.5}, {"1,5", kEnUs, 1.5}, {"-0,25", kEnUs, -0.25},
        {"12.5", kDeDe, 12.5}, {"0.5", kDeDe, 0.5}, {".5", kDeDe, 0.5}, {".500", kDeDe, 0.5},
        {"1.234.5", kDeDe, 1234.5}, {"(1.5)", kDeDe, -1.5},
        {"12.5", kNarrowSpace, 12.5}, {"1.234", kNarrowSpace, 1.234},
        {"1\u202F234.5", kNarrowSpace, 1234.5},
        {"12,5", kEnIn, 12.5}, {"12,34", kEnIn, 12.34}, {"1,234,5", kEnIn, 1234.5},
        // No well-formed number.
        {"", kEnUs, kRefused}, {"   ", kEnUs, kRefused}, {".", kEnUs, kRefused},
        {",", kEnUs, kRefused}, {"-", kEnUs, kRefused}, {"abc", kEnUs, kRefused},
        {"12.5.3", kEnUs, kRefused}, {"1e", kEnUs, kRefused}, {"1e+", kEnUs, kRefused},
        {"--5", kEnUs, kRefused}, {"-5-", kEnUs, kRefused}, {"(-5)", kEnUs, kRefused},
        {"(5", kEnUs, kRefused}, {"1 2", kEnUs, kRefused}, {"12a", kEnUs, kRefused},
        {"inf", kEnUs, kRefused}, {"1,5.3", kDeDe, kRefused}, {"1,5,3", kDeDe, kRefused},
        {std::string("1\0" "2", 3), kEnUs, kRefused},
        // Grouping that fits nowhere, or a second decimal point.
        {"12.34.5", kDeDe, kRefused}, {"1.23.456", kDeDe, kRefused}, {"1,2,34", kEnUs, kRefused},
        {"1,23,456", kEnUs, kRefused}, {"1\u202F23", kNarrowSpace, kRefused},
        {"1\u202F23,5", kNarrowSpace, kRefused}, {"12,34.5", kEnIn, kRefused},
        {"1,2,345", kEnIn, kRefused}};
    for (const auto& r : rows) {
        double value = 99;
        EXPECT_EQ(ParseNumber(r.text, r.symbols, &value), r.read.has_value()) << "'" << r.text << "'";
        EXPECT_DOUBLE_EQ(value, r.read.value_or(99)) << "'" << r.text << "'";
    }
}

TEST(ParseNumber, numbers_beyond_a_double_become_infinity_or_zero) {
    const std::vector<std::pair<std::string, double>> rows = {
        {"1e400", kInf}, {"-1e400", -kInf}, {"1" + std::string(400, '0'), kInf},
        {"1e99999999999999999999", kInf}, {"1e-400", 0}, {"0." + std::string(400, '0') + "1", 0},
        // Leading zeros do not count towards the size: this is 1e-390, not 1e+10.
        {std::string(400, '0') + "1e-390", 0}};
    for (const auto& [text, expected] : rows) {
        double value = 99;
        EXPECT_TRUE(ParseNumber(text, kEnUs, &value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
}
// clang-format on

TEST(ParseNumber, reads_back_what_floating_format_wrote_to_fifteen_digits) {
    std::mt19937_64 rng(20240601);
    std::uniform_real_distribution<double> magnitude(0, 12);
    for (int n = 0; n < 2000; ++n) {
        const double v = (n % 2 ? -1 : 1) * std::pow(10.0, magnitude(rng));
        for (const NumberSymbols* symbols : {&kEnUs, &kDeDe, &kNarrowSpace, &kEnIn}) {
            const std::string text = FormatNumber(v, PatternOf(kFloatingDecimals), *symbols);
            double back = 0;
            ASSERT_TRUE(ParseNumber(text, *symbols, &back)) << text;
            EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << text;
        }
    }
}

// clang-format off
TEST(PlainAmount, writes_the_amount_read_with_the_locale_s_point_and_no_grouping) {
    const struct { std::string text; const NumberSymbols& symbols; std::string expected; } rows[] = {
        {"1.234,5", kDeDe, "1234,5"}, {"12.5", kDeDe, "12,5"}, {"1.234", kDeDe, "1234"},
        {"1,234", kEnUs, "1234"}, {"12,5", kEnUs, "12.5"}, {"(5)", kEnUs, "-5"}, {".5", kEnUs, ".5"},
        {"12,34,567", kEnIn, "1234567"}, {"1\u202F234.5", kNarrowSpace, "1234,5"}, {"2e3", kEnUs, "2e3"},
        {"12.34.5", kDeDe, ""}, {"abc", kEnUs, ""}};
    for (const auto& r : rows) EXPECT_EQ(PlainAmount(r.text, r.symbols), r.expected) << r.text;
}

TEST(MayBecomeNumber, holds_while_digits_still_to_come_can_make_the_text_readable) {
    const struct { std::string text; const NumberSymbols& symbols; bool expected; } rows[] = {
        {"1.2", kDeDe, true}, {"1.234.", kDeDe, true}, {"12,5.", kDeDe, false}, {"1.2.", kDeDe, false},
        {"1,234,", kEnUs, true}, {"12.5,", kEnUs, false}, {"12,5.", kEnUs, false}, {".", kEnUs, true},
        {"12,34,", kEnIn, true}, {"12,3,", kEnIn, false}, {"1,5,", kNarrowSpace, false}};
    for (const auto& r : rows) EXPECT_EQ(MayBecomeNumber(r.text, r.symbols), r.expected) << r.text;
}
// clang-format on

TEST(FormatText, formats_numeric_text_and_returns_any_other_text_unchanged) {
    EXPECT_EQ(FormatText("1234.5", PatternOf(2), kEnUs), "1,234.50");
    EXPECT_EQ(FormatText(" (12) ", PatternOf(0), kEnUs), "-12");
    EXPECT_EQ(FormatText("1.234,5", PatternOf(16), kDeDe), "1.234,5");
    EXPECT_EQ(FormatText("Subtotal", PatternOf(2), kEnUs), "Subtotal");
    EXPECT_EQ(FormatText("", PatternOf(2), kEnUs), "");
}

}  // namespace
}  // namespace tallymar
