// The layout of a printed tape: lines run down a column, columns fill the page
// from left to right, then a new page begins; each page starts with a header of
// the date, the time and the page number as the options ask. The printer and the
// print preview draw through the same layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/number_format.h"
#include "engine/options.h"
#include "engine/tape_line.h"
#include "files/print_surface.h"

namespace tallymar {

struct PrintOptions {
    bool PrintDate = true;
    bool PrintTime = true;
    bool PrintColor = false;
    Colours colours;  // CurPosClr, CurNegClr, CurTxtClr
    NumberSymbols symbols;
    double line_pitch = 240;    // the height of an amount box of the tape window
    double field_width = 2295;  // its width: amounts end at its right edge
};

inline constexpr double kCharacterAdvance = 144;  // one 12-point Courier character
inline constexpr const char* kPrintFont = "Courier";

// The name "Print to File (PDF)" proposes for a tape shown as `tape_title`: the
// title with its ".add" (in any letter case) replaced by ".pdf" ("week.add" gives
// "week.pdf", "Tape1" gives "Tape1.pdf").
std::string PdfFileNameOf(const std::string& tape_title);

class PrintLayout {
  public:
    PrintLayout(const PrintOptions& options, PrintClock& clock)
        : options_(options), clock_(clock) {}

    int PageNo = 0;            // the page being produced, 0 for the first
    bool PreviewMode = false;  // a full page ends the call (the preview makes the next)

    // Lays out tape lines first..last from the top of a fresh page, header first.
    // In preview mode, returns the index of the last line placed when a full page
    // stopped the call (the next page starts after it); otherwise nothing.
    std::optional<int> PrintTapeLines(PrintSurface& surface, const std::vector<TapeLine>& tape,
                                      int first, int last);
    void PrintPageHeader(PrintSurface& surface, int page_number);

    // The page geometry of a surface.
    static int LinesPerPage(const PrintSurface& surface);
    static int ColumnsPerPage(const PrintSurface& surface);
    static int ColumnWidth(const PrintSurface& surface);

  private:
    const PrintOptions& options_;
    PrintClock& clock_;
};

}  // namespace tallymar
