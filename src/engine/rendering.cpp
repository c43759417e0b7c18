// Drawing the visible lines into the rows, and the number formats behind it.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/line_look.h"
#include "engine/text_codec.h"

namespace tallymar {

std::string Calc::GetNumberFormat(int decimal_code) {
    if (decimal_code >= 0 && decimal_code <= kFloatingDecimals) AutoDecimal = false;
    if (decimal_code == kAutoDecimals) AutoDecimal = true;
    return PatternOf(decimal_code);
}

std::string Calc::FormatAmount(double value, int decimal_code) const {
    return FormatNumber(value, PatternOf(decimal_code), symbols_);
}

void Calc::ShowAccumulator() {
    total_text_ = FormatNumber(Accumulator, NumberFormat, symbols_);
}

std::string Calc::ShownText(int line) const {
    const TapeLine& l = Tape[line];
    switch (l.Op) {
        case op::kOpen:
            return "";
        case op::kComment:
            return TrimLeftBlanks(EntryShown(l));
        case op::kConversion:
            return TrimRightBlanks(EntryShown(l));
        case op::kRule:
            return kRuleText;
        default:
            return FormatAmount(l.Amount, l.Decimals);
    }
}

void Calc::ShowTape() {
    const Colours& c = colours_;
    int conversion_rows = 0;
    int low = std::min(SelStartLine, SelEndLine);
    int high = std::max(SelStartLine, SelEndLine);
    for (int r = 0; r <= LastRow; ++r) {
        int index = TopLine + r;
        if (index < 0 || index > UpperBound()) break;
        const TapeLine& line = Tape[index];
        Row& row = rows_[r];
        if (line.Op != op::kComment) {
            NumberFormat = GetNumberFormat(line.Decimals);
            row.op = std::string(1, line.Op);
            row.SetText(FormatNumber(line.Amount, NumberFormat, symbols_));
        }
        Colour by_sign = line.Amount >= 0 ? c.CurPosClr : c.CurNegClr;
        auto style = [&](int size, bool bold, bool locked, Colour fore) {
            row.font_size = size;
            row.bold = bold;
            row.locked = locked;
            row.SetColours(fore, c.CurTapClr);
        };
        switch (line.Op) {
            case op::kOpen:
                row.SetText("");
                row.op.clear();
                row.bold = false;
                row.locked = false;
                row.SetColours(c.CurPosClr, c.CurTapClr);
                break;
            case op::kComment:
                row.SetText(TrimLeftBlanks(EntryShown(line)));
                row.op.clear();
                style(12, false, false, c.CurTxtClr);
                break;
            case op::kConversion:
                row.SetText(TrimRightBlanks(EntryShown(line)));
                ++conversion_rows;
                row.op = conversion_rows % 4 == 2 ? "=" : "";
                row.font_size = 10;
                break;
            case op::kRule:
                row.SetText(kRuleText);
                row.op.clear();
                style(12, false, true, c.CurPosClr);
                row.op_locked = true;
                break;
            case '*':
            case '/':
                if (index > 0 && op::IsSum(Tape[index - 1].Op)) {
                    style(10, true, true, by_sign);
                } else {
                    style(12, false, false, by_sign);
                }
                break;
            case op::kTotal:
            case op::kSubtotal:
                style(10, true, true, by_sign);
                break;
            case '-':
                style(12, false, false, c.CurNegClr);
                break;
            default:
                style(12, false, false, c.CurPosClr);
                break;
        }
        if (Selecting && index >= low && index <= high) {
            row.SetColours(kSelectionFore, kSelectionBack);
        }
    }
}

void Calc::ApplyColors(const Colours& colours) {
    colours_ = colours;
    if (Tape.empty()) return;  // the tape window has not loaded yet
    for (Row& row : rows_) {
        // A text that is no number counts as 0.
        double number = 0;
        ParseNumber(row.text, symbols_, &number);
        row.fore = ApplyColorsToRow(colours, row.op, number, row.fore).fore;
        row.op_fore = ApplyColorsToRow(colours, row.op, number, row.op_fore).fore;
        row.back = row.op_back = colours.CurTapClr;
    }
    const int r = CurLine - TopLine;
    if (CurLine <= UpperBound() && Tape[CurLine].Op == op::kComment && r >= 0 && r <= LastRow) {
        rows_[r].fore = rows_[r].op_fore = colours.CurTxtClr;
    }
}

void Calc::HighlightCommentRow() {
    int r = CurLine - TopLine;
    if (r < 0 || r > LastRow) return;
    rows_[r].SetColours(colours_.CurTxtClr, kCommentTypingBack);
}

void Calc::ClampSelection() {
    SelStartLine = std::clamp(SelStartLine, 0, UpperBound());
    SelEndLine = std::clamp(SelEndLine, 0, UpperBound());
    ShowTape();
}

}  // namespace tallymar
