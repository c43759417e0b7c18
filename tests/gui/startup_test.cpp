// Start-up as the first window needs it: nothing the first paint does not show is
// loaded before it (the printing support, the image and SVG plugins, the sound
// library, the tip of the day), and each of them still works at its first use.
// A program of its own: it looks at what its own process has loaded, so the start
// it looks at must be the process's first.
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolButton>

#include "dialogs/tip_dialog.h"
#include "gui_fixture.h"
#include "platform/qt/deferred_icon_style.h"
#include "platform/qt/font_head_start.h"
#include "shell/after_first_paint.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar::testing {
namespace {

// What the process has loaded of `libraries` (parts of the paths in /proc/self/maps).
QStringList LoadedOf(const QStringList& libraries) {
    QFile maps("/proc/self/maps");
    QStringList loaded;
    if (!maps.open(QIODevice::ReadOnly)) return {"/proc/self/maps cannot be read"};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        for (const QString& library : libraries) {
            if (line.contains(library.toUtf8()) && !loaded.contains(library)) loaded << library;
        }
    }
    return loaded;
}

const QStringList kNotBeforeThePaint = {
    "plugins/printsupport/", "libcups",   "plugins/imageformats/",
    "plugins/iconengines/",  "libQt6Svg", "libSDL2"};

// Calls `at_paint` at the window's first paint.
class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* window, std::function<void()> at_paint) : at_paint_(std::move(at_paint)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at_paint_) {
            at_paint_();
            at_paint_ = nullptr;
        }
        return false;
    }
    bool painted() const { return !at_paint_; }

  private:
    std::function<void()> at_paint_;
};

QImage Pixels(const QIcon& icon, int size, qreal ratio) {
    return icon.pixmap(QSize(size, size), ratio)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<ModalWatchdog> watchdog_;
    std::unique_ptr<Application> app_;

  private slots:
    void initTestCase() {
        QApplication::setStyle(new DeferredIconStyle);
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("XDG_STATE_HOME", folder_.filePath("state").toUtf8());
        watchdog_ = std::make_unique<ModalWatchdog>();
    }
    void cleanupTestCase() {
        if (app_) {
            app_->calc().MarkTapeChanged(false);
            app_->window().close();
        }
        watchdog_->ExpectNoneUnexpected();
    }

    // Must run first: the shipped settings with the tip of the day on, and a voice.
    void the_first_paint_comes_before_printing_pictures_sound_and_the_tip_are_loaded() {
        QFile shipped(QString(TALLYMAR_DATA_SOURCE_DIR) + "/Tallymar.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray settings = shipped.readAll();
        QVERIFY(settings.contains("Show tip at startup=True"));
        settings.replace("CallInputCharacter=None", "CallInputCharacter=Grunk");
        WriteFile(folder_.filePath("Tallymar.ini"), settings);
        QVERIFY(QFile::copy(QString(TALLYMAR_DATA_SOURCE_DIR) + "/TallymarTips.txt",
                            folder_.filePath("TallymarTips.txt")));
        QStringList loaded_before = LoadedOf(kNotBeforeThePaint);
        QVERIFY2(loaded_before.isEmpty(), qPrintable(loaded_before.join(", ")));

        AnsweredFileDialogs dialogs;
        app_ = std::make_unique<Application>(folder_.path().toStdString(), &dialogs, nullptr,
                                             folder_.filePath("Tallymar.ini").toStdString());
        QStringList loaded_at_paint;
        bool tip_made_by_paint = true;
        FirstPaint paint(&app_->window(), [&] {
            loaded_at_paint = LoadedOf(kNotBeforeThePaint);
            tip_made_by_paint = app_->window().findChild<TipDialog*>() != nullptr;
        });
        bool tip_shown = false;
        watchdog_->Handle([&tip_shown](QDialog* dialog) {
            tip_shown = dynamic_cast<TipDialog*>(dialog) != nullptr;
            dialog->reject();
        });
        app_->Start("");
        QTRY_VERIFY(paint.painted());
        QVERIFY2(loaded_at_paint.isEmpty(), qPrintable(loaded_at_paint.join(", ")));
        QVERIFY(!tip_made_by_paint);
        // Then the tip, over the painted window, and the sound device once idle.
        QTRY_VERIFY(!app_->starting());
        QVERIFY(tip_shown);
        QTRY_VERIFY(LoadedOf({"libSDL2"}) == QStringList{"libSDL2"});
    }

    // The preview at its first use makes the printer, with the page the tape needs.
    void printing_works_at_its_first_use() {
        QVERIFY(app_);
        std::size_t pages = 0;
        app_->window().printing().show_preview = [&pages](std::vector<QPicture>& made, QSizeF) {
            pages = made.size();
        };
        app_->window().Run(Command::mnuFilePrintPreview);
        QCOMPARE(pages, std::size_t{1});
        QCOMPARE(app_->window().printing().printer().pageLayout().pageSize().id(),
                 QPageSize::Letter);
    }

    // The pictures rendered at build time are the pixels the SVG engine draws, at 1x
    // and 2x: the buttons and the program's icon look as they did when drawn from SVG.
    void the_pictures_are_the_svgs_own_pixels_at_1x_and_2x() {
        QVERIFY(app_);
        const struct {
            const char* button;
            const char* svg;
        } pictures[] = {{"cmdPrint", ":/tallymar/printer.svg"},
                        {"cmdCallIt", ":/tallymar/talking_face.svg"},
                        {"cmdConverter", ":/tallymar/converter.svg"}};
        for (const auto& picture : pictures) {
            auto* button = app_->window().findChild<QToolButton*>(picture.button);
            QVERIFY2(button, picture.button);
            QCOMPARE(button->iconSize(), QSize(16, 16));
            const QIcon svg(picture.svg);
            for (qreal ratio : {1.0, 2.0}) {
                const QImage shown = Pixels(button->icon(), 16, ratio);
                QVERIFY2(!shown.isNull() && shown == Pixels(svg, 16, ratio),
                         qPrintable(QString("%1 at %2x").arg(picture.button).arg(ratio)));
            }
        }
        const QIcon program_svg(":/tallymar/dialogs/app.svg");
        for (int size : {16, 32, 64, 128}) {
            QVERIFY2(
                Pixels(app_->window().windowIcon(), size, 1.0) == Pixels(program_svg, size, 1.0),
                qPrintable(QString("program icon at %1").arg(size)));
        }
    }

    // Work left for after the first paint runs after it, not before, and not by the
    // time limit, which is far off here; shown, the window paints, whether the
    // platform paints it as it is shown or later.
    void work_after_the_first_paint_runs_once_the_window_has_painted() {
        QWidget window;
        window.resize(100, 100);
        bool ran = false, ran_by_paint = true;
        FirstPaint paint(&window, [&] { ran_by_paint = ran; });
        AfterFirstPaint(
            &window, [&ran] { ran = true; }, 600000);
        window.show();
        QTRY_VERIFY(ran);
        QVERIFY(paint.painted() && !ran_by_paint);
    }

    // The fonts' thread ends when it is finished, given faces or not, and a face it
    // loaded resolves on this thread to the same font as it would have alone.
    void the_fonts_thread_ends_given_faces_or_not_and_leaves_the_faces_as_they_were() {
        const QFont tape = TapeFont(12, true);
        const QString family = QFontInfo(tape).family();
        const bool bold = QFontInfo(tape).bold();
        {
            FontHeadStart unused;
            unused.Finish();
        }
        FontHeadStart fonts;
        fonts.Load({QApplication::font(), tape});
        fonts.Finish();
        QVERIFY(QFontDatabase::families().contains(family));
        QCOMPARE(QFontInfo(tape).family(), family);
        QCOMPARE(QFontInfo(tape).bold(), bold);
        fonts.Finish();  // a second time: nothing left to wait for
    }

    // The style hands out its standard icons unread; drawn, they are the style's own.
    void standard_icons_read_late_draw_as_the_style_draws_them() {
        auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        for (QStyle::StandardPixmap which :
             {QStyle::SP_MessageBoxQuestion, QStyle::SP_TitleBarMenuButton,
              QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_DialogOkButton}) {
            const QIcon late = style->standardIcon(which);
            QVERIFY(!late.isNull());
            for (qreal ratio : {1.0, 2.0}) {
                const QImage drawn = Pixels(late, 32, ratio);
                QVERIFY(!drawn.isNull());
                QCOMPARE(drawn, Pixels(style->baseStyle()->standardIcon(which), 32, ratio));
            }
        }
    }
};

}  // namespace tallymar::testing

QTEST_MAIN(tallymar::testing::StartupTest)
#include "startup_test.moc"
