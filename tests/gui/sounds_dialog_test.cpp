// The Sounds dialog and the voice callback in the window, offscreen, with the wave
// files heard by a listener in place of the sound device: what the dialog shows and
// writes, where its options stand, and the reading as the window runs it, with the
// cursor following, stopped by Alt, the button or the menu.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/sound_dialog.h"
#include "gui_fixture.h"
#include "platform/qt/twips.h"
#include "shell/main_window.h"

namespace tallymar::testing {

// Hears each wave file; `on_play` runs as it plays (the window is busy meanwhile).
struct Ear : WavePlayer {
    std::vector<std::string> played;
    std::function<void(const std::string&)> on_play;
    void PlayWave(const std::string& file) override {
        played.push_back(file);
        if (on_play) on_play(file);
    }
};

using Files = std::vector<std::string>;

class SoundsDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    Ear ear_;

    void WriteOptions(const QString& options) {
        QFile ini(folder_->filePath("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(("[OPTIONS]\nDecimals=0\n" + options).toUtf8());
    }
    static QAction* Item(Started& t, Command command) {
        return t.app().window().menus().Item(command);
    }
    static QToolButton* CallIt(Started& t) { return t.tape().findChild<QToolButton*>("cmdCallIt"); }
    // Opens Options > Sounds... and hands the dialog to `use` (OK closes it after).
    void WithSoundsDialog(Started& t, const std::function<void(SoundDialog&)>& use) {
        watchdog_->Handle([use](QDialog* dialog) {
            auto* sounds = dynamic_cast<SoundDialog*>(dialog);
            if (sounds) use(*sounds);
            if (sounds) QTest::mouseClick(sounds->OkButton(), Qt::LeftButton);
            if (dialog->isVisible()) dialog->reject();
        });
        Item(t, Command::mnuOptionsSounds)->trigger();
    }
    // Runs `event` from the event queue when `file` plays, as if it came meanwhile.
    void WhenPlaying(const std::string& file, std::function<void()> event) {
        ear_.on_play = [file, event](const std::string& playing) {
            if (playing == file) QMetaObject::invokeMethod(qApp, event, Qt::QueuedConnection);
        };
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        ear_ = Ear{};
    }

    void cleanup() {
        QVERIFY2(watchdog_->unexpected.empty(), "an unexpected window");
        watchdog_.reset();
        folder_.reset();
    }

    void opening_selects_from_the_settings_and_empty_voices_are_kept_as_none() {
        WriteOptions("");
        {
            Started t(folder_->path(), "", &ear_);
            WithSoundsDialog(t, [&](SoundDialog& d) {
                QCOMPARE(d.windowTitle(), QString("Sound"));
                for (int i = 0; i < SoundsForm::kMachineOptions; ++i) {
                    QVERIFY(!d.Option(SoundChoice::kMachine, i)->isChecked());
                }
                QVERIFY(d.Option(SoundChoice::kInputVoice, 0)->isChecked());
                QVERIFY(d.Option(SoundChoice::kCallbackVoice, 0)->isChecked());
                QCOMPARE(t.calc().options().CallInputCharacter, std::string("None"));
                QCOMPARE(t.calc().options().MachineSound, std::string());
                // Test with nothing or "None" chosen plays nothing.
                for (auto c : {SoundChoice::kMachine, SoundChoice::kInputVoice}) {
                    QTest::mouseClick(d.TestButton(c), Qt::LeftButton);
                }
            });
            QVERIFY(ear_.played.empty());
        }
        QFile ini(folder_->filePath("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString saved = QString::fromUtf8(ini.readAll());
        QVERIFY(saved.contains("CallInputCharacter=None"));
        QVERIFY(saved.contains("CallbackCharacter=None"));
        QVERIFY(!saved.contains("MachineSound=None"));
    }

    void a_click_writes_its_setting_at_once_and_hand_driven_plays_for_both_keys() {
        WriteOptions("MachineSound=Canon\nCallInputCharacter=Grunk\nCallbackCharacter=Pippa\n");
        Started t(folder_->path(), "", &ear_);
        WithSoundsDialog(t, [&](SoundDialog& d) {
            QTest::mouseClick(d.Option(SoundChoice::kMachine, 4), Qt::LeftButton);
            QCOMPARE(t.calc().options().MachineSound, std::string("Manual"));
            QTest::mouseClick(d.TestButton(SoundChoice::kMachine), Qt::LeftButton);
            QCOMPARE(ear_.played, Files{"Manual.wav"});
            QTest::mouseClick(d.Option(SoundChoice::kInputVoice, 0), Qt::LeftButton);
            QCOMPARE(t.calc().options().CallInputCharacter, std::string("None"));
        });
        ear_.played.clear();
        // Into the row the engine has the focus on, whether or not the window is active yet.
        for (char key : std::string("5+3\r")) {
            QTest::keyClick(t.Row(t.calc().focus_row()),
                            key == '\r' ? Qt::Key_Return : Qt::Key(key));
        }
        QCOMPARE(ear_.played, (Files{"Manual.wav", "Manual.wav"}));
    }

    void the_options_stand_in_their_frames_in_the_order_of_the_table() {
        WriteOptions("");
        Started t(folder_->path(), "", &ear_);
        WithSoundsDialog(t, [&](SoundDialog& d) {
            const Twips twips = Twips::Of(&d);
            QCOMPARE(d.size(), QSize(twips.X(2775), twips.Y(5175)));
            // Read row by row, left to right, as the user sees them.
            auto reading_order = [&](SoundChoice choice) {
                std::vector<QRadioButton*> options;
                for (int i = 0; i < SoundsForm::OptionCount(choice); ++i) {
                    QRadioButton* option = d.Option(choice, i);
                    if (!d.Frame(choice)->rect().contains(option->geometry())) return QStringList{};
                    options.push_back(option);
                }
                std::sort(options.begin(), options.end(), [](QWidget* a, QWidget* b) {
                    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
                });
                QStringList captions;
                for (QRadioButton* option : options) captions << option->text();
                return captions;
            };
            QCOMPARE(reading_order(SoundChoice::kMachine),
                     QStringList({"None", "Hand driven", "Burroughs", "Remington", "Facit", "Canon",
                                  "Olympia", "Sharp"}));
            const QStringList voices{"None", "Grunk", "Rusty", "Vesna", "Murph", "Dermot", "Pippa"};
            QCOMPARE(reading_order(SoundChoice::kInputVoice), voices);
            QCOMPARE(reading_order(SoundChoice::kCallbackVoice), voices);
            QCOMPARE(d.Frame(SoundChoice::kInputVoice)->title(), QString("Input voice"));
            QVERIFY(d.Frame(SoundChoice::kInputVoice)->x() <
                    d.Frame(SoundChoice::kCallbackVoice)->x());
            QVERIFY(d.Frame(SoundChoice::kMachine)->geometry().bottom() <
                    d.Frame(SoundChoice::kInputVoice)->y());
            QVERIFY(d.OkButton()->isDefault());
            // Every control is named for a screen reader, and Tab reaches each frame.
            for (QWidget* w : d.findChildren<QWidget*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            }
            QStringList tabs;
            for (QWidget* w = d.OkButton()->nextInFocusChain(); w != d.OkButton();
                 w = w->nextInFocusChain()) {
                if (w->focusPolicy() & Qt::TabFocus && !qobject_cast<QRadioButton*>(w)) {
                    tabs << w->objectName();
                }
            }
            QCOMPARE(tabs, QStringList({"cmdTest", "cmdTestInput", "cmdTestCallback"}));
        });
    }

    void the_dialog_lifts_always_on_top_while_it_is_open() {
        WriteOptions("");
        Started t(folder_->path(), "", &ear_);
        QAction* on_top = Item(t, Command::mnuOptionsAlwaysOnTop);
        on_top->trigger();
        QVERIFY(on_top->isChecked());
        bool checked_while_open = true;
        WithSoundsDialog(t, [&](SoundDialog&) { checked_while_open = on_top->isChecked(); });
        QVERIFY(!checked_while_open);
        QVERIFY(on_top->isChecked());
    }

    void pippa_reads_the_line_under_the_cursor_and_the_cursor_follows() {
        WriteOptions("CallbackCharacter=Pippa\n");
        Started t(folder_->path(), "", &ear_);
        t.Type("25+3+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        std::map<std::string, bool> pressed, on_next_row;
        ear_.on_play = [&](const std::string& file) {
            pressed[file] = CallIt(t)->isChecked();
            on_next_row[file] = QApplication::focusWidget() == t.Row(4);
        };
        QTest::mouseClick(CallIt(t), Qt::LeftButton);
        QCOMPARE(ear_.played, (Files{"t+.wav", "t2.wav", "t5.wav", "t+.wav", "t3.wav"}));
        QVERIFY(pressed["t2.wav"] && pressed["t3.wav"]);
        QVERIFY(!on_next_row["t2.wav"] && on_next_row["t3.wav"]);
        QVERIFY(!CallIt(t)->isChecked());
        QCOMPARE(QApplication::focusWidget(), t.Row(5));
    }

    void alt_answered_no_stops_the_reading_after_the_line() {
        WriteOptions("CallbackCharacter=Rusty\n");
        Started t(folder_->path(), "", &ear_);
        t.Type("1+2+3+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        watchdog_->Answer(QMessageBox::No);
        WhenPlaying("b1.wav", [] {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
        });
        QTest::mouseClick(CallIt(t), Qt::LeftButton);
        QCOMPARE(ear_.played, (Files{"b+.wav", "b1.wav"}));
        QCOMPARE(watchdog_->messages.size(), std::size_t{1});
        QVERIFY(watchdog_->messages[0].startsWith("Pressing the ALT key halts the voice callback"));
        QCOMPARE(t.calc().focus_row(), 4);
        QVERIFY(!CallIt(t)->isChecked());
    }

    void a_click_on_the_button_during_the_reading_stops_it() {
        WriteOptions("CallbackCharacter=Rusty\n");
        Started t(folder_->path(), "", &ear_);
        t.Type("1+2+3+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        WhenPlaying("b1.wav", [&] { QTest::mouseClick(CallIt(t), Qt::LeftButton); });
        QTest::mouseClick(CallIt(t), Qt::LeftButton);
        QCOMPARE(ear_.played, (Files{"b+.wav", "b1.wav"}));
        QVERIFY(!CallIt(t)->isChecked());
    }

    void the_menu_mark_stays_after_its_reading_and_the_next_choice_only_removes_it() {
        WriteOptions("CallbackCharacter=Rusty\n");
        Started t(folder_->path(), "", &ear_);
        t.Type("1+2+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        QAction* item = Item(t, Command::mnuOptionsVoiceCallback);
        bool marked_while_reading = false;
        ear_.on_play = [&](const std::string&) { marked_while_reading = item->isChecked(); };
        item->trigger();
        QCOMPARE(ear_.played, (Files{"b+.wav", "b1.wav", "b+.wav", "b2.wav"}));
        QVERIFY(marked_while_reading);
        QVERIFY(item->isChecked());
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        item->trigger();
        QVERIFY(!item->isChecked());
        QCOMPARE(ear_.played.size(), std::size_t{4});
    }

    void no_callback_voice_opens_the_sounds_dialog_and_rusty_reads_at_once() {
        WriteOptions("CallbackCharacter=None\n");
        Started t(folder_->path(), "", &ear_);
        t.Type("1+2+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        watchdog_->Handle([](QDialog* dialog) {
            auto* sounds = dynamic_cast<SoundDialog*>(dialog);
            if (!sounds) return dialog->reject();
            QTest::mouseClick(sounds->Option(SoundChoice::kCallbackVoice, 2), Qt::LeftButton);
            QTest::mouseClick(sounds->OkButton(), Qt::LeftButton);
        });
        QTest::mouseClick(CallIt(t), Qt::LeftButton);
        QCOMPARE(ear_.played, (Files{"b+.wav", "b1.wav", "b+.wav", "b2.wav"}));
        QCOMPARE(t.calc().options().CallbackCharacter, std::string("Rusty"));
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::SoundsDialogTest)
#include "sounds_dialog_test.moc"
