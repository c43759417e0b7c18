#include "engine/spoken_line.h"

#include <algorithm>

#include "engine/calc.h"

namespace tallymar {
namespace {

// The operator keys as words, after the amount they were keyed with.
const char* OperatorWord(char kind) {
    switch (kind) {
        case op::kPlus:
            return "plus";
        case op::kMinus:
            return "minus";
        case op::kTimes:
            return "times";
        case op::kDivide:
            return "divided by";
        case op::kPercent:
            return "percent";
        case op::kEquals:
            return "equals";
        default:
            return nullptr;
    }
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// `word` and then the shown text, when there is one.
std::string Joined(std::string_view word, const std::string& shown) {
    std::string said(word);
    if (!shown.empty()) said.append(" ").append(shown);
    return said;
}

}  // namespace

std::string SpokenLine(char kind, std::string_view shown, std::string_view op_shown,
                       bool selected) {
    const std::string text = Trimmed(shown);
    std::string said;
    if (const char* word = OperatorWord(kind)) {
        // An amount being corrected shows no number yet: its operator still says what it is.
        said = text.empty() ? std::string(word) : text + " " + word;
    } else {
        switch (kind) {
            case op::kOpen:
                said = Joined("new entry", text);
                break;
            case op::kComment:
                said = "comment: " + text;
                break;
            case op::kTotal:
                said = Joined("total", text);
                break;
            case op::kSubtotal:
                said = Joined("subtotal", text);
                break;
            case op::kRule:
                said = "rule";
                break;
            case op::kConversion:
                said = Joined(op_shown == "=" ? "conversion: equals" : "conversion:", text);
                break;
            default:  // an inserted line, not keyed yet
                said = Joined("inserted line", text);
                break;
        }
    }
    if (selected) said += ", selected";
    return said;
}

std::string SpokenRow(const Calc& calc, int row) {
    const int line = calc.view().top_line() + row;
    if (row < 0 || row >= static_cast<int>(calc.view().rows().size()) || line < 0 ||
        line > calc.tape().UpperBound()) {
        return "empty";
    }
    const int low =
        std::min(calc.view().selection().start_line(), calc.view().selection().end_line());
    const int high =
        std::max(calc.view().selection().start_line(), calc.view().selection().end_line());
    const bool selected = calc.view().selection().selecting() && line >= low && line <= high;
    const Row& shown = calc.view().rows()[row];
    return SpokenLine(calc.tape()[line].Op, shown.text, shown.op, selected);
}

std::string SpokenTotal(const Calc& calc) {
    return Joined("total", calc.display().text);
}

}  // namespace tallymar
