// Which lines the rows show and which are highlighted: resizing the window, the
// scroll bar, the mouse wheel, a line found, Shift+click and Shift+drag, what a box
// edits by itself, and the Edit menu's commands at the focus line or the selection. Whatever the
// rows show, the focus stays on the line it was on, with what was keyed into it; a line scrolled
// out of view comes back at the next key.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/keyboard_entry.h"
#include "engine/text_codec.h"

namespace tallymar {

void KeyboardEntry::Resize(int max_row) {
    const Calc::Step step(calc_);
    const int line = view_.FocusLine();
    const Row box = view_.FocusBox();
    view_.Fit(max_row);
    if (tape_.empty()) return;  // the tape window has not loaded yet
    // A taller window takes lines from above into its new rows; the focus line stays in view.
    const int last_row = view_.last_row();
    int top = std::clamp(view_.top_line(), 0, std::max(tape_.UpperBound() - last_row, 0));
    if (line >= 0) top = std::clamp(top, std::max(line - last_row, 0), line);
    view_.SetTopLine(top);
    view_.ShowTapeKeepingFocus(line, box);
    if (view_.focus_row() < 0) SetFocus(view_.last_row());
    view_.UpdateScroller();
}

void KeyboardEntry::ScrollTo(int value) {
    const Calc::Step step(calc_);
    const int line = view_.FocusLine();
    const Row box = view_.FocusBox();
    view_.SetTopLine(std::clamp(value, 0, view_.scroll_bar().max));
    view_.ShowTapeKeepingFocus(line, box);
    view_.UpdateScroller();
}

void KeyboardEntry::ScrollByWheel(int notches) {
    ScrollTo(view_.scroll_bar().value - notches * kWheelLines);
}

void KeyboardEntry::GoToLine(int line) {
    if (line < 0 || line > tape_.UpperBound()) return;
    // The scroll bar first, keeping the focus on its line, then the click on the row.
    if (line < view_.top_line()) ScrollTo(line);
    if (line > view_.top_line() + view_.last_row()) ScrollTo(line - view_.last_row());
    SetFocus(line - view_.top_line());
}

void KeyboardEntry::BoxEdited(int row, const std::string& text, int sel_start, int sel_length) {
    const Calc::Step step(calc_);
    if (row < 0 || row > view_.last_row()) return;
    Row& box = view_.row(row);
    if (box.text != text && !box.locked) {
        box.text = text;
        calc_.TapeKeyed();  // committed when the row is left
        // A comment keeps what the box holds (Delete works in the box itself).
        const int line = view_.top_line() + row;
        if (row == view_.focus_row() && line <= tape_.UpperBound() &&
            tape_[line].Op == op::kComment) {
            SetEntry(tape_.Edit(line), box.text);
        }
    }
    const int length = Utf8Length(box.text);
    box.sel_start = std::clamp(sel_start, 0, length);
    box.sel_length = std::clamp(sel_length, 0, length - box.sel_start);
}

void KeyboardEntry::MouseDown(int row, int shift_state) {
    const Calc::Step step(calc_);
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

void KeyboardEntry::MouseMove(int row, int button, int shift_state, double y_twips) {
    const Calc::Step step(calc_);
    if (shift_state != shift::kShift || button != kLeftButton || row < 0 || row > view_.last_row())
        return;
    int rows_moved = static_cast<int>(std::lround(y_twips)) / kRowHeightTwips;
    view_.selection().ExtendTo(view_.top_line() + row + rows_moved);
    ClampSelection();
    if (view_.selection().end_line() - view_.top_line() >= view_.last_row()) {
        MoveDown(view_.last_row());
    }
}

void KeyboardEntry::ClampSelection() {
    view_.selection().Clamp(tape_.UpperBound());
    view_.ShowTape();
}

void KeyboardEntry::CopySelection() {
    if (tape_.empty()) return;
    calc_.ports_.desktop.SetClipboardText(TextOfLines(calc_, view_.selection().range()));
}

void KeyboardEntry::SelectAll() {
    if (tape_.empty()) return;
    view_.selection().All(tape_.UpperBound());
    view_.ShowTape();
}

// Edit > Insert and Delete work on the focus line, shown first if it was scrolled away.
void KeyboardEntry::MenuInsert() {
    const Calc::Step step(calc_);
    view_.BringFocusIntoView();
    calc_.InsertTapeLine(calc_.cur_line());
}

void KeyboardEntry::MenuDelete() {
    const Calc::Step step(calc_);
    if (view_.last_row() == 0) return;
    view_.BringFocusIntoView();
    calc_.RowDelete();
}

}  // namespace tallymar
