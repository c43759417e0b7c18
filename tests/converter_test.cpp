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
    auto factor = [&](int from, int to) { return double(units[from].Factors[ToPosition(to)]); };
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
            // One size per unit: a unit in itself is 1, and any two agree with a third
            // up to 32-bit rounding.
            EXPECT_EQ(factor(a, a), 1.0) << a;
            for (int b = kind.first; b < end; ++b) {
                for (int c = kind.first; c < end; ++c)
                    ASSERT_NEAR(factor(a, b) * factor(b, c) / factor(a, c), 1, 3e-7) << a << b << c;
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
    for (int temp_case : {0, 14, 44, 99}) EXPECT_EQ(ConvertTemperature(5, temp_case), 0.0f);
    EXPECT_EQ(FormatTemperature(ConvertTemperature(ToSingle(1e300), 23), {}), "Overflow");
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

TEST_F(ConverterFormTest, shows_each_result_with_up_to_fifteen_decimals_and_grouped_thousands) {
    const struct {
        const char *from, *amount, *to, *result;
        // clang-format off
    } rows[] = {
        {"foot", "1", "meters", "0.304800003767014"}, {"year", "1", "days", "365.2421875"},
        {"bit", "1", "kilobytes", "0.0001220703125"},
        {"firkin", "1", "quarts", "36."}, {"acre", "2", "square feet", "87,120."},
        {"kilobyte", "1", "bytes", "1,024."}, {"cup", "1", "drams, fluid", "64."},
        {"teaspoon", "1", "firkins", "0.000144675927004"},
        {"millenium", "1", "nanoseconds", "31,556,927,098,147,800,000."},
        // Temperatures by their formulas, worked out from and back to 32 bits; with
        // fifteen fives, not 5/9, which would make -35.4 of -31.72 fahrenheit.
        {"fahrenheit", "32", "celsius", "0."}, {"fahrenheit", "-31.72", "celsius", "-35.399998"},
        {"fahrenheit", "212", "kelvin", "373.15"}, {"fahrenheit", "98.6", "fahrenheit", "98.6"},
        {"celsius", "50", "centigrade", "50."}, {"celsius", "0", "kelvin", "273.15"},
        {"celsius", "100", "fahrenheit", "212."}, {"centigrade", "-40", "fahrenheit", "-40."},
        {"centigrade", "100", "kelvin", "373.15"}, {"kelvin", "0", "centigrade", "-273.15"},
        {"kelvin", "0", "fahrenheit", "-459.67"}, {"kelvin", "300", "kelvin", "300."}};
    // clang-format on
    for (const auto& r : rows) {
        Convert(r.from, r.amount, r.to);
        EXPECT_EQ(form->lblUnitsTo(), r.result) << r.from << " to " << r.to;
    }
    EXPECT_TRUE(tape.blocks.empty());
}

TEST_F(ConverterFormTest, the_convert_button_converts_the_typed_amount_and_names_it) {
    Retype("2");              // no units picked: nothing to name or convert
    form->cboFrom_Click(86);  // no such unit
    EXPECT_EQ(Labels(), (Texts{"2", "", "", "", ""}));
    form->cboFrom_Click(form->FromListIndexOf("foot"));
    Retype("2");  // a from-unit but no target: no result
    EXPECT_EQ(Labels(), (Texts{"2", "foots", "", "", ""}));
    Convert("acre", nullptr, "square feet");  // the first unit of the list
    Retype("2");
    EXPECT_EQ(Labels(), (Texts{"2", "acres", "equals", "87,120.", "square feet"}));
    Convert("mile, nautical", nullptr, "miles, nautical");
    EXPECT_EQ(Labels(), (Texts{"1.", "nautical mile", "equals", "1.", "nautical miles"}));
    Retype("2");
    EXPECT_EQ(form->lblUnitsFromTxt(), "mile, nauticals");
    Convert("celsius", "0", "kelvin");
    Retype("100");
    EXPECT_EQ(Labels(), (Texts{"100", "celsius", "equals", "373.15", "kelvin"}));
    // An amount that is no number leaves the result as it was.
    Convert("foot", nullptr, "meters");
    Retype("twelve");
    form->cboTo_Click(form->ToListIndexOf("inches"));
    EXPECT_EQ(Labels(), (Texts{"twelve", "foot", "equals", "0.304800003767014", "inches"}));
}

TEST_F(ConverterFormTest, writes_each_conversion_to_the_tape_while_the_box_is_ticked) {
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
        // clang-format off
        return std::vector<ConversionLine>{
            {amount, *amount ? '>' : 'B'}, {from, '>'}, {result, '>'}, {to, '>'},
            {"---------------", 'H'}};
        // clang-format on
    };
    EXPECT_EQ(tape.blocks,
              (std::vector<std::vector<ConversionLine>>{
                  block("", "", "", ""), block("1.", "foot", "0.304800003767014", "meters"),
                  block("2", "sq. kilometer", "3,100,006,144.", "square inches"),
                  block("1.", "square inch", "0.00000000064516", "sq. kilometers"),
                  block("1.", "millenium", "31,556,927,098,14", "nanoseconds")}));
    EXPECT_EQ(form->lblUnitsTo(), "12.");
}

// The converter opens 3000 twips right of the main window and 2000 below its top,
// unless the main window stands within 6000 twips of the screen's right edge: then it
// opens 3000 to the left of it.
TEST(ConverterPlace, opens_right_of_the_main_window_unless_that_runs_off_the_screen) {
    const double rows[][5] = {
        // main left, main top, screen width -> left, top
        {1000, 500, 19200, 4000, 2500}, {13200, 0, 19200, 16200, 2000},
        {13201, 0, 19200, 10201, 2000}};
    for (const auto& r : rows) {
        const WindowPlace place = ConverterPlace(r[0], r[1], r[2]);
        EXPECT_EQ(place.left, r[3]) << r[0];
        EXPECT_EQ(place.top, r[4]) << r[0];
    }
}

}  // namespace
}  // namespace tallymar
