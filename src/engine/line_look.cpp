#include "engine/line_look.h"

#include <algorithm>

#include "engine/text_codec.h"

namespace tallymar {
namespace {

// A printed conversion text is aligned by at most this many characters; a longer
// one runs off to the left.
constexpr int kMaxConversionChars = 14;

// The Entry as the clipboard and paper take it: all 17 characters, one never set
// (NUL) as a blank.
std::string EntryPrinted(const TapeLine& line) {
    std::string text = EntryText(line);
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

void Style(LineLook& look, int size, bool bold, bool locked, Colour fore, Colour back) {
    look.font_size = size;
    look.bold = bold;
    look.locked = locked;
    look.fore = fore;
    look.back = back;
}

}  // namespace

LineLook LookOf(const TapeLine& line, const LookContext& context) {
    const Colours& c = context.colours;
    const Medium medium = context.medium;
    const bool row = medium == Medium::kRow;
    // Every kind but a comment starts from its amount, in the line's own decimals,
    // and its operator: in the operator box of a row, after the amount elsewhere.
    LineLook look;
    if (line.Op != op::kComment) {
        look.text = FormatNumber(line.Amount, PatternOf(line.Decimals), context.symbols);
        if (medium == Medium::kPaper) look.aligned_chars = Utf8Length(look.text);
        if (row) {
            look.op.assign(1, line.Op);
        } else {
            look.text += line.Op;
        }
    }
    const Colour by_sign = line.Amount >= 0 ? c.CurPosClr : c.CurNegClr;
    // The open line shows no amount, only the "+" or "-" calculator mode gave it.
    if (context.open_line && op::IsSum(line.Op)) {
        look.text.clear();
        look.printed = false;
        if (!row) look.op.clear();
    }
    switch (line.Op) {
        case op::kOpen:
            // An empty row open for typing; an empty place on paper.
            look.printed = false;
            if (row) {
                look.text.clear();
                look.op.clear();
                look.bold = false;
                look.locked = false;
                look.fore = c.CurPosClr;
                look.back = c.CurTapClr;
            }
            break;
        case op::kComment:
            // Text in the text colour: a row shows it without its leading blanks, the
            // clipboard and paper take all its characters, from the column's left edge.
            if (row) {
                look.text = TrimLeftBlanks(EntryShown(line));
                look.align_left = true;
                Style(look, 12, false, false, c.CurTxtClr, c.CurTapClr);
            } else {
                look.text = EntryPrinted(line);
                look.place = Place::kColumnLeft;
                look.fore = c.CurTxtClr;
            }
            break;
        case op::kConversion: {
            // The converter's text ends where amounts end, in small type on a row
            // (which keeps its weight, lock and colours), in the text colour on paper.
            // The clipboard copies it as an amount line.
            const bool equals = context.conversions_before % 4 == 1;
            if (row) {
                look.text = TrimRightBlanks(EntryShown(line));
                look.op = equals ? "=" : "";
                look.font_size = 10;
            } else if (medium == Medium::kPaper) {
                look.text = EntryPrinted(line);
                look.text.erase(look.text.find_last_not_of(' ') + 1);
                look.aligned_chars = std::min(Utf8Length(look.text), kMaxConversionChars);
                if (equals) look.text += " =";
                look.fore = c.CurTxtClr;
            }
            break;
        }
        case op::kRule:
            // The rule under a total: a locked row, left out on paper.
            look.printed = false;
            if (row) {
                look.text = kRuleText;
                look.op.clear();
                Style(look, 12, false, true, c.CurPosClr, c.CurTapClr);
                look.op_locked = true;
            }
            break;
        case op::kTimes:
        case op::kDivide:
            // On screen the product or quotient that holds a sum stands out as a total.
            if (medium == Medium::kPaper) {
                look.fore = c.CurPosClr;
            } else if (op::IsSum(context.kind_above)) {
                Style(look, 10, true, true, by_sign, c.CurTapClr);
            } else {
                Style(look, 12, false, false, by_sign, c.CurTapClr);
            }
            break;
        case op::kTotal:
        case op::kSubtotal:
            Style(look, 10, true, true, by_sign, c.CurTapClr);
            break;
        case op::kMinus:
            Style(look, 12, false, false, c.CurNegClr, c.CurTapClr);
            break;
        default:
            Style(look, 12, false, false, c.CurPosClr, c.CurTapClr);
            break;
    }
    if (row && context.selected) {
        look.fore = kSelectionFore;
        look.back = kSelectionBack;
    }
    return look;
}

RowColours ApplyColorsToRow(const Colours& colours, std::string_view op_shown, double number_shown,
                            Colour fore_now) {
    Colour fore = fore_now;
    if (op_shown == "+") {
        fore = colours.CurPosClr;
    } else if (op_shown == "-") {
        fore = colours.CurNegClr;
    } else if (op_shown == "T" || op_shown == "S") {
        fore = number_shown < 0 ? colours.CurNegClr : colours.CurPosClr;
    }
    return RowColours{fore, colours.CurTapClr};
}

}  // namespace tallymar
