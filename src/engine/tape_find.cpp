#include "engine/tape_find.h"

#include <array>
#include <cmath>

#include "engine/text_codec.h"

namespace tallymar {
namespace {

// Upper case to lower case in the tape lines' code page (Windows-1252).
constexpr std::array<unsigned char, 256> kLowerCase = [] {
    std::array<unsigned char, 256> lower{};
    for (int c = 0; c < 256; ++c) lower[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) lower[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) lower[c] = static_cast<unsigned char>(c + 32);  // À to Þ but ×
    }
    lower[0x8A] = 0x9A;  // Š
    lower[0x8C] = 0x9C;  // Œ
    lower[0x8E] = 0x9E;  // Ž
    lower[0x9F] = 0xFF;  // Ÿ
    return lower;
}();

std::string FoldBytes(std::string_view bytes) {
    std::string folded(bytes);
    for (char& c : folded) c = static_cast<char>(kLowerCase[static_cast<unsigned char>(c)]);
    return folded;
}

// The patterns a line's decimal code can give: codes 0 to 17, and the general form of
// any other code.
constexpr int kPatterns = kMaxDecimalCode + 2;

int PatternIndex(int decimal_code) {
    return decimal_code >= 0 && decimal_code <= kMaxDecimalCode ? decimal_code : kPatterns - 1;
}

// How far the amount a row shows can lie from the line's amount, by pattern: half a
// unit of the last decimal place shown (a rounding in the fifteenth significant digit
// comes on top).
constexpr std::array<double, kPatterns> kHalfUnit = [] {
    std::array<double, kPatterns> half{};
    double unit = 1;
    for (int places = 0; places < kFloatingDecimals; ++places, unit /= 10) half[places] = unit / 2;
    half[kFloatingDecimals] = 0.5e-15;
    half[kAutoDecimals] = 0.005;
    return half;
}();

}  // namespace

FindQuery::FindQuery(std::string_view text, const NumberSymbols& symbols) : symbols_(symbols) {
    const std::string trimmed = TrimRightBlanks(TrimLeftBlanks(std::string(text)));
    empty_ = trimmed.empty();
    // A text with a character no tape line can hold is in no comment.
    const std::string bytes = Utf8ToCp1252(trimmed);
    if (!empty_ && Cp1252ToUtf8(bytes) == trimmed) folded_ = FoldBytes(bytes);
    double value = 0;
    if (!ParseNumber(trimmed, symbols, &value) || !std::isfinite(value)) return;
    amount_ = value;
    // The text a row of each pattern shows the amount sought as, when it reads back as
    // that amount ("12.50" at 2 places; "12.5" shows as "13" with no places, which is
    // another amount, so no line with no places shows 12.5).
    for (int code = 0; code < kPatterns; ++code) {
        const int decimal_code = code < kPatterns - 1 ? code : -1;
        std::string shown = FormatNumber(value, PatternOf(decimal_code), symbols);
        double read = 0;
        if (ParseNumber(shown, symbols, &read) && read == value) shown_as_[code] = std::move(shown);
    }
}

bool FindQuery::Matches(const TapeLine& line, bool open_line) const {
    // An empty query has neither an amount nor a text to look for.
    switch (line.Op) {
        case op::kComment:
        case op::kConversion:
            return TextMatches(line);
        case op::kRule:
        case op::kOpen:
            return false;
        default:
            return AmountMatches(line, open_line);
    }
}

bool FindQuery::AmountMatches(const TapeLine& line, bool open_line) const {
    if (!amount_) return false;
    const double wanted = *amount_;
    // The open line in calculator mode carries an operator but no amount yet.
    if (open_line && op::IsSum(line.Op)) return false;
    if (line.Amount == wanted) return true;  // as keyed
    // As shown. A line further away than its rounding cannot show the amount sought,
    // and is passed over without making its text.
    const int pattern = PatternIndex(line.Decimals);
    const double rounding = kHalfUnit[pattern] * (1 + 1e-9) + std::fabs(line.Amount) * 1e-13;
    if (!(std::fabs(line.Amount - wanted) <= rounding) || !shown_as_[pattern]) return false;
    // An amount line's row shows its amount in the pattern of its decimal code (LookOf).
    const std::string text = FormatNumber(line.Amount, PatternOf(line.Decimals), symbols_);
    // A small negative amount shows as "-0.00", which reads as 0 too. Only a wanted 0
    // gets here with it: a wanted amount has a shown form only when that form reads
    // back as the amount itself.
    return text == *shown_as_[pattern] || text == "-" + *shown_as_[pattern];
}

bool FindQuery::TextMatches(const TapeLine& line) const {
    if (!folded_) return false;
    // The text the row shows (LookOf) is the Entry up to its first NUL, less its
    // leading (a comment) or trailing (a conversion) blanks. The text sought has no
    // blanks at either end, so it lies in the trimmed text exactly when it lies in
    // the Entry; the Entry is compared as it is stored, in its own code page.
    std::array<char, kEntryLength> entry;
    std::size_t length = 0;
    while (length < line.Entry.size() && line.Entry[length] != '\0') {
        entry[length] =
            static_cast<char>(kLowerCase[static_cast<unsigned char>(line.Entry[length])]);
        ++length;
    }
    return std::string_view(entry.data(), length).find(*folded_) != std::string_view::npos;
}

std::optional<int> FindLine(const std::vector<TapeLine>& tape, const FindQuery& query, int start,
                            FindDirection direction) {
    const int count = static_cast<int>(tape.size());
    if (count == 0 || query.empty()) return std::nullopt;
    const int step = direction == FindDirection::kNext ? 1 : -1;
    int line = ((start % count) + count) % count;
    for (int looked = 0; looked < count; ++looked) {
        if (query.Matches(tape[line], line == count - 1)) return line;
        line += step;
        if (line == count) line = 0;
        if (line < 0) line = count - 1;
    }
    return std::nullopt;
}

}  // namespace tallymar
