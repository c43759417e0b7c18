// Amount formatting and parsing for the tape. Formatting works on the value's
// 15-significant-digit decimal form, so what the tape shows matches what a
// spreadsheet shows for the same double; parsing builds a plain decimal string
// and lets std::from_chars round it, so neither side depends on the C locale.
#include "engine/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace tallymar {
namespace {

// Significant digits an amount is judged on before it is cut to the shown decimals.
constexpr int kSignificant = 15;

// The value's magnitude as 15 significant decimal digits: |value| = d.ddd... x 10^exponent.
struct Decimal {
    char digits[kSignificant];
    int exponent;
};

// Splits |value| into its 15 significant digits and decimal exponent. to_chars rounds the
// double correctly to 15 digits; the later cut to the shown decimals rounds this string.
Decimal ToDecimal(double magnitude) {
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   kSignificant - 1);
    // res.ptr points past "d.dddddddddddddde+XX"; a finite value always fits.
    Decimal d{};
    d.digits[0] = buf[0];
    std::memcpy(d.digits + 1, buf + 2, kSignificant - 1);
    const char* p = buf + 2 + (kSignificant - 1) + 1;  // past the 'e'
    const bool negative_exponent = *p == '-';
    int exponent = 0;
    for (++p; p < res.ptr; ++p) exponent = exponent * 10 + (*p - '0');
    d.exponent = negative_exponent ? -exponent : exponent;
    return d;
}

// The part of a pattern that places digits, with any literal text around it.
struct Layout {
    std::string_view prefix;
    std::string_view suffix;
    long min_integer_digits = 0;  // '0's before the point
    long fixed_decimals = 0;      // decimals shown even when zero (up to the last '0')
    long max_decimals = 0;        // every placeholder after the point
    bool grouping = false;        // a ',' before the point
    bool point = false;
};

// Understands the digit placeholders '#' and '0', the grouping ',' and one '.'.
// Text before the first placeholder and after the last is copied as it stands.
Layout ParsePattern(std::string_view pattern) {
    Layout layout;
    size_t i = pattern.find_first_of("#0.");
    if (i == std::string_view::npos) {
        layout.prefix = pattern;
        return layout;
    }
    layout.prefix = pattern.substr(0, i);
    for (; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '.' && !layout.point) {
            layout.point = true;
        } else if (c == '0' || c == '#') {
            if (!layout.point) {
                if (c == '0') ++layout.min_integer_digits;
            } else {
                ++layout.max_decimals;
                if (c == '0') layout.fixed_decimals = layout.max_decimals;
            }
        } else if (c == ',') {
            if (!layout.point) layout.grouping = true;
        } else {
            break;
        }
    }
    layout.suffix = pattern.substr(i);
    return layout;
}

// Writes the general form: up to 15 significant digits, no grouping, no trailing
// point, and an exponent ("1E+20", "1.5E-07") outside 1E-04 .. 1E+15.
std::string FormatGeneral(double value, const NumberSymbols& symbols) {
    if (value == 0) return "0";
    const Decimal d = ToDecimal(std::fabs(value));
    int count = kSignificant;
    while (count > 1 && d.digits[count - 1] == '0') --count;

    std::string out;
    out.reserve(32 + symbols.decimal.size());
    if (value < 0) out.push_back('-');
    const int e = d.exponent;
    if (e < -4 || e >= kSignificant) {
        out.push_back(d.digits[0]);
        if (count > 1) {
            out += symbols.decimal;
            out.append(d.digits + 1, count - 1);
        }
        out.push_back('E');
        out.push_back(e < 0 ? '-' : '+');
        char exp[8];
        const auto res = std::to_chars(exp, exp + sizeof exp, e < 0 ? -e : e);
        if (res.ptr - exp < 2) out.push_back('0');
        out.append(exp, res.ptr);
    } else if (e >= 0) {
        const int whole = e + 1;
        for (int i = 0; i < whole; ++i) out.push_back(i < count ? d.digits[i] : '0');
        if (count > whole) {
            out += symbols.decimal;
            out.append(d.digits + whole, count - whole);
        }
    } else {
        out.push_back('0');
        out += symbols.decimal;
        out.append(static_cast<size_t>(-e - 1), '0');
        out.append(d.digits, count);
    }
    return out;
}

}  // namespace

const std::string& PatternOf(int decimal_code) {
    static const std::array<std::string, kMaxDecimalCode + 1> patterns = [] {
        std::array<std::string, kMaxDecimalCode + 1> table;
        table[0] = "#,##0";
        for (int places = 1; places < kFloatingDecimals; ++places) {
            table[places] = "#,##0." + std::string(places, '0');
        }
        table[kFloatingDecimals] = "#,##0." + std::string(kSignificant, '#');
        table[kAutoDecimals] = "#,##0.00";
        return table;
    }();
    static const std::string none;
    if (decimal_code < 0 || decimal_code > kMaxDecimalCode) return none;
    return patterns[decimal_code];
}

std::string FormatNumber(double value, std::string_view pattern, const NumberSymbols& symbols) {
    if (!std::isfinite(value)) return "Overflow";
    if (pattern.empty()) return FormatGeneral(value, symbols);

    const Layout layout = ParsePattern(pattern);
    const Decimal d = ToDecimal(std::fabs(value));

    // digits[1..] holds the 15 significant digits; digits[0] catches a carry out of the top.
    char digits[kSignificant + 1];
    digits[0] = '0';
    std::memcpy(digits + 1, d.digits, kSignificant);
    long exponent = d.exponent;  // place value of digits[first] is 10^exponent
    int first = 1;
    long count = 0;  // significant digits kept after the cut

    if (value != 0) {
        // Digits at places down to 10^-max_decimals are kept; a half in the first
        // dropped place rounds the kept ones up, away from zero.
        const long keep = exponent + layout.max_decimals + 1;
        if (keep >= kSignificant) {
            count = kSignificant;
        } else if (keep >= 0) {
            count = keep;
            if (digits[1 + keep] >= '5') {
                long i = keep;  // index into digits of the last kept digit
                while (i > 0 && digits[i] == '9') digits[i--] = '0';
                if (i == 0) {
                    digits[0] = '1';
                    first = 0;
                    ++exponent;
                    ++count;
                } else {
                    ++digits[i];
                }
            }
        }
        while (count > 0 && digits[first + count - 1] == '0') --count;
    }
    const bool zero = count == 0;
    const char* sig = digits + first;
    // The digit at place value 10^place, zero outside the significant ones.
    auto digit_at = [&](long place) {
        const long i = exponent - place;
        return i >= 0 && i < count ? sig[i] : '0';
    };

    const long integer_digits = zero || exponent < 0 ? 0 : exponent + 1;
    const long shown_integer = std::max(integer_digits, layout.min_integer_digits);
    // Grouping symbols follow the digit at places group, group + outer_group, ...
    const long group = symbols.group > 0 ? symbols.group : 3;
    const long outer_group = symbols.outer_group > 0 ? symbols.outer_group : group;
    auto grouped_after = [&](long place) {
        return place >= group && (place - group) % outer_group == 0;
    };
    const long separators = layout.grouping && shown_integer - 1 >= group
                                ? 1 + (shown_integer - 1 - group) / outer_group
                                : 0;
    const long needed_decimals =
        zero ? 0 : std::clamp(count - 1 - exponent, 0L, layout.max_decimals);
    const long shown_decimals = std::max(layout.fixed_decimals, needed_decimals);
    // A negative amount keeps its sign when it rounds to zero (-0.4 shows "-0");
    // a negative zero is zero.
    const bool minus = value < 0;

    const size_t size = (minus ? 1 : 0) + layout.prefix.size() + shown_integer +
                        separators * symbols.thousands.size() +
                        (layout.point ? symbols.decimal.size() : 0) + shown_decimals +
                        layout.suffix.size();
    std::string out(size, '\0');
    char* o = out.data();
    auto put = [&o](std::string_view text) {
        std::memcpy(o, text.data(), text.size());
        o += text.size();
    };

    if (minus) *o++ = '-';
    put(layout.prefix);
    for (long place = shown_integer - 1; place >= 0; --place) {
        *o++ = digit_at(place);
        if (separators > 0 && grouped_after(place)) put(symbols.thousands);
    }
    if (layout.point) put(symbols.decimal);
    for (long place = 1; place <= shown_decimals; ++place) *o++ = digit_at(-place);
    put(layout.suffix);
    return out;
}

namespace {

// A text taken apart by the reading rule (ParseNumber in number_format.h).
struct Reading {
    bool negative = false;
    std::string digits;      // the mantissa's digits, whole part first
    long whole_digits = 0;   // how many of them stand before the decimal point
    bool point = false;      // a decimal point was found
    std::string_view scale;  // the exponent as written ("e-5"), or empty
    long exponent = 0;       // its value, saturated
};

enum class Mark { kPoint, kGroup, kGroupOrPoint };

// The mark starting at s[at], if any, and its length.
bool MarkAt(std::string_view s, size_t at, const NumberSymbols& symbols, Mark* mark,
            size_t* length) {
    auto starts = [&](std::string_view symbol) {
        return !symbol.empty() && s.substr(at, symbol.size()) == symbol;
    };
    auto dot_or_comma = [](std::string_view symbol) { return symbol == "." || symbol == ","; };
    if (starts(symbols.decimal)) {
        *mark = Mark::kPoint;
        *length = symbols.decimal.size();
    } else if (starts(symbols.thousands)) {
        *mark = dot_or_comma(symbols.thousands) ? Mark::kGroupOrPoint : Mark::kGroup;
        *length = symbols.thousands.size();
    } else if (at < s.size() && (s[at] == '.' || s[at] == ',')) {
        *mark = Mark::kPoint;
        *length = 1;
    } else {
        return false;
    }
    return true;
}

bool Read(std::string_view text, const NumberSymbols& symbols, Reading* reading) {
    auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
    };
    auto trim = [&](std::string_view s) {
        while (!s.empty() && blank(s.front())) s.remove_prefix(1);
        while (!s.empty() && blank(s.back())) s.remove_suffix(1);
        return s;
    };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };

    std::string_view s = trim(text);
    Reading r;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        r.negative = true;
        s = trim(s.substr(1, s.size() - 2));
    }
    bool signed_already = r.negative;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        if (signed_already) return false;
        r.negative = s.front() == '-';
        signed_already = true;
        s.remove_prefix(1);
    }
    if (!s.empty() && (s.back() == '-' || s.back() == '+')) {
        if (signed_already) return false;
        r.negative = s.back() == '-';
        s.remove_suffix(1);
    }

    // The mantissa: runs of digits between marks. Each mark is judged by the run
    // before it and the run and mark after it.
    const int group = symbols.group > 0 ? symbols.group : 3;
    const int outer_group = symbols.outer_group > 0 ? symbols.outer_group : group;
    r.digits.reserve(s.size());
    size_t i = 0;
    for (;;) {
        const size_t run_start = i;
        for (; i < s.size() && digit(s[i]); ++i) r.digits.push_back(s[i]);
        if (!r.point) r.whole_digits = static_cast<long>(r.digits.size());
        Mark mark;
        size_t length = 0;
        if (!MarkAt(s, i, symbols, &mark, &length)) break;
        const size_t next_run = i + length;
        size_t next_mark = next_run;
        while (next_mark < s.size() && digit(s[next_mark])) ++next_mark;
        const long run_after = static_cast<long>(next_mark - next_run);
        Mark after;
        size_t ignored = 0;
        const bool group_follows =
            MarkAt(s, next_mark, symbols, &after, &ignored) && after != Mark::kPoint;
        const bool groups = mark != Mark::kPoint && i > run_start && !r.point &&
                            (run_after == group || (group_follows && run_after == outer_group));
        if (!groups) {
            if (mark == Mark::kGroup || r.point) return false;
            r.point = true;
        }
        i = next_run;
    }
    if (r.digits.empty()) return false;

    constexpr long kExponentCap = 1'000'000'000;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        const size_t scale_start = i++;
        bool exponent_negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) exponent_negative = s[i++] == '-';
        if (i >= s.size() || !digit(s[i])) return false;
        for (; i < s.size() && digit(s[i]); ++i) {
            r.exponent = std::min(r.exponent * 10 + (s[i] - '0'), kExponentCap);
        }
        if (exponent_negative) r.exponent = -r.exponent;
        r.scale = s.substr(scale_start, i - scale_start);
    }
    if (i != s.size()) return false;
    *reading = std::move(r);
    return true;
}

}  // namespace

bool ParseNumber(std::string_view text, const NumberSymbols& symbols, double* value) {
    Reading r;
    if (!Read(text, symbols, &r)) return false;

    // "[-]digits[.digits]e<exponent>", for from_chars to round.
    std::string plain;
    plain.reserve(r.digits.size() + 16);
    if (r.negative) plain.push_back('-');
    if (r.whole_digits == 0) plain.push_back('0');
    plain.append(r.digits, 0, static_cast<size_t>(r.whole_digits));
    if (r.point) {
        plain.push_back('.');
        plain.append(r.digits, static_cast<size_t>(r.whole_digits));
    }
    plain.push_back('e');
    char exp[16];
    const auto written = std::to_chars(exp, exp + sizeof exp, r.exponent);
    plain.append(exp, written.ptr);

    double result = 0;
    const auto parsed = std::from_chars(plain.data(), plain.data() + plain.size(), result);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Out of range either way: the decimal exponent of the leading digit tells
        // overflow (an infinity) from underflow (a zero).
        const long leading_zeros =
            static_cast<long>(std::min(r.digits.find_first_not_of('0'), r.digits.size()));
        const long magnitude = r.exponent + r.whole_digits - leading_zeros - 1;
        result = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (r.negative) result = -result;
    } else if (parsed.ec != std::errc() || parsed.ptr != plain.data() + plain.size()) {
        return false;
    }
    *value = result;
    return true;
}

std::string PlainAmount(std::string_view text, const NumberSymbols& symbols) {
    Reading r;
    if (!Read(text, symbols, &r)) return {};
    std::string plain = r.negative ? "-" : "";
    plain.append(r.digits, 0, static_cast<size_t>(r.whole_digits));
    if (r.point) {
        plain += symbols.decimal;
        plain.append(r.digits, static_cast<size_t>(r.whole_digits));
    }
    plain += r.scale;
    return plain;
}

bool MayBecomeNumber(std::string_view text, const NumberSymbols& symbols) {
    // Only the digits after the last mark are still to come: as many as a group
    // holds are enough to tell.
    const int most = std::max({symbols.group, symbols.outer_group, 1});
    std::string longer(text);
    for (int added = 0; added <= most; ++added, longer.push_back('0')) {
        if (IsNumeric(longer, symbols)) return true;
    }
    return false;
}

std::string FormatText(std::string_view text, std::string_view pattern,
                       const NumberSymbols& symbols) {
    double value = 0;
    if (ParseNumber(text, symbols, &value)) return FormatNumber(value, pattern, symbols);
    return std::string(text);
}

}  // namespace tallymar
