// The unit table the converter lists and converts with: 86 units of seven kinds,
// each carrying the names of and factors to every unit of its own kind.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tallymar {

inline constexpr int kUnitCount = 86;
// The most units one kind has room for ("To" slots of a unit).
inline constexpr int kMaxTargets = 21;
// Unit names are kept as exactly this many characters, padded with blanks.
inline constexpr int kUnitNameLength = 20;

struct UnitRec {
    std::string Name;              // singular, padded to kUnitNameLength
    std::int16_t TargetCount = 0;  // the number of units of its kind
    // Plural names of the units of its kind in their "To" order, padded; slots from
    // TargetCount on stay empty.
    std::array<std::string, kMaxTargets> TargetNames;
    // Slot j: how many of target j make one of this unit, the ratio of the two units'
    // defined sizes in double precision. Temperatures convert by formula and keep 0 here.
    std::array<double, kMaxTargets> Factors{};
};

// A kind of unit and where its units sit in the table.
struct UnitKind {
    const char* name;  // "area", "temperature", "weight", "length", "volume", "data size", "time"
    int first;         // index in the table of its first unit
    int count;
    bool by_formula;  // temperature: converted by ConvertTemperature, not by factors
};

// The seven kinds in table order.
const std::array<UnitKind, 7>& UnitKinds();
// The kind of the unit at `index` (0 to kUnitCount - 1).
const UnitKind& KindOfUnit(int index);
// Where the unit at `index` stands in its kind's "To" list (converting to it is
// converting a unit to itself).
int ToPosition(int index);
// The table index of the unit at `position` (0 to its kind's count - 1) of the "To"
// list of the unit at `index`; ToPosition's inverse.
int UnitAtToPosition(int index, int position);

// Fills indices 0 to 45 of `Units` (area, temperature, weight, length), sizing it to
// kUnitCount first, and then calls Conversions2.
void Conversions(std::vector<UnitRec>& Units);
// Fills indices 46 to 85 (volume, data size, time).
void Conversions2(std::vector<UnitRec>& Units);

}  // namespace tallymar
