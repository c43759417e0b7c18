// Which lines the rows show and how: drawing the rows from the tape, scrolling,
// fitting the window's height, and the focus row kept with its line.
#include "engine/tape_view.h"

#include <algorithm>
#include <utility>

namespace tallymar {
namespace {

// A row takes the look of the line it shows; what the look leaves unset stays as the
// row had it.
void Show(Row& row, LineLook&& look) {
    row.text = std::move(look.text);
    row.sel_start = row.sel_length = 0;
    row.op = std::move(look.op);
    row.align_left = look.align_left;
    if (look.font_size) row.font_size = *look.font_size;
    if (look.bold) row.bold = *look.bold;
    if (look.locked) row.locked = *look.locked;
    if (look.op_locked) row.op_locked = *look.op_locked;
    if (look.fore) row.fore = row.op_fore = *look.fore;
    if (look.back) row.back = row.op_back = *look.back;
}

}  // namespace

int ConversionsBefore(const std::vector<TapeLine>& lines, int line) {
    const int end = std::clamp(line, 0, static_cast<int>(lines.size()));
    return static_cast<int>(
        std::count_if(lines.begin(), lines.begin() + end,
                      [](const TapeLine& l) { return l.Op == op::kConversion; }));
}

int TapeView::FocusLine() const {
    if (parked_line_ >= 0) return parked_line_;
    return focus_row_ >= 0 && focus_row_ <= LastRow ? TopLine + focus_row_ : -1;
}

Row TapeView::FocusBox() const {
    if (parked_line_ >= 0) return parked_box_;
    return focus_row_ >= 0 && focus_row_ <= LastRow ? rows_[static_cast<std::size_t>(focus_row_)]
                                                    : Row{};
}

LineLook TapeView::RowLook(int line, int conversions_before, bool selected) const {
    const LookContext context{Medium::kRow,
                              colours_,
                              symbols_,
                              line > 0 ? tape_[line - 1].Op : ' ',
                              conversions_before,
                              selected,
                              line == tape_.UpperBound()};
    return LookOf(tape_[line], context);
}

std::string TapeView::ShownText(int line) const {
    return RowLook(line, 0, false).text;
}

void TapeView::Fit(int max_row) {
    MaxRow = max_row;
    if (tape_.empty()) return;  // the tape window has not loaded yet
    SetLastRow(std::max(std::min(MaxRow, tape_.UpperBound() + 1), 1) - 1);
}

void TapeView::SetLastRow(int last_row) {
    while (LastRow > std::max(last_row, 0)) {
        if (focus_row_ == LastRow) focus_row_ = -1;  // the box that had the focus is gone
        rows_.pop_back();
        --LastRow;
    }
    while (LastRow < last_row) {
        Row row;
        row.SetColours(colours_.CurPosClr, colours_.CurTapClr);
        rows_.push_back(std::move(row));
        ++LastRow;
    }
}

// Drawing changes no state the arithmetic reads: the number format and automatic
// decimals follow the decimal buttons, not the lines that happen to be in view.
void TapeView::ShowTape() {
    // Counted from the tape's first line, so that a conversion block shows its "="
    // on the same line however the tape is scrolled.
    int conversions = ConversionsBefore(tape_.lines(), TopLine);
    for (int r = 0; r <= LastRow; ++r) {
        const int index = TopLine + r;
        if (index < 0 || index > tape_.UpperBound()) break;
        Show(row(r), RowLook(index, conversions, selection_.Highlights(index)));
        if (tape_[index].Op == op::kConversion) ++conversions;
    }
    if (draft_line_ < 0) return;
    if (draft_line_ != tape_.UpperBound()) {
        draft_line_ = -1;  // the line was committed, or the tape changed under it
    } else if (const int r = draft_line_ - TopLine; r >= 0 && r <= LastRow) {
        row(r).text = draft_;
    }
}

void TapeView::KeepDraft(int line, std::string text) {
    draft_line_ = line;
    draft_ = std::move(text);
}

void TapeView::ForgetKeying() {
    parked_line_ = -1;
    draft_line_ = -1;
}

void TapeView::ShowTapeKeepingFocus(int line, const Row& box) {
    ShowTape();
    if (line < 0) return;
    const int r = line - TopLine;
    if (r >= 0 && r <= LastRow) {
        row(r) = box;
        focus_row_ = r;
        parked_line_ = -1;
    } else {
        // The box in focus_row keeps the keyboard; it shows another line meanwhile.
        parked_line_ = line;
        parked_box_ = box;
    }
}

void TapeView::BringFocusIntoView() {
    if (parked_line_ < 0) return;
    const int line = std::min(parked_line_, tape_.UpperBound());
    const Row box = parked_box_;
    // As a rule the line comes back into the row that kept the keyboard.
    TopLine = std::clamp(line - focus_row_, 0, std::max(tape_.UpperBound() - LastRow, 0));
    ShowTapeKeepingFocus(line, box);
    UpdateScroller();
}

void ScrollIntoView(TapeView& view, int line) {
    const int top_line = view.top_line();
    const int top = std::clamp(top_line, std::max(line - view.last_row(), 0), std::max(line, 0));
    if (top == top_line) return;
    view.SetTopLine(top);
    view.ShowTape();
    view.UpdateScroller();
}

void TapeView::UpdateScroller() {
    scroll_.max = std::max(tape_.UpperBound() - LastRow, 0);
    scroll_.value = std::min(TopLine, scroll_.max);
}

void TapeView::FocusArrives(int row) {
    focus_row_ = row;
    parked_line_ = -1;
    // The row shows the draft it kept, now being keyed again.
    if (TopLine + row == draft_line_) draft_line_ = -1;
}

}  // namespace tallymar
