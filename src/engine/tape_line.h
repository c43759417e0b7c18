// One line of the tape and the fixed-width text it carries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallymar {

inline constexpr std::int16_t kSignature = 630;
inline constexpr int kEntryLength = 17;
// Indexes are 16-bit on tape files, so a tape holds at most this many lines.
inline constexpr int kMaxLines = 32767;
inline constexpr const char* kRuleText = "---------------";

// Line kinds held in Op.
// What a line is, by its Op: an operator it was committed with, or a kind of line.
// The tape file keeps the same one-byte codes.
namespace op {
inline constexpr char kPlus = '+';
inline constexpr char kMinus = '-';
inline constexpr char kTimes = '*';
inline constexpr char kDivide = '/';
inline constexpr char kPercent = '%';
inline constexpr char kEquals = '=';
inline constexpr char kOpen = 'B';
inline constexpr char kComment = 'C';
inline constexpr char kTotal = 'T';
inline constexpr char kSubtotal = 'S';
inline constexpr char kRule = 'H';
inline constexpr char kConversion = '>';
inline constexpr char kInserted = ' ';
// "+" and "-" lines add into the accumulator; a "*" or "/" after one holds the sum.
inline bool IsSum(char kind) {
    return kind == kPlus || kind == kMinus;
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

// Lines read onto the tape from elsewhere (a tape file), one by one.
class LineSource {
  public:
    virtual ~LineSource() = default;
    virtual std::size_t LineCount() const = 0;
    // Line `index` into *line; false when it is damaged, which ends the reading.
    virtual bool ReadLine(std::size_t index, TapeLine* line) = 0;
};

// Lines held in memory, every one good.
class LinesInMemory : public LineSource {
  public:
    explicit LinesInMemory(const std::vector<TapeLine>& lines) : lines_(lines) {}
    std::size_t LineCount() const override { return lines_.size(); }
    bool ReadLine(std::size_t index, TapeLine* line) override {
        *line = lines_[index];
        return true;
    }

  private:
    const std::vector<TapeLine>& lines_;
};

// Stores text (UTF-8) into Entry, cut or padded with blanks to 17 characters.
void SetEntry(TapeLine& line, std::string_view utf8_text);
// Entry as UTF-8, all 17 characters (NUL bytes included).
std::string EntryText(const TapeLine& line);
// Entry as a text box shows it: up to its first NUL byte.
std::string EntryShown(const TapeLine& line);

}  // namespace tallymar
