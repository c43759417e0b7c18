// The one way user actions reach the system. The tape window's widgets and
// tallymar-cli's key scripts both call these, so a key, a click, the wheel, the
// scroll bar, a resize, a decimal button, the four buttons and every menu command
// take the same path to the engine and the tape files whatever sends them. A
// command that needs a dialog, the printer, the browser or the main window goes
// out through the CommandPort.
#pragma once

#include <optional>
#include <string>

#include "commands/command.h"
#include "commands/command_port.h"
#include "commands/keystroke.h"
#include "commands/tape_finder.h"
#include "commands/tape_ports.h"
#include "engine/calc.h"
#include "engine/sounds_form.h"
#include "files/tape_files.h"

namespace tallymar {

class Commands {
  public:
    Commands(Calc& calc, TapeFiles& files)
        : calc_(calc), files_(files), tape_(calc), finder_(calc) {}

    // Where the commands go that need the world outside; until one is set they do nothing.
    void SetOutside(CommandPort* outside) { outside_ = outside; }

    const Calc& calc() const { return calc_; }
    const TapeFiles& files() const { return files_; }

    // --- the tape window ---
    // A key pressed in `row`: its key-down, then its key-press when it types a
    // character. For a key the box keeps (KeptByTheBox) only the key-down is passed
    // on and true comes back: the box then edits itself and reports with BoxEdited.
    bool Key(int row, const Keystroke& key);
    // The box changed its own text or caret.
    void BoxEdited(int row, const std::string& text, int sel_start, int sel_length) {
        calc_.keyboard().BoxEdited(row, text, sel_start, sel_length);
    }
    // A row's amount box got the focus (a click, mostly).
    void Focus(int row) { calc_.keyboard().SetFocus(row); }
    // A Shift+click (either button), and a Shift+drag `y_twips` below the top of the row.
    void ShiftClick(int row) {
        calc_.keyboard().MouseDown(row, shift::kShift);
        calc_.keyboard().SetFocus(row);
    }
    void ShiftDrag(int row, double y_twips) {
        calc_.keyboard().MouseMove(row, kLeftButton, shift::kShift, y_twips);
    }
    void OperatorClick(int row) { calc_.keyboard().SetFocus(row); }
    // The mouse wheel turned `notches` (away from the user: earlier lines).
    void Wheel(int notches) { calc_.keyboard().ScrollByWheel(notches); }
    void Scroll(int value) { calc_.keyboard().ScrollTo(value); }  // the scroll bar moved
    void Resize(int rows) { calc_.keyboard().Resize(rows); }      // the rows that fit now
    void DecimalButton(int index) { calc_.DecimalOptionClick(index); }

    // --- the menus and the tape window's buttons ---
    // Carries out the command on the engine or the tape files, or sends it out.
    void Run(Command command);
    // The check mark of the "Voice callback" item.
    bool voice_callback_checked() const { return voice_callback_checked_; }
    // The Value of the callback button (cmdCallIt), a toggle: pressed while a reading
    // it or the menu started runs, released when the reading ends.
    bool call_it_value() const { return call_it_value_; }
    // The main window is about to close: the save question when the tape changed.
    // False when the close must not go on; when it goes on, a reading stops.
    bool MayClose();

    // --- what the dialogs and the command line choose ---
    // A tape file named on the command line.
    void OpenFile(const std::string& path) { files_.OpenAtStart(path); }
    // File > Open Recent's item `index` (0 the most recent); nothing past the list.
    void OpenRecent(std::size_t index) {
        const std::vector<std::string>& paths = files_.recent().paths();
        if (index < paths.size()) files_.OpenRecent(std::string(paths[index]));
    }
    // The main window's caption follows the tape: its name, and whether it has changes to save.
    void RefreshCaption() { files_.RefreshCaption(); }
    void SetCalcMode(bool calc_mode) {  // the Mode dialog
        Options options = calc_.options();
        options.CalcMode = calc_mode;
        calc_.SetOptions(options);
    }
    // The Sounds dialog's and tallymar-cli's voice and machine choices.
    void ChooseSound(SoundChoice choice, const std::string& name) {
        calc_.SetOptions(WithSound(calc_.options(), choice, name));
    }
    // The tape as the converter writes onto it, and as the colour dialog recolours it.
    TapeWriter& converter_tape() { return tape_; }
    TapeColours& tape_colours() { return tape_; }
    // The Sounds dialog's model, opened on the engine's sound settings.
    SoundsForm OpenSoundsForm() { return SoundsForm(calc_); }
    // The Find dialog's Find next and Find previous: `text` looked for from the line
    // the user is on; the line found, taken into view and focused.
    std::optional<int> Find(const std::string& text, FindDirection direction) {
        return finder_.Find(text, direction);
    }
    // F3 and Shift+F3: the text last looked for, again; before any, the Find dialog
    // opens (asked for by `command`) and nothing is found.
    std::optional<int> FindAgain(FindDirection direction,
                                 Command command = Command::mnuEditFindNext);
    const TapeFinder& finder() const { return finder_; }

  private:
    Calc& calc_;
    TapeFiles& files_;
    EngineTape tape_;
    TapeFinder finder_;
    CommandPort* outside_ = nullptr;
    bool voice_callback_checked_ = false;
    bool call_it_value_ = false;

    void Out(OutsideCommand what, Command command);
    // The callback button's click handler: starts a reading, or stops the one running.
    void CallItClicked();
    void VoiceCallbackMenu();
};

}  // namespace tallymar
