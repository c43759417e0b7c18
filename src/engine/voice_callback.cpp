// The voice callback: reads the tape aloud in the callback voice, from the line
// under the cursor to the end, moving the cursor down with the reading. It lets
// pending events run after each line, so a key, a click or a menu command can
// stop it by clearing CallbackRunning.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/sounds.h"
#include "voice/voices.h"

namespace tallymar {

void Calc::CallbackButtonClick() {
    if (CallbackRunning) {
        CallbackRunning = false;
        return;
    }
    CallbackRunning = true;
    // The reading starts at the line under the cursor, shown again if scrolled away.
    BringFocusIntoView();
    // `first` is a row and `last` a tape index, so the reading takes TopLine steps
    // more than there are lines; the surplus re-reads the silent open line.
    const int first = CurLine - TopLine;
    const int last = UpperBound();
    if (first == last) {
        Tell(
            "To hear a callback of the tape, put the cursor at the beginning of the section you "
            "want to be called.");
    }
    SelectCallbackCharacter(first, last);
    if (CallbackRetry) {
        SelectCallbackCharacter(first, last);
        CallbackRetry = false;
    }
    CallbackRunning = false;
}

void Calc::SelectCallbackCharacter(int first, int last) {
    const std::string voice = options_.CallbackCharacter;
    if (voice.empty() || voice == "None") {
        ports_.dialogs.ShowSoundsDialog();
        CallbackRetry = true;
        return;
    }
    if (VoicePrefix(voice) == 0) return;
    WavePlayer& player = ports_.sound;
    const bool grunk = voice == "Grunk";
    for (int i = first; i <= last; ++i) {
        const int r = std::clamp(i, 0, LastRow);
        const std::string text = rows_[r].text;
        const std::string op = rows_[r].op;
        if (text == kRuleText) {
            SpeakWord(player, voice, text);
            if (grunk) DownPending = true;
            MoveDown(r);
        } else if (!IsNumeric(text, symbols_)) {
            if (grunk) SpeakWord(player, voice, op);
        } else if (op == "T") {
            const bool after_result =
                r >= 1 ? rows_[r - 1].op == "=" : TopLine >= 1 && Tape[TopLine - 1].Op == '=';
            if (!after_result) SpeakWord(player, voice, "T");
            SpeakAmount(player, voice, text, symbols_);
            MoveDown(r);
        } else if (op == "+" || op == "-") {
            SpeakWord(player, voice, op);
            SpeakAmount(player, voice, text, symbols_);
            MoveDown(r);
        } else {
            SpeakAmount(player, voice, text, symbols_);
            SpeakWord(player, voice, op);
            MoveDown(r);
        }
        ports_.desktop.DoEvents();
        if (!CallbackRunning) return;
    }
}

}  // namespace tallymar
