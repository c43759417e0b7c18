// The colour dialog's sample: a short tape drawn with the current colours, as data
// the dialog paints and the tests read.
#pragma once

#include <string>
#include <vector>

#include "engine/options.h"

namespace tallymar {

inline constexpr const char* kSampleFont = "Courier";
inline constexpr double kSampleRowStep = 240;  // twips between the sample's rows
// The text colour of the sample's rule and empty rows, which no theme changes.
inline constexpr Colour kSampleOwnFore = Rgb(0, 0, 0);

struct SampleRow {
    int index;   // the number of the row's label, 0 to 9
    double top;  // twips below the first row
    std::string text;
    bool
        align_left;  // a comment, which starts at the left as on the tape; amounts end at the right
    Colour fore;
    Colour back;
};

struct Sample {
    Colour frame_back;            // FraSample, the background around the tape
    std::vector<SampleRow> rows;  // from top to bottom
};

// DrawSample: the paper in CurTapClr and the frame in CurBakClr; the positive amounts
// and total in CurPosClr, the negative ones in CurNegClr, the text row in CurTxtClr.
Sample DrawSample(const Colours& colours);

}  // namespace tallymar
