// Keys typed into the rows of the tape window: moving over the tape, Shift
// selection, the guarded keys, the locked rows, and which lines the rows show
// after scrolling, the wheel, resizing and the decimal buttons.
#include <cstdio>

#include "machine.h"

namespace tallymar::testing {
namespace {

// Every row shows its line as the tape holds it, and the focus is in view.
void ExpectRowsShowTheTape(const Machine& m, const std::string& keys) {
    for (int r = 0; r <= m.calc.view().last_row(); ++r) {
        if (r == m.calc.view().focus_row()) continue;
        EXPECT_EQ(m.RowAt(r).text, m.calc.view().ShownText(m.calc.view().top_line() + r))
            << keys << " row " << r;
    }
    EXPECT_EQ(m.calc.view().rows().size(), static_cast<size_t>(m.calc.view().last_row() + 1))
        << keys;
    EXPECT_EQ(m.calc.view().scroll_bar().max, m.calc.tape().UpperBound() - m.calc.view().last_row())
        << keys;
    EXPECT_EQ(m.calc.view().scroll_bar().value, m.calc.view().top_line()) << keys;
}

// The lines the keys reach and the rows they refuse are the same in a window of
// three rows as in a tall one.
TEST(Keys, reach_the_same_lines_in_a_short_window) {
    ExpectScripts(
        {
            {"5+3+{Enter}{Up}{Up}7", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"},
             Total{"8.00"}, Sum{0}, Focus{5, 0}, Window{5, 2}, RowHolds{"8.00", "T", 0, 4},
             Events{kEditTotal}},
            {"5+3+note{Up}7+", Tape{"5.00 +", "73.00 +", "note C", "open"}, Total{"78.00"}, Sum{78},
             Focus{5, 1}, Window{4, 2}, RowHolds{"note", "", 0, 4}, Flags{"changed editing"}},
            {"5+3+{Up}{Up}{Insert}4+", Tape{"4.00 +", "5.00 +", "3.00 +", "open"}, Total{"12.00"},
             Sum{12}, Focus{4, 1}, Window{3, 2}, RowHolds{"5.00", "+", 0, 4}},
            {"5+3+{Enter}{Up}{Up}{Up}{Up}{Enter}",
             Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"}, Sum{0}, Focus{7, 2},
             Window{5, 2}, kEmptyRow},
            // Shift+Down with nothing below owes no move: the click lands where it is made.
            {"{S-Down}{Answer no}{Delete}{Click 0}", Tape{"open"}, Total{"0.00"}, Sum{0},
             Focus{1, 0}, Window{1, 2}, RowHolds{"0.00", "T"}, Flags{"unchanged selecting 3-3"},
             Events{"msg \"Tallymar - confirm deletion\" \"Do you really want to delete the 1 "
                    "selected row?\" yesnocancel -> no"}},
        },
        StartUp().Rows(3));
    // Up from an amount keyed on a line inserted in the bottom row of two moves to the
    // line above it.
    ExpectScripts({{"{Insert}17{Up}", Focus{2, 0}, Window{2, 1}, RowHolds{kRule, "", 0, 15}}},
                  StartUp().Rows(2));
}

// Keys whose landing once depended on the window's height: a deletion reaching the
// open line, a comment's editing left behind by a deletion, a move owed while a new
// comment gets its open line, a correction above a product keyed after a sum
// (calculator mode), the callback reading past a comment being edited in the bottom
// row. Three rows and forty give the same tape, total, focus line and events
// (sounds, message boxes, clipboard).
TEST(Keys, land_on_the_same_line_whatever_the_window_s_height) {
    const struct {
        const char* keys;
        bool calc_mode;
    } scripts[] = {
        {"{S-Down}{C-c}{Insert}8776.1{Enter}8100-*{Undo}{Undo}1281/{S-Up}{S-Up}{Answer yes}"
         "{Delete}{S-Up}{S-Up}{C-c}",
         false},
        {"q1{Down}{S-Up}{S-Up}{Answer yes}{Delete}q1{Down}7425*", false},
        {"tea{Enter}{Enter}{Undo}{Undo}{S-Up}{S-Up}{C-c}4905/", false},
        {"2091*5311.92/{Up}{Undo}{Redo}5123.66-7879*{ClickLine 3}0+{ClickLine 7}%", true},
        {"2404{Enter}{Answer yes}0{Enter}tea{Enter}{Insert}{Down}{Down}{S-Up}{S-Up}{C-c}"
         "9724.82+{Up}{Up}{ClickLine 9}8107{Enter}-{Callback}{Down}",
         false},
        {"{Answer yes}7167{Up}{ClickLine 0}x{Down}{ClickLine 11}/", false},
        {"6034-{Delete}1359.35-{Up}{Up}-", false},
        {"6837+rent{Up}-{S-Up}{S-Up}{Answer yes}{Delete}+", true},
        {"{S-Up}{S-Up}{C-c}1502+{S-Up}{S-Up}{Answer yes}{Delete}6728.45-2168*+1824+"
         "{ClickLine 2}{S-Down}{Answer no}{Delete}94+{Callback}2884*",
         false},
    };
    for (const auto& script : scripts) {
        StartUp setup = StartUp().Voice("Rusty").CallbackVoice("Murph");
        if (script.calc_mode) setup.CalcMode();
        Machine low(StartUp(setup).Rows(3)), tall(StartUp(setup).Rows(40));
        low.Keys(script.keys);
        tall.Keys(script.keys);
        const char* keys = script.keys;
        EXPECT_EQ(low.Ops(), tall.Ops()) << keys;
        EXPECT_EQ(low.Shown(), tall.Shown()) << keys;
        EXPECT_EQ(low.calc.display().text, tall.calc.display().text) << keys;
        EXPECT_EQ(low.calc.view().FocusLine(), tall.calc.view().FocusLine()) << keys;
        EXPECT_EQ(low.TakeEvents(), tall.TakeEvents()) << keys;
    }
}

// An amount keyed into the open line and left there with an arrow key is still in its
// row when the focus comes back, however the rows were scrolled and drawn meanwhile.
TEST(Keys, an_amount_left_on_the_open_line_waits_there_to_be_committed) {
    for (const int rows : {3, 40}) {
        for (const char* keys : {"7167{Up}{ClickLine 0}{ClickLine 99}/", "7167{Up}{Scroll 0}{End}/",
                                 "7167{Up}{S-Up}{S-Up}{Down}{Down}{Down}/"}) {
            Machine m(StartUp().Rows(rows));
            m.Keys(keys);
            EXPECT_EQ(m.Ops().substr(0, 5), "HTH/B") << keys << " in " << rows << " rows";
            EXPECT_EQ(m.Shown().at(3), "7,167.00") << keys << " in " << rows << " rows";
        }
    }
    // A line above corrected meanwhile, End goes back to the amount still waiting there.
    for (const int rows : {3, 40}) {
        Machine m(StartUp().Rows(rows));
        m.Keys("9233*2670{Up}4140.58/{End}-");
        EXPECT_EQ(m.Shown(3), (Lines{"4,140.58", "2,670.00", ""})) << rows << " rows";
    }
    // Down on the open line keeps it too; Undo takes it back with the step before it.
    Machine down(StartUp().Rows(3));
    down.Keys("7167{Down}+");
    EXPECT_EQ(down.Shown().at(3), "7,167.00");
    Machine undo(StartUp().Rows(3));
    undo.Keys("5+7167{Up}{Undo}{ClickLine 99}/");
    EXPECT_EQ(undo.Shown().at(3), "0.00");
}

// A correction keyed into the bottom row of a window scrolled up the tape is committed
// by Down, which then scrolls the tape on to the open line.
TEST(Keys, down_commits_a_correction_in_the_bottom_row) {
    Machine m(StartUp().Rows(3));
    m.Keys("5+6+7+8+{Up}{Up}{Up}{Click 2}9{Down}");
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "6.00", "7.00", "9.00", ""}));
    EXPECT_EQ(m.calc.display().text, "27.00");
    EXPECT_EQ(m.calc.view().FocusLine(), 7);

    // Down on a correction that cannot be read only beeps: it owes no move, so the
    // click that later leaves the mended row lands where it was aimed.
    Machine mended(StartUp().Rows(3));
    mended.Keys("5+6+7+8+{Up}{Up}{Up}{Click 2}");
    const int line = mended.calc.view().FocusLine();
    mended.calc.keyboard().BoxEdited(2, "12.34.", 6, 0);
    mended.Keys("5{Down}");
    EXPECT_EQ(mended.TakeEvents(), Lines{"beep"});
    EXPECT_EQ(mended.calc.view().FocusLine(), line);
    mended.calc.keyboard().BoxEdited(2, "9", 1, 0);
    mended.Keys("{Click 0}");
    EXPECT_EQ(mended.Shown(3), (Lines{"5.00", "6.00", "7.00", "9.00", ""}));
    EXPECT_EQ(mended.calc.view().FocusLine(), line - 2);
}

// The nine amounts of kNineAmounts as the tape shows them.
const Tape kNineOnTape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "5.00 +",
                       "6.00 +", "7.00 +", "8.00 +", "9.00 +", "open"};

// The nine amounts with line `line` (3 to 12) showing `shown` instead; when it is line 12,
// the open line, a new open line follows.
Tape NineWith(int line, const std::string& shown) {
    Tape tape = kNineOnTape;
    tape.lines.at(line - 3) = shown;
    if (line == 12) tape.lines.push_back("open");
    return tape;
}

// Nine amounts in six rows, then keys that move, scroll, wheel, resize or key on. A row
// that gives no tape expects the nine amounts as they were keyed (total and running sum
// 45.00), and one that gives no flags the tape changed and nothing being selected.
TEST(MovingOverALongTape, shows_the_lines_asked_for_and_loses_nothing_keyed) {
    const Script scripts[] = {
        {"", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{PgUp}", Focus{2, 0}, Window{2, 5}, RowHolds{kRule, "", 0, 15}},
        {"{PgUp}{PgUp}", Focus{0, 0}, Window{0, 5}, RowHolds{kRule, "", 0, 15}},
        {"{Home}{PgDn}", Focus{10, 5}, Window{5, 5}, RowHolds{"8.00", "+", 0, 4}},
        {"{Home}{End}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Up}{Up}{Up}{Up}{Up}{Up}", Focus{6, 0}, Window{6, 5}, RowHolds{"4.00", "+", 0, 4}},
        {"{PgUp}{Up}", Focus{1, 0}, Window{1, 5}, RowHolds{"0.00", "T", 0, 4}},
        {"{Home}{Up}", Focus{0, 0}, Window{0, 5}, RowHolds{kRule, "", 0, 15}},
        {"{Home}{Down}{Down}{Down}{Down}{Down}{Down}", Focus{6, 5}, Window{1, 5},
         RowHolds{"4.00", "+", 0, 4}},
        {"{End}{Down}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Home}{PgDn}{PgDn}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Scroll 0}{End}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Up}{Up}5{PgUp}", NineWith(10, "5.00 +"), Total{"42.00"}, Sum{42}, Focus{2, 0},
         Window{2, 5}, RowHolds{kRule, "", 0, 15}},
        {"{Up}{Up}5{Home}", NineWith(10, "5.00 +"), Total{"42.00"}, Sum{42}, Focus{0, 0},
         Window{0, 5}, RowHolds{kRule, "", 0, 15}},
        {"{Up}{Up}5{End}", NineWith(10, "5.00 +"), Total{"42.00"}, Sum{42}, Focus{12, 5},
         Window{7, 5}, kEmptyRow},
        {"{Up}{Up}5{PgDn}", NineWith(10, "5.00 +"), Total{"42.00"}, Sum{42}, Focus{12, 5},
         Window{7, 5}, kEmptyRow},
        // A correction in the top row, too, is committed before the page turns.
        {"{Up}{Up}{Up}{Up}{Up}{Up}5{PgDn}", NineWith(6, "5.00 +"), Total{"46.00"}, Sum{46}},
        {"{Scroll 2}", Focus{12, 5}, Window{2, 5}, RowHolds{"5.00", "+"}},
        {"{Up}{Up}{Scroll 6}", Focus{10, 4}, Window{6, 5}, RowHolds{"8.00", "+", 0, 4}},
        {"{Scroll 0}{Click 3}4+", NineWith(3, "4.00 +"), Total{"48.00"}, Sum{48}, Focus{4, 4},
         Window{0, 5}, RowHolds{"2.00", "+", 0, 4}},
        {"{Wheel 1}", Focus{12, 5}, Window{4, 5}, RowHolds{"7.00", "+"}},
        {"{Wheel 5}", Focus{12, 5}, Window{0, 5}, RowHolds{"3.00", "+"}},
        {"{Wheel -1}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Wheel 2}{Wheel -1}", Focus{12, 5}, Window{4, 5}, RowHolds{"7.00", "+"}},
        {"{Home}{Wheel -1}", Focus{0, 0}, Window{3, 5}, RowHolds{"1.00", "+"}},
        {"{Home}{Wheel -9}", Focus{0, 0}, Window{7, 5}, RowHolds{"5.00", "+"}},
        {"7{Scroll 0}{Scroll 7}+", NineWith(12, "7.00 +"), Total{"52.00"}, Sum{52}, Focus{13, 5},
         Window{8, 5}, kEmptyRow},
        {"7{Wheel 2}+", NineWith(12, "7.00 +"), Total{"52.00"}, Sum{52}, Focus{13, 5}, Window{8, 5},
         kEmptyRow},
        // An arrow key, too, brings the scrolled-away focus back before it moves.
        {"{Scroll 0}{Up}", kNineOnTape, Focus{11, 4}, Window{7, 5}, RowHolds{"9.00", "+", 0, 4}},
        {"{Scroll 4}5+", NineWith(12, "5.00 +"), Total{"50.00"}, Sum{50}, Focus{13, 5},
         Window{8, 5}, kEmptyRow},
        {"{Up}{Up}6{Wheel 2}+", NineWith(10, "6.00 +"), Total{"43.00"}, Sum{43}, Focus{11, 4},
         Window{7, 5}, RowHolds{"9.00", "+", 0, 4}},
        {"{Up}6{Scroll 0}{Click 3}", NineWith(11, "6.00 +"), Total{"42.00"}, Sum{42}, Focus{3, 3},
         Window{0, 5}, RowHolds{"1.00", "+", 0, 4}},
        {"{Scroll 2}{Enter}",
         Tape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "5.00 +", "6.00 +", "7.00 +", "8.00 +",
              "9.00 +", "45.00 T", "---", "open"},
         Total{"45.00"}, Sum{0}, Focus{14, 5}, Window{9, 5}, kEmptyRow},
        {"{Scroll 2}{Click 5}{Enter}", Focus{12, 5}, Window{7, 5}, kEmptyRow},
        {"{Rows 3}", Focus{12, 2}, Window{10, 2}, kEmptyRow},
        {"{Rows 0}", Focus{12, 0}, Window{12, 0}, kEmptyRow},
        {"{Up}{Up}{Up}{Up}{Rows 3}", Focus{8, 1}, Window{7, 2}, RowHolds{"6.00", "+", 0, 4}},
        {"{Scroll 0}{Rows 3}", Focus{12, 2}, Window{10, 2}, kEmptyRow},
        {"{Rows 10}", Focus{12, 9}, Window{3, 9}, kEmptyRow},
        {"{Rows 30}", Focus{12, 12}, Window{0, 12}, kEmptyRow},
        {"{Home}{Rows 10}", Focus{0, 0}, Window{0, 9}, RowHolds{kRule, "", 0, 15}},
        {"{Scroll 0}{Rows 10}", Focus{12, 9}, Window{3, 9}, kEmptyRow},
        {"7{Rows 1}", Focus{12, 0}, Window{12, 0}, RowHolds{"7", "", 1, 0}},
        {"7{Rows 10}+", NineWith(12, "7.00 +"), Total{"52.00"}, Sum{52}, Focus{13, 9}, Window{4, 9},
         kEmptyRow},
        {"{Scroll 0}{Decimals 0}5+", NineWith(12, "5 +"), Total{"50"}, Sum{50}, Focus{13, 5},
         Window{8, 5}, kEmptyRow},
        {"{Up}{Up}{Up}{Decimals 0}", kNineOnTape, Total{"45"}, Sum{45}, Focus{12, 5}, Window{7, 5},
         kEmptyRow},
        {"{Home}{S-Click 3}{S-Drag 3 600}", Focus{6, 5}, Window{1, 5}, RowHolds{"4.00", "+"},
         Flags{"changed selecting 3-5"}},
    };
    for (const Script& s : scripts) {
        Script row = s;
        if (!row.tape) {
            row.tape = kNineOnTape.lines;
            row.total = "45.00";
            row.sum = 45;
        }
        if (!row.flags) row.flags = kChanged.words;
        Machine m(StartUp().Rows(6));
        m.Keys(kNineAmounts);
        ExpectScript(m, row);
        ExpectRowsShowTheTape(m, s.keys);
    }
}

TEST(MovingOverALongTape, parks_the_focus_in_the_bottom_row_while_its_line_is_out_of_view) {
    Machine m(StartUp().Rows(6));
    m.Keys(kNineAmounts);
    m.Keys("{Scroll 2}");
    EXPECT_TRUE(m.calc.view().focus_parked());
    EXPECT_EQ(m.calc.view().FocusLine(), 12);
    m.Keys("{Scroll 7}");
    EXPECT_FALSE(m.calc.view().focus_parked());
}

TEST(Keys, move_select_and_refuse_as_the_row_they_reach_allows) {
    ExpectScripts({
        {"25+3+{Up}", Tape{"25.00 +", "3.00 +", "open"}, Total{"28.00"}, Sum{28}, Focus{4, 4},
         RowHolds{"3.00", "+", 0, 4}},
        {"25+3+{Up}{Up}7+", Tape{"7.00 +", "3.00 +", "open"}, Total{"10.00"}, Sum{10}, Focus{4, 4},
         RowHolds{"3.00", "+", 0, 4}},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}", Tape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "open"},
         Total{"10.00"}, Sum{10}, Focus{5, 5}, RowHolds{"3.00", "+"},
         Flags{"changed selecting 3-4"}},
        {"1+2+3+4+{Click 5}{S-Up}", Tape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "open"},
         Total{"10.00"}, Sum{10}, Focus{5, 5}, RowHolds{"3.00", "+"},
         Flags{"changed selecting 5-5"}},
        {"1+2+3+4+{Click 5}{S-Up}{S-Up}{S-Up}",
         Tape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "open"}, Total{"10.00"}, Sum{10}, Focus{3, 3},
         RowHolds{"1.00", "+"}, Flags{"changed selecting 5-3"}},
        {"1+{Home}{S-Up}{S-Up}", Tape{"1.00 +", "open"}, Total{"1.00"}, Sum{1}, Focus{0, 0},
         RowHolds{"---------------", ""}, Flags{"changed selecting 0-0"}},
        {"1+2+3+4+{Click 3}{S-Down}{S-Down}{Down}",
         Tape{"1.00 +", "2.00 +", "3.00 +", "4.00 +", "open"}, Total{"10.00"}, Sum{10}, Focus{6, 6},
         RowHolds{"4.00", "+", 0, 4}},
        {"1+2+3+{Click 3}{S-Down}{Shift}{S-Down}", Tape{"1.00 +", "2.00 +", "3.00 +", "open"},
         Total{"6.00"}, Sum{6}, Focus{5, 5}, RowHolds{"3.00", "+"}, Flags{"changed selecting 3-4"}},
        {"1+2+3+{S-Click 4}{S-Drag 4 300}{S-Click 4}", Tape{"1.00 +", "2.00 +", "3.00 +", "open"},
         Total{"6.00"}, Sum{6}, Focus{4, 4}, RowHolds{"2.00", "+"}},
        {"1+2+3+{S-Click 6}", Tape{"1.00 +", "2.00 +", "3.00 +", "open"}, Total{"6.00"}, Sum{6},
         Focus{6, 6}, kEmptyRow, Flags{"changed selecting 6-6"}},
        {"1+2+note{Enter}3+{Click 5}{PgDn}", Tape{"1.00 +", "2.00 +", "note C", "3.00 +", "open"},
         Total{"6.00"}, Sum{6}, Focus{6, 6}, RowHolds{"3.00", "+"}},
        {"1+2+note{Enter}3+{Click 5}{End}", Tape{"1.00 +", "2.00 +", "note C", "3.00 +", "open"},
         Total{"6.00"}, Sum{6}, Focus{6, 6}, RowHolds{"3.00", "+"}},
        {"12{NumLock}3", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3},
         RowHolds{"123", "", 3, 0},
         Events{
             R"(msg "Tallymar" "The Num Lock key was pressed.  The Tallymar requires the Num Lock to be on at all times.\nIf it is off, please press the OK below and then press the Num Lock key to turn it on." ok -> ok)"}},
        {"9{Tab}+", Tape{"9.00 +", "open"}, Total{"9.00"}, Sum{9}, kOnOpenLine},
        {"9{S-Tab}{Tab}+", Tape{"9.00 +", "open"}, Total{"9.00"}, Sum{9}, kOnOpenLine},
        {"ab{Tab}c{Enter}", Tape{"abc C", "open"}, Total{"0.00"}, Sum{0}, kOnOpenLine},
        {"12{C-v}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"12", "", 2, 0},
         Events{"beep"}},
        {"{Click 1}7", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{1, 1},
         RowHolds{"0.00", "T", 0, 4}, Events{kEditTotal}},
        {"{Click 2}7", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{2, 2},
         RowHolds{"---------------", "", 0, 15}, Events{kEditTotal}},
        {"5+3+{Enter}{Click 5}7", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"},
         Sum{0}, Focus{5, 5}, RowHolds{"8.00", "T", 0, 4}, Events{kEditTotal}},
        {"5+3+{Enter}{Click 6}7", Tape{"5.00 +", "3.00 +", "8.00 T", "---", "open"}, Total{"8.00"},
         Sum{0}, Focus{6, 6}, RowHolds{"---------------", "", 0, 15}, Events{kEditTotal}},
        {"5+3+{S-Enter}{Click 5}7", Tape{"5.00 +", "3.00 +", "8.00 S", "open"}, Total{"8.00"},
         Sum{8}, Focus{5, 5}, RowHolds{"8.00", "S", 0, 4}, Events{kEditTotal}},
        {"10+*{Click 4}7", Tape{"10.00 +", "10.00 *", "open"}, Total{"10.00"}, Sum{10}, Focus{4, 4},
         RowHolds{"10.00", "*", 0, 5}, Events{kEditTotal}},
        {"{Shift}{Ctrl}{Alt}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, kEmptyRow,
         kUnchanged},
        // Moving, selecting and copying leave nothing to save.
        {"{Up}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{2, 2},
         RowHolds{"---------------", "", 0, 15}, kUnchanged},
        {"{PgDn}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, kEmptyRow, kUnchanged},
        {"{C-c}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, kEmptyRow, kUnchanged,
         Events{R"(clipboard "0.00H")"}},
        {"{S-Down}", Tape{"open"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, kEmptyRow,
         Flags{"unchanged selecting 3-3"}},
    });
}

TEST(Keys, after_a_save_only_what_changes_a_line_leaves_something_to_save) {
    const std::string path = ::testing::TempDir() + "unchanged_keys.add";
    const struct {
        const char* keys;
        bool changed;
    } cases[] = {
        {"{Ctrl}{Alt}{Shift}{NumLock}{F2}", false},
        {"{Up}{Up}{PgUp}{Home}{End}{PgDn}{Down}{Click 3}{S-Down}{C-c}", false},
        {"{Click 3}7{Up}", true},                           // a correction committed by moving away
        {"{Click 3}{Bksp}{Bksp}{Bksp}{Bksp}{Down}", true},  // an amount emptied
        {"{Click 4}{Insert}", true},
        {"{Click 3}{Delete}", true},
        {"{Click 4}7", true},
    };
    for (const auto& c : cases) {
        Machine m;
        m.Keys("5+{Answer yes}{Save " + path + "}");
        ASSERT_FALSE(m.calc.tape_changed());
        m.Keys(std::string(c.keys) + "{Answer ok}");
        EXPECT_EQ(m.calc.tape_changed(), c.changed) << c.keys;
    }
    std::remove(path.c_str());
}

TEST(Keys, shift_drag_ends_the_selection_a_whole_row_per_240_twips) {
    const struct {
        int y;
        int end_line;
    } cases[] = {
        {-300, 4}, {-239, 5},  {-240, 4},  {0, 5},    {479, 6},
        {480, 7},  {-1300, 0}, {-5000, 0}, {5000, 9},
    };
    for (const auto& c : cases) {
        Machine m;
        m.Keys("1+2+3+4+5+6+{S-Click 5}{S-Drag 5 " + std::to_string(c.y) + "}");
        EXPECT_EQ(m.calc.view().selection().start_line(), 5) << c.y;
        EXPECT_EQ(m.calc.view().selection().end_line(), c.end_line) << c.y;
        for (int r = 0; r <= m.calc.view().last_row(); ++r) {
            const bool in = r >= std::min(5, c.end_line) && r <= std::max(5, c.end_line);
            EXPECT_EQ(m.RowAt(r).back == kSelectionBack, in) << c.y << " row " << r;
        }
    }
}

// A point or comma keeps the entry an amount while it can still be read as one.
TEST(Keys, a_point_or_comma_after_the_decimal_point_makes_the_entry_a_comment) {
    ExpectScripts({
        {"12,5.", Tape{"12,5. C"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"12,5.", "", 5, 0}},
        {"12.5,", Tape{"12.5, C"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"12.5,", "", 5, 0}},
        {"1,23.", Tape{"1,23. C"}, Total{"0.00"}, Sum{0}, Focus{3, 3}, RowHolds{"1,23.", "", 5, 0}},
        {"1,5+", Tape{"1.50 +", "open"}, Total{"1.50"}, Sum{1.5}, kOnOpenLine},
    });
}

// An operator key typed after a sign already in the box (the caret behind "-3") makes
// the entry a comment; typed over the whole selected text, it commits the amount.
TEST(Keys, an_operator_after_a_sign_in_the_box_makes_a_comment) {
    Machine behind;
    behind.Keys("5+");
    behind.calc.keyboard().BoxEdited(behind.calc.view().focus_row(), "-3", 2, 0);
    behind.Keys("-");
    EXPECT_EQ(behind.Ops(), "HTH+C");
    EXPECT_EQ(behind.Shown(4), Lines{"-3-              "});
    Machine over;
    over.Keys("5+");
    over.calc.keyboard().BoxEdited(over.calc.view().focus_row(), "-3", 0, 2);
    over.Keys("-");
    EXPECT_EQ(over.Ops(), "HTH+-B");
    // A selection the box reports past the end of its text is cut there.
    Machine past;
    past.calc.keyboard().BoxEdited(past.calc.view().focus_row(), "42", 1, 9);
    const Row& box = past.calc.view().rows()[past.calc.view().focus_row()];
    EXPECT_EQ(std::pair(box.sel_start, box.sel_length), std::pair(1, 1));
}

// The window passes on every mouse event over the rows; only a Shift+drag with the
// left button moves the selection, and an event from a row no longer shown changes
// nothing.
TEST(Mouse, only_a_shift_drag_with_the_left_button_extends_the_selection) {
    Machine m;
    m.Keys("1+2+3+{S-Click 3}");
    const std::string before = m.State();
    m.calc.keyboard().MouseMove(3, kLeftButton, shift::kNone, 600);
    m.calc.keyboard().MouseMove(3, kRightButton, shift::kShift, 600);
    m.calc.keyboard().MouseMove(-1, kLeftButton, shift::kShift, 600);
    m.calc.keyboard().MouseDown(m.calc.view().last_row() + 1, shift::kShift);
    m.calc.keyboard().BoxEdited(-1, "9", 0, 0);
    m.calc.keyboard().BoxEdited(m.calc.view().last_row() + 1, "9", 0, 0);
    for (const int row : {-1, m.calc.view().last_row() + 1}) {
        m.calc.keyboard().KeyDown(row, key::kDelete, shift::kNone);
        m.calc.keyboard().KeyPress(row, U'9');
    }
    EXPECT_EQ(m.State(), before);
    m.calc.keyboard().MouseMove(3, kLeftButton, shift::kShift, 600);
    EXPECT_EQ(m.calc.view().selection().end_line(), 5);
    m.calc.keyboard().MouseMove(0, kLeftButton, shift::kShift, 0);  // the top row too
    EXPECT_EQ(m.calc.view().selection().end_line(), 0);
}

}  // namespace
}  // namespace tallymar::testing
