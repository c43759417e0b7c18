// The mechanical adding machines whose key sounds can play.
#pragma once

#include <string>
#include <string_view>

#include "voices.h"

namespace tallymar {

struct MachineInfo {
    const char* value;         // the setting's value ("Manual")
    const char* caption;       // the Sounds dialog's caption ("Hand driven")
    const char* operator_wav;  // "" for "None"
    const char* total_wav;
};

// The machine table in option order (0 is "None").
extern const MachineInfo kMachines[8];

// The machine whose value equals the setting exactly, or nullptr.
const MachineInfo* FindMachine(std::string_view machine_sound);

// Play the operator-key or total-key sound of the machine; nothing for "None" or an unknown value.
void PlayKeySound(WavePlayer& player, std::string_view machine_sound);
void PlayTotalSound(WavePlayer& player, std::string_view machine_sound);

// The samples the Sounds dialog's two test buttons play for a voice character: one for the
// voice that speaks input, one for the voice that reads the tape back. Nothing for "None" or
// an unknown character.
void PlayInputVoiceSample(WavePlayer& player, std::string_view character);
void PlayCallbackVoiceSample(WavePlayer& player, std::string_view character);

}  // namespace tallymar
