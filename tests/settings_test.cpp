// The settings file: the settings read from its keys (junk, huge and missing values
// fall back safely) and written back, and the file itself: sections, keys, letter
// case, odd lines, a save that fails, and where it lives.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/ini_file.h"
#include "settings/settings.h"
#include "settings/settings_merge.h"
#include "file_bytes.h"
#include "temp_folder.h"

namespace tallymar {
namespace {

using tallymar::testing::ReadBytes;
using tallymar::testing::TempFolder;

namespace fs = std::filesystem;
using namespace std::string_literals;
using Keys = std::vector<std::pair<std::string, std::string>>;  // key, value

const ScreenSize kScreen{19200, 10800};

// The section of a key of the settings file.
std::string SectionOf(const std::string& key) {
    return key == "Width" || key == "Height" || key == "Left" || key == "Top" ? "FORM" : "OPTIONS";
}

// The settings file's text as SaveSettings writes `s`, or the value of `key` in it.
std::string Saved(const Settings& s, const std::string& key = "") {
    IniFile ini("");
    SaveSettings(ini, s);
    return key.empty() ? ini.Text() : ini.ReadIni(SectionOf(key), key);
}

// Loads `s` from an existing file that holds only `keys`.
Settings& Load(const Keys& keys, Settings& s) {
    IniFile ini("");
    for (const auto& [key, value] : keys) ini.WriteIni(SectionOf(key), key, value);
    EXPECT_TRUE(LoadSettings(ini, true, kScreen, &s));
    return s;
}

// The names of the themes, without the blanks that pad them.
std::string Trim(const std::string& name) {
    return name.substr(0, name.find_last_not_of(' ') + 1);
}
std::vector<std::string> ThemeNames(const Settings& s) {
    std::vector<std::string> names;
    for (const ThemeRec& t : s.Themes) names.push_back(Trim(t.Name));
    return names;
}

TEST(Settings, without_a_file_are_the_defaults_with_the_window_placed_by_the_screen) {
    IniFile ini("");
    Settings s;
    EXPECT_FALSE(LoadSettings(ini, false, kScreen, &s));
    Settings expected;
    expected.form = {3200, 6000, 14400, 1080};
    EXPECT_EQ(Saved(s), Saved(expected));
    EXPECT_EQ(s.Themes, BuiltInThemes());
    EXPECT_EQ(CurrentColours(s).CurBakClr, Rgb(0, 128, 64));
    s.Themes[0].BakClr = Rgb(1, 2, 3);  // theme 0 is painted in its own colours
    EXPECT_EQ(CurrentColours(s).CurBakClr, Rgb(1, 2, 3));
    // A theme number one past the list (a file edited by hand) paints the default colours.
    s.CurrentTheme = static_cast<int>(s.Themes.size());
    EXPECT_EQ(CurrentColours(s).CurBakClr, Rgb(0, 128, 64));
    s.CurrentTheme = 0;
    s.Themes = BuiltInThemes();
    // An existing file with no keys: the defaults of the file format.
    s.PrintColor = s.options.CalcMode = true;
    Load({}, s);
    expected.PrintDate = expected.PrintTime = true;
    expected.options.DecimalCode = 2;
    EXPECT_EQ(Saved(s), Saved(expected));
}

TEST(Settings, every_setting_and_theme_comes_back_as_it_was_saved) {
    Settings s;
    s.CurrentTheme = 2;
    s.Themes = {{100, "Default        ", 0, 255, 16711680, 16777215, 4227072},
                {7, "Exactly fifteen", 1, 2, 3, 4, 5},
                {-3, FitThemeName("Brûlée"), 16777215, 65280, 8421504, 12345, 0}};
    s.PrintDate = s.PrintTime = s.PrintColor = s.ShowTipAtStartup = true;
    s.ShowConversion = s.AlwaysOnTop = s.options.CalcMode = s.options.KeysInterruptVoice = true;
    s.TipOfTheDay = 41, s.options.DecimalCode = 16;
    s.options.MachineSound = "Burroughs", s.options.CallbackCharacter = "Vesna";
    s.options.CallInputCharacter = "None; or = text";
    s.form = {4321.5, 7000, -250, 12.25};
    s.RecentFiles = {"/home/ann/week.add", "/srv/tapes/b = c; d.add",
                     "/t/3.add",           "/t/4.add",
                     "/t/5.add",           "/t/6.add",
                     "/t/7.add",           "/t/eighth.add"};
    for (const Settings& saved : {s, Settings()}) {
        IniFile ini("");
        SaveSettings(ini, saved);
        Settings loaded;
        loaded.options.MachineSound = "left over";
        ASSERT_TRUE(LoadSettings(ini, true, kScreen, &loaded));
        EXPECT_EQ(loaded.Themes, saved.Themes);
        EXPECT_EQ(Saved(loaded), Saved(saved));
    }
    for (auto [value, colour] : std::initializer_list<std::pair<double, Colour>>{
             {254.6, 255}, {-5, 0}, {1e300, 16777215}, {std::nan(""), 0}})
        EXPECT_EQ(ColourOf(value), colour) << value;
}

// 1E-411, written with 210 zeros after the point: too small for a double, so 0.
const std::string kTinyForm = "0." + std::string(210, '0') + "1e-200";
const char* const kTinyWithLeadingZeros = kTinyForm.c_str();

TEST(Settings, numbers_words_and_junk_are_read_as_the_file_format_reads_them) {
    const struct {
        const char* key;
        const char* value;
        const char* read_as;  // the value written back after loading
        // clang-format off
    } rules[] = {
        {"Print date", "-1", "True"}, {"Print time", "0", "False"}, {"Print date", "fALSE", "False"},
        {"Print color", "TRUE", "True"}, {"Print color", "2.5", "True"}, {"Show conversion", "0.0", "False"},
        // junk gives the empty value's result, and False where that is open
        {"Print date", "yes", "True"}, {"Print color", "red", "False"}, {"Show tip at startup", "", "False"},
        {"Show conversion", "Truest", "False"}, {"Print color", "trap", "False"}, {"Print date", "fable", "True"}, {"Tip of the Day", "  7 tips", "7"}, {"Tip of the Day", "tip 7", "0"},
        {"Tip of the Day", "2.5", "2"}, {"Tip of the Day", "3.5", "4"}, {"Tip of the Day", "-2.5", "-2"},
        {"Tip of the Day", "1.5E1", "15"}, {"Tip of the Day", "1.2.3", "1"}, {"Print color", "1.2.3", "False"},
        {"Tip of the Day", "99999999999", "0"},
        {"Tip of the Day", "1e99999", "0"}, {"Decimals", "-1 apples", "2"}, {"Decimals", "16.5", "16"},
        {"Decimals", "abc", "0"}, {"Decimals", "40000", "2"}, {"Width", "-1", "3200"}, {"Width", "1e30", "3200"},
        {"Height", "1000000", "1000000"}, {"Height", "1000000.5", "6000"},
        {"Left", "1234.5", "1234.5"}, {"Left", "1e400", "14400"}, {"Left", "-1e400", "14400"},
        {"Left", "1e-400", "0"}, {"Left", kTinyWithLeadingZeros, "0"}, {"Top", "-1", "1080"}, {"Top", "-2", "-2"}, {"Top", "nowhere", "0"},
        {"ColorThemes", "-1", "6"}, {"ColorTheme", "1", "1"}, {"ColorTheme", "2", "0"}, {"ColorTheme", "-1", "0"},
        {"Always on top", "True", "True"}, {"Always on top", "true", "False"}, {"CalcMode", "True", "True"},
        {"CalcMode", "TRUE", "False"},
    };
    // clang-format on
    for (const auto& r : rules) {
        Settings s;
        Load({{"ColorThemes", "6"},
              {"ColorTheme 0TapClr", "1"},
              {"ColorTheme 1TapClr", "2"},
              {r.key, r.value}},
             s);
        EXPECT_EQ(Saved(s, r.key), r.read_as) << r.key << "=" << r.value;
    }
    Settings s;
    s.AlwaysOnTop = true;  // any value but "True" changes nothing
    EXPECT_TRUE(Load({{"Always on top", "False"}}, s).AlwaysOnTop);
    EXPECT_EQ(Load({{"Left", "0.1"}}, s).form.Left, static_cast<double>(0.1f));  // a Single
}

TEST(Settings, themes_are_read_only_when_one_of_them_has_a_colour_key) {
    const struct {
        const char* name;
        Keys keys;
        std::size_t themes;  // 0: the built-in ones
        // clang-format off
    } cases[] = {
        {"options only", {{"Decimals", "4"}}, 0},
        {"counted, not there", {{"ColorThemes", "3"}, {"ColorTheme", "2"}}, 0},
        {"names and IDs only", {{"ColorThemes", "1"}, {"ColorTheme 0Name", "Mine"}, {"ColorTheme 1ID", "7"}}, 0},
        {"a colour beyond the count", {{"ColorTheme 1TapClr", "255"}}, 0},
        {"no blank before the index", {{"ColorThemes", "1"}, {"ColorTheme0PosClr", "255"}}, 0},
        {"a colour of the last theme only", {{"ColorThemes", "1"}, {"ColorTheme 1BakClr", "255"}}, 1},
    };
    // clang-format on
    for (const auto& c : cases) {
        Settings s;
        Load(c.keys, s);
        if (c.themes == 0) {
            EXPECT_EQ(s.Themes, BuiltInThemes()) << c.name;
            // The tape is painted in the theme's colours, not black on black, and the
            // themes are written back so that the next start finds them in the file.
            EXPECT_EQ(CurrentColours(s).CurTapClr, ColoursOf(s.Themes[s.CurrentTheme]).CurTapClr);
            EXPECT_NE(CurrentColours(s).CurTapClr, CurrentColours(s).CurPosClr) << c.name;
            EXPECT_EQ(Saved(s, "ColorTheme 0TapClr"), "16777215") << c.name;
        } else {
            EXPECT_EQ(s.Themes.size(), c.themes) << c.name;
            EXPECT_EQ(s.Themes[0], (ThemeRec{0, FitThemeName(""), 0, 0, 0, 0, 255})) << c.name;
        }
    }
}

// "ColorThemes" says how far to look, never how many themes to make: an index with
// none of its keys is no theme, so junk counts cannot invent blank themes.
TEST(Settings, a_theme_count_reads_only_the_themes_the_file_holds) {
    const Keys two_themes = {{"ColorTheme 0Name", "Dawn"},  {"ColorTheme 0TapClr", "255"},
                             {"ColorTheme 3Name", "Dusk"},  {"ColorTheme 3TapClr", "65280"},
                             {"ColorTheme 7Name", "Night"}, {"ColorTheme 7BakClr", "1"}};
    const struct {
        const char* count;
        std::vector<std::string> names;  // the themes read
        const char* current;             // "ColorTheme": an index in the file
        const char* current_name;
        // clang-format off
    } rows[] = {
        {"1e308", {"Dawn", "Dusk", "Night"}, "3", "Dusk"}, {"99", {"Dawn", "Dusk", "Night"}, "7", "Night"},
        {"1e11", {"Dawn", "Dusk", "Night"}, "1", "Dawn"}, {"99999999999999999999", {"Dawn", "Dusk", "Night"}, "2", "Dawn"},
        {"3", {"Dawn", "Dusk"}, "3", "Dusk"}, {"6.9", {"Dawn", "Dusk", "Night"}, "0", "Dawn"},
        {"2.4", {"Dawn"}, "3", "Dawn"}, {"", {"Dawn"}, "", "Dawn"}, {"junk", {"Dawn"}, "0", "Dawn"},
        {"-1e308", {"Default", "Christmas", "Easter", "Executive", "Halloween", "St. Patrick", "Valentine"}, "4", "Halloween"},
    };
    // clang-format on
    for (const auto& r : rows) {
        Keys keys = two_themes;
        keys.insert(keys.end(), {{"ColorThemes", r.count}, {"ColorTheme", r.current}});
        Settings s;
        Load(keys, s);
        EXPECT_EQ(ThemeNames(s), r.names) << "ColorThemes=" << r.count;
        EXPECT_EQ(s.Themes[s.CurrentTheme].Name, FitThemeName(r.current_name)) << r.count;
        // Written back, the count is what was read: the next start reads no more.
        EXPECT_EQ(Saved(s, "ColorThemes"), std::to_string(r.names.size() - 1)) << r.count;
    }
}

// What two windows do to their settings while both are open.
using Change = std::function<void(Settings&)>;

Change AddTheme(const std::string& name, Colour tape = 12345) {
    return [=](Settings& s) { s.Themes.push_back({100, FitThemeName(name), 1, 2, 3, tape, 5}); };
}
// As the Delete theme dialog does: the theme goes and "Default" becomes current.
Change DeleteTheme(const std::string& name) {
    return [=](Settings& s) {
        std::erase_if(s.Themes, [&](const ThemeRec& t) { return Trim(t.Name) == name; });
        s.CurrentTheme = 0;
    };
}
Change PickTheme(const std::string& name) {
    return [=](Settings& s) {
        for (size_t i = 0; i < s.Themes.size(); ++i)
            if (Trim(s.Themes[i].Name) == name) s.CurrentTheme = static_cast<int>(i);
    };
}
Change Both(Change a, Change b) {
    return [=](Settings& s) { a(s), b(s); };
}
const std::vector<std::string> kBuiltInNames = {"Default",   "Christmas",   "Easter",   "Executive",
                                                "Halloween", "St. Patrick", "Valentine"};
std::vector<std::string> BuiltInNamesAnd(std::vector<std::string> changes) {
    std::vector<std::string> names = kBuiltInNames;
    for (const std::string& change : changes) {
        if (change[0] == '-')
            std::erase(names, change.substr(1));
        else
            names.push_back(change);
    }
    return names;
}

// Windows A and B read the same file; A closes, then B.
TEST(MergeSettings, two_windows_closing_one_after_the_other_keep_both_windows_changes) {
    const struct {
        const char* name;
        Change a, b;
        std::int16_t decimals;
        bool calc_mode;
        std::vector<std::string> themes;
        const char* current;
        // clang-format off
    } rows[] = {
        {"both change decimals: the last to close wins for that key only",
         [](Settings& s) { s.options.DecimalCode = 4, s.options.CalcMode = true; },
         [](Settings& s) { s.options.DecimalCode = 6; }, 6, true, kBuiltInNames, "Default"},
        {"an option set back to the value read is no change", [](Settings& s) { s.options.DecimalCode = 4; },
         [](Settings& s) { s.options.DecimalCode = 0, s.options.DecimalCode = 2; }, 4, false, kBuiltInNames, "Default"},
        {"both add the same theme", AddTheme("Spring"), AddTheme("Spring"), 2, false, BuiltInNamesAnd({"Spring"}), "Default"},
        {"both add a theme by one name in two colourings", AddTheme("Spring", 1), AddTheme("Spring", 2), 2, false,
         BuiltInNamesAnd({"Spring", "Spring"}), "Default"},
        {"one deletes a theme the other kept", DeleteTheme("Halloween"), AddTheme("Spring"), 2, false,
         BuiltInNamesAnd({"-Halloween", "Spring"}), "Default"},
        {"both delete the same theme", DeleteTheme("Easter"), DeleteTheme("Easter"), 2, false,
         BuiltInNamesAnd({"-Easter"}), "Default"},
        {"the theme chosen is kept by name when the themes before it go",
         PickTheme("Valentine"), DeleteTheme("Christmas"), 2, false, BuiltInNamesAnd({"-Christmas"}), "Valentine"},
        {"a theme chosen in the window closing last wins", PickTheme("Valentine"), PickTheme("Easter"), 2, false,
         kBuiltInNames, "Easter"},
        {"a new theme chosen by the other window stays chosen", Both(AddTheme("Spring"), PickTheme("Spring")),
         AddTheme("Autumn"), 2, false, BuiltInNamesAnd({"Spring", "Autumn"}), "Spring"},
        {"the chosen theme deleted by the other window gives Default", PickTheme("Easter"),
         DeleteTheme("Easter"), 2, false, BuiltInNamesAnd({"-Easter"}), "Default"},
        {"every theme deleted between them leaves the last window's", DeleteTheme("Default"),
         [](Settings& s) { s.Themes = {s.Themes[0]}; }, 2, false, {"Default"}, "Default"},
    };
    // clang-format on
    Settings read;
    read.options.DecimalCode = 2;
    for (const auto& r : rows) {
        Settings a = read, b = read;
        r.a(a), r.b(b);
        a.form.Left = 1000, b.form.Left = 2000;
        const Settings after_a = MergeSettings(read, a, read);
        EXPECT_EQ(after_a.form.Left, 1000) << r.name;
        const Settings after_b = MergeSettings(read, b, after_a);
        EXPECT_EQ(after_b.options.DecimalCode, r.decimals) << r.name;
        EXPECT_EQ(after_b.options.CalcMode, r.calc_mode) << r.name;
        EXPECT_EQ(ThemeNames(after_b), r.themes) << r.name;
        ASSERT_LT(static_cast<size_t>(after_b.CurrentTheme), after_b.Themes.size()) << r.name;
        EXPECT_EQ(Trim(after_b.Themes[after_b.CurrentTheme].Name), r.current) << r.name;
        EXPECT_EQ(after_b.form.Left, 2000) << r.name;  // each window's place is its own
    }
}

// The first theme chosen in a window stays the one chosen, by its colours, when a
// recoloured copy of it carries the same name.
TEST(MergeSettings, the_first_theme_chosen_stays_chosen_beside_a_copy_of_its_name) {
    Settings read;
    AddTheme("Default")(read);
    read.CurrentTheme = static_cast<int>(read.Themes.size()) - 1;
    Settings now = read;
    now.CurrentTheme = 0;
    EXPECT_EQ(MergeSettings(read, now, read).CurrentTheme, 0);
}

TEST(PlaceOnScreen, pulls_a_window_back_so_that_it_can_be_reached) {
    // clang-format off
    const std::pair<FormPlace, FormPlace> rows[] = {
        // Off the left edge 1000 twips show; off the top, none is hidden.
        {{3200, 6000, -5000, 100}, {3200, 6000, -2200, 100}}, {{3200, 6000, 100, -40}, {3200, 6000, 100, 0}},
        {{500, 6000, 0, 10300}, {500, 6000, 500, 10300}},
        // Within 500 twips of the right or bottom edge: pulled back so that 500 show.
        {{3200, 6000, 19000, 100}, {3200, 6000, 18700, 100}}, {{3200, 6000, 100, 10500}, {3200, 6000, 100, 10300}},
        // Larger than the screen: the screen's size, on the screen.
        {{999999, 999999, 5000, 3000}, {19200, 10800, 0, 0}}, {{30000, 6000, 40000, 100}, {19200, 6000, 0, 100}},
        {{3200, 20000, 100, 5000}, {3200, 10800, 100, 0}}};
    // clang-format on
    for (auto [form, placed] : rows) {
        PlaceOnScreen(kScreen, &form);
        EXPECT_EQ(form, placed) << placed.Left << "," << placed.Top;
    }
    // A screen that reports no room keeps the window's own size, never shrinks it away.
    FormPlace form{3200, 6000, 100, 100};
    PlaceOnScreen(ScreenSize{}, &form);
    EXPECT_EQ(std::pair(form.Width, form.Height), std::pair(3200.0, 6000.0));
}

// A fresh folder for each test, removed afterwards.
class IniFileTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return temp_ / name; }
    std::size_t Files() const {
        return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
    }
    TempFolder temp_{"tallymar-ini"};
    const fs::path& folder_ = temp_.path();
    std::string reason;  // why the last save failed
};

TEST_F(IniFileTest, reads_keys_in_any_letter_case_and_writes_them_back_keeping_the_rest) {
    IniFile fresh(PathOf("config/tallymar/Tallymar.ini"));  // a new file in new folders
    EXPECT_FALSE(fresh.Load());
    fresh.WriteIni("OPTIONS", "ColorTheme 0Name", "Default        ");
    fresh.WriteIni("FORM", "Width", "3200");
    fresh.WriteIni("OPTIONS", "MachineSound", "two\nlines");
    ASSERT_TRUE(fresh.Save(&reason));
    EXPECT_EQ(ReadBytes(PathOf("config/tallymar/Tallymar.ini")),
              "[OPTIONS]\nColorTheme 0Name=Default        \nMachineSound=two "
              "lines\n\n\n[FORM]\nWidth=3200\n");
    std::ofstream(PathOf("tallymar.INI"), std::ios::binary)
        << "; my notes\n\n[options]\r\nDecimals = 4 \r\nPlugin=on\ndecimals=6\n[Extra]\nA=1\n";
    IniFile ini(PathOf("Tallymar.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadIni("Options", "DECIMALS"), "4");  // the first of two equal keys
    EXPECT_EQ(ini.ReadIni("OPTIONS", "CalcMode") + ini.ReadIni("FORM", "Plugin"), "");
    ini.WriteIni("OPTIONS", "DECIMALS", "2");  // keeps the key's place and spelling
    ini.WriteIni("OPTIONS", "CalcMode", "False");
    ASSERT_TRUE(ini.Save(&reason));
    const std::string expected =
        "; my notes\n\n\n[options]\nDecimals=2\nPlugin=on\nCalcMode=False\n\n\n[Extra]\nA=1\n";
    EXPECT_EQ(ReadBytes(PathOf("tallymar.INI")), expected);
    EXPECT_EQ(Files(), 2u);                        // saved where it was found
    ASSERT_TRUE(ini.Load() && ini.Save(&reason));  // the layout does not grow from save to save
    EXPECT_EQ(ReadBytes(PathOf("tallymar.INI")), expected);
}

TEST_F(IniFileTest, odd_and_overlong_text_loads_into_settings_without_harm) {
    IniFile overlong("");
    overlong.LoadFromText("[OPTIONS]\nMachineSound=" + std::string(300, 'b'));
    EXPECT_EQ(overlong.ReadIni("OPTIONS", "MachineSound"), std::string(254, 'b'));
    const std::string junk[] = {
        "\0\xff\xfe[OPTIONS\n=\n==\n[]\n\x01\x02=\x03"s, std::string(1 << 20, 'x'),
        "no sections at all\nDecimals=4\n[unterminated\nColorThemes=1e300\n",
        "\xEF\xBB\xBF[OPTIONS]\nColorThemes=-5\nColorTheme=3\n",
        "[OPTIONS]\nColorThemes=2\nColorTheme 1Name=\xC3\n[OPTIONS]\nCalcMode=True\n"};
    for (const std::string& text : junk) {
        IniFile ini(PathOf("Tallymar.ini"));
        ini.LoadFromText(text);
        Settings s;
        EXPECT_TRUE(LoadSettings(ini, true, kScreen, &s));
        EXPECT_LT(static_cast<size_t>(s.CurrentTheme), s.Themes.size());
        SaveSettings(ini, s);
        EXPECT_TRUE(ini.Save(&reason));
    }
    IniFile ini("");
    ini.LoadFromText("[OPTIONS]\nA=1\0\nDecimals=4\n"s);
    EXPECT_EQ(ini.ReadIni("OPTIONS", "Decimals"), "4");  // a NUL byte does not end the file
}

TEST_F(IniFileTest, a_failed_save_says_why_and_leaves_the_old_file_and_no_temporary_file) {
    const std::string old_text = "[OPTIONS]\nDecimals=6\n";
    std::ofstream(PathOf("Tallymar.ini"), std::ios::binary) << old_text;
    IniFile ini(PathOf("Tallymar.ini"));
    ASSERT_TRUE(ini.Load());
    ini.WriteIni("OPTIONS", "MachineSound", std::string(200, 'x'));
    // Files may grow to 64 bytes only, so the write itself fails (root or not).
    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = ini.Save(&reason);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(ReadBytes(PathOf("Tallymar.ini")), old_text);
    EXPECT_EQ(Files(), 1u);

    // Grown too large to be settings while the window was open: closing leaves it alone,
    // and so does a start that cannot read it.
    fs::resize_file(PathOf("Tallymar.ini"), kMaxIniFileSize + 1);
    EXPECT_FALSE(ini.SaveChanges(Settings{}, &reason));
    EXPECT_EQ(reason,
              "it could not be read at closing (it is too large to be a settings file), so it "
              "was left as it was");
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.ReadIni("OPTIONS", "Decimals"), "");
    ini.WriteIni("OPTIONS", "Decimals", "2");
    EXPECT_FALSE(ini.Save(&reason));
    EXPECT_EQ(reason,
              "it could not be read at start-up (it is too large to be a settings file), so it "
              "was left as it was");
    EXPECT_EQ(fs::file_size(PathOf("Tallymar.ini")), kMaxIniFileSize + 1);
}

// Two windows of the program on one settings file, each closing with SaveChanges.
class SharedSettingsTest : public IniFileTest {
  protected:
    struct Window {
        explicit Window(const std::string& path) : ini(path) {
            EXPECT_TRUE(ini.Load());
            LoadSettings(ini, true, kScreen, &settings);
        }
        IniFile ini;
        Settings settings;
    };
    void SetUp() override { WriteFirstFile(); }
    // The file both windows read: the built-in themes and two decimals.
    void WriteFirstFile() {
        IniFile first(path_);
        Settings s;
        s.options.DecimalCode = 2;
        SaveSettings(first, s);
        ASSERT_TRUE(first.Save(&reason));
    }
    // The settings a window opened now would read.
    Settings OnDisk() { return Window(path_).settings; }
    const std::string path_ = PathOf("Tallymar.ini");
};

TEST_F(SharedSettingsTest, two_windows_closing_at_once_from_two_threads_keep_both_changes) {
    for (int round = 0; round < 20; ++round) {
        WriteFirstFile();
        Window a(path_), b(path_);
        a.settings.options.DecimalCode = 4;
        AddTheme("Spring")(b.settings);
        std::string reason_a, reason_b;
        bool saved_a = false, saved_b = false;
        std::thread ta([&] { saved_a = a.ini.SaveChanges(a.settings, &reason_a); });
        std::thread tb([&] { saved_b = b.ini.SaveChanges(b.settings, &reason_b); });
        ta.join(), tb.join();
        ASSERT_TRUE(saved_a && saved_b) << reason_a << reason_b;
        const Settings s = OnDisk();
        ASSERT_EQ(s.options.DecimalCode, 4) << "round " << round;
        ASSERT_EQ(ThemeNames(s), BuiltInNamesAnd({"Spring"})) << "round " << round;
    }
}

TEST_F(SharedSettingsTest,
       a_closing_window_waits_for_the_lock_and_writes_over_the_file_as_it_is_then) {
    Window b(path_);
    AddTheme("Spring")(b.settings);
    auto other = std::make_unique<SettingsFileLock>(path_, std::chrono::milliseconds(0));
    ASSERT_TRUE(other->held());
    bool saved = false;
    std::thread closing([&] { saved = b.ini.SaveChanges(b.settings, &reason); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(ThemeNames(OnDisk()), kBuiltInNames);  // nothing written while locked
    {
        Window a(path_);  // the other window, writing under its lock
        a.settings.options.DecimalCode = 6;
        SaveSettings(a.ini, a.settings);
        ASSERT_TRUE(a.ini.Save(&reason));
    }
    other.reset();
    closing.join();
    EXPECT_TRUE(saved);
    const Settings s = OnDisk();
    EXPECT_EQ(s.options.DecimalCode, 6);
    EXPECT_EQ(ThemeNames(s), BuiltInNamesAnd({"Spring"}));
    EXPECT_TRUE(fs::exists(path_ + ".lock"));  // kept for the next window
}

TEST_F(SharedSettingsTest, a_lock_never_released_delays_a_close_only_briefly_and_it_still_writes) {
    const SettingsFileLock stuck(path_, std::chrono::milliseconds(0));
    ASSERT_TRUE(stuck.held());
    EXPECT_FALSE(SettingsFileLock(path_, std::chrono::milliseconds(50)).held());
    Window a(path_);
    a.settings.options.DecimalCode = 4;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(a.ini.SaveChanges(a.settings, &reason, std::chrono::milliseconds(200)));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_LT(waited, std::chrono::seconds(2));
    EXPECT_EQ(OnDisk().options.DecimalCode, 4);
}

// The settings live in the desktop's config folder, never beside the program (even a
// writable one); a relative XDG_CONFIG_HOME is ignored, as the desktop's rules say, and
// TALLYMAR_SETTINGS names a file of one's own.
TEST_F(IniFileTest,
       settings_live_in_the_config_folder_and_an_old_file_beside_the_program_seeds_them) {
    const std::string home = PathOf("home");
    const char* old_home = std::getenv("HOME");
    const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved_home = old_home ? old_home : "", saved_xdg = old_xdg ? old_xdg : "";
    ::setenv("HOME", home.c_str(), 1);
    const std::tuple<const char*, const char*, std::string> rows[] = {
        {"/etc/xdg-test", nullptr, "/etc/xdg-test/tallymar/Tallymar.ini"},
        {nullptr, nullptr, home + "/.config/tallymar/Tallymar.ini"},
        {"relative/config", nullptr, home + "/.config/tallymar/Tallymar.ini"},
        {"/etc/xdg-test", "/srv/mine.ini", "/srv/mine.ini"}};
    for (const auto& [xdg, chosen, expected] : rows) {
        xdg ? ::setenv("XDG_CONFIG_HOME", xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        chosen ? ::setenv("TALLYMAR_SETTINGS", chosen, 1) : ::unsetenv("TALLYMAR_SETTINGS");
        EXPECT_EQ(SettingsPath(folder_.string()), expected) << (xdg ? xdg : "(unset)");
    }
    ::unsetenv("TALLYMAR_SETTINGS");
    old_home ? ::setenv("HOME", saved_home.c_str(), 1) : ::unsetenv("HOME");
    old_xdg ? ::setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");

    // An older set-up's file beside the program seeds the new one once; later starts
    // keep what the user has, and without an old file the shipped one seeds it.
    fs::create_directories(PathOf("bin"));
    std::ofstream(PathOf("bin/TALLYMAR.INI")) << "[OPTIONS]\nDecimals=4\n";
    std::ofstream(PathOf("shipped.ini")) << "[OPTIONS]\nDecimals=2\n";
    const std::string mine = PathOf("config/tallymar/Tallymar.ini");
    EXPECT_TRUE(SeedSettings(PathOf("bin"), PathOf("shipped.ini"), mine));
    EXPECT_EQ(ReadBytes(mine), "[OPTIONS]\nDecimals=4\n");
    std::ofstream(mine) << "[OPTIONS]\nDecimals=6\n";
    EXPECT_FALSE(SeedSettings(PathOf("bin"), PathOf("shipped.ini"), mine));
    EXPECT_EQ(ReadBytes(mine), "[OPTIONS]\nDecimals=6\n");
    EXPECT_TRUE(SeedSettings(PathOf("nothing here"), PathOf("shipped.ini"), PathOf("other.ini")));
    EXPECT_EQ(ReadBytes(PathOf("other.ini")), "[OPTIONS]\nDecimals=2\n");
}

}  // namespace
}  // namespace tallymar
