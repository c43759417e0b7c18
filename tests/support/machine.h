// A started adding machine for tests: keys go in as key scripts (the same
// notation tallymar-cli reads), and every message box, beep, sound and
// clipboard text is recorded as one line, as tallymar-cli prints it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
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

// The events of playing these wave files, in order.
inline Lines Plays(std::initializer_list<const char*> files) {
    Lines events;
    for (const char* file : files) events.push_back(std::string("play ") + file);
    return events;
}

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
        for (const TapeLine& line : calc.tape()) ops += line.Op;
        return ops;
    }

    // What each line shows in the amount column, from `first` on.
    Lines Shown(int first = 0) const {
        Lines shown;
        for (int i = first; i <= calc.UpperBound(); ++i) shown.push_back(calc.ShownText(i));
        return shown;
    }

    // The machine in one line, as the script tables expect it:
    //   OPS SHOWN =ACCUMULATOR DISPLAY @LINE/ROW/TOP/LASTROW [ROWTEXT|OP CARET+SELECTED] FLAGS |
    //   EVENTS
    // SHOWN is what lines 3 onwards show, a rule line as "-", comments without padding;
    // FLAGS: "*" the tape changed, "e" editing, "s3-4" the selection being made.
    // The events recorded since the last call follow, each after " | ".
    std::string State() {
        std::string s = Ops() + " ";
        for (int i = 3; i <= calc.UpperBound(); ++i) {
            std::string text = calc.ShownText(i);
            if (text == kRule) text = "-";
            while (!text.empty() && text.back() == ' ') text.pop_back();
            s += (i > 3 ? "," : "") + text;
        }
        char acc[40];
        std::snprintf(acc, sizeof acc, "%.10g", calc.accumulator());
        s += std::string(" =") + acc + " " + calc.total_text() + " @" +
             std::to_string(calc.cur_line()) + "/" + std::to_string(calc.focus_row()) + "/" +
             std::to_string(calc.top_line()) + "/" + std::to_string(calc.last_row());
        if (calc.focus_row() >= 0 && calc.focus_row() <= calc.last_row()) {
            const Row& row = RowAt(calc.focus_row());
            s += " [" + row.text + "|" + row.op + " " + std::to_string(row.sel_start) + "+" +
                 std::to_string(row.sel_length) + "]";
        }
        if (calc.tape_changed()) s += " *";
        if (calc.edit_mode()) s += " e";
        if (calc.selecting())
            s += " s" + std::to_string(calc.sel_start_line()) + "-" +
                 std::to_string(calc.sel_end_line());
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

    // Runs `events` the next time the engine lets pending events through.
    void WhilePumping(std::function<void()> events) {
        recorder_.pending_events = std::move(events);
    }

    // The tape of a new machine with `count` amounts of 1 added, as if read from a tape
    // file: "HTH", then `count` "+" lines and the open line. Keying them would take
    // a minute for a nearly full tape.
    Machine& AddedOnes(int count) {
        std::vector<TapeLine> lines(calc.tape().begin(), calc.tape().begin() + 3);
        TapeLine one;
        one.Op = '+';
        one.Amount = 1;
        lines.insert(lines.end(), count, one);
        LinesInMemory source(lines);
        calc.ReplaceTape(source);
        TakeEvents();
        return *this;
    }

    double Amount(int line) const { return calc.tape().at(line).Amount; }
    const Row& RowAt(int row) const { return calc.rows().at(row); }

  private:
    std::ostringstream events_;
    cli::Recorder recorder_{events_};

  public:
    Calc calc{Ports{recorder_, recorder_, recorder_}};
};

// One row of a script table: keys replayed on a machine just started, and the
// State() they must leave.
struct Script {
    std::string keys;
    const char* state;
};

// Replays every script on a machine of its own started with `setup`.
inline void ExpectScripts(std::initializer_list<Script> scripts, const StartUp& setup = {}) {
    for (const Script& script : scripts) {
        Machine m(setup);
        m.Keys(script.keys);
        EXPECT_EQ(m.State(), script.state) << "keys: " << script.keys;
    }
}

}  // namespace tallymar::testing
