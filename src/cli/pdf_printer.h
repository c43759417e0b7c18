// tallymar-cli's {Pdf PATH}: the tape printed to a PDF file through the same
// layout and surface as the window's printing, with no display needed.
#pragma once

#include <string>

#include "engine/calc.h"

namespace tallymar::cli {

// Prints the tape, or its highlighted lines, on Letter pages with the default
// margins. Returns why it could not, or "".
std::string PrintTapeToPdf(const Calc& calc, const std::string& path);

}  // namespace tallymar::cli
