// The one path from user actions to the system: which keys the box keeps for
// itself, what each menu command and button does and which go out to the shell.
// (The converter's and colour dialog's ports: tallymar-cli's {Convert} and {Theme}.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "commands/menu_bar.h"
#include "fakes.h"

namespace tallymar::testing {
namespace {

// What reached the shell: the outside command's number and the name of the command
// that asked for it.
std::string Asked(OutsideCommand what, Command command) {
    return "outside " + std::to_string(static_cast<int>(what)) + " by " +
           std::string(CommandName(command));
}

struct Shell : CommandPort {
    std::vector<std::string> ran;
    void Run(OutsideCommand what, Command command) override { ran.push_back(Asked(what, command)); }
};

// A started machine whose outside commands reach `shell`.
struct Machine {
    Machine() {
        calc.Start(18);
        commands.SetOutside(&shell);
    }
    void Type(const std::string& keys) {
        for (char key : keys)
            commands.Key(calc.view().focus_row(),
                         Keystroke{0, shift::kNone, static_cast<char32_t>(key)});
    }

    FakePorts desk;
    MemoryFiles disk;
    FakeFileDialogs dialogs;
    FakeCaption caption;
    Shell shell;
    Calc calc{desk.ports()};
    TapeFiles files{calc, dialogs, disk, caption};
    Commands commands{calc, files};
};

class CommandsTest : public ::testing::Test, protected Machine {};

TEST_F(CommandsTest, the_caret_keys_and_delete_are_left_to_the_box_unless_ctrl_or_alt_is_held) {
    commands.Key(calc.view().focus_row(), Keystroke{key::kRight, shift::kNone, U'7'});
    EXPECT_EQ(calc.view().rows()[calc.view().focus_row()].text, "");  // a kept key types nothing
    commands.Key(calc.view().focus_row(), Keystroke{0, shift::kNone, U'7'});
    EXPECT_EQ(calc.view().rows()[calc.view().focus_row()].text, "7");
    const std::tuple<int, int, bool> keys[] = {
        {key::kLeft, shift::kNone, true},   {key::kRight, shift::kNone, true},
        {key::kDelete, shift::kNone, true}, {key::kLeft, shift::kShift, true},
        {key::kLeft, shift::kCtrl, false},  {key::kDelete, shift::kAlt, false},
        {key::kUp, shift::kNone, false},    {key::kBackspace, shift::kNone, false},
        {key::kHome, shift::kNone, false},  {0, shift::kNone, false}};
    for (const auto& [code, shift_state, kept] : keys)
        EXPECT_EQ(commands.Key(calc.view().focus_row(), Keystroke{code, shift_state, 0}), kept)
            << code << " " << shift_state;
}

// A reading started from the menu or the button that runs to the tape's end leaves
// neither the item checked nor the button pressed.
TEST_F(CommandsTest, a_reading_that_ends_by_itself_clears_the_check_mark_and_the_button) {
    commands.ChooseSound(SoundChoice::kCallbackVoice, "Grunk");
    Type("5+");
    for (Command start : {Command::mnuOptionsVoiceCallback, Command::cmdCallIt}) {
        commands.Run(start);
        EXPECT_FALSE(calc.voice_callback().running());
        EXPECT_EQ(std::pair(commands.voice_callback_checked(), commands.call_it_value()),
                  std::pair(false, false));
    }
}

TEST_F(CommandsTest, every_menu_item_and_button_is_found_by_its_name) {
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
}

// Once a text was looked for, F3 and Shift+F3 look for it again from the line the
// user is on, round the tape, without the dialog.
TEST_F(CommandsTest, find_next_and_previous_look_for_the_last_text_again) {
    Type("5+6+5+");
    EXPECT_EQ(commands.Find("5", FindDirection::kNext), 3);
    EXPECT_EQ(calc.view().FocusLine(), 3);
    commands.Run(Command::mnuEditFindNext);
    EXPECT_EQ(calc.view().FocusLine(), 5);
    commands.Run(Command::mnuEditFindNext);
    EXPECT_EQ(calc.view().FocusLine(), 3);
    commands.Run(Command::mnuEditFindPrevious);
    EXPECT_EQ(calc.view().FocusLine(), 5);
    EXPECT_EQ(commands.finder().found_line(), 5);
    EXPECT_TRUE(shell.ran.empty());
    EXPECT_EQ(commands.Find("7", FindDirection::kPrevious), std::nullopt);
    EXPECT_EQ(calc.view().FocusLine(), 5);
    EXPECT_EQ(commands.finder().found_line(), -1);
    EXPECT_EQ(desk.Texts(), std::vector<std::string>{"Cannot find \"7\"."});
}

// A machine of its own for each command: "5+6+" keyed on a tape that has a name, the
// callback voice chosen, the "5" line clicked and selected with Shift+click, No to
// the first question.
struct PreparedMachine : Machine {
    PreparedMachine() {
        files.TapeFileName = "/tapes/a.add";
        commands.ChooseSound(SoundChoice::kCallbackVoice, "Grunk");
        Type("5+6+");
        commands.Focus(3);
        commands.ShiftClick(3);
        lines = calc.tape().size();
        selected = Selected();
        desk.waves = desk.beeps = 0;
        desk.answers = {Answer::kNo};
    }
    // What the last command did inside: to the tape, the files and the voice.
    std::string Inside() {
        std::string seen;
        if (calc.tape().lines().size() != lines)
            seen += "lines " + std::to_string(lines) + "->" +
                    std::to_string(calc.tape().lines().size()) + ";";
        for (const std::string& text : desk.Texts())
            seen += "message " + text.substr(0, text.find(" the ")) + ";";
        for (const std::string& shown : dialogs.shown) seen += "dialog " + shown + ";";
        if (!disk.written.empty()) seen += "written;";
        if (!desk.clipboard.empty()) seen += "clipboard " + desk.clipboard + ";";
        if (desk.waves > 0) seen += "spoken;";
        if (desk.beeps > 0) seen += "beep;";
        // A new highlight (one cleared with the tape it was on is no action of its own).
        if (!Selected().empty() && Selected() != selected) seen += "selected " + Selected() + ";";
        return seen;
    }
    // The highlighted lines, "" when none are.
    std::string Selected() const {
        if (!calc.view().selection().shown()) return "";
        const LineRange range = LinesToPrint(calc, true);
        return std::to_string(range.first) + "-" + std::to_string(range.last);
    }

    std::size_t lines = 0;  // on the tape before the command
    std::string selected;   // highlighted before the command
};

// What each command does, one row per command in the order they are declared: on
// the engine or the tape files, or out through the port. A command with no action
// fails here as a command with no row does.
TEST(CommandTable, every_command_acts_on_the_tape_or_the_files_or_goes_out_and_nothing_else_does) {
    struct Row {
        Command command;
        std::string inside;
        std::optional<OutsideCommand> outside;
    };
    using O = OutsideCommand;
    const std::string new_tape = "lines 6->4;message Do you want to save;";
    const Row rows[] = {
        {Command::mnuFileNew, new_tape, {}},
        {Command::mnuFileOpen, "message Do you want to save;dialog Open Tallymar File;", {}},
        {Command::mnuFileSave, "written;", {}},
        {Command::mnuFileSaveAs, "dialog Save Tallymar File As|/tapes/a.add;", {}},
        {Command::mnuFileExport, "dialog Export Tallymar Tape|Tape1.csv;", {}},
        {Command::mnuFilePrint, "", O::kPrint},
        {Command::mnuFilePrintSetup, "", O::kPrintSetup},
        {Command::mnuFilePrintPreview, "", O::kPrintPreview},
        {Command::mnuFileExit, "", O::kExit},
        {Command::mnuEditUndo, "lines 6->5;", {}},
        {Command::mnuEditRedo, "beep;", {}},  // nothing was undone
        {Command::mnuEditInsert, "lines 6->7;", {}},
        {Command::mnuEditDelete, "message Do you really want to delete;", {}},
        {Command::mnuEditCopy, "clipboard 5.00+;", {}},
        {Command::mnuEditSelectAll, "selected 0-5;", {}},
        {Command::mnuEditClear, new_tape, {}},
        // Nothing looked for yet: F3 and Shift+F3 open the Find dialog as Ctrl+F does.
        {Command::mnuEditFind, "", O::kFind},
        {Command::mnuEditFindNext, "", O::kFind},
        {Command::mnuEditFindPrevious, "", O::kFind},
        {Command::mnuOptionsAlwaysOnTop, "", O::kAlwaysOnTop},
        {Command::mnuOptionsColors, "", O::kColors},
        {Command::mnuOptionsConverter, "", O::kConverter},
        {Command::mnuOptionsDateTime, "", O::kDateTime},
        {Command::mnuOptionsMode, "", O::kMode},
        {Command::mnuOptionsSounds, "", O::kSounds},
        {Command::mnuOptionsVoiceCallback, "spoken;", {}},
        {Command::mnuHelpTallymar, "", O::kHelp},
        {Command::mnuHelpTip, "", O::kTip},
        {Command::mnuHelpTallymarWebsite, "", O::kWebsite},
        {Command::mnuHelpAbout, "", O::kAbout},
        {Command::cmdPrint, "", O::kPrint},
        {Command::cmdCallIt, "spoken;", {}},
        {Command::cmdClearTape, new_tape, {}},
        {Command::cmdConverter, "", O::kConverter},
    };
    const int count = static_cast<int>(std::size(rows));
    EXPECT_EQ(std::size(kMenuItems) + std::size(kButtons), std::size(rows));
    // Past the last row, values that would be commands: a command added without its
    // row here acts, or has a name, and fails.
    for (int value = 0; value < 2 * count; ++value) {
        const auto command = static_cast<Command>(value);
        PreparedMachine machine;
        machine.commands.Run(command);
        const std::string inside = machine.Inside();
        const std::string name(CommandName(command));
        if (value >= count) {
            EXPECT_EQ(name + inside, "") << "command " << value << " has no row here";
            EXPECT_TRUE(machine.shell.ran.empty()) << "command " << value << " has no row here";
            continue;
        }
        const Row& row = rows[value];
        EXPECT_EQ(row.command, command) << name << ": rows out of order";
        EXPECT_EQ(inside, row.inside) << name;
        EXPECT_EQ(inside.empty(), row.outside.has_value())
            << name << ": does nothing, or acts inside and goes out";
        std::vector<std::string> out;
        if (row.outside) out.push_back(Asked(*row.outside, command));
        EXPECT_EQ(machine.shell.ran, out) << name;
    }
}

// The letter after "&" in a caption, in lower case; 0 when it has none.
char AccessKey(const char* caption) {
    const std::string_view text(caption);
    const std::size_t amp = text.find('&');
    if (amp == std::string_view::npos || amp + 1 >= text.size()) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
}

// Alt and a letter reach one item of the open menu (one menu of the bar), and a
// shortcut runs one item wherever the focus is.
TEST(MenuTable, no_two_items_share_a_shortcut_and_no_two_of_one_menu_an_access_key) {
    std::map<std::string, std::string> shortcuts;
    std::map<std::pair<std::string, char>, std::string> keys;
    for (const MenuTitle& title : kMenus) {
        const auto [at, added] =
            keys.emplace(std::pair("menu bar", AccessKey(title.caption)), title.name);
        EXPECT_TRUE(added) << title.name << " and " << at->second;
    }
    for (const MenuItem& item : kMenuItems) {
        if (*item.shortcut) {
            std::string shortcut = item.shortcut;
            std::transform(shortcut.begin(), shortcut.end(), shortcut.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            const auto [at, added] = shortcuts.emplace(shortcut, item.name);
            EXPECT_TRUE(added) << item.name << " and " << at->second << " share " << item.shortcut;
        }
        const char key = AccessKey(item.caption);
        EXPECT_NE(key, 0) << item.name << " has no access key";
        const auto [at, added] = keys.emplace(std::pair(std::string(item.menu), key), item.name);
        EXPECT_TRUE(added) << item.name << " and " << at->second << " share &" << key;
    }
}

}  // namespace
}  // namespace tallymar::testing
