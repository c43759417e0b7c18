// The colour themes the program comes with, and how a theme's stored colour
// values become the colours the tape is painted with.
#include <cmath>

#include "settings/settings.h"

namespace tallymar {

namespace {

constexpr double kWhite = 16777215;  // Rgb(255, 255, 255), the largest colour value

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::vector<ThemeRec> BuiltInThemes() {
    struct Row {
        const char* name;
        Colour pos, neg, txt, tap, bak;
    };
    static const Row kRows[] = {
        {"Default", Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(255, 255, 255),
         Rgb(0, 128, 64)},
        {"Christmas", Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(0, 193, 0),
         Rgb(255, 0, 0)},
        {"Easter", Rgb(128, 0, 64), Rgb(255, 128, 128), Rgb(255, 128, 192), Rgb(255, 255, 128),
         Rgb(202, 0, 202)},
        {"Executive", Rgb(0, 128, 192), Rgb(255, 128, 128), Rgb(0, 128, 192), Rgb(255, 255, 255),
         Rgb(0, 128, 192)},
        {"Halloween", Rgb(0, 0, 0), Rgb(255, 128, 0), Rgb(0, 0, 0), Rgb(255, 255, 255),
         Rgb(255, 128, 0)},
        {"St. Patrick", Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(0, 128, 64),
         Rgb(255, 128, 0)},
        {"Valentine", Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(255, 183, 183),
         Rgb(255, 0, 0)},
    };
    std::vector<ThemeRec> themes;
    for (const Row& row : kRows) {
        ThemeRec theme;
        theme.ID = 100;
        theme.Name = FitThemeName(row.name);
        theme.PosClr = row.pos;
        theme.NegClr = row.neg;
        theme.TxtClr = row.txt;
        theme.TapClr = row.tap;
        theme.BakClr = row.bak;
        themes.push_back(theme);
    }
    return themes;
}

Colour ColourOf(double value) {
    if (!(value > 0)) return 0;  // NaN and everything at or below black
    if (value >= kWhite) return static_cast<Colour>(kWhite);
    return static_cast<Colour>(std::lround(value));
}

Colours ColoursOf(const ThemeRec& theme) {
    Colours colours;
    colours.CurPosClr = ColourOf(theme.PosClr);
    colours.CurNegClr = ColourOf(theme.NegClr);
    colours.CurTxtClr = ColourOf(theme.TxtClr);
    colours.CurTapClr = ColourOf(theme.TapClr);
    colours.CurBakClr = ColourOf(theme.BakClr);
    return colours;
}

std::string FitThemeName(const std::string& name) {
    // A character starts at every byte that does not continue a UTF-8 sequence; a run
    // of stray continuation bytes counts one character per four bytes.
    std::string fitted;
    int characters = 0;
    int bytes_in_character = 0;
    for (char c : name) {
        const bool starts =
            !IsContinuationByte(c) || bytes_in_character == 0 || bytes_in_character == 4;
        if (starts) {
            if (characters == kThemeNameLength) break;
            ++characters;
            bytes_in_character = 0;
        }
        fitted.push_back(c);
        ++bytes_in_character;
    }
    fitted.append(static_cast<size_t>(kThemeNameLength - characters), ' ');
    return fitted;
}

}  // namespace tallymar
