// What tallymar-cli does where the window's shell opens a dialog, prints or acts
// on the main window: File > Print (or the printer button) prints to the PDF file a
// {Pdf PATH} named; Options > Converter... (or the converter button) opens the
// converter's model; every such command prints its name as a line. The colour and
// converter dialogs' models live here, for the tokens that drive them.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "cli/dialog_models.h"
#include "commands/command_port.h"
#include "commands/commands.h"
#include "engine/calc.h"

namespace tallymar::cli {

// Prints the tape (or its highlighted lines) to a PDF file; returns why it could not.
using PdfPrinter = std::function<std::string(const Calc& calc, const std::string& path)>;

class Outside : public CommandPort {
  public:
    // `messages` shows the dialogs' message boxes.
    Outside(Commands& commands, Dialogs& messages, std::ostream& out)
        : commands_(commands), out_(out), dialogs_(commands, messages, out) {}

    PdfPrinter print_pdf;
    // The PDF file the next print goes to, as if chosen in the print dialog.
    std::optional<std::string> pdf_path;
    // Why the last print failed, "" when it did not.
    std::string print_error;

    DialogModels& dialogs() { return dialogs_; }

    void Run(OutsideCommand what, Command command) override;

  private:
    Commands& commands_;
    std::ostream& out_;
    DialogModels dialogs_;
};

}  // namespace tallymar::cli
