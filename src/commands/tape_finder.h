// Edit > Find…, Find next (F3) and Find previous (Shift+F3): the text last looked
// for, and the search from the line the user is on. A line found is taken into view
// and focused as a click on it would (KeyboardEntry::GoToLine); a text not found is told in a
// message box after a beep, the sound the input voice has for it (no word says "not
// found").
#pragma once

#include <optional>
#include <string>

#include "engine/calc.h"
#include "engine/tape_find.h"

namespace tallymar {

class TapeFinder {
  public:
    explicit TapeFinder(Calc& calc) : calc_(calc) {}

    // Looks for `text` from the line after the focus line (before it, going back),
    // round the tape; the text is kept for FindAgain. Returns the line found.
    std::optional<int> Find(const std::string& text, FindDirection direction);
    // The text last looked for, again; nothing when none was looked for yet.
    std::optional<int> FindAgain(FindDirection direction);

    // Whether a text was looked for, for F3 and Shift+F3 to look for it again.
    bool has_text() const { return !text_.empty(); }
    const std::string& text() const { return text_; }
    // The line the text was last found on, -1 when it was not found.
    int found_line() const { return found_line_; }

  private:
    Calc& calc_;
    std::string text_;
    int found_line_ = -1;
};

}  // namespace tallymar
