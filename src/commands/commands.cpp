#include "commands/commands.h"

#include "files/tape_export.h"

namespace tallymar {

bool KeptByTheBox(const Keystroke& key) {
    const bool caret_or_delete =
        key.key_code == key::kLeft || key.key_code == key::kRight || key.key_code == key::kDelete;
    return caret_or_delete && (key.shift_state & (shift::kCtrl | shift::kAlt)) == 0;
}

bool Commands::Key(int row, const Keystroke& key) {
    calc_.keyboard().KeyDown(row, key.key_code, key.shift_state);
    if (KeptByTheBox(key)) return true;
    if (key.character != character::kNone) calc_.keyboard().KeyPress(row, key.character);
    return false;
}

// Every command has its case here and there is no default: the library is built
// with -Werror=switch, so a new command does not build until it is given its
// action, here or out through the port.
void Commands::Run(Command command) {
    switch (command) {
        case Command::mnuFileNew:
            // A new tape starts a history of its own; Clear tape can be undone.
            if (files_.NewTape()) calc_.ForgetHistory();
            break;
        case Command::mnuEditUndo:
            calc_.Undo();
            break;
        case Command::mnuEditRedo:
            calc_.Redo();
            break;
        case Command::mnuEditClear:
        case Command::cmdClearTape:
            files_.NewTape();
            break;
        case Command::mnuFileOpen:
            files_.Open();
            break;
        case Command::mnuFileSave:
            files_.SaveTape();
            break;
        case Command::mnuFileSaveAs:
            files_.SaveTapeAs();
            break;
        case Command::mnuFileExport:
            ExportTape(calc_, files_.dialogs(), files_.file_system(), files_.ShownTitle());
            break;
        case Command::mnuEditInsert:
            calc_.keyboard().MenuInsert();
            break;
        case Command::mnuEditDelete:
            calc_.keyboard().MenuDelete();
            break;
        case Command::mnuEditCopy:
            calc_.keyboard().CopySelection();
            break;
        case Command::mnuEditSelectAll:
            calc_.keyboard().SelectAll();
            break;
        case Command::mnuEditFind:
            Out(OutsideCommand::kFind, command);
            break;
        case Command::mnuEditFindNext:
            FindAgain(FindDirection::kNext, command);
            break;
        case Command::mnuEditFindPrevious:
            FindAgain(FindDirection::kPrevious, command);
            break;
        case Command::mnuOptionsVoiceCallback:
            VoiceCallbackMenu();
            break;
        case Command::cmdCallIt:
            // A click toggles the button, then its click handler runs.
            call_it_value_ = !call_it_value_;
            CallItClicked();
            break;
        case Command::mnuFilePrint:
        case Command::cmdPrint:
            Out(OutsideCommand::kPrint, command);
            break;
        case Command::mnuFilePrintSetup:
            Out(OutsideCommand::kPrintSetup, command);
            break;
        case Command::mnuFilePrintPreview:
            Out(OutsideCommand::kPrintPreview, command);
            break;
        case Command::mnuFileExit:
            Out(OutsideCommand::kExit, command);
            break;
        case Command::mnuOptionsAlwaysOnTop:
            Out(OutsideCommand::kAlwaysOnTop, command);
            break;
        case Command::mnuOptionsColors:
            Out(OutsideCommand::kColors, command);
            break;
        case Command::mnuOptionsConverter:
        case Command::cmdConverter:
            Out(OutsideCommand::kConverter, command);
            break;
        case Command::mnuOptionsDateTime:
            Out(OutsideCommand::kDateTime, command);
            break;
        case Command::mnuOptionsMode:
            Out(OutsideCommand::kMode, command);
            break;
        case Command::mnuOptionsSounds:
            Out(OutsideCommand::kSounds, command);
            break;
        case Command::mnuHelpTallymar:
            Out(OutsideCommand::kHelp, command);
            break;
        case Command::mnuHelpTip:
            Out(OutsideCommand::kTip, command);
            break;
        case Command::mnuHelpTallymarWebsite:
            Out(OutsideCommand::kWebsite, command);
            break;
        case Command::mnuHelpAbout:
            Out(OutsideCommand::kAbout, command);
            break;
    }
}

std::optional<int> Commands::FindAgain(FindDirection direction, Command command) {
    if (!finder_.has_text()) {
        Out(OutsideCommand::kFind, command);
        return std::nullopt;
    }
    return finder_.FindAgain(direction);
}

void Commands::Out(OutsideCommand what, Command command) {
    if (outside_) outside_->Run(what, command);
}

void Commands::CallItClicked() {
    if (calc_.voice_callback().running()) {
        calc_.voice_callback().ButtonClick();  // stops the reading after its current line
        return;
    }
    calc_.voice_callback().ButtonClick();  // reads to the end, or until stopped
    // The reading is over, however it ended: the button and the menu item show it.
    call_it_value_ = false;
    voice_callback_checked_ = false;
}

void Commands::VoiceCallbackMenu() {
    if (voice_callback_checked_) {
        // Removing the mark stops a running reading, whoever started it.
        voice_callback_checked_ = false;
        calc_.voice_callback().Stop();
        return;
    }
    voice_callback_checked_ = true;
    // The button is pressed in code: only a change of its Value runs its click handler,
    // so a reading the button started goes on and the menu only takes its mark.
    if (call_it_value_) return;
    call_it_value_ = true;
    calc_.ports().desktop.Repaint();  // the button shows pressed from the first line on
    CallItClicked();
}

bool Commands::MayClose() {
    const bool may_close = !calc_.tape_changed() || files_.QueryClose();
    // A reading in progress ends with the window rather than speaking on behind it.
    if (may_close) calc_.voice_callback().Stop();
    return may_close;
}

}  // namespace tallymar
