#include "engine/tape_line.h"

#include <algorithm>

#include "engine/text_codec.h"

namespace tallymar {
void SetEntry(TapeLine& line, std::string_view utf8_text) {
    std::string bytes = Utf8ToCp1252(utf8_text);
    bytes.resize(kEntryLength, ' ');
    std::copy(bytes.begin(), bytes.end(), line.Entry.begin());
}

std::string EntryText(const TapeLine& line) {
    return Cp1252ToUtf8(std::string_view(line.Entry.data(), line.Entry.size()));
}

std::string EntryShown(const TapeLine& line) {
    std::string_view bytes(line.Entry.data(), line.Entry.size());
    return Cp1252ToUtf8(bytes.substr(0, bytes.find('\0')));
}

}  // namespace tallymar
