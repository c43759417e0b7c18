#include "cli/pdf_printer.h"

#include <QGuiApplication>
#include <QPrinter>
#include <cstdlib>

#include "platform/qt/tape_pages.h"

namespace tallymar::cli {
namespace {

// Qt's own diagnostics are not the command line's output: a failure is reported
// once, with its reason, by the script runner. Fatal messages still end the program.
void QuietQt(QtMsgType, const QMessageLogContext&, const QString&) {}

// Qt's painting needs an application object; the command line never shows a window,
// so it runs on the offscreen platform.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qInstallMessageHandler(QuietQt);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tallymar-cli";
    static char* argv[] = {name, nullptr};
    // Kept for the rest of the process: destroying it among the static objects at exit
    // would come after parts of Qt it needs are gone.
    new QGuiApplication(argc, argv);
}

}  // namespace

std::string PrintTapeToPdf(const Calc& calc, const std::string& path) {
    EnsureGuiApplication();
    QPrinter printer(QPrinter::HighResolution);
    UsePdfFile(printer, path);
    const LineRange lines = LinesToPrint(calc, calc.view().selection().shown());
    PrintOptions options;  // the date and the time on, colours off: an empty settings file
    options.colours = calc.colours();
    options.symbols = calc.symbols();
    LocalePrintClock clock;
    std::string reason;
    if (!PrintPages(printer, TapeRange{calc.tape().lines(), lines.first, lines.last}, options, clock,
                    &reason)) {
        return "cannot write the PDF file " + path + ": " + reason;
    }
    return "";
}

}  // namespace tallymar::cli
