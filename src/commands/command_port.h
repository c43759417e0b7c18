// Where the commands go that the standard C++ layers cannot carry out: those that
// show a dialog, print, open the browser or act on the main window (print, print
// setup, preview, exit, always on top, colours, converter, date and time, mode,
// sounds, help, tip, website, about). The window's shell runs them with its Qt
// dialogs; tallymar-cli prints a line for each, or drives the standard C++ model of
// the dialog where there is one.
#pragma once

#include "commands/command.h"

namespace tallymar {

class CommandPort {
  public:
    virtual ~CommandPort() = default;
    virtual void Run(Command command) = 0;
};

}  // namespace tallymar
