// The focus moving over the rows: a row left (committing a correction keyed into it),
// a row entered, moves up and down that scroll the tape at its edges, paging.
//
// Focus changes run synchronously: the old row is left first, then the new row is
// entered. A focus move asked for while a row is being left only changes where the
// focus lands, so that a commit on leaving a row and a move still owed can both
// steer it before the new row is entered.
#include <algorithm>
#include <string>
#include <utility>

#include "engine/calc.h"
#include "engine/keyboard_entry.h"
#include "engine/text_codec.h"

namespace tallymar {
namespace {

// Lines a commit leaves as they are: comments, rules and the open line.
bool IsTextOrOpen(char kind) {
    return kind == op::kComment || kind == op::kRule || kind == op::kOpen;
}

}  // namespace

void KeyboardEntry::SetFocus(int row) {
    const Calc::Step step(calc_);
    if (row < 0 || row > view_.last_row()) return;
    if (leaving_row()) {
        view_.SetFocusRow(row);
        return;
    }
    if (view_.focus_parked()) {
        // The focus line is out of view: it is left as it would be on screen, and the
        // line chosen is the one the row shows in the view the user is looking at.
        const int chosen = view_.top_line() + row;
        const int view = view_.top_line();
        view_.BringFocusIntoView();
        if (!LeaveRow(view_.focus_row())) {
            view_.UpdateScroller();  // the amount left cannot be read: its row keeps the focus
            return;
        }
        view_.SetTopLine(std::clamp(view, 0, std::max(tape_.UpperBound() - view_.last_row(), 0)));
        view_.ShowTape();
        view_.SetFocusRow(std::clamp(chosen - view_.top_line(), 0, view_.last_row()));
        GotFocus(view_.focus_row());
        view_.UpdateScroller();
        return;
    }
    if (row == view_.focus_row()) return;
    const int old = view_.focus_row();
    view_.SetFocusRow(row);
    if (old >= 0 && old <= view_.last_row() && !LeaveRow(old)) {
        // The amount left cannot be read: the move waits, as it does at the window's edge.
        view_.SetFocusRow(old);
        return;
    }
    GotFocus(view_.focus_row());
}

bool KeyboardEntry::LeaveRow(int row) {
    const FocusPhase before = focus_phase_;
    focus_phase_ = FocusPhase::kLeaving;
    const bool left = LostFocus(row);
    focus_phase_ = before;
    return left;
}

void KeyboardEntry::TakeFocusAfresh(int row) {
    if (row < 0 || row > view_.last_row()) return;
    GotFocus(row);
}

// The focus stays in the same row but the row shows another line now: its
// got-focus handling runs again.
void KeyboardEntry::RefreshFocus(int row) {
    if (leaving_row() || view_.focus_row() != row) {
        SetFocus(row);
    } else {
        GotFocus(row);
    }
}

void KeyboardEntry::GotFocus(int row) {
    if (row < 0 || row > view_.last_row()) return;
    view_.FocusArrives(row);
    calc_.WorkOn(view_.top_line() + row);
    // Nothing has been keyed in this row yet, so leaving it must not commit it; a
    // comment is being edited only when the line is one (the line that was may be
    // gone, deleted or replaced, without its row having been left).
    calc_.NothingKeyed();
    EditMode = false;
    Row& box = view_.row(row);
    if (view_.selection().selecting()) {
        box.sel_start = box.sel_length = 0;
    } else {
        box.SelectAll();
    }
    if (calc_.cur_line() <= tape_.UpperBound() && tape_[calc_.cur_line()].Op == op::kComment) {
        EditMode = true;
        box.SetText(TrimRightBlanks(EntryShown(tape_[calc_.cur_line()])));
        box.SelectAll();
    }
}

bool KeyboardEntry::LostFocus(int row) {
    const int left_line = view_.top_line() + row;
    bool kept = false;
    // An amount keyed into the open line and left uncommitted stays in its row,
    // however often the rows are drawn before the focus comes back to it.
    const Row& left = view_.row(row);
    if (!calc_.correcting() && left_line == tape_.UpperBound() && !left.text.empty() &&
        tape_[left_line].Op != op::kComment) {
        view_.KeepDraft(left_line, left.text);
    }
    if (calc_.correcting() && left_line <= tape_.UpperBound()) {
        calc_.WorkOn(left_line);
        // The focus is already on its way elsewhere: the commit does not step it down.
        kept = !calc_.CommitLine(row, Calc::AfterCommit::kStay);
    }
    // A comment holds what was typed from the first key on; leaving it ends its
    // editing, and a new comment at the end of the tape gets an open line after it.
    EditMode = false;
    if (!tape_.empty() && tape_.back().Op == op::kComment) {
        const int chosen = view_.top_line() + view_.focus_row();
        calc_.AddTapeLine();
        if (chosen < view_.top_line()) {
            view_.SetTopLine(chosen);  // the line chosen stays in view although the tape grew
            view_.ShowTape();
        }
        view_.SetFocusRow(std::clamp(chosen - view_.top_line(), 0, view_.last_row()));
    }
    // A move still owed goes from the line left, in whichever row the tape's growing
    // has scrolled it to, so that the window's height does not change where it lands.
    if (const int now = left_line - view_.top_line(); now >= 0 && now <= view_.last_row()) {
        row = now;
    }
    if (UpPending) {
        MoveUp(row);
        UpPending = false;
    }
    if (DownPending) {
        MoveDown(row);
        DownPending = false;
    }
    return !kept;
}

void KeyboardEntry::MoveUp(int row) {
    if (row >= 1) {
        SetFocus(row - 1);
    } else if (calc_.correcting() && view_.top_line() <= tape_.UpperBound() &&
               !IsTextOrOpen(tape_[view_.top_line()].Op)) {
        // A correction keyed in the top row is committed before the tape scrolls
        // under it; the commit steps down a row and the move still owed goes up.
        calc_.WorkOn(view_.top_line());
        calc_.CommitLine(0);
    } else {
        if (view_.top_line() > 0) view_.SetTopLine(view_.top_line() - 1);
        view_.ShowTape();
        RefreshFocus(0);
        UpPending = false;
    }
    view_.UpdateScroller();
}

void KeyboardEntry::MoveDown(int row) {
    if (row < view_.last_row()) {
        SetFocus(row + 1);
    } else if (calc_.correcting() && view_.top_line() + row <= tape_.UpperBound() &&
               !IsTextOrOpen(tape_[view_.top_line() + row].Op)) {
        // As in MoveUp: the commit's own step down scrolls the tape (a comment is not
        // committed, so leaving it scrolls the tape as any other row does).
        calc_.WorkOn(view_.top_line() + row);
        calc_.CommitLine(row);
        DownPending = false;
    } else {
        const bool scrolls = view_.top_line() + view_.last_row() + 1 <= tape_.UpperBound();
        if (scrolls) view_.SetTopLine(view_.top_line() + 1);
        // Down on the open line, with nothing below it, keeps what was keyed there.
        const bool keeps = !scrolls && row == view_.focus_row() && !view_.focus_parked();
        const std::string keyed = view_.row(row).text;
        view_.ShowTape();
        if (keeps && tape_.back().Op != op::kComment) view_.row(row).text = keyed;
        RefreshFocus(view_.last_row());
        DownPending = false;
    }
    view_.UpdateScroller();
}

void KeyboardEntry::PageTo(int row, int key_code) {
    if (row >= 0 && row <= view_.last_row()) {
        // A correction is committed while its row still shows its line.
        LeaveRow(row);
    }
    const int last_top = std::max(tape_.UpperBound() - view_.last_row(), 0);
    int top = 0;
    int to_row = 0;
    switch (key_code) {
        case key::kPageUp:
            top = view_.top_line() - view_.last_row();
            break;
        case key::kPageDown:
            top = view_.top_line() + view_.last_row();
            to_row = view_.last_row();
            break;
        case key::kEnd:
            top = last_top;
            to_row = view_.last_row();
            break;
        default:  // Home
            break;
    }
    view_.SetTopLine(std::clamp(top, 0, last_top));
    view_.ShowTape();
    GotFocus(std::clamp(to_row, 0, view_.last_row()));
}

void KeyboardEntry::FocusOpenLine() {
    if (!view_.focus_parked() && view_.top_line() + view_.last_row() == tape_.UpperBound()) {
        SetFocus(view_.last_row());
    } else {
        view_.BringFocusIntoView();
        PageTo(view_.focus_row(), key::kEnd);
        view_.UpdateScroller();
    }
}

void KeyboardEntry::Reset() {
    EditMode = UpPending = DownPending = false;
}

}  // namespace tallymar
