// Cost of formatting one tape amount with each decimal code the tape offers.
#include <benchmark/benchmark.h>

#include "engine/number_format.h"

namespace {

void BM_FormatNumber(benchmark::State& state) {
    const std::string& pattern = tallymar::PatternOf(static_cast<int>(state.range(0)));
    const tallymar::NumberSymbols symbols;
    double amount = -1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount);
        std::string text = tallymar::FormatNumber(amount, pattern, symbols);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatNumber)->ArgName("code")->Arg(0)->Arg(2)->Arg(6)->Arg(16)->Arg(17);

// A short amount whose text fits the string's inline buffer, so no heap allocation.
void BM_FormatSmallAmount(benchmark::State& state) {
    const std::string& pattern = tallymar::PatternOf(static_cast<int>(state.range(0)));
    const tallymar::NumberSymbols symbols;
    double amount = 12.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount);
        std::string text = tallymar::FormatNumber(amount, pattern, symbols);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatSmallAmount)->ArgName("code")->Arg(0)->Arg(2)->Arg(6)->Arg(16)->Arg(17);

}  // namespace
