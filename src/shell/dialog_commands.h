// The commands the window's shell carries out itself: those that show a dialog,
// print, or act on the main window. Each dialog (src/dialogs/) is made here with
// what it edits and shown modally under the always-on-top rule; what the user
// chooses in it goes back through the commands.
#pragma once

#include "commands/command_port.h"
#include "commands/commands.h"

namespace tallymar {

class HelpCommands;
class MainWindow;
struct Settings;

class DialogCommands : public CommandPort {
  public:
    DialogCommands(MainWindow& window, Commands& commands, Settings& settings, HelpCommands& help)
        : window_(window), commands_(commands), settings_(settings), help_(help) {}

    void Run(Command command) override;

  private:
    void ShowDateTime();
    void ShowMode();

    MainWindow& window_;
    Commands& commands_;
    Settings& settings_;
    HelpCommands& help_;
};

}  // namespace tallymar
