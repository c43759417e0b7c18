// Opening and saving a full tape in the window itself: the engine, the file and
// the rows the window shows, on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <string>

#include "dialogs/converter_dialog.h"
#include "dialogs/print_preview.h"
#include "files/tape_file.h"
#include "shell/application.h"
#include "shell/printing.h"
#include "window/tape_window.h"

namespace tallymar {
namespace {

// Answers every Open and Save As dialog with the one path.
class FixedDialogs : public FileDialogs {
  public:
    std::string path;
    std::optional<FileChoice> ChooseOpen(const std::string&) override {
        return FileChoice{path, "full.add"};
    }
    std::optional<FileChoice> ChooseSave(const std::string&, const std::string&) override {
        return FileChoice{path, "full.add"};
    }
};

// Answers "No" (replace the tape) to the question that opening a file asks.
class ReplaceAnswer {
  public:
    ReplaceAnswer() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->button(QMessageBox::No)->click();
            }
        });
        timer_.start(0);
    }

  private:
    QTimer timer_;
};

// A 32,767-line tape file: amounts with a total every 20 lines.
std::string FullTapeFile() {
    std::vector<TapeLine> tape(kMaxLines);
    for (int i = 0; i < kMaxLines; ++i) {
        tape[i].Op = i % 20 == 19 ? 'T' : '+';
        tape[i].Amount = i * 1.25;
        tape[i].Decimals = 2;
    }
    tape.back().Op = 'B';
    return EncodeTape(tape);
}

void BM_OpenFullTapeInTheWindow(benchmark::State& state) {
    QTemporaryDir folder;
    FixedDialogs dialogs;
    dialogs.path = folder.filePath("full.add").toStdString();
    std::string reason;
    StdFileSystem().Write(dialogs.path, FullTapeFile(), &reason);
    Application app(folder.path().toStdString(), &dialogs);
    app.Start("");
    app.window().resize(app.window().width(), 700);  // about 40 rows
    ReplaceAnswer answer;
    for (auto _ : state) {
        state.PauseTiming();
        app.calc().MarkTapeChanged(false);
        app.calc().BuildNewTape(true);
        state.ResumeTiming();
        app.files().OpenTapeFile(dialogs.path);
        app.window().tape_window().Sync();
    }
    state.counters["rows"] = app.calc().view().last_row() + 1;
    app.calc().MarkTapeChanged(false);
}
BENCHMARK(BM_OpenFullTapeInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// Tallymar started in a folder of its own with a full tape opened in its window.
struct FullTapeOpened {
    FullTapeOpened() {
        const std::string full = folder.filePath("full.add").toStdString();
        std::string reason;
        StdFileSystem().Write(full, FullTapeFile(), &reason);
        app.Start("");
        ReplaceAnswer answer;
        app.files().OpenTapeFile(full);
    }
    ~FullTapeOpened() { app.calc().MarkTapeChanged(false); }

    QTemporaryDir folder;
    FixedDialogs dialogs;
    Application app{folder.path().toStdString(), &dialogs};
};

void BM_SaveFullTapeFromTheWindow(benchmark::State& state) {
    FullTapeOpened opened;
    opened.dialogs.path = opened.folder.filePath("saved.add").toStdString();
    opened.app.files().SaveTapeAs();  // a new file: no question; later saves go to it
    for (auto _ : state) opened.app.files().SaveTape();
    state.counters["lines"] = static_cast<double>(opened.app.calc().tape().size());
}
BENCHMARK(BM_SaveFullTapeFromTheWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// The program's resident memory, in megabytes.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// The preview of a full tape: every page made and the preview window built on them.
void BM_PreviewFullTape(benchmark::State& state) {
    FullTapeOpened opened;
    Application& app = opened.app;
    TapePrinting& printing = app.window().printing();
    double growth = 0;
    size_t pages = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        printing.show_preview = [&](std::vector<QPicture>& made, QSizeF paper) {
            PrintPreviewDialog preview(
                &app.window(), std::move(made), paper, [] {}, [] {});
            pages = static_cast<size_t>(preview.PageCount());
            growth = std::max(growth, ResidentMegabytes() - before);
        };
        printing.PrintPreview();
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["rss_growth_MB"] = growth;
}
BENCHMARK(BM_PreviewFullTape)->Unit(benchmark::kMillisecond)->Iterations(3);

// The Converter window opened beside the main window as Options > Converter... opens
// it (the unit table built, the From list filled, the window shown and painted),
// then closed, as each first opening does.
void BM_OpenConverterWindow(benchmark::State& state) {
    QTemporaryDir folder;
    Application app(folder.path().toStdString());
    app.Start("");
    for (auto _ : state) {
        app.window().Run(Command::mnuOptionsConverter);
        ConverterDialog* converter = app.dialog_commands().converter();
        converter->repaint();
        benchmark::DoNotOptimize(converter);
        state.PauseTiming();
        app.dialog_commands().CloseConverter();
        state.ResumeTiming();
    }
    app.calc().MarkTapeChanged(false);
    app.window().close();
}
BENCHMARK(BM_OpenConverterWindow)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace tallymar
