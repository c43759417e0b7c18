// Tallymar: starts the main window, or says how to get a display when there is none.
#include <malloc.h>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/deferred_icon_style.h"
#include "platform/qt/font_head_start.h"
#include "shell/application.h"
#include "window/tape_window.h"

namespace {

// With TALLYMAR_TIME_STARTUP set, prints the milliseconds from the start of main to
// the first paint of the main window and quits: the start-up benchmark uses it.
class FirstPaintTimer : public QObject {
  public:
    explicit FirstPaintTimer(const QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            // The wall-clock time too, so that a caller can add the process's own start.
            std::printf("first paint after %.1f ms at %lld ns\n", clock_.nsecsElapsed() / 1e6,
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000LL);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    const QElapsedTimer& clock_;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool headless_platform = platform && *platform;
    if (!headless_platform && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "tallymar: there is no display to show the window on.\n"
                     "Run it on a desktop, or under a virtual one: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    // Every thread allocates from the one heap: the fonts' thread below leaves the
    // fonts' set-up (fontconfig's configuration, Qt's font database) behind, which a
    // heap of its own, begun for it, would hold beside the main heap's free room.
    mallopt(M_ARENA_MAX, 1);
    // Begun before Qt connects to the display; done, or waited for, by the time the
    // window lays out its first text.
    tallymar::FontHeadStart fonts;
    // Qt takes its own options (-platform, -style …) out of argv; the rest are ours,
    // byte for byte.
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tallymar");
    QApplication::setStyle(new tallymar::DeferredIconStyle);
    const tallymar::CommandLine line = tallymar::ParseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "tallymar: %s\nusage: %s [--settings FILE] [TAPE.add]\n",
                     line.error.c_str(), argv[0]);
        return 2;
    }
    // The window's own face (its captions, the total in bold) and the tape's.
    fonts.Load({QApplication::font(), tallymar::TapeFont(10, false)});
    tallymar::Application tallymar(QApplication::applicationDirPath().toStdString(), nullptr,
                                   nullptr, line.settings_path);
    fonts.Finish();
    FirstPaintTimer timer(clock);
    if (std::getenv("TALLYMAR_TIME_STARTUP")) tallymar.window().installEventFilter(&timer);
    tallymar.Start(line.tape_path);
    return QApplication::exec();
}
