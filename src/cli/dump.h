// The state tallymar-cli prints at {Dump} and at the end of a script.
#pragma once

#include <ostream>

#include "engine/calc.h"

namespace tallymar::cli {

// `colours`: the five current colours of the colour dialog.
void Dump(const Calc& calc, const Colours& colours, std::ostream& out);

}  // namespace tallymar::cli
