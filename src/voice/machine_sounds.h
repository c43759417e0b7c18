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

// The operator-key or total-key sound of the machine; nothing for "None" or an unknown value.
WaveFiles KeySoundFiles(std::string_view machine_sound);
WaveFiles TotalSoundFiles(std::string_view machine_sound);

// The samples the Sounds dialog's two test buttons play for a voice character: one for the
// voice that speaks input, one for the voice that reads the tape back. Nothing for "None" or
// an unknown character.
WaveFiles InputVoiceSampleFiles(std::string_view character);
WaveFiles CallbackVoiceSampleFiles(std::string_view character);

}  // namespace tallymar
