// The desk calculator's item count and grand total, read from the tape itself, so
// that they follow every correction, insertion and deletion: the amounts keyed since
// the last total, and the sum of every total struck on the tape.
//
//   5+3+{Enter}2+4+   ->  2 items, grand total 8.00: "2 items · GT 8.00"
#pragma once

#include <string>
#include <vector>

#include "engine/number_format.h"
#include "engine/tape_line.h"

namespace tallymar {

struct TapeStatus {
    int items = 0;
    double grand_total = 0;
};

TapeStatus StatusOf(const std::vector<TapeLine>& tape);
// "1 item · GT 0.00", "7 items · GT 1,234.50": the grand total in `pattern`.
std::string StatusText(const TapeStatus& status, const std::string& pattern,
                       const NumberSymbols& symbols);

}  // namespace tallymar
