#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "converter/conversion.h"
#include "converter/unit_names.h"
#include "converter/units.h"

namespace tallymar {
namespace {

std::vector<UnitRec> Table() {
    std::vector<UnitRec> units;
    Conversions(units);
    return units;
}

TEST(UnitTable, gives_every_unit_of_a_kind_the_same_targets_in_the_kinds_order) {
    struct Kind {
        const char* name;
        int count;
        std::vector<std::pair<int, const char*>> targets;  // To position, plural shown there
    };
    const Kind kinds[] = {
        {"area", 11, {{0, "square inches"}, {3, "acres"}, {10, "square kilometers"}}},
        {"temperature", 4, {{0, "celsius"}, {1, "centigrade"}, {2, "kelvin"}, {3, "fahrenheit"}}},
        {"weight", 11, {{0, "grains"}, {3, "ounces, troy"}, {9, "kilogram"}, {10, "tonnes"}}},
        {"length", 20, {{0, "mils"}, {2, "feet"}, {10, "miles, nautical"}, {19, "kilometers"}}},
        {"volume",
         18,
         {{0, "drams, fluid"},
          {1, "teaspoons"},
          {3, "ounces, fluid"},
          {4, "ounces, fluid imp"},
          {12, "gallons, imperial"},
          {16, "liters"},
          {17, "kiloliters"}}},
        {"data size", 7, {{0, "bits"}, {3, "kilobytes"}, {6, "terabytes"}}},
        {"time", 15, {{0, "nanoseconds"}, {13, "centuries"}, {14, "milleniums"}}},
    };
    const std::vector<UnitRec> units = Table();
    ASSERT_EQ(units.size(), 86u);
    int next = 0;
    for (size_t k = 0; k < std::size(kinds); ++k) {
        const UnitKind& kind = UnitKinds()[k];
        SCOPED_TRACE(kind.name);
        EXPECT_STREQ(kind.name, kinds[k].name);
        EXPECT_EQ(kind.first, next);
        EXPECT_EQ(kind.count, kinds[k].count);
        next += kind.count;
        const UnitRec& first = units[kind.first];
        for (const auto& [position, plural] : kinds[k].targets) {
            EXPECT_EQ(TrimUnitName(first.TargetNames[position]), plural);
        }
        for (int i = kind.first; i < kind.first + kind.count; ++i) {
            EXPECT_EQ(units[i].Name.size(), 20u) << i;
            EXPECT_EQ(units[i].TargetCount, kind.count) << i;
            EXPECT_EQ(units[i].TargetNames, first.TargetNames) << i;
            EXPECT_EQ(&KindOfUnit(i), &kind) << i;
        }
        EXPECT_EQ(first.TargetNames[kind.count], "");
    }
    EXPECT_EQ(next, 86);
}

TEST(UnitTable, converts_each_unit_to_itself_with_factor_one) {
    const std::vector<UnitRec> units = Table();
    for (const UnitKind& kind : UnitKinds()) {
        std::vector<int> positions;
        for (int i = kind.first; i < kind.first + kind.count; ++i) {
            positions.push_back(ToPosition(i));
            if (!kind.by_formula) {
                EXPECT_EQ(units[i].Factors[ToPosition(i)], 1.0f) << i;
            }
        }
        std::sort(positions.begin(), positions.end());
        for (int j = 0; j < kind.count; ++j) EXPECT_EQ(positions[j], j) << kind.name;
    }
}

// Factors come from one size per unit, so any two agree with a third up to 32-bit rounding.
TEST(UnitTable, keeps_every_factor_consistent_with_the_factors_through_a_third_unit) {
    const std::vector<UnitRec> units = Table();
    for (const UnitKind& kind : UnitKinds()) {
        if (kind.by_formula) continue;
        for (int a = kind.first; a < kind.first + kind.count; ++a) {
            for (int b = kind.first; b < kind.first + kind.count; ++b) {
                const double ab = units[a].Factors[ToPosition(b)];
                ASSERT_NEAR(ab * units[b].Factors[ToPosition(a)], 1.0, 3e-7) << a << " " << b;
                for (int c = kind.first; c < kind.first + kind.count; ++c) {
                    const double via_b = ab * units[b].Factors[ToPosition(c)];
                    const double direct = units[a].Factors[ToPosition(c)];
                    ASSERT_NEAR(via_b / direct, 1.0, 3e-7) << a << " " << b << " " << c;
                }
            }
        }
    }
}

TEST(ConvertTemperature, works_each_case_out_in_32_bit_values) {
    struct Case {
        int temp_case;
        float amount;
        double expected;  // as the 32-bit result
    };
    const Case cases[] = {
        {23, 100, 212},
        {10, 32, 0},
        {11, 212, 100},
        {40, 0, -273.15},
        {41, 0, -273.15},
        {21, 50, 50},
        {30, 50, 50},
        {22, 0, 273.15},
        {32, 100, 373.15},
        {12, 212, 373.15},
        {43, 0, -459.67},
        {33, -40, -40},
        {13, 98.6f, 98.6f},
        {42, 300, 300},
        {20, 7, 7},
        {31, 7, 7},
        // fifteen fives, not 5/9: 5/9 would round this one to -35.4 in 32 bits
        {10, -31.72f, -35.399998},
        {44, 5, 0},
        {0, 5, 0},
        {99, 5, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertTemperature(c.amount, c.temp_case), static_cast<float>(c.expected))
            << c.temp_case << " " << c.amount;
    }
    EXPECT_EQ(FormatTemperature(ConvertTemperature(-31.72f, 10), {}), "-35.399998");
    EXPECT_EQ(FormatTemperature(ConvertTemperature(ToSingle(1e300), 23), {}), "Overflow");
}

TEST(UnitNames, flip_at_the_first_comma_and_trim_trailing_blanks) {
    const std::pair<const char*, const char*> flips[] = {
        {"miles, nautical", "nautical miles"},
        {"ounce, fluid imp", "fluid imp ounce"},
        {"gallons, imperial", "imperial gallons"},
        {"foot", "foot"},
        {"a, b, c", "b, c a"},
        {"", ""},
    };
    for (const auto& [name, flipped] : flips) EXPECT_EQ(FlipUnitName(name), flipped) << name;
    EXPECT_EQ(TrimUnitName("mile, nautical      "), "mile, nautical");
    EXPECT_EQ(TrimUnitName(" inch "), " inch");
    EXPECT_EQ(TrimUnitName("    "), "");
    EXPECT_EQ(FirstCharacters("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
}

TEST(UnitNames, take_a_plain_s_on_the_whole_name_above_one) {
    const struct {
        const char* name;
        double amount;
        const char* shown;
    } rows[] = {
        {"mile, nautical      ", 2, "mile, nauticals"},
        {"inch", 2, "inchs"},
        {"inch", 1.0001, "inchs"},
        {"inch", 1, "inch"},
        {"inch", 0.5, "inch"},
        {"inch", -3, "inch"},
    };
    for (const auto& r : rows) EXPECT_EQ(NameForAmount(r.name, r.amount), r.shown) << r.amount;
}

TEST(UnitNames, shorten_square_from_sixteen_characters_on) {
    const std::pair<const char*, const char*> rows[] = {
        {"square kilometer", "sq. kilometer"},      {"square kilometers", "sq. kilometers"},
        {"square centimeter", "sq. centimeter"},    {"square inches", "square inches"},
        {"square abcdefghi", "sq. abcdefghi"},      {"square abcdefgh", "square abcdefgh"},
        {"leagues, nautical", "leagues, nautical"}, {"", ""},
    };
    for (const auto& [caption, shown] : rows) EXPECT_EQ(ShortenSquare(caption), shown) << caption;
}

}  // namespace
}  // namespace tallymar
