// The units of each kind, one line each: the singular name, the plural the "To"
// lists show, and the unit's size in the first unit of its kind. Every factor of
// the table is worked out from these sizes.
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

constexpr double kSquareInchesPerSquareCentimeter = 1 / 6.4516;
constexpr double kGrainsPerMilligram = 1 / 64.79891;
constexpr double kMilsPerMeter = 1 / 0.0000254;
constexpr double kFluidDramsPerMilliliter = 1 / 3.6966911953125;
constexpr double kImperialFluidOunce = 28.4130625 * kFluidDramsPerMilliliter;
constexpr double kNanosecondsPerSecond = 1e9;
constexpr double kNanosecondsPerDay = 86400 * kNanosecondsPerSecond;
constexpr double kNanosecondsPerYear = 365.2422 * kNanosecondsPerDay;

// Sizes in square inches.
constexpr UnitLine kArea[] = {
    {"square inch", "square inches", 1},
    {"square foot", "square feet", 144},
    {"square yard", "square yards", 1296},
    {"acre", "acres", 6272640},
    {"square mile", "square miles", 4014489600.0},
    {"section", "sections", 4014489600.0},
    {"square centimeter", "square centimeters", kSquareInchesPerSquareCentimeter},
    {"square meter", "square meters", 1e4 * kSquareInchesPerSquareCentimeter},
    {"are", "ares", 1e6 * kSquareInchesPerSquareCentimeter},
    {"hectare", "hectares", 1e8 * kSquareInchesPerSquareCentimeter},
    {"square kilometer", "square kilometers", 1e10 * kSquareInchesPerSquareCentimeter},
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

// Sizes in grains.
constexpr UnitLine kWeight[] = {
    {"grain", "grains", 1},
    {"dram", "drams", 27.34375},
    {"ounce", "ounces", 437.5},
    {"ounce, troy", "ounces, troy", 480},
    {"pound", "pounds", 7000},
    {"stone", "stones", 98000},
    {"ton", "tons", 14e6},
    {"milligram", "milligrams", kGrainsPerMilligram},
    {"gram", "grams", 1e3 * kGrainsPerMilligram},
    {"kilogram", "kilogram", 1e6 * kGrainsPerMilligram},
    {"tonne", "tonnes", 1e9 * kGrainsPerMilligram},
};

// Sizes in mils (thousandths of an inch).
constexpr UnitLine kLength[] = {
    {"mil", "mils", 1},
    {"inch", "inches", 1000},
    {"foot", "feet", 12000},
    {"cubit", "cubits", 18000},
    {"yard", "yards", 36000},
    {"fathom", "fathoms", 72000},
    {"rod", "rods", 198000},
    {"chain", "chains", 792000},
    {"furlong", "furlongs", 7920000},
    {"mile", "miles", 63360000},
    {"mile, nautical", "miles, nautical", 1852 * kMilsPerMeter},
    {"league", "leagues", 190080000},
    {"league, nautical", "leagues, nautical", 5556 * kMilsPerMeter},
    {"marathon", "marathons", 1661220000},
    {"angstrom", "angstroms", 1e-10 * kMilsPerMeter},
    {"micron", "microns", 1e-6 * kMilsPerMeter},
    {"millimeter", "millimeters", 1e-3 * kMilsPerMeter},
    {"centimeter", "centimeters", 1e-2 * kMilsPerMeter},
    {"meter", "meters", kMilsPerMeter},
    {"kilometer", "kilometers", 1e3 * kMilsPerMeter},
};

// Sizes in US fluid drams.
constexpr UnitLine kVolume[] = {
    {"dram, fluid", "drams, fluid", 1},
    {"ounce, fluid", "ounces, fluid", 8},
    {"ounce, fluid imp", "ounces, fluid imp", kImperialFluidOunce},
    {"teaspoon", "teaspoons", 4.0 / 3.0},
    {"tablespoon", "tablespoons", 4},
    {"gill", "gills", 32},
    {"cup", "cups", 64},
    {"pint", "pints", 128},
    {"pint, imperial", "pints, imperial", 20 * kImperialFluidOunce},
    {"quart", "quarts", 256},
    {"quart, imperial", "quarts, imperial", 40 * kImperialFluidOunce},
    {"gallon", "gallons", 1024},
    {"gallon, imperial", "gallons, imperial", 160 * kImperialFluidOunce},
    {"firkin", "firkins", 9216},
    {"barrel", "barrels", 32256},
    {"milliliter", "milliliters", kFluidDramsPerMilliliter},
    {"kiloliter", "kiloliters", 1e6 * kFluidDramsPerMilliliter},
    {"liter", "liters", 1e3 * kFluidDramsPerMilliliter},
};
// Volume "To" list: the spoons after the dram, the liter before the kiloliter.
constexpr int kVolumeTo[] = {0, 3, 4, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 16};

// Sizes in bits.
constexpr UnitLine kDataSize[] = {
    {"bit", "bits", 1},
    {"nibble", "nibbles", 4},
    {"byte", "bytes", 8},
    {"kilobyte", "kilobytes", 8192},
    {"megabyte", "megabytes", 8388608},
    {"gigabyte", "gigabytes", 8589934592.0},
    {"terabyte", "terabytes", 8796093022208.0},
};

// Sizes in nanoseconds.
constexpr UnitLine kTime[] = {
    {"nanosecond", "nanoseconds", 1},
    {"microsecond", "microseconds", 1e3},
    {"millisecond", "milliseconds", 1e6},
    {"second", "seconds", kNanosecondsPerSecond},
    {"minute", "minutes", 60 * kNanosecondsPerSecond},
    {"hour", "hours", 3600 * kNanosecondsPerSecond},
    {"day", "days", kNanosecondsPerDay},
    {"week", "weeks", 7 * kNanosecondsPerDay},
    {"fortnight", "fortnights", 14 * kNanosecondsPerDay},
    {"month", "months", kNanosecondsPerYear / 12},
    {"year", "years", kNanosecondsPerYear},
    {"olympiad", "olympiads", 4 * kNanosecondsPerYear},
    {"decade", "decades", 10 * kNanosecondsPerYear},
    {"century", "centuries", 100 * kNanosecondsPerYear},
    {"millenium", "milleniums", 1000 * kNanosecondsPerYear},
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
                unit.Factors[j] = static_cast<float>(kind.units[a].size / target.size);
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
