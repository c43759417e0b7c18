#include "engine/speech.h"

#include <string>

#include "engine/sounds.h"
#include "engine/tape_line.h"
#include "voice/voices.h"

namespace tallymar {

void Speech::KeyTyped(std::string_view key) {
    SpeakKey(player_, options_.CallInputCharacter, key);
}

void Speech::OperatorKeyed(std::string_view op) {
    SpeakWord(player_, options_.CallInputCharacter, op);
}

void Speech::KeyStruck() {
    PlayKeySound(player_, options_.MachineSound);
}

void Speech::TotalStruck(std::string_view shown, bool again) {
    const std::string& voice = options_.CallInputCharacter;
    if (VoicePrefix(voice) == 0) return;
    // Struck by the total key: "equals"; struck again by a correction: "total".
    SpeakWord(player_, voice, again ? "T" : "=");
    SpeakAmount(player_, voice, shown, symbols_);
    SpeakWord(player_, voice, kRuleText);
}

void Speech::TotalKeyStruck() {
    PlayTotalSound(player_, options_.MachineSound);
}

void Speech::StatusAsked(int items, std::string_view grand_total) {
    const std::string& voice = options_.CallInputCharacter;
    SpeakNumber(player_, voice, std::to_string(items));
    SpeakWord(player_, voice, "T");
    SpeakAmount(player_, voice, grand_total, symbols_);
}

}  // namespace tallymar
