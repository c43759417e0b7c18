#include "cli/outside.h"

#include <utility>

namespace tallymar::cli {

void Outside::Run(Command command) {
    const bool print = command == Command::mnuFilePrint || command == Command::cmdPrint;
    if (print && pdf_path && print_pdf) {
        print_error = print_pdf(commands_.calc(), *std::exchange(pdf_path, std::nullopt));
        return;
    }
    if (command == Command::mnuOptionsConverter || command == Command::cmdConverter) {
        dialogs_.OpenConverter();
    }
    out_ << "command " << CommandName(command) << "\n";
}

}  // namespace tallymar::cli
