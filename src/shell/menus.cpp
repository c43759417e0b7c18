#include "shell/menus.h"

#include <QMenu>
#include <QMenuBar>

namespace tallymar {
namespace {

QAction* Item(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

}  // namespace

Menus BuildMenus(QMenuBar& bar) {
    Menus m{};
    QMenu* file = bar.addMenu("&File");
    file->setObjectName("mnuFile");
    m.mnuFileNew = Item(file, "mnuFileNew", "&New", QKeySequence("Ctrl+N"));
    m.mnuFileOpen = Item(file, "mnuFileOpen", "&Open...", QKeySequence("Ctrl+O"));
    file->addSeparator();
    m.mnuFileSave = Item(file, "mnuFileSave", "&Save", QKeySequence("Ctrl+S"));
    m.mnuFileSaveAs = Item(file, "mnuFileSaveAs", "Save &As...", QKeySequence("Ctrl+A"));
    file->addSeparator();
    m.mnuFilePrint = Item(file, "mnuFilePrint", "&Print", QKeySequence("Ctrl+P"));
    m.mnuFilePrintSetup = Item(file, "mnuFilePrintSetup", "Print set&up...");
    m.mnuFilePrintPreview = Item(file, "mnuFilePrintPreview", "Print pre&view");
    file->addSeparator();
    m.mnuFileExit = Item(file, "mnuFileExit", "E&xit");

    QMenu* edit = bar.addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    m.mnuEditInsert = Item(edit, "mnuEditInsert", "&Insert row", QKeySequence("Ctrl+I"));
    m.mnuEditDelete = Item(edit, "mnuEditDelete", "&Delete row", QKeySequence("Ctrl+D"));
    m.mnuEditCopy = Item(edit, "mnuEditCopy", "&Copy", QKeySequence("Ctrl+C"));
    m.mnuEditClear = Item(edit, "mnuEditClear", "Clear tape");

    QMenu* options = bar.addMenu("&Options");
    options->setObjectName("mnuOptions");
    m.mnuOptionsAlwaysOnTop = Item(options, "mnuOptionsAlwaysOnTop", "&Always on top");
    m.mnuOptionsAlwaysOnTop->setCheckable(true);
    m.mnuOptionsColors = Item(options, "mnuOptionsColors", "&Colors...");
    m.mnuOptionsConverter = Item(options, "mnuOptionsConverter", "Con&verter...");
    m.mnuOptionsDateTime = Item(options, "mnuOptionsDateTime", "&Date, time...");
    m.mnuOptionsMode = Item(options, "mnuOptionsMode", "&Mode...");
    m.mnuOptionsSounds = Item(options, "mnuOptionsSounds", "&Sounds...");
    m.mnuOptionsVoiceCallback = Item(options, "mnuOptionsVoiceCallback", "&Voice callback");
    m.mnuOptionsVoiceCallback->setCheckable(true);

    QMenu* help = bar.addMenu("&Help");
    help->setObjectName("mnuHelp");
    m.mnuHelpTallymar = Item(help, "mnuHelpTallymar", "&Help ...", QKeySequence("F1"));
    m.mnuHelpTip = Item(help, "mnuHelpTip", "&Tip of the Day...");
    help->addSeparator();
    m.mnuHelpTallymarWebsite = Item(help, "mnuHelpTallymarWebsite", "&Tallymar website");
    m.mnuHelpAbout = Item(help, "mnuHelpAbout", "&About Tallymar...");
    return m;
}

std::vector<QKeySequence> Menus::Shortcuts() const {
    std::vector<QKeySequence> keys;
    for (QAction* action : {mnuFileNew, mnuFileOpen, mnuFileSave, mnuFileSaveAs, mnuFilePrint,
                            mnuEditInsert, mnuEditDelete, mnuEditCopy, mnuHelpTallymar}) {
        keys.push_back(action->shortcut());
    }
    return keys;
}

}  // namespace tallymar
