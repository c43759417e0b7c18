// The voice callback: reads the tape aloud in the callback voice, from the line under
// the cursor to the end, moving the cursor down with the reading. It lets pending
// events run after each line, so that a key, a click or a menu command can stop it.
//
// Example, Grunk as the callback voice on a tape of "5.00 +", "3.00 +", the total
// 8.00: with the cursor on the first amount, ButtonClick() plays "+" "5" "+" "3"
// "T" "8" "point" "0" "0", the cursor walking down a line after each, and running()
// is true until the last word (or until Stop()).
#pragma once

namespace tallymar {

class Calc;
class KeyboardEntry;
class Tape;
class TapeView;

class VoiceCallback {
  public:
    VoiceCallback(Calc& calc, const Tape& tape, TapeView& view, KeyboardEntry& keys)
        : calc_(calc), tape_(tape), view_(view), keys_(keys) {}
    VoiceCallback(const VoiceCallback&) = delete;
    VoiceCallback& operator=(const VoiceCallback&) = delete;

    // The tape window's callback button: starts a reading, or stops the one running.
    void ButtonClick();
    // Stops a running reading after the line it is reading (Alt answered No, the menu
    // item's check mark removed, the program closing).
    void Stop() { running_ = false; }
    bool running() const { return running_; }

  private:
    Calc& calc_;
    const Tape& tape_;
    TapeView& view_;
    KeyboardEntry& keys_;
    bool running_ = false;

    // Reads the lines `first` to `last` aloud.
    // False when there was no callback voice to read with (the Sounds dialog was shown).
    bool SelectCallbackCharacter(int first, int last);
    // The reading moves the cursor onto the line after `line`.
    void CursorPast(int line);
};

}  // namespace tallymar
