// The user's decimal and grouping symbols and group sizes, from the system locale.
#pragma once

#include "engine/number_format.h"

namespace tallymar {

NumberSymbols SystemNumberSymbols();

}  // namespace tallymar
