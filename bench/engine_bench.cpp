// How fast the adding machine answers a key on a long tape.
#include <benchmark/benchmark.h>

#include "engine/calc.h"
#include "files/silent_ports.h"

namespace tallymar {
namespace {

void Type(Calc& calc, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        calc.keyboard().KeyDown(calc.view().focus_row(), 0, shift::kNone);
        calc.keyboard().KeyPress(calc.view().focus_row(), static_cast<unsigned char>(*k));
    }
}

// A tape of about 32,000 amounts and no totals but the new tape's own, in a window of 40 rows.
void FillTape(Calc& calc, int lines) {
    calc.Start(40);
    while (static_cast<int>(calc.tape().size()) < lines) Type(calc, "1+");
}

void BM_CommitAmountAtEndOfLongTape(benchmark::State& state) {
    SilentPorts ports;
    Calc calc(ports.ports());
    FillTape(calc, 32000);
    for (auto _ : state) {
        Type(calc, "7+");  // the amount, its operator, the redraw of the 40 rows
    }
    benchmark::DoNotOptimize(calc.accumulator());
}
BENCHMARK(BM_CommitAmountAtEndOfLongTape)
    ->Iterations(100)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_CorrectFirstAmountOfLongTape(benchmark::State& state) {
    SilentPorts ports;
    Calc calc(ports.ports());
    FillTape(calc, 32000);
    calc.keyboard().KeyDown(calc.view().focus_row(), key::kHome, shift::kNone);
    bool two = true;
    for (auto _ : state) {
        calc.keyboard().SetFocus(3);               // the first amount
        Type(calc, two ? "2+" : "3+");  // recomputes the 32,000 lines below it
        two = !two;
    }
    benchmark::DoNotOptimize(calc.accumulator());
}
BENCHMARK(BM_CorrectFirstAmountOfLongTape)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Edit > Undo of the last commit on a 32,000-line tape, then Edit > Redo making it
// again: the lines, the running total and the focus restored, the rows redrawn.
void BM_UndoAndRedoCommitOnLongTape(benchmark::State& state) {
    SilentPorts ports;
    Calc calc(ports.ports());
    FillTape(calc, 32000);
    Type(calc, "7+");
    for (auto _ : state) {
        calc.Undo();
        calc.Redo();
    }
    benchmark::DoNotOptimize(calc.accumulator());
}
BENCHMARK(BM_UndoAndRedoCommitOnLongTape)
    ->Iterations(100)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tallymar

BENCHMARK_MAIN();
