// Appending, inserting and deleting lines, recomputing after a change, copying.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "engine/calc.h"
#include "engine/line_look.h"

namespace tallymar {

void Calc::AddTapeLine() {
    const Step step(*this);
    // Callers refuse a key before the tape could pass its limit; this only keeps the
    // limit should one of them not.
    if (static_cast<int>(tape_.size()) >= kMaxLines) return;
    TapeLine line;
    line.Decimals = options_.DecimalCode;
    if (LastRow + 1 >= MaxRow) {
        // The window is full: the tape scrolls up under the last row, which shows the
        // new line. As in a window with room for another row, the focus goes to it; a
        // row that had the focus and showed another line is left first, while it
        // still shows that line.
        ++CurLine;
        tape_.Append(line);
        const bool showed_end = TopLine + LastRow == UpperBound() - 1;
        const bool refocus = !defer_redraw_ && parked_line_ < 0 && focus_row_ >= 0 &&
                             (focus_row_ != LastRow || !showed_end);
        if (refocus && !in_lost_focus_) {
            in_lost_focus_ = true;
            LostFocus(focus_row_);
            in_lost_focus_ = false;
        }
        TopLine = std::max(UpperBound() - LastRow, 0);
        if (!defer_redraw_) ShowTape();
        if (refocus) {
            focus_row_ = LastRow;
            if (!in_lost_focus_) GotFocus(LastRow);
        }
    } else {
        AddRow();
        ++LastRow;
        ++CurLine;
        tape_.Append(line);
        SetFocus(LastRow);
    }
    UpdateScroller();
}

void Calc::InsertTapeLine(int line) {
    const Step step(*this);
    if (line < 0 || line > UpperBound() || RefuseIfFull(1)) return;
    if (tape_[line].Op == op::kRule) ++line;
    TapeChanged = true;
    AddTapeLine();
    for (int i = UpperBound(); i > line; --i) tape_.Edit(i) = tape_[i - 1];
    tape_.Edit(line).Amount = 0;
    tape_.Edit(line).Op = op::kInserted;
    ShowTape();
    // The inserted line takes the focus, shown again if appending scrolled it away.
    ScrollIntoView(line);
    const int r = line - TopLine;
    rows_[r].SetText("0");
    rows_[r].op = " ";
    RefreshFocus(r);
    UpdateScroller();
}

// Edit > Insert and Delete work on the focus line, shown first if it was scrolled away.
void Calc::MenuInsert() {
    const Step step(*this);
    BringFocusIntoView();
    InsertTapeLine(CurLine);
}

void Calc::MenuDelete() {
    const Step step(*this);
    if (LastRow == 0) return;
    BringFocusIntoView();
    RowDelete();
}

void Calc::RowDelete() {
    if (SelEndLine < SelStartLine) std::swap(SelStartLine, SelEndLine);
    DeleteProgress progress;
    if (SelectionShown) {
        progress.n = SelEndLine - SelStartLine + 1;
        std::string text = "Do you really want to delete the " + std::to_string(progress.n) +
                           (progress.n <= 1 ? " selected row?" : " selected rows?");
        if (Tell(text, Buttons::kYesNoCancel, Icon::kQuestion, Answer::kNo,
                 "Tallymar - confirm deletion") != Answer::kYes) {
            return;
        }
    } else {
        SelStartLine = SelEndLine = CurLine;
        progress.n = 1;
    }
    try {
        RowDeleteSteps(progress);
    } catch (const std::exception& error) {
        const std::string nl = "\r\n";
        Tell("Unexpected error!" + nl + "Please write down the following information." + nl +
             "Then try to recreate the error." + nl + " " + nl + "9 in RowDelete" + nl +
             error.what() + nl + "1 = " + std::to_string(progress.n) + nl +
             "2 = " + std::to_string(CurLine) + nl + "3 = " + std::to_string(UpperBound()) + nl +
             "4 = " + std::to_string(progress.row_counter) + nl +
             "5 = " + std::to_string(progress.line_counter) + nl +
             "6 = " + std::to_string(TopLine) + nl + "8 = " + std::to_string(LastRow) + nl +
             "9 = " + std::to_string(MaxRow) + nl + "10 = " + std::to_string(progress.surplus));
    }
}

void Calc::RowDeleteSteps(DeleteProgress& p) {
    TapeChanged = true;
    CurLine = SelStartLine;
    const int last = SelStartLine + p.n - 1;
    if (tape_.lines().at(last).Op == op::kTotal && last + 1 <= UpperBound() &&
        tape_.lines().at(last + 1).Op == op::kRule) {
        ++p.n;  // a total takes its rule line with it
    }
    const int old_upper = UpperBound();
    // Every line going (Select all, then Delete): nothing is left to show a figure.
    const bool whole_tape = SelStartLine == 0 && p.n > old_upper;
    for (p.line_counter = SelStartLine; p.line_counter + p.n <= old_upper; ++p.line_counter) {
        tape_.Edit(p.line_counter) = tape_.lines().at(p.line_counter + p.n);
    }
    tape_.Resize(std::max(old_upper - p.n, 0) + 1);
    if (CurLine > UpperBound()) CurLine = UpperBound();
    TopLine = std::max(TopLine - p.n, 0);
    p.surplus = LastRow - UpperBound();
    for (p.row_counter = 0; LastRow > UpperBound(); ++p.row_counter) RemoveLastRow();
    EditingOld = true;
    Selecting = false;
    RecalcFromLastTotal();
    // The deletion is complete: leaving the row must not commit its line again, and
    // a later Delete must not act on the range just removed.
    EditingOld = false;
    SelectionShown = false;
    // The focus goes to the line that took the first deleted line's place, scrolled
    // into view if the window does not reach it.
    const int focus_line = std::min(SelStartLine, UpperBound());
    ScrollIntoView(focus_line);
    p.surplus = focus_line - TopLine;
    RefreshFocus(std::clamp(p.surplus, 0, LastRow));
    // A deletion that took the open line at the end gets a new one. (Checking only the
    // end keeps a deletion in the middle from leaving a stray blank line behind.)
    if (tape_.back().Op != op::kOpen) AddTapeLine();
    if (whole_tape) ShowAccumulator();
    SelStartLine = SelEndLine = 0;
    UpdateScroller();
}

void Calc::RecalcFromLastTotal() {
    Accumulator = 0;
    // Lines recomputed here never append: their results go to the total that follows.
    EditingOld = true;
    int i = std::clamp(CurLine - 1, 0, UpperBound());
    while (i > 0 && tape_[i].Op != op::kTotal) --i;
    int start = (tape_[i].Op == op::kTotal && i != UpperBound()) ? i + 1 : i;
    bool display_stale = false;
    for (int j = start; j <= UpperBound(); ++j) {
        CurLine = j;
        if (tape_[j].Op == op::kTotal) {
            StrikeTotal();
            RecountOpenSection();
            return;
        }
        // A subtotal in the range shows the running result it stands for again.
        if (tape_[j].Op == op::kSubtotal) tape_.Edit(j).Amount = Accumulator;
        display_stale = ApplyLine(Pass::kRecompute) || display_stale;
        if (j == UpperBound()) {
            if (display_stale) ShowAccumulator();
            ShowTape();
            EditingOld = false;
            return;
        }
    }
}

// Striking a total again cleared the accumulator; the running total is what the
// lines below the tape's last total add up to, so they are added up again.
void Calc::RecountOpenSection() {
    const int struck = CurLine;
    int last_total = UpperBound();
    while (last_total > 0 && tape_[last_total].Op != op::kTotal) --last_total;
    Accumulator = 0;
    bool counted = false;
    // A tape read from a file may start with an amount rather than a rule.
    const int first = tape_[last_total].Op == op::kTotal ? last_total + 1 : last_total;
    for (int j = first; j <= UpperBound(); ++j) {
        // The open line counts for nothing, whatever operator calculator mode gave it.
        const char kind = tape_[j].Op;
        counted = counted || (j < UpperBound() && kind != op::kRule && kind != op::kComment &&
                              kind != op::kConversion && kind != op::kInserted);
        CurLine = j;
        ApplyLine(Pass::kRecount);
    }
    // With nothing keyed since the last total, the display keeps the total just struck.
    if (counted) ShowAccumulator();
    CurLine = struck;
}

void Calc::CopySelection() {
    if (tape_.empty()) return;
    ports_.desktop.SetClipboardText(
        TextOfLines({std::min(SelStartLine, SelEndLine), std::max(SelStartLine, SelEndLine)}));
}

std::string Calc::TextOfLines(LineRange range) const {
    if (tape_.empty()) return "";
    const int low = std::clamp(range.first, 0, UpperBound());
    const int high = std::clamp(range.last, 0, UpperBound());
    std::string text;
    const LookContext context{Medium::kClipboard, colours_, symbols_};
    // Lines joined by line feeds, as text is pasted on the desktop.
    for (int i = low; i <= high; ++i) {
        if (i > low) text += '\n';
        text += LookOf(tape_[i], context).text;
    }
    return text;
}

void Calc::SelectAll() {
    if (tape_.empty()) return;
    Selecting = SelectionShown = true;
    SelStartLine = 0;
    SelEndLine = UpperBound();
    ShowTape();
}

}  // namespace tallymar
