#include "shell/dialog_commands.h"

#include "dialogs/date_time_dialog.h"
#include "dialogs/mode_dialog.h"
#include "dialogs/sound_dialog.h"
#include "settings/settings.h"
#include "shell/main_window.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar {

void DialogCommands::Run(Command command) {
    switch (command) {
        case Command::mnuFilePrint:
        case Command::cmdPrint:
            window_.printing().PrintTape();
            break;
        case Command::mnuFilePrintSetup:
            window_.printing().PrintSetup();
            break;
        case Command::mnuFilePrintPreview:
            window_.printing().PrintPreview();
            break;
        case Command::mnuFileExit:
            window_.close();
            break;
        case Command::mnuOptionsAlwaysOnTop:
            window_.always_on_top().Toggle();
            break;
        case Command::mnuOptionsDateTime:
            ShowDateTime();
            break;
        case Command::mnuOptionsMode:
            ShowMode();
            break;
        case Command::mnuOptionsSounds:
            ShowSounds();
            break;
        default:
            // Colors, Converter, Help, Tip, the website and About are still to come.
            break;
    }
}

void DialogCommands::ShowDateTime() {
    DateTimeDialog dialog(&window_, &settings_.PrintDate, &settings_.PrintTime);
    window_.RunDialog(dialog);
}

void DialogCommands::ShowSounds() {
    SoundsForm form = commands_.OpenSoundsForm();
    SoundDialog dialog(&window_, form);
    window_.RunDialog(dialog);
}

void DialogCommands::ShowMode() {
    ModeDialog dialog(&window_, commands_.calc().options().CalcMode, [this](bool calc_mode) {
        window_.tape_window().Apply(
            [calc_mode](Commands& commands) { commands.SetCalcMode(calc_mode); });
    });
    window_.RunDialog(dialog);
}

}  // namespace tallymar
