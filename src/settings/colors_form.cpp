// The colour dialog's rules.
#include "settings/colors_form.h"

#include <algorithm>
#include <cctype>

namespace tallymar {

namespace {

constexpr double kColorsRight = 180;  // twips
constexpr double kColorsDown = 200;
constexpr double kQuestionDown = 2000;
constexpr Colour kLargestColour = Rgb(255, 255, 255);

// The list's own order: letters compared without regard to case.
bool ListsBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string WithoutTrailingBlanks(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// The current colour each element button (0 to 4) changes.
Colour Colours::*ElementOf(int index) {
    static constexpr Colour Colours::*kElements[] = {&Colours::CurPosClr, &Colours::CurNegClr,
                                                     &Colours::CurTxtClr, &Colours::CurTapClr,
                                                     &Colours::CurBakClr};
    return index >= 0 && index < 5 ? kElements[index] : nullptr;
}

}  // namespace

DialogPlace ColorsPlace(double main_left, double main_top) {
    return DialogPlace{main_left + kColorsRight, main_top + kColorsDown};
}

DialogPlace ThemeQuestionPlace(double colors_left, double colors_top) {
    return DialogPlace{colors_left, colors_top + kQuestionDown};
}

ColorsForm::ColorsForm(Settings& settings, Colours& current, TapeColours& tape,
                       ThemeDialogs& dialogs)
    : settings_(settings), current_(current), tape_(tape), dialogs_(dialogs) {
    sample_ = DrawSample(current_);
    FillThemeList();
}

void ColorsForm::FillThemeList() {
    theme_list_.clear();
    for (const ThemeRec& theme : settings_.Themes) theme_list_.push_back(theme.Name);
    std::stable_sort(theme_list_.begin(), theme_list_.end(), ListsBefore);
    theme_pick_ = -1;
}

int ColorsForm::ThemeIndexOf(int list_index) const {
    if (list_index < 0 || list_index >= static_cast<int>(theme_list_.size())) return -1;
    int found = -1;
    for (int i = 0; i < static_cast<int>(settings_.Themes.size()); ++i) {
        if (settings_.Themes[i].Name == theme_list_[list_index]) found = i;
    }
    return found;
}

int ColorsForm::ListIndexOf(const std::string& name) const {
    const std::string wanted = WithoutTrailingBlanks(name);
    for (int i = 0; i < static_cast<int>(theme_list_.size()); ++i) {
        if (WithoutTrailingBlanks(theme_list_[i]) == wanted) return i;
    }
    return -1;
}

void ColorsForm::cboTheme_Click(int list_index) {
    const int theme = ThemeIndexOf(list_index);
    if (theme < 0) return;
    theme_pick_ = list_index;
    current_ = ColoursOf(settings_.Themes[theme]);
    settings_.CurrentTheme = theme;
    sample_ = DrawSample(current_);
}

Colour ColorsForm::ElementColour(int index) const {
    const auto element = ElementOf(index);
    return element ? current_.*element : 0;
}

void ColorsForm::cmdColorElement_Click(int index, std::optional<Colour> chosen) {
    const auto element = ElementOf(index);
    if (!element) return;
    if (chosen) current_.*element = std::min(*chosen, kLargestColour);
    sample_ = DrawSample(current_);
}

void ColorsForm::cmdNewTheme_Click() {
    // Themes past the hundredth are not read at the next start: refuse rather than lose one.
    if (settings_.Themes.size() >= static_cast<size_t>(kMaxThemes)) {
        dialogs_.ShowMessage(colors_text::kTooManyThemes);
        return;
    }
    new_theme_.Show();
    dialogs_.ShowNewTheme(new_theme_);
    if (new_theme_.Cancelled()) return;
    if (new_theme_.txtThemeName().empty()) {
        dialogs_.ShowMessage(colors_text::kNoName);
        return;
    }
    ThemeRec theme;
    theme.ID = 100;
    theme.Name = FitThemeName(new_theme_.txtThemeName());
    theme.PosClr = current_.CurPosClr;
    theme.NegClr = current_.CurNegClr;
    theme.TxtClr = current_.CurTxtClr;
    theme.TapClr = current_.CurTapClr;
    theme.BakClr = current_.CurBakClr;
    settings_.Themes.push_back(theme);

    FillThemeList();
    new_theme_.txtThemeName_Change("");
    focus_on_ok_ = true;
}

void ColorsForm::cmdDeleteTheme_Click() {
    // The table is never left empty.
    if (settings_.Themes.size() <= 1) {
        dialogs_.ShowMessage(colors_text::kLastTheme);
        return;
    }
    DeleteThemeForm question(settings_, current_);
    dialogs_.ShowDeleteTheme(question);
    sample_ = DrawSample(current_);
    FillThemeList();
    focus_on_ok_ = true;
}

void ColorsForm::ApplyColors() {
    tape_.ApplyColors(current_);
}

void ColorsForm::cmdOK_Click() {
    ApplyColors();
    closed_ = true;
}

}  // namespace tallymar
