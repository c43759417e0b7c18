// Voice characters: which file each spoken token maps to, and the files of a
// word, a key or a whole number.
#include "voices.h"

#include <array>
#include <utility>

namespace tallymar {
namespace {

// The speaking characters and their file prefixes; "None" is deliberately absent.
constexpr std::array<std::pair<std::string_view, char>, 6> kVoicePrefixes = {{
    {"Grunk", 'a'},
    {"Rusty", 'b'},
    {"Vesna", 'o'},
    {"Murph", 'p'},
    {"Dermot", 's'},
    {"Pippa", 't'},
}};

// The separator line of the tape: spoken as "n" as a word, never read out as minuses.
constexpr std::string_view kSeparator = "---------------";

// Tokens other than single digits that have a file of their own.
constexpr std::array<std::pair<std::string_view, char>, 10> kTokenCodes = {{
    {".", 'p'},
    {"-", 'm'},
    {"+", '+'},
    {"*", 't'},
    {"/", 'd'},
    {kSeparator, 'n'},
    {"T", 'z'},
    {"=", 'e'},
    {"%", 'q'},
    {kNotFoundWord, 'f'},
}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds prefix + code + ".wav" when both are known; a missing one means silence.
void Say(WaveFiles& files, char prefix, char code) {
    if (prefix == '\0' || code == '\0') return;
    files.push_back(VoiceFile(prefix, code));
}

}  // namespace

char VoicePrefix(std::string_view character) {
    for (const auto& [name, prefix] : kVoicePrefixes) {
        if (name == character) return prefix;
    }
    return '\0';
}

char TokenCode(std::string_view token) {
    if (token.size() == 1 && IsDigit(token[0])) return token[0];
    for (const auto& [text, code] : kTokenCodes) {
        if (text == token) return code;
    }
    return '\0';
}

std::string VoiceFile(char prefix, char code) {
    std::string file;
    file.reserve(6);
    file += prefix;
    file += code;
    file += ".wav";
    return file;
}

WaveFiles WordFiles(std::string_view character, std::string_view token) {
    WaveFiles files;
    Say(files, VoicePrefix(character), TokenCode(token));
    return files;
}

WaveFiles KeyFiles(std::string_view character, std::string_view key) {
    // Only the keys that enter a number speak; operator keys are spoken as words.
    WaveFiles files;
    if (key.size() != 1) return files;
    const char c = key[0];
    if (IsDigit(c) || c == '.' || c == '-') Say(files, VoicePrefix(character), TokenCode(key));
    return files;
}

WaveFiles NumberFiles(std::string_view character, std::string_view text) {
    WaveFiles files;
    if (text == kSeparator) return files;
    const char prefix = VoicePrefix(character);
    if (prefix == '\0') return files;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            Say(files, prefix, c);
        } else if (c == '-') {
            Say(files, prefix, 'm');
        } else if (c == '.' && i + 1 < text.size()) {
            // A trailing point ("12.") is how an integer is shown, not something to read out.
            Say(files, prefix, 'p');
        }
        // Thousands separators, blanks and letters are silent.
    }
    return files;
}

}  // namespace tallymar
