// What the rows of the tape window show: each kind of line with the default theme's
// colours, the selection and comment highlights, a conversion block written after
// the last line, and the colour dialog's Apply.
#include "machine.h"

namespace tallymar::testing {
namespace {

constexpr Colour kTape = Rgb(255, 255, 255);
constexpr Colour kTypingGrey = Rgb(207, 207, 207);
// Five colours unlike the default theme's.
constexpr Colours kOdd{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(10, 11, 12), Rgb(13, 14, 15)};

// A row's look in one line: text|op size, "b" bold, "L" locked, "O" operator locked, ink.
std::string LookOf(const Machine& m, int r) {
    const Row& row = m.RowAt(r);
    const Colours& c = m.calc.colours();
    const std::string ink = row.fore == c.CurPosClr   ? "pos"
                            : row.fore == c.CurNegClr ? "neg"
                            : row.fore == c.CurTxtClr ? "txt"
                                                      : "other";
    EXPECT_EQ(row.op_fore, row.fore);
    EXPECT_EQ(row.op_back, row.back);
    return row.text + "|" + row.op + " " + std::to_string(row.font_size) + (row.bold ? "b" : "") +
           (row.locked ? "L" : "") + (row.op_locked ? "O" : "") + " " + ink +
           (row.back == c.CurTapClr ? "" : " on other");
}

TEST(LineKinds, are_drawn_with_their_own_size_weight_lock_and_colours) {
    const struct {
        const char* keys;
        int row;
        const char* look;
    } cases[] = {
        {"", 0, "---------------| 12LO pos"},
        {"", 1, "0.00|T 10bL pos"},
        {"", 3, "| 12 pos"},
        {"5+", 3, "5.00|+ 12 pos"},
        {"5-", 3, "5.00|- 12 neg"},
        {"5+3+{S-Enter}", 5, "8.00|S 10bL pos"},
        {"9-{Enter}", 4, "-9.00|T 10bL neg"},
        {"{Decimals 0}.4-{Enter}", 4, "-0|T 10bL neg"},
        {"5+3+{Enter}", 6, "---------------| 12LO pos"},
        {"10+*", 4, "10.00|* 10bL pos"},
        {"5-*", 4, "-5.00|* 10bL neg"},
        {"10+/", 4, "10.00|/ 10bL pos"},
        {"4*", 3, "4.00|* 12 pos"},
        {"4*2{Enter}", 3, "4.00|* 12 pos"},  // drawn again when worked out, still plain
        {"12*3{Enter}", 4, "3.00|= 12 pos"},
        {"200*15%", 4, "15.00|% 12 pos"},
        {"1234.5-", 3, "1,234.50|- 12 neg"},
        {"rent{Enter}", 3, "rent             | 12 txt"},
        {"  rent{Enter}", 3, "rent           | 12 txt"},
        {"5+{Click 3}{Insert}{Home}", 3, "0.00|  12 pos"},
        // The second line of a conversion block shows "=" and no line of it counts.
        {"5+{Convert foot|1|meters}{ShowConversion on}", 5, "1| 10 pos"},
        {"5+{Convert foot|1|meters}{ShowConversion on}", 6, "foot|= 10 pos"},
        {"5+{Convert foot|1|meters}{ShowConversion on}", 8, "meters| 10 pos"},
    };
    for (const auto& c : cases) {
        Machine m;
        m.Keys(c.keys);
        EXPECT_EQ(LookOf(m, c.row), c.look) << c.keys;
    }
}

TEST(Highlights, show_the_selected_lines_navy_and_a_comment_being_typed_on_grey) {
    Machine m;
    m.Keys("1+2+3+4+5+6+{Click 7}{S-Up}{S-Up}{S-Up}{S-Up}");
    for (int r = 0; r <= m.calc.view().last_row(); ++r)
        EXPECT_EQ(std::tuple(m.RowAt(r).back, m.RowAt(r).fore),
                  r >= 4 && r <= 7 ? std::tuple(kSelectionBack, Rgb(255, 255, 255))
                                   : std::tuple(kTape, 0u))
            << r;
    Machine typing;
    typing.Keys("ab");
    EXPECT_EQ(LookOf(typing, 3), "ab| 12 txt on other");
    EXPECT_EQ(typing.RowAt(3).back, kTypingGrey);
    typing.Keys("{Enter}");
    EXPECT_EQ(typing.RowAt(3).back, kTape);
    typing.Keys("5+3+{Click 5}r");  // an amount turned into a comment
    EXPECT_EQ(typing.RowAt(5).back, kTypingGrey);
}

TapeLine LineOf(char kind, const std::string& entry) {
    TapeLine line;
    line.Op = kind;
    if (kind != op::kOpen) SetEntry(line, entry);
    return line;
}

TEST(ConversionBlock, follows_the_last_line_or_is_refused_whole_when_the_tape_is_full) {
    // An amount that is no number leaves its line open and empty.
    const std::vector<TapeLine> block = {
        LineOf(op::kOpen, ""), LineOf(op::kConversion, "foot"), LineOf(op::kConversion, "0.3048"),
        LineOf(op::kConversion, "meters"), LineOf(op::kRule, kRuleText)};
    Machine m(StartUp().Decimals(0));
    m.Keys("5+");
    m.calc.AppendConversion(block);
    ExpectScript(m,
                 {"", Tape{"5 +", "open", "open", "foot >", "0.3048 >", "meters >", "---", "open"},
                  Total{"5"}, Sum{5}, kOnOpenLine});
    EXPECT_EQ(EntryText(m.calc.tape()[5]), std::string(kEntryLength, '\0'));
    for (const int room : {5, 6}) {
        Machine full;
        full.AddedOnes(kMaxLines - room - 4);
        full.calc.AppendConversion(block);
        EXPECT_EQ(full.TakeEvents(), room == 5 ? Lines{kTapeFull} : Lines{});
        EXPECT_EQ(full.calc.tape().size(), room == 5 ? kMaxLines - 5u : kMaxLines + 0u);
    }
}

TEST(ApplyColors, recolours_each_row_by_the_operator_and_number_it_shows) {
    Machine m(StartUp().Decimals(0));
    m.Keys("5+3-{Enter}4-{Enter}2*3{Enter}rent");
    ASSERT_EQ(m.Ops(), "HTH+-TH-TH*=THC");
    std::vector<Colour> before;
    for (const Row& row : m.calc.view().rows()) before.push_back(row.fore);
    m.calc.ApplyColors(kOdd);
    // Row by row: rules, "*" and "=" keep their colour; the comment being keyed is text.
    ASSERT_EQ(m.calc.view().last_row(), 14);
    for (int r = 0; r <= 14; ++r) {
        const char e = "-p-pnp-nn---p-t"[r];  // positive, negative, text, or kept
        const Colour fore = e == 'p'   ? kOdd.CurPosClr
                            : e == 'n' ? kOdd.CurNegClr
                            : e == 't' ? kOdd.CurTxtClr
                                       : before[r];
        const Row& row = m.RowAt(r);
        EXPECT_EQ(std::tuple(row.fore, row.op_fore, row.back, row.op_back),
                  std::tuple(fore, fore, kOdd.CurTapClr, kOdd.CurTapClr))
            << "row " << r;
    }
    EXPECT_EQ(m.calc.colours().CurBakClr, kOdd.CurBakClr);
    m.Keys("{Enter}");  // the rows drawn from now on take the new colours
    EXPECT_EQ(m.RowAt(14).fore, kOdd.CurTxtClr);
}

}  // namespace
}  // namespace tallymar::testing
