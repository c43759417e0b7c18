#include "shell/dialog_commands.h"

#include "dialogs/colors_dialog.h"
#include "dialogs/converter_dialog.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/mode_dialog.h"
#include "dialogs/sound_dialog.h"
#include "help/help_book.h"
#include "platform/qt/topmost.h"
#include "settings/settings.h"
#include "shell/help_commands.h"
#include "shell/main_window.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar {

void WindowTape::AppendConversion(const std::vector<ConversionLine>& lines) {
    window_.tape_window().Apply(
        [&lines](Commands& commands) { commands.converter_tape().AppendConversion(lines); });
}

void WindowTape::ApplyColors(const Colours& colours) {
    window_.tape_window().Apply(
        [&colours](Commands& commands) { commands.tape_colours().ApplyColors(colours); });
}

DialogCommands::~DialogCommands() {
    // The converter writes through this object's tape: it goes first.
    delete converter_.data();
}

// Each outside command has its case and there is no default (this file is built with
// -Werror=switch): a new one does not build until the window says what it does.
void DialogCommands::Run(OutsideCommand what, Command) {
    switch (what) {
        case OutsideCommand::kPrint:
            window_.printing().PrintTape();
            break;
        case OutsideCommand::kPrintSetup:
            window_.printing().PrintSetup();
            break;
        case OutsideCommand::kPrintPreview:
            window_.printing().PrintPreview();
            break;
        case OutsideCommand::kExit:
            window_.close();
            break;
        case OutsideCommand::kAlwaysOnTop:
            ToggleAlwaysOnTop();
            break;
        case OutsideCommand::kColors:
            ShowColors();
            break;
        case OutsideCommand::kConverter:
            ShowConverter();
            break;
        case OutsideCommand::kDateTime:
            ShowDateTime();
            break;
        case OutsideCommand::kMode:
            ShowMode();
            break;
        case OutsideCommand::kSounds:
            ShowSounds();
            break;
        case OutsideCommand::kHelp:
            help_.ShowHelp(kHelpContentsPage);
            break;
        case OutsideCommand::kTip:
            help_.ShowTip();
            break;
        case OutsideCommand::kWebsite:
            help_.OpenWebsite();
            break;
        case OutsideCommand::kAbout:
            help_.ShowAbout();
            break;
        case OutsideCommand::kFind:
            ShowFind();
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

void DialogCommands::ShowFind() {
    FindDialog dialog(&window_, commands_.finder().text(),
                      [this](const std::string& text, FindDirection direction) {
                          bool found = false;
                          window_.tape_window().Apply([&](Commands& commands) {
                              found = commands.Find(text, direction).has_value();
                          });
                          return found;
                      });
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

void DialogCommands::ShowColors() {
    ColorsDialog dialog(&window_, settings_, colours_, tape_);
    window_.RunDialog(dialog);
}

void DialogCommands::ShowConverter() {
    if (converter_) {
        // Open already: brought forward as the user left it.
        converter_->show();
        converter_->raise();
        converter_->activateWindow();
        return;
    }
    auto* dialog = new ConverterDialog(&window_, tape_, settings_.ShowConversion, colours_,
                                       commands_.calc().symbols());
    // Closing it ends it: the next opening starts afresh.
    QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog] {
        if (converter_ == dialog) converter_ = nullptr;
        dialog->deleteLater();
    });
    converter_ = dialog;
    // It stays open beside the main window, so it never lifts "Always on top"; it is
    // kept above a topmost main window instead.
    SetTopmost(dialog, window_.always_on_top().checked());
    dialog->show();
    dialog->activateWindow();
}

void DialogCommands::ToggleAlwaysOnTop() {
    window_.always_on_top().Toggle();
    if (converter_) SetTopmost(converter_, window_.always_on_top().checked());
}

ConverterDialog* DialogCommands::converter() const {
    return converter_;
}

void DialogCommands::CloseConverter() {
    if (ConverterDialog* dialog = converter_) {
        converter_ = nullptr;
        delete dialog;
    }
}

}  // namespace tallymar
