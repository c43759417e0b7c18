// The voice callback: reads the tape aloud in the callback voice, from the line
// under the cursor to the end, moving the cursor down with the reading. It lets
// pending events run after each line, so a key, a click or a menu command can
// stop it by clearing CallbackRunning.
#pragma once

#include "engine/calc.h"

namespace tallymar {

// The tape window's callback button: starts a reading, or stops the one running.
void CallbackButtonClick(Calc& calc);

// Reads rows `first` to `last` (the bottom row again once the reading reaches it).
void SelectCallbackCharacter(Calc& calc, int first, int last);

// The "Voice callback" menu item, whose check mark `checked` toggles: checking it
// runs a reading to its end; unchecking it stops a running one.
void VoiceCallbackMenuClick(Calc& calc, bool& checked);

}  // namespace tallymar
