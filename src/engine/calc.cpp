// Start-up, new tapes, the rows of the window, the decimal buttons and mouse selection.
#include "engine/calc.h"

#include "engine/text_codec.h"

#include <algorithm>
#include <cmath>

namespace tallymar {
namespace {

int OptionIndexOfCode(int code) {
    switch (code) {
        case 0:
            return 1;
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
        case 4:
            return 4;
        case 5:
        case 6:
            return 5;
        case 17:
            return 6;
        default:
            return 0;
    }
}

}  // namespace

Calc::Calc(Ports ports, NumberSymbols symbols) : ports_(ports), symbols_(std::move(symbols)) {
    rows_.emplace_back();
    focus_row_ = -1;
}

void Calc::Start(int max_row) {
    const Step step(*this);
    MaxRow = max_row;
    tape_.Reset({TapeLine{}});
    rows_.resize(1);
    rows_[0] = Row{};
    rows_[0].SetColours(colours_.CurPosClr, colours_.CurTapClr);
    total_fore_ = options_.CalcMode ? kCalcModeColour : kAdderModeColour;
    DecimalOptionClick(OptionIndexOfCode(options_.DecimalCode));
    BuildNewTape(true);
    tape_.ForgetHistory();  // the tape the program starts with has nothing to undo
}

void Calc::RemoveRowsBelowFirst() {
    while (LastRow > 0) RemoveLastRow();
}

void Calc::BuildNewTape(bool quiet) {
    const Step step(*this);
    RemoveRowsBelowFirst();
    rows_[0].SetText("");
    rows_[0].op.clear();
    LastRow = CurLine = TopLine = 0;
    Accumulator = 0;
    EditingOld = EditMode = UpPending = DownPending = false;
    Selecting = SelectionShown = false;
    SelStartLine = SelEndLine = 0;
    parked_line_ = -1;
    TapeLine first;
    first.Op = op::kRule;
    first.Decimals = options_.DecimalCode;
    tape_.Resize(1);
    tape_.Edit(0) = first;
    AddTapeLine();
    StrikeTotal(!quiet);
    MarkTapeUnchanged();
    UpdateScroller();
}

void Calc::AddRow() {
    Row row;
    row.SetColours(colours_.CurPosClr, colours_.CurTapClr);
    rows_.push_back(std::move(row));
}

void Calc::RemoveLastRow() {
    if (LastRow == 0) return;
    if (focus_row_ == LastRow) focus_row_ = -1;  // the box that had the focus is gone
    rows_.pop_back();
    --LastRow;
}

void Calc::DecimalOptionClick(int index) {
    const Step step(*this);
    if (index < 0 || index > 6) return;
    decimal_option_ = index;
    options_.DecimalCode = static_cast<std::int16_t>(kDecimalOptionCodes[index]);
    NumberFormat = GetNumberFormat(options_.DecimalCode);
    ShowAccumulator();
    FocusOpenLine();
}

void Calc::BoxEdited(int row, const std::string& text, int sel_start, int sel_length) {
    const Step step(*this);
    if (row < 0 || row > LastRow) return;
    Row& box = rows_[row];
    if (box.text != text && !box.locked) {
        box.text = text;
        TapeChanged = true;  // committed when the row is left
        // A comment keeps what the box holds (Delete works in the box itself).
        const int line = TopLine + row;
        if (row == focus_row_ && line <= UpperBound() && tape_[line].Op == op::kComment) {
            SetEntry(tape_.Edit(line), box.text);
        }
    }
    const int length = Utf8Length(box.text);
    box.sel_start = std::clamp(sel_start, 0, length);
    box.sel_length = std::clamp(sel_length, 0, length - box.sel_start);
}

void Calc::SetCalcMode(bool calc_mode) {
    options_.CalcMode = calc_mode;
    total_fore_ = calc_mode ? kCalcModeColour : kAdderModeColour;
}

void Calc::MouseDown(int row, int shift_state) {
    const Step step(*this);
    if (shift_state != shift::kShift || row < 0 || row > LastRow) return;
    if (Selecting) {
        Selecting = SelectionShown = false;
        ShowTape();
    } else {
        Selecting = SelectionShown = true;
        // The clicked line is the whole selection until a drag extends it, so that
        // Delete or Copy right after the click never works on a stale range.
        SelStartLine = SelEndLine = TopLine + row;
        ClampSelection();
    }
}

void Calc::MouseMove(int row, int button, int shift_state, double y_twips) {
    const Step step(*this);
    if (shift_state != shift::kShift || button != kLeftButton || row < 0 || row > LastRow) return;
    int rows_moved = static_cast<int>(std::lround(y_twips)) / kRowHeightTwips;
    SelEndLine = TopLine + row + rows_moved;
    ClampSelection();
    if (SelEndLine - TopLine >= LastRow) MoveDown(LastRow);
}

LineRange Calc::LinesToPrint(bool selection) const {
    if (!selection) return {0, UpperBound()};
    return {std::min(SelStartLine, SelEndLine), std::max(SelStartLine, SelEndLine)};
}

Answer Calc::Tell(const std::string& text, Buttons buttons, Icon icon, Answer default_answer,
                  const std::string& title) {
    return ports_.dialogs.ShowMessage(Message{title, text, buttons, icon, default_answer});
}

bool Calc::RefuseIfFull(int count) {
    if (static_cast<int>(tape_.size()) + count <= kMaxLines) return false;
    Tell("The tape is full. Save it and start a new tape.", Buttons::kOk, Icon::kExclamation);
    return true;
}

}  // namespace tallymar
