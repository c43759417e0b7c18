// Edit > Undo and Edit > Redo: the tape's steps taken back and made again, and the
// rows, the total display and the focus brought back to where each step left them.
#include <algorithm>

#include "engine/calc.h"

namespace tallymar {

TapeMarks Calc::Marks() const {
    return {Accumulator, total_text_, PendingOp, FocusLine()};
}

void Calc::MarkTapeUnchanged() {
    TapeChanged = false;
    tape_.MarkSaved();
}

void Calc::MarkTapeChanged() {
    TapeChanged = true;
    tape_.MarkUnsaved();
}

void Calc::Undo() {
    const int line = FocusLine();
    if (line >= 0 && line <= UpperBound() && (EditingOld || line == UpperBound()) &&
        FocusBox().text != ShownText(line) && tape_[line].Op != op::kComment) {
        // Keying not yet committed is dropped first, as a text box undoes typing.
        RestoreMarks(Marks());
        return;
    }
    if (!tape_.CanUndo()) {
        ports_.desktop.Beep();
        return;
    }
    RestoreMarks(tape_.Undo());
}

void Calc::Redo() {
    if (!tape_.CanRedo()) {
        ports_.desktop.Beep();
        return;
    }
    RestoreMarks(tape_.Redo());
}

void Calc::RestoreMarks(const TapeMarks& marks) {
    Accumulator = marks.accumulator;
    total_text_ = marks.total_text;
    PendingOp = marks.pending_op;
    EditingOld = EditMode = LineAppended = ShiftEnter = UpPending = DownPending = false;
    Selecting = SelectionShown = false;
    SelStartLine = SelEndLine = 0;
    parked_line_ = -1;
    // As many rows as fit, but never a row without a line to show.
    const int last_row = std::max(std::min(MaxRow, UpperBound() + 1), 1) - 1;
    while (LastRow > last_row) RemoveLastRow();
    while (LastRow < last_row) {
        AddRow();
        ++LastRow;
    }
    const int line = std::clamp(marks.focus_line, 0, UpperBound());
    TopLine = std::clamp(TopLine, std::max(line - LastRow, 0), line);
    TopLine = std::clamp(TopLine, 0, std::max(UpperBound() - LastRow, 0));
    ShowTape();
    UpdateScroller();
    // The focus goes to its line afresh: nothing is committed on the way.
    TakeFocusAfresh(line - TopLine);
    TapeChanged = !tape_.AtSavedPoint();
}

}  // namespace tallymar
