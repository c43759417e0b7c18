// One line of the tape and the fixed-width text it carries.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallymar {

inline constexpr std::int16_t kSignature = 630;
inline constexpr int kEntryLength = 17;
// Indexes are 16-bit on tape files, so a tape holds at most this many lines.
inline constexpr int kMaxLines = 32767;
inline constexpr const char* kRuleText = "---------------";

// Line kinds held in Op.
namespace op {
inline constexpr char kOpen = 'B';
inline constexpr char kComment = 'C';
inline constexpr char kTotal = 'T';
inline constexpr char kSubtotal = 'S';
inline constexpr char kRule = 'H';
inline constexpr char kConversion = '>';
inline constexpr char kInserted = ' ';
// "+" and "-" lines add into the accumulator; a "*" or "/" after one holds the sum.
inline bool IsSum(char kind) {
    return kind == '+' || kind == '-';
}
}  // namespace op

struct TapeLine {
    std::int16_t Signature = kSignature;
    // Single-byte (Windows-1252) characters; a text never set is all NUL bytes,
    // which is also how the tape file stores it.
    std::array<char, kEntryLength> Entry{};
    double Amount = 0;
    std::int16_t Decimals = 0;
    char Op = op::kOpen;
};

// Stores text (UTF-8) into Entry, cut or padded with blanks to 17 characters.
void SetEntry(TapeLine& line, std::string_view utf8_text);
// Entry as UTF-8, all 17 characters (NUL bytes included).
std::string EntryText(const TapeLine& line);
// Entry as a text box shows it: up to its first NUL byte.
std::string EntryShown(const TapeLine& line);

}  // namespace tallymar
