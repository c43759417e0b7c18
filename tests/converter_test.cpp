// The unit table, the conversion rules and the converter window's model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "converter/conversion.h"
#include "converter/converter_form.h"
#include "converter/unit_names.h"
#include "converter/units.h"

namespace tallymar {

void PrintTo(const ConversionLine& line, std::ostream* out) {
    *out << line.op << " \"" << line.entry << "\"";
}

namespace {

std::vector<UnitRec> Table() {
    std::vector<UnitRec> units;
    Conversions(units);
    return units;
}

TEST(UnitTable, gives_every_unit_of_a_kind_the_kinds_targets_in_one_order) {
    const struct {
        const char* name;
        int count;
        std::vector<std::pair<int, const char*>> targets;  // To position, plural shown there
    } kinds[] = {
        {"area", 11, {{0, "square inches"}, {3, "acres"}, {10, "square kilometers"}}},
        {"temperature", 4, {{0, "celsius"}, {1, "centigrade"}, {2, "kelvin"}, {3, "fahrenheit"}}},
        {"weight", 11, {{0, "grains"}, {3, "ounces, troy"}, {9, "kilogram"}, {10, "tonnes"}}},
        {"length", 20, {{0, "mils"}, {2, "feet"}, {10, "miles, nautical"}, {19, "kilometers"}}},
        {"volume", 18, {{0, "drams, fluid"}, {4, "ounces, fluid imp"}, {17, "kiloliters"}}},
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
        ASSERT_EQ(kind.count, kinds[k].count);
        next += kind.count;
        const UnitRec& first = units[kind.first];
        for (const auto& [position, plural] : kinds[k].targets) {
            EXPECT_EQ(TrimUnitName(first.TargetNames[position]), plural);
        }
        EXPECT_EQ(first.TargetNames[kind.count], "");
        std::vector<int> positions;
        for (int i = kind.first; i < kind.first + kind.count; ++i) {
            EXPECT_EQ(units[i].Name.size(), 20u) << i;
            EXPECT_EQ(units[i].TargetCount, kind.count) << i;
            EXPECT_EQ(units[i].TargetNames, first.TargetNames) << i;
            EXPECT_EQ(&KindOfUnit(i), &kind) << i;
            positions.push_back(ToPosition(i));
            if (!kind.by_formula) {
                EXPECT_EQ(units[i].Factors[ToPosition(i)], 1.0f) << i;
            }
        }
        std::sort(positions.begin(), positions.end());
        for (int j = 0; j < kind.count; ++j) EXPECT_EQ(positions[j], j);
    }
}

// Factors come from one size per unit: any two agree with a third up to 32-bit rounding.
TEST(UnitTable, keeps_every_factor_consistent_with_the_factors_through_a_third_unit) {
    const std::vector<UnitRec> units = Table();
    for (const UnitKind& kind : UnitKinds()) {
        if (kind.by_formula) continue;
        const int end = kind.first + kind.count;
        for (int a = kind.first; a < end; ++a) {
            for (int b = kind.first; b < end; ++b) {
                const double ab = units[a].Factors[ToPosition(b)];
                for (int c = kind.first; c < end; ++c) {
                    ASSERT_NEAR(
                        ab * units[b].Factors[ToPosition(c)] / units[a].Factors[ToPosition(c)], 1.0,
                        3e-7)
                        << a << " " << b << " " << c;
                }
            }
        }
    }
}

TEST(ConvertTemperature, works_each_case_out_in_32_bit_values_and_an_unknown_one_gives_zero) {
    const struct {
        int temp_case;
        float amount;
        float expected;
    } cases[] = {
        {23, 100, 212},
        {10, 32, 0},
        {11, 212, 100},
        {40, 0, -273.15f},
        {41, 0, -273.15f},
        {21, 50, 50},
        {30, 50, 50},
        {22, 0, 273.15f},
        {32, 100, 373.15f},
        {12, 212, 373.15f},
        {43, 0, -459.67f},
        {33, -40, -40},
        {13, 98.6f, 98.6f},
        {42, 300, 300},
        {20, 7, 7},
        {31, 7, 7},
        // fifteen fives, not 5/9: 5/9 would round this one to -35.4 in 32 bits
        {10, -31.72f, -35.399998f},
        {44, 5, 0},
        {0, 5, 0},
        {99, 5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertTemperature(c.amount, c.temp_case), c.expected)
            << c.temp_case << " " << c.amount;
    }
    EXPECT_EQ(FormatTemperature(ConvertTemperature(-31.72f, 10), {}), "-35.399998");
    EXPECT_EQ(FormatTemperature(ConvertTemperature(ToSingle(1e300), 23), {}), "Overflow");
}

TEST(UnitNames, trim_flip_take_a_plain_s_and_shorten_square) {
    const std::pair<const char*, const char*> flips[] = {{"miles, nautical", "nautical miles"},
                                                         {"ounce, fluid imp", "fluid imp ounce"},
                                                         {"foot", "foot"},
                                                         {"a, b, c", "b, c a"},
                                                         {"", ""}};
    for (const auto& [name, flipped] : flips) EXPECT_EQ(FlipUnitName(name), flipped) << name;
    EXPECT_EQ(TrimUnitName("mile, nautical      "), "mile, nautical");
    EXPECT_EQ(TrimUnitName(" inch "), " inch");
    EXPECT_EQ(TrimUnitName("    "), "");
    EXPECT_EQ(FirstCharacters("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(NameForAmount("mile, nautical      ", 2), "mile, nauticals");
    EXPECT_EQ(NameForAmount("inch", 1.0001), "inchs");
    for (double amount : {1.0, 0.5, -3.0}) EXPECT_EQ(NameForAmount("inch", amount), "inch");
    const std::pair<const char*, const char*> squares[] = {
        {"square kilometers", "sq. kilometers"},
        {"square abcdefghi", "sq. abcdefghi"},
        {"square abcdefgh", "square abcdefgh"},
        {"leagues, nautical", "leagues, nautical"}};
    for (const auto& [caption, shown] : squares) EXPECT_EQ(ShortenSquare(caption), shown);
}

struct RecordingTape : TapeWriter {
    void AppendConversion(const std::vector<ConversionLine>& lines) override {
        blocks.push_back(lines);
    }
    std::vector<std::vector<ConversionLine>> blocks;
};

struct RecordingDesktop : ConverterDesktop {
    bool OpenAddress(const std::string& address) override {
        opened.push_back(address);
        return browser_works;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool browser_works = true;
    std::vector<std::string> opened, messages;
};

class ConverterFormTest : public testing::Test {
  protected:
    void Open() { form.emplace(tape, desktop, show_conversion, colours); }
    // Picks `from`, types `amount` over the amount box (unless null), picks `to`.
    void Convert(const char* from, const char* amount, const char* to) {
        ASSERT_GE(form->FromListIndexOf(from), 0) << from;
        form->cboFrom_Click(form->FromListIndexOf(from));
        if (amount) form->txtUnitsFrom_Change(amount);
        ASSERT_GE(form->ToListIndexOf(to), 0) << to;
        form->cboTo_Click(form->ToListIndexOf(to));
    }
    std::vector<std::string> Labels() const {
        return {form->txtUnitsFrom(), form->lblUnitsFromTxt(), form->lblEquals(),
                form->lblUnitsTo(), form->lblUnitsToTxt()};
    }

    RecordingTape tape;
    RecordingDesktop desktop;
    bool show_conversion = false;
    Colours colours{1, 2, 3, 4, 5};
    std::optional<ConverterForm> form;
};

TEST_F(ConverterFormTest, opens_with_every_unit_listed_alphabetically_and_empty_boxes) {
    show_conversion = true;
    Open();
    const auto& from = form->cboFrom();
    ASSERT_EQ(from.size(), 86u);
    EXPECT_EQ(TrimUnitName(from.front()), "acre");
    EXPECT_EQ(TrimUnitName(from.back()), "year");
    EXPECT_TRUE(std::is_sorted(from.begin(), from.end()));
    EXPECT_LT(form->FromListIndexOf("mile"), form->FromListIndexOf("mile, nautical"));
    EXPECT_EQ(form->FromListIndexOf("parsec"), -1);
    EXPECT_EQ(form->cboFromIndex(), -1);
    EXPECT_TRUE(form->cboTo().empty());
    EXPECT_EQ(Labels(), std::vector<std::string>(5, ""));
    EXPECT_TRUE(form->chbAddToTape());
    EXPECT_TRUE(tape.blocks.empty());
    EXPECT_EQ(form->colours().form_back, 5u);
    EXPECT_EQ(form->colours().panel_back, 4u);
    EXPECT_EQ(form->colours().label_fore, 1u);
}

TEST_F(ConverterFormTest, shows_each_result_with_up_to_fifteen_decimals_and_grouped_thousands) {
    Open();
    const struct {
        const char *from, *amount, *to, *result;
    } rows[] = {
        {"foot", "1", "meters", "0.304800003767014"},
        {"year", "1", "days", "365.2421875"},
        {"marathon", "1", "meters", "42,194.98828125"},
        {"bit", "1", "kilobytes", "0.0001220703125"},
        {"firkin", "1", "quarts", "36."},
        {"acre", "2", "square feet", "87,120."},
        {"kilobyte", "1", "bytes", "1,024."},
        {"inch", "1", "mils", "1,000."},
        {"cup", "1", "drams, fluid", "64."},
        {"teaspoon", "1", "firkins", "0.000144675927004"},
        {"millenium", "1", "nanoseconds", "31,556,927,098,147,800,000."},
        {"celsius", "100", "fahrenheit", "212."},
        {"fahrenheit", "32", "celsius", "0."},
        {"kelvin", "0", "celsius", "-273.15"},
        {"celsius", "50", "centigrade", "50."},
    };
    for (const auto& r : rows) {
        Convert(r.from, r.amount, r.to);
        EXPECT_EQ(form->lblUnitsTo(), r.result) << r.from << " to " << r.to;
        EXPECT_EQ(form->lblEquals(), "equals");
    }
    Convert("foot", nullptr, "meters");
    EXPECT_EQ(Labels(),
              (std::vector<std::string>{"1.", "foot", "equals", "0.304800003767014", "meters"}));
    EXPECT_EQ(form->cboTo().size(), 20u);
    EXPECT_TRUE(tape.blocks.empty());
}

TEST_F(ConverterFormTest, the_convert_button_converts_the_typed_amount_and_names_it) {
    Open();
    Convert("acre", nullptr, "square feet");  // the first unit of the list
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    EXPECT_EQ(Labels(),
              (std::vector<std::string>{"2", "acres", "equals", "87,120.", "square feet"}));

    Convert("mile, nautical", nullptr, "miles, nautical");
    EXPECT_EQ(form->lblUnitsFromTxt(), "nautical mile");
    EXPECT_EQ(form->lblUnitsToTxt(), "nautical miles");
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    EXPECT_EQ(form->lblUnitsFromTxt(), "mile, nauticals");
    EXPECT_EQ(form->lblUnitsTo(), "2.");

    Convert("celsius", "0", "kelvin");
    EXPECT_EQ(form->TempCase(), 22);
    form->txtUnitsFrom_Change("100");
    form->cmdConverter_Click();
    EXPECT_EQ(form->lblUnitsTo(), "373.15");
    EXPECT_EQ(form->lblUnitsFromTxt(), "celsius");

    // An amount that is no number leaves the result as it was.
    Convert("foot", nullptr, "meters");
    form->txtUnitsFrom_Change("twelve");
    form->cmdConverter_Click();
    form->cboTo_Click(form->ToListIndexOf("inches"));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"twelve", "foot", "equals", "0.304800003767014",
                                                  "inches"}));
}

TEST_F(ConverterFormTest, shows_no_result_before_both_units_are_picked) {
    Open();
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    form->cboFrom_Click(86);  // no such unit
    EXPECT_EQ(Labels(), (std::vector<std::string>{"2", "", "", "", ""}));
    form->cboFrom_Click(form->FromListIndexOf("foot"));
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    form->cboTo_Click(-1);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"2", "foots", "", "", ""}));
}

TEST_F(ConverterFormTest, writes_each_conversion_to_the_tape_while_the_box_is_ticked) {
    Open();
    form->chbAddToTape_Click(true);
    EXPECT_TRUE(show_conversion);
    Convert("foot", nullptr, "meters");
    Convert("square kilometer", "2", "square inches");
    Convert("square inch", nullptr, "square kilometers");
    Convert("millenium", nullptr, "nanoseconds");
    form->chbAddToTape_Click(false);
    EXPECT_FALSE(show_conversion);
    Convert("foot", nullptr, "inches");

    auto block = [](const char* amount, const char* from, const char* result, const char* to) {
        return std::vector<ConversionLine>{{amount, *amount ? '>' : 'B'},
                                           {from, '>'},
                                           {result, '>'},
                                           {to, '>'},
                                           {"---------------", 'H'}};
    };
    const std::vector<std::vector<ConversionLine>> expected = {
        block("", "", "", ""),
        block("1.", "foot", "0.304800003767014", "meters"),
        block("2", "sq. kilometer", "3,100,006,144.", "square inches"),
        block("1.", "square inch", "0.00000000064516", "sq. kilometers"),
        block("1.", "millenium", "31,556,927,098,14", "nanoseconds"),
    };
    EXPECT_EQ(tape.blocks, expected);
    EXPECT_EQ(form->lblUnitsTo(), "12.");
    Convert("square kilometer", "2", "square centimeters");
    form->chbAddToTape_Click(true);
    EXPECT_EQ(form->lblUnitsFromTxt(), "sq. kilometer");  // the labels keep the short names
    EXPECT_EQ(form->lblUnitsToTxt(), "sq. centimeters");
}

TEST_F(ConverterFormTest, opens_the_currency_page_and_says_so_when_no_browser_can) {
    Open();
    form->cmdWeb_Click();
    EXPECT_TRUE(desktop.messages.empty());
    desktop.browser_works = false;
    form->cmdWeb_Click();
    EXPECT_EQ(desktop.opened, std::vector<std::string>(2, CurrencyAddress()));
    EXPECT_NE(desktop.opened[0].find("/m3?u"), std::string::npos);
    EXPECT_EQ(desktop.messages, std::vector<std::string>{convert_text::kNoConnection});
}

TEST(ConverterPlace, opens_right_of_the_main_window_unless_that_runs_off_the_screen) {
    EXPECT_EQ(ConverterPlace(1000, 500, 19200).left, 4000);
    EXPECT_EQ(ConverterPlace(1000, 500, 19200).top, 2500);
    EXPECT_EQ(ConverterPlace(13200, 0, 19200).left, 16200);
    EXPECT_EQ(ConverterPlace(13201, 0, 19200).left, 10201);
}

}  // namespace
}  // namespace tallymar
