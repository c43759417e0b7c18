#include "window/key_translation.h"

#include <QString>

#include "engine/keys.h"
#include "platform/qt/locale_numbers.h"

namespace tallymar {
namespace {

int KeyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return key::kPad0 + (key - Qt::Key_0);
    if (keypad) {
        switch (key) {
            case Qt::Key_Asterisk:
                return key::kPadMultiply;
            case Qt::Key_Plus:
                return key::kPadAdd;
            case Qt::Key_Minus:
                return key::kPadSubtract;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return key::kPadDecimal;
            case Qt::Key_Slash:
                return key::kPadDivide;
            default:
                break;
        }
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key::k0 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key::kA + (key - Qt::Key_A);
    switch (key) {
        case Qt::Key_Backspace:
            return key::kBackspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:  // Shift+Tab
            return key::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return key::kEnter;
        case Qt::Key_Shift:
            return key::kShift;
        case Qt::Key_Control:
            return key::kCtrl;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return key::kAlt;
        case Qt::Key_Escape:
            return key::kEscape;
        case Qt::Key_PageUp:
            return key::kPageUp;
        case Qt::Key_PageDown:
            return key::kPageDown;
        case Qt::Key_End:
            return key::kEnd;
        case Qt::Key_Home:
            return key::kHome;
        case Qt::Key_Left:
            return key::kLeft;
        case Qt::Key_Up:
            return key::kUp;
        case Qt::Key_Right:
            return key::kRight;
        case Qt::Key_Down:
            return key::kDown;
        case Qt::Key_Insert:
            return key::kInsert;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return key::kSystem;
        case Qt::Key_Delete:
            return key::kDelete;
        case Qt::Key_NumLock:
            return key::kNumLock;
        case Qt::Key_F2:
            return key::kF2;
        default:
            return key::kNone;
    }
}

int ShiftStateOf(const QKeyEvent& event) {
    Qt::KeyboardModifiers m = event.modifiers();
    // A modifier key's own press counts it as held, whether or not the platform
    // reported it in the modifiers of that press.
    if (event.key() == Qt::Key_Shift) m |= Qt::ShiftModifier;
    if (event.key() == Qt::Key_Control) m |= Qt::ControlModifier;
    if (event.key() == Qt::Key_Alt) m |= Qt::AltModifier;
    return (m.testFlag(Qt::ShiftModifier) ? shift::kShift : shift::kNone) +
           (m.testFlag(Qt::ControlModifier) ? shift::kCtrl : shift::kNone) +
           (m.testFlag(Qt::AltModifier) ? shift::kAlt : shift::kNone);
}

char32_t CharacterOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return character::kEnter;
        case Qt::Key_Backspace:
            return character::kBackspace;
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return character::kNone;
    // The keypad's decimal key types the locale's decimal symbol, whichever of "." and
    // "," the keyboard layout puts on it, so that 12 and 5 keyed around it read 12.5.
    if (KeyCodeOf(event) == key::kPadDecimal) {
        const QString decimal = QString::fromStdString(SystemNumberSymbols().decimal);
        if (decimal.size() == 1) return decimal.at(0).unicode();
    }
    // Tab is a key of the row, as Backspace is.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return character::kTab;
    const QString text = event.text();
    if (text.isEmpty()) return character::kNone;
    const char32_t c = text.toUcs4().value(0);
    // Control characters type nothing.
    return c >= character::kFirstPrintable && c != character::kDelete ? c : character::kNone;
}

}  // namespace

Keystroke TranslateKey(const QKeyEvent& event) {
    return Keystroke{KeyCodeOf(event), ShiftStateOf(event), CharacterOf(event)};
}

bool IsControlTab(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           event.modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace tallymar
