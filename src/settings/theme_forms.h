// The two small questions of the colour dialog: the name of a new theme
// (frmNewTheme, "New Color Theme") and whether to delete the current theme
// (frmDeleteTheme, "Delete theme"), as models a dialog shows and drives.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace tallymar {

namespace theme_text {
inline constexpr const char* kNewThemeCaption = "New Color Theme";
inline constexpr const char* kNewThemePrompt = "Please enter new color theme name:";
inline constexpr const char* kDeleteCaption = "Delete theme";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
}  // namespace theme_text

// frmNewTheme. It is hidden, not closed, by OK, so its text is still there when it
// is shown again; the colour dialog empties it after each theme it saves.
class NewThemeForm {
  public:
    const std::string& txtThemeName() const { return name_; }
    // Shown until OK hides it or its frame closes it.
    bool Visible() const { return visible_; }

    // Cancel, Escape or the window frame closed it: nothing is to be saved.
    bool Cancelled() const { return cancelled_; }

    void Show() {
        visible_ = true;
        cancelled_ = false;
    }
    void txtThemeName_Change(std::string_view text) { name_ = std::string(text); }
    // Hides the form; the colour dialog then reads the name.
    void cmdOK_Click() { visible_ = false; }
    // Cancel (and Escape) close the question: no theme is saved, and nothing is said.
    void cmdCancel_Click() { Form_Unload(); }
    // Closed by its window frame, as Cancel.
    void Form_Unload() {
        name_.clear();
        visible_ = false;
        cancelled_ = true;
    }

  private:
    std::string name_;
    bool visible_ = false;
    bool cancelled_ = false;
};

// The question frmDeleteTheme asks about the theme named `stored_name`: the name
// without the blanks that pad it to 15 characters, so that the question reads whole.
std::string DeleteQuestion(const std::string& stored_name);

// Removes theme CurrentTheme (the themes after it move one place down), then makes
// the last theme named "Default" current, or theme 0 when there is none, and copies
// its colours into `current`. The only remaining theme is never removed: false then,
// and nothing changes.
bool DeleteCurrentTheme(Settings& settings, Colours& current);

// frmDeleteTheme, asking about the theme at CurrentTheme when it opens.
class DeleteThemeForm {
  public:
    DeleteThemeForm(Settings& settings, Colours& current);

    const std::string& lblDeleteTheme() const { return question_; }
    // Open until Delete or Cancel (or its frame, which counts as Cancel) closes it.
    bool Loaded() const { return loaded_; }

    void cmdDelete_Click();
    void cmdCancel_Click() { loaded_ = false; }

  private:
    Settings& settings_;
    Colours& current_;
    std::string question_;
    bool loaded_ = true;
};

}  // namespace tallymar
