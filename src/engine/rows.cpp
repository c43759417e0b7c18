#include "engine/rows.h"

#include "engine/keys.h"
#include "engine/text_codec.h"

namespace tallymar {
namespace {

// Byte offset of the character at index `chars` in a UTF-8 text (clamped to its end).
size_t ByteOffset(const std::string& text, int chars) {
    size_t i = 0;
    for (int seen = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == chars) return i;
            ++seen;
        }
    }
    return text.size();
}

}  // namespace

void Row::SelectAll() {
    sel_start = 0;
    sel_length = Utf8Length(text);
}

std::string Row::SelectedText() const {
    size_t from = ByteOffset(text, sel_start);
    size_t to = ByteOffset(text, sel_start + sel_length);
    return text.substr(from, to - from);
}

void Row::Type(char32_t character) {
    if (locked) return;
    int length = Utf8Length(text);
    if (sel_start > length) sel_start = length;
    if (sel_start + sel_length > length) sel_length = length - sel_start;
    if (character == character::kBackspace) {
        if (sel_length == 0) {
            if (sel_start == 0) return;
            --sel_start;
            sel_length = 1;
        }
    } else if (character < character::kFirstPrintable || character == character::kDelete) {
        return;  // other control characters leave a single-line box as it is
    }
    size_t from = ByteOffset(text, sel_start);
    size_t to = ByteOffset(text, sel_start + sel_length);
    std::string inserted;
    if (character != character::kBackspace) AppendUtf8(inserted, character);
    text.replace(from, to - from, inserted);
    sel_start += character == character::kBackspace ? 0 : 1;
    sel_length = 0;
}

}  // namespace tallymar
