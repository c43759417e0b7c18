// Going to a line found on the tape, as a click on it would.
#include "engine/calc.h"

namespace tallymar {

void Calc::GoToLine(int line) {
    if (line < 0 || line > UpperBound()) return;
    // The scroll bar first, keeping the focus on its line, then the click on the row.
    if (line < view_.top_line()) ScrollTo(line);
    if (line > view_.top_line() + view_.last_row()) ScrollTo(line - view_.last_row());
    SetFocus(line - view_.top_line());
}

}  // namespace tallymar
