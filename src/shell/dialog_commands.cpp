#include "shell/dialog_commands.h"

#include "dialogs/date_time_dialog.h"
#include "dialogs/mode_dialog.h"
#include "help/help_book.h"
#include "settings/settings.h"
#include "shell/help_commands.h"
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
        case Command::mnuHelpTallymar:
            help_.ShowHelp(kHelpContentsPage);
            break;
        case Command::mnuHelpTip:
            help_.ShowTip();
            break;
        case Command::mnuHelpTallymarWebsite:
            help_.OpenWebsite();
            break;
        case Command::mnuHelpAbout:
            help_.ShowAbout();
            break;
        default:
            // Colors, Converter and Sounds are still to come.
            break;
    }
}

void DialogCommands::ShowDateTime() {
    DateTimeDialog dialog(&window_, &settings_.PrintDate, &settings_.PrintTime);
    window_.RunDialog(dialog);
}

void DialogCommands::ShowMode() {
    ModeDialog dialog(
        &window_, commands_.calc().options().CalcMode,
        [this](bool calc_mode) {
            window_.tape_window().Apply(
                [calc_mode](Commands& commands) { commands.SetCalcMode(calc_mode); });
        },
        [this] { help_.ShowHelp(kCalculatorModePage); });
    window_.RunDialog(dialog);
}

}  // namespace tallymar
