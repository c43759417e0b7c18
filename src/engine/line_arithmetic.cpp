#include "engine/line_arithmetic.h"

namespace tallymar {

char PrevOp(const std::vector<TapeLine>& lines, int line) {
    int i = line - 1;
    while (i > 1 && lines[static_cast<std::size_t>(i)].Op == op::kComment) --i;
    return i >= 0 ? lines[static_cast<std::size_t>(i)].Op : ' ';
}

double LineResult(double result, char op, char prev, double amount) {
    switch (op) {
        case '+':
            return result + amount;
        case '-':
            return result - amount;
        case '*':
        case '/':
            if (op::IsSum(prev)) return result;
            if (prev == '*') return result * amount;
            if (prev == '/') return amount == 0 ? result : result / amount;
            return amount;
        case '=':
            if (prev == '*') return result * amount;
            if (prev == '/') return amount == 0 ? 0 : result / amount;
            return result;
        case '%':
            if (prev == '*') return result * amount / 100;
            if (prev == '/') return amount == 0 ? result : result / amount / 100;
            return result;
        default:
            return result;
    }
}

}  // namespace tallymar
