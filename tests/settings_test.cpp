#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace tallymar {
namespace {

const ScreenSize kScreen{19200, 10800};

// The settings file in memory: keys matched without regard to letter case, and
// every write recorded in order.
class MemoryIni : public IniStore {
  public:
    std::string ReadIni(const std::string& section, const std::string& key) override {
        const auto it = values.find(Id(section, key));
        return it == values.end() ? "" : it->second;
    }
    void WriteIni(const std::string& section, const std::string& key,
                  const std::string& value) override {
        values[Id(section, key)] = value;
        writes.push_back(section + "/" + key);
    }
    static std::string Id(const std::string& section, const std::string& key) {
        return Lower(section + "/" + key);
    }
    static std::string Lower(std::string id) {
        for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return id;
    }
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;
};

ThemeRec Theme(std::int16_t id, const std::string& name, double p, double n, double x, double t,
               double b) {
    return ThemeRec{id, FitThemeName(name), p, n, x, t, b};
}

// Loads from an existing file holding only `keys` (each "SECTION/Key") and returns
// what SaveSettings then writes: the settings as the file shows them.
std::map<std::string, std::string> LoadThenSave(
    const std::vector<std::pair<std::string, std::string>>& keys, Settings* settings) {
    MemoryIni in, out;
    for (const auto& [id, value] : keys) in.values[MemoryIni::Lower(id)] = value;
    EXPECT_TRUE(LoadSettings(in, true, kScreen, settings));
    SaveSettings(out, *settings);
    return out.values;
}

struct Rule {
    const char* key;  // "SECTION/Key"
    const char* value;
    const char* read_as;  // the value written back after loading
};

void ExpectRules(const std::vector<Rule>& rules, Settings start = Settings()) {
    for (const Rule& r : rules) {
        Settings s = start;
        auto saved = LoadThenSave({{"OPTIONS/ColorThemes", "6"},
                                   {"OPTIONS/ColorTheme 0TapClr", "16777215"},
                                   {r.key, r.value}},
                                  &s);
        EXPECT_EQ(saved[MemoryIni::Lower(r.key)], r.read_as) << r.key << "=" << r.value;
    }
}

Settings Unusual() {
    Settings s;
    s.CurrentTheme = 2;
    s.Themes = {Theme(100, "Default", 0, 255, 16711680, 16777215, 4227072),
                Theme(7, "Exactly fifteen", 1, 2, 3, 4, 5),
                Theme(-3, "Brûlée", 16777215, 65280, 8421504, 12345, 0)};
    s.PrintDate = s.PrintTime = s.PrintColor = s.ShowTipAtStartup = true;
    s.ShowConversion = s.AlwaysOnTop = s.options.CalcMode = true;
    s.TipOfTheDay = 41;
    s.options.DecimalCode = 16;
    s.options.MachineSound = "Burroughs";
    s.options.CallbackCharacter = "Vesna";
    s.options.CallInputCharacter = "None; or = text";
    s.form = {4321.5, 7000, -250, 12.25};
    return s;
}

std::map<std::string, std::string> Saved(const Settings& s) {
    MemoryIni ini;
    SaveSettings(ini, s);
    return ini.values;
}

TEST(BuiltInThemes, are_seven_named_themes_each_with_text_that_shows_on_its_tape) {
    const std::vector<ThemeRec> themes = BuiltInThemes();
    ASSERT_EQ(themes.size(), 7u);
    EXPECT_EQ(themes[0].Name, "Default        ");
    for (const ThemeRec& theme : themes) {
        EXPECT_EQ(theme.Name.size(), 15u);
        EXPECT_NE(theme.PosClr, theme.TapClr) << theme.Name;
        EXPECT_NE(theme.NegClr, theme.TapClr) << theme.Name;
    }
}

TEST(ThemeValues, are_rounded_into_the_colour_range_and_names_fitted_to_fifteen_characters) {
    for (const auto& [value, colour] : std::vector<std::pair<double, Colour>>{
             {255, 255}, {254.6, 255}, {-5, 0}, {1e300, 16777215}, {std::nan(""), 0}}) {
        EXPECT_EQ(ColourOf(value), colour) << value;
    }
    EXPECT_EQ(FitThemeName("A much longer theme name"), "A much longer t");
    EXPECT_EQ(FitThemeName("Fête de Noël à Köln"), "Fête de Noël à ");
    EXPECT_EQ(FitThemeName("Été"), "Été            ");
}

TEST(LoadSettings, without_a_file_reads_nothing_and_places_the_window_by_the_screen) {
    MemoryIni ini;
    ini.values[MemoryIni::Id("OPTIONS", "ColorThemes")] = "0";
    Settings s;
    EXPECT_FALSE(LoadSettings(ini, false, kScreen, &s));
    Settings expected;
    expected.form = {3200, 6000, 14400, 1080};
    EXPECT_EQ(Saved(s), Saved(expected));
    EXPECT_EQ(s.Themes, BuiltInThemes());
    EXPECT_EQ(Saved(s)["options/decimals"], "0");
    EXPECT_EQ(CurrentColours(s).CurBakClr, Rgb(0, 128, 64));
}

TEST(SaveSettings, writes_every_key_in_the_file_order_with_words_and_plain_numbers) {
    MemoryIni ini;
    Settings s = Unusual();
    s.Themes.resize(2);
    s.Themes[1].PosClr = 254.6;
    s.form.Top = std::numeric_limits<double>::infinity();
    SaveSettings(ini, s);
    std::vector<std::string> order = {"OPTIONS/ColorTheme", "OPTIONS/ColorThemes"};
    for (const char* index : {" 0", " 1"}) {
        for (const char* field : {"ID", "Name", "PosClr", "NegClr", "TxtClr", "TapClr", "BakClr"}) {
            order.push_back(std::string("OPTIONS/ColorTheme") + index + field);
        }
    }
    for (const char* key : {"Print date", "Print time", "Print color", "Decimals", "Tip of the Day",
                            "Show tip at startup", "Show conversion", "Always on top", "CalcMode",
                            "MachineSound", "CallbackCharacter", "CallInputCharacter"}) {
        order.push_back(std::string("OPTIONS/") + key);
    }
    for (const char* key : {"Width", "Height", "Left", "Top"})
        order.push_back("FORM/" + std::string(key));
    EXPECT_EQ(ini.writes, order);
    const std::map<std::string, std::string> values = {
        {"OPTIONS/ColorThemes", "1"},    {"OPTIONS/ColorTheme 0Name", "Default        "},
        {"OPTIONS/ColorTheme 1ID", "7"}, {"OPTIONS/ColorTheme 1PosClr", "255"},
        {"OPTIONS/Print date", "True"},  {"OPTIONS/Decimals", "16"},
        {"FORM/Width", "4321.5"},        {"FORM/Height", "7000"},
        {"FORM/Left", "-250"},           {"FORM/Top", "-1"}};
    for (const auto& [key, value] : values) {
        EXPECT_EQ(ini.values[MemoryIni::Lower(key)], value) << key;
    }
    EXPECT_EQ(Saved(Settings())["options/always on top"], "False");
}

TEST(LoadSettings, restores_every_setting_and_theme_that_SaveSettings_wrote) {
    for (const Settings& saved : {Unusual(), Settings()}) {
        MemoryIni ini;
        SaveSettings(ini, saved);
        Settings loaded;
        loaded.options.MachineSound = "left over";
        ASSERT_TRUE(LoadSettings(ini, true, kScreen, &loaded));
        EXPECT_EQ(loaded.Themes, saved.Themes);
        EXPECT_EQ(Saved(loaded), Saved(saved));
    }
}

TEST(LoadSettings, gives_the_empty_keys_of_an_existing_file_their_defaults) {
    Settings s = Unusual();
    s.AlwaysOnTop = false;
    const auto saved = LoadThenSave({}, &s);
    // Without a theme in the file, the built-in ones stay.
    EXPECT_EQ(s.Themes, BuiltInThemes());
    Settings expected;
    expected.PrintDate = expected.PrintTime = true;
    expected.options.DecimalCode = 2;
    expected.form = {3200, 6000, 14400, 1080};
    EXPECT_EQ(saved, Saved(expected));
}

TEST(LoadSettings, reads_numbers_words_and_junk_as_the_file_format_does) {
    ExpectRules({{"OPTIONS/Print date", "-1", "True"},
                 {"OPTIONS/Print time", "-1.0", "True"},
                 {"OPTIONS/Print color", "-1", "True"},
                 {"OPTIONS/Decimals", "-1", "2"},
                 {"OPTIONS/Decimals", "-1 apples", "2"},
                 {"FORM/Width", "-1", "3200"},
                 {"FORM/Width", "2500", "2500"},
                 {"FORM/Height", "-1", "6000"},
                 {"FORM/Left", "-1", "14400"},
                 {"FORM/Top", "-1", "1080"},
                 {"FORM/Top", "-2", "-2"},
                 {"OPTIONS/Print date", "fALSE", "False"},
                 {"OPTIONS/Print time", "0", "False"},
                 {"OPTIONS/Print color", "TRUE", "True"},
                 {"OPTIONS/Print color", "2.5", "True"},
                 {"OPTIONS/Show tip at startup", "true", "True"},
                 {"OPTIONS/Show tip at startup", "-7", "True"},
                 {"OPTIONS/Show conversion", "True", "True"},
                 {"OPTIONS/Show conversion", "0.0", "False"},
                 // junk gives the empty value's result, and False where that is open
                 {"OPTIONS/Print date", "yes", "True"},
                 {"OPTIONS/Print color", "red", "False"},
                 {"OPTIONS/Show tip at startup", "", "False"},
                 {"OPTIONS/Show conversion", "Truest", "False"},
                 {"OPTIONS/Tip of the Day", "  7 tips", "7"},
                 {"OPTIONS/Tip of the Day", "tip 7", "0"},
                 {"OPTIONS/Tip of the Day", "2.5", "2"},
                 {"OPTIONS/Tip of the Day", "3.5", "4"},
                 {"OPTIONS/Tip of the Day", "-2.5", "-2"},
                 {"OPTIONS/Tip of the Day", "+4.51", "5"},
                 {"OPTIONS/Tip of the Day", "1.5E1", "15"},
                 {"OPTIONS/Tip of the Day", "3e", "3"},
                 {"OPTIONS/Tip of the Day", "1.2.3", "1"},
                 {"OPTIONS/Tip of the Day", "99999999999", "0"},
                 {"OPTIONS/Tip of the Day", "1e99999", "0"},
                 {"OPTIONS/Decimals", "16.5", "16"},
                 {"OPTIONS/Decimals", "abc", "0"},
                 {"OPTIONS/Decimals", "40000", "2"},
                 {"FORM/Left", "1234.5", "1234.5"},
                 {"FORM/Width", "1e30", "3200"},
                 {"FORM/Top", "nowhere", "0"},
                 {"OPTIONS/ColorThemes", "2.5", "2"},
                 {"OPTIONS/ColorThemes", "3.5", "4"},
                 {"OPTIONS/ColorThemes", "", "0"},
                 {"OPTIONS/ColorThemes", "1e11", "99"},
                 {"OPTIONS/ColorThemes", "-1", "6"},
                 {"OPTIONS/ColorTheme", "6", "6"},
                 {"OPTIONS/ColorTheme", "7", "0"},
                 {"OPTIONS/ColorTheme", "-1", "0"},
                 {"OPTIONS/ColorTheme", "40000", "0"},
                 {"OPTIONS/Always on top", "True", "True"},
                 {"OPTIONS/Always on top", "true", "False"},
                 {"OPTIONS/CalcMode", "True", "True"},
                 {"OPTIONS/CalcMode", "TRUE", "False"},
                 {"OPTIONS/CalcMode", "1", "False"}});
    Settings s;  // form values are Singles
    LoadThenSave({{"FORM/Left", "0.1"}}, &s);
    EXPECT_EQ(s.form.Left, static_cast<double>(0.1f));
    Settings on_top;
    on_top.AlwaysOnTop = true;  // any other value changes nothing
    ExpectRules({{"OPTIONS/Always on top", "False", "True"}}, on_top);
}

TEST(LoadSettings, keeps_the_built_in_themes_when_no_theme_of_the_file_has_a_colour) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> keys;
        std::size_t themes;  // 0: the built-in ones
    } cases[] = {
        {"options only", {{"OPTIONS/Decimals", "4"}}, 0},
        {"counted, not there", {{"OPTIONS/ColorThemes", "3"}, {"OPTIONS/ColorTheme", "2"}}, 0},
        {"names and IDs only",
         {{"OPTIONS/ColorThemes", "1"},
          {"OPTIONS/ColorTheme 0Name", "Mine"},
          {"OPTIONS/ColorTheme 1ID", "7"}},
         0},
        {"a colour beyond the count", {{"OPTIONS/ColorTheme 1TapClr", "255"}}, 0},
        {"one colour of the second theme",
         {{"OPTIONS/ColorThemes", "1"}, {"OPTIONS/ColorTheme 1BakClr", "255"}},
         2},
    };
    for (const auto& c : cases) {
        Settings s;
        const auto saved = LoadThenSave(c.keys, &s);
        if (c.themes == 0) {
            EXPECT_EQ(s.Themes, BuiltInThemes()) << c.name;
            // The tape is painted in the theme's colours, not black on black.
            const Colours shown = CurrentColours(s);
            const Colours theme =
                ColoursOf(BuiltInThemes()[static_cast<std::size_t>(s.CurrentTheme)]);
            EXPECT_EQ(shown.CurTapClr, theme.CurTapClr) << c.name;
            EXPECT_EQ(shown.CurPosClr, theme.CurPosClr) << c.name;
            EXPECT_NE(shown.CurTapClr, shown.CurPosClr) << c.name;
            // Written back as they are, so the next start finds them in the file.
            EXPECT_EQ(saved.at("options/colortheme 0tapclr"), "16777215") << c.name;
        } else {
            EXPECT_EQ(s.Themes.size(), c.themes) << c.name;
            EXPECT_EQ(s.Themes[1].BakClr, 255) << c.name;
        }
    }
}

TEST(LoadSettings, finds_theme_keys_only_with_the_blank_before_the_index) {
    Settings s;
    LoadThenSave({{"OPTIONS/ColorThemes", "12"},
                  {"OPTIONS/ColorTheme0ID", "100"},
                  {"OPTIONS/ColorTheme0Name", "No blank"},
                  {"OPTIONS/ColorTheme 0PosClr", "255"},
                  {"OPTIONS/ColorTheme 12Name", "Twelfth"},
                  {"OPTIONS/ColorTheme 12BakClr", "1.4"},
                  {"OPTIONS/ColorTheme 12NegClr", "99999999"}},
                 &s);
    ASSERT_EQ(s.Themes.size(), 13u);
    EXPECT_EQ(s.Themes[0], Theme(0, "", 255, 0, 0, 0, 0));
    EXPECT_EQ(s.Themes[12], Theme(0, "Twelfth", 0, 16777215, 0, 0, 1));
}

TEST(PlaceOnScreen, pulls_a_window_back_so_that_it_can_be_reached) {
    const std::vector<std::pair<FormPlace, FormPlace>> rows = {
        {{3200, 6000, -5000, 100}, {3200, 6000, -2200, 100}},
        {{3200, 6000, 50000, 100}, {3200, 6000, 18700, 100}},
        {{3200, 6000, 100, -40}, {3200, 6000, 100, 0}},
        {{3200, 6000, 100, 20000}, {3200, 6000, 100, 10300}},
        {{500, 6000, 0, 10300}, {500, 6000, 500, 10300}},
        // Larger than the screen: the screen's size, on the screen.
        {{999999, 999999, 5000, 3000}, {19200, 10800, 0, 0}},
        {{30000, 6000, 40000, 100}, {19200, 6000, 0, 100}},
        {{3200, 20000, 100, 5000}, {3200, 10800, 100, 0}}};
    for (const auto& [saved, placed] : rows) {
        FormPlace form = saved;
        PlaceOnScreen(kScreen, &form);
        EXPECT_EQ(form, placed) << saved.Left << "," << saved.Top;
    }
}

}  // namespace
}  // namespace tallymar
