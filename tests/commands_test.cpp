// The one path from user actions to the system: which keys the box keeps for
// itself, what the menu commands and buttons do and which go out to the shell.
// (The converter's and colour dialog's ports: tallymar-cli's {Convert} and {Theme}.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "commands/menu_bar.h"
#include "fakes.h"

namespace tallymar::testing {
namespace {

struct Shell : CommandPort {
    std::vector<Command> ran;
    void Run(Command command) override { ran.push_back(command); }
};

class CommandsTest : public ::testing::Test {
  protected:
    CommandsTest() {
        calc.Start(18);
        commands.SetOutside(&shell);
    }
    void Type(const std::string& keys) {
        for (char key : keys)
            commands.Key(calc.focus_row(), Keystroke{0, shift::kNone, static_cast<char32_t>(key)});
    }

    FakePorts desk;  // also the file dialogs (always cancelled) and the caption
    MemoryFiles disk;
    Shell shell;
    Calc calc{desk.ports()};
    TapeFiles files{calc, desk, disk, desk};
    Commands commands{calc, files};
};

TEST_F(CommandsTest, the_caret_keys_and_delete_are_left_to_the_box_unless_ctrl_or_alt_is_held) {
    commands.Key(calc.focus_row(), Keystroke{key::kRight, shift::kNone, U'7'});
    EXPECT_EQ(calc.rows()[calc.focus_row()].text, "");  // a kept key types nothing
    commands.Key(calc.focus_row(), Keystroke{0, shift::kNone, U'7'});
    EXPECT_EQ(calc.rows()[calc.focus_row()].text, "7");
    const std::tuple<int, int, bool> keys[] = {
        {key::kLeft, shift::kNone, true},   {key::kRight, shift::kNone, true},
        {key::kDelete, shift::kNone, true}, {key::kLeft, shift::kShift, true},
        {key::kLeft, shift::kCtrl, false},  {key::kDelete, shift::kAlt, false},
        {key::kUp, shift::kNone, false},    {key::kBackspace, shift::kNone, false},
        {key::kHome, shift::kNone, false},  {0, shift::kNone, false}};
    for (const auto& [code, shift_state, kept] : keys)
        EXPECT_EQ(commands.Key(calc.focus_row(), Keystroke{code, shift_state, 0}), kept)
            << code << " " << shift_state;
}

// A reading started from the menu or the button that runs to the tape's end leaves
// neither the item checked nor the button pressed.
TEST_F(CommandsTest, a_reading_that_ends_by_itself_clears_the_check_mark_and_the_button) {
    commands.SetCallbackCharacter("Grunk");
    Type("5+");
    for (Command start : {Command::mnuOptionsVoiceCallback, Command::cmdCallIt}) {
        commands.Run(start);
        EXPECT_FALSE(calc.callback_running());
        EXPECT_EQ(std::pair(commands.voice_callback_checked(), commands.call_it_value()),
                  std::pair(false, false));
    }
}

TEST_F(CommandsTest, every_menu_item_and_button_is_found_by_its_name_and_runs_inside_or_out) {
    std::vector<Command> seen;
    auto check = [&](Command command, std::string_view name) {
        EXPECT_EQ(CommandNamed(name), command) << name;
        EXPECT_EQ(CommandName(command), name);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), command), 0) << name << " twice";
        seen.push_back(command);
    };
    for (const MenuItem& item : kMenuItems) check(item.command, item.name);
    for (const ButtonItem& button : kButtons) check(button.command, button.name);
    EXPECT_EQ(CommandNamed("mnuFile"), std::nullopt);
    EXPECT_EQ(CommandNamed("Insert"), std::nullopt);

    for (const Command button :
         {Command::cmdClearTape, Command::mnuEditClear, Command::mnuFileNew}) {
        Type("5+");
        desk.answers = {Answer::kNo};
        commands.Run(button);
        EXPECT_EQ(calc.tape().size(), 4u) << CommandName(button);  // a new tape
        EXPECT_EQ(desk.messages.size(), 1u) << CommandName(button);
        desk.messages.clear();
    }
    EXPECT_TRUE(shell.ran.empty());
    // clang-format off
    const Command outside[] = {
        Command::mnuFilePrint, Command::mnuFilePrintSetup, Command::mnuFilePrintPreview, Command::mnuFileExit,
        Command::mnuOptionsAlwaysOnTop, Command::mnuOptionsColors, Command::mnuOptionsConverter,
        Command::mnuOptionsDateTime, Command::mnuOptionsMode, Command::mnuOptionsSounds, Command::mnuHelpTallymar,
        Command::mnuHelpTip, Command::mnuHelpTallymarWebsite, Command::mnuHelpAbout, Command::cmdPrint,
        Command::cmdConverter};
    // clang-format on
    for (const Command command : outside) commands.Run(command);
    EXPECT_EQ(shell.ran, std::vector<Command>(std::begin(outside), std::end(outside)));
    EXPECT_EQ(calc.tape().size(), 4u);
}

}  // namespace
}  // namespace tallymar::testing
