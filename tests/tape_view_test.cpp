// The tape window's model on its own: a tape of numbered amounts shown in a window
// of a few rows, scrolled, resized, with a focus row kept on its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/tape_view.h"

namespace tallymar::testing {
namespace {

// Line i holds the amount i with a "+" (no decimals), so a row's text names its line;
// the last line is the open line.
class TapeViewTest : public ::testing::Test {
  protected:
    void Load(int lines, int max_row) {
        std::vector<TapeLine> tape(static_cast<std::size_t>(lines));
        for (int i = 0; i + 1 < lines; ++i) {
            tape[static_cast<std::size_t>(i)].Op = '+';
            tape[static_cast<std::size_t>(i)].Amount = i;
        }
        tape_.Reset(tape);
        view_.Fit(max_row);
    }
    // The texts of the rows, top to bottom, as "5 6 7".
    std::string Shown() const {
        std::string text;
        for (const Row& row : view_.rows()) text += (text.empty() ? "" : " ") + row.text;
        return text;
    }

    Tape tape_;
    Colours colours_;
    NumberSymbols symbols_;
    TapeView view_{tape_, colours_, symbols_};
};

TEST_F(TapeViewTest, a_window_has_as_many_rows_as_fit_but_none_without_a_line) {
    Load(40, 10);
    EXPECT_EQ(view_.last_row(), 9);
    view_.Fit(100);
    EXPECT_EQ(view_.last_row(), 39);
    EXPECT_EQ(view_.max_row(), 100);
    view_.Fit(3);
    EXPECT_EQ(view_.rows().size(), 3u);
}

TEST_F(TapeViewTest, rows_show_the_lines_from_the_top_line_down_and_the_scroll_bar_follows) {
    Load(40, 4);
    view_.SetTopLine(5);
    view_.ShowTape();
    EXPECT_EQ(Shown(), "5 6 7 8");
    view_.UpdateScroller();
    // At the scroll bar's end the last row shows the open line (line 39).
    EXPECT_EQ(view_.scroll_bar().max, 36);
    EXPECT_EQ(view_.scroll_bar().value, 5);

    ScrollIntoView(view_, 20);  // below: it comes into the last row
    EXPECT_EQ(view_.top_line(), 17);
    EXPECT_EQ(Shown(), "17 18 19 20");
    EXPECT_EQ(view_.scroll_bar().value, 17);
    ScrollIntoView(view_, 18);  // in view already: nothing moves
    EXPECT_EQ(view_.top_line(), 17);
    ScrollIntoView(view_, 2);  // above: it comes into the first row
    EXPECT_EQ(Shown(), "2 3 4 5");
}

TEST_F(TapeViewTest, the_focus_row_is_parked_with_what_was_keyed_while_its_line_is_away) {
    Load(40, 4);
    view_.SetTopLine(10);
    view_.FocusArrives(2);
    view_.ShowTape();
    EXPECT_EQ(view_.FocusLine(), 12);
    view_.row(2).SetText("99");  // keyed, not yet committed

    const int line = view_.FocusLine();
    const Row box = view_.FocusBox();
    view_.SetTopLine(30);
    view_.ShowTapeKeepingFocus(line, box);
    EXPECT_TRUE(view_.focus_parked());
    EXPECT_EQ(view_.FocusLine(), 12);
    EXPECT_EQ(view_.FocusBox().text, "99");
    EXPECT_EQ(Shown(), "30 31 32 33");  // the rows show the lines scrolled to

    // Back into the row that kept the keyboard, with what was keyed in it.
    view_.BringFocusIntoView();
    EXPECT_FALSE(view_.focus_parked());
    EXPECT_EQ(view_.top_line(), 10);
    EXPECT_EQ(Shown(), "10 11 99 13");
    EXPECT_EQ(view_.FocusLine(), 12);
}

TEST_F(TapeViewTest, removing_the_row_with_the_focus_takes_the_focus_away) {
    Load(40, 6);
    view_.FocusArrives(5);
    view_.SetLastRow(3);
    EXPECT_EQ(view_.focus_row(), -1);
    EXPECT_EQ(view_.FocusLine(), -1);
    EXPECT_EQ(view_.FocusBox().text, "");  // no row's, and none read past the rows
    view_.FocusArrives(1);
    view_.SetLastRow(2);
    EXPECT_EQ(view_.FocusLine(), 1);
}

TEST_F(TapeViewTest, selected_lines_are_highlighted_wherever_they_are_scrolled) {
    Load(40, 4);
    view_.selection().Begin(12);
    view_.selection().ExtendTo(10);  // made upwards
    EXPECT_EQ(view_.selection().range().first, 10);
    EXPECT_EQ(view_.selection().range().last, 12);
    view_.SetTopLine(9);
    view_.ShowTape();
    std::vector<bool> highlighted;
    for (const Row& row : view_.rows()) highlighted.push_back(row.back == kSelectionBack);
    EXPECT_EQ(highlighted, (std::vector<bool>{false, true, true, true}));

    // A plain key stops selecting: the highlight goes at the next drawing.
    view_.selection().StopSelecting();
    view_.ShowTape();
    for (const Row& row : view_.rows()) EXPECT_NE(row.back, kSelectionBack);
}

TEST_F(TapeViewTest, conversion_lines_are_counted_from_the_top_of_the_tape) {
    std::vector<TapeLine> lines(6);
    for (int i : {1, 2, 4}) lines[static_cast<std::size_t>(i)].Op = op::kConversion;
    EXPECT_EQ(ConversionsBefore(lines, 0), 0);
    EXPECT_EQ(ConversionsBefore(lines, 3), 2);
    EXPECT_EQ(ConversionsBefore(lines, 6), 3);
    EXPECT_EQ(ConversionsBefore(lines, 99), 3);  // past the end: the whole tape
}

}  // namespace
}  // namespace tallymar::testing
