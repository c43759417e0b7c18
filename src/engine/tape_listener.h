// What happens on the tape that can be heard: keys as they are keyed, operators
// as they commit, totals as they are struck, the item count asked for. The engine
// tells its listener at the moment each happens; Speech (speech.h) says it in the
// input voice and plays the machine's sounds, and the arithmetic knows nothing of
// voices or wave files.
//
// Example: "12+" then Enter, a voice and a machine chosen, tells KeyTyped("1"),
// KeyTyped("2"), OperatorKeyed("+"), KeyStruck(), then TotalStruck("12.00", false)
// and TotalKeyStruck(): the voice says "one two plus equals one two point zero zero
// rule" around the machine's key and total sounds.
#pragma once

#include <string_view>

namespace tallymar {

class TapeListener {
  public:
    virtual ~TapeListener() = default;
    // A digit or the decimal point keyed into a row ("5", ".").
    virtual void KeyTyped(std::string_view key) = 0;
    // "+", "-", "*", "/" or "%" keyed, before it commits its line.
    virtual void OperatorKeyed(std::string_view op) = 0;
    // The operator's key has gone down (after its commit; before it for "%").
    virtual void KeyStruck() = 0;
    // A total or subtotal struck, `shown` its amount as its line shows it; `again`
    // when a correction struck it again below.
    virtual void TotalStruck(std::string_view shown, bool again) = 0;
    // The total key has gone down.
    virtual void TotalKeyStruck() = 0;
    // F2: the item count and the grand total, as the status line shows them.
    virtual void StatusAsked(int items, std::string_view grand_total) = 0;
};

}  // namespace tallymar
