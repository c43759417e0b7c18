// The main window's menu bar, built in one place from the menu table
// (commands/menu_bar.h): every item with its caption, shortcut and check mark.
// The main window connects each item to its command.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <map>
#include <vector>

#include "commands/command.h"

class QMenuBar;

namespace tallymar {

class Menus {
  public:
    explicit Menus(QMenuBar& bar);

    // The item that runs `command`; nullptr for a command with no item (the buttons).
    QAction* Item(Command command) const;
    // Every item, with the command it runs.
    const std::map<Command, QAction*>& Items() const { return items_; }
    // Every shortcut of the menus.
    std::vector<QKeySequence> Shortcuts() const;

  private:
    std::map<Command, QAction*> items_;
};

}  // namespace tallymar
