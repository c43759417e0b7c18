// The colour dialog and the converter in the window, offscreen: driven by the
// keyboard and the mouse as a user drives them, checked by what they show and by
// what the tape window shows after.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "dialogs/colors_dialog.h"
#include "dialogs/converter_dialog.h"
#include "gui_fixture.h"
#include "platform/qt/colour.h"
#include "platform/qt/topmost.h"

namespace tallymar::testing {
namespace {

const QColor kOrange(255, 128, 0);

QColor Fore(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}
QColor Back(const QWidget* widget) {
    return widget->palette().color(QPalette::Window);
}
QColor TextOf(const QLineEdit* box) {
    return box ? box->palette().color(QPalette::Text) : QColor();
}

// The amount box of the row showing `text`.
QLineEdit* RowShowing(Started& t, const QString& text) {
    for (int r = 0; t.Row(r); ++r) {
        if (t.Row(r)->text() == text) return t.Row(r);
    }
    return nullptr;
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

// Picks an entry of a list by keyboard: from the top, Down until it is shown.
void PickByKeys(QComboBox* list, const QString& entry) {
    list->setFocus();
    while (list->currentText() != entry && list->currentIndex() < list->count() - 1) {
        QTest::keyClick(list, Qt::Key_Down);
    }
}

// Every control a user can reach has a name a screen reader reads out.
QStringList Unnamed(const QWidget* dialog) {
    QStringList unnamed;
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        const bool reachable = qobject_cast<QAbstractButton*>(control) ||
                               qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QLineEdit*>(control);
        if (!reachable || control->parent()->inherits("QComboBox")) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << control->objectName();
        }
    }
    return unnamed;
}

}  // namespace

class DialogsWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;

    // Runs the next modal dialog through `steps`, one handler each.
    void Expect(std::function<void(QDialog*)> step) { watchdog_->Handle(std::move(step)); }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
    }

    void cleanup() {
        QStringList unexpected(watchdog_->unexpected.begin(), watchdog_->unexpected.end());
        QVERIFY2(unexpected.empty(), qPrintable("unexpected windows: " + unexpected.join(", ")));
        watchdog_.reset();
        folder_.reset();
    }

    void the_colour_dialog_lists_the_themes_paints_the_sample_and_ok_recolours_the_tape() {
        Started t(folder_->path());
        t.Type("5+3-");
        bool seen = false;
        Expect([&](QDialog* shown) {
            auto* dialog = dynamic_cast<ColorsDialog*>(shown);
            QVERIFY(dialog);
            seen = true;
            QCOMPARE(Items(dialog->ThemeList()),
                     QStringList({"Christmas", "Default", "Easter", "Executive", "Halloween",
                                  "St. Patrick", "Valentine"}));
            QCOMPARE(dialog->ThemeList()->currentIndex(), -1);
            QCOMPARE(Unnamed(dialog), QStringList());
            PickByKeys(dialog->ThemeList(), "Halloween");
            // The sample takes the theme at once; the tape waits for OK.
            QCOMPARE(Fore(dialog->SampleLabel(0)), QColor(Qt::black));
            QCOMPARE(Fore(dialog->SampleLabel(1)), kOrange);
            QCOMPARE(Back(dialog->SampleLabel(8)), QColor(Qt::white));
            QCOMPARE(Back(dialog->SampleFrame()), kOrange);
            QCOMPARE(TextOf(RowShowing(t, "3")), QColor(Qt::red));
            QTest::keyClick(dialog->ThemeList(), Qt::Key_Return);  // OK, the default button
        });
        t.app().window().Run(Command::mnuOptionsColors);
        QVERIFY(seen);
        QCOMPARE(TextOf(RowShowing(t, "5")), QColor(Qt::black));
        QCOMPARE(TextOf(RowShowing(t, "3")), kOrange);
        QCOMPARE(t.tape().palette().color(QPalette::Window), kOrange);
        QCOMPARE(t.app().settings().Themes[t.app().settings().CurrentTheme].Name,
                 std::string("Halloween      "));
    }

    void both_dialogs_keep_a_topmost_main_window_above_nothing_but_them() {
        Started t(folder_->path());
        MainWindow& main = t.app().window();
        main.always_on_top().Set(true);
        Expect([&](QDialog* shown) {
            // The colour dialog lifts the option while it is open.
            QVERIFY(!IsTopmost(&main));
            QVERIFY(!main.menus().Item(Command::mnuOptionsAlwaysOnTop)->isChecked());
            shown->reject();
        });
        main.Run(Command::mnuOptionsColors);
        QVERIFY(IsTopmost(&main));
        QVERIFY(main.menus().Item(Command::mnuOptionsAlwaysOnTop)->isChecked());
        // The converter stays open beside it: it is kept above it instead.
        main.Run(Command::mnuOptionsConverter);
        ConverterDialog* converter = t.app().dialog_commands().converter();
        QVERIFY(converter);
        QVERIFY(IsTopmost(converter));
        QVERIFY(IsTopmost(&main));
        main.Run(Command::mnuOptionsAlwaysOnTop);
        QVERIFY(!IsTopmost(converter));
        QVERIFY(!IsTopmost(&main));
    }

    void the_converter_is_modeless_shows_each_pick_and_comes_back_as_it_was_left() {
        Started t(folder_->path());
        QTest::mouseClick(t.tape().findChild<QToolButton*>("cmdConverter"), Qt::LeftButton);
        ConverterDialog* converter = t.app().dialog_commands().converter();
        QVERIFY(converter);
        QVERIFY(!converter->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(Unnamed(converter), QStringList());

        PickByKeys(converter->FromList(), "foot");
        QCOMPARE(converter->AmountBox()->text(), QString("1."));
        QCOMPARE(converter->FromName()->text(), QString("foot"));
        QCOMPARE(converter->ToList()->count(), 20);
        PickByKeys(converter->ToList(), "meters");
        QCOMPARE(converter->EqualsLabel()->text(), QString("equals"));
        QCOMPARE(converter->Result()->text(), QString("0.304800003767014"));
        QCOMPARE(converter->ToName()->text(), QString("meters"));

        // A new amount, then Enter: the convert button.
        converter->AmountBox()->selectAll();
        QTest::keyClicks(converter->AmountBox(), "2");
        QTest::keyClick(converter->AmountBox(), Qt::Key_Return);
        QCOMPARE(converter->FromName()->text(), QString("foots"));
        QCOMPARE(converter->Result()->text(), QString("0.609600007534027"));

        // Opened again while open: the same window, its boxes as they were.
        t.app().window().Run(Command::mnuOptionsConverter);
        QCOMPARE(t.app().dialog_commands().converter(), converter);
        QCOMPARE(converter->AmountBox()->text(), QString("2"));

        // Ticking the box writes the conversion onto the tape at once.
        QTest::keyClick(converter->AddToTapeBox(), Qt::Key_Space);
        QVERIFY(converter->AddToTapeBox()->isChecked());
        QVERIFY(t.app().settings().ShowConversion);
        QCOMPARE(QString::fromStdString(t.calc().ShownText(t.calc().UpperBound() - 3)),
                 QString("0.609600007534027"));

        // Escape closes it; the next opening starts afresh, the box still ticked.
        QTest::keyClick(converter->AmountBox(), Qt::Key_Escape);
        QTRY_VERIFY(!t.app().dialog_commands().converter());
        t.app().window().Run(Command::cmdConverter);
        converter = t.app().dialog_commands().converter();
        QVERIFY(converter);
        QCOMPARE(converter->AmountBox()->text(), QString());
        QVERIFY(converter->AddToTapeBox()->isChecked());
    }

    void a_restart_finds_the_theme_and_the_check_box_kept() {
        {
            Started t(folder_->path());
            Expect([](QDialog* shown) {
                auto* dialog = dynamic_cast<ColorsDialog*>(shown);
                PickByKeys(dialog->ThemeList(), "Easter");
                dialog->OkButton()->click();
            });
            t.app().window().Run(Command::mnuOptionsColors);
            t.app().window().Run(Command::mnuOptionsConverter);
            t.app().dialog_commands().converter()->AddToTapeBox()->click();
        }  // closed: the converter first, then the settings are written
        Started t(folder_->path());
        QCOMPARE(t.calc().colours().CurBakClr, Rgb(202, 0, 202));
        t.app().window().Run(Command::mnuOptionsConverter);
        ConverterDialog* converter = t.app().dialog_commands().converter();
        QVERIFY(converter->AddToTapeBox()->isChecked());
        // The converter takes the theme's colours: its labels in the positive colour on
        // the paper, the window in the background colour.
        QCOMPARE(Back(converter), QColor(202, 0, 202));
        for (QLabel* caption : converter->Captions()) {
            QCOMPARE(Fore(caption), QColor(128, 0, 64));
            QCOMPARE(Back(caption), QColor(255, 255, 128));
        }
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::DialogsWindowTest)
#include "dialogs_window_test.moc"
