#include "engine/line_look.h"

namespace tallymar {

RowColours ApplyColorsToRow(const Colours& colours, std::string_view op_shown, double number_shown,
                            Colour fore_now) {
    Colour fore = fore_now;
    if (op_shown == "+") {
        fore = colours.CurPosClr;
    } else if (op_shown == "-") {
        fore = colours.CurNegClr;
    } else if (op_shown == "T" || op_shown == "S") {
        fore = number_shown < 0 ? colours.CurNegClr : colours.CurPosClr;
    }
    return RowColours{fore, colours.CurTapClr};
}

}  // namespace tallymar
