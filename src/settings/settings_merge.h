// Two windows may share one settings file, and the last to close must not wipe out
// what the other one changed. At shut-down each window therefore writes only its own
// changes on top of what the file holds by then.
#pragma once

#include "settings/settings.h"

namespace tallymar {

// The settings to write at shut-down, from the settings as this window read them at
// start (`as_read`), as they are now (`now`) and as the file holds them now
// (`on_disk`, perhaps written by another window meanwhile):
// - An option this window changed takes its value `now`; any other keeps the file's.
//   When both windows changed the same option, the one that closes last wins for that
//   option alone.
// - The window's size and place are always this window's own.
// - Themes are told apart by what they are (name, ID and colours), never by their
//   number: a theme added here is appended to the file's themes unless the file
//   already holds the same one, a theme deleted here is taken out of the file's
//   themes, and the file's other themes stay, those another window added among them.
// - The theme in use is found again by what it is: this window's choice when it made
//   one, else the file's. When that theme is gone, the last one named "Default" is
//   used, else the first.
// The themes written are never none: when every one was deleted between the two
// windows, this window's own themes are written.
Settings MergeSettings(const Settings& as_read, const Settings& now, const Settings& on_disk);

// Whether two themes are the same: the same name (as stored, 15 characters), ID and
// colours (as painted).
bool SameTheme(const ThemeRec& a, const ThemeRec& b);

}  // namespace tallymar
