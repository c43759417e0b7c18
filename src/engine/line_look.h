// How a line of the tape looks.
#pragma once

#include <string_view>

#include "engine/options.h"

namespace tallymar {

struct RowColours {
    Colour fore;
    Colour back;

    bool operator==(const RowColours&) const = default;
};

// A row's text and back colour after the colour dialog's Apply, for a box of the
// row (both alike): "+" rows in CurPosClr, "-" rows in CurNegClr, "T" and "S" rows by
// the sign of the number shown (0 or more CurPosClr, below 0 CurNegClr), every other
// row keeps `fore_now`; every row's back colour is CurTapClr.
RowColours ApplyColorsToRow(const Colours& colours, std::string_view op_shown, double number_shown,
                            Colour fore_now);

}  // namespace tallymar
