// Machine key sounds and the voice test samples of the Sounds dialog.
#include "machine_sounds.h"

#include <array>

namespace tallymar {

const MachineInfo kMachines[8] = {
    {"None", "None", "", ""},
    {"Burroughs", "Burroughs", "Burroughs1.wav", "Burroughs2.wav"},
    {"Canon", "Canon", "Canon1.wav", "Canon2.wav"},
    {"Facit", "Facit", "Facit1.wav", "Facit2.wav"},
    {"Manual", "Hand driven", "Manual.wav", "Manual.wav"},
    {"Olympia", "Olympia", "Olympia1.wav", "Olympia2.wav"},
    {"Remington", "Remington", "Remington1.wav", "Remington2.wav"},
    {"Sharp", "Sharp", "Sharp1.wav", "Sharp2.wav"},
};

namespace {

// The file, unless it is empty ("None" has no sound).
WaveFiles IfAny(const char* file) {
    if (file == nullptr || file[0] == '\0') return {};
    return {file};
}

struct VoiceSample {
    std::string_view character;
    const char* input_wav;
    const char* callback_wav;
};

constexpr std::array<VoiceSample, 6> kVoiceSamples = {{
    {"Grunk", "an.wav", "an.wav"},
    {"Rusty", "bn.wav", "bn.wav"},
    {"Vesna", "o_welcome.wav", "o_spank.wav"},
    {"Murph", "pn.wav", "pn.wav"},
    {"Dermot", "Tallymar2.wav", "Tallymar2.wav"},
    {"Pippa", "tn.wav", "tn.wav"},
}};

const VoiceSample* FindVoiceSample(std::string_view character) {
    for (const VoiceSample& sample : kVoiceSamples) {
        if (sample.character == character) return &sample;
    }
    return nullptr;
}

}  // namespace

const MachineInfo* FindMachine(std::string_view machine_sound) {
    for (const MachineInfo& machine : kMachines) {
        if (machine.value == machine_sound) return &machine;
    }
    return nullptr;
}

WaveFiles KeySoundFiles(std::string_view machine_sound) {
    const MachineInfo* machine = FindMachine(machine_sound);
    return machine ? IfAny(machine->operator_wav) : WaveFiles{};
}

WaveFiles TotalSoundFiles(std::string_view machine_sound) {
    const MachineInfo* machine = FindMachine(machine_sound);
    return machine ? IfAny(machine->total_wav) : WaveFiles{};
}

WaveFiles InputVoiceSampleFiles(std::string_view character) {
    const VoiceSample* sample = FindVoiceSample(character);
    return sample ? IfAny(sample->input_wav) : WaveFiles{};
}

WaveFiles CallbackVoiceSampleFiles(std::string_view character) {
    const VoiceSample* sample = FindVoiceSample(character);
    return sample ? IfAny(sample->callback_wav) : WaveFiles{};
}

}  // namespace tallymar
