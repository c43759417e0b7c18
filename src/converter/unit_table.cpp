// The units of each kind, one line each: the singular name, the plural the "To"
// lists show, and the unit's size in the kind's base SI unit (or liters, or bits).
// Every factor of the table is worked out from these sizes.
#include <iterator>
#include <span>

#include "converter/units.h"

namespace tallymar {

namespace {

struct UnitLine {
    const char* name;
    const char* plural;
    double size;
};

// Each size is the unit's defined value, written out as a decimal so that the double
// holding it is the nearest one to the definition. Nothing is worked out from a
// rounded intermediate: a factor is one size divided by another.

// Square meters (the inch is 0.0254 m).
constexpr UnitLine kArea[] = {
    {"square inch", "square inches", 0.00064516},
    {"square foot", "square feet", 0.09290304},
    {"square yard", "square yards", 0.83612736},
    {"acre", "acres", 4046.8564224},  // 43,560 square feet
    {"square mile", "square miles", 2589988.110336},
    {"section", "sections", 2589988.110336},  // one square mile
    {"square centimeter", "square centimeters", 1e-4},
    {"square meter", "square meters", 1},
    {"are", "ares", 1e2},
    {"hectare", "hectares", 1e4},
    {"square kilometer", "square kilometers", 1e6},
};

// Converted by formula; the names serve as singular and plural.
constexpr UnitLine kTemperature[] = {
    {"fahrenheit", "fahrenheit", 0},
    {"celsius", "celsius", 0},
    {"centigrade", "centigrade", 0},
    {"kelvin", "kelvin", 0},
};
// Temperature "To" list: celsius, centigrade, kelvin, fahrenheit.
constexpr int kTemperatureTo[] = {1, 2, 3, 0};

// Kilograms (the pound is 0.45359237 kg, the grain 1/7000 of it).
constexpr UnitLine kWeight[] = {
    {"grain", "grains", 0.00006479891},
    {"dram", "drams", 0.0017718451953125},          // 1/16 ounce
    {"ounce", "ounces", 0.028349523125},            // 1/16 pound
    {"ounce, troy", "ounces, troy", 0.0311034768},  // 480 grains
    {"pound", "pounds", 0.45359237},
    {"stone", "stones", 6.35029318},  // 14 pounds
    {"ton", "tons", 907.18474},       // 2,000 pounds
    {"milligram", "milligrams", 1e-6},
    {"gram", "grams", 1e-3},
    {"kilogram", "kilograms", 1},
    {"tonne", "tonnes", 1e3},
};

// Meters (the inch is 0.0254 m).
constexpr UnitLine kLength[] = {
    {"mil", "mils", 0.0000254},
    {"inch", "inches", 0.0254},
    {"foot", "feet", 0.3048},
    {"cubit", "cubits", 0.4572},  // 18 inches
    {"yard", "yards", 0.9144},
    {"fathom", "fathoms", 1.8288},
    {"rod", "rods", 5.0292},       // 16.5 feet
    {"chain", "chains", 20.1168},  // 66 feet
    {"furlong", "furlongs", 201.168},
    {"mile", "miles", 1609.344},
    {"mile, nautical", "miles, nautical", 1852},
    {"league", "leagues", 4828.032},  // 3 miles
    {"league, nautical", "leagues, nautical", 5556},
    {"marathon", "marathons", 42194.988},  // 26 miles 385 yards
    {"angstrom", "angstroms", 1e-10},
    {"micron", "microns", 1e-6},
    {"millimeter", "millimeters", 1e-3},
    {"centimeter", "centimeters", 1e-2},
    {"meter", "meters", 1},
    {"kilometer", "kilometers", 1e3},
};

// Liters (the US gallon is 3.785411784 L, the imperial gallon 4.54609 L).
constexpr UnitLine kVolume[] = {
    {"dram, fluid", "drams, fluid", 0.0036966911953125},      // 1/8 US fluid ounce
    {"ounce, fluid", "ounces, fluid", 0.0295735295625},       // 1/128 US gallon
    {"ounce, fluid imp", "ounces, fluid imp", 0.0284130625},  // 1/160 imperial gallon
    {"teaspoon", "teaspoons", 0.00492892159375},              // 1/6 US fluid ounce
    {"tablespoon", "tablespoons", 0.01478676478125},          // 1/2 US fluid ounce
    {"gill", "gills", 0.11829411825},
    {"cup", "cups", 0.2365882365},
    {"pint", "pints", 0.473176473},
    {"pint, imperial", "pints, imperial", 0.56826125},
    {"quart", "quarts", 0.946352946},
    {"quart, imperial", "quarts, imperial", 1.1365225},
    {"gallon", "gallons", 3.785411784},
    {"gallon, imperial", "gallons, imperial", 4.54609},
    {"firkin", "firkins", 34.068706056},   // 9 US gallons
    {"barrel", "barrels", 119.240471196},  // 31.5 US gallons
    {"milliliter", "milliliters", 1e-3},
    {"kiloliter", "kiloliters", 1e3},
    {"liter", "liters", 1},
};
// Volume "To" list: the spoons after the dram, the liter before the kiloliter.
constexpr int kVolumeTo[] = {0, 3, 4, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 16};

// Bits; the larger sizes go in steps of 1,024.
constexpr UnitLine kDataSize[] = {
    {"bit", "bits", 1},
    {"nibble", "nibbles", 4},
    {"byte", "bytes", 8},
    {"kilobyte", "kilobytes", 8192},
    {"megabyte", "megabytes", 8388608},
    {"gigabyte", "gigabytes", 8589934592.0},
    {"terabyte", "terabytes", 8796093022208.0},
};

// Seconds (the year is 365.2422 days).
constexpr UnitLine kTime[] = {
    {"nanosecond", "nanoseconds", 1e-9},
    {"microsecond", "microseconds", 1e-6},
    {"millisecond", "milliseconds", 1e-3},
    {"second", "seconds", 1},
    {"minute", "minutes", 60},
    {"hour", "hours", 3600},
    {"day", "days", 86400},
    {"week", "weeks", 604800},
    {"fortnight", "fortnights", 1209600},
    {"month", "months", 2629743.84},  // 1/12 year
    {"year", "years", 31556926.08},
    {"olympiad", "olympiads", 126227704.32},  // 4 years
    {"decade", "decades", 315569260.8},
    {"century", "centuries", 3155692608},
    {"millennium", "millennia", 31556926080},
};

struct KindLines {
    std::span<const UnitLine> units;  // in table order
    std::span<const int> to_order;    // the "To" list as positions in `units`; empty: table order
};

// In table order; the first four are filled by Conversions, the rest by Conversions2.
const KindLines kKinds[] = {
    {kArea, {}},   {kTemperature, kTemperatureTo}, {kWeight, {}},
    {kLength, {}}, {kVolume, kVolumeTo},           {kDataSize, {}},
    {kTime, {}},
};
constexpr int kFirstKindOfConversions2 = 4;

static_assert(std::size(kArea) + std::size(kTemperature) + std::size(kWeight) + std::size(kLength) +
                      std::size(kVolume) + std::size(kDataSize) + std::size(kTime) ==
                  kUnitCount,
              "the table holds every unit once");
static_assert(std::size(kLength) <= kMaxTargets && std::size(kVolume) == std::size(kVolumeTo));

std::string Padded(const char* name) {
    std::string padded(name);
    padded.resize(kUnitNameLength, ' ');
    return padded;
}

int Target(const KindLines& kind, int position) {
    return kind.to_order.empty() ? position : kind.to_order[position];
}

void FillKind(const KindLines& kind, const UnitKind& where, std::vector<UnitRec>& units) {
    for (int a = 0; a < where.count; ++a) {
        UnitRec& unit = units[where.first + a];
        unit = UnitRec{};
        unit.Name = Padded(kind.units[a].name);
        unit.TargetCount = static_cast<std::int16_t>(where.count);
        for (int j = 0; j < where.count; ++j) {
            const UnitLine& target = kind.units[Target(kind, j)];
            unit.TargetNames[j] = Padded(target.plural);
            if (!where.by_formula) {
                unit.Factors[j] = kind.units[a].size / target.size;
            }
        }
    }
}

void FillKinds(int first_kind, int end_kind, std::vector<UnitRec>& units) {
    for (int k = first_kind; k < end_kind; ++k) FillKind(kKinds[k], UnitKinds()[k], units);
}

}  // namespace

const std::array<UnitKind, 7>& UnitKinds() {
    static const std::array<UnitKind, 7> kinds = [] {
        const char* const names[] = {"area",   "temperature", "weight", "length",
                                     "volume", "data size",   "time"};
        std::array<UnitKind, 7> made{};
        int first = 0;
        for (int k = 0; k < 7; ++k) {
            const int count = static_cast<int>(kKinds[k].units.size());
            made[k] = UnitKind{names[k], first, count, kKinds[k].units.data() == kTemperature};
            first += count;
        }
        return made;
    }();
    return kinds;
}

const UnitKind& KindOfUnit(int index) {
    for (const UnitKind& kind : UnitKinds()) {
        if (index < kind.first + kind.count) return kind;
    }
    return UnitKinds().back();
}

int ToPosition(int index) {
    const UnitKind& where = KindOfUnit(index);
    const KindLines& kind = kKinds[&where - UnitKinds().data()];
    for (int j = 0; j < where.count; ++j) {
        if (where.first + Target(kind, j) == index) return j;
    }
    return -1;
}

int UnitAtToPosition(int index, int position) {
    const UnitKind& where = KindOfUnit(index);
    return where.first + Target(kKinds[&where - UnitKinds().data()], position);
}

void Conversions(std::vector<UnitRec>& Units) {
    Units.resize(kUnitCount);
    FillKinds(0, kFirstKindOfConversions2, Units);
    Conversions2(Units);
}

void Conversions2(std::vector<UnitRec>& Units) {
    Units.resize(kUnitCount);
    FillKinds(kFirstKindOfConversions2, static_cast<int>(std::size(kKinds)), Units);
}

}  // namespace tallymar
