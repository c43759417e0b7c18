// Lines put on the tape from outside the keyboard: a tape file's lines, read in
// place of the tape or after it, and the converter's blocks.
#include <algorithm>
#include <cstddef>

#include "engine/calc.h"

namespace tallymar {

LinesTaken Calc::TakeLines(LineSource& lines, LinesPlaced placed) {
    const Step step(*this);
    // The tape's open line takes the first of the lines appended.
    if (placed == LinesPlaced::kAfterTape) return PutFileLines(lines, UpperBound());
    view_.SetLastRow(0);
    view_.ForgetKeying();
    tape_.Reset({TapeLine{}});  // an open line until the first line read takes its place
    work_.CurLine = 0;
    view_.SetTopLine(0);
    return PutFileLines(lines, 0);
}

LinesTaken Calc::PutFileLines(LineSource& lines, int start) {
    const std::size_t count = lines.LineCount();
    // Lines that fit with a new open line after them.
    const std::size_t room = static_cast<std::size_t>(std::max(kMaxLines - 1 - start, 0));
    // Room for every line at once, rather than the tape growing line by line.
    tape_.Reserve(start + std::min(count, room) + 1);
    LinesTaken taken;
    defer_redraw_ = true;
    for (std::size_t i = 0; i < count; ++i) {
        TapeLine line;
        if (!lines.ReadLine(i, &line)) {
            taken.damaged = true;
            break;
        }
        if (i + 1 == count && line.Op == op::kOpen) {
            // A saved tape ends with its own open line, which stands in for the new
            // one: a tape saved and opened again is the same tape, not one line longer.
            tape_.Edit(start + i) = line;
            break;
        }
        if (i == room) {
            taken.too_long = true;  // the lines past a full tape are left out
            break;
        }
        tape_.Edit(start + i) = line;
        AddTapeLine();
    }
    defer_redraw_ = false;
    TakeRunningTotalFromLines();
    ShowTapeEnd();
    return taken;
}

void Calc::TakeRunningTotalFromLines() {
    int last_total = UpperBound();
    while (last_total > 0 && tape_[last_total].Op != op::kTotal) --last_total;
    // Added up as a correction adds them, without appending or striking; the lines
    // themselves stay exactly as they were read.
    const std::vector<TapeLine> read(tape_.lines().begin() + last_total, tape_.lines().end());
    const int cur_line = work_.CurLine;
    work_.CurLine = last_total;
    RecountOpenSection();
    work_.EditingOld = work_.LineAppended = work_.ShiftEnter = false;
    for (std::size_t i = 0; i < read.size(); ++i)
        tape_.Edit(last_total + static_cast<int>(i)) = read[i];
    work_.CurLine = cur_line;
    const TapeLine& total = tape_[last_total];
    const bool nothing_after = run_.Accumulator == 0 && total.Op == op::kTotal;
    if (nothing_after)
        display_.text = FormatNumber(total.Amount, PatternOf(total.Decimals), symbols_);
}

void Calc::ShowTapeEnd() {
    const int last = UpperBound();
    view_.SetTopLine(std::max(last - view_.last_row(), 0));  // the last line in the last row
    view_.ShowTape();
    view_.UpdateScroller();
    // The focus goes to the last row afresh, so that its got-focus handling sets
    // CurLine for the lines it shows now. (No lost-focus: a correction half keyed
    // before the lines were read must not be committed onto a line that moved.)
    keys_.TakeFocusAfresh(view_.last_row());
}

void Calc::AppendConversion(const std::vector<TapeLine>& lines) {
    const Step step(*this);
    if (RefuseIfFull(static_cast<int>(lines.size()) + 1)) return;
    // The block starts on a fresh line after the last one, which keeps its content.
    work_.CurLine = UpperBound();
    AddTapeLine();
    for (const TapeLine& line : lines) {
        tape_.Edit(work_.CurLine).Entry = line.Entry;
        tape_.Edit(work_.CurLine).Op = line.Op;
        AddTapeLine();
    }
    view_.ShowTape();
    TapeChanged = true;
}

}  // namespace tallymar
