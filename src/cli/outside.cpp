#include "cli/outside.h"

#include <utility>

namespace tallymar::cli {

// Each outside command has its case and there is no default (this file is built with
// -Werror=switch): a new one does not build until tallymar-cli says what it does.
void Outside::Run(OutsideCommand what, Command command) {
    switch (what) {
        case OutsideCommand::kPrint:
            if (pdf_path && print_pdf) {
                print_error = print_pdf(commands_.calc(), *std::exchange(pdf_path, std::nullopt));
                return;
            }
            break;
        case OutsideCommand::kConverter:
            dialogs_.OpenConverter();
            break;
        // No dialog, printer, browser or main window here: the line below is all.
        case OutsideCommand::kPrintSetup:
        case OutsideCommand::kPrintPreview:
        case OutsideCommand::kExit:
        case OutsideCommand::kAlwaysOnTop:
        case OutsideCommand::kColors:
        case OutsideCommand::kDateTime:
        case OutsideCommand::kMode:
        case OutsideCommand::kSounds:
        case OutsideCommand::kHelp:
        case OutsideCommand::kTip:
        case OutsideCommand::kWebsite:
        case OutsideCommand::kAbout:
        case OutsideCommand::kFind:
            break;
    }
    out_ << "command " << CommandName(command) << "\n";
}

}  // namespace tallymar::cli
