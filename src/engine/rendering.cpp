// Drawing the visible lines into the rows, and the number formats behind it.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/line_look.h"
#include "engine/tape_status.h"
#include "engine/text_codec.h"

namespace tallymar {

std::string Calc::GetNumberFormat(int decimal_code) {
    if (decimal_code >= 0 && decimal_code <= kFloatingDecimals) AutoDecimal = false;
    if (decimal_code == kAutoDecimals) AutoDecimal = true;
    return PatternOf(decimal_code);
}

std::string Calc::status_text() const {
    return StatusText(StatusOf(tape_.lines()), PatternOf(options_.DecimalCode), symbols_);
}

void Calc::SpeakStatus() {
    const TapeStatus status = StatusOf(tape_.lines());
    speech_.StatusAsked(status.items,
                        FormatNumber(status.grand_total, PatternOf(options_.DecimalCode), symbols_));
}

void Calc::ShowAccumulator() {
    total_text_ = FormatNumber(Accumulator, NumberFormat, symbols_);
}

LineLook Calc::RowLook(int line, int conversions_before, bool selected) const {
    const LookContext context{Medium::kRow,
                              colours_,
                              symbols_,
                              line > 0 ? tape_[line - 1].Op : ' ',
                              conversions_before,
                              selected,
                              line == UpperBound()};
    return LookOf(tape_[line], context);
}

std::string Calc::ShownText(int line) const {
    return RowLook(line, 0, false).text;
}

bool Calc::ShownLocked(int line) const {
    return RowLook(line, 0, false).locked.value_or(false);
}

int Calc::ConversionsBefore(int line) const {
    return static_cast<int>(
        std::count_if(tape_.lines().begin(), tape_.lines().begin() + std::clamp(line, 0, UpperBound() + 1),
                      [](const TapeLine& l) { return l.Op == op::kConversion; }));
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

// Drawing changes no state the arithmetic reads: the number format and automatic
// decimals follow the decimal buttons, not the lines that happen to be in view.
void Calc::ShowTape() {
    // Counted from the tape's first line, so that a conversion block shows its "="
    // on the same line however the tape is scrolled.
    int conversions = ConversionsBefore(TopLine);
    const int low = std::min(SelStartLine, SelEndLine);
    const int high = std::max(SelStartLine, SelEndLine);
    for (int r = 0; r <= LastRow; ++r) {
        const int index = TopLine + r;
        if (index < 0 || index > UpperBound()) break;
        Show(rows_[r], RowLook(index, conversions, Selecting && index >= low && index <= high));
        if (tape_[index].Op == op::kConversion) ++conversions;
    }
}

void Calc::ApplyColors(const Colours& colours) {
    colours_ = colours;
    if (tape_.empty()) return;  // the tape window has not loaded yet
    for (Row& row : rows_) {
        // A text that is no number counts as 0.
        double number = 0;
        ParseNumber(row.text, symbols_, &number);
        row.fore = ApplyColorsToRow(colours, row.op, number, row.fore).fore;
        row.op_fore = ApplyColorsToRow(colours, row.op, number, row.op_fore).fore;
        row.back = row.op_back = colours.CurTapClr;
    }
    const int r = CurLine - TopLine;
    if (CurLine <= UpperBound() && tape_[CurLine].Op == op::kComment && r >= 0 && r <= LastRow) {
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
