// What other parts of the program do to the tape through the engine: a conversion
// block written after the last line, and the colour dialog's Apply recolouring
// the rows.
#include "machine.h"

namespace tallymar::testing {
namespace {

TapeLine LineOf(char kind, const std::string& entry) {
    TapeLine line;
    line.Op = kind;
    if (kind != op::kOpen) SetEntry(line, entry);
    return line;
}

// One foot in meters, as the converter writes it.
std::vector<TapeLine> FootInMeters() {
    return {LineOf(op::kConversion, "1"), LineOf(op::kConversion, "foot"),
            LineOf(op::kConversion, "0.304800003767014"), LineOf(op::kConversion, "meters"),
            LineOf(op::kRule, kRuleText)};
}

TEST(ConversionBlock, follows_the_last_line_which_keeps_its_content_and_ends_in_an_open_line) {
    Machine m(StartUp().Decimals(0));
    m.Keys("5+");
    m.calc.AppendConversion(FootInMeters());
    EXPECT_EQ(m.Ops(), "HTH+B>>>>HB");
    EXPECT_EQ(m.Shown(4), (std::vector<std::string>{"", "1", "foot", "0.304800003767014", "meters",
                                                    kRuleText, ""}));
    EXPECT_EQ(m.calc.cur_line(), m.calc.UpperBound());
    EXPECT_EQ(m.calc.focus_row(), m.calc.last_row());
    EXPECT_TRUE(m.calc.tape_changed());
    // The second line of the block shows "=", and no line of it counts.
    EXPECT_EQ(m.RowAt(5).op, "");
    EXPECT_EQ(m.RowAt(6).op, "=");
    EXPECT_EQ(m.RowAt(7).op, "");
    for (int line = 5; line <= m.calc.UpperBound(); ++line) EXPECT_EQ(m.Amount(line), 0);
    EXPECT_DOUBLE_EQ(m.calc.accumulator(), 5);
    EXPECT_EQ(m.TakeEvents(), Lines{});
}

TEST(ConversionBlock, an_amount_that_is_no_number_leaves_its_line_open_and_empty) {
    Machine m;
    std::vector<TapeLine> block = FootInMeters();
    block[0] = LineOf(op::kOpen, "");
    m.calc.AppendConversion(block);
    EXPECT_EQ(m.Ops(), "HTHBB>>>HB");
    EXPECT_EQ(EntryText(m.calc.tape()[4]), std::string(kEntryLength, '\0'));
    EXPECT_EQ(EntryText(m.calc.tape()[5]), "foot             ");
}

TEST(ConversionBlock, that_does_not_fit_on_the_tape_is_refused_whole) {
    for (const int room : {5, 6}) {
        Machine m;
        while (m.calc.tape().size() + room < static_cast<size_t>(kMaxLines)) m.calc.AddTapeLine();
        m.TakeEvents();
        const std::size_t before = m.calc.tape().size();
        m.calc.AppendConversion(FootInMeters());
        if (room == 5) {
            EXPECT_EQ(m.TakeEvents(), Lines{kTapeFull});
            EXPECT_EQ(m.calc.tape().size(), before);
        } else {
            EXPECT_EQ(m.TakeEvents(), Lines{});
            EXPECT_EQ(m.calc.tape().size(), static_cast<size_t>(kMaxLines));
            EXPECT_EQ(m.calc.tape().back().Op, op::kOpen);
        }
    }
}

// Five colours unlike the default theme's.
constexpr Colours kOdd{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12), Rgb(13, 14, 15)};

TEST(ApplyColors, recolours_each_row_by_the_operator_and_number_it_shows) {
    Machine m(StartUp().Decimals(0));
    m.Keys("5+3-{Enter}4-{Enter}2*3{Enter}rent");
    ASSERT_EQ(m.Ops(), "HTH+-TH-TH*=THC");
    std::vector<Colour> before;
    for (const Row& row : m.calc.rows()) before.push_back(row.fore);
    m.calc.ApplyColors(kOdd);
    enum { kKept, kPos, kNeg, kTxt };
    // Row by row: rules, "*" and "=" keep their colour; the comment being keyed is text.
    const int expected[] = {kKept, kPos,  kKept, kPos,  kNeg, kPos,  kKept, kNeg,
                            kNeg,  kKept, kKept, kKept, kPos, kKept, kTxt};
    ASSERT_EQ(m.calc.last_row(), 14);
    for (int r = 0; r <= 14; ++r) {
        const Colour fore = expected[r] == kPos   ? kOdd.CurPosClr
                            : expected[r] == kNeg ? kOdd.CurNegClr
                            : expected[r] == kTxt ? kOdd.CurTxtClr
                                                  : before[r];
        EXPECT_EQ(m.RowAt(r).fore, fore) << "row " << r;
        EXPECT_EQ(m.RowAt(r).op_fore, fore) << "row " << r;
        EXPECT_EQ(m.RowAt(r).back, kOdd.CurTapClr) << "row " << r;
        EXPECT_EQ(m.RowAt(r).op_back, kOdd.CurTapClr) << "row " << r;
    }
    EXPECT_EQ(m.calc.colours().CurBakClr, kOdd.CurBakClr);
    // The rows drawn from now on take the new colours.
    m.Keys("{Enter}");
    EXPECT_EQ(m.RowAt(14).fore, kOdd.CurTxtClr);
}

TEST(ApplyColors, taken_before_start_up_paint_the_new_tape) {
    std::ostringstream out;
    cli::Recorder recorder(out);
    Calc calc{Ports{recorder, recorder, recorder}};
    calc.ApplyColors(kOdd);
    calc.Start(18);
    for (const Row& row : calc.rows()) {
        EXPECT_EQ(row.fore, kOdd.CurPosClr);
        EXPECT_EQ(row.back, kOdd.CurTapClr);
    }
}

}  // namespace
}  // namespace tallymar::testing
