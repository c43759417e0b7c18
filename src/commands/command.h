// Every command of the menus and of the tape window's four buttons, by the name
// of its menu item or button.
#pragma once

#include <optional>
#include <string_view>

namespace tallymar {

enum class Command {
    mnuFileNew,
    mnuFileOpen,
    mnuFileSave,
    mnuFileSaveAs,
    mnuFileExport,
    mnuFilePrint,
    mnuFilePrintSetup,
    mnuFilePrintPreview,
    mnuFileExit,
    mnuEditUndo,
    mnuEditRedo,
    mnuEditInsert,
    mnuEditDelete,
    mnuEditCopy,
    mnuEditSelectAll,
    mnuEditClear,
    mnuEditFind,
    mnuEditFindNext,
    mnuEditFindPrevious,
    mnuOptionsAlwaysOnTop,
    mnuOptionsColors,
    mnuOptionsConverter,
    mnuOptionsDateTime,
    mnuOptionsMode,
    mnuOptionsSounds,
    mnuOptionsVoiceCallback,
    mnuHelpTallymar,
    mnuHelpTip,
    mnuHelpTallymarWebsite,
    mnuHelpAbout,
    cmdPrint,
    cmdCallIt,
    cmdClearTape,
    cmdConverter,
};

// The name of the menu item or button ("mnuFileNew", "cmdCallIt").
std::string_view CommandName(Command command);
// The command of that name, if any.
std::optional<Command> CommandNamed(std::string_view name);

}  // namespace tallymar
