// The name rules of the converter's labels and tape lines.
#include "converter/unit_names.h"

#include <algorithm>

namespace tallymar {

namespace {

constexpr std::string_view kSquare = "square";
constexpr size_t kSquareShortenedFrom = 16;  // characters

bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text) count += StartsCharacter(c) ? 1 : 0;
    return count;
}

}  // namespace

std::string TrimUnitName(std::string_view name) {
    const size_t end = name.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view()
                                                     : name.substr(0, end + 1));
}

std::string FlipUnitName(std::string_view name) {
    const size_t comma = name.find(',');
    if (comma == std::string_view::npos) return std::string(name);
    const size_t after = std::min(comma + 2, name.size());  // past the comma and its blank
    std::string flipped(name.substr(after));
    flipped += ' ';
    flipped += name.substr(0, comma);
    return flipped;
}

std::string NameForAmount(std::string_view singular, std::string_view plural, double amount) {
    const bool one = amount == 1 || amount == -1;
    return FlipUnitName(TrimUnitName(one ? singular : plural));
}

std::string ShortenSquare(std::string_view caption) {
    if (CharacterCount(caption) < kSquareShortenedFrom ||
        caption.find(kSquare) == std::string_view::npos) {
        return std::string(caption);
    }
    return "sq." + std::string(caption.substr(kSquare.size()));
}

std::string FirstCharacters(std::string_view text, int count) {
    size_t end = 0;
    for (int taken = 0; end < text.size(); ++end) {
        if (StartsCharacter(text[end]) && taken++ == count) break;
    }
    return std::string(text.substr(0, end));
}

}  // namespace tallymar
