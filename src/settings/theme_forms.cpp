// Naming a new theme and deleting the current one.
#include "settings/theme_forms.h"

namespace tallymar {

std::string DeleteQuestion(const std::string& stored_name) {
    const std::size_t first = stored_name.find_first_not_of(' ');
    const std::string name =
        first == std::string::npos
            ? std::string()
            : stored_name.substr(first, stored_name.find_last_not_of(' ') + 1 - first);
    return "Are you sure you want to delete the " + name +
           " theme?  It cannot be recovered after deletion.";
}

bool DeleteCurrentTheme(Settings& settings, Colours& current) {
    std::vector<ThemeRec>& themes = settings.Themes;
    const int doomed = settings.CurrentTheme;
    if (themes.size() <= 1 || doomed < 0 || doomed >= static_cast<int>(themes.size())) {
        return false;
    }
    themes.erase(themes.begin() + doomed);

    const std::string default_name = FitThemeName("Default");
    int next = 0;
    for (int i = 0; i < static_cast<int>(themes.size()); ++i) {
        if (themes[i].Name == default_name) next = i;
    }
    settings.CurrentTheme = next;
    current = ColoursOf(themes[next]);
    return true;
}

DeleteThemeForm::DeleteThemeForm(Settings& settings, Colours& current)
    : settings_(settings), current_(current) {
    const int index = settings.CurrentTheme;
    const bool known = index >= 0 && index < static_cast<int>(settings.Themes.size());
    question_ = DeleteQuestion(known ? settings.Themes[index].Name : FitThemeName(""));
}

void DeleteThemeForm::cmdDelete_Click() {
    DeleteCurrentTheme(settings_, current_);
    loaded_ = false;
}

}  // namespace tallymar
