#include "commands/tape_ports.h"

namespace tallymar {

void EngineTape::AppendConversion(const std::vector<ConversionLine>& lines) {
    std::vector<TapeLine> block;
    block.reserve(lines.size());
    for (const ConversionLine& line : lines) {
        TapeLine tape_line;
        tape_line.Op = line.op;
        // A line left open keeps an Entry never set.
        if (line.op != op::kOpen) SetEntry(tape_line, line.entry);
        block.push_back(tape_line);
    }
    calc_.AppendConversion(block);
}

}  // namespace tallymar
