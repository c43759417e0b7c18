#include "commands/command.h"

#include "commands/menu_bar.h"

namespace tallymar {

std::string_view CommandName(Command command) {
    for (const MenuItem& item : kMenuItems) {
        if (item.command == command) return item.name;
    }
    for (const ButtonItem& button : kButtons) {
        if (button.command == command) return button.name;
    }
    return {};
}

std::optional<Command> CommandNamed(std::string_view name) {
    for (const MenuItem& item : kMenuItems) {
        if (item.name == name) return item.command;
    }
    for (const ButtonItem& button : kButtons) {
        if (button.name == name) return button.command;
    }
    return std::nullopt;
}

}  // namespace tallymar
