// Reading and writing every setting through an IniStore, and the start-up
// placement of the main window.
//
// Values the file may hold that have no meaning of their own are settled here so
// that a damaged or hand-edited file never stops the program:
// - "Show tip at startup" and "Show conversion" that are empty or neither a Boolean
//   word nor a number give False, as on a start without a settings file.
// - "Print date", "Print time" and "Print color" that are not empty, not a number and
//   no Boolean word give the same as an empty value (True, True, False).
// - A number too large for its field gives the key's empty-value result ("Decimals"
//   2, "Tip of the Day" 0, "ColorTheme" 0, a theme's ID 0).
// - "ColorThemes" is the highest index looked at, never a number of themes to make:
//   an index with none of its seven keys is no theme and is passed over, so a count
//   of 1e308 over two themes reads two. Below 0 it keeps the built-in themes; above
//   kMaxThemes - 1 no index past kMaxThemes - 1 is looked at.
// - "ColorTheme" names a theme by its index in the file; one that names no theme
//   read gives 0.
// - A theme colour is rounded and held to 0 .. 16777215.
// - A "FORM" value that is no number within +/-1,000,000 twips gives the key's default.
// - A file in which no theme has a single colour key keeps the built-in themes, as a
//   start without a file does (rather than one theme painting black on black).
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "settings/settings.h"

namespace tallymar {

namespace {

constexpr char kOptions[] = "OPTIONS";
constexpr char kForm[] = "FORM";
// File > Open Recent's list, "File1" the most recent.
constexpr char kRecent[] = "RECENT";
constexpr int kRecentFiles = 8;

constexpr double kMaxTwips = 1e6;  // about 17 metres of screen
constexpr double kDefaultWidth = 3200;
constexpr double kDefaultHeight = 6000;

const char* const kThemeFields[] = {"ID", "Name", "PosClr", "NegClr", "TxtClr", "TapClr", "BakClr"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

struct Scan {
    double value = 0;
    size_t end = 0;  // one past the last numeric character taken
    bool has_digits = false;
};

// Reads the leading numeric characters of `text`: blanks, a sign, digits with at most
// one decimal point, and an exponent ("E" or "D", a sign, digits). The decimal point
// is always ".", whatever the locale.
Scan ScanNumber(std::string_view text) {
    Scan scan;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string digits;  // the mantissa and exponent in from_chars form
    long magnitude = 0;  // rough decimal exponent of the value, to tell overflow from underflow
    bool seen_nonzero = false;
    bool seen_point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            scan.has_digits = true;
            if (c != '0') seen_nonzero = true;
            if (!seen_point && seen_nonzero) ++magnitude;
            if (seen_point && !seen_nonzero) --magnitude;
            digits.push_back(c);
        } else if (c == '.' && !seen_point) {
            seen_point = true;
            digits.push_back(c);
        } else {
            break;
        }
    }
    if (!scan.has_digits) return scan;
    scan.end = i;

    if (i < text.size() && (Lower(text[i]) == 'e' || Lower(text[i]) == 'd')) {
        size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j++] == '-';
        }
        if (j < text.size() && IsDigit(text[j])) {
            long exponent = 0;
            while (j < text.size() && IsDigit(text[j])) {
                if (exponent < 1000000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (exponent_negative) exponent = -exponent;
            magnitude += exponent;
            digits += 'e';
            digits += std::to_string(exponent);
            scan.end = j;
        }
    }

    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = (seen_nonzero && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    scan.value = negative ? -value : value;
    return scan;
}

// The numeric value of the text's leading numeric characters, 0 when there are none.
double NumberOf(std::string_view text) {
    return ScanNumber(text).value;
}

// True when the whole text (blanks around it aside) is a number.
bool IsNumber(std::string_view text) {
    const Scan scan = ScanNumber(text);
    return scan.has_digits && Trimmed(text.substr(scan.end)).empty();
}

// Rounds to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double x) {
    const double rounded = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return rounded;
}

// The value rounded half-to-even, or nothing when it does not fit in T.
template <typename T>
std::optional<T> WholeNumber(double x) {
    if (std::isnan(x)) return std::nullopt;
    const double rounded = RoundHalfEven(x);
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

// "True"/"False" in any letter case, or a number (0 is False); nothing for anything else.
std::optional<bool> BooleanOf(std::string_view text) {
    const std::string_view word = Trimmed(text);
    if (EqualsIgnoringCase(word, "true")) return true;
    if (EqualsIgnoringCase(word, "false")) return false;
    if (IsNumber(word)) return NumberOf(word) != 0;
    return std::nullopt;
}

// "Print date" and "Print time": empty and -1 give True, as does a value that is no Boolean.
bool PrintStampOf(const std::string& value) {
    if (value.empty() || NumberOf(value) == -1) return true;
    return BooleanOf(value).value_or(true);
}

// A "FORM" key: empty and -1 give `fallback`; otherwise the number as a Single.
double FormValueOf(const std::string& value, double fallback) {
    if (value.empty()) return fallback;
    const double number = NumberOf(value);
    if (number == -1 || !(std::fabs(number) <= kMaxTwips)) return fallback;
    return static_cast<float>(number);
}

std::string BooleanText(bool value) {
    return value ? "True" : "False";
}

// Shortest plain decimal text that reads back as the same Single; "-1" (the empty
// value) for a number a Single cannot hold.
std::string FormText(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return "-1";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                                      std::chars_format::fixed);
    if (result.ec != std::errc{}) return "-1";
    return std::string(buffer, result.ptr);
}

// "ColorTheme" + the index with a blank before it when it is not negative + the field.
std::string ThemeKey(long index, const char* field) {
    char number[24];
    const auto end = std::to_chars(number, number + sizeof number, index).ptr;
    std::string key;
    key.reserve(32);
    key.append(index >= 0 ? "ColorTheme " : "ColorTheme").append(number, end).append(field);
    return key;
}

// What the file holds of the theme at one index.
struct ThemeKeys {
    bool any = false;         // one of its seven keys at least
    bool any_colour = false;  // one of its five colour keys at least
    ThemeRec theme;
};

ThemeKeys ReadTheme(IniStore& ini, long index) {
    std::string values[7];
    ThemeKeys read;
    for (int field = 0; field < 7; ++field) {
        values[field] = ini.ReadIni(kOptions, ThemeKey(index, kThemeFields[field]));
        if (values[field].empty()) continue;
        read.any = true;
        if (field >= 2) read.any_colour = true;
    }
    ThemeRec& theme = read.theme;
    theme.ID = WholeNumber<std::int16_t>(NumberOf(values[0])).value_or(0);
    theme.Name = FitThemeName(values[1]);
    theme.PosClr = ColourOf(NumberOf(values[2]));
    theme.NegClr = ColourOf(NumberOf(values[3]));
    theme.TxtClr = ColourOf(NumberOf(values[4]));
    theme.TapClr = ColourOf(NumberOf(values[5]));
    theme.BakClr = ColourOf(NumberOf(values[6]));
    return read;
}

void WriteTheme(IniStore& ini, long index, const ThemeRec& theme) {
    const std::string values[] = {std::to_string(theme.ID),
                                  FitThemeName(theme.Name),
                                  std::to_string(ColourOf(theme.PosClr)),
                                  std::to_string(ColourOf(theme.NegClr)),
                                  std::to_string(ColourOf(theme.TxtClr)),
                                  std::to_string(ColourOf(theme.TapClr)),
                                  std::to_string(ColourOf(theme.BakClr))};
    for (int field = 0; field < 7; ++field) {
        ini.WriteIni(kOptions, ThemeKey(index, kThemeFields[field]), values[field]);
    }
}

double DefaultLeft(const ScreenSize& screen) {
    return screen.width * 0.75;
}
double DefaultTop(const ScreenSize& screen) {
    return screen.height * 0.1;
}

}  // namespace

Settings::Settings() : Themes(BuiltInThemes()) {
    options.DecimalCode = 0;
}

bool LoadSettings(IniStore& ini, bool file_exists, const ScreenSize& screen, Settings* settings) {
    Settings& s = *settings;
    if (!file_exists) {
        s.form.Left = DefaultLeft(screen);
        s.form.Top = DefaultTop(screen);
        return false;
    }
    auto read = [&](const char* key) { return ini.ReadIni(kOptions, key); };

    const int current = WholeNumber<std::int16_t>(NumberOf(read("ColorTheme"))).value_or(0);

    const double upper = RoundHalfEven(NumberOf(read("ColorThemes")));
    const long last = upper < 0             ? -1
                      : upper >= kMaxThemes ? kMaxThemes - 1
                                            : static_cast<long>(upper);
    std::vector<ThemeRec> themes;
    int current_read = -1;  // where the theme at `current` lands among those read
    bool any_colour = false;
    for (long i = 0; i <= last; ++i) {
        ThemeKeys keys = ReadTheme(ini, i);
        if (!keys.any) continue;
        if (i == current) current_read = static_cast<int>(themes.size());
        any_colour = any_colour || keys.any_colour;
        themes.push_back(std::move(keys.theme));
    }
    if (any_colour) {
        s.Themes = std::move(themes);
        s.CurrentTheme = current_read;
    } else {
        s.Themes = BuiltInThemes();
        s.CurrentTheme = current;
    }
    // A negative number, made unsigned, is past the end too.
    if (static_cast<size_t>(s.CurrentTheme) >= s.Themes.size()) {
        s.CurrentTheme = 0;
    }

    s.PrintDate = PrintStampOf(read("Print date"));
    s.PrintTime = PrintStampOf(read("Print time"));

    const std::string color = read("Print color");
    if (color.empty()) {
        s.PrintColor = false;
    } else if (NumberOf(color) == -1) {
        s.PrintColor = true;
    } else {
        s.PrintColor = BooleanOf(color).value_or(false);
    }

    const std::string decimals = read("Decimals");
    if (decimals.empty() || NumberOf(decimals) == -1) {
        s.options.DecimalCode = 2;
    } else {
        s.options.DecimalCode = WholeNumber<std::int16_t>(NumberOf(decimals)).value_or(2);
    }

    s.TipOfTheDay = WholeNumber<std::int32_t>(NumberOf(read("Tip of the Day"))).value_or(0);
    s.ShowTipAtStartup = BooleanOf(read("Show tip at startup")).value_or(false);
    s.ShowConversion = BooleanOf(read("Show conversion")).value_or(false);
    s.ShowItemCount = BooleanOf(read("Show item count")).value_or(true);

    if (read("Always on top") == "True") s.AlwaysOnTop = true;
    s.options.CalcMode = read("CalcMode") == "True";

    s.options.MachineSound = read("MachineSound");
    s.options.CallbackCharacter = read("CallbackCharacter");
    s.options.CallInputCharacter = read("CallInputCharacter");
    s.options.KeysInterruptVoice = BooleanOf(read("KeysInterruptVoice")).value_or(false);

    for (int i = 1; i <= kRecentFiles; ++i) {
        std::string path = ini.ReadIni(kRecent, "File" + std::to_string(i));
        if (!path.empty()) s.RecentFiles.push_back(std::move(path));
    }

    s.form.Width = FormValueOf(ini.ReadIni(kForm, "Width"), kDefaultWidth);
    s.form.Height = FormValueOf(ini.ReadIni(kForm, "Height"), kDefaultHeight);
    s.form.Left = FormValueOf(ini.ReadIni(kForm, "Left"), DefaultLeft(screen));
    s.form.Top = FormValueOf(ini.ReadIni(kForm, "Top"), DefaultTop(screen));
    return true;
}

void SaveSettings(IniStore& ini, const Settings& s) {
    auto write = [&](const char* key, const std::string& value) {
        ini.WriteIni(kOptions, key, value);
    };
    const long upper = static_cast<long>(s.Themes.size()) - 1;
    write("ColorTheme", std::to_string(s.CurrentTheme));
    write("ColorThemes", std::to_string(upper));
    for (long i = 0; i <= upper; ++i) WriteTheme(ini, i, s.Themes[static_cast<size_t>(i)]);

    write("Print date", BooleanText(s.PrintDate));
    write("Print time", BooleanText(s.PrintTime));
    write("Print color", BooleanText(s.PrintColor));
    write("Decimals", std::to_string(s.options.DecimalCode));
    write("Tip of the Day", std::to_string(s.TipOfTheDay));
    write("Show tip at startup", BooleanText(s.ShowTipAtStartup));
    write("Show conversion", BooleanText(s.ShowConversion));
    write("Show item count", BooleanText(s.ShowItemCount));
    write("Always on top", BooleanText(s.AlwaysOnTop));
    write("CalcMode", BooleanText(s.options.CalcMode));
    write("MachineSound", s.options.MachineSound);
    write("CallbackCharacter", s.options.CallbackCharacter);
    write("CallInputCharacter", s.options.CallInputCharacter);
    write("KeysInterruptVoice", BooleanText(s.options.KeysInterruptVoice));

    for (int i = 1; i <= kRecentFiles; ++i) {
        const std::size_t index = static_cast<std::size_t>(i - 1);
        ini.WriteIni(kRecent, "File" + std::to_string(i),
                     index < s.RecentFiles.size() ? s.RecentFiles[index] : std::string());
    }

    ini.WriteIni(kForm, "Width", FormText(s.form.Width));
    ini.WriteIni(kForm, "Height", FormText(s.form.Height));
    ini.WriteIni(kForm, "Left", FormText(s.form.Left));
    ini.WriteIni(kForm, "Top", FormText(s.form.Top));
}

void PlaceOnScreen(const ScreenSize& screen, FormPlace* form) {
    // A window larger than the screen is made the screen's size, and put on it, first
    // (a huge saved size would otherwise reach the window system as it stands).
    if (screen.width > 0 && form->Width > screen.width) {
        form->Width = screen.width;
        form->Left = 0;
    }
    if (screen.height > 0 && form->Height > screen.height) {
        form->Height = screen.height;
        form->Top = 0;
    }
    if (form->Left + form->Width < 1000) form->Left = 1000 - form->Width;
    if (form->Left > screen.width - 500) form->Left = screen.width - 500;
    if (form->Top < 0) form->Top = 0;
    if (form->Top > screen.height - 500) form->Top = screen.height - 500;
}

Colours CurrentColours(const Settings& settings) {
    if (settings.CurrentTheme < 0 ||
        static_cast<size_t>(settings.CurrentTheme) >= settings.Themes.size()) {
        return Colours{};
    }
    return ColoursOf(settings.Themes[static_cast<size_t>(settings.CurrentTheme)]);
}

}  // namespace tallymar
