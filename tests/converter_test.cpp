// The unit table, the conversion rules and the converter window's model.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "converter/conversion.h"
#include "converter/converter_form.h"
#include "converter/unit_names.h"
#include "converter/units.h"

namespace tallymar {

namespace {

using Texts = std::vector<std::string>;

TEST(UnitTable, gives_every_unit_of_a_kind_the_same_targets_and_factors_of_one_size_each) {
    std::vector<UnitRec> units;
    Conversions(units);
    ASSERT_EQ(units.size(), 86u);
    auto factor = [&](int from, int to) { return units[from].Factors[ToPosition(to)]; };
    const int counts[] = {11, 4, 11, 20, 18, 7, 15};
    const char* const first_targets[] = {"square inches", "celsius", "grains",     "mils",
                                         "drams, fluid",  "bits",    "nanoseconds"};
    int next = 0;
    for (int k = 0; k < 7; ++k) {
        const UnitKind& kind = UnitKinds()[k];
        EXPECT_EQ(kind.first, next);
        ASSERT_EQ(kind.count, counts[k]);
        next += kind.count;
        const int end = kind.first + kind.count;
        EXPECT_EQ(TrimUnitName(units[kind.first].TargetNames[0]), first_targets[k]);
        EXPECT_EQ(units[kind.first].TargetNames[kind.count], "");
        for (int a = kind.first; a < end; ++a) {
            EXPECT_EQ(units[a].TargetCount, kind.count) << a;
            EXPECT_EQ(units[a].TargetNames, units[kind.first].TargetNames) << a;
            EXPECT_EQ(&KindOfUnit(a), &kind) << a;
            if (kind.by_formula) continue;
            // One size per unit: a unit in itself is exactly 1, and any two agree with
            // a third to the last few bits of a double.
            EXPECT_EQ(factor(a, a), 1.0) << a;
            EXPECT_EQ(UnitAtToPosition(a, ToPosition(a)), a);
            for (int b = kind.first; b < end; ++b) {
                for (int c = kind.first; c < end; ++c)
                    ASSERT_NEAR(factor(a, b) * factor(b, c) / factor(a, c), 1, 1e-15)
                        << a << b << c;
            }
        }
    }
}

// The names shown and the results are tried through the window below; here what it
// never shows.
TEST(UnitNames, cut_whole_characters_and_an_unknown_temperature_case_gives_zero) {
    EXPECT_EQ(FirstCharacters("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(ShortenSquare("square abcdefghi"), "sq. abcdefghi");  // 16 characters
    EXPECT_EQ(ShortenSquare("square abcdefgh"), "square abcdefgh");
    for (int temp_case : {0, 14, 44, 99}) EXPECT_EQ(ConvertTemperature(5, temp_case), 0.0);
    EXPECT_EQ(FormatResult(ConvertTemperature(1e308, 23), {}), "Overflow");
    // Another locale's point is dropped from a whole result as well.
    EXPECT_EQ(FormatResult(1234, {",", "."}), "1.234");
    EXPECT_EQ(FormatResult(-0.5, {",", "."}), "-0,5");
}

// The tape and the desktop (whose browser opens only the first address).
struct Recorder : TapeWriter, ConverterDesktop {
    void AppendConversion(const std::vector<ConversionLine>& lines) override {
        blocks.push_back(lines);
    }
    bool OpenAddress(const std::string& address) override {
        opened.push_back(address);
        return opened.size() == 1;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::vector<ConversionLine>> blocks;
    Texts opened, messages;
};

class ConverterFormTest : public testing::Test {
  protected:
    ConverterFormTest() { form.emplace(tape, desktop, show_conversion, Colours{1, 2, 3, 4, 5}); }
    // Picks `from`, types `amount` over the amount box (unless null), picks `to`.
    void Convert(const char* from, const char* amount, const char* to) {
        form->cboFrom_Click(form->FromListIndexOf(from));
        if (amount) form->txtUnitsFrom_Change(amount);
        form->cboTo_Click(form->ToListIndexOf(to));
    }
    void Retype(const char* amount) {
        form->txtUnitsFrom_Change(amount);
        form->cmdConverter_Click();
    }
    Texts Labels() const {
        return {form->txtUnitsFrom(), form->lblUnitsFromTxt(), form->lblEquals(),
                form->lblUnitsTo(), form->lblUnitsToTxt()};
    }

    Recorder tape, &desktop = tape;
    bool show_conversion = false;
    std::optional<ConverterForm> form;
};

TEST_F(ConverterFormTest, opens_with_the_units_sorted_and_empty_boxes_and_opens_the_currency_page) {
    const auto& from = form->cboFrom();
    ASSERT_EQ(from.size(), 86u);
    EXPECT_EQ(TrimUnitName(from.front()), "acre");
    EXPECT_TRUE(std::is_sorted(from.begin(), from.end()));
    EXPECT_EQ(Labels(), Texts(5, ""));
    EXPECT_FALSE(form->chbAddToTape());
    const ConverterColours& c = form->colours();
    EXPECT_EQ(std::vector({c.form_back, c.panel_back, c.label_fore}),
              std::vector<Colour>({5, 4, 1}));

    show_conversion = true;  // the box follows the setting and writes nothing yet
    form.emplace(tape, desktop, show_conversion, Colours{});
    EXPECT_TRUE(form->chbAddToTape());
    EXPECT_TRUE(tape.blocks.empty());

    form->cmdWeb_Click();
    form->cmdWeb_Click();  // no browser this time
    EXPECT_EQ(desktop.opened, Texts(2, CurrencyAddress()));
    EXPECT_EQ(desktop.messages, Texts{convert_text::kNoConnection});
}

// Each kind against its units' defined values: written to 15 significant digits at
// most, with no binary noise, no trailing zeros and no trailing point.
TEST_F(ConverterFormTest, converts_by_the_defined_values_and_writes_results_as_a_person_does) {
    const struct {
        const char *from, *amount, *to, *result;
        // clang-format off
    } rows[] = {
        // Area
        {"square inch", "1", "square centimeters", "6.4516"},
        {"acre", "1", "square meters", "4,046.8564224"}, {"acre", "2", "square feet", "87,120"},
        {"square mile", "1", "acres", "640"}, {"hectare", "1", "acres", "2.47105381467165"},
        // Temperature
        {"celsius", "100", "fahrenheit", "212"}, {"kelvin", "0", "celsius", "-273.15"},
        {"fahrenheit", "32", "celsius", "0"}, {"fahrenheit", "212", "kelvin", "373.15"},
        {"fahrenheit", "98.6", "centigrade", "37"}, {"fahrenheit", "-31.72", "celsius", "-35.4"},
        {"centigrade", "-40", "fahrenheit", "-40"}, {"kelvin", "0", "fahrenheit", "-459.67"},
        {"celsius", "50", "centigrade", "50"}, {"kelvin", "300", "kelvin", "300"},
        // Weight
        {"pound", "1", "grams", "453.59237"}, {"grain", "1", "milligrams", "64.79891"},
        {"pound", "1", "grains", "7,000"}, {"stone", "1", "pounds", "14"},
        {"ounce, troy", "1", "grains", "480"}, {"ton", "1", "tonnes", "0.90718474"},
        {"kilogram", "1", "pounds", "2.20462262184878"},
        // Length
        {"foot", "1", "meters", "0.3048"}, {"inch", "1", "centimeters", "2.54"},
        {"foot", "5280", "meters", "1,609.344"}, {"mile", "1", "feet", "5,280"},
        {"mile, nautical", "1", "meters", "1,852"}, {"marathon", "1", "kilometers", "42.194988"},
        {"angstrom", "1", "kilometers", "0.0000000000001"}, {"inch", "12", "feet", "1"},
        // Volume
        {"gallon", "1", "liters", "3.785411784"}, {"gallon, imperial", "1", "liters", "4.54609"},
        {"gallon", "1", "ounces, fluid", "128"}, {"pint, imperial", "1", "ounces, fluid imp", "20"},
        {"cup", "1", "drams, fluid", "64"}, {"firkin", "1", "quarts", "36"},
        {"barrel", "1", "gallons", "31.5"}, {"teaspoon", "1", "firkins", "0.000144675925926"},
        // Data size, in steps of 1,024
        {"kilobyte", "1", "bytes", "1,024"}, {"megabyte", "1", "kilobytes", "1,024"},
        {"terabyte", "1", "bits", "8,796,093,022,208"}, {"bit", "1", "kilobytes", "0.0001220703125"},
        // Time
        {"day", "1", "seconds", "86,400"}, {"year", "1", "days", "365.2422"},
        {"week", "1", "hours", "168"}, {"hour", "1", "decades", "0.000011407955233"},
        {"millennium", "1", "nanoseconds", "31,556,926,080,000,000,000"},
        {"nanosecond", "1", "millennia", "3.16887645350786E-20"}};
    // clang-format on
    for (const auto& r : rows) {
        Convert(r.from, r.amount, r.to);
        EXPECT_EQ(form->lblUnitsTo(), r.result) << r.amount << " " << r.from << " to " << r.to;
    }
    EXPECT_TRUE(tape.blocks.empty());
}

TEST_F(ConverterFormTest, the_convert_button_converts_the_typed_amount_and_names_it) {
    Retype("2");              // no units picked: nothing to name or convert
    form->cboFrom_Click(86);  // no such unit
    EXPECT_EQ(Labels(), (Texts{"2", "", "", "", ""}));
    form->cboFrom_Click(form->FromListIndexOf("foot"));
    EXPECT_EQ(Labels(), (Texts{"1", "foot", "", "", ""}));
    Retype("2");  // a from-unit but no target: no result
    EXPECT_EQ(Labels(), (Texts{"2", "feet", "", "", ""}));
    Convert("acre", nullptr, "square feet");  // the first unit of the list
    Retype("2");
    EXPECT_EQ(Labels(), (Texts{"2", "acres", "equals", "87,120", "square feet"}));
    Convert("celsius", "0", "kelvin");
    Retype("100");
    EXPECT_EQ(Labels(), (Texts{"100", "celsius", "equals", "373.15", "kelvin"}));
    // An amount that is no number leaves the result as it was, but a result in
    // another unit is not shown beside a new target's name, nor written on the tape.
    Convert("foot", nullptr, "meters");
    Retype("twelve");
    EXPECT_EQ(Labels(), (Texts{"twelve", "foot", "equals", "0.3048", "meters"}));
    form->cboTo_Click(form->ToListIndexOf("inches"));
    EXPECT_EQ(Labels(), (Texts{"twelve", "foot", "equals", "", "inches"}));
    form->chbAddToTape_Click(true);
    EXPECT_TRUE(tape.blocks.empty());
}

// The singular beside an amount or result of one, the plural otherwise; a name with a
// qualifier reads the usual way round.
TEST_F(ConverterFormTest, names_amounts_and_results_with_proper_plurals) {
    const struct {
        const char *from, *amount, *to, *from_name, *to_name;
        // clang-format off
    } rows[] = {
        {"foot", "2", "inches", "feet", "inches"}, {"inch", "12", "feet", "inches", "foot"},
        {"foot", "1", "inches", "foot", "inches"}, {"foot", "0.5", "inches", "feet", "inches"},
        {"century", "3", "years", "centuries", "years"},
        {"millennium", "1", "centuries", "millennium", "centuries"},
        {"square foot", "9", "square yards", "square feet", "square yard"},
        {"kilogram", "2", "grams", "kilograms", "grams"}, {"gram", "1000", "kilograms", "grams", "kilogram"},
        {"mile, nautical", "2", "miles, nautical", "nautical miles", "nautical miles"},
        {"mile, nautical", "1", "meters", "nautical mile", "meters"},
        {"gallon, imperial", "-1", "gallons, imperial", "imperial gallon", "imperial gallon"},
        {"fahrenheit", "2", "celsius", "fahrenheit", "celsius"}};
    // clang-format on
    for (const auto& r : rows) {
        // Typed after picking the target, then converted with the button.
        Convert(r.from, nullptr, r.to);
        Retype(r.amount);
        EXPECT_EQ(form->lblUnitsFromTxt(), r.from_name) << r.amount << " " << r.from;
        EXPECT_EQ(form->lblUnitsToTxt(), r.to_name) << r.amount << " " << r.from << " to " << r.to;
    }
}

TEST_F(ConverterFormTest, writes_a_block_only_when_converting_while_the_box_is_ticked) {
    form->chbAddToTape_Click(true);  // nothing converted yet: nothing to write
    EXPECT_TRUE(show_conversion);
    EXPECT_TRUE(tape.blocks.empty());
    Convert("celsius", nullptr, "fahrenheit");  // picking units only shows the result
    EXPECT_EQ(form->lblUnitsTo(), "33.8");
    EXPECT_TRUE(tape.blocks.empty());
    form->cmdConverter_Click();  // Enter or the button: one block
    EXPECT_EQ(tape.blocks.size(), 1u);
    Convert("foot", "5280", "meters");
    form->cboTo_Click(form->ToListIndexOf("inches"));
    form->cboTo_Click(form->ToListIndexOf("meters"));
    EXPECT_EQ(tape.blocks.size(), 1u);
    form->cmdConverter_Click();
    Convert("square kilometer", "2", "square inches");
    form->cmdConverter_Click();
    Convert("square inch", nullptr, "square kilometers");
    form->cmdConverter_Click();
    Convert("millennium", nullptr, "nanoseconds");
    form->txtUnitsFrom_Change("7");  // typed but not converted: the block shows what was
    form->chbAddToTape_Click(false);
    form->chbAddToTape_Click(true);  // ticked while a result shows: that one is written
    form->chbAddToTape_Click(false);
    EXPECT_FALSE(show_conversion);
    Convert("foot", nullptr, "inches");
    form->cmdConverter_Click();  // not ticked: shown only
    form->txtUnitsFrom_Change("x");
    form->chbAddToTape_Click(true);  // a result still shows: written as converted
    form->cmdConverter_Click();      // no number: nothing converted, nothing written

    auto block = [](const char* amount, const char* from, const char* result, const char* to) {
        return std::vector<ConversionLine>{
            {amount, '>'}, {from, '>'}, {result, '>'}, {to, '>'}, {"---------------", 'H'}};
    };
    EXPECT_EQ(tape.blocks, (std::vector<std::vector<ConversionLine>>{
                               block("1", "celsius", "33.8", "fahrenheit"),
                               block("5280", "feet", "1,609.344", "meters"),
                               block("2", "sq. kilometers", "3,100,006,200.012", "square inches"),
                               block("1", "square inch", "0.00000000064516", "sq. kilometers"),
                               block("1", "millennium", "31,556,926,080,00", "nanoseconds"),
                               block("1", "foot", "12", "inches")}));
    EXPECT_EQ(form->lblUnitsTo(), "12");
}

// The converter opens 3000 twips right of the main window and 2000 below its top,
// unless the main window stands within 6000 twips of the screen's right edge: then it
// opens 3000 to the left of it.
TEST(ConverterPlace, opens_right_of_the_main_window_unless_that_runs_off_the_screen) {
    const double rows[][5] = {// main left, main top, screen width -> left, top
                              {1000, 500, 19200, 4000, 2500},
                              {13200, 0, 19200, 16200, 2000},
                              {13201, 0, 19200, 10201, 2000}};
    for (const auto& r : rows) {
        const WindowPlace place = ConverterPlace(r[0], r[1], r[2]);
        EXPECT_EQ(place.left, r[3]) << r[0];
        EXPECT_EQ(place.top, r[4]) << r[0];
    }
}

}  // namespace
}  // namespace tallymar
