// The commands the window's shell carries out itself: those that show a dialog,
// print, or act on the main window. Each dialog (src/dialogs/) is made here with
// what it edits and shown modally under the always-on-top rule; what the user
// chooses in it goes back through the commands.
#pragma once

#include "commands/command_port.h"
#include "commands/commands.h"

namespace tallymar {

class MainWindow;
struct Settings;

class DialogCommands : public CommandPort {
  public:
    DialogCommands(MainWindow& window, Commands& commands, Settings& settings)
        : window_(window), commands_(commands), settings_(settings) {}

    void Run(Command command) override;
    // The Sounds dialog, modal; also opened by the voice callback when no callback
    // voice is chosen.
    void ShowSounds();

  private:
    void ShowDateTime();
    void ShowMode();

    MainWindow& window_;
    Commands& commands_;
    Settings& settings_;
};

}  // namespace tallymar
