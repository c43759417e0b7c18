#include "files/print_pages.h"

#include <optional>

namespace tallymar {

void PrintTapePages(PrintSurface& surface, const TapeRange& lines, const PrintOptions& options,
                    PrintClock& clock) {
    PrintLayout layout(options, clock);
    layout.PrintTapeLines(surface, lines.tape, lines.first, lines.last);
}

void PreviewTapePages(const TapeRange& lines, const PrintOptions& options, PrintClock& clock,
                      const std::function<void(const PageDrawing& drawing)>& page) {
    PrintLayout layout(options, clock);
    layout.PreviewMode = true;
    std::optional<int> next = lines.first - 1;
    bool first_page = true;
    // Each full page ends the layout's call; the next page starts after its last line.
    while (first_page || next) {
        const int from = first_page ? lines.first : *next + 1;
        page([&](PrintSurface& surface) {
            next = layout.PrintTapeLines(surface, lines.tape, from, lines.last);
        });
        first_page = false;
    }
}

}  // namespace tallymar
