// The colour dialog (frmColors, "Tallymar Colors") as a model: the sorted theme
// list, the five element buttons, saving and deleting themes, the sample tape and
// "Send colors to printer". A Qt dialog shows it and passes the user's events in;
// the colour picker and the two small questions are the dialog's, reached through
// ThemeDialogs. Every change takes effect in memory at once; only the tape window
// waits for Apply or OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/apply_colors.h"
#include "settings/sample_tape.h"
#include "settings/settings.h"
#include "settings/theme_forms.h"

namespace tallymar {

namespace colors_text {
inline constexpr const char* kCaption = "Tallymar Colors";
inline constexpr const char* kSelectTheme = "Select theme";
inline constexpr const char* kApply = "Apply";
inline constexpr const char* kCreateTheme = "Create theme";
inline constexpr const char* kElements[5] = {"Positive numbers", "Negative numbers", "Text", "Tape",
                                             "Background"};
inline constexpr const char* kNewTheme = "Save new theme";
inline constexpr const char* kDeleteTheme = "Delete current theme";
inline constexpr const char* kSample = "Sample";
inline constexpr const char* kColorPrinter = "Send colors to printer";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kNoName = "Theme cannot be saved without a name";
inline constexpr const char* kLastTheme =
    "The last remaining theme cannot be deleted. Save a new theme before deleting this one.";
inline constexpr const char* kTooManyThemes =
    "No more than 100 themes can be kept. Delete a theme before saving a new one.";
}  // namespace colors_text

// The dialogs the colour dialog opens, each shown modally.
class ThemeDialogs {
  public:
    virtual ~ThemeDialogs() = default;
    // frmNewTheme, with the focus in its name box; returns once it is hidden or closed.
    virtual void ShowNewTheme(NewThemeForm& form) = 0;
    // frmDeleteTheme; returns once it is closed.
    virtual void ShowDeleteTheme(DeleteThemeForm& form) = 0;
    // A message box with an OK button only and the program's title.
    virtual void ShowMessage(const std::string& text) = 0;
};

struct DialogPlace {
    double left = 0;  // twips
    double top = 0;
};
// The colour dialog: 180 twips right of the main window's left edge, 200 below its top.
DialogPlace ColorsPlace(double main_left, double main_top);
// The two questions: at the colour dialog's left edge, 2000 twips below its top.
DialogPlace ThemeQuestionPlace(double colors_left, double colors_top);

class ColorsForm {
  public:
    // Form_Load: draws the sample, lists the themes (nothing picked) and ticks
    // "Send colors to printer" from PrintColor. `current` holds the five colours the
    // program paints with; `tape` takes them on Apply and OK.
    ColorsForm(Settings& settings, Colours& current, TapeColours& tape, ThemeDialogs& dialogs);

    // --- what the dialog shows ---
    // The theme names as stored (15 characters), in alphabetical order.
    const std::vector<std::string>& cboTheme() const { return theme_list_; }
    int cboThemeIndex() const { return theme_pick_; }  // -1: nothing picked
    // The index in Themes an entry of the list stands for (the last theme of that
    // name), -1 for no entry.
    int ThemeIndexOf(int list_index) const;
    // Position in the list of the theme named `name` (trailing blanks ignored), -1 if none.
    int ListIndexOf(const std::string& name) const;
    const Sample& sample() const { return sample_; }
    bool chkColorPrinter() const { return settings_.PrintColor; }
    // The colour an element button (0 to 4) starts the colour picker from.
    Colour ElementColour(int index) const;
    // The OK button takes the focus after a theme is saved or deleted.
    bool FocusOnOk() const { return focus_on_ok_; }
    // OK or Cancel closed the dialog.
    bool Closed() const { return closed_; }
    NewThemeForm& frmNewTheme() { return new_theme_; }

    // --- the user's events ---
    void cboTheme_Click(int list_index);
    void cmdApply_Click() { ApplyColors(); }
    // An element button: `chosen` is the colour confirmed in the picker, nothing when
    // it was cancelled.
    void cmdColorElement_Click(int index, std::optional<Colour> chosen);
    void cmdNewTheme_Click();
    void cmdDeleteTheme_Click();
    void chkColorPrinter_Click(bool ticked) { settings_.PrintColor = ticked; }
    void cmdOK_Click();
    // Closes without recolouring the tape window; a theme picked, a colour changed, a
    // theme saved or deleted stay as they are.
    void cmdCancel_Click() { closed_ = true; }

  private:
    void ApplyColors();
    void FillThemeList();

    Settings& settings_;
    Colours& current_;
    TapeColours& tape_;
    ThemeDialogs& dialogs_;
    NewThemeForm new_theme_;
    std::vector<std::string> theme_list_;
    int theme_pick_ = -1;
    Sample sample_;
    bool focus_on_ok_ = false;
    bool closed_ = false;
};

}  // namespace tallymar
