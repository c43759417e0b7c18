// Finding a line of the tape by what its row shows (Edit > Find…): an amount, read
// as the user keys it, or part of a comment's text.
//
//   "12.5"    finds a line showing 12.50 (or 12.5, or 13 where it was keyed 12.5)
//   "1234.5"  and "1,234.50" find a line showing 1,234.50
//   "RENT"    finds the comment "rent paid"; "12" also finds the comment "invoice 12"
//
// An amount is compared as a number, with the line's shown value (the row's text at
// the line's own decimal places) and with its amount as keyed; a comment's and a
// conversion's text are compared as text, case ignored. A rule and the open line are
// never found.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number_format.h"
#include "engine/tape_line.h"

namespace tallymar {

enum class FindDirection { kNext, kPrevious };

// What a search looks for, read once from the text the user typed.
class FindQuery {
  public:
    FindQuery(std::string_view text, const NumberSymbols& symbols);

    // Whether the line matches; `open_line` says it is the tape's last line, open for
    // the next amount.
    bool Matches(const TapeLine& line, bool open_line) const;
    // No text to look for (blanks only).
    bool empty() const { return empty_; }

  private:
    bool AmountMatches(const TapeLine& line, bool open_line) const;
    bool TextMatches(const TapeLine& line) const;

    NumberSymbols symbols_;
    bool empty_ = true;
    // The text without surrounding blanks in the tape lines' code page, lower case;
    // nothing when it holds a character they cannot.
    std::optional<std::string> folded_;
    std::optional<double> amount_;  // the text read as an amount, when it is one
    // By pattern (decimal codes 0 to 17, then the general form): the text a row shows
    // the amount as, when that reads back as the amount.
    std::array<std::optional<std::string>, kMaxDecimalCode + 2> shown_as_;
};

// The first line matching `query` from line `start` on in `direction`, going on past
// the tape's end at its first line (past its first line at its end, going back), so
// that every line is looked at once; nothing when none matches. `start` may lie one
// past either end (the search then begins at the other).
std::optional<int> FindLine(const std::vector<TapeLine>& tape, const FindQuery& query, int start,
                            FindDirection direction);

}  // namespace tallymar
