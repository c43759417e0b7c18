#include "files/tape_export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "engine/line_arithmetic.h"
#include "files/tape_files.h"

namespace tallymar {
namespace {

// The line's text as the tape shows it, without the blanks that pad it to 17 characters.
std::string TrimmedEntry(const TapeLine& line) {
    std::string text = EntryShown(line);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A field quoted as RFC 4180 asks: only when it holds a comma, a quote or a line
// break, with every quote doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool IsAmountLine(char line_op) {
    return std::string_view("+-*/%=").find(line_op) != std::string_view::npos;
}

std::string Extension(const std::string& path) {
    const std::string name = FileTitleOf(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return "";
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// "week.add" -> "week.csv"; "Tape1" -> "Tape1.csv".
std::string ProposedName(const std::string& tape_title) {
    const std::size_t dot = tape_title.find_last_of('.');
    return (dot == std::string::npos || dot == 0 ? tape_title : tape_title.substr(0, dot)) + ".csv";
}

}  // namespace

std::optional<ExportForm> ExportFormOf(const std::string& path) {
    const std::string extension = Extension(path);
    if (extension == ".csv") return ExportForm::kCsv;
    if (extension == ".txt") return ExportForm::kText;
    return std::nullopt;
}

const char* KindName(char line_op) {
    switch (line_op) {
        case op::kTotal:
            return "total";
        case op::kSubtotal:
            return "subtotal";
        case op::kComment:
            return "comment";
        case op::kRule:
            return "rule";
        case op::kConversion:
            return "conversion";
        case op::kOpen:
            return "open";
        case op::kInserted:
            return "inserted";
        default:
            return IsAmountLine(line_op) ? "amount" : "";
    }
}

std::string PlainNumber(double value) {
    if (!std::isfinite(value)) return "";
    char buffer[400];
    // Rounded to the 15 digits a double holds for certain, then written with the
    // fewest digits that give that back, in plain notation.
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double rounded = value;
    if (ec == std::errc()) std::from_chars(buffer, end, rounded, std::chars_format::general);
    if (rounded == 0) rounded = 0;  // no "-0"
    auto [plain_end, plain_ec] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    if (plain_ec != std::errc()) return "";
    return std::string(buffer, plain_end);
}

// The running result after each line, as the machine's arithmetic (LineResult)
// leaves it, a total clearing it and a subtotal standing for it.
std::vector<double> RunningTotals(const std::vector<TapeLine>& tape) {
    std::vector<double> totals(tape.size());
    double a = 0;
    for (std::size_t i = 0; i < tape.size(); ++i) {
        const TapeLine& line = tape[i];
        switch (line.Op) {
            case op::kTotal:
                totals[i] = line.Amount;
                a = 0;
                continue;
            case op::kSubtotal:
                a = line.Amount;
                break;
            default:
                a = LineResult(a, line.Op, PrevOp(tape, static_cast<int>(i)), line.Amount);
                break;
        }
        totals[i] = a;
    }
    return totals;
}

std::string TapeAsCsv(const Calc& calc, LineRange range) {
    const std::vector<TapeLine>& tape = calc.tape().lines();
    const std::vector<double> totals = RunningTotals(tape);
    std::string csv = std::string(kCsvHeader) + "\r\n";
    for (int i = std::max(range.first, 0); i <= range.last && i <= calc.tape().UpperBound(); ++i) {
        const TapeLine& line = tape[i];
        const bool amount =
            IsAmountLine(line.Op) || line.Op == op::kTotal || line.Op == op::kSubtotal;
        const bool text = line.Op == op::kComment || line.Op == op::kConversion;
        csv += std::to_string(i + 1) + "," + KindName(line.Op) + "," +
               (amount ? PlainNumber(line.Amount) : "") + "," +
               (IsAmountLine(line.Op) ? std::string(1, line.Op) : "") + "," +
               (text ? CsvField(TrimmedEntry(line)) : "") + "," + PlainNumber(totals[i]) + "\r\n";
    }
    return csv;
}

std::string TapeAsText(const Calc& calc, LineRange range) {
    return TextOfLines(calc, range) + "\n";
}

std::string CannotExportText(const std::string& title, const std::string& reason) {
    return std::string(kProgramTitle) + " could not export " + title + ": " + reason;
}

void ExportTape(Calc& calc, FileDialogs& dialogs, FileSystem& files,
                const std::string& tape_title) {
    auto tell = [&calc](const std::string& text, Buttons buttons, Icon icon,
                        Answer default_answer) {
        return calc.ports().dialogs.ShowMessage(
            Message{kProgramTitle, text, buttons, icon, default_answer});
    };
    const LineRange range = LinesToPrint(calc, calc.view().selection().shown());
    std::string proposed = ProposedName(tape_title);
    // Every refusal brings the dialog back with the name chosen, until a file is
    // written or the dialog is cancelled.
    for (;;) {
        const std::optional<FileChoice> choice = dialogs.ChooseExport(kExportDialogTitle, proposed);
        if (!choice || choice->path.empty()) return;
        proposed = choice->path;
        const std::optional<ExportForm> form = ExportFormOf(choice->path);
        if (!form) {
            tell(choice->title + " is neither a CSV file (.csv) nor a text file (.txt).\n\n" +
                     "Tallymar exports a tape as one of those two; please end the name in .csv "
                     "or .txt.",
                 Buttons::kOk, Icon::kExclamation, Answer::kOk);
            continue;
        }
        const FileKind kind = files.KindOf(choice->path);
        if (kind != FileKind::kNone && kind != FileKind::kFile) {
            tell(CannotExportText(choice->title, NotAFileReason(kind)), Buttons::kOk,
                 Icon::kExclamation, Answer::kOk);
            continue;
        }
        if (kind == FileKind::kFile &&
            tell("A file named " + choice->title + " already exists.\n\n" +
                     "Do you wish to replace the existing file?",
                 Buttons::kYesNo, Icon::kExclamation, Answer::kNo) != Answer::kYes) {
            continue;
        }
        const std::string bytes =
            *form == ExportForm::kCsv ? TapeAsCsv(calc, range) : TapeAsText(calc, range);
        std::string reason;
        if (files.Write(choice->path, bytes, &reason)) return;
        tell(CannotExportText(choice->title, reason), Buttons::kOk, Icon::kExclamation,
             Answer::kOk);
    }
}

}  // namespace tallymar
