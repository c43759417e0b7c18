#include "shell/printing.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QStandardPaths>

#include "dialogs/print_preview.h"
#include "engine/calc.h"
#include "settings/settings.h"

namespace tallymar {

TapePrinting::TapePrinting(const Calc& calc, const Settings& settings, Dialogs& messages,
                           QWidget* parent, std::function<int(QDialog&)> run_dialog)
    : calc_(calc),
      settings_(settings),
      messages_(messages),
      parent_(parent),
      run_dialog_(std::move(run_dialog)) {}

TapePrinting::~TapePrinting() = default;

QPrinter& TapePrinting::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::Letter));
    }
    return *printer_;
}

PrintOptions TapePrinting::Options() const {
    PrintOptions options;
    options.PrintDate = settings_.PrintDate;
    options.PrintTime = settings_.PrintTime;
    options.PrintColor = settings_.PrintColor;
    options.colours = calc_.colours();
    options.symbols = calc_.symbols();
    return options;
}

QString TapePrinting::ProposedPdfPath() {
    const std::string title = tape_title ? tape_title() : std::string();
    // The folder of the last PDF printed, else the documents folder, else home.
    QString folder;
    if (!printer().outputFileName().isEmpty()) {
        folder = QFileInfo(printer().outputFileName()).absolutePath();
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(QString::fromStdString(PdfFileNameOf(title)));
}

bool TapePrinting::ChoosePrinter(bool* selection) {
    if (tape_title) printer().setDocName(QString::fromStdString(tape_title()));
    if (choose_printer) return choose_printer(printer(), selection);
    QPrintDialog dialog(&printer(), parent_);
    dialog.setWindowTitle("Print Tallymar Tape");
    // Qt proposes "print.pdf" in the current folder; the tape's own name is proposed
    // instead, so that printing two tapes never writes both into one file.
    if (auto* file_name = dialog.findChild<QLineEdit*>("filename")) {
        file_name->setText(ProposedPdfPath());
    }
    dialog.setOption(QAbstractPrintDialog::PrintSelection, true);
    // The choice to print the selection comes preselected when lines are highlighted.
    printer().setPrintRange(calc_.view().selection().shown() ? QPrinter::Selection
                                                             : QPrinter::AllPages);
    if (run_dialog_(dialog) != QDialog::Accepted) return false;
    *selection = printer().printRange() == QPrinter::Selection;
    return true;
}

void TapePrinting::PrintTape() {
    bool selection = false;
    if (!ChoosePrinter(&selection)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LineRange lines = LinesToPrint(calc_, selection);
    std::string reason;
    const bool printed = PrintPages(printer(), TapeRange{calc_.tape().lines(), lines.first, lines.last},
                                    Options(), clock_, &reason);
    printer().setCopyCount(1);
    QApplication::restoreOverrideCursor();
    if (!printed) {
        const std::string where =
            printer().outputFormat() == QPrinter::PdfFormat
                ? "to " + QFileInfo(printer().outputFileName()).fileName().toStdString()
                : "on " + printer().printerName().toStdString();
        messages_.ShowMessage(Message{
            kProgramTitle, std::string(kProgramTitle) + " could not print " + where + ": " + reason,
            Buttons::kOk, Icon::kExclamation, Answer::kOk});
    }
}

void TapePrinting::PrintSetup() {
    QPageSetupDialog dialog(&printer(), parent_);
    run_dialog_(dialog);
}

void TapePrinting::PrintPreview() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LineRange lines = LinesToPrint(calc_, calc_.view().selection().shown());
    std::vector<QPicture> pages = PreviewPages(
        printer(), TapeRange{calc_.tape().lines(), lines.first, lines.last}, Options(), clock_);
    QApplication::restoreOverrideCursor();
    if (show_preview) {
        show_preview(pages, PaperTwips(printer()));
        return;
    }
    PrintPreviewDialog preview(
        parent_, std::move(pages), PaperTwips(printer()), [this] { PrintTape(); },
        [this] {
            if (open_help) open_help();
        });
    run_dialog_(preview);
}

}  // namespace tallymar
