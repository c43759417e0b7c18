// What tallymar-cli does where the window's shell opens a dialog, prints or acts
// on the main window: File > Print (or the printer button) prints to the PDF file a
// {Pdf PATH} named; every other such command prints its name as a line.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "commands/command_port.h"
#include "engine/calc.h"

namespace tallymar::cli {

// Prints the tape (or its highlighted lines) to a PDF file; returns why it could not.
using PdfPrinter = std::function<std::string(const Calc& calc, const std::string& path)>;

class Outside : public CommandPort {
  public:
    Outside(const Calc& calc, std::ostream& out) : calc_(calc), out_(out) {}

    PdfPrinter print_pdf;
    // The PDF file the next print goes to, as if chosen in the print dialog.
    std::optional<std::string> pdf_path;
    // Why the last print failed, "" when it did not.
    std::string print_error;

    void Run(Command command) override;

  private:
    const Calc& calc_;
    std::ostream& out_;
};

}  // namespace tallymar::cli
