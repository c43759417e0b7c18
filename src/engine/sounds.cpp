#include "engine/sounds.h"

#include "voice/machine_sounds.h"

namespace tallymar {

void PlayWaves(WavePlayer& player, const WaveFiles& files) {
    for (const std::string& file : files) player.PlayWave(file);
}

void SpeakWord(WavePlayer& player, std::string_view character, std::string_view token) {
    PlayWaves(player, WordFiles(character, token));
}

void SpeakKey(WavePlayer& player, std::string_view character, std::string_view key) {
    PlayWaves(player, KeyFiles(character, key));
}

void SpeakNumber(WavePlayer& player, std::string_view character, std::string_view text) {
    PlayWaves(player, NumberFiles(character, text));
}

void SpeakAmount(WavePlayer& player, std::string_view character, std::string_view shown,
                 const NumberSymbols& symbols) {
    std::string plain = PlainAmount(shown, symbols);
    if (plain.empty()) {
        SpeakNumber(player, character, shown);  // "Overflow" and the like, as shown
        return;
    }
    // The digits before the decimal symbol, "." and the digits after it.
    const std::size_t point = plain.find(symbols.decimal);
    if (point != std::string::npos && symbols.decimal != ".") {
        plain = plain.substr(0, point) + "." + plain.substr(point + symbols.decimal.size());
    }
    SpeakNumber(player, character, plain);
}

void SayNotFound(const Ports& ports, std::string_view character) {
    if (VoicePrefix(character) == 0) {
        ports.desktop.Beep();
    } else {
        SpeakWord(ports.sound, character, kNotFoundWord);
    }
}

void PlayKeySound(WavePlayer& player, std::string_view machine_sound) {
    PlayWaves(player, KeySoundFiles(machine_sound));
}

void PlayTotalSound(WavePlayer& player, std::string_view machine_sound) {
    PlayWaves(player, TotalSoundFiles(machine_sound));
}

void PlayInputVoiceSample(WavePlayer& player, std::string_view character) {
    PlayWaves(player, InputVoiceSampleFiles(character));
}

void PlayCallbackVoiceSample(WavePlayer& player, std::string_view character) {
    PlayWaves(player, CallbackVoiceSampleFiles(character));
}

}  // namespace tallymar
