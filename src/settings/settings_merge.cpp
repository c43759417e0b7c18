#include "settings/settings_merge.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace tallymar {

namespace {

// This window's value when it changed it, else the file's.
template <typename T>
void TakeChange(const T& as_read, const T& now, T* merged) {
    if (!(now == as_read)) *merged = now;
}

const ThemeRec* ThemeAt(const Settings& s, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= s.Themes.size()) return nullptr;
    return &s.Themes[static_cast<std::size_t>(index)];
}

// The index of the last theme of `themes` that `matches`, if any.
template <typename Match>
std::optional<int> FindLast(const std::vector<ThemeRec>& themes, Match matches) {
    for (std::size_t i = themes.size(); i-- > 0;) {
        if (matches(themes[i])) return static_cast<int>(i);
    }
    return std::nullopt;
}

// The themes of `on_disk` with this window's deletions and additions (since
// `as_read`) carried out on them.
std::vector<ThemeRec> MergeThemes(const std::vector<ThemeRec>& as_read,
                                  const std::vector<ThemeRec>& now,
                                  const std::vector<ThemeRec>& on_disk) {
    // Each theme read at start is paired with one theme still here; those left over
    // on either side were deleted or added by this window.
    std::vector<bool> kept(now.size(), false);
    std::vector<const ThemeRec*> deleted;
    for (const ThemeRec& read : as_read) {
        bool found = false;
        for (std::size_t j = 0; j < now.size() && !found; ++j) {
            if (!kept[j] && SameTheme(read, now[j])) kept[j] = found = true;
        }
        if (!found) deleted.push_back(&read);
    }

    std::vector<ThemeRec> merged = on_disk;
    for (const ThemeRec* gone : deleted) {
        const auto at = std::find_if(merged.begin(), merged.end(),
                                     [&](const ThemeRec& t) { return SameTheme(t, *gone); });
        if (at != merged.end()) merged.erase(at);
    }
    for (std::size_t j = 0; j < now.size(); ++j) {
        if (kept[j]) continue;
        const bool there = std::any_of(merged.begin(), merged.end(),
                                       [&](const ThemeRec& t) { return SameTheme(t, now[j]); });
        if (!there) merged.push_back(now[j]);
    }
    return merged;
}

int IndexOfChosen(const std::vector<ThemeRec>& themes, const ThemeRec* chosen) {
    if (chosen != nullptr) {
        if (auto exact = FindLast(themes, [&](const ThemeRec& t) { return SameTheme(t, *chosen); }))
            return *exact;
        const std::string name = FitThemeName(chosen->Name);
        if (auto named =
                FindLast(themes, [&](const ThemeRec& t) { return FitThemeName(t.Name) == name; }))
            return *named;
    }
    const std::string fallback = FitThemeName("Default");
    return FindLast(themes, [&](const ThemeRec& t) { return FitThemeName(t.Name) == fallback; })
        .value_or(0);
}

}  // namespace

bool SameTheme(const ThemeRec& a, const ThemeRec& b) {
    return a.ID == b.ID && FitThemeName(a.Name) == FitThemeName(b.Name) &&
           ColourOf(a.PosClr) == ColourOf(b.PosClr) && ColourOf(a.NegClr) == ColourOf(b.NegClr) &&
           ColourOf(a.TxtClr) == ColourOf(b.TxtClr) && ColourOf(a.TapClr) == ColourOf(b.TapClr) &&
           ColourOf(a.BakClr) == ColourOf(b.BakClr);
}

Settings MergeSettings(const Settings& as_read, const Settings& now, const Settings& on_disk) {
    Settings merged = on_disk;
    TakeChange(as_read.PrintDate, now.PrintDate, &merged.PrintDate);
    TakeChange(as_read.PrintTime, now.PrintTime, &merged.PrintTime);
    TakeChange(as_read.PrintColor, now.PrintColor, &merged.PrintColor);
    TakeChange(as_read.TipOfTheDay, now.TipOfTheDay, &merged.TipOfTheDay);
    TakeChange(as_read.ShowTipAtStartup, now.ShowTipAtStartup, &merged.ShowTipAtStartup);
    TakeChange(as_read.ShowConversion, now.ShowConversion, &merged.ShowConversion);
    TakeChange(as_read.AlwaysOnTop, now.AlwaysOnTop, &merged.AlwaysOnTop);
    TakeChange(as_read.ShowItemCount, now.ShowItemCount, &merged.ShowItemCount);
    const Options& read = as_read.options;
    TakeChange(read.DecimalCode, now.options.DecimalCode, &merged.options.DecimalCode);
    TakeChange(read.CalcMode, now.options.CalcMode, &merged.options.CalcMode);
    TakeChange(read.MachineSound, now.options.MachineSound, &merged.options.MachineSound);
    TakeChange(read.CallInputCharacter, now.options.CallInputCharacter,
               &merged.options.CallInputCharacter);
    TakeChange(read.CallbackCharacter, now.options.CallbackCharacter,
               &merged.options.CallbackCharacter);
    TakeChange(read.KeysInterruptVoice, now.options.KeysInterruptVoice,
               &merged.options.KeysInterruptVoice);
    merged.form = now.form;
    TakeChange(as_read.RecentFiles, now.RecentFiles, &merged.RecentFiles);

    merged.Themes = MergeThemes(as_read.Themes, now.Themes, on_disk.Themes);
    if (merged.Themes.empty()) merged.Themes = now.Themes.empty() ? BuiltInThemes() : now.Themes;

    const ThemeRec* chosen_then = ThemeAt(as_read, as_read.CurrentTheme);
    const ThemeRec* chosen_now = ThemeAt(now, now.CurrentTheme);
    const bool chose_here = (chosen_then == nullptr) != (chosen_now == nullptr) ||
                            (chosen_now != nullptr && !SameTheme(*chosen_then, *chosen_now));
    const ThemeRec* chosen = chose_here ? chosen_now : ThemeAt(on_disk, on_disk.CurrentTheme);
    // `chosen` points into one of the arguments, never into merged.Themes.
    merged.CurrentTheme = IndexOfChosen(merged.Themes, chosen);
    return merged;
}

}  // namespace tallymar
