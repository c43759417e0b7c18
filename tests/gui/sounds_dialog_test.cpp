// The Sounds dialog and the voice callback in the window, offscreen, with the wave
// files heard by the test in place of the sound device.
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
#include <string>
#include <vector>

#include "dialogs/sound_dialog.h"
#include "gui_fixture.h"
#include "platform/qt/twips.h"
#include "shell/main_window.h"

namespace tallymar::testing {

// Hears each wave file; `on_play` runs as it plays (the window is busy meanwhile).
struct Ear : WavePlayer {
    QStringList played;
    std::function<void(const QString&)> on_play;
    void PlayWave(const std::string& file) override {
        played << QString::fromStdString(file);
        if (on_play) on_play(played.back());
    }
};

// What happens while the first line is read, taken from the event queue after it.
enum Meanwhile { kNothing, kAltAnsweredNo, kButtonClicked, kMenuChosen, kWindowClosed };

class SoundsDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    Ear ear_;

    std::unique_ptr<Started> Start(const QString& options) {
        QFile ini(folder_->filePath("Tallymar.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(("[OPTIONS]\nDecimals=0\n" + options).toUtf8());
        ini.close();
        return std::make_unique<Started>(folder_->path(), "", &ear_);
    }
    static QAction* Item(Started& t, Command command) {
        return t.app().window().menus().Item(command);
    }
    static QToolButton* CallIt(Started& t) { return t.tape().findChild<QToolButton*>("cmdCallIt"); }
    // Opens Options > Sounds..., hands the dialog to `use`, then presses OK.
    void WithSoundsDialog(Started& t, const std::function<void(SoundDialog&)>& use) {
        watchdog_->Handle([use](QDialog* dialog) {
            if (auto* sounds = dynamic_cast<SoundDialog*>(dialog)) {
                use(*sounds);
                QTest::mouseClick(sounds->OkButton(), Qt::LeftButton);
            }
            if (dialog->isVisible()) dialog->reject();
        });
        Item(t, Command::mnuOptionsSounds)->trigger();
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        ear_ = Ear{};
    }
    void cleanup() { QVERIFY2(watchdog_->unexpected.empty(), "an unexpected window"); }

    void opening_keeps_empty_voices_as_none_and_a_click_writes_at_once() {
        auto t = Start("");
        WithSoundsDialog(*t, [&](SoundDialog& d) {
            QCOMPARE(d.windowTitle(), QString("Sound"));
            QVERIFY(!d.Option(SoundChoice::kMachine, 0)->isChecked());
            QVERIFY(d.Option(SoundChoice::kCallbackVoice, 0)->isChecked());
            QCOMPARE(t->calc().options().CallInputCharacter, std::string("None"));
            QTest::mouseClick(d.TestButton(SoundChoice::kInputVoice), Qt::LeftButton);
            QVERIFY(ear_.played.isEmpty());  // "None" plays nothing
            QTest::mouseClick(d.Option(SoundChoice::kMachine, 4), Qt::LeftButton);
            QCOMPARE(t->calc().options().MachineSound, std::string("Manual"));
            QTest::mouseClick(d.TestButton(SoundChoice::kMachine), Qt::LeftButton);
        });
        for (char key : std::string("5+3\r")) {
            QTest::keyClick(t->Row(t->calc().focus_row()),
                            key == '\r' ? Qt::Key_Return : Qt::Key(key));
        }
        QCOMPARE(ear_.played, QStringList({"Manual.wav", "Manual.wav", "Manual.wav"}));
        t.reset();  // closing writes the settings
        QFile ini(folder_->filePath("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString saved = QString::fromUtf8(ini.readAll());
        QVERIFY(saved.contains("CallbackCharacter=None") && saved.contains("MachineSound=Manual"));
    }

    void the_options_stand_in_their_frames_in_the_order_of_the_table() {
        auto t = Start("");
        QAction* on_top = Item(*t, Command::mnuOptionsAlwaysOnTop);
        on_top->trigger();
        WithSoundsDialog(*t, [&](SoundDialog& d) {
            QVERIFY(!on_top->isChecked());  // lifted while the dialog is open
            const Twips twips = Twips::Of(&d);
            QCOMPARE(d.size(), QSize(twips.X(2775), twips.Y(5175)));
            // Row by row, left to right, as the user reads them.
            auto reading_order = [&](SoundChoice choice) {
                std::vector<QRadioButton*> options;
                for (int i = 0; i < SoundsForm::OptionCount(choice); ++i) {
                    if (!d.Frame(choice)->rect().contains(d.Option(choice, i)->geometry())) break;
                    options.push_back(d.Option(choice, i));
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
            QCOMPARE(reading_order(SoundChoice::kCallbackVoice), voices);
            QVERIFY(d.Frame(SoundChoice::kInputVoice)->x() <
                    d.Frame(SoundChoice::kCallbackVoice)->x());
            QVERIFY(d.OkButton()->isDefault());
            for (QWidget* w : d.findChildren<QWidget*>()) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            }
        });
        QVERIFY(on_top->isChecked());
    }

    void the_callback_reads_from_the_cursor_until_it_is_stopped_data() {
        QTest::addColumn<bool>("from_menu");
        QTest::addColumn<int>("meanwhile");
        QTest::addColumn<QStringList>("played");
        QTest::addColumn<bool>("marked_after");
        const QStringList both{"t+.wav", "t2.wav", "t5.wav", "t+.wav", "t3.wav"};
        const QStringList first{"t+.wav", "t2.wav", "t5.wav"};
        QTest::newRow("button") << false << int(kNothing) << both << false;
        QTest::newRow("Alt answered No") << false << int(kAltAnsweredNo) << first << false;
        QTest::newRow("button clicked again") << false << int(kButtonClicked) << first << false;
        // The menu's mark stays after its reading; chosen again it stops it.
        QTest::newRow("menu") << true << int(kNothing) << both << true;
        QTest::newRow("menu chosen again") << true << int(kMenuChosen) << first << false;
        QTest::newRow("menu during the button's") << false << int(kMenuChosen) << both << true;
        QTest::newRow("window closed") << false << int(kWindowClosed) << first << false;
    }

    void the_callback_reads_from_the_cursor_until_it_is_stopped() {
        QFETCH(bool, from_menu);
        QFETCH(int, meanwhile);
        auto t = Start("CallbackCharacter=Pippa\n");
        t->Type("25+3+");
        QTest::mouseClick(t->Row(3), Qt::LeftButton);
        QAction* item = Item(*t, Command::mnuOptionsVoiceCallback);
        if (meanwhile == kAltAnsweredNo) watchdog_->Answer(QMessageBox::No);
        bool pressed = false, cursor_followed = false;
        ear_.on_play = [&](const QString& file) {
            pressed = CallIt(*t)->isChecked();
            if (file == "t3.wav") cursor_followed = QApplication::focusWidget() == t->Row(4);
            if (file != "t5.wav") return;
            QMetaObject::invokeMethod(
                qApp,
                [&, meanwhile] {
                    if (meanwhile == kAltAnsweredNo) {
                        QTest::keyClick(t->Row(t->calc().focus_row()), Qt::Key_Alt,
                                        Qt::AltModifier);
                    }
                    if (meanwhile == kButtonClicked) QTest::mouseClick(CallIt(*t), Qt::LeftButton);
                    if (meanwhile == kMenuChosen) item->trigger();
                    if (meanwhile == kWindowClosed) {
                        t->calc().MarkTapeUnchanged();  // closes without the save question
                        t->app().window().close();
                    }
                },
                Qt::QueuedConnection);
        };
        from_menu ? item->trigger() : QTest::mouseClick(CallIt(*t), Qt::LeftButton);
        QTEST(ear_.played, "played");
        QTEST(item->isChecked(), "marked_after");
        QVERIFY(pressed && !CallIt(*t)->isChecked());
        QCOMPARE(t->calc().focus_row(), ear_.played.size() == 5 ? 5 : 4);
        if (ear_.played.size() == 5) QVERIFY(cursor_followed);
        if (meanwhile == kAltAnsweredNo) QCOMPARE(watchdog_->messages.size(), std::size_t{1});
    }

    void no_callback_voice_opens_the_sounds_dialog_and_rusty_reads_at_once() {
        auto t = Start("CallbackCharacter=None\n");
        t->Type("1+");
        QTest::mouseClick(t->Row(3), Qt::LeftButton);
        watchdog_->Handle([](QDialog* dialog) {
            if (auto* sounds = dynamic_cast<SoundDialog*>(dialog)) {
                QTest::mouseClick(sounds->Option(SoundChoice::kCallbackVoice, 2), Qt::LeftButton);
            }
            dialog->accept();
        });
        QTest::mouseClick(CallIt(*t), Qt::LeftButton);
        QCOMPARE(ear_.played, QStringList({"b+.wav", "b1.wav"}));
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::SoundsDialogTest)
#include "sounds_dialog_test.moc"
