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
    if (view_.last_row() + 1 >= view_.max_row()) {
        // The window is full: the tape scrolls up under the last row, which shows the
        // new line. As in a window with room for another row, the focus goes to it; a
        // row that had the focus and showed another line is left first, while it
        // still shows that line.
        ++work_.CurLine;
        tape_.Append(line);
        const bool showed_end = view_.top_line() + view_.last_row() == UpperBound() - 1;
        const bool refocus = !defer_redraw_ && !view_.focus_parked() && view_.focus_row() >= 0 &&
                             (view_.focus_row() != view_.last_row() || !showed_end);
        if (refocus && !keys_.leaving_row()) {
            keys_.LeaveRow(view_.focus_row());
        }
        view_.SetTopLine(std::max(UpperBound() - view_.last_row(), 0));
        if (!defer_redraw_) view_.ShowTape();
        if (refocus) {
            view_.SetFocusRow(view_.last_row());
            if (!keys_.leaving_row()) keys_.TakeFocusAfresh(view_.last_row());
        }
    } else {
        view_.SetLastRow(view_.last_row() + 1);
        ++work_.CurLine;
        tape_.Append(line);
        keys_.SetFocus(view_.last_row());
    }
    view_.UpdateScroller();
}

void Calc::InsertTapeLine(int line) {
    const Step step(*this);
    if (line < 0 || line > UpperBound() || RefuseIfFull(1)) return;
    if (tape_[line].Op == op::kRule) ++line;
    TapeChanged = true;
    AddTapeLine();
    for (int i = UpperBound(); i > line; --i) tape_.Edit(i) = tape_[i - 1];
    // The line moved down leaves nothing behind: not its amount, and not a comment's
    // text, which the tape file would otherwise keep in the new line.
    tape_.Edit(line).Amount = 0;
    tape_.Edit(line).Entry = {};
    tape_.Edit(line).Op = op::kInserted;
    view_.ShowTape();
    // The inserted line takes the focus, shown again if appending scrolled it away.
    ScrollIntoView(view_, line);
    const int r = line - view_.top_line();
    view_.row(r).SetText("0");
    view_.row(r).op = " ";
    keys_.RefreshFocus(r);
    view_.UpdateScroller();
}

void Calc::InsertFactorLine(int line, char kind) {
    const Step step(*this);
    TapeLine factor;
    factor.Op = kind;
    factor.Decimals = options_.DecimalCode;
    tape_.Append(factor);
    for (int i = UpperBound(); i > line; --i) tape_.Edit(i) = tape_[i - 1];
    tape_.Edit(line) = factor;
    // The rows below show the lines moved down at the next redraw; a window with room
    // for another row shows one more.
    if (view_.last_row() + 1 < view_.max_row()) view_.SetLastRow(view_.last_row() + 1);
    view_.UpdateScroller();
}

void Calc::RowDelete() {
    DeleteProgress progress;
    Selection& selection = view_.selection();
    selection.Order();
    if (selection.shown()) {
        progress.n = selection.range().last - selection.range().first + 1;
        std::string text = "Do you really want to delete the " + std::to_string(progress.n) +
                           (progress.n <= 1 ? " selected row?" : " selected rows?");
        if (Tell(text, Buttons::kYesNoCancel, Icon::kQuestion, Answer::kNo,
                 "Tallymar - confirm deletion") != Answer::kYes) {
            return;
        }
    } else {
        selection.Collapse(work_.CurLine);
        progress.n = 1;
    }
    try {
        RowDeleteSteps(progress);
    } catch (const std::exception& error) {
        const std::string nl = "\r\n";
        Tell("Unexpected error!" + nl + "Please write down the following information." + nl +
             "Then try to recreate the error." + nl + " " + nl + "9 in RowDelete" + nl +
             error.what() + nl + "1 = " + std::to_string(progress.n) + nl +
             "2 = " + std::to_string(work_.CurLine) + nl + "3 = " + std::to_string(UpperBound()) +
             nl + "4 = " + std::to_string(progress.row_counter) + nl +
             "5 = " + std::to_string(progress.line_counter) + nl + "6 = " +
             std::to_string(view_.top_line()) + nl + "8 = " + std::to_string(view_.last_row()) +
             nl + "9 = " + std::to_string(view_.max_row()) + nl +
             "10 = " + std::to_string(progress.surplus));
    }
}

void Calc::RowDeleteSteps(DeleteProgress& p) {
    TapeChanged = true;
    const int first = view_.selection().range().first;
    work_.CurLine = first;
    const int last = first + p.n - 1;
    if (tape_.lines().at(last).Op == op::kTotal && last + 1 <= UpperBound() &&
        tape_.lines().at(last + 1).Op == op::kRule) {
        ++p.n;  // a total takes its rule line with it
    }
    const int old_upper = UpperBound();
    // Every line going (Select all, then Delete): nothing is left to show a figure.
    const bool whole_tape = first == 0 && p.n > old_upper;
    for (p.line_counter = first; p.line_counter + p.n <= old_upper; ++p.line_counter) {
        tape_.Edit(p.line_counter) = tape_.lines().at(p.line_counter + p.n);
    }
    tape_.Resize(std::max(old_upper - p.n, 0) + 1);
    if (work_.CurLine > UpperBound()) work_.CurLine = UpperBound();
    view_.SetTopLine(std::max(view_.top_line() - p.n, 0));
    p.surplus = view_.last_row() - UpperBound();
    p.row_counter = std::max(p.surplus, 0);
    view_.SetLastRow(std::min(view_.last_row(), UpperBound()));
    view_.selection().StopSelecting();
    RecalcFromLastTotal();
    // The deletion is complete: leaving the row must not commit its line again, and
    // a later Delete must not act on the range just removed.
    work_.EditingOld = false;
    view_.selection().Hide();
    // A deletion that took the open line at the end gets a new one. (Checking only the
    // end keeps a deletion in the middle from leaving a stray blank line behind.)
    // The line above it, drawn a moment ago as the tape's last line, shows its amount
    // again in every window, not only one so full that appending redraws the rows.
    if (tape_.back().Op != op::kOpen) {
        AddTapeLine();
        view_.ShowTape();
    }
    // The focus goes to the line that took the first deleted line's place (the new
    // open line when the deletion reached the end), scrolled into view if the window
    // does not reach it: the same line whatever the window's height.
    const int focus_line = std::min(first, UpperBound());
    ScrollIntoView(view_, focus_line);
    p.surplus = focus_line - view_.top_line();
    keys_.RefreshFocus(std::clamp(p.surplus, 0, view_.last_row()));
    if (whole_tape) ShowAccumulator();
    view_.selection().Collapse(0);
    view_.UpdateScroller();
}

void Calc::RecalcFromLastTotal() {
    run_.Accumulator = 0;
    // Lines recomputed here never append: their results go to the total that follows.
    int i = std::clamp(work_.CurLine - 1, 0, UpperBound());
    while (i > 0 && tape_[i].Op != op::kTotal) --i;
    int start = (tape_[i].Op == op::kTotal && i != UpperBound()) ? i + 1 : i;
    bool display_stale = false;
    for (int j = start; j <= UpperBound(); ++j) {
        work_.CurLine = j;
        if (tape_[j].Op == op::kTotal) {
            StrikeTotal(Pass::kRecompute);
            RecountOpenSection();
            // A product or quotient met on the way appended nothing: the next amount
            // committed gets its own line.
            work_.LineAppended = false;
            return;
        }
        // A subtotal in the range shows the running result it stands for again.
        if (tape_[j].Op == op::kSubtotal) tape_.Edit(j).Amount = run_.Accumulator;
        // Every line but a rule leaves the total display to show the running result.
        display_stale = display_stale || tape_[j].Op != op::kRule;
        ApplyLine(Pass::kRecompute);
        if (j == UpperBound()) {
            if (display_stale) ShowAccumulator();
            view_.ShowTape();
            work_.LineAppended = false;
            return;
        }
    }
}

// Striking a total again cleared the accumulator; the running total is what the
// lines below the tape's last total add up to, so they are added up again.
void Calc::RecountOpenSection() {
    const int struck = work_.CurLine;
    int last_total = UpperBound();
    while (last_total > 0 && tape_[last_total].Op != op::kTotal) --last_total;
    run_.Accumulator = 0;
    bool counted = false;
    // A tape read from a file may start with an amount rather than a rule.
    const int first = tape_[last_total].Op == op::kTotal ? last_total + 1 : last_total;
    for (int j = first; j <= UpperBound(); ++j) {
        // The open line counts for nothing, whatever operator calculator mode gave it.
        const char kind = tape_[j].Op;
        counted = counted || (j < UpperBound() && kind != op::kRule && kind != op::kComment &&
                              kind != op::kConversion && kind != op::kInserted);
        work_.CurLine = j;
        ApplyLine(Pass::kRecount);
    }
    // With nothing keyed since the last total, the display keeps the total just struck.
    if (counted) ShowAccumulator();
    work_.CurLine = struck;
}

std::string TextOfLines(const Calc& calc, LineRange range) {
    const Tape& tape = calc.tape();
    if (tape.empty()) return "";
    const int low = std::clamp(range.first, 0, tape.UpperBound());
    const int high = std::clamp(range.last, 0, tape.UpperBound());
    std::string text;
    const LookContext context{Medium::kClipboard, calc.colours(), calc.symbols()};
    // Lines joined by line feeds, as text is pasted on the desktop.
    for (int i = low; i <= high; ++i) {
        if (i > low) text += '\n';
        text += LookOf(tape[i], context).text;
    }
    return text;
}

}  // namespace tallymar
