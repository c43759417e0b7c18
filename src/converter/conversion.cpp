// The conversion rules. Results are formatted by the tape's number formatter.
#include "converter/conversion.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tallymar {

namespace {

// Not the exact 5/9: fifteen fives, as the converter has always worked it out.
constexpr double kFiveNinths = 0.555555555555555;
constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr double kFahrenheitPerCelsius = 1.8;
constexpr double kFahrenheitAtZeroCelsius = 32;

constexpr int kFirstTemperatureUnit = 11;
constexpr int kLastTemperatureUnit = 14;

}  // namespace

float ToSingle(double value) {
    // The cast itself is only defined within the 32-bit range.
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest) return std::numeric_limits<float>::infinity();
    if (value < -kLargest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int TempCaseOf(int from_unit_index, int to_position) {
    if (from_unit_index < kFirstTemperatureUnit || from_unit_index > kLastTemperatureUnit) return 0;
    return 10 * (from_unit_index - 10) + to_position;
}

float ConvertTemperature(float amount, int temp_case) {
    const double x = amount;
    double result = 0;
    switch (temp_case) {
        case 10:
        case 11:
            result = (x - kFahrenheitAtZeroCelsius) * kFiveNinths;
            break;
        case 12:
            result = (x - kFahrenheitAtZeroCelsius) * kFiveNinths + kKelvinAtZeroCelsius;
            break;
        case 13:
        case 20:
        case 21:
        case 30:
        case 31:
        case 42:
            result = x;
            break;
        case 22:
        case 32:
            result = x + kKelvinAtZeroCelsius;
            break;
        case 23:
        case 33:
            result = x * kFahrenheitPerCelsius + kFahrenheitAtZeroCelsius;
            break;
        case 40:
        case 41:
            result = x - kKelvinAtZeroCelsius;
            break;
        case 43:
            result = (x - kKelvinAtZeroCelsius) * kFahrenheitPerCelsius + kFahrenheitAtZeroCelsius;
            break;
        default:
            break;
    }
    return ToSingle(result);
}

std::string FormatConverted(double amount, float factor, const NumberSymbols& symbols) {
    return FormatNumber(static_cast<double>(factor) * amount, kConvertedPattern, symbols);
}

std::string FormatTemperature(float temperature, const NumberSymbols& symbols) {
    char shortest[64];
    const auto written = std::to_chars(shortest, shortest + sizeof shortest, temperature);
    double value = temperature;  // infinities and NaN are passed on as they are
    std::from_chars(shortest, written.ptr, value);
    return FormatNumber(value, kConvertedPattern, symbols);
}

}  // namespace tallymar
