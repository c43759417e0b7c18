// The tape's sounds: what voice/ names for a word, a key, a number or a machine's
// key, played file by file through the WavePlayer port, each call synchronous.
#pragma once

#include <string_view>

#include "engine/number_format.h"
#include "engine/ports.h"
#include "voice/voices.h"

namespace tallymar {

void PlayWaves(WavePlayer& player, const WaveFiles& files);

void SpeakWord(WavePlayer& player, std::string_view character, std::string_view token);
void SpeakKey(WavePlayer& player, std::string_view character, std::string_view key);
void SpeakNumber(WavePlayer& player, std::string_view character, std::string_view text);
// An amount as a row shows it, in the locale's symbols: its digits, its decimal
// symbol said as "point" and its minus; grouping symbols are silent ("1.234,50"
// where "," is the decimal symbol says "one two three four point five zero").
void SpeakAmount(WavePlayer& player, std::string_view character, std::string_view shown,
                 const NumberSymbols& symbols);

// Edit > Find's answer for a text on no line: "not found" in the input voice, or a
// beep when no input voice is chosen.
void SayNotFound(const Ports& ports, std::string_view character);

void PlayKeySound(WavePlayer& player, std::string_view machine_sound);
void PlayTotalSound(WavePlayer& player, std::string_view machine_sound);

// The Sounds dialog's two test buttons.
void PlayInputVoiceSample(WavePlayer& player, std::string_view character);
void PlayCallbackVoiceSample(WavePlayer& player, std::string_view character);

}  // namespace tallymar
