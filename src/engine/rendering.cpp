// Drawing the visible lines into the rows, and the number formats behind it.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/line_look.h"
#include "engine/tape_status.h"
#include "engine/text_codec.h"

namespace tallymar {
namespace {

// The colour dialog's Apply: every row recoloured as ApplyColorsToRow says, its
// text (a number or not, as it stands) kept.
void RecolourRows(TapeView& view, const Colours& colours, const NumberSymbols& symbols) {
    for (int r = 0; r <= view.last_row(); ++r) {
        Row& row = view.row(r);
        // A text that is no number counts as 0.
        double number = 0;
        ParseNumber(row.text, symbols, &number);
        row.fore = ApplyColorsToRow(colours, row.op, number, row.fore).fore;
        row.op_fore = ApplyColorsToRow(colours, row.op, number, row.op_fore).fore;
        row.back = row.op_back = colours.CurTapClr;
    }
}

}  // namespace

std::string Calc::GetNumberFormat(int decimal_code) {
    run_.AutoDecimal = decimal_code == kAutoDecimals;
    return PatternOf(decimal_code);
}

std::string StatusText(const Calc& calc) {
    return StatusText(StatusOf(calc.tape().lines()), PatternOf(calc.options().DecimalCode),
                      calc.symbols());
}

void Calc::SpeakStatus() {
    const TapeStatus status = StatusOf(tape_.lines());
    speech_.StatusAsked(
        status.items, FormatNumber(status.grand_total, PatternOf(options_.DecimalCode), symbols_));
}

void Calc::ShowAccumulator() {
    display_.text = FormatNumber(run_.Accumulator, run_.NumberFormat, symbols_);
}

void Calc::ApplyColors(const Colours& colours) {
    colours_ = colours;
    if (tape_.empty()) return;  // the tape window has not loaded yet
    RecolourRows(view_, colours_, symbols_);
    const int r = work_.CurLine - view_.top_line();
    if (work_.CurLine <= UpperBound() && tape_[work_.CurLine].Op == op::kComment && r >= 0 &&
        r <= view_.last_row()) {
        view_.row(r).fore = view_.row(r).op_fore = colours.CurTxtClr;
    }
}

}  // namespace tallymar
