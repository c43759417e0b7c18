// tallymar-cli: the adding machine without a window. It replays a key script
// against the same engine the window uses and prints every message box, beep,
// sound and clipboard text as it happens, then the tape, its rows and the total.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/recorder.h"
#include "cli/script.h"
#include "engine/calc.h"

namespace tallymar::cli {

// Replays script actions against an engine that has been started.
class Replayer {
  public:
    Replayer(Calc& calc, Recorder& recorder, std::ostream& out)
        : calc_(calc), recorder_(recorder), out_(out) {}

    // Runs one action; returns why it cannot run, or "" when it ran.
    std::string Run(const Action& action);
    // Parses and runs a whole script; returns the first error ("at position N: ...") or "".
    std::string RunAll(std::string_view script);

  private:
    void RunMenu(const std::string& name);

    Calc& calc_;
    Recorder& recorder_;
    std::ostream& out_;
};

struct RunOptions {
    int rows = 18;
    int decimals = 2;
    bool calc_mode = false;
    std::string voice;
    std::string callback_voice;
    std::string machine;
};

// Puts the settings in place and starts the engine as the window's start-up does.
void StartUp(Calc& calc, const RunOptions& options);

// Runs a script from start-up; returns 0, or 2 after writing a script error to err.
int RunScript(const RunOptions& options, std::string_view script, std::ostream& out,
              std::ostream& err);

// The command line: tallymar-cli [options] [SCRIPT | -] or --keys 'TEXT'.
int CliMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace tallymar::cli
