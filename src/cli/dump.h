// The state tallymar-cli prints at {Dump} and at the end of a script.
#pragma once

#include <ostream>

#include "engine/calc.h"

namespace tallymar::cli {

void Dump(const Calc& calc, std::ostream& out);

}  // namespace tallymar::cli
