// The Sounds dialog's model: what opening the dialog selects and writes back, and
// what each Test button plays. (The dialog itself, and the callback button and menu
// item, are tried in the window: tests/gui/sounds_dialog_test.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sounds_form.h"
#include "files/silent_ports.h"

namespace tallymar {
namespace {

// Records each wave file played.
struct Listener : SilentPorts {
    std::vector<std::string> played;
    void PlayWave(const std::string& file) override { played.push_back(file); }
};

class SoundsTest : public testing::Test {
  protected:
    void Start(const std::string& machine, const std::string& input, const std::string& callback) {
        Options options;
        options.DecimalCode = 0;
        options.MachineSound = machine;
        options.CallInputCharacter = input;
        options.CallbackCharacter = callback;
        calc.SetOptions(options);
        calc.Start(18);
    }
    std::string Selected(const SoundsForm& form, SoundChoice choice) const {
        const int index = form.Selected(choice);
        return index == SoundsForm::kNothingSelected ? "(none)"
                                                     : SoundsForm::Caption(choice, index);
    }

    Listener ports;
    Calc calc{ports.ports()};
};

struct OpeningCase {
    const char* machine;
    const char* input;
    const char* callback;
    const char* shown[3];    // the option selected in each frame
    const char* written[3];  // the settings once the dialog is open
};

class Opening : public SoundsTest, public testing::WithParamInterface<OpeningCase> {};

TEST_P(Opening, selects_each_frame_from_its_setting_and_writes_it_back) {
    const OpeningCase& c = GetParam();
    Start(c.machine, c.input, c.callback);
    SoundsForm form(calc);
    EXPECT_EQ(Selected(form, SoundChoice::kMachine), c.shown[0]);
    EXPECT_EQ(Selected(form, SoundChoice::kInputVoice), c.shown[1]);
    EXPECT_EQ(Selected(form, SoundChoice::kCallbackVoice), c.shown[2]);
    EXPECT_EQ(calc.options().MachineSound, c.written[0]);
    EXPECT_EQ(calc.options().CallInputCharacter, c.written[1]);
    EXPECT_EQ(calc.options().CallbackCharacter, c.written[2]);
    EXPECT_TRUE(ports.played.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Opening,
    testing::Values(
        // Empty voices become "None"; an empty machine stays empty, nothing selected.
        OpeningCase{"", "", "", {"(none)", "None", "None"}, {"", "None", "None"}},
        OpeningCase{"Manual",
                    "Grunk",
                    "Pippa",
                    {"Hand driven", "Grunk", "Pippa"},
                    {"Manual", "Grunk", "Pippa"}},
        OpeningCase{"None", "None", "Vesna", {"None", "None", "Vesna"}, {"None", "None", "Vesna"}},
        // Names are matched exactly: anything else selects nothing and stays as it was.
        OpeningCase{"canon",
                    "pippa",
                    "Hand driven",
                    {"(none)", "(none)", "(none)"},
                    {"canon", "pippa", "Hand driven"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

struct TestButtonCase {
    const char* machine;
    const char* input;
    const char* callback;
    std::vector<std::string> played;  // machine, input, then callback Test
};

class TestButtons : public SoundsTest, public testing::WithParamInterface<TestButtonCase> {};

TEST_P(TestButtons, play_the_sample_of_the_option_selected) {
    const TestButtonCase& c = GetParam();
    Start(c.machine, c.input, c.callback);
    SoundsForm form(calc);
    form.Test(SoundChoice::kMachine);
    form.Test(SoundChoice::kInputVoice);
    form.Test(SoundChoice::kCallbackVoice);
    EXPECT_EQ(ports.played, c.played);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TestButtons,
    testing::Values(
        // The hand-driven machine's key sound is its one file.
        TestButtonCase{"Manual", "Vesna", "Vesna", {"Manual.wav", "o_welcome.wav", "o_spank.wav"}},
        TestButtonCase{"Canon", "Dermot", "Grunk", {"Canon1.wav", "Tallymar2.wav", "an.wav"}},
        // "None", or nothing selected, plays nothing.
        TestButtonCase{"None", "None", "", {}}, TestButtonCase{"", "nobody", "Pippa", {"tn.wav"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// --- the callback button and the menu item ---

}  // namespace
}  // namespace tallymar
