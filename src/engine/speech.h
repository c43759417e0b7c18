// The tape heard: the input voice saying each key, operator and total, and the
// machine's key and total sounds, played through the WavePlayer as the Sounds
// dialog's choices (read at each event) name them. "None" stays silent.
#pragma once

#include <string_view>

#include "engine/number_format.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/tape_listener.h"

namespace tallymar {

class Speech : public TapeListener {
  public:
    Speech(const Options& options, WavePlayer& player, const NumberSymbols& symbols)
        : options_(options), player_(player), symbols_(symbols) {}

    void KeyTyped(std::string_view key) override;
    void OperatorKeyed(std::string_view op) override;
    void KeyStruck() override;
    void TotalStruck(std::string_view shown, bool again) override;
    void TotalKeyStruck() override;
    void StatusAsked(int items, std::string_view grand_total) override;

  private:
    const Options& options_;
    WavePlayer& player_;
    const NumberSymbols& symbols_;
};

}  // namespace tallymar
