// How long Edit > Find… takes to look through a full tape (32,767 lines) for a text
// that is not on it, so that every line is looked at.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/tape_find.h"

namespace tallymar {
namespace {

TapeLine Amount(double amount, char kind) {
    TapeLine line;
    line.Amount = amount;
    line.Decimals = 2;
    line.Op = kind;
    return line;
}

TapeLine Comment(const std::string& text) {
    TapeLine line;
    line.Op = op::kComment;
    SetEntry(line, text);
    return line;
}

// A full tape as it is keyed: amounts of every size, a comment every eighth line, a
// total and its rule every sixteenth, the open line last.
std::vector<TapeLine> MixedTape() {
    std::vector<TapeLine> tape;
    for (int i = 0; static_cast<int>(tape.size()) < kMaxLines - 1; ++i) {
        if (i % 16 == 15) {
            tape.push_back(Amount(i * 10.0, op::kTotal));
            tape.push_back(Amount(0, op::kRule));
        } else if (i % 8 == 7) {
            tape.push_back(Comment("Invoice " + std::to_string(i)));
        } else {
            tape.push_back(Amount(i * 1.25, i % 3 ? '+' : '-'));
        }
    }
    tape.resize(kMaxLines - 1);
    tape.push_back(Amount(0, op::kOpen));
    return tape;
}

void Search(benchmark::State& state, const std::vector<TapeLine>& tape, const char* text) {
    const FindQuery query(text, NumberSymbols{});
    for (auto _ : state) {
        auto found = FindLine(tape, query, kMaxLines - 1, FindDirection::kNext);
        benchmark::DoNotOptimize(found);
    }
}

// An amount on no line of a mixed tape.
void BM_FindAmountNotOnFullTape(benchmark::State& state) {
    Search(state, MixedTape(), "12,345.67");
}
BENCHMARK(BM_FindAmountNotOnFullTape)->Unit(benchmark::kMillisecond);

// A word in no comment of a mixed tape.
void BM_FindWordNotOnFullTape(benchmark::State& state) {
    Search(state, MixedTape(), "rent");
}
BENCHMARK(BM_FindWordNotOnFullTape)->Unit(benchmark::kMillisecond);

// Every line a comment: each is compared.
void BM_FindWordNotOnTapeOfComments(benchmark::State& state) {
    std::vector<TapeLine> tape(kMaxLines, Comment("Ärger mit Müller"));
    Search(state, tape, "rent");
}
BENCHMARK(BM_FindWordNotOnTapeOfComments)->Unit(benchmark::kMillisecond);

// Every line a cent from the amount sought: each is passed over by its rounding.
void BM_FindAmountNotOnTapeOfNearAmounts(benchmark::State& state) {
    std::vector<TapeLine> tape(kMaxLines, Amount(12.49, '+'));
    Search(state, tape, "12.5");
}
BENCHMARK(BM_FindAmountNotOnTapeOfNearAmounts)->Unit(benchmark::kMillisecond);

// The slowest tape there can be: every line half a cent from the amount sought
// (12.505 shows 12.51), so that each line's row text is made and read back.
void BM_FindAmountNotOnTapeOfHalfCentAmounts(benchmark::State& state) {
    std::vector<TapeLine> tape(kMaxLines, Amount(12.505, '+'));
    Search(state, tape, "12.5");
}
BENCHMARK(BM_FindAmountNotOnTapeOfHalfCentAmounts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallymar
