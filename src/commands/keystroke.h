// A key as the tape's rows take it: the key code and shift state of its key-down,
// and the character (if any) its key-press hands on.
#pragma once

#include "engine/keys.h"

namespace tallymar {

struct Keystroke {
    int key_code = key::kNone;
    int shift_state = shift::kNone;
    char32_t character = character::kNone;
};

// Left, Right and Delete without Ctrl or Alt: the amount box moves its caret or
// deletes itself; the engine sees only the key-down.
bool KeptByTheBox(const Keystroke& key);

}  // namespace tallymar
