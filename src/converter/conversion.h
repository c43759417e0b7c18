// Converting an amount: by a unit's factor, or by the temperature formulas, and
// the one pattern every result is shown with.
#pragma once

#include <string>

#include "engine/number_format.h"

namespace tallymar {

// Up to 15 decimals, thousands grouped; a whole result keeps its point ("12.").
inline constexpr const char* kConvertedPattern = "#,##0.###############";

// The nearest 32-bit value; a value beyond the 32-bit range becomes an infinity.
float ToSingle(double value);

// The temperature case of a from-unit (table index 11 to 14) and a position in the
// temperature "To" list: 10 x (index - 10) + position; 0 for any other unit.
int TempCaseOf(int from_unit_index, int to_position);

// The temperature of case `temp_case` (1x fahrenheit, 2x celsius, 3x centigrade,
// 4x kelvin to x0 celsius, x1 centigrade, x2 kelvin, x3 fahrenheit), worked out in
// 64-bit arithmetic from the 32-bit amount and reduced to 32 bits again. An unknown
// case gives 0.
float ConvertTemperature(float amount, int temp_case);

// amount x factor, the factor widened from its 32 bits, formatted with kConvertedPattern.
std::string FormatConverted(double amount, float factor, const NumberSymbols& symbols);
// A 32-bit temperature formatted with kConvertedPattern through its shortest 32-bit
// decimal form, so that -273.15f shows as "-273.15".
std::string FormatTemperature(float temperature, const NumberSymbols& symbols);

}  // namespace tallymar
