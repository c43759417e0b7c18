// Which lines the rows show: resizing the window, the scroll bar, the mouse
// wheel and the paging keys. Whatever the rows show, the focus stays on the line it was on, with
// what was keyed into it; a line scrolled out of view comes back at the next key.
#include <algorithm>

#include "engine/calc.h"

namespace tallymar {

void Calc::Resize(int max_row) {
    const Step step(*this);
    const int line = view_.FocusLine();
    const Row box = view_.FocusBox();
    view_.Fit(max_row);
    if (tape_.empty()) return;  // the tape window has not loaded yet
    // A taller window takes lines from above into its new rows; the focus line stays in view.
    const int last_row = view_.last_row();
    int top = std::clamp(view_.top_line(), 0, std::max(UpperBound() - last_row, 0));
    if (line >= 0) top = std::clamp(top, std::max(line - last_row, 0), line);
    view_.SetTopLine(top);
    view_.ShowTapeKeepingFocus(line, box);
    if (view_.focus_row() < 0) SetFocus(view_.last_row());
    view_.UpdateScroller();
}

void Calc::ScrollTo(int value) {
    const Step step(*this);
    const int line = view_.FocusLine();
    const Row box = view_.FocusBox();
    view_.SetTopLine(std::clamp(value, 0, view_.scroll_bar().max));
    view_.ShowTapeKeepingFocus(line, box);
    view_.UpdateScroller();
}

void Calc::ScrollByWheel(int notches) {
    ScrollTo(view_.scroll_bar().value - notches * kWheelLines);
}

void Calc::PageTo(int row, int key_code) {
    if (row >= 0 && row <= view_.last_row()) {
        // A correction is committed while its row still shows its line.
        LeaveRow(row);
    }
    const int last_top = std::max(UpperBound() - view_.last_row(), 0);
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

void Calc::FocusOpenLine() {
    if (!view_.focus_parked() && view_.top_line() + view_.last_row() == UpperBound()) {
        SetFocus(view_.last_row());
    } else {
        view_.BringFocusIntoView();
        PageTo(view_.focus_row(), key::kEnd);
        view_.UpdateScroller();
    }
}

}  // namespace tallymar
