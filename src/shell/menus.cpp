#include "shell/menus.h"

#include <QMenu>
#include <QMenuBar>
#include <string_view>

#include "commands/menu_bar.h"

namespace tallymar {

Menus::Menus(QMenuBar& bar) {
    for (const MenuTitle& title : kMenus) {
        QMenu* menu = bar.addMenu(title.caption);
        menu->setObjectName(title.name);
        for (const MenuItem& item : kMenuItems) {
            if (std::string_view(item.menu) != title.name) continue;
            if (item.separator_before) menu->addSeparator();
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            action->setShortcuts(QKeySequence::listFromString(item.shortcut));
            action->setCheckable(item.check_mark);
            items_[item.command] = action;
        }
    }
}

QAction* Menus::Item(Command command) const {
    const auto found = items_.find(command);
    return found == items_.end() ? nullptr : found->second;
}

std::vector<QKeySequence> Menus::Shortcuts() const {
    std::vector<QKeySequence> keys;
    for (const MenuItem& item : kMenuItems) {
        for (const QKeySequence& key : QKeySequence::listFromString(item.shortcut)) keys.push_back(key);
    }
    return keys;
}

}  // namespace tallymar
