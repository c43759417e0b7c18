// The user's decimal and thousands symbols, from the system locale.
#pragma once

#include "engine/number_format.h"

namespace tallymar {

NumberSymbols SystemNumberSymbols();

}  // namespace tallymar
