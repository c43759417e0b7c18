#include "commands/tape_finder.h"

#include "engine/sounds.h"

namespace tallymar {

std::optional<int> TapeFinder::Find(const std::string& text, FindDirection direction) {
    text_ = text;
    return FindAgain(direction);
}

std::optional<int> TapeFinder::FindAgain(FindDirection direction) {
    if (text_.empty()) return std::nullopt;
    const FindQuery query(text_, calc_.symbols());
    const int count = static_cast<int>(calc_.tape().size());
    const bool next = direction == FindDirection::kNext;
    // From the line the user is on; with no row focused, from the line last found, or
    // from the tape's start (its end, going back).
    int from = calc_.view().FocusLine();
    if (from < 0) from = found_line_;
    if (from < 0) from = next ? -1 : count;
    const std::optional<int> found =
        FindLine(calc_.tape().lines(), query, from + (next ? 1 : -1), direction);
    found_line_ = found.value_or(-1);
    if (found) {
        calc_.keyboard().GoToLine(*found);
    } else {
        SayNotFound(calc_.ports(), calc_.options().CallInputCharacter);
        calc_.ports().dialogs.ShowMessage(Message{kProgramTitle, "Cannot find \"" + text_ + "\".",
                                                  Buttons::kOk, Icon::kInformation});
    }
    return found;
}

}  // namespace tallymar
