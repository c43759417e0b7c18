// File > Print, Print setup and Print preview, and the tape window's print
// button: the print dialog, the printer the user chose, and the preview's pages.
// The printer is made at the first of these: making one loads the system's
// printing support (CUPS and the libraries it brings), which start-up has no use for.
#pragma once

#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "files/print_layout.h"
#include "platform/qt/tape_pages.h"

class QDialog;

namespace tallymar {

class Calc;
class Dialogs;
struct Settings;

class TapePrinting {
  public:
    // `messages` tells why printing failed; `run_dialog` shows a modal dialog under the
    // main window's always-on-top rule.
    TapePrinting(const Calc& calc, const Settings& settings, Dialogs& messages, QWidget* parent,
                 std::function<int(QDialog&)> run_dialog);
    ~TapePrinting();

    // The print dialog, then the whole tape or the highlighted lines on the printer.
    void PrintTape();
    // The page setup dialog; the printer and page chosen there serve later printing.
    void PrintSetup();
    // The print preview of the tape or the highlighted lines, all pages made at once.
    void PrintPreview();

    // The printer the user chose, made at the first call (Letter paper until then).
    QPrinter& printer();
    // Stands in for the print dialog (tests): sets the printer up and says whether to
    // print, and whether the selection was chosen.
    std::function<bool(QPrinter& printer, bool* selection)> choose_printer;
    // What the preview dialog does once its pages are made (tests look at them).
    std::function<void(std::vector<QPicture>& pages, QSizeF paper_twips)> show_preview;
    // The tape's name as the caption shows it ("week.add", "Tape1"): the print job's
    // name and, with ".pdf", the file "Print to File (PDF)" proposes.
    std::function<std::string()> tape_title;
    // What the preview's Help button does.
    std::function<void()> open_help;

  private:
    PrintOptions Options() const;
    bool ChoosePrinter(bool* selection);
    // The PDF file the print dialog proposes for the tape.
    QString ProposedPdfPath();

    const Calc& calc_;
    const Settings& settings_;
    Dialogs& messages_;
    QWidget* parent_;
    std::function<int(QDialog&)> run_dialog_;
    std::unique_ptr<QPrinter> printer_;  // null until printing is first used
    LocalePrintClock clock_;
};

}  // namespace tallymar
