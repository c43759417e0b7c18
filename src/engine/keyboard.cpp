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
    if (row < 0 || row > LastRow) return;
    if (in_lost_focus_) {
        focus_row_ = row;
        return;
    }
    if (parked_line_ >= 0) {
        // The focus line is out of view: it is left as it would be on screen, and the
        // line chosen is the one the row shows in the view the user is looking at.
        const int chosen = TopLine + row;
        const int view = TopLine;
        BringFocusIntoView();
        in_lost_focus_ = true;
        LostFocus(focus_row_);
        in_lost_focus_ = false;
        TopLine = std::clamp(view, 0, std::max(UpperBound() - LastRow, 0));
        ShowTape();
        focus_row_ = std::clamp(chosen - TopLine, 0, LastRow);
        GotFocus(focus_row_);
        UpdateScroller();
        return;
    }
    if (row == focus_row_) return;
    const int old = focus_row_;
    focus_row_ = row;
    if (old >= 0 && old <= LastRow) {
        in_lost_focus_ = true;
        LostFocus(old);
        in_lost_focus_ = false;
    }
    GotFocus(focus_row_);
}

void Calc::TakeFocusAfresh(int row) {
    if (row < 0 || row > LastRow) return;
    focus_row_ = row;
    GotFocus(row);
}

// The focus stays in the same row but the row shows another line now: its
// got-focus handling runs again.
void Calc::RefreshFocus(int row) {
    if (in_lost_focus_ || focus_row_ != row) {
        SetFocus(row);
    } else {
        GotFocus(row);
    }
}

void Calc::GotFocus(int row) {
    if (row < 0 || row > LastRow) return;
    CurLine = TopLine + row;
    parked_line_ = -1;
    // Nothing has been keyed in this row yet, so leaving it must not commit it.
    EditingOld = false;
    Row& box = rows_[row];
    if (Selecting) {
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
    if (EditingOld && TopLine + row <= UpperBound()) {
        CurLine = TopLine + row;
        // The focus is already on its way elsewhere: the commit does not step it down.
        CommitLine(row, AfterCommit::kStay);
    }
    // A comment holds what was typed from the first key on; leaving it ends its
    // editing, and a new comment at the end of the tape gets an open line after it.
    EditMode = false;
    if (!tape_.empty() && tape_.back().Op == op::kComment) {
        const int chosen = TopLine + focus_row_;
        AddTapeLine();
        if (chosen < TopLine) {
            TopLine = chosen;  // the line chosen stays in view although the tape grew
            ShowTape();
        }
        focus_row_ = std::clamp(chosen - TopLine, 0, LastRow);
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
    if (focus_row_ != row || parked_line_ >= 0 || in_lost_focus_) return;
    // The moves still owed are made by the scroll itself.
    const bool up = std::exchange(UpPending, false);
    const bool down = std::exchange(DownPending, false);
    in_lost_focus_ = true;
    LostFocus(row);
    in_lost_focus_ = false;
    focus_row_ = row;
    UpPending = up;
    DownPending = down;
}

void Calc::MoveUp(int row) {
    if (row >= 1) {
        SetFocus(row - 1);
    } else if (EditingOld && TopLine <= UpperBound() && !IsTextOrOpen(tape_[TopLine].Op)) {
        // A correction keyed in the top row is committed before the tape scrolls
        // under it; the commit steps down a row and the move still owed goes up.
        CurLine = TopLine;
        CommitLine(0);
    } else {
        if (TopLine > 0) {
            LeaveBeforeScroll(0);
            --TopLine;
        } else {
            UpPending = false;
        }
        ShowTape();
        RefreshFocus(0);
        UpPending = false;
    }
    UpdateScroller();
}

void Calc::MoveDown(int row) {
    if (row < LastRow) {
        SetFocus(row + 1);
    } else if (EditingOld && TopLine + row <= UpperBound()) {
        // As in MoveUp: the commit's own step down scrolls the tape.
        CurLine = TopLine + row;
        CommitLine(row);
        DownPending = false;
    } else {
        if (TopLine + LastRow + 1 <= UpperBound()) {
            LeaveBeforeScroll(LastRow);
            ++TopLine;
        }
        ShowTape();
        RefreshFocus(LastRow);
        DownPending = false;
    }
    UpdateScroller();
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
    if (row < 0 || row > LastRow) return;
    // Shift, Ctrl or Alt on their own change nothing (they come before a shortcut,
    // a Shift+click or Shift+arrow); Alt still speaks up while the voice callback reads.
    if (key::IsModifier(key_code) && !(CallbackRunning && shift_state == shift::kAlt)) return;
    if (parked_line_ >= 0 && row == focus_row_) {
        BringFocusIntoView();
        row = focus_row_;
    }
    ShiftEnter = shift_state == shift::kShift && key_code == key::kEnter;
    CurLine = TopLine + row;
    const int line = CurLine;
    // Whether the line being keyed has an empty text, judged before the key can
    // redraw the row with another line.
    const bool was_empty = rows_[row].text.empty();
    bool rest = true;  // the closing step (open-line check, TapeChanged) still runs
    switch (shift_state) {
        case shift::kNone: {
            Selecting = false;
            if (SelectionShown) {
                ShowTape();
                SelectionShown = false;
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
                if (!Selecting) {
                    Selecting = SelectionShown = true;
                    SelStartLine = SelEndLine = CurLine;
                    ClampSelection();
                } else if (key_code == key::kUp) {
                    SelEndLine = CurLine - 1;
                    ClampSelection();
                    UpPending = true;
                    MoveUp(row);
                } else {
                    SelEndLine = CurLine;
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
    if (was_empty && line <= UpperBound() && FocusLine() == line &&
        rows_[focus_row_].text.empty() && (tape_[line].Op == op::kComment || line == UpperBound())) {
        tape_.Edit(line).Op = op::kOpen;
    }
    // Moving about, selecting and copying change nothing of their own; what leaving a
    // line commits marks the tape where it is committed.
    if (!key::ChangesNothing(key_code) && shift_state != shift::kCtrl) TapeChanged = true;
    UpdateScroller();
}

void Calc::KeyPress(int row, char32_t character) {
    const Step step(*this);
    if (row < 0 || row > LastRow) return;
    if (parked_line_ >= 0 && row == focus_row_) {
        BringFocusIntoView();
        row = focus_row_;
    }
    CurLine = TopLine + row;
    if (CurLine > UpperBound()) return;
    EditingOld = CurLine < UpperBound();
    if (ShownLocked(CurLine) && tape_[CurLine].Op != op::kComment) {
        Tell(kLockedText);
        EditingOld = false;  // nothing was keyed, so leaving the row commits nothing
        return;
    }
    if (!IsNumericKey(character, rows_[row])) {
        tape_.Edit(CurLine).Op = op::kComment;
        if (EditingOld) {
            if (!EditMode) RecalcFromLastTotal();
            CurLine = TopLine + row;
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
        Row probe = rows_[row];
        probe.Type(character);
        if (Utf8Length(probe.text) > kCommentLimit) {
            ports_.desktop.Beep();
            return;
        }
        rows_[row].Type(character);
        SetEntry(tape_.Edit(CurLine), rows_[row].text);
        TapeChanged = true;
        return;
    }
    const bool commits = character == '+' || character == '-' || character == '*' ||
                         character == '/' || character == '%';
    if (commits && !rows_[row].text.empty() && !IsNumeric(rows_[row].text, symbols_)) {
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
            rows_[row].Type(character);
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
            if (row == LastRow && CurLine == UpperBound()) {
                if (!TotalKey(row)) return;
                speech_.TotalKeyStruck();
            } else {
                // Nothing is struck away from the open line; nothing was keyed either.
                EditingOld = false;
                ShowTape();
                FocusOpenLine();
            }
            break;
        default:
            rows_[row].Type(character);
            break;
    }
    TapeChanged = true;
}

void Calc::FinishComment(int row, bool down, bool edit_mode) {
    TapeChanged = true;
    const int comment_line = CurLine;
    SetEntry(tape_.Edit(comment_line), rows_[row].text);
    tape_.Edit(comment_line).Op = op::kComment;
    rows_[row].op.clear();
    // The focus goes to the line above or below the comment, the tape scrolling when
    // that line is out of view, so that the window's height does not change where it lands.
    auto step = [&](int by) {
        const int target = std::clamp(comment_line + by, 0, UpperBound());
        ScrollIntoView(target);
        RefreshFocus(target - TopLine);
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
    ShowTape();
}

}  // namespace tallymar
