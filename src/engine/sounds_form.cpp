#include "engine/sounds_form.h"

#include <utility>

#include "engine/sounds.h"
#include "voice/machine_sounds.h"
#include "voice/voices.h"

namespace tallymar {
namespace {

int Index(SoundChoice choice) {
    return static_cast<int>(choice);
}

// The option a setting selects: the machine whose value it is; the voice it names,
// with the empty text taken as "None".
int OptionOf(SoundChoice choice, const std::string& setting) {
    if (choice == SoundChoice::kMachine) {
        const MachineInfo* machine = FindMachine(setting);
        return machine ? static_cast<int>(machine - kMachines) : SoundsForm::kNothingSelected;
    }
    if (setting.empty()) return 0;
    for (int index = 0; index < SoundsForm::kVoiceOptions; ++index) {
        if (setting == kVoiceNames[index]) return index;
    }
    return SoundsForm::kNothingSelected;
}

}  // namespace

SoundsForm::SoundsForm(Calc& calc) : calc_(calc) {
    const Options& options = calc.options();
    const std::pair<SoundChoice, std::string> settings[] = {
        {SoundChoice::kMachine, options.MachineSound},
        {SoundChoice::kInputVoice, options.CallInputCharacter},
        {SoundChoice::kCallbackVoice, options.CallbackCharacter},
    };
    for (const auto& [choice, setting] : settings) {
        const int option = OptionOf(choice, setting);
        if (option != kNothingSelected) Click(choice, option);
    }
}

bool SoundsForm::KeysInterruptVoice() const {
    return calc_.options().KeysInterruptVoice;
}

void SoundsForm::SetKeysInterruptVoice(bool on) {
    Options options = calc_.options();
    options.KeysInterruptVoice = on;
    calc_.SetOptions(options);
}

int SoundsForm::OptionCount(SoundChoice choice) {
    return choice == SoundChoice::kMachine ? kMachineOptions : kVoiceOptions;
}

std::string SoundsForm::Caption(SoundChoice choice, int index) {
    if (index < 0 || index >= OptionCount(choice)) return "";
    return choice == SoundChoice::kMachine ? kMachines[index].caption : kVoiceNames[index];
}

int SoundsForm::Selected(SoundChoice choice) const {
    return selected_[Index(choice)];
}

void SoundsForm::Click(SoundChoice choice, int index) {
    if (index < 0 || index >= OptionCount(choice)) return;
    selected_[Index(choice)] = index;
    const std::string value =
        choice == SoundChoice::kMachine ? kMachines[index].value : kVoiceNames[index];
    calc_.SetOptions(WithSound(calc_.options(), choice, value));
}

void SoundsForm::Test(SoundChoice choice) {
    const int index = Selected(choice);
    if (index == kNothingSelected || index == 0) return;
    WavePlayer& player = calc_.ports().sound;
    switch (choice) {
        case SoundChoice::kMachine:
            PlayKeySound(player, kMachines[index].value);
            break;
        case SoundChoice::kInputVoice:
            PlayInputVoiceSample(player, kVoiceNames[index]);
            break;
        case SoundChoice::kCallbackVoice:
            PlayCallbackVoiceSample(player, kVoiceNames[index]);
            break;
    }
}

}  // namespace tallymar
