// The engine's only ways out: message boxes and the Sounds dialog, the desktop
// (beep, clipboard, repaint, event pump) and wave playback. The window, the
// command-line tool and the tests each supply their own.
#pragma once

#include <string>

namespace tallymar {

enum class Buttons { kOk, kYesNo, kYesNoCancel };
enum class Icon { kNone, kInformation, kQuestion, kExclamation, kCritical };
enum class Answer { kOk, kYes, kNo, kCancel };

struct Message {
    std::string title;
    std::string text;
    Buttons buttons = Buttons::kOk;
    Icon icon = Icon::kNone;
    Answer default_answer = Answer::kOk;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer ShowMessage(const Message& message) = 0;
    // The Sounds dialog, shown modally; it may change the voice settings.
    virtual void ShowSoundsDialog() = 0;
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual void Beep() = 0;
    // Clears the clipboard and puts the text on it as plain text.
    virtual void SetClipboardText(const std::string& text) = 0;
    // Paints the tape window at once (after a total is struck).
    virtual void Repaint() = 0;
    // Lets pending events run once (the voice callback calls it after each line).
    virtual void DoEvents() = 0;
};

// The one way every sound of the program is played: synchronous, a bare file
// name looked up in the program's folder, the default sound when it is missing.
class WavePlayer {
  public:
    virtual ~WavePlayer() = default;
    virtual void PlayWave(const std::string& file_name) = 0;
};

struct Ports {
    Dialogs& dialogs;
    Desktop& desktop;
    WavePlayer& sound;
};

}  // namespace tallymar
