// The recovery copy: a tape with changes not yet saved is copied, a moment after each
// change, into the user's state folder ($XDG_STATE_HOME/tallymar, by default
// ~/.local/state/tallymar), together with the name of its file and the title the
// window shows. Saving the tape, or closing it without changes, removes the copy. A
// program killed, crashed or logged out leaves it behind, and the next start offers
// it back.
//
// Every running window keeps a copy of its own ("tape-PID-N.recovery") and holds a lock
// on "tape-PID-N.lock" for as long as it runs, so that a start never offers the copy of
// a window that is still open: only a copy whose lock nobody holds is left over.
//
// The copy is a short text head, then the tape's records as a tape file holds them:
//   Tallymar recovery 1\n
//   /home/ann/week.add\n      (the tape's file, an empty line for none)
//   week.add\n                (the title shown)
//   30-byte records…
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/tape_line.h"

namespace tallymar {

inline constexpr const char* kRestoreQuestion =
    "Tallymar found a tape that was not saved when it last closed. Restore it?";

struct RecoveredTape {
    std::string file_name;  // the tape's own file, "" for none
    std::string title;      // the title the window showed
    std::string records;    // the lines, as a tape file holds them
    std::string path;       // the recovery copy it was read from
};

// The recovery copy's bytes, and back; false when `bytes` is no recovery copy.
std::string EncodeRecovery(const std::vector<TapeLine>& tape, const std::string& file_name,
                           const std::string& title);
bool DecodeRecovery(const std::string& bytes, RecoveredTape* tape);

// $XDG_STATE_HOME/tallymar when it is an absolute path, else ~/.local/state/tallymar.
std::string RecoveryFolder();

class TapeRecovery {
  public:
    explicit TapeRecovery(std::string folder);
    ~TapeRecovery();
    TapeRecovery(const TapeRecovery&) = delete;
    TapeRecovery& operator=(const TapeRecovery&) = delete;

    // Writes this window's copy (taking its lock first); false with the reason when it
    // could not be written. An unchanged copy is not written again.
    bool Write(const std::vector<TapeLine>& tape, const std::string& file_name,
               const std::string& title, std::string* reason);
    // The tape was saved or closed without changes: this window's copy goes.
    void Remove();
    // Whether this window has a copy on the disk.
    bool HasCopy() const { return has_copy_; }

    // The newest copy left behind by a window that no longer runs, if any. A copy that
    // cannot be read as one is left where it is and passed over.
    std::optional<RecoveredTape> FindLeftOver() const;
    // Removes a copy left behind (restored, or kept aside until a save).
    static void Discard(const RecoveredTape& tape);

  private:
    bool TakeLock(std::string* reason);

    std::string folder_;
    std::string copy_path_;
    std::string lock_path_;
    int lock_fd_ = -1;
    bool has_copy_ = false;
    std::string written_;  // the bytes last written
};

}  // namespace tallymar
