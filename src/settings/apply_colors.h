// What pressing Apply (or OK) in the colour dialog does to the tape window.
#pragma once

#include "engine/line_look.h"
#include "engine/options.h"

namespace tallymar {

// Takes the five current colours into the tape window. The tape window (the engine's
// rows) recolours itself as follows:
// - every row in use, 0 to LastRow, takes the colours ApplyColorsToRow gives for the
//   operator text its operator box shows and the number its amount box shows;
// - the window, its seven decimal labels and its seven decimal option buttons take
//   CurBakClr as back colour;
// - when the line being keyed (CurLine) is a comment, its row's text takes CurTxtClr.
// The engine does this (Calc::ApplyColors).
class TapeColours {
  public:
    virtual ~TapeColours() = default;
    virtual void ApplyColors(const Colours& colours) = 0;
};

}  // namespace tallymar
