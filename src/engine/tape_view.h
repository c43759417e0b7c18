// The tape window as the engine models it: which lines the rows show (TopLine, the
// rows 0 to LastRow, at most MaxRow of them), what each row shows of its line (its
// look, from LookOf), the row with the focus, the selection and the scroll bar. It
// holds no figure of its own: every row is drawn from the tape, so redrawing, scrolling
// or resizing never changes a result.
//
// The one exception is the focus row: what the user is keying into it belongs to the
// row until it is committed. When the tape is scrolled away from the focus line, that
// row is parked (FocusBox keeps it) and comes back with its line.
//
// Example: a tape of 40 lines in a window of 10 rows, scrolled to its end, has
// top_line() 30 and last_row() 9; ScrollIntoView(view, 12) makes top_line() 12 and row 0
// shows line 12; the scroll bar then reads 12 of 30.
#pragma once

#include <string>
#include <vector>

#include "engine/line_look.h"
#include "engine/number_format.h"
#include "engine/options.h"
#include "engine/rows.h"
#include "engine/selection.h"
#include "engine/tape.h"

namespace tallymar {

struct ScrollBar {
    int max = 0;
    int value = 0;
};

class TapeView {
  public:
    TapeView(const Tape& tape, const Colours& colours, const NumberSymbols& symbols)
        : tape_(tape), colours_(colours), symbols_(symbols) {}
    TapeView(const TapeView&) = delete;
    TapeView& operator=(const TapeView&) = delete;

    // --- what the window shows ---
    const std::vector<Row>& rows() const { return rows_; }  // rows 0 to last_row()
    int top_line() const { return TopLine; }                // the line row 0 shows
    int last_row() const { return LastRow; }
    int max_row() const { return MaxRow; }        // the rows the window has room for
    int focus_row() const { return focus_row_; }  // -1 when no row has the focus
    // The line the focus is on (-1 when no row has it); it can lie outside the rows
    // shown when the tape was scrolled away from it.
    int FocusLine() const;
    // The focus line is scrolled out of view: the box in focus_row() keeps the
    // keyboard, and the next key brings the line back into view first.
    bool focus_parked() const { return parked_line_ >= 0; }
    // The focused row as it is, or as it was when its line scrolled out of view.
    Row FocusBox() const;
    ScrollBar scroll_bar() const { return scroll_; }
    const Selection& selection() const { return selection_; }

    // --- how a row shows a line ---
    // `conversions_before` conversion lines counted above it (the second of each
    // block of four shows "=").
    LineLook RowLook(int line, int conversions_before, bool selected) const;
    // What the amount column shows for a line, in whichever row it stands.
    std::string ShownText(int line) const;

    // --- changing it ---
    Row& row(int r) { return rows_[static_cast<std::size_t>(r)]; }
    Selection& selection() { return selection_; }
    // The window has room for `max_row` rows: as many rows as fit are made, but never
    // a row without a line to show.
    void Fit(int max_row);
    // Rows 0 to `last_row`; the rows added take the tape's colours. A row that had the
    // focus and is removed takes it away with it.
    void SetLastRow(int last_row);
    void SetTopLine(int line) { TopLine = line; }
    // Draws the rows from the lines they show.
    void ShowTape();
    // Redraws the rows and puts `box`, the row of the focus line `line`, back in
    // whichever row shows that line now (or parks it while none does).
    void ShowTapeKeepingFocus(int line, const Row& box);
    // Scrolls the tape back to the parked focus line, into the row that kept the keyboard.
    void BringFocusIntoView();
    // The scroll bar reaches every line: at its end the last row shows the open line.
    void UpdateScroller();
    // The focus lands in `row`, which shows its line (nothing is parked any more).
    void FocusArrives(int row);
    // The focus is moving to `row`; its landing is still to be handled.
    void SetFocusRow(int row) { focus_row_ = row; }
    // An amount keyed into the open line's row and left there uncommitted (the focus
    // moved away): the row shows it again whenever it is drawn, in a window of any
    // height, until the focus comes back to it or the line is no longer the open line.
    void KeepDraft(int line, std::string text);
    // A new tape, a tape file read, an undone step: nothing parked, no draft.
    void ForgetKeying();

  private:
    const Tape& tape_;
    const Colours& colours_;
    const NumberSymbols& symbols_;
    std::vector<Row> rows_ = std::vector<Row>(1);
    int TopLine = 0;
    int LastRow = 0;
    int MaxRow = 0;
    int focus_row_ = -1;
    int parked_line_ = -1;  // the focus line while it is scrolled out of view
    Row parked_box_;        // its row as it was, with what had been keyed into it
    int draft_line_ = -1;   // the open line whose row keeps an uncommitted amount
    std::string draft_;
    ScrollBar scroll_;
    Selection selection_;
};

// Scrolls the tape as little as shows `line` in a row.
void ScrollIntoView(TapeView& view, int line);

// The conversion lines above `line` on the tape.
int ConversionsBefore(const std::vector<TapeLine>& lines, int line);

}  // namespace tallymar
