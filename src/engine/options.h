// The settings the tape engine reads: kept in the settings file between runs,
// changed by the dialogs while the program runs.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tallymar {

using Colour = std::uint32_t;  // red + 256 * green + 65536 * blue

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>(red) + 256u * static_cast<Colour>(green) +
           65536u * static_cast<Colour>(blue);
}

struct Options {
    std::int16_t DecimalCode = 2;
    bool CalcMode = false;
    std::string MachineSound;
    std::string CallInputCharacter;
    std::string CallbackCharacter;
    // A key pressed while a word plays cuts the word short, so that the voice keeps up
    // with fast typing (off: every word is said whole, the keys waiting their turn).
    bool KeysInterruptVoice = false;
};

// The Sounds dialog's three choices.
enum class SoundChoice { kMachine, kInputVoice, kCallbackVoice };

// `options` with the machine, the input voice or the callback voice set to `name`.
inline Options WithSound(Options options, SoundChoice choice, std::string name) {
    switch (choice) {
        case SoundChoice::kMachine:
            options.MachineSound = std::move(name);
            break;
        case SoundChoice::kInputVoice:
            options.CallInputCharacter = std::move(name);
            break;
        case SoundChoice::kCallbackVoice:
            options.CallbackCharacter = std::move(name);
            break;
    }
    return options;
}

// The five colours the tape is painted with (the default theme's to start with).
struct Colours {
    Colour CurPosClr = Rgb(0, 0, 0);
    Colour CurNegClr = Rgb(255, 0, 0);
    Colour CurTxtClr = Rgb(0, 0, 255);
    Colour CurTapClr = Rgb(255, 255, 255);
    Colour CurBakClr = Rgb(0, 128, 64);
};

}  // namespace tallymar
