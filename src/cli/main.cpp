#include <iostream>

#include "cli/runner.h"
#ifdef TALLYMAR_PDF
#include "cli/pdf_printer.h"
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    tallymar::cli::PdfPrinter print_pdf;
#ifdef TALLYMAR_PDF
    print_pdf = tallymar::cli::PrintTapeToPdf;
#endif
    return tallymar::cli::CliMain(argc, argv, std::cin, std::cout, std::cerr, print_pdf);
}
