// The conversion rules. Results are formatted by the tape's number formatter, which
// works on a value's 15-significant-digit decimal form, so the last bits of a product
// of two defined sizes (0.30479999999999996 for a foot in meters) never show.
#include "converter/conversion.h"

namespace tallymar {

namespace {

constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr double kFahrenheitPerCelsius = 1.8;
constexpr double kFahrenheitAtZeroCelsius = 32;

constexpr int kFirstTemperatureUnit = 11;
constexpr int kLastTemperatureUnit = 14;

// Up to 15 decimals, thousands grouped. On a whole number it leaves the point ("12.").
constexpr const char* kResultPattern = "#,##0.###############";

double CelsiusOfFahrenheit(double x) {
    return (x - kFahrenheitAtZeroCelsius) / kFahrenheitPerCelsius;
}

double FahrenheitOfCelsius(double x) {
    return x * kFahrenheitPerCelsius + kFahrenheitAtZeroCelsius;
}

}  // namespace

int TempCaseOf(int from_unit_index, int to_position) {
    if (from_unit_index < kFirstTemperatureUnit || from_unit_index > kLastTemperatureUnit) return 0;
    return 10 * (from_unit_index - 10) + to_position;
}

double ConvertTemperature(double x, int temp_case) {
    switch (temp_case) {
        case 10:
        case 11:
            return CelsiusOfFahrenheit(x);
        case 12:
            return CelsiusOfFahrenheit(x) + kKelvinAtZeroCelsius;
        case 13:
        case 20:
        case 21:
        case 30:
        case 31:
        case 42:
            return x;
        case 22:
        case 32:
            return x + kKelvinAtZeroCelsius;
        case 23:
        case 33:
            return FahrenheitOfCelsius(x);
        case 40:
        case 41:
            return x - kKelvinAtZeroCelsius;
        case 43:
            return FahrenheitOfCelsius(x - kKelvinAtZeroCelsius);
        default:
            return 0;
    }
}

std::string FormatResult(double value, const NumberSymbols& symbols) {
    std::string written = FormatNumber(value, kResultPattern, symbols);
    const std::string& point = symbols.decimal;
    if (written.ends_with(point)) written.resize(written.size() - point.size());
    // Every digit cut away: the general form keeps the significant ones.
    if (value != 0 && (written == "0" || written == "-0")) return FormatNumber(value, "", symbols);
    return written;
}

}  // namespace tallymar
