// Every window and dialog at the scale and on the screen ctest gives it: a small
// screen (800 x 600 logical pixels) at QT_SCALE_FACTOR 1, 1.5 and 2 (the offscreen
// platform's screen comes from a configuration file, tests/CMakeLists.txt). Each
// window lies whole on the screen's available area, wherever the settings or the
// window it opens from put it, and no caption of a label, button or frame is cut,
// squeezed or crowded against its button's edges. Then what the main window and the
// colour dialog must look like besides: the decimal labels centred under their
// buttons, and the colour sample drawn as the tape is.
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "dialogs/colors_dialog.h"
#include "dialogs/converter_dialog.h"
#include "gui_fixture.h"
#include "shell/dialog_commands.h"

namespace tallymar::testing {
namespace {

QString Where(const QWidget* widget) {
    const QString name =
        widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
    return widget->window()->windowTitle() + " > " + name;
}

// The part of `widget` that its frames and window leave visible, in window pixels.
QRect VisiblePart(const QWidget* widget) {
    QRect seen(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
        seen &= QRect(up->mapTo(widget->window(), QPoint(0, 0)), up->size());
    return seen & widget->window()->rect();
}

// The caption a widget shows, empty for none (a tool button showing its icon alone).
QString Caption(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* tool = qobject_cast<const QToolButton*>(widget);
        tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return "";
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    return "";
}

// The room a caption needs in its widget; 0 where any room will do.
QSize RoomNeeded(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->wordWrap()) return {0, label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // A push button's caption keeps the room of a character from each edge.
        const QFontMetrics metrics = button->fontMetrics();
        const QString plain = button->text().remove(QRegularExpression("&(?!&)"));
        return {metrics.horizontalAdvance(plain) + 2 * metrics.averageCharWidth(),
                button->sizeHint().height()};
    }
    // A check box, an option or a tool button: its mark and its caption.
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->sizeHint();
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return {frame->minimumSizeHint().width(), 0};
    return {0, 0};
}

// Everything wrong with how `window` shows: off the screen's available area, and each
// caption cut by its frame or given less room than it needs.
QStringList Misfits(QWidget* window) {
    QStringList wrong;
    const QRect area = window->screen()->availableGeometry();
    // A maximised window (the print preview) is the window system's to place: its
    // inside must be no larger than the area; its frame and its place are the window
    // system's (the offscreen platform frames it a moment after it is shown, and then
    // shifts it by the frame's width).
    const QRect placed = window->isMaximized() ? window->geometry() : window->frameGeometry();
    const bool fits = window->isMaximized()
                          ? placed.width() <= area.width() && placed.height() <= area.height()
                          : area.contains(placed);
    if (!fits) QDebug(&wrong.emplaceBack()) << window->windowTitle() << placed << "is off" << area;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QString caption = Caption(widget);
        if (widget->window() != window || !widget->isVisibleTo(window) || caption.isEmpty())
            continue;
        const QString where = Where(widget) + ": \"" + caption + "\" ";
        const QSize has = widget->size(), needs = RoomNeeded(widget);
        if (VisiblePart(widget).size() != has) wrong << where + "is cut by the frame it sits in";
        if (needs.width() > has.width() || needs.height() > has.height())
            QDebug(&wrong.emplaceBack()).noquote() << where + "needs" << needs << "has" << has;
    }
    return wrong;
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::map<QString, QStringList> misfits_;  // by window title, each window looked at

    // A start with the main window saved at this place and size (twips).
    std::unique_ptr<Started> StartAt(const QRect& saved) {
        WriteFile(folder_->filePath("Tallymar.ini"),
                  QString::asprintf(
                      "[OPTIONS]\nDecimals=2\n[FORM]\nWidth=%d\nHeight=%d\nLeft=%d\nTop=%d\n",
                      saved.width(), saved.height(), saved.x(), saved.y())
                      .toUtf8());
        auto started = std::make_unique<Started>(folder_->path());
        QTest::qWait(50);  // the window system's answer to the first show
        return started;
    }
    // Looks at the next modal window and closes it.
    void LookAtNext() {
        watchdog_->Handle([this](QDialog* dialog) {
            LookAt(dialog);
            dialog->reject();
        });
    }
    void LookAt(QWidget* window) { misfits_[window->windowTitle()] = Misfits(window); }
    void ExpectEveryWindowFits(const QStringList& titles) {
        QStringList wrong, seen;
        for (const auto& [title, misfits] : misfits_) seen << title, wrong << misfits;
        for (const QString& misfit : wrong) qInfo().noquote() << misfit;
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QString("%1 misfits, listed above").arg(wrong.size())));
        for (const QString& title : titles)
            QVERIFY2(seen.contains(title), qPrintable(title + " was not shown"));
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        watchdog_ = std::make_unique<ModalWatchdog>();
        misfits_.clear();
    }
    void cleanup() { watchdog_->ExpectNoneUnexpected(); }

    void the_main_window_lies_whole_on_the_screen_wherever_it_was_saved_data() {
        QTest::addColumn<QRect>("saved");  // left, top, width, height in twips
        QTest::newRow("near the bottom") << QRect(600, 8400, 3600, 6600);
        QTest::newRow("taller than the screen") << QRect(600, 300, 3600, 20000);
        QTest::newRow("past the right edge") << QRect(11900, 300, 3600, 6600);
        QTest::newRow("above and left of it") << QRect(-3000, -2000, 3600, 6600);
        QTest::newRow("at the default place") << QRect(9000, 900, 3200, 6000);
    }

    void the_main_window_lies_whole_on_the_screen_wherever_it_was_saved() {
        QFETCH(QRect, saved);
        auto t = StartAt(saved);
        LookAt(&t->app().window());
        ExpectEveryWindowFits({"Tape1 - Tallymar"});
    }

    // Opened from a main window in the screen's bottom right corner, where a dialog
    // placed below and right of it would run off the screen.
    void every_dialog_lies_whole_on_the_screen_and_shows_its_captions_whole() {
        auto t = StartAt(QRect(9000, 8400, 3600, 6600));
        MainWindow& window = t->app().window();
        for (Command command :
             {Command::mnuOptionsSounds, Command::mnuOptionsMode, Command::mnuOptionsDateTime,
              Command::mnuHelpTip, Command::mnuHelpAbout, Command::mnuFilePrintPreview,
              Command::mnuEditFind}) {
            LookAtNext();
            window.Run(command);
        }
        // The colour dialog, and from it the two questions, the message for a theme
        // without a name and the colour picker.
        watchdog_->Handle([this](QDialog* dialog) {
            LookAt(dialog);
            auto* colors = dynamic_cast<ColorsDialog*>(dialog);
            if (!colors) return dialog->reject();
            watchdog_->Handle([this](QDialog* name) {  // OK without a name: the message
                LookAt(name);
                name->findChild<QPushButton*>("cmdOK")->click();
            });
            for (int i = 0; i < 3; ++i) LookAtNext();
            // Pressed once the watchdog is free to answer what they open.
            QTimer::singleShot(0, colors, [colors] {
                colors->NewThemeButton()->click();
                colors->DeleteThemeButton()->click();
                colors->ElementButton(0)->click();
                colors->reject();
            });
        });
        window.Run(Command::mnuOptionsColors);
        // The two windows that stay open beside the tape.
        window.Run(Command::mnuOptionsConverter);
        window.Run(Command::mnuHelpTallymar);
        for (QWidget* open : QApplication::topLevelWidgets()) {
            if (open->isVisible() && open != &window) LookAt(open);
        }
        ExpectEveryWindowFits({"Sound", "Tallymar Mode", "Date, time", "Tip of the Day",
                               "About Tallymar", "Print Preview", "Tallymar Colors",
                               "New Color Theme", "Delete theme", "Tallymar", "Select Color",
                               "Converter", "Tallymar Help", "Find"});
    }

    // The decimal buttons' labels stand centred under their buttons, as large as the
    // window's other captions, and the buttons keep apart.
    void the_decimal_labels_stand_centred_under_buttons_that_keep_apart() {
        auto t = StartAt(QRect(600, 300, 3600, 6600));
        TapeWindow& tape = t->tape();
        const int left_to_right[7] = {6, 0, 1, 2, 3, 4, 5};
        QRect before;
        for (int place = 0; place < 7; ++place) {
            QRadioButton* option = tape.DecimalOption(left_to_right[place]);
            auto* label = tape.findChild<QLabel*>(QString("lblDecimal%1").arg(place));
            QVERIFY(label);
            QStyleOptionButton look;
            look.initFrom(option);
            const QRect mark = option->style()
                                   ->subElementRect(QStyle::SE_RadioButtonIndicator, &look, option)
                                   .translated(option->pos());
            const auto [first, last] = InkColumns(label, label->palette().color(QPalette::Window));
            const double middle = label->x() + (first + last) / 2;
            QVERIFY2(std::abs(middle - (mark.left() + mark.width() / 2.0)) <= 1.5,
                     qPrintable(QString("\"%1\" is centred at %2, its button at %3")
                                    .arg(label->text())
                                    .arg(middle)
                                    .arg(mark.left() + mark.width() / 2.0)));
            QVERIFY2(label->font().pointSizeF() >= tape.font().pointSizeF(),
                     qPrintable(label->text() + " is set smaller than the window's captions"));
            if (place > 0) {
                QVERIFY2(mark.left() - before.right() > 3,
                         qPrintable(QString("button %1 reaches the one before it").arg(place)));
                QVERIFY(!option->geometry().intersects(
                    tape.DecimalOption(left_to_right[place - 1])->geometry()));
            }
            before = mark;
        }
        LookAt(&t->app().window());
        ExpectEveryWindowFits({"Tape1 - Tallymar"});
    }

    // The sample reads as a strip of the tape: its rows join without gaps, the rule is
    // whole, amounts end at one column with their operators and the comment starts at
    // the left; the frame's caption stands clear of the background painted around it.
    void the_colour_sample_reads_as_a_strip_of_the_tape() {
        auto t = StartAt(QRect(600, 300, 3600, 6600));
        watchdog_->Handle([this](QDialog* dialog) {
            auto* colors = dynamic_cast<ColorsDialog*>(dialog);
            if (!colors) return dialog->reject();
            LookAt(colors);
            const int top_to_bottom[10] = {0, 1, 2, 3, 4, 8, 5, 6, 7, 9};
            for (int i = 1; i < 10; ++i) {
                const QRect above = colors->SampleLabel(top_to_bottom[i - 1])->geometry();
                const QRect row = colors->SampleLabel(top_to_bottom[i])->geometry();
                QVERIFY2(row.top() == above.bottom() + 1 && row.left() == above.left() &&
                             row.width() == above.width(),
                         qPrintable(QString("row %1 does not join the one above").arg(i)));
            }
            const QColor paper = colors->SampleLabel(0)->palette().color(QPalette::Window);
            auto ink = [&](int index) { return InkColumns(colors->SampleLabel(index), paper); };
            const double amounts_end = ink(0).second;
            for (int index : {1, 2, 5, 6, 7})
                QVERIFY2(std::abs(ink(index).second - amounts_end) <= 1,
                         qPrintable(colors->SampleLabel(index)->text() + " ends elsewhere"));
            const double character = colors->SampleLabel(8)->fontMetrics().averageCharWidth();
            QVERIFY2(ink(8).first <= 1.5 * character, "the comment does not start at the left");
            QVERIFY(ink(3).first < ink(0).first && ink(9).first < ink(0).first);
            QGroupBox* frame = colors->findChild<QGroupBox*>("FraSample");
            QVERIFY(frame);
            QStyleOptionGroupBox look;
            look.initFrom(frame);
            look.text = frame->title();
            look.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &look,
                                                                 QStyle::SC_GroupBoxLabel, frame);
            QWidget* painted = colors->SampleGround();
            const QRect ground(painted->mapTo(frame, QPoint(0, 0)), painted->size());
            QVERIFY2(!ground.intersects(caption) && painted->autoFillBackground(),
                     "the caption \"Sample\" stands on the painted background");
            colors->reject();
        });
        t->app().window().Run(Command::mnuOptionsColors);
        ExpectEveryWindowFits({"Tallymar Colors"});
    }

    // Under a dark desktop palette every text on the converter's paper still reads: the
    // captions in the theme's colour, the result and the check box in a plain window's.
    void the_converter_s_texts_read_on_its_paper_in_a_dark_palette() {
        struct DarkPalette {
            QPalette before = QApplication::palette();
            DarkPalette() {
                QPalette dark(QColor(240, 240, 240), QColor(50, 50, 50));  // text, window
                dark.setColor(QPalette::Base, QColor(30, 30, 30));
                dark.setColor(QPalette::Text, QColor(240, 240, 240));
                QApplication::setPalette(dark);
            }
            ~DarkPalette() { QApplication::setPalette(before); }
        } dark;
        auto t = StartAt(QRect(600, 300, 3600, 6600));
        t->app().window().Run(Command::mnuOptionsConverter);
        QWidget* converter = t->app().dialog_commands().converter();
        QVERIFY(converter);
        auto* paper = converter->findChild<QWidget*>("fraConverter");
        const QColor ground = paper->palette().color(QPalette::Window);
        QStringList unread;
        for (QWidget* text : paper->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(text) && !qobject_cast<QCheckBox*>(text)) continue;
            const QColor ink = text->palette().color(QPalette::WindowText);
            if (std::abs(ink.lightness() - ground.lightness()) < 100) unread << text->objectName();
        }
        QVERIFY2(unread.isEmpty(), qPrintable("unreadable on the paper: " + unread.join(", ")));
        converter->close();
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::WindowFitTest)
#include "window_fit_test.moc"
