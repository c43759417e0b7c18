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

// Plays the file unless it is empty ("None" has no sound).
void PlayIfAny(WavePlayer& player, const char* file) {
    if (file != nullptr && file[0] != '\0') player.PlayWave(file);
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

void PlayKeySound(WavePlayer& player, std::string_view machine_sound) {
    if (const MachineInfo* machine = FindMachine(machine_sound)) {
        PlayIfAny(player, machine->operator_wav);
    }
}

void PlayTotalSound(WavePlayer& player, std::string_view machine_sound) {
    if (const MachineInfo* machine = FindMachine(machine_sound)) {
        PlayIfAny(player, machine->total_wav);
    }
}

void PlayInputVoiceSample(WavePlayer& player, std::string_view character) {
    if (const VoiceSample* sample = FindVoiceSample(character)) {
        PlayIfAny(player, sample->input_wav);
    }
}

void PlayCallbackVoiceSample(WavePlayer& player, std::string_view character) {
    if (const VoiceSample* sample = FindVoiceSample(character)) {
        PlayIfAny(player, sample->callback_wav);
    }
}

}  // namespace tallymar
