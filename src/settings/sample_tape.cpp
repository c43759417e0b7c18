// The sample tape of the colour dialog.
#include "settings/sample_tape.h"

namespace tallymar {

namespace {

enum class Paint { kPositive, kNegative, kText, kOwn };

struct SampleLine {
    int index;
    const char* text;
    Paint paint;
};

// From top to bottom; the text row (label 8) sits between the two halves.
constexpr SampleLine kLines[] = {
    {0, "123.45+", Paint::kPositive},
    {1, "67.89-", Paint::kNegative},
    {2, "55.56T", Paint::kPositive},
    {3, "---------------", Paint::kOwn},
    {4, "", Paint::kOwn},
    {8, "Text row", Paint::kText},
    {5, "67.89+", Paint::kPositive},
    {6, "123.45-", Paint::kNegative},
    {7, "-55.56T", Paint::kNegative},
    {9, "---------------", Paint::kOwn},
};

Colour ForeOf(Paint paint, const Colours& colours) {
    switch (paint) {
        case Paint::kPositive:
            return colours.CurPosClr;
        case Paint::kNegative:
            return colours.CurNegClr;
        case Paint::kText:
            return colours.CurTxtClr;
        case Paint::kOwn:
            break;
    }
    return kSampleOwnFore;
}

}  // namespace

Sample DrawSample(const Colours& colours) {
    Sample sample{colours.CurBakClr, {}};
    double top = 0;
    for (const SampleLine& line : kLines) {
        sample.rows.push_back(SampleRow{line.index, top, line.text, line.paint == Paint::kText,
                                        ForeOf(line.paint, colours), colours.CurTapClr});
        top += kSampleRowStep;
    }
    return sample;
}

}  // namespace tallymar
