// The window by keyboard alone: Ctrl+Tab among the window's controls and back to
// the tape, the decimal shortcuts, keys typed on a control reaching the tape, the
// scroll bar by keys, and the print preview's buttons by their access keys.
#include <QApplication>
#include <QPicture>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "dialogs/print_preview.h"
#include "gui_fixture.h"

namespace tallymar::testing {
namespace {

QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->accessibleName() : QString("(no focus)");
}

}  // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
    }

    void cleanup() {
        QVERIFY(watchdog_->unexpected.empty());
        watchdog_.reset();
        folder_.reset();
    }

    void control_tab_visits_every_control_in_turn_and_comes_back_to_the_tape() {
        Started t(folder_->path());
        t.Key(Qt::Key_2, Qt::ControlModifier);
        t.Type("12");
        AmountBox* keyed = t.Row(t.calc().focus_row());
        QCOMPARE(QApplication::focusWidget(), keyed);
        const QStringList ring =
            QString(
                "Automatic 2 decimal places,Floating decimal places,No decimal places,"
                "One decimal place,2 decimal places,4 decimal places,6 decimal places,"
                "Print tape,Voice callback tape from cursor,Clear tape,Converter,Tape position")
                .split(',');
        for (const QString& name : ring) {
            t.Key(Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(FocusName(), name);
        }
        t.Key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), keyed);
        // Backwards, in the opposite order; on a control plain Tab and Shift+Tab move too.
        for (int i = static_cast<int>(ring.size()) - 1; i >= 0; --i) {
            t.Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(FocusName(), ring[i]);
        }
        t.Key(Qt::Key_Tab);
        QCOMPARE(FocusName(), ring[1]);
        t.Key(Qt::Key_Backtab, Qt::ShiftModifier);
        t.Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), keyed);
        // The round trip kept what was keyed: "+" commits it.
        t.Type("+");
        QCOMPARE(t.Row(3)->text(), QString("12.00"));
    }

    void a_character_typed_on_a_control_is_keyed_on_the_tape() {
        for (int presses : {1, 8, 12}) {  // a decimal choice, a button, the scroll bar
            Started t(folder_->path());
            t.Key(Qt::Key_2, Qt::ControlModifier);
            t.Type("12");
            for (int i = 0; i < presses; ++i) t.Key(Qt::Key_Tab, Qt::ControlModifier);
            QVERIFY(QApplication::focusWidget() != t.Row(3));
            t.Type("3+");
            QCOMPARE(t.Row(3)->text(), QString("123.00"));
            QCOMPARE(QApplication::focusWidget(), t.Row(4));
        }
    }

    void decimal_shortcuts_choose_the_places_of_the_next_amount() {
        const struct {
            int key;
            Qt::KeyboardModifiers modifiers;
            const char* keys;
            const char* shown;
        } cases[] = {
            {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "15+", "0.15"},
            {Qt::Key_F, Qt::ControlModifier, "1.5+", "1.5"},
            {Qt::Key_0, Qt::ControlModifier, "1.5+", "2"},
            {Qt::Key_1, Qt::ControlModifier, "1.25+", "1.3"},
            {Qt::Key_2, Qt::ControlModifier, "1.5+", "1.50"},
            {Qt::Key_4, Qt::ControlModifier, "1.5+", "1.5000"},
            {Qt::Key_6, Qt::ControlModifier, "1.5+", "1.500000"},
        };
        for (const auto& c : cases) {
            Started t(folder_->path());
            t.Key(Qt::Key(c.key), c.modifiers);
            t.Type(c.keys);
            QCOMPARE(t.Row(3)->text(), QString(c.shown));
            // The shortcut typed nothing into the row and left the keyboard on the tape.
            QCOMPARE(QApplication::focusWidget(), t.Row(4));
        }
    }

    void the_scroll_bar_keeps_the_keyboard_while_it_scrolls_and_the_tape_comes_back() {
        Started t(folder_->path());
        for (int i = 0; i < 40; ++i) t.Type("1+");
        const int bottom = t.tape().ScrollBar()->value();
        t.Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), t.tape().ScrollBar());
        t.Key(Qt::Key_PageUp);
        t.Key(Qt::Key_Up);
        QVERIFY(t.tape().ScrollBar()->value() < bottom);
        QCOMPARE(QApplication::focusWidget(), t.tape().ScrollBar());
        // Back on the tape, the next amount goes on the open line at the end.
        t.Key(Qt::Key_Tab, Qt::ControlModifier);
        t.Type("2+");
        QCOMPARE(t.calc().tape()[t.calc().UpperBound() - 1].Amount, 2.0);
        QCOMPARE(t.tape().ScrollBar()->value(), t.tape().ScrollBar()->maximum());
    }

    void the_print_preview_buttons_answer_their_access_keys() {
        std::vector<QPicture> pages(3);
        int printed = 0, helped = 0;
        PrintPreviewDialog preview(
            nullptr, pages, QSizeF(12240, 15840), [&] { ++printed; }, [&] { ++helped; });
        preview.show();
        QApplication::setActiveWindow(&preview);
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        const int zoom = preview.ScaleIndex();
        const struct {
            Qt::Key key;
            int page, printed, helped;
            bool zoomed;
        } steps[] = {{Qt::Key_N, 1, 0, 0, false}, {Qt::Key_N, 2, 0, 0, false},
                     {Qt::Key_P, 1, 0, 0, false}, {Qt::Key_Z, 1, 0, 0, true},
                     {Qt::Key_R, 1, 1, 0, true},  {Qt::Key_H, 1, 1, 1, true}};
        for (const auto& s : steps) {
            QTest::keyClick(QApplication::focusWidget(), s.key, Qt::AltModifier);
            // An access key presses its button as a click does, a moment later.
            QTRY_COMPARE(preview.PreviewPage(), s.page);
            QTRY_COMPARE(printed, s.printed);
            QTRY_COMPARE(helped, s.helped);
            QTRY_COMPARE(preview.ScaleIndex() != zoom, s.zoomed);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!preview.isVisible());
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::KeyboardAccessTest)
#include "keyboard_access_test.moc"
