// The pages of a printed tape, built from the print layout: the printer gets
// every page from one call of the layout, while the preview gets one call per
// page, each on a surface of its own, the next page starting after the last
// line the full page held. The platform only supplies the surfaces.
#pragma once

#include <functional>
#include <vector>

#include "engine/tape_line.h"
#include "files/print_layout.h"
#include "files/print_surface.h"

namespace tallymar {

// Lines `first` to `last` of a tape (both included).
struct TapeRange {
    const std::vector<TapeLine>& tape;
    int first;
    int last;
};

// Prints the lines onto the printer's surface, which starts each new page itself.
void PrintTapePages(PrintSurface& surface, const TapeRange& lines, const PrintOptions& options,
                    PrintClock& clock);

// Draws one page: handed to the platform, which runs it on a fresh page surface.
using PageDrawing = std::function<void(PrintSurface& surface)>;

// Lays out the preview's pages: `page` is called once per page, in order, with the
// drawing of that page, which it must run on a fresh surface. A range without lines
// still gets its one page, with the header.
void PreviewTapePages(const TapeRange& lines, const PrintOptions& options, PrintClock& clock,
                      const std::function<void(const PageDrawing& drawing)>& page);

}  // namespace tallymar
