// What a screen reader says for the tape window: each row's line in words, as
// "12.50 plus", "total 8.00", "comment: rent", "rule" or "new entry", and the
// total display as "total 8.00". The figures are the ones the row shows, in the
// line's own decimal places; the window only hands these texts on.
#pragma once

#include <string>
#include <string_view>

namespace tallymar {

class Calc;

// A line of kind `kind` (its Op) whose row shows `shown` (and `op_shown` in the
// operator box), in words; `selected` when the row is highlighted.
std::string SpokenLine(char kind, std::string_view shown, std::string_view op_shown, bool selected);

// The line that row `row` of the tape window shows, in words; "empty" for a row
// with no line under it.
std::string SpokenRow(const Calc& calc, int row);

// The total display in words.
std::string SpokenTotal(const Calc& calc);

}  // namespace tallymar
