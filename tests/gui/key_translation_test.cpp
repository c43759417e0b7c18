// The keys of a keyboard in the tape's own terms: the virtual key code and shift
// state the rows' key-down sees, and the character their key-press gets. The
// numeric keypad comes first: it is where amounts are keyed.
#include <QKeyEvent>
#include <QTest>

#include "window/key_translation.h"

namespace tallymar::testing {

class KeyTranslationTest : public QObject {
    Q_OBJECT

  private:
    static void Row(const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers,
                    const QString& text, int key_code, int shift_state, char32_t character) {
        QTest::newRow(name) << int(key) << int(modifiers) << text << key_code << shift_state
                            << uint(character);
    }

  private slots:
    void keys_arrive_as_key_codes_shift_states_and_characters_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key_code");
        QTest::addColumn<int>("shift_state");
        QTest::addColumn<uint>("character");
        const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
        const Qt::KeyboardModifiers none = Qt::NoModifier;

        // The keypad with Num Lock on: digits 96 to 105, the operators, the point, Enter.
        Row("keypad 0", Qt::Key_0, pad, "0", 96, 0, '0');
        Row("keypad 1", Qt::Key_1, pad, "1", 97, 0, '1');
        Row("keypad 5", Qt::Key_5, pad, "5", 101, 0, '5');
        Row("keypad 9", Qt::Key_9, pad, "9", 105, 0, '9');
        Row("keypad *", Qt::Key_Asterisk, pad, "*", 106, 0, '*');
        Row("keypad +", Qt::Key_Plus, pad, "+", 107, 0, '+');
        Row("keypad -", Qt::Key_Minus, pad, "-", 109, 0, '-');
        Row("keypad .", Qt::Key_Period, pad, ".", 110, 0, '.');
        Row("keypad , of a decimal-comma layout", Qt::Key_Comma, pad, ",", 110, 0, ',');
        Row("keypad /", Qt::Key_Slash, pad, "/", 111, 0, '/');
        Row("keypad Enter", Qt::Key_Enter, pad, "\r", 13, 0, 13);
        Row("keypad Shift+Enter", Qt::Key_Enter, pad | Qt::ShiftModifier, "\r", 13, 1, 13);
        Row("Num Lock", Qt::Key_NumLock, none, "", 144, 0, 0);
        // The keypad with Num Lock off moves like the arrow and page keys.
        Row("keypad 8 without Num Lock", Qt::Key_Up, pad, "", 38, 0, 0);
        Row("keypad 2 without Num Lock", Qt::Key_Down, pad, "", 40, 0, 0);
        Row("keypad 9 without Num Lock", Qt::Key_PageUp, pad, "", 33, 0, 0);
        Row("keypad 1 without Num Lock", Qt::Key_End, pad, "", 35, 0, 0);
        Row("keypad 0 without Num Lock", Qt::Key_Insert, pad, "", 45, 0, 0);

        // The main keyboard.
        Row("digit 5", Qt::Key_5, none, "5", 53, 0, '5');
        Row("plus over =", Qt::Key_Plus, Qt::ShiftModifier, "+", 0, 1, '+');
        Row("equals", Qt::Key_Equal, none, "=", 0, 0, '=');
        Row("letter a", Qt::Key_A, none, "a", 65, 0, 'a');
        Row("letter A", Qt::Key_A, Qt::ShiftModifier, "A", 65, 1, 'A');
        Row("e acute", Qt::Key_Eacute, none, QString::fromUtf8("\u00e9"), 0, 0, 0xE9);
        Row("Return", Qt::Key_Return, none, "\r", 13, 0, 13);
        Row("Shift+Return", Qt::Key_Return, Qt::ShiftModifier, "\r", 13, 1, 13);
        Row("Backspace", Qt::Key_Backspace, none, "\b", 8, 0, 8);
        Row("Tab", Qt::Key_Tab, none, "\t", 9, 0, 9);
        Row("Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "", 9, 1, 9);
        Row("Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, "\t", 9, 2, 0);
        Row("Escape", Qt::Key_Escape, none, "\x1b", 27, 0, 0);
        Row("Delete", Qt::Key_Delete, none, "\x7f", 46, 0, 0);
        Row("Left", Qt::Key_Left, none, "", 37, 0, 0);
        Row("Right", Qt::Key_Right, none, "", 39, 0, 0);
        Row("Home", Qt::Key_Home, none, "", 36, 0, 0);
        Row("Page Down", Qt::Key_PageDown, none, "", 34, 0, 0);
        Row("Shift+Up", Qt::Key_Up, Qt::ShiftModifier, "", 38, 1, 0);

        // Shortcuts type nothing.
        Row("Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03", 67, 2, 0);
        Row("Ctrl+V", Qt::Key_V, Qt::ControlModifier, "\x16", 86, 2, 0);
        Row("Alt+F", Qt::Key_F, Qt::AltModifier, "f", 70, 4, 0);
        Row("Ctrl+Alt+5", Qt::Key_5, Qt::ControlModifier | Qt::AltModifier, "5", 53, 6, 0);

        // The modifier keys on their own count as held, however the platform reports them.
        Row("Shift", Qt::Key_Shift, Qt::ShiftModifier, "", 16, 1, 0);
        Row("Shift reported alone", Qt::Key_Shift, none, "", 16, 1, 0);
        Row("Ctrl", Qt::Key_Control, Qt::ControlModifier, "", 17, 2, 0);
        Row("Ctrl reported alone", Qt::Key_Control, none, "", 17, 2, 0);
        Row("Alt", Qt::Key_Alt, Qt::AltModifier, "", 18, 4, 0);
        Row("Alt reported alone", Qt::Key_Alt, none, "", 18, 4, 0);
        Row("Alt Gr", Qt::Key_AltGr, none, "", 18, 0, 0);
        Row("Super", Qt::Key_Meta, Qt::MetaModifier, "", 91, 0, 0);
    }

    void keys_arrive_as_key_codes_shift_states_and_characters() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, key_code);
        QFETCH(int, shift_state);
        QFETCH(uint, character);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const Keystroke translated = TranslateKey(event);
        QCOMPARE(translated.key_code, key_code);
        QCOMPARE(translated.shift_state, shift_state);
        QCOMPARE(uint(translated.character), character);
    }

    void only_ctrl_tab_is_kept_for_moving_between_the_windows_controls() {
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool kept;
        } rows[] = {{Qt::Key_Tab, Qt::ControlModifier, true},
                    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, true},
                    {Qt::Key_Tab, Qt::NoModifier, false},
                    {Qt::Key_Backtab, Qt::ShiftModifier, false},
                    {Qt::Key_C, Qt::ControlModifier, false}};
        for (const auto& row : rows) {
            const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers);
            QCOMPARE(IsControlTab(event), row.kept);
        }
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::KeyTranslationTest)
#include "key_translation_test.moc"
