// Qt key events in the engine's terms: virtual key codes and shift states for
// key-down, and the character (if any) that the key-press hands on.
#pragma once

#include <QKeyEvent>

namespace tallymar {

struct EngineKey {
    int key_code = 0;        // virtual key code (Enter 13, Up 38, ...)
    int shift_state = 0;     // 1 Shift, 2 Ctrl, 4 Alt, added up
    char32_t character = 0;  // the key-press character; 0 when the key types nothing
};

EngineKey TranslateKey(const QKeyEvent& event);

// Ctrl+Tab and Ctrl+Shift+Tab: kept for moving between the window's controls, never
// handed to the tape.
bool IsControlTab(const QKeyEvent& event);

}  // namespace tallymar
