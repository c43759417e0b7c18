// How fast a full tape (32,767 lines) is saved, and opened into a window of 40 rows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/calc.h"
#include "files/silent_ports.h"
#include "files/std_file_system.h"
#include "files/tape_file.h"
#include "files/tape_files.h"

namespace tallymar {
namespace {

// A full tape: amounts with a total every ten lines, and the open line last.
std::vector<TapeLine> FullTape() {
    std::vector<TapeLine> tape(kMaxLines);
    for (int i = 0; i + 1 < kMaxLines; ++i) {
        tape[i].Op = i % 10 == 9 ? op::kTotal : '+';
        tape[i].Amount = i * 1.25;
        tape[i].Decimals = 2;
    }
    return tape;
}

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() / "tallymar_tape_file_bench.add").string();
}

void BM_SaveFullTape(benchmark::State& state) {
    SilentPorts desk;
    Calc calc(desk.ports());
    calc.Start(40);
    const std::vector<TapeLine> full = FullTape();
    LinesInMemory lines(full);
    calc.TakeLines(lines, LinesPlaced::kInPlaceOfTape);
    StdFileSystem files;
    const std::string path = BenchPath();
    std::string reason;
    for (auto _ : state) {
        if (!files.Write(path, EncodeTape(calc.tape().lines()), &reason))
            state.SkipWithError(reason.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFullTape)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_OpenFullTapeIntoFortyRows(benchmark::State& state) {
    SilentPorts desk;
    StdFileSystem files;
    const std::string path = BenchPath();
    std::string reason;
    files.Write(path, EncodeTape(FullTape()), &reason);
    for (auto _ : state) {
        state.PauseTiming();
        Calc calc(desk.ports());
        calc.Start(40);
        TapeFiles tape_files(calc, desk, files, desk);
        state.ResumeTiming();
        tape_files.OpenTapeFile(path);
        if (calc.tape().size() != static_cast<std::size_t>(kMaxLines)) {
            state.SkipWithError("the tape was not opened whole");
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenFullTapeIntoFortyRows)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymar
