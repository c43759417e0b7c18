// A key as the tape's rows take it: the key code and shift state of its key-down,
// and the character (if any) its key-press hands on.
#pragma once

namespace tallymar {

struct Keystroke {
    int key_code = 0;        // key:: codes (Enter 13, Up 38, ...)
    int shift_state = 0;     // shift:: bits, added up
    char32_t character = 0;  // 0 when the key types nothing
};

// Left, Right and Delete without Ctrl or Alt: the amount box moves its caret or
// deletes itself; the engine sees only the key-down.
bool KeptByTheBox(const Keystroke& key);

}  // namespace tallymar
