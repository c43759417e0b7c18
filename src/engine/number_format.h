// Number formats of the tape: the decimal-code table, the spreadsheet-style
// formatter that every amount on the tape, in the total display, on the clipboard
// and on paper goes through, and the locale-aware text-to-number conversion of
// keyed amounts.
#pragma once

#include <string>
#include <string_view>

namespace tallymar {

// The locale's symbols. Tests and tallymar-cli use the en-US ones.
struct NumberSymbols {
    std::string decimal = ".";
    std::string thousands = ",";
    // Digits in the group next to the decimal point, and in each group left of it
    // (3 and 2 in India: 12,34,567).
    int group = 3;
    int outer_group = 3;
};

// Highest decimal code with a pattern: 0..15 fixed places, 16 floating, 17 automatic 2 places.
inline constexpr int kMaxDecimalCode = 17;
inline constexpr int kFloatingDecimals = 16;
inline constexpr int kAutoDecimals = 17;

// The pattern of a decimal code ("#,##0.00" for 2), or "" for a code outside 0..17.
// Returns a reference to a static string, so looking a pattern up costs nothing.
const std::string& PatternOf(int decimal_code);

// Formats value with a pattern such as "#,##0", "#,##0.000" or "#,##0.###############":
// "," groups thousands, "0" after the point is a fixed decimal and "#" an optional one.
// The value is cut to the shown decimals with a half going away from zero, judged on
// its 15-significant-digit decimal form (1.005 -> "1.01", 0.1 + 0.2 floating -> "0.3").
// A pattern with a point keeps it on whole numbers ("5."). A negative value gets a
// leading minus, also when every shown digit is zero ("-0"). An empty pattern gives the general
// form: up to 15 significant digits, no grouping. Infinities and NaN give "Overflow".
std::string FormatNumber(double value, std::string_view pattern, const NumberSymbols& symbols);

// Reads a keyed or shown amount: surrounding blanks, a leading or trailing sign or
// parentheses, grouping in the whole part, one decimal point and an exponent are
// accepted; at least one digit is needed. Either "." or "," can be the decimal point,
// whatever the locale:
// - the locale's decimal symbol, and a "." or "," that is not the locale's grouping
//   symbol, are the decimal point;
// - the locale's grouping symbol groups where the text fits the grouping: digits before
//   it, no decimal point yet, and up to the next mark or the end exactly `group`
//   digits (or `outer_group` when another grouping symbol follows). Where it does not
//   fit, a "." or "," is the decimal point and any other symbol makes the text unreadable.
// So "12.5" and "12,5" are twelve and a half in every locale, "1.234" is 1234 where "."
// groups and 1.234 where it does not, and "12.34.5" reads nowhere (two decimal points).
// Returns false (and leaves *value alone) when the text is not a number.
// A number too large for a double converts to an infinity.
bool ParseNumber(std::string_view text, const NumberSymbols& symbols, double* value);

// The amount `text` reads as, written with the locale's decimal symbol and no grouping
// ("1.234,5" and "1234.5" both give "1234,5" where the decimal symbol is ","; "(5)"
// gives "-5"); "" when the text is not a number.
std::string PlainAmount(std::string_view text, const NumberSymbols& symbols);

// Whether `text` reads as a number, or would once more digits are keyed at its end
// ("1.23" where "." groups). A mark keyed into an amount keeps it an amount only then.
bool MayBecomeNumber(std::string_view text, const NumberSymbols& symbols);

inline bool IsNumeric(std::string_view text, const NumberSymbols& symbols) {
    double ignored = 0;
    return ParseNumber(text, symbols, &ignored);
}

// Formats a text as an amount when it is numeric; any other text comes back unchanged.
std::string FormatText(std::string_view text, std::string_view pattern,
                       const NumberSymbols& symbols);

}  // namespace tallymar
