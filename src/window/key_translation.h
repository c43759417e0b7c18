// Qt key events in the tape's terms (engine/keys.h): key codes and shift states for
// key-down, and the character (if any) that the key-press hands on.
#pragma once

#include <QKeyEvent>

#include "commands/keystroke.h"

namespace tallymar {

Keystroke TranslateKey(const QKeyEvent& event);

// Ctrl+Tab and Ctrl+Shift+Tab: kept for moving between the window's controls, never
// handed to the tape.
bool IsControlTab(const QKeyEvent& event);

}  // namespace tallymar
