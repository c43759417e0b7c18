// The tape window's rows as the engine sees them: each row is an amount box and
// an operator box. A window only mirrors these.
#pragma once

#include <string>
#include <string_view>

#include "options.h"

namespace tallymar {

inline constexpr int kRowHeightTwips = 240;
inline constexpr Colour kSelectionBack = Rgb(0, 0, 128);
inline constexpr Colour kSelectionFore = Rgb(255, 255, 255);
inline constexpr Colour kCommentTypingBack = Rgb(207, 207, 207);

struct Row {
    std::string text;   // the amount box's text, UTF-8
    int sel_start = 0;  // caret and selection, in characters
    int sel_length = 0;
    std::string op;  // the operator box's text
    int font_size = 12;
    bool bold = false;
    bool locked = false;     // the amount box refuses typing
    bool op_locked = false;  // the operator box (only rule rows lock it)
    // A comment's text starts at the box's left; amounts end at its right, so that
    // their decimal points line up down the tape.
    bool align_left = false;
    Colour fore = 0;
    Colour back = Rgb(255, 255, 255);
    Colour op_fore = 0;
    Colour op_back = Rgb(255, 255, 255);

    // Replaces the text as code does: caret to the start, nothing selected.
    void SetText(std::string_view new_text) {
        text = new_text;
        sel_start = 0;
        sel_length = 0;
    }
    void SelectAll();
    void SetColours(Colour fore_colour, Colour back_colour) {
        fore = op_fore = fore_colour;
        back = op_back = back_colour;
    }
    std::string SelectedText() const;
    // What typing a character does to an unlocked box: replaces the selection,
    // or with Backspace deletes it or the character before the caret.
    void Type(char32_t character);

    bool operator==(const Row&) const = default;
};

}  // namespace tallymar
