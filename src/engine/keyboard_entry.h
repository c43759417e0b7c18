// Keyboard entry: the one place where the tape window's events (keys, focus, clicks,
// drags, the wheel, the scroll bar, a resize) become operations on the tape and its
// view. The adding machine (Calc) works the figures out; this class decides which
// line a key goes to and where the focus goes after it.
//
// The focus moves synchronously: the old row is left (a correction keyed into it is
// committed), then the new row is entered. While a row is being left, whatever asks
// for the focus again (a commit stepping down, a comment's new open line, a move
// still owed) only chooses the row it lands in; the new row is entered once, after.
//
// Example, a window of six rows on a new tape: KeyPress(3, '5') types into the open
// line's row, KeyPress(3, '+') commits "5.00 +" and the focus lands on the new open
// line in row 4; KeyDown(4, key::kUp, shift::kNone) moves it back onto row 3, and a
// "7" typed there and a click on row 4 (SetFocus(4)) corrects the line to 7.00.
#pragma once

#include <string>

#include "engine/rows.h"

namespace tallymar {

class Calc;
class Tape;
class TapeView;

class KeyboardEntry {
    // Where a move of the focus stands. Settled: a row has the focus (or none does).
    // Leaving: the old row's leaving runs; a move it asks for only picks the new row.
    enum class FocusPhase { kSettled, kLeaving };

  public:
    KeyboardEntry(Calc& calc, Tape& tape, TapeView& view) : calc_(calc), tape_(tape), view_(view) {}
    KeyboardEntry(const KeyboardEntry&) = delete;
    KeyboardEntry& operator=(const KeyboardEntry&) = delete;

    // --- the rows' events ---
    void KeyDown(int row, int key_code, int shift_state);
    // A typed character; it goes into the row's text when it is kept.
    void KeyPress(int row, char32_t character);
    // Moves the focus: the old row is left, then the new one entered.
    void SetFocus(int row);
    // The box changed its own text or caret (arrow keys, Delete, a click placing the
    // caret), without a key the engine handles.
    void BoxEdited(int row, const std::string& text, int sel_start, int sel_length);
    void MouseDown(int row, int shift_state);
    void MouseMove(int row, int button, int shift_state, double y_twips);
    // Edit > Insert row and Edit > Delete row, at the focus line (shown again first if
    // it was scrolled away): a line inserted, or the highlighted lines (or the focus
    // line) deleted.
    void MenuInsert();
    void MenuDelete();
    // Edit > Copy: the highlighted lines to the clipboard, as Ctrl+C in a row.
    void CopySelection();
    // Edit > Select all: every line highlighted, for Copy, Delete, printing and export.
    void SelectAll();
    // A comment is being typed or edited in the focus row.
    bool edit_mode() const { return EditMode; }

    // --- the window's events ---
    // The window was resized so that max_row rows fit. Before the tape is loaded, only
    // the number is kept, for the window to load with.
    void Resize(int max_row);
    void ScrollTo(int value);  // the scroll bar moved
    // The mouse wheel turned over the tape: a notch away from the user shows earlier lines.
    void ScrollByWheel(int notches);
    // Takes the tape to `line` as a click on it would (a line found by Edit > Find…):
    // the line is scrolled into the nearest edge row when it is out of view, then its
    // row gets the focus, so a correction keyed on the line left is committed.
    void GoToLine(int line);

    // --- where the machine sends the focus after changing the tape ---
    // The focus goes to the open line at the end of the tape, scrolled into view.
    void FocusOpenLine();
    // The focus goes one row down (the tape scrolling at the bottom row).
    void MoveDown(int row);
    // The row keeps the focus but shows another line now: it is entered again.
    void RefreshFocus(int row);
    // The focus goes to `row` afresh after the lines under the rows changed: only the
    // row is entered (the line the old row showed may no longer be there).
    void TakeFocusAfresh(int row);
    // Runs `row`'s leaving as the focus goes elsewhere. False when a correction keyed
    // into it cannot be read: it beeps, and the row keeps what was keyed.
    bool LeaveRow(int row);
    // A row is being left: a focus asked for now only picks the row it lands in.
    bool leaving_row() const { return focus_phase_ == FocusPhase::kLeaving; }
    // Nothing is being keyed: no comment open, no move owed (a new tape, an undo).
    void Reset();
    // The voice callback's Grunk moves on one line after each rule it reads.
    void OweMoveDown() { DownPending = true; }
    // A commit was refused (an amount that cannot be read): the move waits with it.
    void DropOwedMoves() { UpPending = DownPending = false; }

  private:
    Calc& calc_;
    Tape& tape_;
    TapeView& view_;
    bool EditMode = false;
    bool UpPending = false;
    bool DownPending = false;
    FocusPhase focus_phase_ = FocusPhase::kSettled;

    void GotFocus(int row);
    bool LostFocus(int row);
    void MoveUp(int row);
    // Page Up, Page Down, End or Home from `row`: the row is left first (while it still
    // shows its line), then the tape moves under the rows.
    void PageTo(int row, int key_code);
    bool IsNumericKey(char32_t character, const Row& box) const;
    // Commits the amount keyed in `row` as the next line of the column of sums above
    // it; gives the row of the open line that follows.
    int AddToColumn(int row);
    // A correction in `row` keyed with "*" or "/" (`kind`) under a column of sums: the
    // amount stays in the column and a line below it takes the column's sum.
    void CorrectIntoColumn(int row, char kind);
    void FinishComment(int row, bool down, bool edit_mode);
    // The row of a comment being typed takes the text colour on the typing background.
    void HighlightCommentRow();
    // Keeps the selection on the tape's lines and shows it.
    void ClampSelection();
};

}  // namespace tallymar
