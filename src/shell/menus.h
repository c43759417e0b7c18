// The main window's menu bar, built in one place: every item with its caption
// and shortcut. The main window connects the items to what they do.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <vector>

class QMenuBar;

namespace tallymar {

struct Menus {
    QAction* mnuFileNew;
    QAction* mnuFileOpen;
    QAction* mnuFileSave;
    QAction* mnuFileSaveAs;
    QAction* mnuFilePrint;
    QAction* mnuFilePrintSetup;
    QAction* mnuFilePrintPreview;
    QAction* mnuFileExit;
    QAction* mnuEditInsert;
    QAction* mnuEditDelete;
    QAction* mnuEditCopy;
    QAction* mnuEditClear;
    QAction* mnuOptionsAlwaysOnTop;
    QAction* mnuOptionsColors;
    QAction* mnuOptionsConverter;
    QAction* mnuOptionsDateTime;
    QAction* mnuOptionsMode;
    QAction* mnuOptionsSounds;
    QAction* mnuOptionsVoiceCallback;
    QAction* mnuHelpTallymar;
    QAction* mnuHelpTip;
    QAction* mnuHelpTallymarWebsite;
    QAction* mnuHelpAbout;

    // Every shortcut of the menus.
    std::vector<QKeySequence> Shortcuts() const;
};

Menus BuildMenus(QMenuBar& bar);

}  // namespace tallymar
