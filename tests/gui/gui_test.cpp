// The window as a person uses it, headless: keying and correcting on the tape,
// the focus while resizing and scrolling, saving, closing and the settings,
// printing and the preview, keyboard access, the colour, converter and Sounds
// dialogs, the voice callback, what the sound device hears, and Qt's key events
// in the engine's key codes. The engine's own rules belong to the key-script
// tests: here the rows must show the engine's model and events must reach it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <csignal>

#include "dialogs/colors_dialog.h"
#include "dialogs/converter_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/print_preview.h"
#include "dialogs/sound_dialog.h"
#include "engine/spoken_line.h"
#include "gui_fixture.h"
#include "platform/qt/locale_numbers.h"
#include "platform/qt/twips.h"
#include "shell/printing.h"
#include "wave_samples.h"
#include "window/key_translation.h"

namespace tallymar::testing {
namespace {

const auto Text = [](const std::string& text) { return QString::fromStdString(text); };
const auto FocusName = [] { return QApplication::focusWidget()->accessibleName(); };

// Every row, operator and the total show the engine's model, named as a screen
// reader reads them.
void ExpectRowsShowTheModel(Started& t) {
    const Calc& calc = t.calc();
    for (int r = 0; r < int(calc.view().rows().size()); ++r) {
        QCOMPARE(t.Row(r)->text(), Text(calc.view().rows()[r].text));
        QCOMPARE(t.tape().OpBox(r)->text(), Text(calc.view().rows()[r].op));
        QCOMPARE(t.Row(r)->accessibleName(), Text(SpokenRow(calc, r)));
    }
    QCOMPARE(t.tape().TotalBox()->text(), Text(calc.display().text));
    QCOMPARE(t.tape().TotalBox()->accessibleName(), Text(SpokenTotal(calc)));
}

// The focus is on the tape's open line, in the row that has the keyboard, and the
// scroll bar stands at it.
void ExpectFocusOnTheOpenLine(Started& t) {
    const Calc& calc = t.calc();
    QCOMPARE(calc.view().top_line() + calc.view().focus_row(), calc.tape().UpperBound());
    QTRY_COMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(t.Row(calc.view().focus_row())));
    QCOMPARE(t.tape().ScrollBar()->maximum(), calc.tape().UpperBound() - calc.view().last_row());
    QCOMPARE(t.tape().ScrollBar()->value(), calc.view().top_line());
}

// Picks an entry of a list by keyboard: from the top, Down until it is shown.
void PickByKeys(QComboBox* list, const QString& entry) {
    list->setFocus();
    while (list->currentText() != entry && list->currentIndex() < list->count() - 1)
        QTest::keyClick(list, Qt::Key_Down);
}

// Hears each wave file; `on_play` runs as it plays (the window is busy meanwhile).
struct Ear : WavePlayer {
    QStringList played;
    std::function<void(const QString&)> on_play;
    void PlayWave(const std::string& file) override {
        played << Text(file);
        if (on_play) on_play(played.back());
    }
};

// What happens while the first line is read back, taken from the event queue.
enum Meanwhile { kNothing, kAltAnsweredNo, kButtonClicked, kMenuChosen, kWindowClosed };

const QSizeF kLetter(12240, 15840);  // 8.5 by 11 inches

// A preview of `pages` pages; page n carries a black block one inch wide, n inches down.
struct Preview {
    explicit Preview(int pages) {
        std::vector<QPicture> made(pages);
        for (int n = 1; n <= pages; ++n) {
            QPainter painter(&made[n - 1]);
            painter.fillRect(QRectF(1440, 1440 * n, 1440, 720), Qt::black);
        }
        dialog = std::make_unique<PrintPreviewDialog>(
            nullptr, std::move(made), kLetter, [this] { ++printed; }, [this] { ++helped; });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        active = QTest::qWaitForWindowActive(dialog.get());  // maximised by then
    }
    PrintPreviewDialog* operator->() { return dialog.get(); }
    // Whether the shown page is black at (x, y) twips from its top-left corner.
    bool BlackAt(double x, double y) {
        const Twips t = Twips::Of(dialog.get());
        const double zoom = dialog->PageArea().width() / kLetter.width();
        const QImage image = dialog->ScrollArea()->grab().toImage();
        return image.pixelColor(t.X(x * zoom), t.Y(y * zoom)) == QColor(Qt::black);
    }
    std::unique_ptr<PrintPreviewDialog> dialog;
    bool active = false;
    int printed = 0, helped = 0;
};

}  // namespace

class GuiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    Ear ear_;

    QString Path(const QString& name) const { return folder_->filePath(name); }
    // A start with these settings and the test's ear in place of the sound device.
    std::unique_ptr<Started> Heard(const QByteArray& options) {
        WriteFile(Path("Tallymar.ini"), "[OPTIONS]\nDecimals=0\n" + options);
        return std::make_unique<Started>(folder_->path(), "", &ear_);
    }
    static QToolButton* CallIt(Started& t) { return t.tape().findChild<QToolButton*>("cmdCallIt"); }

  private slots:
    // Started in the folder where its sounds lie, as the program expects.
    void initTestCase() { QVERIFY(QDir::setCurrent(TALLYMAR_SOUNDS_BUILD_DIR)); }
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        ear_ = Ear{};
    }
    void cleanup() { watchdog_->ExpectNoneUnexpected(); }

    void keying_on_the_keypad_prints_lines_and_totals_and_a_correction_reworks_the_tape() {
        Started t(folder_->path());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(3)));
        t.Type("5+3+", Qt::KeypadModifier);
        t.Key(Qt::Key_Enter, Qt::KeypadModifier);
        // Without a settings file the tape starts with no decimal places.
        QCOMPARE(t.Row(5)->text(), QString("8"));
        QVERIFY(t.Row(5)->font().bold() && t.Row(5)->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(7)));
        // The item count and grand total under the tape, named for a screen reader.
        const auto* count = t.app().window().findChild<QLabel*>("lblItemCount");
        QCOMPARE(count->text(), QString::fromUtf8("0 items \u00B7 GT 8"));
        QCOMPARE(count->accessibleName(), QString("0 items, grand total 8"));
        ExpectRowsShowTheModel(t);
        QTest::mouseClick(t.Row(4), Qt::LeftButton);
        t.Type("9+", Qt::KeypadModifier);
        QCOMPARE(t.Row(5)->text(), QString("14"));
        ExpectRowsShowTheModel(t);
    }

    // Amounts end at the right of their rows, so that their decimal points line up down
    // the tape; a comment starts at the left.
    void amounts_line_up_at_the_right_and_comments_start_at_the_left() {
        Started t(folder_->path());
        t.Type("12.49+3.99+rent");
        t.Key(Qt::Key_Return);
        auto inked = [&](int row) {
            return InkColumns(t.Row(row), t.Row(row)->palette().color(QPalette::Base));
        };
        QCOMPARE(t.Row(3)->text(), QString("12"));  // no decimal places without settings
        QCOMPARE(t.Row(4)->text(), QString("4"));
        QVERIFY(std::abs(inked(3).second - inked(4).second) <= 1);  // the same last column
        QVERIFY(inked(3).first < inked(4).first);                   // "12" is wider than "4"
        QVERIFY(t.Row(5)->text().startsWith("rent"));
        QVERIFY(inked(5).first < inked(3).first);  // the comment starts at the left
    }

    void resizing_and_scrolling_leave_the_focus_and_its_digits_on_the_open_line() {
        Started t(folder_->path());
        MainWindow& window = t.app().window();
        const int height = window.height();
        auto resize = [&](int to) {
            window.resize(window.width(), to);
            QApplication::processEvents();
        };
        resize(height / 2);
        for (int i = 1; i <= 20; ++i) t.Type(QString::number(i) + "+");
        t.Type("7");
        resize(height / 4);
        ExpectFocusOnTheOpenLine(t);
        QCOMPARE(t.Row(t.calc().view().focus_row())->text(), QString("7"));
        const int top = t.calc().view().top_line();
        QWidget* focused = QApplication::focusWidget();
        QWheelEvent wheel(QPointF(5, 5), t.Row(0)->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.Row(0), &wheel);
        QCOMPARE(t.calc().view().top_line(), top - 3);
        // The box that kept the keyboard shows an older line meanwhile, without a caret.
        QCOMPARE(QApplication::focusWidget(), focused);
        QVERIFY(t.calc().view().focus_parked() && t.Row(t.calc().view().focus_row())->isReadOnly());
        // The scroll bar by keys; back on the tape, the keys go on the open line.
        t.Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), t.tape().ScrollBar());
        t.Key(Qt::Key_PageUp);
        QVERIFY(t.calc().view().top_line() < top - 3);
        t.Key(Qt::Key_Tab, Qt::ControlModifier);
        t.Type("+");
        QCOMPARE(t.calc().accumulator(), 217.0);
        ExpectFocusOnTheOpenLine(t);
        // Taller than the tape: every line shows from the top.
        resize(height * 4);
        QCOMPARE(t.calc().view().top_line(), 0);
        QCOMPARE(t.calc().view().last_row(), t.calc().tape().UpperBound());
        ExpectRowsShowTheModel(t);
    }

    void a_saved_tape_opens_from_the_command_line_and_a_failed_save_keeps_the_window_open() {
        {
            Started t(folder_->path());
            t.Type("5+");
            t.dialogs.answers << Path("week.add");
            t.Key(Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(t.app().window().windowTitle(), QString("week.add - Tallymar"));
            t.Key(Qt::Key_F, Qt::AltModifier);  // File > Exit asks nothing now
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
            QTRY_VERIFY(!t.app().window().isVisible());
        }
        // On the fresh tape of a start the file opens without the append question.
        Started t(folder_->path(), Path("week.add").toStdString());
        QCOMPARE(t.calc().tape()[3].Amount, 5.0);
        QCOMPARE(t.app().window().windowTitle(), QString("week.add - Tallymar"));
        ExpectRowsShowTheModel(t);
        // Its name taken by a folder meanwhile, the save at closing fails.
        QVERIFY(QFile::remove(Path("week.add")) && QDir(folder_->path()).mkdir("week.add"));
        t.Type("3+");
        watchdog_->Answer(QMessageBox::Yes);  // save the changes
        t.dialogs.answers << Path("week.add");
        watchdog_->Answer(QMessageBox::Ok);
        QVERIFY(!t.app().window().close());
        QCOMPARE(t.dialogs.asked, std::vector<std::string>{"Save Tallymar File As"});
        QCOMPARE(watchdog_->messages.back(),
                 QString("Tallymar could not save week.add: it is a folder, not a file"));
        QVERIFY(t.app().window().isVisible() && t.calc().tape_changed());
        QCOMPARE(t.app().window().windowTitle(), QString("*week.add - Tallymar"));
    }

    // Ended by SIGTERM (a log-out), the window keeps the settings and the tape; the next
    // start offers the tape back. Declined, the copy stays aside until the next save.
    void a_tape_ended_by_a_signal_is_offered_back_at_the_next_start() {
        const QString copies = Path("state/tallymar");
        auto left_over = [&] { return QDir(copies).entryList({"tape-*.recovery"}).size(); };
        for (int round = 0; round < 2; ++round) {
            if (round == 1) watchdog_->Answer(QMessageBox::No);  // the first copy kept aside
            Started first(folder_->path());
            bool ended = false;
            first.app().exit_after_signal = [&ended] { ended = true; };
            first.Type("5+7.25-");
            first.Key(Qt::Key_4, Qt::ControlModifier);  // four decimals, a setting to keep
            ::raise(SIGTERM);
            QTRY_VERIFY(ended);
            QFile settings(Path("Tallymar.ini"));
            QVERIFY(settings.open(QIODevice::ReadOnly) &&
                    settings.readAll().contains("Decimals=4"));
            QCOMPARE(left_over(), round + 1);
            first.application.reset();  // gone without closing, as a killed program
        }
        QCOMPARE(left_over(), 2);
        watchdog_->Answer(QMessageBox::Yes);  // restore the newest
        {
            Started second(folder_->path());
            QCOMPARE(watchdog_->messages.back(), Text(kRestoreQuestion));
            QCOMPARE(second.calc().tape()[3].Amount, 5.0);
            QCOMPARE(second.calc().tape()[4].Amount, 7.25);
            QCOMPARE(second.app().window().windowTitle(), QString("*Tape1 - Tallymar"));
            QVERIFY(second.calc().tape_changed());
            // Its own copy from the first moment on, in place of the one restored.
            QCOMPARE(left_over(), 2);
            second.application.reset();
        }
        watchdog_->Answer(QMessageBox::No);  // kept aside
        Started third(folder_->path());
        QCOMPARE(third.calc().tape().UpperBound(), 3);  // a new tape
        QCOMPARE(left_over(), 2);
        third.Type("1+");
        third.dialogs.answers << Path("saved.add");
        third.Key(Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(left_over(), 1);  // the one declined goes with the save
    }

    // File > Open Recent lists the tapes used last, across a restart; a tape that has
    // gone is named and taken off the list.
    void open_recent_lists_the_tapes_used_last_across_a_restart() {
        {
            Started t(folder_->path());
            t.Type("5+");
            t.dialogs.answers << Path("week.add");
            t.Key(Qt::Key_S, Qt::ControlModifier);
        }
        Started t(folder_->path());
        auto* recent = t.app().window().findChild<QMenu*>("mnuFileOpenRecent");
        QVERIFY(recent != nullptr);
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions()[0]->text(), QString("&1 week.add"));
        QCOMPARE(recent->actions()[0]->toolTip(), Path("week.add"));
        recent->actions()[0]->trigger();
        QCOMPARE(t.app().window().windowTitle(), QString("week.add - Tallymar"));
        QCOMPARE(t.calc().tape()[3].Amount, 5.0);
        QVERIFY(QFile::remove(Path("week.add")));
        emit recent->aboutToShow();
        watchdog_->Answer(QMessageBox::Ok);
        recent->actions()[0]->trigger();
        QVERIFY(watchdog_->messages.back().startsWith("The file week.add is no longer there"));
        emit recent->aboutToShow();
        QVERIFY(!recent->actions()[0]->isEnabled());  // "(no recent tapes)"
    }

    // The command line's names pass byte for byte: no joining, no trimming.
    void the_command_line_passes_names_as_the_system_gave_them() {
        const struct {
            std::vector<const char*> argv;
            std::string settings, tape, error;
        } rows[] = {
            {{"tallymar", "week.add "}, "", "week.add ", ""},
            {{"tallymar", "--settings", "/tmp/my.ini", "a b.add"}, "/tmp/my.ini", "a b.add", ""},
            {{"tallymar", "--settings=/tmp/x.ini", "--", "--settings"},
             "/tmp/x.ini",
             "--settings",
             ""},
            {{"tallymar", "one.add", "two.add"},
             "",
             "one.add",
             "only one tape file can be opened at start: two.add"},
            {{"tallymar", "--settings"}, "", "", "--settings needs the name of a settings file"},
        };
        for (const auto& row : rows) {
            const CommandLine line =
                ParseCommandLine(static_cast<int>(row.argv.size()), row.argv.data());
            // Settings file, tape file, error.
            QCOMPARE(
                QStringList({Text(line.settings_path), Text(line.tape_path), Text(line.error)}),
                QStringList({Text(row.settings), Text(row.tape), Text(row.error)}));
        }
    }

    void settings_that_cannot_be_written_at_closing_are_named_and_the_program_closes() {
        QVERIFY(QDir(folder_->path()).mkdir("Tallymar.ini"));  // a folder in its place
        Started t(folder_->path());
        watchdog_->Answer(QMessageBox::Ok);
        QVERIFY(t.app().window().close());
        QCOMPARE(
            watchdog_->messages,
            std::vector<QString>{Text("Tallymar could not save its settings to " +
                                      t.app().settings_path() + ": it is a folder, not a file")});
    }

    void printing_from_the_window_gives_the_pages_tallymar_cli_gives() {
        WriteFile(Path("Tallymar.ini"), "[OPTIONS]\nDecimals=2\n");  // as tallymar-cli starts
        Started t(folder_->path());
        // Keyed with the locale's decimal symbol: the test runs under de_DE.UTF-8 too.
        QString keys = "Rent\r1250+89" + QLocale::system().decimalPoint() + "99+45+\r3-\r";
        t.Type(keys);
        t.app().window().printing().choose_printer = [&](QPrinter& printer, bool* selection) {
            UsePdfFile(printer, Path("window.pdf").toStdString());
            return !(*selection = false);
        };
        t.app().window().menus().Item(Command::mnuFilePrint)->trigger();
        QProcess cli;
        cli.start(TALLYMAR_CLI,
                  {"--keys", keys.replace("\r", "{Enter}") + "{Pdf " + Path("cli.pdf") + "}"});
        QVERIFY(cli.waitForFinished(30000) && cli.exitCode() == 0);
        // The header's time may differ by a second; every line below it must match.
        auto body = [](const QString& pdf) {
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            text.waitForFinished(30000);
            QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split('\n');
            lines.removeFirst();
            return lines.join("\n");
        };
        QVERIFY(
            body(Path("window.pdf")).contains(QLocale::system().toString(1384.99, 'f', 2) + "T"));
        QCOMPARE(body(Path("window.pdf")), body(Path("cli.pdf")));
    }

    void the_preview_pages_zooms_prints_and_scrolls_by_its_access_keys_and_keys() {
        Preview p(3);
        QVERIFY(p.active && p->isMaximized());
        QCOMPARE(p->PageArea().size(), kLetter * 0.5);
        QVERIFY(p.BlackAt(1800, 1600) && !p->PreviousButton()->isEnabled());
        // clang-format off
        const struct { Qt::Key key; int page, printed, helped; double zoom; } steps[] = {
            {Qt::Key_N, 1, 0, 0, 0.5}, {Qt::Key_N, 2, 0, 0, 0.5}, {Qt::Key_P, 1, 0, 0, 0.5},
            {Qt::Key_R, 1, 1, 0, 0.5}, {Qt::Key_H, 1, 1, 1, 0.5}, {Qt::Key_Z, 1, 1, 1, 1.0}};
        // clang-format on
        for (const auto& s : steps) {
            QTest::keyClick(QApplication::focusWidget(), s.key, Qt::AltModifier);
            // An access key presses its button as a click does, a moment later.
            QTRY_COMPARE(p->PreviewPage(), s.page);
            QTRY_COMPARE(p.printed, s.printed);
            QTRY_COMPARE(p.helped, s.helped);
            QTRY_COMPARE(p->PageArea().size(), kLetter * s.zoom);
            QVERIFY(p->PreviousButton()->isEnabled() &&
                    p->NextButton()->isEnabled() == (s.page < 2));
            const int top = 1440 * (s.page + 1);  // where the page's block begins
            QVERIFY(p.BlackAt(1800, top + 100) && !p.BlackAt(1800, top - 100));
        }
        // At full size the scroll bars move the page, by the preview's keys alone.
        QScrollBar* bar = p->VScroll();
        QVERIFY(bar->isVisible() && p->HScroll()->isVisible());
        QCOMPARE(bar->maximum(),
                 qRound(15840 - Twips::Of(p.dialog.get()).FromY(p->Viewport()->height())));
        QTest::keyClick(p.dialog.get(), Qt::Key_Down, Qt::ShiftModifier);  // a page down
        const int value = std::min(bar->pageStep(), bar->maximum()) - bar->singleStep();
        QTest::keyClick(p.dialog.get(), Qt::Key_Up);  // a line up
        QCOMPARE(bar->value(), value);
        QCOMPARE(p->PageArea().top(), -double(value));
        QTest::keyClick(p->NextButton(), Qt::Key_Space);
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(p->PreviewPage(), 1);
        QCOMPARE(bar->value(), value);
        QTest::keyClick(bar, Qt::Key_Escape);
        QVERIFY(!p->isVisible());
    }

    void control_tab_rings_through_the_controls_and_keys_typed_there_reach_the_tape() {
        Started t(folder_->path());
        t.Key(Qt::Key_2, Qt::ControlModifier);
        t.Type("12");
        AmountBox* keyed = t.Row(t.calc().view().focus_row());
        t.Key(Qt::Key_Tab);  // plain Tab and Shift+Tab stay in the row being keyed
        t.Key(Qt::Key_Backtab, Qt::ShiftModifier);
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
        for (int i = int(ring.size()) - 1; i >= 0; --i) {
            t.Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(FocusName(), ring[i]);
        }
        t.Key(Qt::Key_Tab);  // on a control plain Tab moves too
        QCOMPARE(FocusName(), ring[1]);
        t.Type("3+");
        QCOMPARE(t.Row(3)->text(), QString("123.00"));
        QCOMPARE(QApplication::focusWidget(), t.Row(4));
    }

    void decimal_shortcuts_choose_the_places_of_the_next_amount() {
        // clang-format off
        const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; const char *keys, *shown; } cases[] = {
            {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "15+", "0.15"},
            {Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier, "1.5+", "1.5"}, {Qt::Key_0, Qt::ControlModifier, "1.5+", "2"},
            {Qt::Key_1, Qt::ControlModifier, "1.25+", "1.3"}, {Qt::Key_2, Qt::ControlModifier, "1.5+", "1.50"},
            {Qt::Key_4, Qt::ControlModifier, "1.5+", "1.5000"}, {Qt::Key_6, Qt::ControlModifier, "1.5+", "1.500000"}};
        // clang-format on
        for (const auto& c : cases) {
            Started t(folder_->path());
            t.Key(c.key, c.modifiers);
            t.Type(c.keys);
            QCOMPARE(t.Row(3)->text(), QString(c.shown));
            // The shortcut typed nothing into the row and left the keyboard on the tape.
            QCOMPARE(QApplication::focusWidget(), t.Row(4));
        }
    }

    // Ctrl+F opens the Find dialog on its text box; Enter finds the next line and closes
    // it, leaving the keyboard on that line; F3 and Shift+F3 find again. A text not found
    // is told, and the dialog stays with the text selected.
    void find_opens_by_keyboard_and_leaves_the_keyboard_on_the_line_found() {
        Started t(folder_->path());
        t.Type("5+rent\r6+5+");
        watchdog_->Handle([&](QDialog* dialog) {
            auto* find = dynamic_cast<FindDialog*>(dialog);
            if (!find) return dialog->reject();
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find->TextBox()));
            QCOMPARE(find->TextBox()->accessibleName(), QString("Find what"));
            QVERIFY(!find->NextButton()->isEnabled());
            QTest::keyClicks(find->TextBox(), "5");
            QTest::keyClick(find->TextBox(), Qt::Key_Return);
        });
        t.Key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(t.calc().view().FocusLine(), 3);
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(t.Row(t.calc().view().focus_row())));
        QCOMPARE(FocusName(), QString("5 plus"));  // what a screen reader says of it
        t.Key(Qt::Key_F3);
        QCOMPARE(t.calc().view().FocusLine(), 6);
        t.Key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(t.calc().view().FocusLine(), 3);
        bool stayed = false;
        watchdog_->Handle([&](QDialog* dialog) {
            auto* find = dynamic_cast<FindDialog*>(dialog);
            if (!find) return dialog->reject();
            QCOMPARE(find->TextBox()->selectedText(), QString("5"));  // the last text, to type over
            QTest::keyClicks(find->TextBox(), "RENTS");
            // Once this handler is done, so that the watchdog answers the message box.
            QTimer::singleShot(0, find,
                               [find] { QTest::keyClick(find->TextBox(), Qt::Key_Return); });
        });
        watchdog_->Answer(QMessageBox::Ok);
        watchdog_->Handle([&](QDialog* dialog) {
            auto* find = dynamic_cast<FindDialog*>(dialog);
            if (!find) return dialog->reject();
            stayed = find->TextBox()->selectedText() == "RENTS";
            QTest::keyClick(find->TextBox(), Qt::Key_Escape);
        });
        t.Key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(stayed);
        QCOMPARE(watchdog_->messages, std::vector<QString>{"Cannot find \"RENTS\"."});
        QCOMPARE(t.calc().view().FocusLine(), 3);
    }

    // Ctrl+A, Ctrl+Shift+S and Ctrl+Q reach their menu items from the tape's row, which
    // keeps none of them for its own editing.
    void select_all_save_as_and_exit_shortcuts_reach_the_menus_from_the_tape() {
        Started t(folder_->path());
        t.Type("5+6+");
        t.Key(Qt::Key_A, Qt::ControlModifier);
        QVERIFY(t.calc().view().selection().shown());
        QCOMPARE(LinesToPrint(t.calc(), true).first, 0);
        QCOMPARE(LinesToPrint(t.calc(), true).last, t.calc().tape().UpperBound());
        QCOMPARE(t.Row(t.calc().view().focus_row())->text(), QString());
        // File > Export takes the highlighted lines: a header and every line.
        const QString csv = folder_->path() + "/all.csv";
        t.dialogs.answers = {csv};
        t.app().window().menus().Item(Command::mnuFileExport)->trigger();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), t.calc().tape().UpperBound() + 2);
        t.Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(t.dialogs.asked,
                 (std::vector<std::string>{"Export Tallymar Tape", "Save Tallymar File As"}));
        t.calc().MarkTapeChanged(false);
        t.Key(Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!t.app().window().isVisible());
    }

    // Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) reach Edit > Undo and Redo from the tape's row,
    // not the row's own undo of its typing.
    void undo_and_redo_shortcuts_take_back_the_tape_s_changes_from_the_row() {
        Started t(folder_->path());
        t.Type("5+6+");
        auto shown = [&] { return Text(t.calc().display().text); };
        t.Key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown(), QString("5"));
        t.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(shown(), QString("11"));
        t.Key(Qt::Key_Z, Qt::ControlModifier);
        t.Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shown(), QString("11"));
    }

    void the_colour_dialog_shows_a_theme_in_its_sample_and_ok_recolours_the_tape() {
        Started t(folder_->path());
        t.Type("5+3-");
        const QColor orange(255, 128, 0);
        auto text = [&](int r) { return t.Row(r)->palette().color(QPalette::Text); };
        watchdog_->Handle([&](QDialog* shown) {
            auto* dialog = dynamic_cast<ColorsDialog*>(shown);
            if (!dialog) return shown->reject();
            PickByKeys(dialog->ThemeList(), "Halloween");
            // The sample takes the theme at once; the tape waits for OK.
            QCOMPARE(dialog->SampleLabel(1)->palette().color(QPalette::WindowText), orange);
            QCOMPARE(dialog->SampleGround()->palette().color(QPalette::Window), orange);
            QCOMPARE(text(4), QColor(Qt::red));
            QTest::keyClick(dialog->ThemeList(), Qt::Key_Return);  // OK, the default button
        });
        t.app().window().Run(Command::mnuOptionsColors);
        QCOMPARE(text(3), QColor(Qt::black));
        QCOMPARE(text(4), orange);
        QCOMPARE(t.tape().palette().color(QPalette::Window), orange);
    }

    void the_converter_stays_open_beside_the_tape_and_writes_onto_it_when_ticked() {
        Started t(folder_->path());
        QTest::mouseClick(t.tape().findChild<QToolButton*>("cmdConverter"), Qt::LeftButton);
        ConverterDialog* converter = t.app().dialog_commands().converter();
        QVERIFY(converter && !converter->isModal() && !QApplication::activeModalWidget());
        PickByKeys(converter->FromList(), "foot");
        PickByKeys(converter->ToList(), "meters");
        QCOMPARE(converter->Result()->text(), QString("0.3048"));
        converter->AmountBox()->selectAll();
        QTest::keyClicks(converter->AmountBox(), "5280");
        QTest::keyClick(converter->AmountBox(), Qt::Key_Return);  // the convert button
        QCOMPARE(converter->Result()->text(), QString("1,609.344"));
        // Opened again while open: the same window, as it was.
        t.app().window().Run(Command::mnuOptionsConverter);
        QCOMPARE(t.app().dialog_commands().converter(), converter);
        QCOMPARE(converter->AmountBox()->text(), QString("5280"));
        QTest::keyClick(converter->AddToTapeBox(), Qt::Key_Space);  // a result shows: written
        QVERIFY(t.app().settings().ShowConversion);
        QCOMPARE(Text(t.calc().view().ShownText(t.calc().tape().UpperBound() - 3)),
                 QString("1,609.344"));
        ExpectRowsShowTheModel(t);
        QTest::keyClick(converter->AmountBox(), Qt::Key_Escape);
        QTRY_VERIFY(!t.app().dialog_commands().converter());
    }

    void the_sounds_dialog_writes_each_click_at_once_and_the_keys_play_the_choice() {
        auto t = Heard("");
        watchdog_->Handle([&](QDialog* dialog) {
            auto* d = dynamic_cast<SoundDialog*>(dialog);
            if (!d) return dialog->reject();
            QVERIFY(d->Option(SoundChoice::kCallbackVoice, 0)->isChecked());  // "None"
            QTest::mouseClick(d->Option(SoundChoice::kMachine, 4), Qt::LeftButton);
            QCOMPARE(t->calc().options().MachineSound, std::string("Manual"));
            QTest::mouseClick(d->TestButton(SoundChoice::kMachine), Qt::LeftButton);
            QTest::mouseClick(d->OkButton(), Qt::LeftButton);
        });
        t->app().window().menus().Item(Command::mnuOptionsSounds)->trigger();
        t->Type("5+3\r");
        QCOMPARE(ear_.played, QStringList({"Manual.wav", "Manual.wav", "Manual.wav"}));
    }

    void the_callback_reads_from_the_cursor_until_it_is_stopped_data() {
        QTest::addColumn<bool>("from_menu");
        QTest::addColumn<int>("meanwhile");
        QTest::addColumn<QStringList>("played");
        const QStringList both{"t+.wav", "t2.wav", "t5.wav", "t+.wav", "t3.wav"};
        const QStringList first{"t+.wav", "t2.wav", "t5.wav"};
        QTest::newRow("button") << false << int(kNothing) << both;
        QTest::newRow("Alt answered No") << false << int(kAltAnsweredNo) << first;
        QTest::newRow("button clicked again") << false << int(kButtonClicked) << first;
        // The menu's mark goes when the reading ends, by itself or chosen again.
        QTest::newRow("menu") << true << int(kNothing) << both;
        QTest::newRow("menu chosen again") << true << int(kMenuChosen) << first;
        QTest::newRow("menu during the button's") << false << int(kMenuChosen) << both;
        QTest::newRow("window closed") << false << int(kWindowClosed) << first;
    }

    void the_callback_reads_from_the_cursor_until_it_is_stopped() {
        QFETCH(bool, from_menu);
        QFETCH(int, meanwhile);
        auto t = Heard("CallbackCharacter=Pippa\n");
        t->Type("25+3+");
        QTest::mouseClick(t->Row(3), Qt::LeftButton);
        QAction* item = t->app().window().menus().Item(Command::mnuOptionsVoiceCallback);
        if (meanwhile == kAltAnsweredNo) watchdog_->Answer(QMessageBox::No);
        bool pressed = false, cursor_followed = false;
        ear_.on_play = [&](const QString& file) {
            pressed = CallIt(*t)->isChecked();
            if (file == "t3.wav") cursor_followed = QApplication::focusWidget() == t->Row(4);
            if (file != "t5.wav") return;
            QMetaObject::invokeMethod(
                qApp,
                [&, meanwhile] {
                    if (meanwhile == kAltAnsweredNo)
                        QTest::keyClick(t->Row(t->calc().view().focus_row()), Qt::Key_Alt,
                                        Qt::AltModifier);
                    if (meanwhile == kButtonClicked) QTest::mouseClick(CallIt(*t), Qt::LeftButton);
                    if (meanwhile == kMenuChosen) item->trigger();
                    if (meanwhile == kWindowClosed) {
                        t->calc().MarkTapeChanged(false);  // closes without the save question
                        t->app().window().close();
                    }
                },
                Qt::QueuedConnection);
        };
        from_menu ? item->trigger() : QTest::mouseClick(CallIt(*t), Qt::LeftButton);
        QTEST(ear_.played, "played");
        QVERIFY(pressed && !CallIt(*t)->isChecked() && !item->isChecked());
        QCOMPARE(t->calc().view().focus_row(), ear_.played.size() == 5 ? 5 : 4);
        if (ear_.played.size() == 5) QVERIFY(cursor_followed);
        if (meanwhile == kAltAnsweredNo) QCOMPARE(watchdog_->messages.size(), std::size_t{1});
    }

    void the_window_paints_while_it_speaks_and_keys_wait_their_turn_data() {
        QTest::addColumn<bool>("keys_interrupt");
        QTest::newRow("every word whole") << false;
        QTest::newRow("keys interrupt the voice") << true;
    }

    // A long spoken total through the real sound path (SDL's disk driver, in real time):
    // the window paints meanwhile, and keys typed meanwhile wait, then reach the tape in
    // the order they came, after the total. With "Keys interrupt the voice" the total's
    // last word ("line") is cut away by the key, which is spoken at once.
    void the_window_paints_while_it_speaks_and_keys_wait_their_turn() {
        QFETCH(bool, keys_interrupt);
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", Path("device.raw").toUtf8());
        qunsetenv("SDL_DISKAUDIODELAY");  // as fast as a sound card plays
        WriteFile(Path("Tallymar.ini"), "[OPTIONS]\nCallInputCharacter=Grunk\n");
        {
            Started t(folder_->path());
            Options options = t.calc().options();
            options.KeysInterruptVoice = keys_interrupt;
            t.calc().SetOptions(options);
            t.Type("5+");
            struct Paints : QObject {
                int count = 0;
                bool eventFilter(QObject*, QEvent* event) override {
                    if (event->type() == QEvent::Paint) ++count;
                    return false;
                }
            } paints;
            qApp->installEventFilter(&paints);
            std::vector<double> amounts_meanwhile;
            int paints_meanwhile = -1;
            QTimer::singleShot(400, [&] {  // half a second into the spoken total
                paints.count = 0;
                t.app().window().update();
                QTimer::singleShot(100, [&] {
                    paints_meanwhile = paints.count;
                    for (char key : {'7', '+', '2', '+'}) QTest::keyClick(t.Focus(), key);
                    for (const TapeLine& line : t.calc().tape().lines())
                        amounts_meanwhile.push_back(line.Amount);
                });
            });
            t.Key(Qt::Key_Return);
            qApp->removeEventFilter(&paints);
            QVERIFY2(paints_meanwhile > 0, "the window did not paint while it spoke");
            // The keys had not reached the tape: it still had the amount and the total.
            QCOMPARE(amounts_meanwhile, (std::vector<double>{0, 0, 0, 5, 5, 0, 0}));
            QTRY_COMPARE_WITH_TIMEOUT(t.calc().tape().UpperBound(), 8, 15000);
            QCOMPARE(t.calc().tape()[6].Amount, 7.0);
            QCOMPARE(t.calc().tape()[7].Amount, 2.0);
            QCOMPARE(t.calc().accumulator(), 9.0);
        }  // closing the program closes the sound device
        qunsetenv("SDL_AUDIODRIVER");
        const auto heard = ReadRawSamples(Path("device.raw").toStdString());
        auto heard_word = [&](const char* name) {
            const auto sound = ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
            return sound && FindSamples(heard, sound->samples, 0).has_value();
        };
        // Typed all at once, the keys leave the voice one word behind at most: with
        // interruptions only the last of them, "plus", is said.
        QVERIFY(heard_word("a5.wav") && heard_word("a+.wav"));
        QCOMPARE(heard_word("a7.wav"), !keys_interrupt);
        QCOMPARE(heard_word("an.wav"), !keys_interrupt);
    }

    void qt_key_events_arrive_as_the_engine_s_key_codes_shift_states_and_characters() {
        const auto pad = Qt::KeypadModifier, none = Qt::NoModifier, shift = Qt::ShiftModifier,
                   ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        const char32_t point =
            QString::fromStdString(SystemNumberSymbols().decimal).at(0).unicode();
        // clang-format off
        const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; const char* text; int code, shift; char32_t character; } rows[] = {
            // The keypad with Num Lock on: digits 96 to 105, the operators, the point, Enter.
            {Qt::Key_0, pad, "0", 96, 0, '0'}, {Qt::Key_9, pad, "9", 105, 0, '9'}, {Qt::Key_Asterisk, pad, "*", 106, 0, '*'},
            {Qt::Key_Plus, pad, "+", 107, 0, '+'}, {Qt::Key_Minus, pad, "-", 109, 0, '-'}, {Qt::Key_Slash, pad, "/", 111, 0, '/'},
            {Qt::Key_Period, pad, ".", 110, 0, point}, {Qt::Key_Comma, pad, ",", 110, 0, point},  // the locale's point, whatever the layout
            {Qt::Key_Enter, pad, "\r", 13, 0, 13}, {Qt::Key_Enter, pad | shift, "\r", 13, 1, 13}, {Qt::Key_NumLock, none, "", 144, 0, 0},
            // Without Num Lock the keypad moves like the arrow and page keys.
            {Qt::Key_Up, pad, "", 38, 0, 0}, {Qt::Key_PageUp, pad, "", 33, 0, 0}, {Qt::Key_Insert, pad, "", 45, 0, 0},
            // The main keyboard; shortcuts type nothing.
            {Qt::Key_5, none, "5", 53, 0, '5'}, {Qt::Key_Plus, shift, "+", 0, 1, '+'}, {Qt::Key_A, shift, "A", 65, 1, 'A'},
            {Qt::Key_Eacute, none, "\u00e9", 0, 0, 0xE9}, {Qt::Key_Return, shift, "\r", 13, 1, 13}, {Qt::Key_Backspace, none, "\b", 8, 0, 8},
            {Qt::Key_Tab, none, "\t", 9, 0, 9}, {Qt::Key_Backtab, shift, "", 9, 1, 9}, {Qt::Key_Tab, ctrl, "\t", 9, 2, 0},
            {Qt::Key_Escape, none, "\x1b", 27, 0, 0}, {Qt::Key_Delete, none, "\x7f", 46, 0, 0}, {Qt::Key_Left, none, "", 37, 0, 0},
            {Qt::Key_C, ctrl, "\x03", 67, 2, 0}, {Qt::Key_F, alt, "f", 70, 4, 0}, {Qt::Key_5, ctrl | alt, "5", 53, 6, 0},
            // The modifier keys on their own count as held, however the platform reports them.
            {Qt::Key_Shift, none, "", 16, 1, 0}, {Qt::Key_Control, none, "", 17, 2, 0}, {Qt::Key_Alt, alt, "", 18, 4, 0},
            {Qt::Key_Alt, none, "", 18, 4, 0}, {Qt::Key_AltGr, none, "", 18, 0, 0}, {Qt::Key_Meta, Qt::MetaModifier, "", 91, 0, 0}};
        // clang-format on
        for (const auto& r : rows) {
            const Keystroke got =
                TranslateKey(QKeyEvent(QEvent::KeyPress, r.key, r.modifiers, r.text));
            QVERIFY2(got.key_code == r.code && got.shift_state == r.shift &&
                         got.character == r.character,
                     qPrintable(QKeySequence(r.key | r.modifiers).toString()));
        }
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::GuiTest)
#include "gui_test.moc"
