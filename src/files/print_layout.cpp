// The printed tape: columns of lines under a page header, laid out on any
// surface in twips. The printer gets one call for the whole range; the preview
// gets one call per page and starts the next page after the line returned.
#include "files/print_layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/line_look.h"

namespace tallymar {

namespace {

constexpr double kTopMargin = 720;      // half an inch between the header and the first row
constexpr long kRowHeight = 250;        // a page has one line per 250 twips of height
constexpr long kMinColumnWidth = 2750;  // a page has one column per 2750 twips of width
constexpr int kHeaderRows = 3;          // rows of a column given up to the header and margin
constexpr Colour kBlack = 0;
constexpr double kHeaderPoints = 10;
constexpr double kLinePoints = 12;

// Layout sizes divide whole numbers: each operand goes to the nearest one first.
long Whole(double twips) {
    return std::lround(twips);
}

}  // namespace

std::string PdfFileNameOf(const std::string& tape_title) {
    std::string name = tape_title.empty() ? std::string("Tape1") : tape_title;
    const std::size_t n = name.size();
    if (n > 4 && name[n - 4] == '.' && (name[n - 3] | 0x20) == 'a' && (name[n - 2] | 0x20) == 'd' &&
        (name[n - 1] | 0x20) == 'd') {
        name.resize(n - 4);
    }
    return name + ".pdf";
}

int PrintLayout::LinesPerPage(const PrintSurface& surface) {
    return static_cast<int>(Whole(surface.ScaleHeight()) / kRowHeight);
}

int PrintLayout::ColumnsPerPage(const PrintSurface& surface) {
    // A surface narrower than one column still gets a single column, so that the
    // column width below never divides by zero.
    return static_cast<int>(std::max(1L, Whole(surface.ScaleWidth()) / kMinColumnWidth));
}

int PrintLayout::ColumnWidth(const PrintSurface& surface) {
    return static_cast<int>(Whole(surface.ScaleWidth()) / ColumnsPerPage(surface));
}

std::optional<int> PrintLayout::PrintTapeLines(PrintSurface& surface,
                                               const std::vector<TapeLine>& tape, int first,
                                               int last) {
    const int columns = ColumnsPerPage(surface);
    const int column_width = ColumnWidth(surface);
    // A page too short for even one row below its header still puts one line in
    // each column, so the columns and pages keep advancing.
    const int lines_per_column = std::max(1, LinesPerPage(surface) - kHeaderRows);
    surface.SetFontName(kPrintFont);

    PrintPageHeader(surface, PageNo + 1);
    surface.SetFontSize(kLinePoints);

    int row = 0;
    int column = 0;
    int conversions = 0;  // conversion lines printed so far
    for (int index = first; index <= last; ++index) {
        const TapeLine& line = tape.at(static_cast<std::size_t>(index));
        const double column_left = static_cast<double>(column_width) * column;
        const double y = row * options_.line_pitch + kTopMargin;
        // How the line prints; without "Send colors to printer" every line is black.
        LookContext context{Medium::kPaper, options_.colours, options_.symbols, ' ', conversions};
        context.open_line = index + 1 == static_cast<int>(tape.size());
        const LineLook look = LookOf(line, context);
        if (line.Op == op::kConversion) ++conversions;
        if (look.printed) {
            const double x = look.place == Place::kColumnLeft
                                 ? column_left
                                 : options_.field_width -
                                       static_cast<double>(look.aligned_chars) * kCharacterAdvance +
                                       column_left;
            surface.SetFontBold(look.bold.value_or(false));
            surface.SetForeColor(options_.PrintColor ? look.fore.value_or(kBlack) : kBlack);
            surface.SetCurrentX(x);
            surface.SetCurrentY(y);
            surface.PrintLine({PrintItem{look.text}});
        }

        if (++row < lines_per_column) continue;
        row = 0;
        if (++column <= columns - 1) continue;
        ++PageNo;
        if (PreviewMode) return index;  // the preview makes the next page from index + 1
        surface.NewPage();
        PrintPageHeader(surface, PageNo + 1);
        column = 0;
    }
    return std::nullopt;
}

void PrintLayout::PrintPageHeader(PrintSurface& surface, int page_number) {
    surface.SetForeColor(kBlack);
    surface.SetFontSize(kHeaderPoints);
    surface.SetFontBold(true);

    const PrintItem page_label{"  Page "};
    const PrintItem page{std::to_string(page_number), true};
    double offset = 0;
    std::vector<PrintItem> items;
    if (options_.PrintDate && options_.PrintTime) {
        offset = 6480;
        items = {PrintItem{clock_.Date() + "  "}, PrintItem{clock_.Time()}, page_label, page};
    } else if (options_.PrintDate) {
        offset = 5040;
        items = {PrintItem{clock_.Date()}, page_label, page};
    } else if (options_.PrintTime) {
        offset = 3600;
        items = {PrintItem{clock_.Time()}, page_label, page};
    } else if (page_number > 1) {
        offset = 2160;
        items = {page_label, page};
    }
    // The first page without date or time has no header line at all.
    if (!items.empty()) {
        surface.SetCurrentX(surface.ScaleWidth() - offset);
        surface.PrintLine(items);
    }

    surface.SetFontSize(kLinePoints);
    surface.SetFontBold(false);
}

}  // namespace tallymar
