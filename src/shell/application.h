// Tallymar as a whole: the settings, the engine, the tape files and the main
// window, wired together and started in the order start-up needs.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "commands/commands.h"
#include "engine/calc.h"
#include "files/std_file_system.h"
#include "files/tape_files.h"
#include "platform/ini_file.h"
#include "platform/qt/end_signals.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_ports.h"
#include "settings/settings.h"
#include "shell/dialog_commands.h"
#include "shell/help_commands.h"
#include "shell/main_window.h"
#include "shell/recovery_copies.h"

namespace tallymar {

class Application : public CaptionPort {
  public:
    // `program_folder` is where the tips, help, default settings and sounds are
    // looked for first, before the installed data folder (and where an older set-up
    // kept "Tallymar.ini"); `dialogs` replaces the Open and Save As dialogs (tests
    // answer them), nullptr for Qt's; `sound` plays the wave files in place of the
    // sound device (tests listen to it), nullptr for SDL; `settings_path` names the
    // settings file, "" for the user's own (SettingsPath).
    explicit Application(const std::string& program_folder, FileDialogs* dialogs = nullptr,
                         WavePlayer* sound = nullptr, const std::string& settings_path = "");
    ~Application() override;

    // Reads the settings (a first start without a settings file takes an older
    // set-up's or the shipped one), shows the main window with a new tape, the tip of
    // the day when the settings ask for it, offers back a recovery copy, and opens the
    // tape file named on the command line ("" for none). The tip opens once the window
    // has painted, and what follows it then: until then, starting() is true.
    void Start(const std::string& command_line_path);
    bool starting() const { return starting_; }

    MainWindow& window() { return *window_; }
    Calc& calc() { return calc_; }
    Commands& commands() { return *commands_; }
    Settings& settings() { return settings_; }
    TapeFiles& files() { return *files_; }
    DialogCommands& dialog_commands() { return *dialog_commands_; }
    HelpCommands& help() { return *help_; }
    RecoveryCopies& recovery() { return *recovery_; }
    // What ends the program once a signal (SIGTERM, SIGHUP, SIGINT) has had the settings
    // and the recovery copy written; tests put in their own.
    std::function<void()> exit_after_signal;
    const std::string& settings_path() const { return settings_path_; }

    void SetCaption(const std::string& caption) override;
    void SetBusy(bool busy) override;

  private:
    // Start-up after the tip of the day: the recovery copy, the command line's file.
    void FinishStart(const std::string& command_line_path);
    void LoadWindowPlace();
    // Writes the settings this window changed; a failure is told in a message box, or
    // on the standard error when the program is being ended from outside.
    void SaveSettingsNow(bool tell_failure = true);

    std::vector<std::string> data_folders_;
    std::string program_folder_;
    std::string settings_path_;
    IniFile ini_;
    Settings settings_;
    QtPorts ports_;
    Calc calc_;
    StdFileSystem file_system_;
    QtFileDialogs qt_dialogs_;
    FileDialogs& dialogs_;
    std::unique_ptr<TapeFiles> files_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<DialogCommands> dialog_commands_;
    std::unique_ptr<RecoveryCopies> recovery_;
    std::unique_ptr<EndSignals> end_signals_;
    bool starting_ = false;  // the tip of the day and what follows it are still to come
};

// The message shown when the settings file cannot be written at shut-down.
std::string SettingsNotSavedText(const std::string& path, const std::string& reason);

// What the program's command line asks for: `--settings FILE` and a tape file to
// open. Names are taken byte for byte as the system passed them (a blank at the
// end, bytes that are no UTF-8); "--" ends the options.
struct CommandLine {
    std::string settings_path;  // "" for the user's own settings file
    std::string tape_path;      // "" for none
    std::string error;          // what was wrong with the arguments, "" when nothing
};
CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace tallymar
