// Drawing the visible lines into the rows, and the number formats behind it.
#include <algorithm>
#include <optional>
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
    LookContext context{Medium::kRow, colours_, symbols_};
    context.open_line = line == UpperBound();
    return LookOf(Tape[line], context).text;
}

namespace {

// A row takes the look of the line it shows; what the look leaves unset stays as the
// row had it.
void Show(Row& row, LineLook&& look) {
    row.text = std::move(look.text);
    row.sel_start = row.sel_length = 0;
    row.op = std::move(look.op);
    row.align_left = look.align_left;
    if (look.font_size) row.font_size = *look.font_size;
    if (look.bold) row.bold = *look.bold;
    if (look.locked) row.locked = *look.locked;
    if (look.op_locked) row.op_locked = *look.op_locked;
    if (look.fore) row.fore = row.op_fore = *look.fore;
    if (look.back) row.back = row.op_back = *look.back;
}

}  // namespace

void Calc::ShowTape() {
    int conversions = 0;
    const int low = std::min(SelStartLine, SelEndLine);
    const int high = std::max(SelStartLine, SelEndLine);
    // The decimal codes of the last line drawn that has one, and of the last whose code
    // is one of the decimal codes.
    std::optional<int> last_code;
    std::optional<int> last_known_code;
    for (int r = 0; r <= LastRow; ++r) {
        const int index = TopLine + r;
        if (index < 0 || index > UpperBound()) break;
        const TapeLine& line = Tape[index];
        if (line.Op != op::kComment) {
            last_code = line.Decimals;
            if (line.Decimals >= 0 && line.Decimals <= kMaxDecimalCode) {
                last_known_code = line.Decimals;
            }
        }
        const LookContext context{Medium::kRow,
                                  colours_,
                                  symbols_,
                                  index > 0 ? Tape[index - 1].Op : ' ',
                                  conversions,
                                  Selecting && index >= low && index <= high,
                                  index == UpperBound()};
        Show(rows_[r], LookOf(line, context));
        if (line.Op == op::kConversion) ++conversions;
    }
    // The number format follows the lines drawn: the total display goes by the last
    // one, and automatic decimals by the last with a decimal code.
    if (last_known_code) GetNumberFormat(*last_known_code);
    if (last_code) NumberFormat = GetNumberFormat(*last_code);
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
    rows_[r].align_left = true;
}

void Calc::ClampSelection() {
    SelStartLine = std::clamp(SelStartLine, 0, UpperBound());
    SelEndLine = std::clamp(SelEndLine, 0, UpperBound());
    ShowTape();
}

}  // namespace tallymar
