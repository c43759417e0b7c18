#include "engine/line_arithmetic.h"

namespace tallymar {

char PrevOp(const std::vector<TapeLine>& lines, int line) {
    int i = line - 1;
    while (i > 1 && lines[static_cast<std::size_t>(i)].Op == op::kComment) --i;
    return i >= 0 ? lines[static_cast<std::size_t>(i)].Op : ' ';
}

double LineResult(double result, char op, char prev, double amount) {
    switch (op) {
        case op::kPlus:
            return result + amount;
        case op::kMinus:
            return result - amount;
        case op::kTimes:
        case op::kDivide:
            if (op::IsSum(prev)) return result;
            if (prev == op::kTimes) return result * amount;
            if (prev == op::kDivide) return amount == 0 ? result : result / amount;
            return amount;
        case op::kEquals:
            if (prev == op::kTimes) return result * amount;
            if (prev == op::kDivide) return amount == 0 ? 0 : result / amount;
            return result;
        case op::kPercent:
            if (prev == op::kTimes) return result * amount / 100;
            if (prev == op::kDivide) return amount == 0 ? result : result / amount / 100;
            return result;
        default:
            return result;
    }
}

}  // namespace tallymar
