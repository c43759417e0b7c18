// Every option of the program, the colour themes and the main window's place,
// as kept in "Tallymar.ini": read once at start-up, written whole at shut-down.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/options.h"

namespace tallymar {

struct ThemeRec {
    std::int16_t ID = 100;
    std::string Name;  // 15 characters, padded with blanks
    Colour PosClr = 0;
    Colour NegClr = 0;
    Colour TxtClr = 0;
    Colour TapClr = 0;
    Colour BakClr = 0;

    bool operator==(const ThemeRec&) const = default;
};

// Theme names are kept as exactly this many characters, padded with blanks.
inline constexpr int kThemeNameLength = 15;
// The most themes a settings file is read with; the colour dialog should not create
// more, since themes beyond it are not read at the next start.
inline constexpr int kMaxThemes = 100;

// The seven themes the program comes with ("Default", "Christmas", ... "Valentine").
std::vector<ThemeRec> BuiltInThemes();
// The five current colours a theme paints with. A colour value that is no whole
// number from 0 to 16777215 (white) is rounded and held to that range; NaN gives 0.
Colours ColoursOf(const ThemeRec& theme);
// A colour value made fit to paint with, as ColoursOf does for each field.
Colour ColourOf(double value);
// `name` cut or padded with blanks to kThemeNameLength characters (UTF-8 characters
// are counted whole and never split).
std::string FitThemeName(const std::string& name);

// The main window's size and place, in twips.
struct FormPlace {
    double Width = 3200;
    double Height = 6000;
    double Left = 0;
    double Top = 0;

    bool operator==(const FormPlace&) const = default;
};

struct ScreenSize {
    double width = 0;  // twips
    double height = 0;
};

struct Settings {
    Settings();  // the values in force when there is no settings file

    int CurrentTheme = 0;
    std::vector<ThemeRec> Themes;
    bool PrintDate = false;
    bool PrintTime = false;
    bool PrintColor = false;
    std::int32_t TipOfTheDay = 0;
    bool ShowTipAtStartup = false;
    bool ShowConversion = false;
    bool AlwaysOnTop = false;
    bool ShowItemCount = true;  // the item count and grand total under the tape
    Options options;  // DecimalCode, CalcMode and the three sound names
    FormPlace form;
    std::vector<std::string> RecentFiles;  // File > Open Recent, most recent first
};

// One key of the settings file; a missing key or section reads as "".
class IniStore {
  public:
    virtual ~IniStore() = default;
    virtual std::string ReadIni(const std::string& section, const std::string& key) = 0;
    virtual void WriteIni(const std::string& section, const std::string& key,
                          const std::string& value) = 0;
};

// Reads every setting. `file_exists` false: nothing is read, the window goes to its
// default place on `screen` and false is returned.
bool LoadSettings(IniStore& ini, bool file_exists, const ScreenSize& screen, Settings* settings);
// Writes every key, in the file's order.
void SaveSettings(IniStore& ini, const Settings& settings);
// Holds a window to the screen: no wider or taller than the screen, and pulled back
// when placed off it so that it can be reached.
void PlaceOnScreen(const ScreenSize& screen, FormPlace* form);
// The colours of the theme at CurrentTheme, the Default colours when there is none.
Colours CurrentColours(const Settings& settings);

}  // namespace tallymar
