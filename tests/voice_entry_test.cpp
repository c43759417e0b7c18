// Spoken entry and machine key sounds: what each key and each struck total plays,
// and in which order.
#include <sstream>
#include <string>
#include <vector>

#include "machine.h"

namespace tallymar::testing {
namespace {

struct VoiceCase {
    const char* voice;
    const char* prefix;
};

class EachVoice : public ::testing::TestWithParam<VoiceCase> {};

TEST_P(EachVoice, speaks_digits_point_and_operators_from_its_own_files) {
    const std::string p = GetParam().prefix;
    Machine m(StartUp().Voice(GetParam().voice));
    m.Keys("90.5+1-2*3/");
    const std::vector<std::string> codes = {"9", "0", "p", "5", "+", "1", "m", "2", "t", "3", "d"};
    Events expected;
    for (const std::string& code : codes) expected.push_back("play " + p + code + ".wav");
    EXPECT_EQ(m.TakeEvents(), expected);
}

INSTANTIATE_TEST_SUITE_P(Roster, EachVoice,
                         ::testing::Values(VoiceCase{"Grunk", "a"}, VoiceCase{"Rusty", "b"},
                                           VoiceCase{"Vesna", "o"}, VoiceCase{"Murph", "p"},
                                           VoiceCase{"Dermot", "s"}, VoiceCase{"Pippa", "t"}),
                         [](const auto& info) { return std::string(info.param.voice); });

TEST(SpokenEntry, says_one_file_per_key_as_it_is_typed) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("12.5");
    EXPECT_EQ(m.TakeEvents(), Plays({"b1.wav", "b2.wav", "bp.wav", "b5.wav"}));
}

TEST(SpokenEntry, says_nothing_for_the_characters_of_a_comment) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("a1.b2{Enter}");
    EXPECT_TRUE(m.TakeEvents().empty());
}

TEST(SpokenEntry, follows_a_change_of_voice_from_the_next_key) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("1{Voice Pippa}2");
    EXPECT_EQ(m.TakeEvents(), Plays({"b1.wav", "t2.wav"}));
}

struct TotalCase {
    const char* keys;
    Events events;
};

class StruckAtTheEnd : public ::testing::TestWithParam<TotalCase> {};

TEST_P(StruckAtTheEnd, says_equals_then_the_number_as_shown_then_the_rule) {
    Machine m(StartUp().Voice("Grunk"));
    m.Keys(GetParam().keys);
    EXPECT_EQ(m.TakeEvents(), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Totals, StruckAtTheEnd,
    ::testing::Values(
        TotalCase{"1234.5+{Enter}",
                  Plays({"a1.wav", "a2.wav", "a3.wav", "a4.wav", "ap.wav", "a5.wav", "a+.wav",
                         "ae.wav", "a1.wav", "a2.wav", "a3.wav", "a4.wav", "ap.wav", "a5.wav",
                         "a0.wav", "an.wav"})},
        TotalCase{"8+{S-Enter}", Plays({"a8.wav", "a+.wav", "ae.wav", "a8.wav", "ap.wav", "a0.wav",
                                        "a0.wav", "an.wav"})},
        TotalCase{"7-{Enter}", Plays({"a7.wav", "am.wav", "ae.wav", "am.wav", "a7.wav", "ap.wav",
                                      "a0.wav", "a0.wav", "an.wav"})},
        TotalCase{"{Decimals 16}6+{Enter}",
                  Plays({"a6.wav", "a+.wav", "ae.wav", "a6.wav", "an.wav"})},
        TotalCase{"{Decimals 0}4*2{Enter}",
                  Plays({"a4.wav", "at.wav", "a2.wav", "ae.wav", "a8.wav", "an.wav"})},
        TotalCase{"{Decimals 0}20*5%", Plays({"a2.wav", "a0.wav", "at.wav", "a5.wav", "aq.wav",
                                              "ae.wav", "a1.wav", "an.wav"})},
        TotalCase{"{Decimals 0}{Enter}", Plays({"ae.wav", "a0.wav", "an.wav"})}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SpokenTotals, struck_again_by_a_correction_start_with_the_total_word) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("5+3+{Enter}{Click 3}");
    m.TakeEvents();
    m.Keys("7+");
    EXPECT_EQ(m.TakeEvents(), Plays({"b7.wav", "b+.wav", "bz.wav", "b1.wav", "b0.wav", "bp.wav",
                                     "b0.wav", "b0.wav", "bn.wav"}));
    EXPECT_EQ(m.calc.ShownText(5), "10.00");
}

TEST(SpokenTotals, clearing_the_tape_speaks_its_zero_total) {
    Machine m(StartUp().Voice("Rusty"));
    m.Keys("5+{Answer no}{Clear}");
    Events expected = Plays({"b5.wav", "b+.wav"});
    expected.push_back(
        R"(msg "Tallymar" "Do you want to save the changes you made to your existing tape ?\n\n" yesnocancel -> no)");
    expected.push_back(R"(caption "Tallymar - Tape1")");
    const Events spoken = Plays({"be.wav", "b0.wav", "bp.wav", "b0.wav", "b0.wav", "bn.wav"});
    expected.insert(expected.end(), spoken.begin(), spoken.end());
    EXPECT_EQ(m.TakeEvents(), expected);
    EXPECT_EQ(m.Ops(), "HTHB");
    EXPECT_FALSE(m.calc.tape_changed());
}

TEST(SpokenTotals, the_new_tape_at_start_up_is_not_spoken) {
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

TEST(KeySounds, follow_all_speech_of_the_key_and_the_total_sound_comes_last) {
    Machine m(StartUp().Voice("Rusty").MachineSound("Canon"));
    m.Keys("{Decimals 0}5+{Enter}");
    EXPECT_EQ(m.TakeEvents(), Plays({"b5.wav", "b+.wav", "Canon1.wav", "be.wav", "b5.wav", "bn.wav",
                                     "Canon2.wav"}));
}

TEST(KeySounds, percent_plays_its_sound_between_its_word_and_the_total) {
    Machine m(StartUp().Voice("Rusty").MachineSound("Canon"));
    m.Keys("{Decimals 0}20*5%");
    EXPECT_EQ(m.TakeEvents(), Plays({"b2.wav", "b0.wav", "bt.wav", "Canon1.wav", "b5.wav", "bq.wav",
                                     "Canon1.wav", "be.wav", "b1.wav", "bn.wav"}));
}

TEST(KeySounds, play_without_a_voice_and_digits_make_no_sound) {
    Machine m(StartUp().MachineSound("Canon"));
    m.Keys("5+3{Enter}");
    EXPECT_EQ(m.TakeEvents(), Plays({"Canon1.wav", "Canon2.wav"}));
}

struct MachineCase {
    const char* machine;
    const char* key_file;
    const char* total_file;
};

class EachMachine : public ::testing::TestWithParam<MachineCase> {};

TEST_P(EachMachine, plays_its_operator_sound_for_every_operator_and_its_total_sound) {
    const MachineCase& c = GetParam();
    Machine m(StartUp().MachineSound(c.machine));
    m.Keys("1+2-3*4/{Enter}2{S-Enter}");
    EXPECT_EQ(m.TakeEvents(),
              Plays({c.key_file, c.key_file, c.key_file, c.key_file, c.total_file, c.total_file}));
}

INSTANTIATE_TEST_SUITE_P(
    Makes, EachMachine,
    ::testing::Values(MachineCase{"Burroughs", "Burroughs1.wav", "Burroughs2.wav"},
                      MachineCase{"Canon", "Canon1.wav", "Canon2.wav"},
                      MachineCase{"Facit", "Facit1.wav", "Facit2.wav"},
                      MachineCase{"Manual", "Manual.wav", "Manual.wav"},
                      MachineCase{"Olympia", "Olympia1.wav", "Olympia2.wav"},
                      MachineCase{"Remington", "Remington1.wav", "Remington2.wav"},
                      MachineCase{"Sharp", "Sharp1.wav", "Sharp2.wav"}),
    [](const auto& info) { return std::string(info.param.machine); });

class SilentSettings : public ::testing::TestWithParam<const char*> {};

TEST_P(SilentSettings, as_voice_say_nothing_for_keys_or_totals) {
    Machine m(StartUp().Voice(GetParam()));
    m.Keys("12.5+3-4*2{Enter}6%{Enter}{S-Enter}");
    EXPECT_TRUE(m.TakeEvents().empty());
}

TEST_P(SilentSettings, as_machine_play_no_key_sounds) {
    Machine m(StartUp().Voice("Pippa").MachineSound(GetParam()));
    m.Keys("5+{Enter}");
    EXPECT_EQ(m.TakeEvents(), Plays({"t5.wav", "t+.wav", "te.wav", "t5.wav", "tp.wav", "t0.wav",
                                     "t0.wav", "tn.wav"}));
}

INSTANTIATE_TEST_SUITE_P(NoneEmptyOrUnknown, SilentSettings,
                         ::testing::Values("", "None", "rusty", "Nobody"),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SilentVoice, still_lets_the_machine_sound_play) {
    Machine m(StartUp().Voice("None").MachineSound("Manual"));
    m.Keys("5+{Enter}");
    EXPECT_EQ(m.TakeEvents(), Plays({"Manual.wav", "Manual.wav"}));
}

}  // namespace
}  // namespace tallymar::testing
