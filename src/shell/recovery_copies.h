// Keeps a recovery copy of a tape with unsaved changes, so that a kill, a crash or a
// log-out never costs a figure: the copy is written a second after a change (off the
// keystroke's path, so at most the last second of keying can be lost), removed when
// the tape is saved or closed, and offered back at the next start.
#pragma once

#include <QTimer>
#include <optional>
#include <string>

#include "engine/calc.h"
#include "engine/ports.h"
#include "files/recovery.h"
#include "files/tape_files.h"

namespace tallymar {

class RecoveryCopies {
  public:
    RecoveryCopies(Calc& calc, TapeFiles& files, Dialogs& dialogs, std::string folder);

    // After every event of the tape window: a change starts the clock towards the
    // next copy; a tape saved (or never changed) has no copy.
    void AfterTapeEvent();
    // At start: a copy a window left behind is offered back ("Restore it?", Yes the
    // default). No keeps it aside until the tape is next saved.
    void OfferLeftOver();
    // Writes the copy now, when the tape has changes (the program is being ended).
    void WriteNow();
    // The window closes after the user saved or chose not to: the copy goes.
    void Closing();

    const std::string& folder() const { return folder_; }

  private:
    Calc& calc_;
    TapeFiles& files_;
    Dialogs& dialogs_;
    std::string folder_;
    TapeRecovery recovery_;
    QTimer timer_;
    std::optional<RecoveredTape> kept_aside_;
    int saves_seen_ = 0;
};

}  // namespace tallymar
