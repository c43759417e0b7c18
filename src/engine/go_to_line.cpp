// Going to a line found on the tape, as a click on it would.
#include "engine/calc.h"

namespace tallymar {

void Calc::GoToLine(int line) {
    if (line < 0 || line > UpperBound()) return;
    // The scroll bar first, keeping the focus on its line, then the click on the row.
    if (line < TopLine) ScrollTo(line);
    if (line > TopLine + LastRow) ScrollTo(line - LastRow);
    SetFocus(line - TopLine);
}

}  // namespace tallymar
