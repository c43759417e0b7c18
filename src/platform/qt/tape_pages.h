// The printed pages of a tape on Qt's paint devices: a printer or PDF file page
// by page, or the preview's pages recorded as drawings. The pages themselves are
// built by files/print_pages; here they only get their surfaces, so the preview
// shows what prints.
#pragma once

#include <QPicture>
#include <QPrinter>
#include <QSizeF>
#include <string>
#include <vector>

#include "files/print_layout.h"
#include "files/print_pages.h"

namespace tallymar {

// The date and time of the header from the system locale.
class LocalePrintClock : public PrintClock {
  public:
    std::string Date() override;
    std::string Time() override;
};

// The printable area of the printer's page, and the whole sheet, in twips.
QSizeF PrintableTwips(const QPrinter& printer);
QSizeF PaperTwips(const QPrinter& printer);

// Prints the lines onto the printer's pages (the printer is set up and not yet begun).
// False when the pages could not be printed, with the reason in *reason: for a PDF
// file the system's words ("Permission denied"), also when the file came out short.
bool PrintPages(QPrinter& printer, const TapeRange& lines, const PrintOptions& options,
                PrintClock& clock, std::string* reason);

// The pages as the preview shows them: drawings in twips of the whole sheet, the
// printed lines inside the printer's margins.
std::vector<QPicture> PreviewPages(const QPrinter& printer, const TapeRange& lines,
                                   const PrintOptions& options, PrintClock& clock);

// A printer that writes a PDF file: Letter, portrait, the default margins.
void UsePdfFile(QPrinter& printer, const std::string& path);

}  // namespace tallymar
