// Where the commands go that the standard C++ layers cannot carry out: those that
// show a dialog, print, open the browser or act on the main window. The window's
// shell runs them with its Qt dialogs; tallymar-cli prints a line for each, or
// drives the standard C++ model of the dialog where there is one.
#pragma once

#include "commands/command.h"

namespace tallymar {

// What is asked of the world outside. Every port handles each of these in a switch
// with no default, built with -Werror=switch: a new one does not build until
// every port says what it does.
enum class OutsideCommand {
    kPrint,         // File > Print, the printer button
    kPrintSetup,    // the printer setup dialog
    kPrintPreview,  // the print preview
    kExit,          // closes the main window
    kAlwaysOnTop,   // toggles "Always on top"
    kColors,        // the colour dialog
    kConverter,     // the converter, modeless
    kDateTime,      // the date and time dialog
    kMode,          // the calculator mode dialog
    kSounds,        // the Sounds dialog
    kHelp,          // the help window at its contents
    kTip,           // the tip of the day
    kWebsite,       // the product web site in the browser
    kAbout,         // the About box
    kFind,          // the Find dialog, which searches through Commands::Find
};

class CommandPort {
  public:
    virtual ~CommandPort() = default;
    // Carries out `what`, asked for by the menu item or button `command`.
    virtual void Run(OutsideCommand what, Command command) = 0;
};

}  // namespace tallymar
