// Calculator mode: "+" and "-" belong to the amount keyed after them, as on a
// pocket calculator. The open line carries the operator its amount will take.
#include "engine/calc.h"

namespace tallymar {
namespace {

// An operator held as text, as a line's one-character Op (an empty text is a blank).
char OpChar(const std::string& text) {
    return text.empty() ? ' ' : text[0];
}

}  // namespace

void Calc::CommitLineCalc(int row) {
    TapeChanged = true;
    const bool correcting = work_.EditingOld;
    // The operator the open line's amount will take. A correction above the open line
    // leaves it as it is, unless the corrected line is the one right above it: the key
    // then belongs to the open line's amount.
    const std::string open_pending = run_.PendingOp;
    if (correcting) {
        run_.PendingOp = std::string(1, tape_[work_.CurLine].Op);
    } else if (run_.PendingOp.empty()) {
        run_.PendingOp = "+";
    }
    auto show_pending = [&](int r) {
        if (r < 0 || r > view_.last_row()) return;
        view_.row(r).op = run_.PendingOp;
        view_.row(r).op_fore = run_.PendingOp == "-" ? colours_.CurNegClr : colours_.CurPosClr;
    };
    if (view_.row(row).text.empty()) {
        // No amount keyed: the key only chooses the operator of the amount to come.
        run_.PendingOp = run_.CalcOp;
        tape_.Edit(work_.CurLine).Op = OpChar(run_.PendingOp);
        show_pending(row);
        if (correcting) run_.PendingOp = open_pending;
        return;
    }
    tape_.Edit(work_.CurLine).Op = OpChar(run_.PendingOp);
    const char line_op = tape_[work_.CurLine].Op;
    if (line_op != op::kComment && line_op != op::kRule && line_op != op::kOpen) {
        AutoPoint(row);
        if (row == work_.CurLine - view_.top_line()) {
            if (work_.CurLine < 1) {
                // The first line's amount is not read; the line keeps the amount it had.
                double kept = tape_[work_.CurLine].Amount;
                ShowCommittedText(row);
                tape_.Edit(work_.CurLine).Amount = kept;
            } else {
                ShowCommittedText(row);
            }
        }
    }
    if (correcting) {
        // The key belongs to the amount on the next line, unless that is a total.
        const int next = work_.CurLine + 1;
        if (next <= UpperBound() && tape_[next].Op != op::kTotal)
            tape_.Edit(next).Op = OpChar(run_.CalcOp);
        run_.PendingOp = next == UpperBound() ? run_.CalcOp : open_pending;
        RecalcFromLastTotal();
        work_.EditingOld = false;  // committed: leaving the row must not commit it again
        keys_.MoveDown(row);
    } else {
        ApplyLine();
        const bool in_last_row = row == view_.last_row();
        if (in_last_row && !work_.LineAppended) AddTapeLine();
        if (in_last_row && work_.LineAppended) view_.row(row).SetText("");
        // Taken before the focus moves: the row that gets the focus takes CurLine along.
        const int pending_line = work_.CurLine;
        if (!in_last_row) keys_.FocusOpenLine();
        // The open line shows the operator its amount will take, wherever its row is.
        run_.PendingOp = run_.CalcOp;
        tape_.Edit(pending_line).Op = OpChar(run_.CalcOp);
        show_pending(pending_line - view_.top_line());
    }
    work_.EditingOld = false;
    work_.LineAppended = false;
}

}  // namespace tallymar
