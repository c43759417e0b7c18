// How a line of the tape looks, wherever it is shown: in a row of the tape
// window, on the clipboard or on paper. LookOf is the one answer; the rows
// (ShowTape), Edit > Copy (CopySelection) and the printed page ask it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/number_format.h"
#include "engine/options.h"
#include "engine/rows.h"
#include "engine/tape_line.h"

namespace tallymar {

enum class Medium { kRow, kClipboard, kPaper };

// What a line's look depends on besides the line itself.
struct LookContext {
    Medium medium;
    const Colours& colours;
    const NumberSymbols& symbols;
    // The kind of the line above (rows): a "*" or "/" after a sum holds the sum and
    // stands out as a total does.
    char kind_above = ' ';
    // The conversion lines that came before this one where the counting began (the
    // rows drawn, the lines printed): the second of each four shows "=".
    int conversions_before = 0;
    bool selected = false;  // highlighted by a selection (rows)
    // The tape's last line, open for the next amount: in calculator mode it carries the
    // operator that amount will take, but no amount of its own.
    bool open_line = false;
};

// Where a printed text stands in its column.
enum class Place {
    kFieldEdge,   // `aligned_chars` of it end at the amount field's right edge
    kColumnLeft,  // it starts at the column's left edge
};

struct LineLook {
    // A row: the amount box's text. The clipboard and paper: the whole text of the
    // line, its operator after the amount.
    std::string text;
    std::string op;  // a row's operator box
    // A row keeps whatever its look leaves unset from the line it showed before.
    std::optional<int> font_size;
    std::optional<bool> bold;
    std::optional<bool> locked;     // the amount box refuses typing
    std::optional<bool> op_locked;  // the operator box (only rule rows lock it)
    std::optional<Colour> fore;     // both boxes of a row; the ink on paper
    std::optional<Colour> back;
    bool align_left = false;  // a row's text starts at the left (comments)
    // Paper.
    bool printed = true;  // rule and open lines leave their place empty
    Place place = Place::kFieldEdge;
    int aligned_chars = 0;
};

LineLook LookOf(const TapeLine& line, const LookContext& context);

struct RowColours {
    Colour fore;
    Colour back;

    bool operator==(const RowColours&) const = default;
};

// A row's text and back colour after the colour dialog's Apply, for a box of the
// row (both alike): "+" rows in CurPosClr, "-" rows in CurNegClr, "T" and "S" rows by
// the sign of the number shown (0 or more CurPosClr, below 0 CurNegClr), every other
// row keeps `fore_now`; every row's back colour is CurTapClr. (Apply goes by what the
// rows show, not by the tape's lines.)
RowColours ApplyColorsToRow(const Colours& colours, std::string_view op_shown, double number_shown,
                            Colour fore_now);

}  // namespace tallymar
