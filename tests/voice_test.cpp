// Which files each voice character and machine plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "voice/machine_sounds.h"
#include "voice/voices.h"

namespace tallymar {
namespace {

// The file names, blank-separated, so that a whole sequence compares at once.
std::string Joined(const WaveFiles& files) {
    std::string joined;
    for (const std::string& file : files) joined += (joined.empty() ? "" : " ") + file;
    return joined;
}

struct Case {
    const char* who;  // voice character or machine setting
    const char* input;
    const char* expected;
};

void ExpectPlays(WaveFiles (*files)(std::string_view, std::string_view),
                 const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Joined(files(c.who, c.input)), c.expected) << c.who << " / \"" << c.input << "\"";
    }
}

TEST(VoiceTest, SpeakWordPlaysTheTokenFileOfEveryCharacterAndNothingElse) {
    ExpectPlays(WordFiles, {{"Grunk", "0", "a0.wav"},
                            {"Rusty", "9", "b9.wav"},
                            {"Vesna", ".", "op.wav"},
                            {"Dermot", "+", "s+.wav"},
                            {"Pippa", "*", "tt.wav"},
                            {"Grunk", "T", "az.wav"},
                            {"Grunk", "=", "ae.wav"},
                            {"Grunk", "%", "aq.wav"},
                            {"Grunk", "---------------", "an.wav"},
                            {"Grunk", "--------------", ""},
                            {"Grunk", "S", ""},
                            {"Grunk", "", ""},
                            {"Grunk", "T ", ""},
                            {"Grunk", "12", ""},
                            {"None", "1", ""},
                            {"grunk", "1", ""},
                            {"", "1", ""}});
}

TEST(VoiceTest, SpeakKeySaysOnlyTheKeysThatEnterANumber) {
    ExpectPlays(KeyFiles, {{"Pippa", "7", "t7.wav"},
                           {"Pippa", ".", "tp.wav"},
                           {"Pippa", "-", "tm.wav"},
                           {"Pippa", "+", ""},
                           {"Pippa", "=", ""},
                           {"Pippa", "T", ""},
                           {"None", "7", ""},
                           {"Nobody", "7", ""}});
}

TEST(VoiceTest, SpeakNumberReadsDigitsSignAndInnerPointLeftToRight) {
    ExpectPlays(NumberFiles,
                {{"Grunk", "-1,234.50", "am.wav a1.wav a2.wav a3.wav a4.wav ap.wav a5.wav a0.wav"},
                 {"Rusty", "12.", "b1.wav b2.wav"},
                 {"Rusty", "0.05", "b0.wav bp.wav b0.wav b5.wav"},
                 {"Rusty", "-7", "bm.wav b7.wav"},
                 {"Rusty", "1,000", "b1.wav b0.wav b0.wav b0.wav"},
                 {"Rusty", " 3 T", "b3.wav"},
                 {"Rusty", ".", ""},
                 {"Rusty", "---------------", ""},
                 {"Rusty", "---", "bm.wav bm.wav bm.wav"},
                 {"None", "12", ""},
                 {"Vesna ", "12", ""}});
}

WaveFiles KeyThenTotal(std::string_view machine, std::string_view) {
    WaveFiles files = KeySoundFiles(machine);
    for (const std::string& file : TotalSoundFiles(machine)) files.push_back(file);
    return files;
}

TEST(MachineSoundsTest, EachMachinePlaysItsOperatorThenTotalFile) {
    ExpectPlays(KeyThenTotal, {{"Burroughs", "", "Burroughs1.wav Burroughs2.wav"},
                               {"Canon", "", "Canon1.wav Canon2.wav"},
                               {"Manual", "", "Manual.wav Manual.wav"},
                               {"None", "", ""},
                               {"", "", ""},
                               {"sharp", "", ""},
                               {"Hand driven", "", ""}});
}

TEST(MachineSoundsTest, FindMachineMatchesTheSettingValueNotTheCaption) {
    ASSERT_NE(FindMachine("Manual"), nullptr);
    EXPECT_STREQ(FindMachine("Manual")->caption, "Hand driven");
    EXPECT_EQ(FindMachine("None"), &kMachines[0]);
    EXPECT_EQ(FindMachine("Sharp"), &kMachines[7]);
    EXPECT_EQ(FindMachine("Hand driven"), nullptr);
}

WaveFiles InputThenCallbackSample(std::string_view character, std::string_view) {
    WaveFiles files = InputVoiceSampleFiles(character);
    for (const std::string& file : CallbackVoiceSampleFiles(character)) files.push_back(file);
    return files;
}

TEST(MachineSoundsTest, TestButtonsPlayTheCharactersInputThenCallbackSample) {
    ExpectPlays(InputThenCallbackSample, {{"Grunk", "", "an.wav an.wav"},
                                          {"Rusty", "", "bn.wav bn.wav"},
                                          {"Vesna", "", "o_welcome.wav o_spank.wav"},
                                          {"Dermot", "", "Tallymar2.wav Tallymar2.wav"},
                                          {"None", "", ""},
                                          {"Pip", "", ""}});
}

}  // namespace
}  // namespace tallymar
