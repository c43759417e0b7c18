// The voice callback: reading the tape back from the cursor in the callback voice,
// the cursor walking down with the reading.
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

constexpr const char* kCursorMessage =
    R"(msg "Tallymar" "To hear a callback of the tape, put the cursor at the beginning of the section you want to be called." ok -> ok)";

struct ReadingCase {
    const char* keys;  // keyed with no decimal places, then the cursor goes to row 3
    Events events;
};

class ReadingEachKind : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ReadingEachKind, says_each_kind_of_line_in_its_own_order) {
    Machine m(StartUp().Decimals(0).CallbackVoice("Pippa"));
    m.Keys(GetParam().keys);
    m.Keys("{Click 3}");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), GetParam().events);
    EXPECT_FALSE(m.calc.callback_running());
}

INSTANTIATE_TEST_SUITE_P(
    Pippa, ReadingEachKind,
    ::testing::Values(
        // "+" and "-" lines: operator first; a total after them: the total word first.
        ReadingCase{"25+3-{Enter}", Plays({"t+.wav", "t2.wav", "t5.wav", "tm.wav", "t3.wav",
                                           "tz.wav", "t2.wav", "t2.wav", "tn.wav"})},
        // A product: numbers first, and the total after "=" is its number alone.
        ReadingCase{"12*3{Enter}", Plays({"t1.wav", "t2.wav", "tt.wav", "t3.wav", "te.wav",
                                          "t3.wav", "t6.wav", "tn.wav"})},
        ReadingCase{"8/2{Enter}",
                    Plays({"t8.wav", "td.wav", "t2.wav", "te.wav", "t4.wav", "tn.wav"})},
        ReadingCase{"200*15%", Plays({"t2.wav", "t0.wav", "t0.wav", "tt.wav", "t1.wav", "t5.wav",
                                      "tq.wav", "tz.wav", "t3.wav", "t0.wav", "tn.wav"})},
        // A subtotal: its number alone, no rule after it.
        ReadingCase{"5+3+{S-Enter}", Plays({"t+.wav", "t5.wav", "t+.wav", "t3.wav", "t8.wav"})},
        // A comment is passed silently and the reading goes on below it.
        ReadingCase{"5+rent{Enter}3+", Plays({"t+.wav", "t5.wav", "t+.wav", "t3.wav"})},
        ReadingCase{"7-{Enter}",
                    Plays({"tm.wav", "t7.wav", "tz.wav", "tm.wav", "t7.wav", "tn.wav"})}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ReadingBack, moves_the_cursor_down_with_each_line_read) {
    Machine m(StartUp().Decimals(0).CallbackVoice("Pippa"));
    m.Keys("25+3-{Enter}{Click 3}{Callback}");
    EXPECT_EQ(m.calc.focus_row(), 7);
    EXPECT_EQ(m.calc.cur_line(), 7);
}

TEST(ReadingBack, passes_a_comment_silently_and_reads_on_from_the_next_row) {
    Machine m(StartUp().Decimals(0).CallbackVoice("Pippa"));
    m.Keys("5+rent{Enter}3+4+{Click 3}{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"t+.wav", "t5.wav", "t+.wav", "t3.wav", "t+.wav", "t4.wav"}));
    EXPECT_EQ(m.calc.focus_row(), 7);
}

TEST(ReadingBack, leaves_out_a_point_that_ends_the_shown_amount) {
    Machine m(StartUp().Decimals(16).CallbackVoice("Pippa"));
    m.Keys("12+{Click 3}");
    ASSERT_EQ(m.RowAt(3).text, "12.");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"t+.wav", "t1.wav", "t2.wav"}));
}

TEST(ReadingBack, reads_points_and_thousands_as_shown_with_the_separator_silent) {
    Machine m(StartUp().CallbackVoice("Rusty"));
    m.Keys("1234.5+{Click 3}");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"b+.wav", "b1.wav", "b2.wav", "b3.wav", "b4.wav", "bp.wav",
                                     "b5.wav", "b0.wav"}));
}

struct RuleCase {
    const char* voice;
    const char* file;
};

class RuleLines : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleLines, are_read_as_the_rule_word_of_the_voice) {
    Machine m(StartUp().CallbackVoice(GetParam().voice));
    m.Keys("{Click 2}{Callback}");
    EXPECT_EQ(m.TakeEvents(), (Events{std::string("play ") + GetParam().file}));
}

INSTANTIATE_TEST_SUITE_P(Voices, RuleLines,
                         ::testing::Values(RuleCase{"Grunk", "an.wav"}, RuleCase{"Rusty", "bn.wav"},
                                           RuleCase{"Vesna", "on.wav"}, RuleCase{"Murph", "pn.wav"},
                                           RuleCase{"Dermot", "sn.wav"},
                                           RuleCase{"Pippa", "tn.wav"}),
                         [](const auto& info) { return std::string(info.param.voice); });

TEST(ReadingBack, follows_the_bottom_row_while_the_tape_scrolls_under_it) {
    Machine m(StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"));
    m.Keys("1+2+3+4+5+6+7+8+9+{Home}");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(),
              Plays({"tn.wav", "tz.wav", "t0.wav", "tn.wav", "t+.wav", "t1.wav", "t+.wav", "t2.wav",
                     "t+.wav", "t3.wav", "t+.wav", "t4.wav", "t+.wav", "t5.wav", "t+.wav", "t6.wav",
                     "t+.wav", "t7.wav", "t+.wav", "t8.wav", "t+.wav", "t9.wav"}));
    EXPECT_EQ(m.calc.top_line(), 7);
}

TEST(ReadingBack, ends_at_a_comment_that_reaches_the_bottom_row) {
    Machine m(StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"));
    m.Keys("1+2+3+4+5+6+rent{Enter}7+8+{Home}{Down}{Down}{Down}");
    ASSERT_EQ(m.calc.cur_line(), 3);
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"t+.wav", "t1.wav", "t+.wav", "t2.wav", "t+.wav", "t3.wav",
                                     "t+.wav", "t4.wav", "t+.wav", "t5.wav", "t+.wav", "t6.wav"}));
    EXPECT_EQ(m.calc.top_line(), 4);
}

TEST(CursorMessage, shows_when_the_cursor_is_on_the_last_line_of_an_unscrolled_tape) {
    Machine m(StartUp().CallbackVoice("Pippa"));
    m.Keys("5+{Callback}");
    EXPECT_EQ(m.TakeEvents(), (Events{kCursorMessage}));
    EXPECT_FALSE(m.calc.callback_running());
}

TEST(CursorMessage, is_not_shown_on_the_last_line_of_a_scrolled_tape) {
    Machine m(StartUp().Rows(6).CallbackVoice("Pippa"));
    m.Keys("1+2+3+4+5+6+7+8+9+");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_TRUE(m.TakeEvents().empty());
    EXPECT_EQ(m.calc.top_line(), 7);
}

class NoCallbackVoice : public ::testing::TestWithParam<const char*> {};

TEST_P(NoCallbackVoice, opens_the_sounds_dialog_twice_and_reads_nothing) {
    Machine m(StartUp().CallbackVoice(GetParam()));
    m.Keys("5+3+{Click 3}{Callback}");
    EXPECT_EQ(m.TakeEvents(), (Events{R"(dialog "Sound")", R"(dialog "Sound")"}));
    EXPECT_FALSE(m.calc.callback_running());
    EXPECT_FALSE(m.calc.callback_retry());
    EXPECT_EQ(m.calc.focus_row(), 3);
}

INSTANTIATE_TEST_SUITE_P(EmptyOrNone, NoCallbackVoice, ::testing::Values("", "None"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(UnknownCallbackVoice, reads_nothing_and_opens_no_dialog) {
    Machine m(StartUp().CallbackVoice("pippa"));
    m.Keys("5+3+{Click 3}{Callback}");
    EXPECT_TRUE(m.TakeEvents().empty());
    EXPECT_EQ(m.calc.focus_row(), 3);
}

TEST(CallbackVoice, is_independent_of_the_input_voice) {
    Machine m(StartUp().Decimals(0).Voice("Grunk").CallbackVoice("Vesna"));
    m.Keys("4+{Click 3}");
    m.TakeEvents();
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"o+.wav", "o4.wav"}));
}

TEST(AltKey, answered_no_stops_the_reading_after_the_line_in_progress) {
    Machine m(StartUp().CallbackVoice("Rusty"));
    m.Keys("1+2+3+{Click 3}");
    m.TakeEvents();
    m.WhilePumping([&] { m.Keys("{Answer no}{Alt}"); });
    m.Keys("{Callback}");
    Events expected = Plays({"b+.wav", "b1.wav", "bp.wav", "b0.wav", "b0.wav"});
    expected.push_back(
        R"(msg "Tallymar" "Pressing the ALT key halts the voice callback. Do you wish to continue?" yesno -> no)");
    EXPECT_EQ(m.TakeEvents(), expected);
    EXPECT_EQ(m.calc.focus_row(), 4);  // the cursor stays where the reading stopped
    EXPECT_FALSE(m.calc.callback_running());
}

TEST(AltKey, answered_yes_lets_the_reading_go_on) {
    Machine m(StartUp().CallbackVoice("Rusty"));
    m.Keys("1+2+{Click 3}");
    m.TakeEvents();
    m.WhilePumping([&] { m.Keys("{Answer yes}{Alt}"); });
    m.Keys("{Callback}");
    Events events = m.TakeEvents();
    ASSERT_GE(events.size(), 8u);
    EXPECT_EQ(events[6], "play b+.wav");
    EXPECT_EQ(events[7], "play b2.wav");
}

TEST(CallbackButton, clicked_during_a_reading_stops_it) {
    Machine m(StartUp().CallbackVoice("Rusty"));
    m.Keys("1+2+{Click 3}");
    m.TakeEvents();
    m.WhilePumping([&] { m.Keys("{Callback}"); });
    m.Keys("{Callback}");
    EXPECT_EQ(m.TakeEvents(), Plays({"b+.wav", "b1.wav", "bp.wav", "b0.wav", "b0.wav"}));
}

}  // namespace
}  // namespace tallymar::testing
