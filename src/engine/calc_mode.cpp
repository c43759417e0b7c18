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
    if (work_.EditingOld) {
        run_.PendingOp = std::string(1, tape_[work_.CurLine].Op);
    } else if (run_.PendingOp.empty()) {
        run_.PendingOp = "+";
    }
    auto show_pending = [&](int r) {
        view_.row(r).op = run_.PendingOp;
        view_.row(r).op_fore = run_.PendingOp == "-" ? colours_.CurNegClr : colours_.CurPosClr;
    };
    if (view_.row(row).text.empty()) {
        // No amount keyed: the key only chooses the operator of the amount to come.
        run_.PendingOp = run_.CalcOp;
        tape_.Edit(work_.CurLine).Op = OpChar(run_.PendingOp);
        show_pending(row);
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
    // Whether the correction is still open after the recomputation (it struck a total
    // below), and the line that is to carry the pending operator; both are taken before
    // the focus moves, since the row that gets the focus takes CurLine along.
    bool still_editing = false;
    int pending_line = work_.CurLine;
    const bool correcting = work_.EditingOld;
    if (correcting) {
        if (work_.CurLine + 1 <= UpperBound() && tape_[work_.CurLine + 1].Op != op::kTotal) {
            run_.PendingOp = run_.CalcOp;
            tape_.Edit(work_.CurLine + 1).Op = OpChar(run_.CalcOp);
        }
        still_editing = RecalcFromLastTotal();
        pending_line = work_.CurLine;
        work_.EditingOld = false;  // committed: leaving the row must not commit it again
        keys_.MoveDown(row);
    } else {
        ApplyLine();
        const bool in_last_row = row == view_.last_row();
        if (in_last_row && !work_.LineAppended) AddTapeLine();
        if (in_last_row && work_.LineAppended) view_.row(row).SetText("");
        pending_line = work_.CurLine;
        if (!in_last_row) keys_.FocusOpenLine();
    }
    // A product or quotient keyed after a sum can be the tape's last line, holding its
    // amount until the next one is keyed: a correction above keeps its operator and so
    // its figure, rather than making it look like an empty open line.
    const char pending_kind = tape_[pending_line].Op;
    const bool holds_amount =
        correcting && (pending_kind == op::kTimes || pending_kind == op::kDivide);
    if (!still_editing && !holds_amount) {
        run_.PendingOp = run_.CalcOp;
        tape_.Edit(pending_line).Op = OpChar(run_.CalcOp);
        // The open line shows the operator its amount will take, wherever its row is.
        int r = pending_line - view_.top_line();
        if (r >= 0 && r <= view_.last_row()) show_pending(r);
    }
    work_.EditingOld = false;
    work_.LineAppended = false;
}

}  // namespace tallymar
