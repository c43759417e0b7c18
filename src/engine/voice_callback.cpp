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
    const Step step(*this);
    if (CallbackRunning) {
        CallbackRunning = false;
        return;
    }
    CallbackRunning = true;
    // The reading starts at the line under the cursor, shown again if scrolled away.
    view_.BringFocusIntoView();
    // From the cursor's line to the tape's last line, whatever the window shows.
    const int first = CurLine;
    const int last = UpperBound();
    if (first == last) {
        Tell(
            "To hear a callback of the tape, put the cursor at the beginning of the section you "
            "want to be called.");
    }
    // Without a callback voice the Sounds dialog opens first; the reading starts as soon
    // as it is closed.
    if (!SelectCallbackCharacter(first, last)) SelectCallbackCharacter(first, last);
    CallbackRunning = false;
}

bool Calc::SelectCallbackCharacter(int first, int last) {
    const std::string voice = options_.CallbackCharacter;
    if (voice.empty() || voice == "None") {
        ports_.dialogs.ShowSoundsDialog();
        return false;
    }
    if (VoicePrefix(voice) == 0) return true;
    WavePlayer& player = ports_.sound;
    const bool grunk = voice == "Grunk";
    // Each line is read once, as its row shows it; a line read aloud moves the cursor
    // onto the line after it, a silent one (the open line, a comment, a conversion
    // text) leaves the cursor where it is.
    int conversions = ConversionsBefore(tape_.lines(), first);
    std::string op_above =
        first > 0 ? view_.RowLook(first - 1, ConversionsBefore(tape_.lines(), first - 1), false).op
                  : "";
    for (int line = first; line <= last && line <= UpperBound(); ++line) {
        const LineLook look = view_.RowLook(line, conversions, false);
        if (tape_[line].Op == op::kConversion) ++conversions;
        const std::string& text = look.text;
        const std::string& op = look.op;
        const bool after_result = op_above == "=";
        op_above = op;
        if (text == kRuleText) {
            SpeakWord(player, voice, text);
            if (grunk) keys_.OweMoveDown();
            CursorPast(line);
        } else if (!IsNumeric(text, symbols_)) {
            if (grunk) SpeakWord(player, voice, op);
        } else if (op == "T") {
            if (!after_result) SpeakWord(player, voice, "T");
            SpeakAmount(player, voice, text, symbols_);
            CursorPast(line);
        } else if (op == "+" || op == "-") {
            SpeakWord(player, voice, op);
            SpeakAmount(player, voice, text, symbols_);
            CursorPast(line);
        } else {
            SpeakAmount(player, voice, text, symbols_);
            SpeakWord(player, voice, op);
            CursorPast(line);
        }
        ports_.desktop.DoEvents();
        if (!CallbackRunning) return true;
    }
    return true;
}

void Calc::CursorPast(int line) {
    const int r = line - view_.top_line();
    if ((r >= 0 && r < view_.last_row()) || (r == view_.last_row() && view_.FocusLine() == line)) {
        keys_.MoveDown(r);
        return;
    }
    // The line is out of view (the tape was scrolled while the reading let events
    // through), or in the bottom row while a silent line above it kept the cursor: the
    // cursor's row is left while it still shows its line, then the tape scrolls and
    // the next line takes the focus, as it would in a window tall enough to show both.
    const int next = std::min(line + 1, UpperBound());
    if (!view_.focus_parked() && view_.focus_row() >= 0 && view_.focus_row() <= view_.last_row()) {
        keys_.LeaveRow(view_.focus_row());
    }
    view_.ScrollIntoView(next);
    keys_.TakeFocusAfresh(next - view_.top_line());
    view_.UpdateScroller();
}

}  // namespace tallymar
