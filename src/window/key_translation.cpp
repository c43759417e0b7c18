#include "window/key_translation.h"

#include <QString>

namespace tallymar {
namespace {

int VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    if (keypad) {
        switch (key) {
            case Qt::Key_Asterisk:
                return 106;
            case Qt::Key_Plus:
                return 107;
            case Qt::Key_Minus:
                return 109;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return 110;
            case Qt::Key_Slash:
                return 111;
            default:
                break;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;  // the same codes as the ASCII digits and capitals
    }
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:  // Shift+Tab
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return 18;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            return 91;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_NumLock:
            return 144;
        default:
            return 0;
    }
}

int ShiftStateOf(const QKeyEvent& event) {
    Qt::KeyboardModifiers m = event.modifiers();
    // A modifier key's own press counts it as held, whether or not the platform
    // reported it in the modifiers of that press.
    if (event.key() == Qt::Key_Shift) m |= Qt::ShiftModifier;
    if (event.key() == Qt::Key_Control) m |= Qt::ControlModifier;
    if (event.key() == Qt::Key_Alt) m |= Qt::AltModifier;
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) + (m.testFlag(Qt::ControlModifier) ? 2 : 0) +
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

char32_t CharacterOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    // Tab is a key of the row, as Backspace is.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return 9;
    const QString text = event.text();
    if (text.isEmpty()) return 0;
    const char32_t c = text.toUcs4().value(0);
    return c >= 0x20 && c != 0x7F ? c : 0;  // control characters type nothing
}

}  // namespace

Keystroke TranslateKey(const QKeyEvent& event) {
    return Keystroke{VirtualKeyOf(event), ShiftStateOf(event), CharacterOf(event)};
}

bool IsControlTab(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           event.modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace tallymar
