// The menu bar as data: every menu and item with its caption ("&" marks the
// access letter), shortcut and check mark, in order. The window's shell builds its
// menus from it; tallymar-cli names commands by the same item names.
#pragma once

#include "commands/command.h"

namespace tallymar {

struct MenuTitle {
    const char* name;     // "mnuFile"
    const char* caption;  // "&File"
};

struct MenuItem {
    const char* menu;  // the name of the menu it is in
    Command command;
    const char* name;
    const char* caption;
    const char* shortcut = "";  // as the toolkit writes it: "Ctrl+N", "F1", "Ctrl+Y; Ctrl+Z"
    bool check_mark = false;
    bool separator_before = false;
};

inline constexpr MenuTitle kMenus[] = {
    {"mnuFile", "&File"},
    {"mnuEdit", "&Edit"},
    {"mnuOptions", "&Options"},
    {"mnuHelp", "&Help"},
};

inline constexpr MenuItem kMenuItems[] = {
    {"mnuFile", Command::mnuFileNew, "mnuFileNew", "&New", "Ctrl+N"},
    {"mnuFile", Command::mnuFileOpen, "mnuFileOpen", "&Open...", "Ctrl+O"},
    {"mnuFile", Command::mnuFileSave, "mnuFileSave", "&Save", "Ctrl+S", false, true},
    {"mnuFile", Command::mnuFileSaveAs, "mnuFileSaveAs", "Save &As...", "Ctrl+Shift+S"},
    {"mnuFile", Command::mnuFileExport, "mnuFileExport", "&Export..."},
    {"mnuFile", Command::mnuFilePrint, "mnuFilePrint", "&Print", "Ctrl+P", false, true},
    {"mnuFile", Command::mnuFilePrintSetup, "mnuFilePrintSetup", "Print set&up..."},
    {"mnuFile", Command::mnuFilePrintPreview, "mnuFilePrintPreview", "Print pre&view"},
    {"mnuFile", Command::mnuFileExit, "mnuFileExit", "E&xit", "Ctrl+Q", false, true},
    {"mnuEdit", Command::mnuEditUndo, "mnuEditUndo", "&Undo", "Ctrl+Z"},
    // Two shortcuts, separated by "; ".
    {"mnuEdit", Command::mnuEditRedo, "mnuEditRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y"},
    {"mnuEdit", Command::mnuEditInsert, "mnuEditInsert", "&Insert row", "Ctrl+I", false, true},
    {"mnuEdit", Command::mnuEditDelete, "mnuEditDelete", "&Delete row", "Ctrl+D"},
    {"mnuEdit", Command::mnuEditCopy, "mnuEditCopy", "&Copy", "Ctrl+C"},
    {"mnuEdit", Command::mnuEditSelectAll, "mnuEditSelectAll", "Select &all", "Ctrl+A"},
    {"mnuEdit", Command::mnuEditClear, "mnuEditClear", "Clear &tape"},
    {"mnuEdit", Command::mnuEditFind, "mnuEditFind", "&Find...", "Ctrl+F", false, true},
    {"mnuEdit", Command::mnuEditFindNext, "mnuEditFindNext", "Find &next", "F3"},
    {"mnuEdit", Command::mnuEditFindPrevious, "mnuEditFindPrevious", "Find &previous", "Shift+F3"},
    {"mnuOptions", Command::mnuOptionsAlwaysOnTop, "mnuOptionsAlwaysOnTop", "&Always on top", "",
     true},
    {"mnuOptions", Command::mnuOptionsColors, "mnuOptionsColors", "&Colors..."},
    {"mnuOptions", Command::mnuOptionsConverter, "mnuOptionsConverter", "Co&nverter..."},
    {"mnuOptions", Command::mnuOptionsDateTime, "mnuOptionsDateTime", "&Date, time..."},
    {"mnuOptions", Command::mnuOptionsMode, "mnuOptionsMode", "&Mode..."},
    {"mnuOptions", Command::mnuOptionsSounds, "mnuOptionsSounds", "&Sounds..."},
    {"mnuOptions", Command::mnuOptionsVoiceCallback, "mnuOptionsVoiceCallback", "&Voice callback",
     "", true},
    {"mnuHelp", Command::mnuHelpTallymar, "mnuHelpTallymar", "&Help ...", "F1"},
    {"mnuHelp", Command::mnuHelpTip, "mnuHelpTip", "&Tip of the Day..."},
    {"mnuHelp", Command::mnuHelpTallymarWebsite, "mnuHelpTallymarWebsite", "Tallymar &website", "",
     false, true},
    {"mnuHelp", Command::mnuHelpAbout, "mnuHelpAbout", "&About Tallymar..."},
};

// The tape window's buttons, which run commands as the menu items do.
struct ButtonItem {
    Command command;
    const char* name;
};
inline constexpr ButtonItem kButtons[] = {
    {Command::cmdPrint, "cmdPrint"},
    {Command::cmdCallIt, "cmdCallIt"},
    {Command::cmdClearTape, "cmdClearTape"},
    {Command::cmdConverter, "cmdConverter"},
};

}  // namespace tallymar
