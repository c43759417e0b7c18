// The commands the window's shell carries out itself: those that show a dialog,
// print, or act on the main window. Each dialog (src/dialogs/) is made here with
// what it edits and shown modally under the always-on-top rule; what the user
// chooses in it goes back through the commands. The converter is the one
// modeless dialog: it stays open beside the tape until it or the main window closes.
#pragma once

#include <QPointer>
#include <vector>

#include "commands/command_port.h"
#include "commands/commands.h"
#include "converter/converter_ports.h"
#include "settings/apply_colors.h"

namespace tallymar {

class ConverterDialog;
class HelpCommands;
class MainWindow;
struct Settings;

// The tape as the colour and converter dialogs reach it: through the commands,
// with the tape window showing the model again after each change.
class WindowTape : public TapeWriter, public TapeColours {
  public:
    explicit WindowTape(MainWindow& window) : window_(window) {}
    void AppendConversion(const std::vector<ConversionLine>& lines) override;
    void ApplyColors(const Colours& colours) override;

  private:
    MainWindow& window_;
};

class DialogCommands : public CommandPort {
  public:
    DialogCommands(MainWindow& window, Commands& commands, Settings& settings, HelpCommands& help)
        : window_(window), commands_(commands), settings_(settings), help_(help), tape_(window) {}
    ~DialogCommands() override;

    void Run(OutsideCommand what, Command command) override;
    // The Sounds dialog, modal; also opened by the voice callback when no callback
    // voice is chosen.
    void ShowSounds();

    // The five colours the program paints with: the current theme's at start-up,
    // then as the colour dialog changes them.
    Colours& current_colours() { return colours_; }
    // The converter while it is open, nullptr when it is closed.
    ConverterDialog* converter() const;
    // Closes the converter (the main window is closing).
    void CloseConverter();

  private:
    void ShowDateTime();
    void ShowFind();
    void ShowMode();
    void ShowColors();
    void ShowConverter();
    void ToggleAlwaysOnTop();

    MainWindow& window_;
    Commands& commands_;
    Settings& settings_;
    HelpCommands& help_;
    WindowTape tape_;
    Colours colours_;
    QPointer<ConverterDialog> converter_;
};

}  // namespace tallymar
