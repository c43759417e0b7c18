// What pressing Apply (or OK) in the colour dialog does to the tape window.
#pragma once

#include <string_view>

#include "engine/options.h"

namespace tallymar {

// Takes the five current colours into the tape window. The tape window (the engine's
// rows) recolours itself as follows:
// - every row in use, 0 to LastRow, takes the colours ApplyColorsToRow gives for the
//   operator text its txtOp shows and the number its txtData shows;
// - the window, its seven decimal labels and its seven decimal option buttons take
//   CurBakClr as back colour;
// - when the line being keyed (CurLine) is a comment, its row's text takes CurTxtClr.
class TapeColours {
  public:
    virtual ~TapeColours() = default;
    virtual void ApplyColors(const Colours& colours) = 0;
};

struct RowColours {
    Colour fore;
    Colour back;

    bool operator==(const RowColours&) const = default;
};

// A row's text and back colour after Apply (both of its boxes alike): "+" rows in
// CurPosClr, "-" rows in CurNegClr, "T" and "S" rows by the sign of the number shown
// (0 or more CurPosClr, below 0 CurNegClr), every other row keeps `fore_now`; every
// row's back colour is CurTapClr.
RowColours ApplyColorsToRow(const Colours& colours, std::string_view op_shown, double number_shown,
                            Colour fore_now);

}  // namespace tallymar
