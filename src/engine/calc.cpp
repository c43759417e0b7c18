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

Calc::Calc(Ports ports, NumberSymbols symbols) : ports_(ports), symbols_(std::move(symbols)) {}

void Calc::Start(int max_row) {
    const Step step(*this);
    tape_.Reset({TapeLine{}});
    view_.SetLastRow(0);
    view_.Fit(max_row);
    view_.row(0) = Row{};
    view_.row(0).SetColours(colours_.CurPosClr, colours_.CurTapClr);
    total_fore_ = options_.CalcMode ? kCalcModeColour : kAdderModeColour;
    DecimalOptionClick(OptionIndexOfCode(options_.DecimalCode));
    BuildNewTape(true);
    tape_.ForgetHistory();  // the tape the program starts with has nothing to undo
}

void Calc::BuildNewTape(bool quiet) {
    const Step step(*this);
    view_.SetLastRow(0);
    view_.row(0).SetText("");
    view_.row(0).op.clear();
    view_.SetTopLine(0);
    CurLine = 0;
    Accumulator = 0;
    EditingOld = EditMode = UpPending = DownPending = false;
    view_.selection().Clear();
    view_.Unpark();
    TapeLine first;
    first.Op = op::kRule;
    first.Decimals = options_.DecimalCode;
    tape_.Resize(1);
    tape_.Edit(0) = first;
    AddTapeLine();
    StrikeTotal(!quiet);
    MarkTapeUnchanged();
    view_.UpdateScroller();
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
    if (row < 0 || row > view_.last_row()) return;
    Row& box = view_.row(row);
    if (box.text != text && !box.locked) {
        box.text = text;
        TapeChanged = true;  // committed when the row is left
        // A comment keeps what the box holds (Delete works in the box itself).
        const int line = view_.top_line() + row;
        if (row == view_.focus_row() && line <= UpperBound() && tape_[line].Op == op::kComment) {
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
    if (shift_state != shift::kShift || row < 0 || row > view_.last_row()) return;
    Selection& selection = view_.selection();
    if (selection.selecting()) {
        selection.StopSelecting();
        selection.Hide();
        view_.ShowTape();
    } else {
        // The clicked line is the whole selection until a drag extends it, so that
        // Delete or Copy right after the click never works on a stale range.
        selection.Begin(view_.top_line() + row);
        ClampSelection();
    }
}

void Calc::MouseMove(int row, int button, int shift_state, double y_twips) {
    const Step step(*this);
    if (shift_state != shift::kShift || button != kLeftButton || row < 0 || row > view_.last_row())
        return;
    int rows_moved = static_cast<int>(std::lround(y_twips)) / kRowHeightTwips;
    view_.selection().ExtendTo(view_.top_line() + row + rows_moved);
    ClampSelection();
    if (view_.selection().end_line() - view_.top_line() >= view_.last_row()) {
        MoveDown(view_.last_row());
    }
}

LineRange Calc::LinesToPrint(bool selection) const {
    if (!selection) return {0, UpperBound()};
    return view_.selection().range();
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
