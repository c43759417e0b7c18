// The voice callback reading the tape: each line as its row shows it, the cursor
// walking down with the reading.
#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/keyboard_entry.h"
#include "engine/sounds.h"
#include "engine/voice_callback.h"
#include "voice/voices.h"

namespace tallymar {

void VoiceCallback::ButtonClick() {
    const Calc::Step step(calc_);
    if (running_) {
        running_ = false;
        return;
    }
    running_ = true;
    // The reading starts at the line under the cursor, shown again if scrolled away.
    view_.BringFocusIntoView();
    // From the cursor's line to the tape's last line, whatever the window shows.
    const int first = calc_.cur_line();
    const int last = tape_.UpperBound();
    if (first == last) {
        calc_.Tell(
            "To hear a callback of the tape, put the cursor at the beginning of the section you "
            "want to be called.");
    }
    // Without a callback voice the Sounds dialog opens first; the reading starts as soon
    // as it is closed.
    if (!SelectCallbackCharacter(first, last)) SelectCallbackCharacter(first, last);
    running_ = false;
}

bool VoiceCallback::SelectCallbackCharacter(int first, int last) {
    const std::string voice = calc_.options_.CallbackCharacter;
    if (voice.empty() || voice == "None") {
        calc_.ports_.dialogs.ShowSoundsDialog();
        return false;
    }
    if (VoicePrefix(voice) == 0) return true;
    WavePlayer& player = calc_.ports_.sound;
    const bool grunk = voice == "Grunk";
    // Each line is read once, as its row shows it; a line read aloud moves the cursor
    // onto the line after it, a silent one (the open line, a comment, a conversion
    // text) leaves the cursor where it is.
    int conversions = ConversionsBefore(tape_.lines(), first);
    std::string op_above =
        first > 0 ? view_.RowLook(first - 1, ConversionsBefore(tape_.lines(), first - 1), false).op
                  : "";
    for (int line = first; line <= last && line <= tape_.UpperBound(); ++line) {
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
        } else if (!IsNumeric(text, calc_.symbols_)) {
            if (grunk) SpeakWord(player, voice, op);
        } else if (op == "T") {
            if (!after_result) SpeakWord(player, voice, "T");
            SpeakAmount(player, voice, text, calc_.symbols_);
            CursorPast(line);
        } else if (op == "+" || op == "-") {
            SpeakWord(player, voice, op);
            SpeakAmount(player, voice, text, calc_.symbols_);
            CursorPast(line);
        } else {
            SpeakAmount(player, voice, text, calc_.symbols_);
            SpeakWord(player, voice, op);
            CursorPast(line);
        }
        calc_.ports_.desktop.DoEvents();
        if (!running_) return true;
    }
    return true;
}

void VoiceCallback::CursorPast(int line) {
    const int r = line - view_.top_line();
    if ((r >= 0 && r < view_.last_row()) || (r == view_.last_row() && view_.FocusLine() == line)) {
        keys_.MoveDown(r);
        return;
    }
    // The line is out of view (the tape was scrolled while the reading let events
    // through), or in the bottom row while a silent line above it kept the cursor: the
    // cursor's row is left while it still shows its line, then the tape scrolls and
    // the next line takes the focus, as it would in a window tall enough to show both.
    const int next = std::min(line + 1, tape_.UpperBound());
    if (!view_.focus_parked() && view_.focus_row() >= 0 && view_.focus_row() <= view_.last_row() &&
        !keys_.LeaveRow(view_.focus_row())) {
        return;  // a correction there cannot be read: the cursor stays with it
    }
    ScrollIntoView(view_, next);
    keys_.TakeFocusAfresh(next - view_.top_line());
    view_.UpdateScroller();
}

}  // namespace tallymar
