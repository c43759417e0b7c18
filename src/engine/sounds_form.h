// The Sounds dialog (frmSound, "Sound") as a model: the machine, the input voice and
// the callback voice, each an array of option buttons with a Test button. Opening it
// selects each array's option from its setting; as selecting an option runs its
// click, every selected option writes its value back at once (an empty voice becomes
// "None", an empty machine stays empty, since no machine option is selected for it).
// A click writes its setting into the engine at once; there is no Cancel, and
// OK only closes. Test plays the selected option's sample through the WavePlayer,
// synchronously. A Qt dialog shows this model and passes the user's clicks in.
#pragma once

#include <string>

#include "engine/calc.h"

namespace tallymar {

namespace sounds_text {
inline constexpr const char* kCaption = "Sound";
inline constexpr const char* kMachineFrame = "Machine voice";
inline constexpr const char* kInputFrame = "Input voice";
inline constexpr const char* kCallbackFrame = "Callback voice";
inline constexpr const char* kTest = "Test";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kKeysInterrupt = "Keys interrupt the voice";
}  // namespace sounds_text

class SoundsForm {
  public:
    static constexpr int kMachineOptions = 8;  // obMachine(0 to 7)
    static constexpr int kVoiceOptions = 7;    // obInVoice, obCallVoice (0 to 6)
    static constexpr int kNothingSelected = -1;

    // Form_Load: selects the options from the three settings and writes them back.
    explicit SoundsForm(Calc& calc);

    // The option shown for `index` ("Hand driven" for the machine "Manual").
    static std::string Caption(SoundChoice choice, int index);
    static int OptionCount(SoundChoice choice);

    // The selected option of an array, kNothingSelected when none is.
    int Selected(SoundChoice choice) const;

    // The user clicked option `index`: it is selected and its setting written.
    void Click(SoundChoice choice, int index);
    // The "Keys interrupt the voice" box.
    bool KeysInterruptVoice() const;
    void SetKeysInterruptVoice(bool on);
    // The array's Test button: the sample of the selected option, nothing for "None"
    // or when no option is selected; returns when it has played.
    void Test(SoundChoice choice);

  private:
    Calc& calc_;
    int selected_[3] = {kNothingSelected, kNothingSelected, kNothingSelected};
};

}  // namespace tallymar
