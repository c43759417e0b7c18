// A started adding machine for tests: keys go in as key scripts (the same
// notation tallymar-cli reads), and every message box, beep, sound and
// clipboard text is recorded as one line, as tallymar-cli prints it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <source_location>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/recorder.h"
#include "cli/runner.h"
#include "engine/calc.h"

namespace tallymar::testing {

using Lines = std::vector<std::string>;

// Nine amounts in a window of six rows: lines 0 to 12, line 12 the open line,
// TopLine 7 and the focus in the bottom row.
inline constexpr const char* kNineAmounts = "1+2+3+4+5+6+7+8+9+";
inline const std::string kRule = "---------------";
inline const std::string kEditTotal =
    R"(msg "Tallymar" "The Tallymar will not allow you to edit a total." ok -> ok)";
inline const std::string kTapeFull =
    R"(msg "Tallymar" "The tape is full. Save it and start a new tape." ok -> ok)";

// The settings at start-up, chained: StartUp().Rows(5).Voice("Grunk").
struct StartUp : cli::RunOptions {
    StartUp& Rows(int n) { return rows = n, *this; }
    StartUp& Decimals(int code) { return decimals = code, *this; }
    StartUp& CalcMode() { return calc_mode = true, *this; }
    StartUp& Voice(std::string name) { return voice = std::move(name), *this; }
    StartUp& CallbackVoice(std::string name) { return callback_voice = std::move(name), *this; }
    StartUp& MachineSound(std::string name) { return machine = std::move(name), *this; }
};

class Machine {
  public:
    explicit Machine(const StartUp& setup = {}) {
        cli::StartUp(calc, setup);
        events_.str("");
    }

    // Runs a key script; a script that cannot run fails the test.
    Machine& Keys(std::string_view script) {
        std::string error = cli::Replayer(calc, recorder_, events_).RunAll(script);
        EXPECT_EQ(error, "") << "script: " << script;
        return *this;
    }

    // The events recorded since the last call, one per line. The caption follows
    // every change of the tape; the file tests check it, these leave it out.
    Lines TakeEvents() {
        Lines lines;
        std::istringstream in(events_.str());
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("caption ", 0) != 0) lines.push_back(line);
        }
        events_.str("");
        return lines;
    }

    // The operators of all lines, e.g. "HTH++THB" for a struck sum.
    std::string Ops() const {
        std::string ops;
        for (const TapeLine& line : calc.tape().lines()) ops += line.Op;
        return ops;
    }

    // What each line shows in the amount column, from `first` on.
    Lines Shown(int first = 0) const {
        Lines shown;
        for (int i = first; i <= calc.tape().UpperBound(); ++i)
            shown.push_back(calc.view().ShownText(i));
        return shown;
    }

    // The machine in one line, to compare before and after something that should change
    // nothing:
    //   OPS SHOWN =ACCUMULATOR DISPLAY @LINE/ROW/TOP/LASTROW [ROWTEXT|OP CARET+SELECTED] FLAGS |
    //   EVENTS
    // SHOWN is what lines 3 onwards show, a rule line as "-", comments without padding;
    // FLAGS: "*" the tape changed, "e" editing, "s3-4" the selection being made.
    // The events recorded since the last call follow, each after " | ".
    std::string State() {
        std::string s = Ops() + " ";
        for (int i = 3; i <= calc.tape().UpperBound(); ++i) {
            std::string text = calc.view().ShownText(i);
            if (text == kRule) text = "-";
            while (!text.empty() && text.back() == ' ') text.pop_back();
            s += (i > 3 ? "," : "") + text;
        }
        char acc[40];
        std::snprintf(acc, sizeof acc, "%.10g", calc.accumulator());
        s += std::string(" =") + acc + " " + calc.display().text + " @" +
             std::to_string(calc.cur_line()) + "/" + std::to_string(calc.view().focus_row()) + "/" +
             std::to_string(calc.view().top_line()) + "/" + std::to_string(calc.view().last_row());
        if (calc.view().focus_row() >= 0 && calc.view().focus_row() <= calc.view().last_row()) {
            const Row& row = RowAt(calc.view().focus_row());
            s += " [" + row.text + "|" + row.op + " " + std::to_string(row.sel_start) + "+" +
                 std::to_string(row.sel_length) + "]";
        }
        if (calc.tape_changed()) s += " *";
        if (calc.keyboard().edit_mode()) s += " e";
        if (calc.view().selection().selecting())
            s += " s" + std::to_string(calc.view().selection().start_line()) + "-" +
                 std::to_string(calc.view().selection().end_line());
        for (const std::string& event : TakeEvents()) s += " | " + event;
        return s;
    }

    // The events since the last call on one line, a played wave file by its name
    // alone: "b5 b+ Canon1 beep".
    std::string Heard() {
        std::string heard;
        for (std::string event : TakeEvents()) {
            if (event.rfind("play ", 0) == 0 && event.size() > 9)
                event = event.substr(5, event.size() - 9);
            heard += (heard.empty() ? "" : " ") + event;
        }
        return heard;
    }

    // The tape of a new machine with `count` amounts of 1 added, as if read from a tape
    // file: "HTH", then `count` "+" lines and the open line. Keying them would take
    // a minute for a nearly full tape.
    Machine& AddedOnes(int count) {
        std::vector<TapeLine> lines(calc.tape().lines().begin(), calc.tape().lines().begin() + 3);
        TapeLine one;
        one.Op = '+';
        one.Amount = 1;
        lines.insert(lines.end(), count, one);
        LinesInMemory source(lines);
        calc.TakeLines(source, LinesPlaced::kInPlaceOfTape);
        TakeEvents();
        return *this;
    }

    double Amount(int line) const { return calc.tape().lines().at(line).Amount; }
    const Row& RowAt(int row) const { return calc.view().rows().at(row); }

  private:
    std::ostringstream events_;
    cli::Recorder recorder_{events_};

  public:
    Calc calc{Ports{recorder_, recorder_, recorder_}};
};

// The columns of a script table. Each names what it checks; a row leaves out what it
// does not care about, and what it gives is checked. The events are always checked:
// a row that lists none expects none.

// Lines 3 onwards, as they show: the text without trailing blanks, a space and the
// operator ("5.00 +", "8.00 T", "rent C"), only the operator when the text is empty
// ("-" in calculator mode), "---" for a rule, "open" for the empty open line and "_"
// for the operator of an inserted line. Given, lines 0 to 2 must be the new tape's
// "HTH" as well.
struct Tape {
    Tape(std::initializer_list<std::string> shown) : lines(shown) {}
    Lines lines;
};
// What the total display shows.
struct Total {
    std::string text;
};
// The running sum (the accumulator).
struct Sum {
    double value;
};
// The line the focus is on and the row showing it.
struct Focus {
    int line;
    int row;
};
// The line shown in the window's top row and the window's last row.
struct Window {
    int top_line;
    int last_row;
};
// What the focused row holds: its text, its operator box, the caret and the number of
// characters selected (both 0 when left out).
struct RowHolds {
    std::string text;
    std::string op;
    int caret = 0;
    int selected = 0;
};
// "changed" or "unchanged" (the tape since it was last saved or started), then
// "editing" while an entry is being keyed into an earlier line, and "selecting 3-4"
// while lines 3 to 4 are being selected.
struct Flags {
    std::string words;
};
// The message boxes, beeps, sounds and clipboard texts, one per line (see TakeEvents).
struct Events {
    Events(std::initializer_list<std::string> lines) : lines(lines) {}
    Lines lines;
};
inline const Flags kChanged{"changed"}, kUnchanged{"unchanged"};
// The focus on an empty row, as on the open line after a key that commits.
inline const RowHolds kEmptyRow{"", ""};
// Given with a Tape, the keys end on the tape's open line, shown in the row of its own
// number (a window tall enough for the whole tape), with nothing keyed there, and the
// tape changed: Focus{open, open}, Window{0, open}, kEmptyRow and kChanged.
struct OnOpenLine {};
inline constexpr OnOpenLine kOnOpenLine;

// One row of a script table: the keys, then the columns it checks, in any order:
//   {"5+3+{Enter}", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, ...}
struct Script {
    template <typename... Columns>
    Script(std::string keys, Columns... columns) : keys(std::move(keys)) {
        (Take(std::move(columns)), ...);
        if (on_open_line) {
            const int open = 2 + static_cast<int>(tape.value().size());
            focus = Focus{open, open};
            window = Window{0, open};
            row = kEmptyRow;
            flags = kChanged.words;
        }
    }

    std::string keys;
    std::optional<Lines> tape;
    std::optional<std::string> total;
    std::optional<double> sum;
    std::optional<Focus> focus;
    std::optional<Window> window;
    std::optional<RowHolds> row;
    std::optional<std::string> flags;
    Lines events;

  private:
    bool on_open_line = false;
    void Take(Tape c) { tape = std::move(c.lines); }
    void Take(Total c) { total = std::move(c.text); }
    void Take(Sum c) { sum = c.value; }
    void Take(Focus c) { focus = c; }
    void Take(Window c) { window = c; }
    void Take(RowHolds c) { row = std::move(c); }
    void Take(Flags c) { flags = std::move(c.words); }
    void Take(Events c) { events = std::move(c.lines); }
    void Take(OnOpenLine) { on_open_line = true; }
};

// A tape line as Tape writes it.
inline std::string LineAsWritten(std::string text, char op) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text == kRule) return op == op::kRule ? "---" : "--- " + std::string(1, op);
    if (op == op::kOpen && text.empty()) return "open";
    const std::string op_written = op == op::kInserted ? "_" : std::string(1, op);
    return text.empty() ? op_written : text + " " + op_written;
}

inline std::string FlagsOf(const Calc& calc) {
    std::string words = calc.tape_changed() ? "changed" : "unchanged";
    if (calc.keyboard().edit_mode()) words += " editing";
    if (calc.view().selection().selecting())
        words += " selecting " + std::to_string(calc.view().selection().start_line()) + "-" +
                 std::to_string(calc.view().selection().end_line());
    return words;
}

inline std::string SumAsWritten(double sum) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", sum);
    return text;
}

inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// What differs between the tape and the one expected, line by line.
inline void TapeDifferences(const Machine& m, const Lines& expected, std::ostream& out) {
    const std::string head = m.Ops().substr(0, 3);
    if (head != "HTH") out << "  lines 0 to 2 are " << Quoted(head) << ", expected \"HTH\"\n";
    const int count = static_cast<int>(m.calc.tape().size()) - 3;
    const int wanted = static_cast<int>(expected.size());
    for (int i = 0; i < std::max(count, wanted); ++i) {
        const int line = i + 3;
        if (i >= count) {
            out << "  line " << line << " is missing, expected " << Quoted(expected[i]) << "\n";
            continue;
        }
        const std::string shown =
            LineAsWritten(m.calc.view().ShownText(line), m.calc.tape()[line].Op);
        if (i >= wanted)
            out << "  line " << line << " shows " << Quoted(shown) << ", expected no line\n";
        else if (shown != expected[i])
            out << "  line " << line << " shows " << Quoted(shown) << ", expected "
                << Quoted(expected[i]) << "\n";
    }
}

inline std::string RowAsWritten(const RowHolds& r) {
    return Quoted(r.text) + " with operator " + Quoted(r.op) + ", caret at " +
           std::to_string(r.caret) + ", " + std::to_string(r.selected) + " selected";
}

// Runs the script's keys on `m` and checks every column the script gives; one failure,
// reported where the table is, lists every difference in words.
inline void ExpectScript(Machine& m, const Script& script,
                         std::source_location where = std::source_location::current()) {
    m.Keys(script.keys);
    const Calc& calc = m.calc;
    std::ostringstream out;
    if (script.tape) TapeDifferences(m, *script.tape, out);
    if (script.total && calc.display().text != *script.total)
        out << "  the total display shows " << Quoted(calc.display().text) << ", expected "
            << Quoted(*script.total) << "\n";
    if (script.sum && SumAsWritten(calc.accumulator()) != SumAsWritten(*script.sum))
        out << "  the running sum is " << SumAsWritten(calc.accumulator()) << ", expected "
            << SumAsWritten(*script.sum) << "\n";
    if (script.focus &&
        (calc.cur_line() != script.focus->line || calc.view().focus_row() != script.focus->row))
        out << "  the focus is on line " << calc.cur_line() << " (row " << calc.view().focus_row()
            << "), expected line " << script.focus->line << " (row " << script.focus->row << ")\n";
    if (script.window && (calc.view().top_line() != script.window->top_line ||
                          calc.view().last_row() != script.window->last_row))
        out << "  the top row shows line " << calc.view().top_line() << " and the last row is row "
            << calc.view().last_row() << ", expected line " << script.window->top_line
            << " and row " << script.window->last_row << "\n";
    if (script.row) {
        const int r = calc.view().focus_row();
        if (r < 0 || r > calc.view().last_row()) {
            out << "  no row has the focus (row " << r << "), expected one holding "
                << RowAsWritten(*script.row) << "\n";
        } else {
            const Row& row = m.RowAt(r);
            const RowHolds holds{row.text, row.op, row.sel_start, row.sel_length};
            if (RowAsWritten(holds) != RowAsWritten(*script.row))
                out << "  the focused row holds " << RowAsWritten(holds) << ", expected "
                    << RowAsWritten(*script.row) << "\n";
        }
    }
    if (script.flags && FlagsOf(calc) != *script.flags)
        out << "  the machine is " << Quoted(FlagsOf(calc)) << ", expected "
            << Quoted(*script.flags) << "\n";
    const Lines events = m.TakeEvents();
    for (size_t i = 0; i < std::max(events.size(), script.events.size()); ++i) {
        if (i >= events.size())
            out << "  event " << i + 1 << " did not happen, expected " << script.events[i] << "\n";
        else if (i >= script.events.size())
            out << "  event " << i + 1 << " was " << events[i] << ", expected none\n";
        else if (events[i] != script.events[i])
            out << "  event " << i + 1 << " was " << events[i] << ", expected " << script.events[i]
                << "\n";
    }
    if (!out.str().empty())
        ADD_FAILURE_AT(where.file_name(), where.line()) << "keys " << Quoted(script.keys) << ":\n"
                                                        << out.str();
}

// Replays every script on a machine of its own started with `setup`. A script that gives
// no flags expects the tape changed (no editing, nothing being selected); one that gives a
// tape and no window, when the window has rows enough for that tape, expects all of it in
// view: Window{0, its open line}.
inline void ExpectScripts(std::initializer_list<Script> scripts, const StartUp& setup = {},
                          std::source_location where = std::source_location::current()) {
    for (Script script : scripts) {
        if (!script.flags) script.flags = kChanged.words;
        const int open = script.tape ? 2 + static_cast<int>(script.tape->size()) : setup.rows;
        if (!script.window && open < setup.rows) script.window = Window{0, open};
        Machine m(setup);
        ExpectScript(m, script, where);
    }
}

}  // namespace tallymar::testing
