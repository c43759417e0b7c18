// The voice callback: reading the tape back from the cursor in the callback voice,
// the cursor walking down with the reading.
#include "machine.h"

namespace tallymar::testing {
namespace {

const std::string kCursorMessage =
    R"(msg "Tallymar" "To hear a callback of the tape, put the cursor at the beginning of the section you want to be called." ok -> ok)";

// Keys, then the callback from where they left the cursor: what is heard and
// where the cursor ends (line/row/top).
TEST(ReadingBack, says_each_kind_of_line_in_its_own_order_and_walks_the_cursor_down) {
    const struct {
        StartUp setup;
        const char* keys;
        const char* heard;
        const char* cursor;
    // clang-format off
    } cases[] = {
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "25+3-{Enter}{Click 3}", "t+ t2 t5 tm t3 tz t2 t2 tn", "7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "12*3{Enter}{Click 3}", "t1 t2 tt t3 te t3 t6 tn", "7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "8/2{Enter}{Click 3}", "t8 td t2 te t4 tn", "7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "200*15%{Click 3}", "t2 t0 t0 tt t1 t5 tq tz t3 t0 tn", "7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "5+3+{S-Enter}{Click 3}", "t+ t5 t+ t3 t8", "6/6/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "5+rent{Enter}3+4+{Click 3}", "t+ t5 t+ t3 t+ t4", "7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "7-{Enter}{Click 3}", "tm t7 tz tm t7 tn", "6/6/0"},
        {StartUp().Decimals(16).CallbackVoice("Pippa"), "12+{Click 3}", "t+ t1 t2", "4/4/0"},
        {StartUp().CallbackVoice("Rusty"), "1234.5+{Click 3}", "b+ b1 b2 b3 b4 bp b5 b0", "4/4/0"},
        {StartUp().CallbackVoice("Dermot"), "{Click 2}", "sn", "3/3/0"},
        {StartUp().Decimals(0).Voice("Grunk").CallbackVoice("Vesna"), "4+{Click 3}", "o+ o4", "4/4/0"},
        {StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"), "1+2+3+4+5+6+7+8+9+{Home}", "tn tz t0 tn t+ t1 t+ t2 t+ t3 t+ t4 t+ t5 t+ t6 t+ t7 t+ t8 t+ t9", "12/5/7"},
        {StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"), "1+2+3+4+5+6+rent{Enter}7+8+{Home}{Down}{Down}{Down}", "t+ t1 t+ t2 t+ t3 t+ t4 t+ t5 t+ t6", "9/5/4"},
        {StartUp().CallbackVoice("Pippa"), "5+", kCursorMessage.c_str(), "4/4/0"},
        {StartUp().Rows(6).CallbackVoice("Pippa"), kNineAmounts, "", "12/5/7"},
        {StartUp().CallbackVoice(""), "5+3+{Click 3}", R"(dialog "Sound" dialog "Sound")", "3/3/0"},
        {StartUp().CallbackVoice("None"), "5+3+{Click 3}", R"(dialog "Sound" dialog "Sound")", "3/3/0"},
        {StartUp().CallbackVoice("pippa"), "5+3+{Click 3}", "", "3/3/0"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m(c.setup);
        m.Keys(c.keys);
        m.TakeEvents();
        m.Keys("{Callback}");
        EXPECT_EQ(m.Heard(), c.heard) << c.keys;
        EXPECT_EQ(std::to_string(m.calc.cur_line()) + "/" + std::to_string(m.calc.focus_row()) +
                      "/" + std::to_string(m.calc.top_line()),
                  c.cursor)
            << c.keys;
        EXPECT_FALSE(m.calc.callback_running());
        EXPECT_FALSE(m.calc.callback_retry());
    }
}

// A key pressed while the callback reads, then what is heard and where the cursor stops.
TEST(ReadingBack, stops_for_the_callback_button_or_a_no_to_the_alt_question) {
    const struct {
        const char* keys_meanwhile;
        const char* heard;
        int focus_row;
    // clang-format off
    } cases[] = {
        {"{Answer no}{Alt}", "b+ b1 bp b0 b0 msg \"Tallymar\" \"Pressing the ALT key halts the voice callback. Do you wish to continue?\" yesno -> no", 4},
        {"{Answer yes}{Alt}", "b+ b1 bp b0 b0 msg \"Tallymar\" \"Pressing the ALT key halts the voice callback. Do you wish to continue?\" yesno -> yes b+ b2 bp b0 b0 b+ b3 bp b0 b0", 6},
        {"{Callback}", "b+ b1 bp b0 b0", 4},
    };
    // clang-format on
    for (const auto& c : cases) {
        Machine m(StartUp().CallbackVoice("Rusty"));
        m.Keys("1+2+3+{Click 3}");
        m.TakeEvents();
        m.WhilePumping([&] { m.Keys(c.keys_meanwhile); });
        m.Keys("{Callback}");
        EXPECT_EQ(m.Heard(), c.heard) << c.keys_meanwhile;
        EXPECT_EQ(m.calc.focus_row(), c.focus_row) << c.keys_meanwhile;
        EXPECT_FALSE(m.calc.callback_running());
    }
}

}  // namespace
}  // namespace tallymar::testing
