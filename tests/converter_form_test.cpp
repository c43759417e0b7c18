#include "converter/converter_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "converter/conversion.h"
#include "converter/unit_names.h"

namespace tallymar {

void PrintTo(const ConversionLine& line, std::ostream* out) {
    *out << line.op << " \"" << line.entry << "\"";
}

namespace {

class RecordingTape : public TapeWriter {
  public:
    void AppendConversion(const std::vector<ConversionLine>& lines) override {
        blocks.push_back(lines);
    }
    std::vector<std::vector<ConversionLine>> blocks;
};

class RecordingDesktop : public ConverterDesktop {
  public:
    bool OpenAddress(const std::string& address) override {
        opened.push_back(address);
        return browser_works;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool browser_works = true;
    std::vector<std::string> opened;
    std::vector<std::string> messages;
};

const std::string kRule = "---------------";

std::vector<ConversionLine> Block(const char* amount, const char* from, const char* result,
                                  const char* to) {
    return {{amount, *amount ? '>' : 'B'}, {from, '>'}, {result, '>'}, {to, '>'}, {kRule, 'H'}};
}

class ConverterFormTest : public testing::Test {
  protected:
    ConverterForm& Open() {
        form.emplace(tape, desktop, show_conversion, colours);
        return *form;
    }
    // Picks `from`, types `amount` over the amount box (unless null), picks `to`.
    void Convert(const char* from, const char* amount, const char* to) {
        const int from_index = form->FromListIndexOf(from);
        ASSERT_GE(from_index, 0) << from;
        form->cboFrom_Click(from_index);
        if (amount) form->txtUnitsFrom_Change(amount);
        const int to_index = form->ToListIndexOf(to);
        ASSERT_GE(to_index, 0) << to;
        form->cboTo_Click(to_index);
    }
    std::vector<std::string> Labels() const {
        return {form->txtUnitsFrom(), form->lblUnitsFromTxt(), form->lblEquals(),
                form->lblUnitsTo(), form->lblUnitsToTxt()};
    }

    RecordingTape tape;
    RecordingDesktop desktop;
    bool show_conversion = false;
    Colours colours{Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(3, 0, 0), Rgb(4, 0, 0), Rgb(5, 0, 0)};
    std::optional<ConverterForm> form;
};

TEST_F(ConverterFormTest, opens_with_every_unit_listed_alphabetically_and_empty_boxes) {
    Open();
    const auto& from = form->cboFrom();
    ASSERT_EQ(from.size(), 86u);
    EXPECT_EQ(TrimUnitName(from.front()), "acre");
    EXPECT_EQ(TrimUnitName(from.back()), "year");
    EXPECT_TRUE(std::is_sorted(from.begin(), from.end()));
    EXPECT_LT(form->FromListIndexOf("mile"), form->FromListIndexOf("mile, nautical"));
    EXPECT_EQ(form->cboFromIndex(), -1);
    EXPECT_TRUE(form->cboTo().empty());
    EXPECT_EQ(Labels(), std::vector<std::string>(5, ""));
    EXPECT_FALSE(form->chbAddToTape());
    EXPECT_EQ(form->colours().form_back, colours.CurBakClr);
    EXPECT_EQ(form->colours().panel_back, colours.CurTapClr);
    EXPECT_EQ(form->colours().label_fore, colours.CurPosClr);
}

TEST_F(ConverterFormTest, opens_with_the_box_ticked_from_the_setting_without_writing_to_the_tape) {
    show_conversion = true;
    Open();
    EXPECT_TRUE(form->chbAddToTape());
    EXPECT_FALSE(form->ConvertLoading());
    EXPECT_TRUE(tape.blocks.empty());
}

TEST_F(ConverterFormTest, picking_foot_lists_twenty_lengths_and_reads_one_with_its_point) {
    Open();
    form->cboFrom_Click(form->FromListIndexOf("foot"));
    EXPECT_EQ(form->cboTo().size(), 20u);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"1.", "foot", "", "", ""}));
    form->cboTo_Click(form->ToListIndexOf("meters"));
    EXPECT_EQ(Labels(),
              (std::vector<std::string>{"1.", "foot", "equals", "0.304800003767014", "meters"}));
    EXPECT_TRUE(tape.blocks.empty());
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
        {"mil", "1", "mils", "1."},
        {"cup", "1", "drams, fluid", "64."},
        {"teaspoon", "1", "firkins", "0.000144675927004"},
        {"millenium", "1", "nanoseconds", "31,556,927,098,147,800,000."},
        {"celsius", "100", "fahrenheit", "212."},
        {"fahrenheit", "32", "celsius", "0."},
        {"kelvin", "0", "celsius", "-273.15"},
        {"celsius", "50", "centigrade", "50."},
        {"celsius", "0", "kelvin", "273.15"},
    };
    for (const auto& r : rows) {
        Convert(r.from, r.amount, r.to);
        EXPECT_EQ(form->lblUnitsTo(), r.result) << r.from << " to " << r.to;
    }
}

TEST_F(ConverterFormTest, converts_with_the_factor_slot_of_the_target_picked) {
    Open();
    for (int list_index = 0; list_index < 86; ++list_index) {
        form->cboFrom_Click(list_index);
        if (KindOfUnit(form->FromUnitIndex()).by_formula) continue;
        const UnitRec& unit = form->Units()[form->FromUnitIndex()];
        form->txtUnitsFrom_Change("3");
        for (int j = 0; j < unit.TargetCount; ++j) {
            form->cboTo_Click(j);
            EXPECT_EQ(form->lblUnitsTo(),
                      FormatNumber(3.0 * unit.Factors[j], kConvertedPattern, {}))
                << TrimUnitName(unit.Name) << " " << j;
            EXPECT_EQ(form->lblUnitsToTxt(), FlipUnitName(TrimUnitName(unit.TargetNames[j])));
        }
    }
}

TEST_F(ConverterFormTest, shows_nautical_miles_flipped_and_the_convert_button_adds_a_plain_s) {
    Open();
    Convert("mile, nautical", nullptr, "miles, nautical");
    EXPECT_EQ(form->lblUnitsFromTxt(), "nautical mile");
    EXPECT_EQ(form->lblUnitsToTxt(), "nautical miles");
    const std::string one = form->lblUnitsTo();
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    EXPECT_EQ(form->lblUnitsFromTxt(), "mile, nauticals");
    EXPECT_EQ(form->lblUnitsTo(), "2.");
    EXPECT_EQ(one, "1.");
}

TEST_F(ConverterFormTest, recomputes_a_temperature_with_the_typed_amount_on_the_convert_button) {
    Open();
    Convert("celsius", "0", "kelvin");
    EXPECT_EQ(form->lblUnitsTo(), "273.15");
    EXPECT_EQ(form->TempCase(), 22);
    form->txtUnitsFrom_Change("100");
    form->cmdConverter_Click();
    EXPECT_EQ(form->lblUnitsTo(), "373.15");
    EXPECT_EQ(form->lblUnitsFromTxt(), "celsius");
}

TEST_F(ConverterFormTest, leaves_the_result_alone_for_an_amount_that_is_no_number) {
    Open();
    Convert("foot", nullptr, "meters");
    form->txtUnitsFrom_Change("twelve");
    form->cmdConverter_Click();
    form->cboTo_Click(form->ToListIndexOf("inches"));
    EXPECT_EQ(form->lblUnitsTo(), "0.304800003767014");
    EXPECT_EQ(form->lblUnitsFromTxt(), "foot");
    EXPECT_EQ(form->lblUnitsToTxt(), "inches");
}

TEST_F(ConverterFormTest, shows_no_result_on_the_convert_button_before_both_units_are_picked) {
    Open();
    form->txtUnitsFrom_Change("2");
    form->cmdConverter_Click();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"2", "", "", "", ""}));
    // A from-unit but no target: the name takes its s, no result is shown.
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
    Convert("square kilometer", nullptr, "square inches");
    Convert("square inch", nullptr, "square kilometers");
    Convert("millenium", nullptr, "nanoseconds");
    form->chbAddToTape_Click(false);
    EXPECT_FALSE(show_conversion);
    Convert("foot", nullptr, "inches");

    const std::vector<std::vector<ConversionLine>> expected = {
        Block("", "", "", ""),
        Block("1.", "foot", "0.304800003767014", "meters"),
        Block("1.", "sq. kilometer", "1,550,003,072.", "square inches"),
        Block("1.", "square inch", "0.00000000064516", "sq. kilometers"),
        Block("1.", "millenium", "31,556,927,098,14", "nanoseconds"),
    };
    EXPECT_EQ(tape.blocks, expected);
    EXPECT_EQ(form->lblUnitsTo(), "12.");
}

TEST_F(ConverterFormTest, keeps_the_shortened_square_names_on_its_labels) {
    Open();
    Convert("square kilometer", "2", "square centimeters");
    form->chbAddToTape_Click(true);
    EXPECT_EQ(form->lblUnitsFromTxt(), "sq. kilometer");
    EXPECT_EQ(form->lblUnitsToTxt(), "sq. centimeters");
    ASSERT_EQ(tape.blocks.size(), 1u);
    EXPECT_EQ(tape.blocks[0][0], (ConversionLine{"2", '>'}));
}

TEST_F(ConverterFormTest, opens_the_currency_page_and_says_so_when_no_browser_can) {
    Open();
    form->cmdWeb_Click();
    EXPECT_TRUE(desktop.messages.empty());
    desktop.browser_works = false;
    form->cmdWeb_Click();
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[0], CurrencyAddress());
    EXPECT_NE(desktop.opened[0].find("/m3?u"), std::string::npos);
    EXPECT_EQ(desktop.messages,
              std::vector<std::string>{
                  "The Tallymar was unable to connect directly to the currenct conversion site.  "
                  "Please check your conections to the internet and try again."});
}

TEST(ConverterPlace, opens_right_of_the_main_window_unless_that_runs_off_the_screen) {
    const struct {
        double left, top, screen, place_left, place_top;
    } rows[] = {{1000, 500, 19200, 4000, 2500},
                {13200, 0, 19200, 16200, 2000},
                {13201, 0, 19200, 10201, 2000}};
    for (const auto& r : rows) {
        const WindowPlace place = ConverterPlace(r.left, r.top, r.screen);
        EXPECT_EQ(place.left, r.place_left) << r.left;
        EXPECT_EQ(place.top, r.place_top) << r.left;
    }
}

}  // namespace
}  // namespace tallymar
