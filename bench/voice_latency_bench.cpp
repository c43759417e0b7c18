// A key in the window to the first sample of its word handed to the sound device:
// the key event sent to the tape's focused row, through the window, the commands,
// the engine and the sound player, to SDL's disk driver (SDL_DISKAUDIODELAY=0, so the
// device takes what is queued at once). A watcher thread reads what the device wrote.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "device_watcher.h"
#include "shell/application.h"

namespace tallymar {
namespace {

using namespace tallymar::bench;
namespace fs = std::filesystem;

struct Window {
    Window() {
        const QString output = folder.filePath("device.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", output.toUtf8());
        qputenv("SDL_DISKAUDIODELAY", "0");
        qputenv("XDG_STATE_HOME", folder.filePath("state").toUtf8());
        const std::string settings = folder.filePath("Tallymar.ini").toStdString();
        std::ofstream(settings)
            << "[OPTIONS]\nCallInputCharacter=Grunk\nShow tip at startup=False\n";
        // Sounds are looked for in the current folder first.
        fs::current_path(TALLYMAR_SOUNDS_BUILD_DIR);
        // Reading along from the start, as the device may open before the first key.
        watcher = std::make_unique<Watcher>(output.toStdString());
        app = std::make_unique<Application>(TALLYMAR_SOUNDS_BUILD_DIR, nullptr, nullptr, settings);
        app->Start("");
        // The window shown and the event loop idle, as when a person starts to type.
        QTest::qWait(400);
    }
    ~Window() {
        watcher.reset();
        app->calc().MarkTapeChanged(false);
        app->window().close();
        app.reset();
    }
    // A key typed into the row that has the keyboard; seconds until its word is heard.
    double Key(char key) {
        watcher->Listen();
        const Clock::time_point start = Clock::now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (key - '0'), Qt::NoModifier, QString(key));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        const double seconds = SecondsUntilHeard(*watcher, start);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_0 + (key - '0'), Qt::NoModifier,
                          QString(key));
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        return seconds;
    }

    QTemporaryDir folder;
    std::unique_ptr<Application> app;
    std::unique_ptr<Watcher> watcher;
};

// The device open from the first key on: a digit keyed into the tape.
void BM_DigitInTheWindowToFirstSample(benchmark::State& state) {
    Window window;
    window.Key('1');  // the file is made and the device warm
    for (auto _ : state) {
        WaitForSilence(*window.watcher);
        state.SetIterationTime(window.Key('5'));
    }
}
BENCHMARK(BM_DigitInTheWindowToFirstSample)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);

// The first key of a run, a freshly started window each time.
void BM_FirstKeyInTheWindowToFirstSample(benchmark::State& state) {
    for (auto _ : state) {
        Window window;
        state.SetIterationTime(window.Key('5'));
    }
}
BENCHMARK(BM_FirstKeyInTheWindowToFirstSample)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);

}  // namespace
}  // namespace tallymar
