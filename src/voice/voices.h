// The voice characters and which wave files speak a word, a key or a number in
// each of them. Only names: the engine plays them (engine/sounds.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallymar {

// The bare names of the wave files a sound is made of, in the order they play;
// empty for silence.
using WaveFiles = std::vector<std::string>;

// Names of the voice characters, in the option order of the Sounds dialog (0 is "None").
inline constexpr const char* kVoiceNames[] = {"None",  "Grunk",  "Rusty", "Vesna",
                                              "Murph", "Dermot", "Pippa"};

// The file prefix of a character ('a' for "Grunk" ... 't' for "Pippa"), or '\0' when the
// name is not one of the six (case-sensitive; "None" and "" included).
char VoicePrefix(std::string_view character);

// The word Edit > Find says when a text is on no line.
inline constexpr const char* kNotFoundWord = "not found";

// The code of a spoken token ('0'..'9', 'p', 'm', '+', 't', 'd', 'n', 'z', 'e', 'q', and
// 'f' for kNotFoundWord), or '\0' for a token that has no file. The whole text is compared.
char TokenCode(std::string_view token);

// "a0.wav" etc.: prefix, code, ".wav".
std::string VoiceFile(char prefix, char code);

// A word: the token's file in the character's voice, nothing for a token without one.
WaveFiles WordFiles(std::string_view character, std::string_view token);
// A key as it is typed: only the keys that enter a number (digits, "." and "-") speak.
WaveFiles KeyFiles(std::string_view character, std::string_view key);
// A number as shown: its digits, a minus and an inner point, left to right; the rule
// line and thousands separators are silent.
WaveFiles NumberFiles(std::string_view character, std::string_view text);

}  // namespace tallymar
