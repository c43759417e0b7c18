// A started adding machine for tests: keys go in as key scripts (the same
// notation tallymar-cli reads), and every message box, beep, sound and
// clipboard text is recorded as one line, as tallymar-cli prints it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/recorder.h"
#include "cli/runner.h"
#include "engine/calc.h"

namespace tallymar::testing {

// The settings at start-up, chained: StartUp().Rows(5).Voice("Grunk").
struct StartUp : cli::RunOptions {
    StartUp& Rows(int n) { return rows = n, *this; }
    StartUp& Decimals(int code) { return decimals = code, *this; }
    StartUp& CalcMode() { return calc_mode = true, *this; }
    StartUp& Voice(std::string name) { return voice = std::move(name), *this; }
    StartUp& CallbackVoice(std::string name) { return callback_voice = std::move(name), *this; }
    StartUp& MachineSound(std::string name) { return machine = std::move(name), *this; }
};

using Events = std::vector<std::string>;

// The events of playing these wave files, in order.
inline Events Plays(std::initializer_list<const char*> files) {
    Events events;
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

    // The events recorded since the last call, one per line.
    std::vector<std::string> TakeEvents() {
        std::vector<std::string> lines;
        std::istringstream in(events_.str());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
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
    std::vector<std::string> Shown(int first = 0) const {
        std::vector<std::string> shown;
        for (int i = first; i <= calc.UpperBound(); ++i) shown.push_back(calc.ShownText(i));
        return shown;
    }

    // Runs `events` the next time the engine lets pending events through.
    void WhilePumping(std::function<void()> events) {
        recorder_.pending_events = std::move(events);
    }

    double Amount(int line) const { return calc.tape().at(line).Amount; }
    const Row& RowAt(int row) const { return calc.rows().at(row); }

  private:
    std::ostringstream events_;
    cli::Recorder recorder_{events_};

  public:
    Calc calc{Ports{recorder_, recorder_, recorder_}};
};

}  // namespace tallymar::testing
