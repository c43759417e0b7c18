// Keyboard entry: the rows' key-down, key-press and focus events, moving over
// the tape, comments, and Shift selection.
//
// Focus changes run synchronously: the old row's lost-focus handling first, then
// the new row's got-focus handling. A focus move requested while a lost-focus
// handler runs only changes where the focus lands, so that a commit on leaving a
// row and a move still owed can both steer it before the new row is told.
#include <algorithm>
#include <string>
#include <utility>

#include "engine/calc.h"
#include "engine/line_arithmetic.h"
#include "engine/text_codec.h"

namespace tallymar {
namespace {

constexpr int kCommentLimit = 15;
constexpr const char* kNumLockText =
    "The Num Lock key was pressed.  The Tallymar requires the Num Lock to be on at all "
    "times.\nIf it is off, please press the OK below and then press the Num Lock key to turn "
    "it on.";
constexpr const char* kAltText =
    "Pressing the ALT key halts the voice callback. Do you wish to continue?";
constexpr const char* kLockedText = "The Tallymar will not allow you to edit a total.";

// Lines a commit leaves as they are: comments, rules and the open line.
bool IsTextOrOpen(char kind) {
    return kind == op::kComment || kind == op::kRule || kind == op::kOpen;
}

bool Contains(const std::string& text, char32_t c) {
    return text.find(static_cast<char>(c)) != std::string::npos;
}

}  // namespace

void Calc::SetFocus(int row) {
    const Step step(*this);
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
        LeaveRow(view_.focus_row());
        view_.SetTopLine(std::clamp(view, 0, std::max(UpperBound() - view_.last_row(), 0)));
        view_.ShowTape();
        view_.SetFocusRow(std::clamp(chosen - view_.top_line(), 0, view_.last_row()));
        GotFocus(view_.focus_row());
        view_.UpdateScroller();
        return;
    }
    if (row == view_.focus_row()) return;
    const int old = view_.focus_row();
    view_.SetFocusRow(row);
    if (old >= 0 && old <= view_.last_row()) {
        LeaveRow(old);
    }
    GotFocus(view_.focus_row());
}

void Calc::LeaveRow(int row) {
    const FocusPhase before = focus_phase_;
    focus_phase_ = FocusPhase::kLeaving;
    LostFocus(row);
    focus_phase_ = before;
}

void Calc::TakeFocusAfresh(int row) {
    if (row < 0 || row > view_.last_row()) return;
    GotFocus(row);
}

// The focus stays in the same row but the row shows another line now: its
// got-focus handling runs again.
void Calc::RefreshFocus(int row) {
    if (leaving_row() || view_.focus_row() != row) {
        SetFocus(row);
    } else {
        GotFocus(row);
    }
}

void Calc::GotFocus(int row) {
    if (row < 0 || row > view_.last_row()) return;
    view_.FocusArrives(row);
    CurLine = view_.top_line() + row;
    // Nothing has been keyed in this row yet, so leaving it must not commit it; a
    // comment is being edited only when the line is one (the line that was may be
    // gone, deleted or replaced, without its row having been left).
    EditingOld = false;
    EditMode = false;
    Row& box = view_.row(row);
    if (view_.selection().selecting()) {
        box.sel_start = box.sel_length = 0;
    } else {
        box.SelectAll();
    }
    if (CurLine <= UpperBound() && tape_[CurLine].Op == op::kComment) {
        EditMode = true;
        box.SetText(TrimRightBlanks(EntryShown(tape_[CurLine])));
        box.SelectAll();
    }
}

void Calc::LostFocus(int row) {
    const int left_line = view_.top_line() + row;
    if (EditingOld && view_.top_line() + row <= UpperBound()) {
        CurLine = view_.top_line() + row;
        // The focus is already on its way elsewhere: the commit does not step it down.
        CommitLine(row, AfterCommit::kStay);
    }
    // A comment holds what was typed from the first key on; leaving it ends its
    // editing, and a new comment at the end of the tape gets an open line after it.
    EditMode = false;
    if (!tape_.empty() && tape_.back().Op == op::kComment) {
        const int chosen = view_.top_line() + view_.focus_row();
        AddTapeLine();
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
}

// The row with the focus is left while it still shows its line, as it would be in
// a window tall enough to move the focus instead of scrolling the tape under it.
void Calc::LeaveBeforeScroll(int row) {
    if (view_.focus_row() != row || view_.focus_parked() || leaving_row()) return;
    // The moves still owed are made by the scroll itself.
    const bool up = std::exchange(UpPending, false);
    const bool down = std::exchange(DownPending, false);
    LeaveRow(row);
    view_.SetFocusRow(row);
    UpPending = up;
    DownPending = down;
}

void Calc::MoveUp(int row) {
    if (row >= 1) {
        SetFocus(row - 1);
    } else if (EditingOld && view_.top_line() <= UpperBound() &&
               !IsTextOrOpen(tape_[view_.top_line()].Op)) {
        // A correction keyed in the top row is committed before the tape scrolls
        // under it; the commit steps down a row and the move still owed goes up.
        CurLine = view_.top_line();
        CommitLine(0);
    } else {
        if (view_.top_line() > 0) {
            LeaveBeforeScroll(0);
            view_.SetTopLine(view_.top_line() - 1);
        } else {
            UpPending = false;
        }
        view_.ShowTape();
        RefreshFocus(0);
        UpPending = false;
    }
    view_.UpdateScroller();
}

void Calc::MoveDown(int row) {
    if (row < view_.last_row()) {
        SetFocus(row + 1);
    } else if (EditingOld && view_.top_line() + row <= UpperBound() &&
               !IsTextOrOpen(tape_[view_.top_line() + row].Op)) {
        // As in MoveUp: the commit's own step down scrolls the tape (a comment is not
        // committed, so leaving it scrolls the tape as any other row does).
        CurLine = view_.top_line() + row;
        CommitLine(row);
        DownPending = false;
    } else {
        if (view_.top_line() + view_.last_row() + 1 <= UpperBound()) {
            LeaveBeforeScroll(view_.last_row());
            view_.SetTopLine(view_.top_line() + 1);
        }
        view_.ShowTape();
        RefreshFocus(view_.last_row());
        DownPending = false;
    }
    view_.UpdateScroller();
}

bool Calc::IsNumericKey(char32_t character, const Row& box) const {
    if (character == character::kBackspace || character == character::kTab ||
        character == character::kEnter) {
        return true;
    }
    if (character >= '0' && character <= '9') return true;
    std::string typed;
    AppendUtf8(typed, character);
    if (character == '.' || character == ',' || typed == symbols_.decimal) {
        // A "." or "," keeps the entry an amount while it can still be read as one:
        // keyed a second time, or after the other one made the decimal point ("12,5."),
        // it makes the entry a comment.
        const bool again = box.text.find(typed) != std::string::npos &&
                           box.SelectedText().find(typed) == std::string::npos;
        if (again) return false;
        Row probe = box;
        probe.Type(character);
        return MayBecomeNumber(probe.text, symbols_);
    }
    switch (character) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '=':
        case '%':
            return !Contains(box.text, character) || Contains(box.SelectedText(), character);
        default:
            return false;
    }
}

void Calc::KeyDown(int row, int key_code, int shift_state) {
    const Step step(*this);
    if (row < 0 || row > view_.last_row()) return;
    // Shift, Ctrl or Alt on their own change nothing (they come before a shortcut,
    // a Shift+click or Shift+arrow); Alt still speaks up while the voice callback reads.
    if (key::IsModifier(key_code) && !(CallbackRunning && shift_state == shift::kAlt)) return;
    if (view_.focus_parked() && row == view_.focus_row()) {
        view_.BringFocusIntoView();
        row = view_.focus_row();
    }
    ShiftEnter = shift_state == shift::kShift && key_code == key::kEnter;
    CurLine = view_.top_line() + row;
    const int line = CurLine;
    // Whether the line being keyed has an empty text, judged before the key can
    // redraw the row with another line.
    const bool was_empty = view_.row(row).text.empty();
    bool rest = true;  // the closing step (open-line check, TapeChanged) still runs
    switch (shift_state) {
        case shift::kNone: {
            view_.selection().StopSelecting();
            if (view_.selection().shown()) {
                view_.ShowTape();
                view_.selection().Hide();
            }
            if (line <= UpperBound() && tape_[line].Op == op::kComment) {
                bool up =
                    key_code == key::kPageUp || key_code == key::kHome || key_code == key::kUp;
                bool down =
                    key_code == key::kPageDown || key_code == key::kEnd || key_code == key::kDown;
                if (up || down) {
                    if (EditMode || !RefuseIfFull(1)) FinishComment(row, down, EditMode);
                    return;
                }
            }
            switch (key_code) {
                case key::kBackspace:
                    rest = false;
                    break;
                case key::kPageUp:
                case key::kPageDown:
                case key::kEnd:
                case key::kHome:
                    PageTo(row, key_code);
                    break;
                case key::kUp:
                    UpPending = true;
                    MoveUp(row);
                    break;
                case key::kDown:
                    DownPending = true;
                    MoveDown(row);
                    break;
                case key::kNumLock:
                    Tell(kNumLockText);
                    break;
                case key::kF2:
                    SpeakStatus();
                    break;
                default:
                    break;
            }
            break;
        }
        case shift::kShift:
            if (key_code == key::kUp || key_code == key::kDown) {
                if (!view_.selection().selecting()) {
                    view_.selection().Begin(CurLine);
                    ClampSelection();
                } else if (key_code == key::kUp) {
                    view_.selection().ExtendTo(CurLine - 1);
                    ClampSelection();
                    UpPending = true;
                    MoveUp(row);
                } else {
                    view_.selection().ExtendTo(CurLine);
                    ClampSelection();
                }
                if (key_code == key::kDown) {
                    DownPending = true;
                    MoveDown(row);
                }
            }
            break;
        case shift::kCtrl:
            if (key_code == key::kC) CopySelection();
            if (key_code == key::kV) ports_.desktop.Beep();
            break;
        case shift::kAlt:
            if (CallbackRunning) {
                CallbackRunning =
                    Tell(kAltText, Buttons::kYesNo, Icon::kNone, Answer::kYes) == Answer::kYes;
                rest = false;
            }
            break;
        default:
            break;
    }
    if (!rest) return;
    // A comment erased back to nothing, or the open line, can take an amount again.
    // A line the key has left keeps what leaving it made of it: an emptied amount
    // line was committed like one left with a click.
    if (was_empty && line <= UpperBound() && view_.FocusLine() == line &&
        view_.row(view_.focus_row()).text.empty() &&
        (tape_[line].Op == op::kComment || line == UpperBound())) {
        tape_.Edit(line).Op = op::kOpen;
    }
    // Moving about, selecting and copying change nothing of their own; what leaving a
    // line commits marks the tape where it is committed.
    if (!key::ChangesNothing(key_code) && shift_state != shift::kCtrl) TapeChanged = true;
    view_.UpdateScroller();
}

void Calc::KeyPress(int row, char32_t character) {
    const Step step(*this);
    if (row < 0 || row > view_.last_row()) return;
    if (view_.focus_parked() && row == view_.focus_row()) {
        view_.BringFocusIntoView();
        row = view_.focus_row();
    }
    CurLine = view_.top_line() + row;
    if (CurLine > UpperBound()) return;
    EditingOld = CurLine < UpperBound();
    if (view_.ShownLocked(CurLine) && tape_[CurLine].Op != op::kComment) {
        Tell(kLockedText);
        EditingOld = false;  // nothing was keyed, so leaving the row commits nothing
        return;
    }
    if (!IsNumericKey(character, view_.row(row))) {
        tape_.Edit(CurLine).Op = op::kComment;
        if (EditingOld) {
            if (!EditMode) RecalcFromLastTotal();
            CurLine = view_.top_line() + row;
            SetFocus(row);
            EditMode = true;
        }
        HighlightCommentRow();
    }
    if (tape_[CurLine].Op == op::kComment) {
        if (character == character::kEnter) {
            if (EditMode) {
                FinishComment(row, true, true);
            } else if (!RefuseIfFull(1)) {
                FinishComment(row, true, false);
                RecalcFromLastTotal();
            }
            return;
        }
        Row probe = view_.row(row);
        probe.Type(character);
        if (Utf8Length(probe.text) > kCommentLimit) {
            ports_.desktop.Beep();
            return;
        }
        view_.row(row).Type(character);
        SetEntry(tape_.Edit(CurLine), view_.row(row).text);
        TapeChanged = true;
        return;
    }
    const bool commits = character == '+' || character == '-' || character == '*' ||
                         character == '/' || character == '%';
    if (commits && !view_.row(row).text.empty() && !IsNumeric(view_.row(row).text, symbols_)) {
        // An amount that cannot be read is not committed: the key only beeps, and the
        // row keeps the text for the user to correct.
        ports_.desktop.Beep();
        return;
    }
    const std::string key(1, static_cast<char>(character));
    const bool may_append = !EditingOld;
    switch (character) {
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
        case '.':
        case ',':
            // "." and the locale's decimal symbol are said as "point"; a "," that
            // only groups is silent, as it is in a spoken amount.
            if (character != ',' || key == symbols_.decimal) {
                speech_.KeyTyped(character == ',' ? "." : key);
            }
            view_.row(row).Type(character);
            break;
        case '+':
        case '-':
        case '*':
        case '/':
            if (may_append && RefuseIfFull(1)) return;
            speech_.OperatorKeyed(key);
            if (options_.CalcMode && (character == '+' || character == '-')) {
                CalcOp = key;
                CommitLineCalc(row);
            } else {
                tape_.Edit(CurLine).Op = static_cast<char>(character);
                CommitLine(row);
            }
            speech_.KeyStruck();
            break;
        case '%': {
            // A percentage of a product strikes its total (a line, the total, a rule).
            const char prev = PrevOp(tape_.lines(), CurLine);
            if (may_append && RefuseIfFull(prev == '*' || prev == '/' ? 3 : 1)) return;
            speech_.OperatorKeyed(key);
            speech_.KeyStruck();
            tape_.Edit(CurLine).Op = '%';
            CommitLine(row);
            break;
        }
        case '=':
        case character::kEnter:
            if (row == view_.last_row() && CurLine == UpperBound()) {
                if (!TotalKey(row)) return;
                speech_.TotalKeyStruck();
            } else {
                // Nothing is struck away from the open line; nothing was keyed either.
                EditingOld = false;
                view_.ShowTape();
                FocusOpenLine();
            }
            break;
        default:
            view_.row(row).Type(character);
            break;
    }
    TapeChanged = true;
}

void Calc::FinishComment(int row, bool down, bool edit_mode) {
    TapeChanged = true;
    const int comment_line = CurLine;
    SetEntry(tape_.Edit(comment_line), view_.row(row).text);
    tape_.Edit(comment_line).Op = op::kComment;
    view_.row(row).op.clear();
    // The focus goes to the line above or below the comment, the tape scrolling when
    // that line is out of view, so that the window's height does not change where it lands.
    auto step = [&](int by) {
        const int target = std::clamp(comment_line + by, 0, UpperBound());
        view_.ScrollIntoView(target);
        RefreshFocus(target - view_.top_line());
    };
    if (edit_mode) {
        step(down ? 1 : -1);
        EditMode = false;
    } else if (down) {
        if (!EditMode) AddTapeLine();
    } else {
        // A new comment left upwards still leaves an open line at the end of the tape.
        if (comment_line == UpperBound()) AddTapeLine();
        step(-1);
    }
    view_.ShowTape();
}

}  // namespace tallymar
