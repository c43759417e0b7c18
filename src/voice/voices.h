// The voice characters and the three ways of speaking with them. Every sound
// goes through the one PlayWave port; all calls are synchronous.
#pragma once

#include <string>
#include <string_view>

namespace tallymar {

// The one way every sound of the program is played: synchronous, a bare file
// name looked up in the program's folder, the default sound when it is missing.
class WavePlayer {
  public:
    virtual ~WavePlayer() = default;
    virtual void PlayWave(const std::string& file_name) = 0;
};

// Names of the voice characters, in the option order of the Sounds dialog (0 is "None").
inline constexpr const char* kVoiceNames[] = {"None",  "Grunk",  "Rusty", "Vesna",
                                              "Murph", "Dermot", "Pippa"};

// The file prefix of a character ('a' for "Grunk" ... 't' for "Pippa"), or '\0' when the
// name is not one of the six (case-sensitive; "None" and "" included).
char VoicePrefix(std::string_view character);

// The code of a spoken token ('0'..'9', 'p', 'm', '+', 't', 'd', 'n', 'z', 'e', 'q'),
// or '\0' for a token that has no file. The whole text is compared.
char TokenCode(std::string_view token);

// "a0.wav" etc.: prefix, code, ".wav".
std::string VoiceFile(char prefix, char code);

void SpeakWord(WavePlayer& player, std::string_view character, std::string_view token);
void SpeakKey(WavePlayer& player, std::string_view character, std::string_view key);
void SpeakNumber(WavePlayer& player, std::string_view character, std::string_view text);

}  // namespace tallymar
