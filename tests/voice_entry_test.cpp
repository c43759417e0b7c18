// What the machine says and plays: spoken entry and machine key sounds key by key,
// the voice callback reading the tape back with the cursor walking down, the Sounds
// dialog's model (the dialog itself is tried in tests/gui/gui_test.cpp), and
// what a screen reader says for each row of the tape window and for the total display.
#include <tuple>

#include "engine/sounds_form.h"
#include "engine/spoken_line.h"
#include "machine.h"

namespace tallymar::testing {
namespace {

TEST(SpokenEntry, says_each_key_then_each_total_as_shown_then_the_rule) {
    const std::tuple<StartUp, const char*, const char*> cases[] = {
        {StartUp().Voice("Grunk"), "90.5+1-2*3/", "a9 a0 ap a5 a+ a1 am a2 at a3 ad"},
        {StartUp().Voice("Rusty"), "a1.b2{Enter}", ""},
        {StartUp().Voice("Rusty"), "1{Voice Pippa}2", "b1 t2"},
        {StartUp().Voice("Grunk"), "1234.5+{Enter}",
         "a1 a2 a3 a4 ap a5 a+ ae a1 a2 a3 a4 ap a5 a0 an"},
        {StartUp().Voice("Grunk"), "8+{S-Enter}", "a8 a+ ae a8 ap a0 a0 an"},
        {StartUp().Voice("Grunk"), "7-{Enter}", "a7 am ae am a7 ap a0 a0 an"},
        {StartUp().Voice("Grunk"), "{Decimals 16}6+{Enter}", "a6 a+ ae a6 an"},
        {StartUp().Voice("Grunk"), "{Decimals 0}20*5%", "a2 a0 at a5 aq ae a1 an"},
        {StartUp().Voice("Rusty"), "5+3+{Enter}{Click 3}7+",
         "b5 b+ b3 b+ be b8 bp b0 b0 bn b7 b+ bz b1 b0 bp b0 b0 bn"},
        // A correction keyed with "*" under sums puts a product line in: the total
        // below is said once.
        {StartUp().Voice("Rusty"), "10+4+2+{Enter}{Click 5}{Bksp}2*",
         "b1 b0 b+ b4 b+ b2 b+ be b1 b6 bp b0 b0 bn b2 bt bz b1 b6 bp b0 b0 bn"},
        // A correction committed by its key in calculator mode is said once: leaving its
        // row commits nothing more.
        {StartUp().Voice("Pippa").CalcMode(), "{Home}{Insert}2-", "t2 tm tz t0 tp t0 t0 tn"},
        {StartUp().Voice("Rusty").MachineSound("Canon"), "{Decimals 0}5+{Enter}",
         "b5 b+ Canon1 be b5 bn Canon2"},
        {StartUp().MachineSound("Canon"), "5+3{Enter}1-2*3/{S-Enter}",
         "Canon1 Canon2 Canon1 Canon1 Canon1 Canon2"},
        {StartUp().Voice("None").MachineSound("Manual"), "5+{Enter}", "Manual Manual"},
        {StartUp().Voice("Pippa").MachineSound("Nobody"), "5+{Enter}", "t5 t+ te t5 tp t0 t0 tn"},
        {StartUp().Voice("None"), "12.5+3-4*2{Enter}6%{Enter}{S-Enter}", ""},
        {StartUp().Voice("rusty"), "12.5+3-{Enter}", ""},
        // A cleared tape speaks its zero total.
        {StartUp().Voice("Rusty"), "5+{Answer no}{Clear}",
         "b5 b+ msg \"Tallymar\" \"Do you want to save the changes you made to your existing tape "
         "?\\n\\n\" yesnocancel -> no be b0 bp b0 b0 bn"},
    };
    for (const auto& [setup, keys, heard] : cases) {
        Machine m(setup);
        m.Keys(keys);
        EXPECT_EQ(m.Heard(), heard) << keys;
    }
}

// The new tape's zero total is struck at start-up without a word or a sound.
TEST(SpokenEntry, starting_up_with_a_voice_and_a_machine_is_silent) {
    std::ostringstream out;
    cli::Recorder recorder(out);
    Calc calc{Ports{recorder, recorder, recorder}};
    Options options;
    options.CallInputCharacter = "Rusty";
    options.MachineSound = "Canon";
    calc.SetOptions(options);
    calc.Start(18);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(calc.tape().size(), 4u);
}

// Keys, then the callback from where they left the cursor: what is heard and
// @ where the cursor ends (line/row/top).
TEST(ReadingBack, says_each_kind_of_line_in_its_own_order_and_walks_the_cursor_down) {
    const std::tuple<StartUp, const char*, const char*> cases[] = {
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "25+3-{Enter}{Click 3}",
         "t+ t2 t5 tm t3 tz t2 t2 tn @7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "200*15%{Click 3}",
         "t2 t0 t0 tt t1 t5 tq tz t3 t0 tn @7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "5+3+{S-Enter}{Click 3}",
         "t+ t5 t+ t3 t8 @6/6/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "5+rent{Enter}3+4+{Click 3}",
         "t+ t5 t+ t3 t+ t4 @7/7/0"},
        {StartUp().Decimals(0).CallbackVoice("Pippa"), "7-{Enter}{Click 3}",
         "tm t7 tz tm t7 tn @6/6/0"},
        {StartUp().CallbackVoice("Rusty"), "1234.5+{Click 3}", "b+ b1 b2 b3 b4 bp b5 b0 @4/4/0"},
        {StartUp().CallbackVoice("Dermot"), "{Click 2}", "sn @3/3/0"},
        {StartUp().Decimals(0).Voice("Grunk").CallbackVoice("Vesna"), "4+{Click 3}",
         "o+ o4 @4/4/0"},
        // A comment in the bottom row, and the open line, are read once each.
        {StartUp().Rows(3).Decimals(0).CallbackVoice("Pippa"), "1+2+rent{Enter}3+{Up}{Up}{Up}{Up}",
         "t+ t1 t+ t2 t+ t3 @7/2/5"},
        {StartUp().Rows(3).Decimals(0).CalcMode().CallbackVoice("Grunk"), "5+3+{Up}{Up}",
         "a+ a5 a+ a3 a+ @5/2/3"},
        // The "=" line at row 0 of a scrolled tape.
        {StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"), "1+2+3+4+5+6+7+8+9+{Home}",
         "tn tz t0 tn t+ t1 t+ t2 t+ t3 t+ t4 t+ t5 t+ t6 t+ t7 t+ t8 t+ t9 @12/5/7"},
        {StartUp().Rows(6).Decimals(0).CallbackVoice("Pippa"),
         "1+2+3+4+5+6+rent{Enter}7+8+{Home}{Down}{Down}{Down}",
         "t+ t1 t+ t2 t+ t3 t+ t4 t+ t5 t+ t6 t+ t7 t+ t8 @12/5/7"},
        {StartUp().CallbackVoice("Pippa"), "5+",
         R"(msg "Tallymar" "To hear a callback of the tape, put the cursor at the beginning of the section you want to be called." ok -> ok @4/4/0)"},
        {StartUp().Rows(6).CallbackVoice("Pippa"), kNineAmounts,
         R"(msg "Tallymar" "To hear a callback of the tape, put the cursor at the beginning of the section you want to be called." ok -> ok @12/5/7)"},
        {StartUp().CallbackVoice("None"), "5+3+{Click 3}",
         R"(dialog "Sound" dialog "Sound" @3/3/0)"},
        {StartUp().CallbackVoice("pippa"), "5+3+{Click 3}", "@3/3/0"},
        // A conversion block: Grunk says the "=" its second line shows, and the figures.
        {StartUp().CallbackVoice("Grunk"), "{Convert foot|2|inches}{ShowConversion on}{Click 3}",
         "a2 ae a2 a4 an @8/8/0"},
    };
    for (const auto& [setup, keys, expected] : cases) {
        Machine m(setup);
        m.Keys(keys);
        m.TakeEvents();
        m.Keys("{Callback}");
        const std::string heard = m.Heard();
        EXPECT_EQ(heard + (heard.empty() ? "@" : " @") + std::to_string(m.calc.cur_line()) + "/" +
                      std::to_string(m.calc.view().focus_row()) + "/" +
                      std::to_string(m.calc.view().top_line()),
                  expected)
            << keys;
        EXPECT_FALSE(m.calc.voice_callback().running());
    }
}

// Opening selects each frame's option from its setting and writes the settings back
// (an empty voice becomes "None"); each Test button plays the selected option's sample.
TEST(SoundsForm, opening_selects_the_settings_and_test_plays_the_selected_samples) {
    const SoundChoice kFrames[] = {SoundChoice::kMachine, SoundChoice::kInputVoice,
                                   SoundChoice::kCallbackVoice};
    const std::pair<StartUp, const char*> cases[] = {
        {StartUp().MachineSound("Manual").Voice("Vesna").CallbackVoice("Vesna"),
         "Hand driven,Vesna,Vesna, Manual,Vesna,Vesna | Manual o_welcome o_spank"},
        {StartUp().MachineSound("Canon").Voice("Dermot").CallbackVoice("Grunk"),
         "Canon,Dermot,Grunk, Canon,Dermot,Grunk | Canon1 Tallymar2 an"},
        {StartUp().Voice("None").CallbackVoice("Pippa"), "-,None,Pippa, ,None,Pippa | tn"},
        // Names match exactly: anything else selects nothing and stays as it was.
        {StartUp().MachineSound("canon").Voice("pippa").CallbackVoice("Hand driven"),
         "-,-,-, canon,pippa,Hand driven |"}};
    for (const auto& [setup, expected] : cases) {
        Machine m(setup);
        SoundsForm form(m.calc);
        std::string seen;
        for (SoundChoice frame : kFrames) {
            const int index = form.Selected(frame);
            seen += (index < 0 ? "-" : SoundsForm::Caption(frame, index)) + ",";
        }
        const Options& o = m.calc.options();
        seen += " " + o.MachineSound + "," + o.CallInputCharacter + "," + o.CallbackCharacter;
        for (SoundChoice frame : kFrames) form.Test(frame);
        const std::string heard = m.Heard();
        EXPECT_EQ(seen + " |" + (heard.empty() ? "" : " ") + heard, expected);
    }
}

TEST(SpokenRow, says_the_figure_as_shown_and_the_kind_of_line_and_the_running_total) {
    // Keys, the row (the tapes fit the window: row N shows line N; -1 the total display)
    // and what is said.
    const std::tuple<const char*, int, const char*> cases[] = {
        {"", 1, "total 0.00"},
        {"", 0, "rule"},
        {"", 3, "new entry"},
        {"", 11, "empty"},
        {"12.5", 3, "new entry 12.5"},
        {"12.5+", 3, "12.50 plus"},
        {"12.5+", 4, "new entry"},
        {"9-", 3, "9.00 minus"},
        {"7*", 3, "7.00 times"},
        {"8/", 3, "8.00 divided by"},
        {"5+50%", 4, "50.00 percent"},
        {"5+3+{Enter}", 5, "total 8.00"},
        {"5+3+{Enter}", 6, "rule"},
        {"5+3+{S-Enter}", 5, "subtotal 8.00"},
        {"5-{Enter}", 4, "total -5.00"},
        {"rent{Enter}", 3, "comment: rent"},
        {"{Decimals 0}5+{Decimals 2}", 3, "5 plus"},
        {"{Decimals 16}0.125+", 3, "0.125 plus"},
        {"1234567+", 3, "1,234,567.00 plus"},
        // A line being corrected says what is keyed into it.
        {"5+3+{Up}7", 4, "7 plus"},
        {"5+3+{Up}{Up}{Insert}", 3, "inserted line 0"},
        {"", -1, "total 0.00"},
        {"5+3+", -1, "total 8.00"},
        {"5-9+{S-Enter}", -1, "total 4.00"},
        {"2-{Enter}", -1, "total -2.00"},
        {"{Decimals 4}5+3+", -1, "total 8.0000"}};
    for (const auto& [keys, row, says] : cases) {
        Machine m(StartUp().Rows(12).Decimals(2));
        m.Keys(keys);
        EXPECT_EQ(row < 0 ? SpokenTotal(m.calc) : SpokenRow(m.calc, row), says) << keys << row;
    }
}

TEST(SpokenRow, adds_selected_exactly_where_the_row_is_drawn_highlighted) {
    Machine m(StartUp().Rows(12).Decimals(2));
    m.Keys("5+3+4+{S-Up}{S-Up}{S-Up}");
    for (int row = 0; row <= m.calc.view().last_row(); ++row) {
        const std::string said = SpokenRow(m.calc, row);
        EXPECT_EQ(said.ends_with(", selected"), m.RowAt(row).back == kSelectionBack) << said;
    }
    EXPECT_EQ(SpokenRow(m.calc, 5), "4.00 plus, selected");
}

}  // namespace
}  // namespace tallymar::testing
