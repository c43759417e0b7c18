// The lines highlighted on the tape: by Shift+click and Shift+drag, by Shift+Up and
// Shift+Down, or by Edit > Select all. Edit > Copy, Delete, printing and export
// work on them.
//
// Example: Shift+Down on line 5 starts a selection of line 5 alone; two more
// Shift+Down extend it to line 7, and range() is lines 5 to 7 whichever way it
// was made. A plain key stops selecting (the highlight goes) and hides it, so that
// a later Delete works on the focus line alone.
#pragma once

#include <algorithm>
#include <utility>

#include "engine/tape_line.h"

namespace tallymar {

// A range of tape lines, both ends included.
struct LineRange {
    int first = 0;
    int last = -1;
};

class Selection {
  public:
    // The rows highlight the selected lines, and Shift+arrows extend them.
    bool selecting() const { return Selecting; }
    // Delete asks about the range instead of deleting the focus line alone.
    bool shown() const { return SelectionShown; }
    int start_line() const { return SelStartLine; }  // where it was begun
    int end_line() const { return SelEndLine; }      // where it was extended to
    // Its lines, first to last, however it was made.
    LineRange range() const {
        return {std::min(SelStartLine, SelEndLine), std::max(SelStartLine, SelEndLine)};
    }
    bool Highlights(int line) const {
        return Selecting && line >= range().first && line <= range().last;
    }

    // `line` alone, selected and shown.
    void Begin(int line) {
        Selecting = SelectionShown = true;
        SelStartLine = SelEndLine = line;
    }
    void ExtendTo(int line) { SelEndLine = line; }
    // Every line of a tape whose last line is `upper_bound`.
    void All(int upper_bound) {
        Begin(0);
        SelEndLine = upper_bound;
    }
    // Keeps both ends on the tape's lines.
    void Clamp(int upper_bound) {
        SelStartLine = std::clamp(SelStartLine, 0, upper_bound);
        SelEndLine = std::clamp(SelEndLine, 0, upper_bound);
    }
    // The highlight goes; the range stays for what comes next.
    void StopSelecting() { Selecting = false; }
    void Hide() { SelectionShown = false; }
    // Nothing selected, nothing remembered.
    void Clear() { *this = Selection{}; }
    // Its first line becomes the one it was begun at.
    void Order() {
        if (SelEndLine < SelStartLine) std::swap(SelStartLine, SelEndLine);
    }
    // A Delete without a selection works on `line` alone.
    void Collapse(int line) { SelStartLine = SelEndLine = line; }

  private:
    bool Selecting = false;
    bool SelectionShown = false;
    int SelStartLine = 0;
    int SelEndLine = 0;
};

}  // namespace tallymar
