#include "voice/voice_callback.h"

#include <algorithm>
#include <string>

#include "voice/voices.h"

namespace tallymar {

void CallbackButtonClick(Calc& calc) {
    if (calc.CallbackRunning) {
        calc.CallbackRunning = false;
        return;
    }
    calc.CallbackRunning = true;
    // The reading starts at the line under the cursor, shown again if scrolled away.
    calc.BringFocusIntoView();
    // `first` is a row and `last` a tape index, so the reading takes TopLine steps
    // more than there are lines; the surplus re-reads the silent open line.
    const int first = calc.CurLine - calc.TopLine;
    const int last = calc.UpperBound();
    if (first == last) {
        calc.ports().dialogs.ShowMessage(
            {kProgramTitle,
             "To hear a callback of the tape, put the cursor at the beginning of the section "
             "you want to be called.",
             Buttons::kOk, Icon::kNone, Answer::kOk});
    }
    SelectCallbackCharacter(calc, first, last);
    if (calc.CallbackRetry) {
        SelectCallbackCharacter(calc, first, last);
        calc.CallbackRetry = false;
    }
    calc.CallbackRunning = false;
}

void SelectCallbackCharacter(Calc& calc, int first, int last) {
    const std::string voice = calc.options.CallbackCharacter;
    if (voice.empty() || voice == "None") {
        calc.ports().dialogs.ShowSoundsDialog();
        calc.CallbackRetry = true;
        return;
    }
    if (VoicePrefix(voice) == 0) return;
    WavePlayer& player = calc.ports().sound;
    const bool grunk = voice == "Grunk";
    for (int i = first; i <= last; ++i) {
        const int r = std::clamp(i, 0, calc.LastRow);
        const std::string text = calc.rows[r].text;
        const std::string op = calc.rows[r].op;
        if (text == kRuleText) {
            SpeakWord(player, voice, text);
            if (grunk) calc.DownPending = true;
            calc.MoveDown(r);
        } else if (!IsNumeric(text, calc.symbols())) {
            if (grunk) SpeakWord(player, voice, op);
        } else if (op == "T") {
            const bool after_result =
                r >= 1 ? calc.rows[r - 1].op == "="
                       : calc.TopLine >= 1 && calc.Tape[calc.TopLine - 1].Op == '=';
            if (!after_result) SpeakWord(player, voice, "T");
            SpeakNumber(player, voice, text);
            calc.MoveDown(r);
        } else if (op == "+" || op == "-") {
            SpeakWord(player, voice, op);
            SpeakNumber(player, voice, text);
            calc.MoveDown(r);
        } else {
            SpeakNumber(player, voice, text);
            SpeakWord(player, voice, op);
            calc.MoveDown(r);
        }
        calc.ports().desktop.DoEvents();
        if (!calc.CallbackRunning) return;
    }
}

void VoiceCallbackMenuClick(Calc& calc, bool& checked) {
    if (!checked) {
        checked = true;
        CallbackButtonClick(calc);
    } else {
        checked = false;
        calc.CallbackRunning = false;
    }
}

}  // namespace tallymar
