// File > Export: the tape, or its highlighted lines, written for other programs to
// read, in the form the file name's extension asks for.
//
// - CSV (".csv"): UTF-8, quoted as RFC 4180 says, a header row and one row per tape
//   line: its number (the first line is 1), its kind, its amount as a plain number
//   ("." for the point, no grouping, every digit it holds: 12.5, -3, 1234.56), the
//   operator, the text of a comment or a conversion, and the running total after it.
// - Plain text (".txt"): each line as Edit > Copy gives it, one per line.
//
// Numbers in the CSV never follow the locale, so that a spreadsheet anywhere reads
// the same figures. The file goes through FileSystem::Write, the atomic writer; an
// existing file is replaced only after a Yes, and a name with another extension or a
// write that fails is told in a message, after which the dialog comes back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/calc.h"
#include "files/file_ports.h"

namespace tallymar {

inline constexpr const char* kExportDialogTitle = "Export Tallymar Tape";
inline constexpr const char* kCsvHeader = "line,kind,amount,operator,text,running total";

enum class ExportForm { kCsv, kText };

// The form a file name's extension asks for (".csv" or ".txt", in any case).
std::optional<ExportForm> ExportFormOf(const std::string& path);

// The kind of line a CSV row names: "amount", "total", "subtotal", "comment",
// "rule", "conversion", "open" or "inserted".
const char* KindName(char line_op);

// A figure as a person writes it: "." for the point, no grouping, no exponent, the
// fewest digits that give the double back after rounding to 15 significant digits
// (0.1 + 0.2 is "0.3"), and "0" for a negative zero.
std::string PlainNumber(double value);

// The running total after each line of the tape, as the total display has it: a
// total or subtotal is the figure struck, and the machine starts again from 0 after
// a total.
std::vector<double> RunningTotals(const std::vector<TapeLine>& tape);

// The lines of `range` in either form.
std::string TapeAsCsv(const Calc& calc, LineRange range);
std::string TapeAsText(const Calc& calc, LineRange range);

// "Tallymar could not export Week.csv: Permission denied"
std::string CannotExportText(const std::string& title, const std::string& reason);

// File > Export: the dialog proposes `tape_title` with ".csv" in place of its
// extension. Exports the highlighted lines when a selection is shown, else the whole
// tape.
void ExportTape(Calc& calc, FileDialogs& dialogs, FileSystem& files, const std::string& tape_title);

}  // namespace tallymar
