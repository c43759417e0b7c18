// Which lines the rows show: resizing the window, the scroll bar, the mouse
// wheel and the paging keys. Whatever the rows show, the focus stays on the line it was on, with
// what was keyed into it; a line scrolled out of view comes back at the next key.
#include <algorithm>

#include "engine/calc.h"

namespace tallymar {

int Calc::FocusLine() const {
    if (parked_line_ >= 0) return parked_line_;
    return focus_row_ >= 0 && focus_row_ <= LastRow ? TopLine + focus_row_ : -1;
}

Row Calc::FocusBox() const {
    if (parked_line_ >= 0) return parked_box_;
    return focus_row_ >= 0 && focus_row_ <= LastRow ? rows_[focus_row_] : Row{};
}

void Calc::ShowTapeKeepingFocus(int line, const Row& box) {
    ShowTape();
    if (line < 0) return;
    const int row = line - TopLine;
    if (row >= 0 && row <= LastRow) {
        rows_[row] = box;
        focus_row_ = row;
        parked_line_ = -1;
    } else {
        // The box in focus_row keeps the keyboard; it shows another line meanwhile.
        parked_line_ = line;
        parked_box_ = box;
    }
}

void Calc::BringFocusIntoView() {
    if (parked_line_ < 0) return;
    const int line = std::min(parked_line_, UpperBound());
    const Row box = parked_box_;
    // As a rule the line comes back into the row that kept the keyboard.
    TopLine = std::clamp(line - focus_row_, 0, std::max(UpperBound() - LastRow, 0));
    ShowTapeKeepingFocus(line, box);
    UpdateScroller();
}

void Calc::ScrollIntoView(int line) {
    const int top = std::clamp(TopLine, std::max(line - LastRow, 0), std::max(line, 0));
    if (top == TopLine) return;
    TopLine = top;
    ShowTape();
    UpdateScroller();
}

void Calc::Resize(int max_row) {
    const Step step(*this);
    MaxRow = max_row;
    if (tape_.empty()) return;  // the tape window has not loaded yet
    const int line = FocusLine();
    const Row box = FocusBox();
    // As many rows as fit, but never a row without a line to show.
    const int last_row = std::max(std::min(MaxRow, UpperBound() + 1), 1) - 1;
    while (LastRow > last_row) RemoveLastRow();
    while (LastRow < last_row) {
        AddRow();
        ++LastRow;
    }
    // A taller window takes lines from above into its new rows; the focus line stays in view.
    TopLine = std::clamp(TopLine, 0, std::max(UpperBound() - LastRow, 0));
    if (line >= 0) TopLine = std::clamp(TopLine, std::max(line - LastRow, 0), line);
    ShowTapeKeepingFocus(line, box);
    if (focus_row_ < 0) SetFocus(LastRow);
    UpdateScroller();
}

void Calc::UpdateScroller() {
    // The scroll bar reaches every line: at its end the last row shows the open line.
    scroll_max_ = std::max(UpperBound() - LastRow, 0);
    scroll_value_ = std::min(TopLine, scroll_max_);
}

void Calc::ScrollTo(int value) {
    const Step step(*this);
    const int line = FocusLine();
    const Row box = FocusBox();
    scroll_value_ = std::clamp(value, 0, scroll_max_);
    TopLine = scroll_value_;
    ShowTapeKeepingFocus(line, box);
}

void Calc::ScrollByWheel(int notches) {
    ScrollTo(scroll_value_ - notches * kWheelLines);
}

void Calc::PageTo(int row, int key_code) {
    if (row >= 0 && row <= LastRow) {
        // A correction is committed while its row still shows its line.
        in_lost_focus_ = true;
        LostFocus(row);
        in_lost_focus_ = false;
    }
    const int last_top = std::max(UpperBound() - LastRow, 0);
    int top = 0;
    int to_row = 0;
    switch (key_code) {
        case key::kPageUp:
            top = TopLine - LastRow;
            break;
        case key::kPageDown:
            top = TopLine + LastRow;
            to_row = LastRow;
            break;
        case key::kEnd:
            top = last_top;
            to_row = LastRow;
            break;
        default:  // Home
            break;
    }
    TopLine = std::clamp(top, 0, last_top);
    ShowTape();
    focus_row_ = std::clamp(to_row, 0, LastRow);
    GotFocus(focus_row_);
}

void Calc::FocusOpenLine() {
    if (parked_line_ < 0 && TopLine + LastRow == UpperBound()) {
        SetFocus(LastRow);
    } else {
        BringFocusIntoView();
        PageTo(focus_row_, key::kEnd);
        UpdateScroller();
    }
}

}  // namespace tallymar
