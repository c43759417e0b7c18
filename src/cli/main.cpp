#include <iostream>

#include "cli/runner.h"
#ifdef TALLYMAR_PDF
#include "cli/pdf_printer.h"
#include "platform/qt/locale_numbers.h"
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    tallymar::cli::PdfPrinter print_pdf;
    tallymar::NumberSymbols symbols;
#ifdef TALLYMAR_PDF
    print_pdf = tallymar::cli::PrintTapeToPdf;
    // The window's symbols, so that a script gives the tape and the pages it gives there.
    symbols = tallymar::SystemNumberSymbols();
#endif
    return tallymar::cli::CliMain(argc, argv, std::cin, std::cout, std::cerr, print_pdf, symbols);
}
