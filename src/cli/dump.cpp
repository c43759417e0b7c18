#include "cli/dump.h"

#include "engine/tape_status.h"

#include <cstdio>
#include <string>

#include "cli/recorder.h"

namespace tallymar::cli {
namespace {

std::string Exact(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

}  // namespace

void Dump(const Calc& calc, const Colours& colours, std::ostream& out) {
    out << "lines " << calc.tape().size() << "\n";
    for (int i = 0; i <= calc.tape().UpperBound(); ++i) {
        const TapeLine& line = calc.tape()[i];
        out << "L" << i << " " << line.Op << " " << Quoted(calc.view().ShownText(i))
            << " amount=" << Exact(line.Amount) << " dec=" << line.Decimals
            << " entry=" << Quoted(EntryText(line)) << "\n";
    }
    out << "rows " << calc.view().last_row() + 1 << " top=" << calc.view().top_line()
        << " cur=" << calc.cur_line() << " focus=" << calc.view().focus_row() << "\n";
    for (int r = 0; r <= calc.view().last_row(); ++r) {
        const Row& row = calc.view().rows()[r];
        out << "R" << r << " " << Quoted(row.text) << " " << Quoted(row.op)
            << " size=" << row.font_size << " bold=" << row.bold << " locked=" << row.locked
            << " fore=" << row.fore << " back=" << row.back << "\n";
    }
    out << "colors pos=" << colours.CurPosClr << " neg=" << colours.CurNegClr
        << " txt=" << colours.CurTxtClr << " tap=" << colours.CurTapClr
        << " bak=" << colours.CurBakClr << "\n";
    out << "total " << Quoted(calc.display().text) << " acc=" << Exact(calc.accumulator())
        << " changed=" << calc.tape_changed() << "\n";
    const TapeStatus status = StatusOf(calc.tape().lines());
    out << "status items=" << status.items << " gt=" << Quoted(StatusText(calc).substr(
                                                          StatusText(calc).find("GT ") + 3))
        << "\n";
}

}  // namespace tallymar::cli
