// Converting an amount: by a unit's factor, or by the temperature formulas, and
// the one way every result is written.
#pragma once

#include <string>

#include "engine/number_format.h"

namespace tallymar {

// The temperature case of a from-unit (table index 11 to 14) and a position in the
// temperature "To" list: 10 x (index - 10) + position; 0 for any other unit.
int TempCaseOf(int from_unit_index, int to_position);

// The temperature of case `temp_case` (1x fahrenheit, 2x celsius, 3x centigrade,
// 4x kelvin to x0 celsius, x1 centigrade, x2 kelvin, x3 fahrenheit), by the exact
// scale definitions (a fahrenheit degree is 1/1.8 of a celsius one, 0 celsius is
// 32 fahrenheit and 273.15 kelvin). An unknown case gives 0.
double ConvertTemperature(double amount, int temp_case);

// A result as a person writes it: up to 15 significant digits and no more than 15
// decimals, thousands grouped, no trailing zeros and no trailing point ("212",
// "1,609.344"). A result too small for 15 decimals but not zero is written with an
// exponent ("3.16887385068114E-20") rather than as a 0 it is not. Infinities and NaN
// give "Overflow".
std::string FormatResult(double value, const NumberSymbols& symbols);

}  // namespace tallymar
