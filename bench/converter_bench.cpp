// Cost of building the unit table and of opening the Converter window's model.
#include <benchmark/benchmark.h>

#include "converter/converter_form.h"

namespace {

class NoTape : public tallymar::TapeWriter {
  public:
    void AppendConversion(const std::vector<tallymar::ConversionLine>&) override {}
};

class NoDesktop : public tallymar::ConverterDesktop {
  public:
    bool OpenAddress(const std::string&) override { return true; }
    void ShowMessage(const std::string&) override {}
};

void BM_BuildUnitTable(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<tallymar::UnitRec> units;
        tallymar::Conversions(units);
        benchmark::DoNotOptimize(units.data());
    }
}
BENCHMARK(BM_BuildUnitTable)->Unit(benchmark::kMicrosecond);

// Form_Load: the table, the sorted From list, the check box; then 1 foot to meters.
void BM_OpenConverter(benchmark::State& state) {
    NoTape tape;
    NoDesktop desktop;
    bool show_conversion = true;
    const tallymar::Colours colours;
    for (auto _ : state) {
        tallymar::ConverterForm form(tape, desktop, show_conversion, colours);
        form.cboFrom_Click(form.FromListIndexOf("foot"));
        form.cboTo_Click(form.ToListIndexOf("meters"));
        benchmark::DoNotOptimize(form.lblUnitsTo().data());
    }
}
BENCHMARK(BM_OpenConverter)->Unit(benchmark::kMicrosecond);

}  // namespace
