// Keys typed into the rows: key-down and key-press, comments, Shift selection.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/keyboard_entry.h"
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

bool Contains(const std::string& text, char32_t c) {
    return text.find(static_cast<char>(c)) != std::string::npos;
}

}  // namespace

bool KeyboardEntry::IsNumericKey(char32_t character, const Row& box) const {
    if (character == character::kBackspace || character == character::kTab ||
        character == character::kEnter) {
        return true;
    }
    if (character >= '0' && character <= '9') return true;
    std::string typed;
    AppendUtf8(typed, character);
    if (character == '.' || character == ',' || typed == calc_.symbols_.decimal) {
        // A "." or "," keeps the entry an amount while it can still be read as one:
        // keyed a second time, or after the other one made the decimal point ("12,5."),
        // it makes the entry a comment.
        const bool again = box.text.find(typed) != std::string::npos &&
                           box.SelectedText().find(typed) == std::string::npos;
        if (again) return false;
        Row probe = box;
        probe.Type(character);
        return MayBecomeNumber(probe.text, calc_.symbols_);
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

void KeyboardEntry::KeyDown(int row, int key_code, int shift_state) {
    const Calc::Step step(calc_);
    if (row < 0 || row > view_.last_row()) return;
    // Shift, Ctrl or Alt on their own change nothing (they come before a shortcut,
    // a Shift+click or Shift+arrow); Alt still speaks up while the voice callback reads.
    if (key::IsModifier(key_code) && !(calc_.callback_.running() && shift_state == shift::kAlt))
        return;
    if (view_.focus_parked() && row == view_.focus_row()) {
        view_.BringFocusIntoView();
        row = view_.focus_row();
    }
    calc_.SetSubtotalKey(shift_state == shift::kShift && key_code == key::kEnter);
    calc_.WorkOn(view_.top_line() + row);
    const int line = calc_.cur_line();
    // Whether the line being keyed has an empty text, judged before the key can
    // redraw the row with another line.
    const bool was_empty = view_.row(row).text.empty();
    bool rest = true;  // the closing step (open-line check, the tape marked changed) still runs
    switch (shift_state) {
        case shift::kNone: {
            view_.selection().StopSelecting();
            if (view_.selection().shown()) {
                view_.ShowTape();
                view_.selection().Hide();
            }
            if (line <= tape_.UpperBound() && tape_[line].Op == op::kComment) {
                bool up =
                    key_code == key::kPageUp || key_code == key::kHome || key_code == key::kUp;
                bool down =
                    key_code == key::kPageDown || key_code == key::kEnd || key_code == key::kDown;
                if (up || down) {
                    if (EditMode || !calc_.RefuseIfFull(1)) FinishComment(row, down, EditMode);
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
                    calc_.Tell(kNumLockText);
                    break;
                case key::kF2:
                    calc_.SpeakStatus();
                    break;
                default:
                    break;
            }
            break;
        }
        case shift::kShift:
            if (key_code == key::kUp || key_code == key::kDown) {
                if (!view_.selection().selecting()) {
                    view_.selection().Begin(calc_.cur_line());
                    ClampSelection();
                } else if (key_code == key::kUp) {
                    view_.selection().ExtendTo(calc_.cur_line() - 1);
                    ClampSelection();
                    UpPending = true;
                    MoveUp(row);
                } else {
                    view_.selection().ExtendTo(calc_.cur_line());
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
            if (key_code == key::kV) calc_.ports_.desktop.Beep();
            break;
        case shift::kAlt:
            if (calc_.callback_.running()) {
                if (calc_.Tell(kAltText, Buttons::kYesNo, Icon::kNone, Answer::kYes) !=
                    Answer::kYes) {
                    calc_.callback_.Stop();
                }
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
    if (was_empty && line <= tape_.UpperBound() && view_.FocusLine() == line &&
        view_.row(view_.focus_row()).text.empty() &&
        (tape_[line].Op == op::kComment || line == tape_.UpperBound())) {
        tape_.Edit(line).Op = op::kOpen;
    }
    // Moving about, selecting and copying change nothing of their own; what leaving a
    // line commits marks the tape where it is committed.
    if (!key::ChangesNothing(key_code) && shift_state != shift::kCtrl) calc_.TapeKeyed();
    view_.UpdateScroller();
}

void KeyboardEntry::KeyPress(int row, char32_t character) {
    const Calc::Step step(calc_);
    if (row < 0 || row > view_.last_row()) return;
    if (view_.focus_parked() && row == view_.focus_row()) {
        view_.BringFocusIntoView();
        row = view_.focus_row();
    }
    calc_.WorkOn(view_.top_line() + row);
    if (calc_.cur_line() > tape_.UpperBound()) return;
    calc_.StartKeying();
    // A total, a subtotal, a rule or a product holding a sum refuses typing.
    const bool locked = view_.RowLook(calc_.cur_line(), 0, false).locked.value_or(false);
    if (locked && tape_[calc_.cur_line()].Op != op::kComment) {
        calc_.Tell(kLockedText);
        calc_.NothingKeyed();  // nothing was keyed, so leaving the row commits nothing
        return;
    }
    if (!IsNumericKey(character, view_.row(row))) {
        tape_.Edit(calc_.cur_line()).Op = op::kComment;
        if (calc_.correcting()) {
            if (!EditMode) calc_.RecalcFromLastTotal();
            calc_.WorkOn(view_.top_line() + row);
            SetFocus(row);
            EditMode = true;
        }
        HighlightCommentRow();
    }
    if (tape_[calc_.cur_line()].Op == op::kComment) {
        if (character == character::kEnter) {
            if (EditMode) {
                FinishComment(row, true, true);
            } else if (!calc_.RefuseIfFull(1)) {
                FinishComment(row, true, false);
                calc_.RecalcFromLastTotal();
            }
            return;
        }
        Row probe = view_.row(row);
        probe.Type(character);
        if (Utf8Length(probe.text) > kCommentLimit) {
            calc_.ports_.desktop.Beep();
            return;
        }
        view_.row(row).Type(character);
        SetEntry(tape_.Edit(calc_.cur_line()), view_.row(row).text);
        calc_.TapeKeyed();
        return;
    }
    const bool commits = character == '+' || character == '-' || character == '*' ||
                         character == '/' || character == '%';
    if (commits && !view_.row(row).text.empty() &&
        !IsNumeric(view_.row(row).text, calc_.symbols_)) {
        // An amount that cannot be read is not committed: the key only beeps, and the
        // row keeps the text for the user to correct.
        calc_.ports_.desktop.Beep();
        return;
    }
    const std::string key(1, static_cast<char>(character));
    const bool may_append = !calc_.correcting();
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
            if (character != ',' || key == calc_.symbols_.decimal) {
                calc_.speech_.KeyTyped(character == ',' ? "." : key);
            }
            view_.row(row).Type(character);
            break;
        case '*':
        case '/':
            if (!view_.row(row).text.empty() &&
                op::IsSum(PrevOp(tape_.lines(), calc_.cur_line()))) {
                // An amount keyed under a column of sums joins the column first; the
                // product or quotient then takes the column's sum, as it does when
                // nothing is keyed. The keyed amount is never replaced by the sum,
                // on the open line or in a correction.
                if (calc_.RefuseIfFull(may_append ? 2 : 1)) return;
                calc_.speech_.OperatorKeyed(key);
                if (may_append) {
                    row = AddToColumn(row);
                    tape_.Edit(calc_.cur_line()).Op = static_cast<char>(character);
                    calc_.CommitLine(row);
                } else {
                    CorrectIntoColumn(row, static_cast<char>(character));
                }
                calc_.speech_.KeyStruck();
                break;
            }
            [[fallthrough]];
        case '+':
        case '-':
            if (may_append && calc_.RefuseIfFull(1)) return;
            calc_.speech_.OperatorKeyed(key);
            if (calc_.options_.CalcMode && (character == '+' || character == '-')) {
                calc_.CalcModeKey(key);
                calc_.CommitLineCalc(row);
            } else {
                tape_.Edit(calc_.cur_line()).Op = static_cast<char>(character);
                calc_.CommitLine(row);
            }
            calc_.speech_.KeyStruck();
            break;
        case '%': {
            // A percentage of a product strikes its total (a line, the total, a rule).
            const char prev = PrevOp(tape_.lines(), calc_.cur_line());
            if (may_append && calc_.RefuseIfFull(prev == op::kTimes || prev == op::kDivide ? 3 : 1))
                return;
            calc_.speech_.OperatorKeyed(key);
            calc_.speech_.KeyStruck();
            tape_.Edit(calc_.cur_line()).Op = op::kPercent;
            calc_.CommitLine(row);
            break;
        }
        case '=':
        case character::kEnter:
            if (row == view_.last_row() && calc_.cur_line() == tape_.UpperBound()) {
                if (!calc_.TotalKey(row)) return;
                calc_.speech_.TotalKeyStruck();
            } else {
                // Nothing is struck away from the open line; nothing was keyed either.
                calc_.NothingKeyed();
                view_.ShowTape();
                FocusOpenLine();
            }
            break;
        default:
            view_.row(row).Type(character);
            break;
    }
    calc_.TapeKeyed();
}

int KeyboardEntry::AddToColumn(int row) {
    if (calc_.options_.CalcMode) {
        calc_.CommitLineCalc(row);  // with the "+" or "-" keyed before the amount
    } else {
        tape_.Edit(calc_.cur_line()).Op = op::kPlus;
        calc_.CommitLine(row);
    }
    return calc_.cur_line() - view_.top_line();
}

void KeyboardEntry::CorrectIntoColumn(int row, char kind) {
    const int line = calc_.cur_line();
    // Calculator mode keeps the operator keyed before the amount; the adding machine's
    // amount is added, as the open line's is.
    const char own = tape_[line].Op;
    tape_.Edit(line).Op = calc_.options_.CalcMode && op::IsSum(own) ? own : op::kPlus;
    // The line below is in place before the correction is worked out, once, with it.
    calc_.InsertFactorLine(line + 1, kind);
    calc_.CommitLine(row, Calc::AfterCommit::kStay);
    // The correction steps down past the product or quotient, as a commit steps down.
    ScrollIntoView(view_, line + 1);
    MoveDown(line + 1 - view_.top_line());
}

void KeyboardEntry::FinishComment(int row, bool down, bool edit_mode) {
    calc_.TapeKeyed();
    const int comment_line = calc_.cur_line();
    SetEntry(tape_.Edit(comment_line), view_.row(row).text);
    tape_.Edit(comment_line).Op = op::kComment;
    view_.row(row).op.clear();
    // The focus goes to the line above or below the comment, the tape scrolling when
    // that line is out of view, so that the window's height does not change where it lands.
    auto step = [&](int by) {
        const int target = std::clamp(comment_line + by, 0, tape_.UpperBound());
        ScrollIntoView(view_, target);
        RefreshFocus(target - view_.top_line());
    };
    if (edit_mode) {
        step(down ? 1 : -1);
        EditMode = false;
    } else if (down) {
        if (!EditMode) calc_.AddTapeLine();
    } else {
        // A new comment left upwards still leaves an open line at the end of the tape.
        if (comment_line == tape_.UpperBound()) calc_.AddTapeLine();
        step(-1);
    }
    view_.ShowTape();
}

void KeyboardEntry::HighlightCommentRow() {
    int r = calc_.cur_line() - view_.top_line();
    if (r < 0 || r > view_.last_row()) return;
    view_.row(r).SetColours(calc_.colours_.CurTxtClr, kCommentTypingBack);
    view_.row(r).align_left = true;
}

}  // namespace tallymar
