// Edit > Undo and Edit > Redo: the tape's steps taken back and made again, and the
// rows, the total display and the focus brought back to where each step left them.
#include <algorithm>

#include "engine/calc.h"

namespace tallymar {

TapeMarks Calc::Marks() const {
    return {run_.Accumulator, display_.text, run_.PendingOp, view_.FocusLine()};
}

void Calc::MarkTapeChanged(bool changed) {
    TapeChanged = changed;
    if (changed) {
        tape_.MarkUnsaved();
    } else {
        tape_.MarkSaved();
    }
}

void Calc::Undo() {
    const int line = view_.FocusLine();
    if (line >= 0 && line <= UpperBound() && (work_.EditingOld || line == UpperBound()) &&
        view_.FocusBox().text != view_.ShownText(line) && tape_[line].Op != op::kComment) {
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
    run_.Accumulator = marks.accumulator;
    display_.text = marks.total_text;
    run_.PendingOp = marks.pending_op;
    work_.EditingOld = work_.LineAppended = work_.ShiftEnter = false;
    keys_.Reset();
    view_.selection().Clear();
    view_.ForgetKeying();
    view_.Fit(view_.max_row());
    const int line = std::clamp(marks.focus_line, 0, UpperBound());
    const int last_row = view_.last_row();
    const int top = std::clamp(view_.top_line(), std::max(line - last_row, 0), line);
    view_.SetTopLine(std::clamp(top, 0, std::max(UpperBound() - last_row, 0)));
    view_.ShowTape();
    view_.UpdateScroller();
    // The focus goes to its line afresh: nothing is committed on the way.
    keys_.TakeFocusAfresh(line - view_.top_line());
    TapeChanged = !tape_.AtSavedPoint();
}

}  // namespace tallymar
