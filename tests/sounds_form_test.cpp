// The Sounds dialog's model and the callback button and menu item as the commands
// run them: what opening the dialog selects and writes back, what a click writes,
// what each Test button plays; when the button is pressed, when the menu item
// carries its check mark, and what stops a reading.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "commands/commands.h"
#include "engine/sounds_form.h"
#include "files/silent_ports.h"
#include "files/std_file_system.h"

namespace tallymar {
namespace {

// Records each wave file played; the events a test queues run at the next pump.
struct Listener : SilentPorts {
    std::vector<std::string> played;
    std::function<void()> pending;
    void PlayWave(const std::string& file) override { played.push_back(file); }
    void DoEvents() override {
        if (auto events = std::exchange(pending, nullptr)) events();
    }
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
    void Type(const std::string& keys) {
        for (char key : keys) {
            commands.Key(calc.focus_row(), Keystroke{0, shift::kNone, static_cast<char32_t>(key)});
        }
    }

    Listener ports;
    Calc calc{ports.ports()};
    StdFileSystem disk;
    TapeFiles files{calc, ports, disk, ports};
    Commands commands{calc, files};
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

struct ClickCase {
    SoundChoice choice;
    int index;
    const char* machine;
    const char* input;
    const char* callback;
};

class OptionClick : public SoundsTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(OptionClick, writes_its_setting_at_once_and_leaves_the_others) {
    const ClickCase& c = GetParam();
    Start("", "Rusty", "Murph");
    SoundsForm form(calc);
    form.Click(c.choice, c.index);
    EXPECT_EQ(form.Selected(c.choice), c.index);
    EXPECT_EQ(calc.options().MachineSound, c.machine);
    EXPECT_EQ(calc.options().CallInputCharacter, c.input);
    EXPECT_EQ(calc.options().CallbackCharacter, c.callback);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionClick,
    testing::Values(ClickCase{SoundChoice::kMachine, 4, "Manual", "Rusty", "Murph"},
                    ClickCase{SoundChoice::kMachine, 0, "None", "Rusty", "Murph"},
                    ClickCase{SoundChoice::kMachine, 7, "Sharp", "Rusty", "Murph"},
                    ClickCase{SoundChoice::kInputVoice, 0, "", "None", "Murph"},
                    ClickCase{SoundChoice::kInputVoice, 5, "", "Dermot", "Murph"},
                    ClickCase{SoundChoice::kCallbackVoice, 3, "", "Rusty", "Vesna"}),
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

TEST_F(SoundsTest, a_voice_chosen_in_the_dialog_speaks_the_next_key) {
    Start("", "", "");
    SoundsForm form(calc);
    Type("1");
    form.Click(SoundChoice::kInputVoice, 2);
    form.Click(SoundChoice::kMachine, 2);
    Type("2+");
    EXPECT_EQ(ports.played, (std::vector<std::string>{"b2.wav", "b+.wav", "Canon1.wav"}));
}

// --- the callback button and the menu item ---

class CallbackControls : public SoundsTest {
  protected:
    CallbackControls() {
        Start("", "", "Rusty");
        Type("1+2+");
        commands.Focus(3);
    }
    // Runs `events` at the pump after the first line read, noting the button's Value
    // and the menu's check mark there.
    void DuringTheReading(std::function<void()> events) {
        ports.pending = [this, events] {
            value_while_reading = commands.call_it_value();
            mark_while_reading = commands.voice_callback_checked();
            if (events) events();
        };
    }
    static std::vector<std::string> FirstLine() { return {"b+.wav", "b1.wav"}; }
    static std::vector<std::string> BothLines() { return {"b+.wav", "b1.wav", "b+.wav", "b2.wav"}; }

    bool value_while_reading = false;
    bool mark_while_reading = false;
};

TEST_F(CallbackControls, the_button_stays_pressed_while_its_reading_runs) {
    DuringTheReading(nullptr);
    commands.Run(Command::cmdCallIt);
    EXPECT_EQ(ports.played, BothLines());
    EXPECT_TRUE(value_while_reading);
    EXPECT_FALSE(mark_while_reading);
    EXPECT_FALSE(commands.call_it_value());
    EXPECT_FALSE(calc.callback_running());
}

TEST_F(CallbackControls, a_second_click_on_the_button_stops_the_reading_after_its_line) {
    DuringTheReading([this] { commands.Run(Command::cmdCallIt); });
    commands.Run(Command::cmdCallIt);
    EXPECT_EQ(ports.played, FirstLine());
    EXPECT_FALSE(commands.call_it_value());
    EXPECT_EQ(calc.focus_row(), 4);
}

TEST_F(CallbackControls, the_menu_presses_the_button_and_keeps_its_mark_after_the_reading) {
    DuringTheReading(nullptr);
    commands.Run(Command::mnuOptionsVoiceCallback);
    EXPECT_EQ(ports.played, BothLines());
    EXPECT_TRUE(value_while_reading);
    EXPECT_TRUE(mark_while_reading);
    EXPECT_FALSE(commands.call_it_value());
    EXPECT_TRUE(commands.voice_callback_checked());
    // The next choice only removes the mark.
    ports.played.clear();
    commands.Run(Command::mnuOptionsVoiceCallback);
    EXPECT_FALSE(commands.voice_callback_checked());
    EXPECT_TRUE(ports.played.empty());
}

TEST_F(CallbackControls, the_menu_chosen_again_during_its_reading_stops_it_and_removes_the_mark) {
    DuringTheReading([this] { commands.Run(Command::mnuOptionsVoiceCallback); });
    commands.Run(Command::mnuOptionsVoiceCallback);
    EXPECT_EQ(ports.played, FirstLine());
    EXPECT_FALSE(commands.voice_callback_checked());
    EXPECT_FALSE(commands.call_it_value());
}

TEST_F(CallbackControls, the_menu_during_a_reading_the_button_started_only_takes_its_mark) {
    DuringTheReading([this] { commands.Run(Command::mnuOptionsVoiceCallback); });
    commands.Run(Command::cmdCallIt);
    EXPECT_EQ(ports.played, BothLines());
    EXPECT_TRUE(commands.voice_callback_checked());
    EXPECT_FALSE(commands.call_it_value());
}

TEST_F(CallbackControls, the_button_stops_a_reading_the_menu_started_and_leaves_the_mark) {
    DuringTheReading([this] { commands.Run(Command::cmdCallIt); });
    commands.Run(Command::mnuOptionsVoiceCallback);
    EXPECT_EQ(ports.played, FirstLine());
    EXPECT_TRUE(commands.voice_callback_checked());
    EXPECT_FALSE(commands.call_it_value());
}

TEST_F(CallbackControls, closing_the_window_stops_the_reading) {
    DuringTheReading([this] { EXPECT_TRUE(commands.MayClose()); });
    commands.Run(Command::cmdCallIt);
    EXPECT_EQ(ports.played, FirstLine());
    EXPECT_FALSE(calc.callback_running());
}

}  // namespace
}  // namespace tallymar
