// The keyboard and the mouse in the tape's own terms: the key codes a row's
// key-down gets (the virtual key codes of the keyboard), the shift states held with
// them, the control characters a key-press hands on, and the mouse buttons. The
// window translates the toolkit's events into these; tallymar-cli's tokens name
// them.
#pragma once

namespace tallymar {

namespace key {
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kEnter = 13;
inline constexpr int kShift = 16;
inline constexpr int kCtrl = 17;
inline constexpr int kAlt = 18;
inline constexpr int kEscape = 27;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
// The digits of the main keyboard are 48 to 57 and the letters 65 to 90, the
// codes of the characters "0" to "9" and "A" to "Z".
inline constexpr int k0 = 48;
inline constexpr int kA = 65;
inline constexpr int kC = 67;
inline constexpr int kV = 86;
inline constexpr int kSystem = 91;  // the Windows or Super key
// The keypad's digits are 96 to 105.
inline constexpr int kPad0 = 96;
inline constexpr int kPadMultiply = 106;
inline constexpr int kPadAdd = 107;
inline constexpr int kPadSubtract = 109;
inline constexpr int kPadDecimal = 110;
inline constexpr int kPadDivide = 111;
inline constexpr int kNumLock = 144;
inline constexpr int kF2 = 113;  // says the item count and the grand total
inline constexpr int kNone = 0;  // a key without a code of its own

// Shift, Ctrl, Alt and the system key pressed on their own.
inline bool IsModifier(int key_code) {
    return key_code == kShift || key_code == kCtrl || key_code == kAlt || key_code == kSystem;
}

// Keys that move about the tape, or only tell something (Num Lock, F2), and key
// nothing in.
inline bool ChangesNothing(int key_code) {
    return key_code == kUp || key_code == kDown || key_code == kPageUp || key_code == kPageDown ||
           key_code == kHome || key_code == kEnd || key_code == kNumLock || key_code == kF2;
}
}  // namespace key

// The shift keys held, added up.
namespace shift {
inline constexpr int kNone = 0;
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace shift

// The control characters a key-press hands on; the others type nothing.
namespace character {
inline constexpr char32_t kNone = 0;  // the key types nothing
inline constexpr char32_t kBackspace = 8;
inline constexpr char32_t kTab = 9;
inline constexpr char32_t kEnter = 13;
inline constexpr char32_t kDelete = 0x7F;
// Below this every character is a control character.
inline constexpr char32_t kFirstPrintable = 0x20;
}  // namespace character

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

}  // namespace tallymar
