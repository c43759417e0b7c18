#include "engine/tape_status.h"

namespace tallymar {

TapeStatus StatusOf(const std::vector<TapeLine>& tape) {
    TapeStatus status;
    // The last line is the open line: whatever operator it carries, it holds no amount.
    const std::size_t open = tape.empty() ? 0 : tape.size() - 1;
    for (std::size_t i = 0; i < open; ++i) {
        switch (tape[i].Op) {
            case op::kTotal:
                status.grand_total += tape[i].Amount;
                status.items = 0;
                break;
            case op::kPlus:
            case op::kMinus:
            case op::kTimes:
            case op::kDivide:
            case op::kPercent:
            case op::kEquals:
                ++status.items;
                break;
            default:
                break;
        }
    }
    return status;
}

std::string StatusText(const TapeStatus& status, const std::string& pattern,
                       const NumberSymbols& symbols) {
    return std::to_string(status.items) + (status.items == 1 ? " item" : " items") + " \u00B7 GT " +
           FormatNumber(status.grand_total, pattern, symbols);
}

}  // namespace tallymar
