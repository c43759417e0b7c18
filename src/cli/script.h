// Key scripts: the text a user types into the tape, with braced tokens for the
// keys, window actions, settings and message-box answers that are not characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallymar::cli {

struct Action {
    enum class Kind {
        kType,       // a character typed into the focused row
        kKey,        // a key: `name` is its token (Enter, S-Up, C-c, ...)
        kMenu,       // Insert, Delete, Copy, SelectAll, Clear, New, Callback, Dump, or an item's name
        kDecimals,   // number = decimal code
        kMode,       // number = 1 for calculator mode
        kClick,      // number = row
        kClickLine,  // number = tape line: a click on the row showing it, scrolled to first
        kShiftClick,
        kShiftDrag,  // number = row, y = twips
        kScroll,
        kWheel,  // number = notches, positive turned away from the user
        kRows,
        kVoice,  // name = Voice, CallbackVoice or Machine; text = the value
        kAnswer,
        kFile,  // name = Open, Save, Export or Pdf; text = the path
        // name = Theme, NewTheme (text = the name), DeleteTheme, Convert (parts = from,
        // amount, to), ConvertButton, ShowConversion (number = 1 for on)
        kDialog,
        kFind,       // name = Find (text = what to find), FindNext or FindPrevious
    };
    Kind kind = Kind::kType;
    std::size_t position = 0;  // byte offset of the action in the script
    char32_t character = 0;
    std::string name;
    std::string text;
    int number = 0;
    double y = 0;
    std::vector<std::string> parts;
};

struct ScriptError {
    std::size_t position = 0;
    std::string message;
};

// Parses a whole script; returns false with *error filled in when it is not valid.
bool ParseScript(std::string_view script, std::vector<Action>* actions, ScriptError* error);

}  // namespace tallymar::cli
