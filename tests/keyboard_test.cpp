// Keys typed into the rows of the tape window: digits, comments, moving over the
// tape, Shift selection, the guarded keys and the refusal to edit totals.
#include <cstdio>
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

using Events = std::vector<std::string>;

// Nine amounts in a window of six rows: lines 0 to 12, line 12 the open line,
// TopLine 7 and the focus in the bottom row.
constexpr const char* kNineAmounts = "1+2+3+4+5+6+7+8+9+";

std::string Padded(const std::string& text) {
    return text + std::string(17 - text.size(), ' ');
}

TEST(Digits, collect_in_the_row_and_leave_the_line_open_until_an_operator) {
    Machine m;
    m.Keys("12.5");
    EXPECT_EQ(m.RowAt(3).text, "12.5");
    EXPECT_EQ(m.Ops(), "HTHB");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
    EXPECT_TRUE(m.calc.tape_changed());
    m.Keys("+");
    EXPECT_DOUBLE_EQ(m.Amount(3), 12.5);
    EXPECT_EQ(m.Ops(), "HTH+B");
}

TEST(Digits, backspace_takes_back_the_last_digit) {
    Machine m;
    m.Keys("125{Bksp}+");
    EXPECT_DOUBLE_EQ(m.Amount(3), 12);
}

TEST(Digits, one_thousands_separator_keeps_a_number_but_a_second_makes_a_comment) {
    Machine m;
    m.Keys("1,234+");
    EXPECT_DOUBLE_EQ(m.Amount(3), 1234);
    m.Keys("1,234,");
    EXPECT_EQ(m.Ops(), "HTH+C");
}

TEST(Comments, typing_a_letter_turns_the_open_line_into_a_comment) {
    Machine m;
    m.Keys("5+a");
    EXPECT_EQ(m.Ops(), "HTH+C");
    EXPECT_EQ(m.RowAt(4).text, "a");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
}

TEST(Comments, a_second_decimal_point_turns_the_entry_into_a_comment_that_enter_stores) {
    Machine m;
    m.Keys("12.5");
    EXPECT_EQ(m.Ops(), "HTHB");
    m.Keys(".");
    EXPECT_EQ(m.Ops(), "HTHC");
    m.Keys("3{Enter}");
    EXPECT_EQ(m.Ops(), "HTHCB");
    EXPECT_EQ(EntryText(m.calc.tape()[3]), Padded("12.5.3"));
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_EQ(m.calc.cur_line(), 4);
    EXPECT_EQ(m.RowAt(4).text, "");
}

TEST(Comments, a_comment_between_amounts_takes_no_part_in_the_total) {
    Machine m;
    m.Keys("5+rent{Enter}3+{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+C+THB");
    EXPECT_EQ(m.calc.ShownText(6), "8.00");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 0);
}

class NewCommentLeftDownward : public ::testing::TestWithParam<const char*> {};

TEST_P(NewCommentLeftDownward, is_stored_with_an_open_line_after_it) {
    Machine m;
    m.Keys(std::string("5+rent") + GetParam());
    EXPECT_EQ(m.Ops(), "HTH+CB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), Padded("rent"));
    EXPECT_EQ(m.calc.focus_row(), 5);
    m.Keys("3+{Enter}");
    EXPECT_EQ(m.calc.ShownText(6), "8.00");
}

INSTANTIATE_TEST_SUITE_P(Keys, NewCommentLeftDownward,
                         ::testing::Values("{Down}", "{PgDn}", "{End}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

struct CommentLeftCase {
    const char* keys;
    const char* ops;
    int comment_line;
    const char* entry;
    int focus_line;
};

class NewCommentLeftWithAClick : public ::testing::TestWithParam<CommentLeftCase> {};

TEST_P(NewCommentLeftWithAClick, keeps_its_text_and_is_followed_by_an_open_line) {
    const CommentLeftCase& c = GetParam();
    Machine m;
    m.Keys(c.keys);
    EXPECT_EQ(m.Ops(), c.ops);
    EXPECT_EQ(EntryText(m.calc.tape()[c.comment_line]), Padded(c.entry));
    EXPECT_EQ(m.calc.top_line() + m.calc.focus_row(), c.focus_line);
    EXPECT_FALSE(m.calc.edit_mode());
    // The tape goes on from its open line.
    m.Keys("{End}7+");
    EXPECT_EQ(m.calc.tape()[m.calc.UpperBound() - 1].Op, '+');
    EXPECT_DOUBLE_EQ(m.Amount(m.calc.UpperBound() - 1), 7);
    EXPECT_TRUE(m.TakeEvents().empty());  // no beep, the 7 is kept
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, NewCommentLeftWithAClick,
    ::testing::Values(CommentLeftCase{"abc{Click 1}", "HTHCB", 3, "abc", 1},
                      CommentLeftCase{"5+rent{Click 3}", "HTH+CB", 4, "rent", 3},
                      // An earlier comment visited and left by a click ends its editing,
                      // so the next new comment is a new one.
                      CommentLeftCase{"abc{Enter}5+{Click 3}{Click 5}xyz{Enter}", "HTHC+CB", 5,
                                      "xyz", 6},
                      CommentLeftCase{"abc{Enter}{Click 3}abd{Click 4}", "HTHCB", 3, "abd", 4}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Comments, hold_fifteen_characters_and_refuse_more_with_a_beep) {
    Machine m;
    m.Keys("abcdefghijklmno");
    EXPECT_TRUE(m.TakeEvents().empty());
    m.Keys("pq");
    EXPECT_EQ(m.TakeEvents(), (Events{"beep", "beep"}));
    EXPECT_EQ(m.RowAt(3).text, "abcdefghijklmno");
    m.Keys("{Enter}");
    EXPECT_EQ(EntryText(m.calc.tape()[3]), Padded("abcdefghijklmno"));
}

TEST(Comments, erased_back_to_nothing_let_the_line_take_an_amount_again) {
    Machine m;
    m.Keys("ab{Bksp}{Bksp}");
    EXPECT_EQ(m.RowAt(3).text, "");
    m.Keys("5+");
    EXPECT_EQ(m.Ops(), "HTH+B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
}

TEST(Comments, moving_onto_a_comment_shows_its_text_without_the_padding_all_selected) {
    Machine m;
    m.Keys("rent{Enter}{Up}");
    EXPECT_EQ(m.calc.focus_row(), 3);
    const Row& row = m.RowAt(3);
    EXPECT_EQ(row.text, "rent");
    EXPECT_EQ(row.sel_start, 0);
    EXPECT_EQ(row.sel_length, 4);
    EXPECT_TRUE(m.calc.edit_mode());
}

TEST(Comments, an_edited_comment_is_stored_by_enter_without_adding_a_line) {
    Machine m;
    m.Keys("rent{Enter}{Up}food{Enter}");
    EXPECT_EQ(m.Ops(), "HTHCB");
    EXPECT_EQ(EntryText(m.calc.tape()[3]), Padded("food"));
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_FALSE(m.calc.edit_mode());
}

TEST(Comments, an_edited_comment_left_with_up_is_stored_and_the_focus_goes_up) {
    Machine m;
    m.Keys("rent{Enter}food{Enter}{Up}x{Up}");
    EXPECT_EQ(m.Ops(), "HTHCCB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), Padded("x"));
    EXPECT_EQ(EntryText(m.calc.tape()[3]), Padded("rent"));
    EXPECT_EQ(m.calc.focus_row(), 3);
    EXPECT_EQ(m.RowAt(4).text.substr(0, 1), "x");
}

struct MoveCase {
    const char* keys;
    int top_line;
    int focus_row;
};

class MovingOverALongTape : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MovingOverALongTape, shows_the_right_lines_and_changes_none_of_them) {
    const MoveCase& c = GetParam();
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    const std::string ops = m.Ops();
    m.Keys(c.keys);
    EXPECT_EQ(m.calc.top_line(), c.top_line);
    EXPECT_EQ(m.calc.focus_row(), c.focus_row);
    EXPECT_EQ(m.calc.cur_line(), c.top_line + c.focus_row);
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).text, m.calc.ShownText(c.top_line + r)) << "row " << r;
    }
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 45);
    EXPECT_TRUE(m.TakeEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MovingOverALongTape,
    ::testing::Values(MoveCase{"", 7, 5}, MoveCase{"{PgUp}", 2, 0}, MoveCase{"{PgUp}{PgUp}", 0, 0},
                      MoveCase{"{Home}", 0, 0}, MoveCase{"{Home}{PgDn}", 5, 5},
                      MoveCase{"{Home}{End}", 7, 5}, MoveCase{"{Up}", 7, 4},
                      MoveCase{"{Up}{Up}{Up}{Up}{Up}{Up}", 6, 0}, MoveCase{"{PgUp}{Up}", 1, 0},
                      MoveCase{"{Home}{Up}", 0, 0}, MoveCase{"{Home}{Down}", 0, 1},
                      MoveCase{"{Home}{Down}{Down}{Down}{Down}{Down}{Down}", 1, 5},
                      MoveCase{"{End}{Down}", 7, 5}, MoveCase{"{PgUp}{End}", 7, 5}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Moving, onto_an_amount_selects_its_whole_text_so_a_new_amount_replaces_it) {
    Machine m;
    m.Keys("25+3+{Up}");
    EXPECT_EQ(m.calc.focus_row(), 4);
    EXPECT_EQ(m.RowAt(4).sel_start, 0);
    EXPECT_EQ(m.RowAt(4).sel_length, 4);
    m.Keys("{Up}7+");
    EXPECT_DOUBLE_EQ(m.Amount(3), 7);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 10);
}

TEST(Selecting, shift_down_twice_selects_two_lines_and_leaves_the_focus_on_the_third) {
    Machine m;
    m.Keys("1+2+3+4+{Click 3}{S-Down}{S-Down}");
    EXPECT_TRUE(m.calc.selecting());
    EXPECT_EQ(m.calc.sel_start_line(), 3);
    EXPECT_EQ(m.calc.sel_end_line(), 4);
    EXPECT_EQ(m.calc.focus_row(), 5);
    EXPECT_EQ(m.RowAt(5).sel_start, 0);  // while selecting, the caret sits at the start
    EXPECT_EQ(m.RowAt(5).sel_length, 0);
}

TEST(Selecting, the_first_shift_up_marks_the_line_and_each_further_one_extends_upward) {
    Machine m;
    m.Keys("1+2+3+4+{Click 5}{S-Up}");
    EXPECT_EQ(m.calc.sel_start_line(), 5);
    EXPECT_EQ(m.calc.sel_end_line(), 5);
    EXPECT_EQ(m.calc.focus_row(), 5);
    m.Keys("{S-Up}{S-Up}");
    EXPECT_EQ(m.calc.sel_start_line(), 5);
    EXPECT_EQ(m.calc.sel_end_line(), 3);
    EXPECT_EQ(m.calc.focus_row(), 3);
}

TEST(Selecting, shift_up_at_the_top_of_the_tape_keeps_the_selection_on_line_zero) {
    Machine m;
    m.Keys("1+{Home}{S-Up}{S-Up}");
    EXPECT_EQ(m.calc.sel_start_line(), 0);
    EXPECT_EQ(m.calc.sel_end_line(), 0);
    EXPECT_EQ(m.calc.focus_row(), 0);
}

TEST(Selecting, an_unshifted_key_ends_the_selection_and_removes_the_highlight) {
    Machine m;
    m.Keys("1+2+3+4+{Click 3}{S-Down}{S-Down}{Down}");
    EXPECT_FALSE(m.calc.selecting());
    EXPECT_FALSE(m.calc.selection_shown());
    for (int r = 0; r <= m.calc.last_row(); ++r) {
        EXPECT_EQ(m.RowAt(r).back, 16777215u) << "row " << r;
    }
}

TEST(Selecting, ctrl_c_puts_the_selected_lines_on_the_clipboard) {
    Machine m;
    m.Keys("5+7-{Click 3}{S-Down}{S-Down}{C-c}");
    EXPECT_EQ(m.TakeEvents(), (Events{R"(clipboard "\r\n5.00+\r\n7.00-")"}));
}

TEST(GuardedKeys, num_lock_tells_the_user_to_keep_it_on_and_typing_goes_on) {
    Machine m;
    m.Keys("12{NumLock}3");
    EXPECT_EQ(m.TakeEvents(),
              (Events{"msg \"Tallymar\" \"The Num Lock key was pressed.  The Tallymar requires the "
                      "Num Lock to be on at all times.\\nIf it is off, please press the OK below "
                      "and then press the Num Lock key to turn it on.\" ok -> ok"}));
    EXPECT_EQ(m.RowAt(3).text, "123");
}

class TabKey : public ::testing::TestWithParam<const char*> {};

// Tab goes into the row's text as Backspace does: it types nothing and moves nothing.
TEST_P(TabKey, is_a_key_of_the_row_that_keeps_the_amount_and_the_focus) {
    Machine m;
    m.Keys(std::string("9") + GetParam());
    EXPECT_EQ(m.RowAt(3).text, "9");
    EXPECT_EQ(m.calc.focus_row(), 3);
    m.Keys("+");
    EXPECT_EQ(m.Ops(), "HTH+B");
    EXPECT_DOUBLE_EQ(m.Amount(3), 9);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 9);
    EXPECT_EQ(m.calc.ShownText(1), "0.00");  // the total above is left alone
}

INSTANTIATE_TEST_SUITE_P(TabAndShiftTab, TabKey,
                         ::testing::Values("{Tab}", "{S-Tab}", "{Tab}{Tab}{S-Tab}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TabKey, inside_a_comment_types_nothing) {
    Machine m;
    m.Keys("ab{Tab}c{Enter}");
    EXPECT_EQ(EntryText(m.calc.tape()[3]), Padded("abc"));
}

TEST(GuardedKeys, ctrl_v_beeps_and_pastes_nothing) {
    Machine m;
    m.Keys("12{C-v}");
    EXPECT_EQ(m.TakeEvents(), (Events{"beep"}));
    EXPECT_EQ(m.RowAt(3).text, "12");
}

struct LockedCase {
    const char* keys;
    int row;
};

class LockedRows : public ::testing::TestWithParam<LockedCase> {};

TEST_P(LockedRows, refuse_a_key_with_a_message_and_keep_the_line) {
    const LockedCase& c = GetParam();
    Machine m;
    m.Keys(c.keys);
    const std::string ops = m.Ops();
    const double amount = m.Amount(c.row);
    const double accumulator = m.calc.accumulator();
    m.Keys("{Click " + std::to_string(c.row) + "}");
    m.TakeEvents();
    m.Keys("7");
    EXPECT_EQ(
        m.TakeEvents(),
        (Events{R"(msg "Tallymar" "The Tallymar will not allow you to edit a total." ok -> ok)"}));
    EXPECT_EQ(m.Ops(), ops);
    EXPECT_DOUBLE_EQ(m.Amount(c.row), amount);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), accumulator);
    EXPECT_EQ(m.RowAt(c.row).text, m.calc.ShownText(c.row));
}

INSTANTIATE_TEST_SUITE_P(TotalsRulesAndSums, LockedRows,
                         ::testing::Values(LockedCase{"", 1}, LockedCase{"", 2},
                                           LockedCase{"5+3+{Enter}", 5},
                                           LockedCase{"5+3+{Enter}", 6},
                                           LockedCase{"5+3+{S-Enter}", 5}, LockedCase{"10+4*", 4}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class KeyDowns : public ::testing::TestWithParam<const char*> {};

TEST_P(KeyDowns, mark_the_tape_as_changed) {
    Machine m;
    ASSERT_FALSE(m.calc.tape_changed());
    m.Keys(GetParam());
    EXPECT_TRUE(m.calc.tape_changed());
}

INSTANTIATE_TEST_SUITE_P(NavigationAndGuardedKeys, KeyDowns,
                         ::testing::Values("{Up}", "{Down}", "{Home}", "{End}", "{PgUp}", "{PgDn}",
                                           "{NumLock}", "{C-v}", "{C-c}", "{S-Up}", "{S-Down}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class ModifierKeysAlone : public ::testing::TestWithParam<const char*> {};

// Shift, Ctrl and Alt come before every shortcut, Shift+click and Shift+arrow.
TEST_P(ModifierKeysAlone, leave_the_tape_unchanged) {
    Machine m;
    m.Keys(GetParam());
    EXPECT_FALSE(m.calc.tape_changed());
    EXPECT_EQ(m.Ops(), "HTHB");
    EXPECT_TRUE(m.TakeEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(ShiftCtrlAlt, ModifierKeysAlone,
                         ::testing::Values("{Shift}", "{Ctrl}", "{Alt}", "{Ctrl}{Alt}{Shift}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ModifierKeysAlone, after_saving_leave_nothing_to_save) {
    const std::string path = ::testing::TempDir() + "modifier_keys.add";
    Machine m;
    m.Keys("5+{Save " + path + "}");
    ASSERT_FALSE(m.calc.tape_changed());
    m.Keys("{Ctrl}{Alt}{Shift}");
    EXPECT_FALSE(m.calc.tape_changed());
    m.Keys("{Up}");  // a navigation key still counts as a change
    EXPECT_TRUE(m.calc.tape_changed());
    std::remove(path.c_str());
}

TEST(ModifierKeysAlone, pressed_again_keep_a_selection_being_made) {
    Machine m;
    m.Keys("1+2+3+{Click 3}{S-Down}{Shift}{S-Down}");
    EXPECT_TRUE(m.calc.selecting());
    EXPECT_EQ(m.calc.sel_start_line(), 3);
    EXPECT_EQ(m.calc.sel_end_line(), 4);
}

class TotalKeyAwayFromTheOpenLine : public ::testing::TestWithParam<const char*> {};

TEST_P(TotalKeyAwayFromTheOpenLine, strikes_nothing_and_sends_the_focus_to_the_last_row) {
    Machine m;
    m.Keys("5+3+");
    m.Keys(GetParam());
    EXPECT_EQ(m.Ops(), "HTH++B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 8);
    EXPECT_EQ(m.calc.focus_row(), m.calc.last_row());
    EXPECT_TRUE(m.TakeEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(EnterAndEquals, TotalKeyAwayFromTheOpenLine,
                         ::testing::Values("{Click 3}{Enter}", "{Click 4}=", "{Click 3}{S-Enter}"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(TotalKey, in_the_last_row_of_a_tape_scrolled_back_strikes_nothing) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Scroll 2}{Click 5}{Enter}");
    EXPECT_EQ(m.Ops(), "HTH+++++++++B");
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 45);
}

}  // namespace
}  // namespace tallymar::testing
