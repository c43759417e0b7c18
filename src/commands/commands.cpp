#include "commands/commands.h"

namespace tallymar {

bool KeptByTheBox(const Keystroke& key) {
    const bool caret_or_delete =
        key.key_code == key::kLeft || key.key_code == key::kRight || key.key_code == key::kDelete;
    return caret_or_delete && (key.shift_state & (shift::kCtrl | shift::kAlt)) == 0;
}

bool Commands::Key(int row, const Keystroke& key) {
    calc_.KeyDown(row, key.key_code, key.shift_state);
    if (KeptByTheBox(key)) return true;
    if (key.character != character::kNone) calc_.KeyPress(row, key.character);
    return false;
}

void Commands::BoxEdited(int row, const std::string& text, int sel_start, int sel_length) {
    calc_.BoxEdited(row, text, sel_start, sel_length);
}

void Commands::Focus(int row) {
    calc_.SetFocus(row);
}

void Commands::ShiftClick(int row, int button) {
    calc_.MouseDown(row, button, shift::kShift);
    calc_.SetFocus(row);
}

void Commands::ShiftDrag(int row, double y_twips) {
    calc_.MouseMove(row, kLeftButton, shift::kShift, y_twips);
}

void Commands::OperatorClick(int row) {
    calc_.OpGotFocus(row);
}

void Commands::Wheel(int notches) {
    calc_.ScrollByWheel(notches);
}

void Commands::Scroll(int value) {
    calc_.ScrollTo(value);
}

void Commands::Resize(int rows) {
    calc_.Resize(rows);
}

void Commands::DecimalButton(int index) {
    calc_.DecimalOptionClick(index);
}

void Commands::Run(Command command) {
    switch (command) {
        case Command::mnuFileNew:
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
        case Command::mnuEditInsert:
            calc_.MenuInsert();
            break;
        case Command::mnuEditDelete:
            calc_.MenuDelete();
            break;
        case Command::mnuEditCopy:
            calc_.CopySelection();
            break;
        case Command::mnuOptionsVoiceCallback:
            VoiceCallbackMenu();
            break;
        case Command::cmdCallIt:
            // A click toggles the button, then its click handler runs.
            call_it_value_ = !call_it_value_;
            CallItClicked();
            break;
        default:
            if (outside_) outside_->Run(command);
            break;
    }
}

void Commands::CallItClicked() {
    if (calc_.callback_running()) {
        calc_.CallbackButtonClick();  // stops the reading after its current line
        return;
    }
    calc_.CallbackButtonClick();  // reads to the end, or until stopped
    // The reading is over, however it ended: the button and the menu item show it.
    call_it_value_ = false;
    voice_callback_checked_ = false;
}

void Commands::VoiceCallbackMenu() {
    if (voice_callback_checked_) {
        // Removing the mark stops a running reading, whoever started it.
        voice_callback_checked_ = false;
        calc_.StopCallback();
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
    if (may_close) calc_.StopCallback();
    return may_close;
}

void Commands::OpenFile(const std::string& path) {
    files_.OpenAtStart(path);
}

void Commands::RefreshCaption() {
    files_.RefreshCaption();
}

void Commands::SetCalcMode(bool calc_mode) {
    calc_.SetCalcMode(calc_mode);
}

void Commands::SetMachineSound(const std::string& machine) {
    calc_.SetMachineSound(machine);
}

void Commands::SetCallInputCharacter(const std::string& voice) {
    calc_.SetCallInputCharacter(voice);
}

void Commands::SetCallbackCharacter(const std::string& voice) {
    calc_.SetCallbackCharacter(voice);
}

}  // namespace tallymar
