// The window as a person uses it: start-up, typing on the tape, resizing, the
// menus, dialogs under "Always on top", the decimal buttons, mouse selection,
// saving and opening, the save question at shut-down, the command-line file.
#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "dialogs/date_time_dialog.h"
#include "dialogs/mode_dialog.h"
#include "gui_fixture.h"
#include "platform/qt/topmost.h"
#include "shell/printing.h"

namespace tallymar::testing {

class GuiTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;

    QString Path(const QString& name) const { return folder_->filePath(name); }
    QString Ops(Calc& calc) {
        QString ops;
        for (const TapeLine& line : calc.tape()) ops += QChar(line.Op);
        return ops;
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
    }

    void cleanup() {
        const QString unexpected =
            watchdog_->unexpected.empty() ? QString() : watchdog_->unexpected.front();
        QVERIFY2(unexpected.isEmpty(), qPrintable("an unexpected window: " + unexpected));
        watchdog_.reset();
        folder_.reset();
    }

    void starts_with_a_new_tape_and_the_focus_on_its_open_line() {
        Started t(folder_->path());
        QCOMPARE(t.app().window().windowTitle(), QString("Tallymar - Tape1"));
        QCOMPARE(t.Row(0)->text(), QString("---------------"));
        QCOMPARE(t.tape().OpBox(1)->text(), QString("T"));
        QCOMPARE(t.Row(2)->text(), QString("---------------"));
        QCOMPARE(t.Row(3)->text(), QString(""));
        QCOMPARE(t.calc().focus_row(), 3);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(3)));
    }

    void typed_keys_and_clicks_reach_the_engine_and_the_rows_show_its_tape() {
        Started t(folder_->path());
        t.Type("5+3+");
        t.Key(Qt::Key_Return);
        QCOMPARE(Ops(t.calc()), QString("HTH++THB"));
        // Without a settings file the tape starts with no decimal places.
        QCOMPARE(t.Row(5)->text(), QString("8"));
        QCOMPARE(t.tape().OpBox(5)->text(), QString("T"));
        QVERIFY(t.Row(5)->font().bold());
        QVERIFY(t.Row(5)->isReadOnly());
        QCOMPARE(t.tape().TotalBox()->text(), QString("8"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(7)));
        QTest::mouseClick(t.Row(4), Qt::LeftButton);
        t.Type("9+");
        QCOMPARE(t.Row(5)->text(), QString("14"));
    }

    void a_dialog_lifts_always_on_top_while_open_and_restores_it() {
        Started t(folder_->path());
        MainWindow& window = t.app().window();
        window.menus().Item(Command::mnuOptionsAlwaysOnTop)->trigger();
        QVERIFY(IsTopmost(&window));
        bool topmost_while_open = true;
        bool checked_while_open = true;
        watchdog_->Handle([&](QDialog* dialog) {
            topmost_while_open = IsTopmost(&window);
            checked_while_open = window.menus().Item(Command::mnuOptionsAlwaysOnTop)->isChecked();
            dialog->accept();
        });
        window.menus().Item(Command::mnuOptionsDateTime)->trigger();
        QVERIFY(!topmost_while_open);
        QVERIFY(!checked_while_open);
        QVERIFY(IsTopmost(&window));
        QVERIFY(window.menus().Item(Command::mnuOptionsAlwaysOnTop)->isChecked());
        window.menus().Item(Command::mnuOptionsAlwaysOnTop)->trigger();
        QVERIFY(!IsTopmost(&window));
    }

    void the_mode_dialog_switches_the_total_display_colour_at_once() {
        Started t(folder_->path());
        QCOMPARE(t.tape().TotalBox()->palette().color(QPalette::Text), QColor(255, 0, 0));
        watchdog_->Handle([&](QDialog* dialog) {
            auto* mode = static_cast<ModeDialog*>(dialog);
            QVERIFY(mode->AdderOption()->isChecked());
            mode->CalcOption()->click();
            dialog->accept();
        });
        t.app().window().menus().Item(Command::mnuOptionsMode)->trigger();
        QVERIFY(t.calc().options().CalcMode);
        QCOMPARE(t.tape().TotalBox()->palette().color(QPalette::Text), QColor(0, 255, 255));
    }

    void the_date_time_dialog_changes_what_printing_shows_at_once() {
        Started t(folder_->path());
        watchdog_->Handle([&](QDialog* dialog) {
            auto* date_time = static_cast<DateTimeDialog*>(dialog);
            QCOMPARE(dialog->windowTitle(), QString("Date, time"));
            QCOMPARE(date_time->DateBox()->isChecked(), t.app().settings().PrintDate);
            date_time->DateBox()->setChecked(true);
            date_time->TimeBox()->setChecked(false);
            dialog->accept();
        });
        t.app().window().menus().Item(Command::mnuOptionsDateTime)->trigger();
        QVERIFY(t.app().settings().PrintDate);
        QVERIFY(!t.app().settings().PrintTime);
    }

    void a_decimal_button_sets_the_code_and_sends_the_focus_to_the_last_row() {
        Started t(folder_->path());
        t.Type("5+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        t.tape().DecimalOption(1)->click();
        QCOMPARE(int(t.calc().options().DecimalCode), 0);
        QCOMPARE(t.calc().focus_row(), t.calc().last_row());
        t.Type("2.5+");
        QCOMPARE(t.Row(4)->text(), QString("3"));
    }

    void shift_click_and_shift_drag_select_lines() {
        Started t(folder_->path());
        t.Type("1+2+3+");
        QTest::mouseClick(t.Row(3), Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(t.calc().selecting());
        QMouseEvent drag(QEvent::MouseMove, QPointF(5, t.Row(3)->height() * 2.5),
                         t.Row(3)->mapToGlobal(QPointF(5, t.Row(3)->height() * 2.5)), Qt::NoButton,
                         Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(t.Row(3), &drag);
        QCOMPARE(t.calc().sel_end_line(), 5);
        QCOMPARE(t.Row(4)->palette().color(QPalette::Base), QColor(0, 0, 128));
        QTest::mouseClick(t.Row(3), Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(!t.calc().selecting());
        QCOMPARE(t.Row(4)->palette().color(QPalette::Base), QColor(255, 255, 255));
    }

    void saving_and_opening_go_through_the_dialogs() {
        const std::string path = Path("week.add").toStdString();
        {
            Started t(folder_->path());
            t.Type("12.5+7.5+");
            t.Key(Qt::Key_Return);
            t.dialogs.answers.push_back(path);
            t.app().window().menus().Item(Command::mnuFileSave)->trigger();
            QCOMPARE(t.app().window().windowTitle(), QString("Tallymar - week.add"));
            QVERIFY(!t.calc().tape_changed());
            QCOMPARE(QFile(Path("week.add")).size(), qint64(8 * 30));
        }
        Started t(folder_->path());
        t.dialogs.answers.push_back(path);
        watchdog_->Answer(QMessageBox::No);  // replace the tape, do not append
        t.app().window().menus().Item(Command::mnuFileOpen)->trigger();
        QCOMPARE(Ops(t.calc()), QString("HTH++THBB"));
        QCOMPARE(t.app().window().windowTitle(), QString("Tallymar-week.add"));
        QCOMPARE(t.Row(t.calc().last_row() - 3)->text(), QString("20"));
    }

    void closing_a_changed_tape_asks_to_save_and_cancel_keeps_it_open() {
        Started t(folder_->path());
        t.Type("5+");
        watchdog_->Answer(QMessageBox::Cancel);
        QVERIFY(!t.app().window().close());
        QCOMPARE(watchdog_->messages.back(),
                 QString("Do you want to save the changes you made to your existing tape ?\n\n"));
        QVERIFY(t.calc().tape_changed());

        watchdog_->Answer(QMessageBox::Yes);  // then the Save As dialog is cancelled
        QVERIFY(!t.app().window().close());
        QCOMPARE(t.dialogs.asked.back(), std::string("Save Tallymar File As"));
        QVERIFY(t.calc().tape_changed());

        watchdog_->Answer(QMessageBox::No);
        QVERIFY(t.app().window().close());
    }

    void closing_saves_the_settings_and_the_next_start_finds_them() {
        QRect place;
        {
            Started t(folder_->path());
            t.tape().DecimalOption(4)->click();  // 4 decimal places
            t.app().window().resize(300, 500);
            place = t.app().window().geometry();
            watchdog_->Answer(QMessageBox::No);
            QVERIFY(t.app().window().close());
        }
        QVERIFY(QFile::exists(Path("Tallymar.ini")));
        Started t(folder_->path());
        QCOMPARE(int(t.calc().options().DecimalCode), 4);
        QVERIFY(t.tape().DecimalOption(4)->isChecked());
        QCOMPARE(t.app().window().size(), place.size());
    }

    void a_tape_file_named_on_the_command_line_opens_at_start() {
        {
            Started t(folder_->path());
            t.Type("42+");
            t.dialogs.answers.push_back(Path("start.add").toStdString());
            t.app().window().menus().Item(Command::mnuFileSaveAs)->trigger();
        }
        watchdog_->Answer(QMessageBox::No);
        Started t(folder_->path(), Path("start.add").toStdString());
        QCOMPARE(t.calc().tape()[3].Amount, 42.0);
        QCOMPARE(t.app().window().windowTitle(), QString("Tallymar-start.add"));
    }

    void printing_from_the_window_gives_the_pages_tallymar_cli_gives() {
        QFile ini(Path("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[OPTIONS]\nDecimals=2\n");  // two decimal places, as tallymar-cli starts
        ini.close();
        Started t(folder_->path());
        // Keyed with the locale's decimal symbol: the test runs under de_DE.UTF-8 too.
        const QString amounts = "1250+89" + QLocale::system().decimalPoint() + "99+45+";
        const QString keys = "Rent{Enter}" + amounts + "{Enter}3-{Enter}";
        t.Type("Rent");
        t.Key(Qt::Key_Return);
        t.Type(amounts);
        t.Key(Qt::Key_Return);
        t.Type("3-");
        t.Key(Qt::Key_Return);
        const QString window_pdf = Path("window.pdf");
        t.app().window().printing().choose_printer = [&](QPrinter& printer, bool* selection) {
            UsePdfFile(printer, window_pdf.toStdString());
            *selection = false;
            return true;
        };
        t.app().window().menus().Item(Command::mnuFilePrint)->trigger();
        const QString cli_pdf = Path("cli.pdf");
        QProcess cli;
        cli.start(TALLYMAR_CLI, {"--keys", keys + "{Pdf " + cli_pdf + "}"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        // The header's time may differ by a second; every line below it must match.
        auto body = [](const QString& pdf) {
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            text.waitForFinished(30000);
            QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split('\n');
            lines.removeFirst();
            return lines;
        };
        const QStringList printed = body(window_pdf);
        QVERIFY(printed.join("").contains(QLocale::system().toString(1384.99, 'f', 2) + "T"));
        QCOMPARE(printed.join("\n"), body(cli_pdf).join("\n"));
    }

    void the_preview_makes_every_page_of_a_long_tape() {
        Started t(folder_->path());
        // 300 amounts keyed straight into the engine: quicker than through the widgets.
        for (int i = 0; i < 300; ++i) {
            t.calc().KeyPress(t.calc().focus_row(), '1');
            t.calc().KeyPress(t.calc().focus_row(), '+');
        }
        size_t pages = 0;
        t.app().window().printing().show_preview = [&](std::vector<QPicture>& made, QSizeF paper) {
            pages = made.size();
            QVERIFY(paper.width() > paper.height() / 2);
        };
        t.app().window().menus().Item(Command::mnuFilePrintPreview)->trigger();
        const QSizeF area = PrintableTwips(t.app().window().printing().printer());
        const int per_page = (qRound(area.height()) / 250 - 3) * (qRound(area.width()) / 2750);
        QCOMPARE(pages, size_t((t.calc().tape().size() + per_page - 1) / per_page));
        QVERIFY(pages >= 2);
    }

    // ---- The focus never leaves the line the user chose: Tab, resizing, the wheel,
    // ---- scrolling away, and the modifier keys of the menus.

  private:
    // Twenty amounts in a window of half the height.
    void keys_twenty_amounts_in_half_the_height(Started& t) {
        MainWindow& window = t.app().window();
        window.resize(window.width(), window.height() / 2);
        QApplication::processEvents();
        for (int i = 1; i <= 20; ++i) t.Type(QString::number(i) + "+");
    }

    // The focus is on the tape's open line, in the row that has the keyboard, and
    // the scroll bar reaches it.
    void expect_focus_on_the_open_line(Started& t) {
        Calc& calc = t.calc();
        QCOMPARE(calc.FocusLine(), calc.UpperBound());
        QCOMPARE(calc.top_line() + calc.focus_row(), calc.UpperBound());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(calc.focus_row())));
        QCOMPARE(t.tape().ScrollBar()->maximum(), calc.UpperBound() - calc.last_row());
        QCOMPARE(t.tape().ScrollBar()->value(), calc.top_line());
    }

  private slots:
    void tab_and_shift_tab_stay_in_the_row_being_keyed() {
        for (Qt::Key tab : {Qt::Key_Tab, Qt::Key_Backtab}) {
            Started t(folder_->path());
            t.Type("9");
            t.Key(tab, tab == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.Row(3)));
            t.Type("+");
            QCOMPARE(t.tape().TotalBox()->text(), QString("9"));
        }
    }

    void resizing_keeps_the_focus_and_the_digits_keyed_on_the_open_line() {
        Started t(folder_->path());
        MainWindow& window = t.app().window();
        const int height = window.height();
        keys_twenty_amounts_in_half_the_height(t);
        t.Type("7");
        window.resize(window.width(), height / 4);
        QApplication::processEvents();
        QCOMPARE(t.calc().last_row(), t.calc().max_row() - 1);
        QVERIFY(t.tape().DataBox(t.calc().last_row() + 1) == nullptr);
        expect_focus_on_the_open_line(t);
        QCOMPARE(t.Row(t.calc().focus_row())->text(), QString("7"));
        window.resize(window.width(), height);
        QApplication::processEvents();
        expect_focus_on_the_open_line(t);
        for (int r = 0; r < t.calc().focus_row(); ++r)
            QCOMPARE(t.Row(r)->text(),
                     QString::fromStdString(t.calc().ShownText(t.calc().top_line() + r)));
        // Taller than the tape: every line shows from the top, and no row is left empty.
        window.resize(window.width(), height * 4);
        QApplication::processEvents();
        QCOMPARE(t.calc().top_line(), 0);
        QCOMPARE(t.calc().last_row(), t.calc().UpperBound());
        t.Type("+");
        QCOMPARE(t.calc().accumulator(), 217.0);
    }

    void the_wheel_and_the_scroll_bar_scroll_and_leave_the_focus_on_its_line() {
        Started t(folder_->path());
        keys_twenty_amounts_in_half_the_height(t);
        t.Type("7");
        const int top = t.calc().top_line();
        QWidget* focused = QApplication::focusWidget();
        auto turn = [&](QWidget* over, int notches) {
            const QPointF at(5, 5);
            QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(over, &wheel);
        };
        turn(t.Row(1), 1);
        QCOMPARE(t.calc().top_line(), top - 3);
        QCOMPARE(t.tape().ScrollBar()->value(), top - 3);
        QCOMPARE(QApplication::focusWidget(), focused);
        turn(t.tape().OpBox(2), 2);
        QCOMPARE(t.calc().top_line(), std::max(top - 9, 0));
        // The box that kept the keyboard shows an older line meanwhile, without a caret.
        QVERIFY(t.calc().focus_parked());
        QVERIFY(t.Row(t.calc().focus_row())->isReadOnly());
        t.tape().ScrollBar()->setValue(0);
        QCOMPARE(t.calc().top_line(), 0);
        t.tape().ScrollBar()->setValue(top);
        expect_focus_on_the_open_line(t);
        QCOMPARE(t.Row(t.calc().focus_row())->text(), QString("7"));
        QVERIFY(!t.Row(t.calc().focus_row())->isReadOnly());
        t.Type("+");
        QCOMPARE(t.calc().accumulator(), 217.0);
        // A click after scrolling away chooses the line its row shows.
        t.tape().ScrollBar()->setValue(0);
        QTest::mouseClick(t.Row(3), Qt::LeftButton);
        QCOMPARE(t.calc().top_line() + t.calc().focus_row(), 3);
    }

    void saving_with_ctrl_s_and_quitting_with_alt_f_x_asks_nothing() {
        Started t(folder_->path());
        t.Type("5+");
        t.dialogs.answers.push_back(Path("keys.add").toStdString());
        t.Key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(Path("keys.add")));
        QVERIFY(!t.calc().tape_changed());
        t.Key(Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
        QTRY_VERIFY(!t.app().window().isVisible());
        QVERIFY(watchdog_->messages.empty());
    }

    // ---- Nothing saved is lost: failed saves, odd files, settings, printing ----

    void a_save_that_fails_at_quit_says_why_and_keeps_the_program_open_with_the_tape() {
        QVERIFY(QDir(folder_->path()).mkdir("folder.add"));
        Started t(folder_->path());
        t.Type("5+");
        watchdog_->Answer(QMessageBox::Yes);  // save the changes
        t.dialogs.answers.push_back(Path("folder.add").toStdString());
        watchdog_->Answer(QMessageBox::Ok);
        QVERIFY(!t.app().window().close());
        QCOMPARE(watchdog_->messages.back(),
                 QString("Tallymar could not save folder.add: it is a folder, not a file"));
        QVERIFY(t.app().window().isVisible());
        QVERIFY(t.calc().tape_changed());
        QCOMPARE(t.app().window().windowTitle(), QString("Tallymar - Tape1"));
        QCOMPARE(t.calc().tape()[3].Amount, 5.0);
    }

    void a_named_pipe_on_the_command_line_is_refused_at_once() {
        const QString pipe = Path("week.add");
        QVERIFY(mkfifo(pipe.toLocal8Bit().constData(), 0600) == 0);
        watchdog_->Answer(QMessageBox::Ok);
        Started t(folder_->path(), pipe.toStdString());
        QCOMPARE(watchdog_->messages.size(), size_t(1));
        QCOMPARE(watchdog_->messages[0],
                 QString("Tallymar could not open week.add: it is a named pipe, not a file"));
        QCOMPARE(Ops(t.calc()), QString("HTHB"));
        QCOMPARE(t.app().window().windowTitle(), QString("Tallymar - Tape1"));
    }

    void settings_that_cannot_be_written_are_named_at_shut_down_and_the_program_closes() {
        QVERIFY(QDir(folder_->path()).mkdir("Tallymar.ini"));  // the name is taken by a folder
        Started t(folder_->path());
        watchdog_->Answer(QMessageBox::Ok);
        QVERIFY(t.app().window().close());
        QCOMPARE(watchdog_->messages.size(), size_t(1));
        QCOMPARE(watchdog_->messages[0],
                 QString::fromStdString("Tallymar could not save its settings to " +
                                        t.app().settings_path() + ": Is a directory"));
    }

    void a_saved_window_larger_than_the_screen_starts_at_the_screen_s_size() {
        QFile ini(Path("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[FORM]\nWidth=999999\nHeight=999999\n");
        ini.close();
        Started t(folder_->path());
        const QRect screen = t.app().window().screen()->availableGeometry();
        QVERIFY(t.app().window().width() <= screen.width());
        QVERIFY(t.app().window().height() <= screen.height());
        QVERIFY(screen.contains(t.app().window().geometry().topLeft()));
        QVERIFY(!t.app().window().grab().isNull());
        t.Type("5+");
        QCOMPARE(t.Row(3)->text(), QString("5.00"));
    }

    void a_settings_file_without_themes_paints_the_tape_in_the_default_colours() {
        QFile ini(Path("Tallymar.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[OPTIONS]\nDecimals=4\n");
        ini.close();
        Started t(folder_->path());
        t.Type("5+");
        QCOMPARE(t.Row(3)->text(), QString("5.0000"));
        QCOMPARE(t.Row(3)->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(t.Row(3)->palette().color(QPalette::Text), QColor(0, 0, 0));
    }

    void the_print_dialog_proposes_the_tape_s_name_as_a_pdf_in_the_documents_folder() {
        const QByteArray home = qgetenv("HOME");
        QVERIFY(QDir(folder_->path()).mkpath("home/Documents"));
        qputenv("HOME", Path("home").toLocal8Bit());
        QString proposed[2];
        const char* tapes[2] = {"week.add", "month.add"};
        for (int i = 0; i < 2; ++i) {
            QString& file = proposed[i];
            Started t(folder_->path());
            t.Type("5+");
            t.dialogs.answers.push_back(Path(tapes[i]).toStdString());
            t.app().window().menus().Item(Command::mnuFileSaveAs)->trigger();
            watchdog_->Handle([&](QDialog* dialog) {
                if (auto* name = dialog->findChild<QLineEdit*>("filename")) file = name->text();
                dialog->reject();
            });
            t.app().window().menus().Item(Command::mnuFilePrint)->trigger();
            QDir(Path("home")).rmdir("Documents");  // the second time, there is none
        }
        qputenv("HOME", home);
        QCOMPARE(proposed[0], Path("home/Documents/week.pdf"));
        QCOMPARE(proposed[1], Path("home/month.pdf"));
    }

    void a_print_that_fails_says_why() {
        QVERIFY(QDir(folder_->path()).mkdir("tape.pdf"));
        Started t(folder_->path());
        t.app().window().printing().choose_printer = [&](QPrinter& printer, bool* selection) {
            UsePdfFile(printer, Path("tape.pdf").toStdString());
            *selection = false;
            return true;
        };
        watchdog_->Answer(QMessageBox::Ok);
        t.app().window().menus().Item(Command::mnuFilePrint)->trigger();
        QCOMPARE(watchdog_->messages.size(), size_t(1));
        QCOMPARE(watchdog_->messages[0],
                 QString("Tallymar could not print to tape.pdf: it is a folder, not a file"));
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::GuiTest)
#include "gui_test.moc"
