// Edit > Undo and Edit > Redo: every kind of change taken back and made again,
// the saved point, and the history's limits.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>

#include "support/machine.h"

namespace tallymar::testing {
namespace {

// What a user sees of the tape and its figures: every line as it shows, the
// running sum, the total display, the line with the focus and the changed mark.
struct Figures {
    std::string tape;
    std::string sum;
    std::string total;
    int focus_line = 0;
    bool changed = false;
    bool operator==(const Figures&) const = default;
};

void PrintTo(const Figures& f, std::ostream* out) {
    *out << "tape [" << f.tape << "] sum " << f.sum << ", total display \"" << f.total
         << "\", focus on line " << f.focus_line << (f.changed ? ", changed" : ", unchanged");
}

Figures FiguresOf(const Machine& m) {
    std::string tape;
    for (int line = 0; line <= m.calc.tape().UpperBound(); ++line) {
        tape += (line ? " | " : "") +
                LineAsWritten(m.calc.view().ShownText(line), m.calc.tape()[line].Op);
    }
    return {tape, SumAsWritten(m.calc.accumulator()), m.calc.display().text,
            m.calc.view().FocusLine(), m.calc.tape_changed()};
}

std::string TempTape(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("tallymar-undo-") + name + "-" + std::to_string(::getpid()) + ".add"))
        .string();
}

struct Change {
    const char* what;
    std::string before;  // keys that make the tape the change starts from
    std::string change;  // keys that make the change
    int steps;           // the undo steps it makes: one a key or command that changes lines
    int focus_line;      // where Undo puts the focus: the line the change was made on
    bool calc_mode = false;
};

TEST(Undo, takes_back_every_kind_of_change_and_redo_makes_it_again) {
    const std::string appended = TempTape("appended");
    {
        Machine writer;
        writer.Keys("2+3+{Enter}{Save " + appended + "}");
    }
    const Change changes[] = {
        {"a commit", "5+6+", "7+", 1, 5},
        {"a product: the multiplier, then its result", "5+6+", "3*4=", 2, 5},
        {"a total", "5+6+", "{Enter}", 1, 5},
        {"a subtotal", "5+6+", "{S-Enter}", 1, 5},
        {"a correction that strikes the total again", "5+6+{Enter}8+",
         "{ClickLine 3}9{ClickLine 8}", 1, 3},
        {"an emptied amount", "5+6+", "{ClickLine 4}{Bksp}{ClickLine 5}", 1, 4},
        {"an insertion", "5+6+", "{ClickLine 4}{Insert}", 1, 4},
        {"a deletion of one line", "5+6+{Enter}", "{ClickLine 3}{Delete}", 1, 3},
        {"a total deleted with its rule", "5+6+{Enter}1+", "{ClickLine 5}{Delete}", 1, 5},
        {"a deletion of every line", "5+6+7+", "{SelectAll}{Answer yes}{Delete}", 1, 6},
        {"a comment: its typing, then its line ended", "5+", "rent{Enter}", 2, 4},
        {"Clear tape", "5+6+", "{Answer no}{Clear}", 1, 5},
        {"calculator mode: the amount, then the total", "5+6", "-2{Enter}", 2, 4, true},
        {"a conversion block", "5+", "{Convert foot|2|inches}{ShowConversion on}", 1, 4},
        // No to saving first, then Yes to appending.
        {"an append from File > Open", "5+", "{Answer no}{Answer yes}{Open " + appended + "}", 1,
         4},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        Machine m(c.calc_mode ? StartUp().CalcMode() : StartUp());
        m.Keys(c.before);
        Figures before = FiguresOf(m);
        m.Keys(c.change);
        const Figures after = FiguresOf(m);
        ASSERT_NE(before.tape, after.tape) << "the change changed nothing";
        std::string undo, redo;
        for (int i = 0; i < c.steps; ++i) undo += "{Undo}", redo += "{Redo}";
        m.Keys(undo);
        before.focus_line = c.focus_line;
        EXPECT_EQ(FiguresOf(m), before) << "after Undo";
        m.Keys(redo);
        EXPECT_EQ(FiguresOf(m), after) << "after Redo";
        m.Keys(undo + undo + redo + redo);
        EXPECT_EQ(FiguresOf(m), after) << "after undoing past the change and redoing it";
    }
    std::remove(appended.c_str());
}

TEST(Undo, first_drops_what_was_keyed_and_not_committed) {
    Machine m;
    m.Keys("5+");
    const Figures committed = FiguresOf(m);
    m.Keys("6");
    ASSERT_EQ(m.RowAt(m.calc.view().focus_row()).text, "6");
    m.Keys("{Undo}");
    EXPECT_EQ(m.RowAt(m.calc.view().focus_row()).text, "");
    EXPECT_EQ(FiguresOf(m), committed);
    m.Keys("{Undo}");
    EXPECT_EQ(m.Ops(), "HTHB") << "the second Undo takes the commit back";
    m.TakeEvents();
    m.Keys("{Undo}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"}) << "nothing left to undo";
}

TEST(Undo, counts_a_comment_typed_as_one_step) {
    Machine m;
    m.Keys("5+rent");
    m.Keys("{Undo}");
    EXPECT_EQ(m.Ops(), "HTH+B");
    EXPECT_EQ(m.Shown(4), Lines{""});
    // An amount turned into a comment strikes the total below again: that first key is
    // a step of its own, and the letters after it make one more.
    Machine old;
    old.Keys("5+6+{Enter}{ClickLine 3}abc{Undo}");
    EXPECT_EQ(old.Shown(3).at(0), "a                ");
    EXPECT_EQ(old.Shown(5).at(0), "6.00") << "the total without the line commented";
    old.Keys("{Undo}");
    EXPECT_EQ(old.Shown(3), (Lines{"5.00", "6.00", "11.00", "---------------", ""}));
}

TEST(Undo, back_to_the_saved_tape_clears_the_changed_mark) {
    const std::string path = TempTape("saved");
    Machine m;
    m.Keys("5+{Save " + path + "}");
    EXPECT_FALSE(m.calc.tape_changed());
    m.Keys("6+");
    EXPECT_TRUE(m.calc.tape_changed());
    m.Keys("{Undo}");
    EXPECT_FALSE(m.calc.tape_changed()) << "back where it was saved";
    m.Keys("{Undo}");
    EXPECT_TRUE(m.calc.tape_changed()) << "before the save";
    m.Keys("{Redo}");
    EXPECT_FALSE(m.calc.tape_changed());
    // A change made at the saved point, with a step still to redo, and undone.
    m.Keys("8+{Undo}");
    EXPECT_FALSE(m.calc.tape_changed()) << "back at the save after a new change";
    // A new change after an undo: the saved point can no longer be reached.
    m.Keys("{Undo}7+{Undo}");
    EXPECT_TRUE(m.calc.tape_changed());
    std::remove(path.c_str());
}

// A file appended to a saved tape is a change: undone, the tape is back at its save;
// made again, it is a change again.
TEST(Undo, an_appended_file_is_a_change_each_time_it_is_made) {
    const std::string saved = TempTape("week"), appended = TempTape("extra");
    Machine writer;
    writer.Keys("7+{Save " + appended + "}");
    Machine m;
    m.Keys("5+{Save " + saved + "}{Answer yes}{Open " + appended + "}");
    EXPECT_TRUE(m.calc.tape_changed());
    m.Keys("{Undo}");
    EXPECT_FALSE(m.calc.tape_changed());
    m.Keys("{Redo}");
    EXPECT_TRUE(m.calc.tape_changed());
    // Nor is the change keyed after it taken for a save.
    m.Keys("8+{Undo}{Redo}");
    EXPECT_TRUE(m.calc.tape_changed());
    std::remove(saved.c_str());
    std::remove(appended.c_str());
}

TEST(Undo, a_new_change_drops_what_could_be_redone) {
    Machine m;
    m.Keys("5+6+{Undo}7+");
    m.TakeEvents();
    m.Keys("{Redo}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"});
    EXPECT_EQ(m.Shown(3), (Lines{"5.00", "7.00", ""}));
}

TEST(Undo, history_starts_afresh_with_a_new_tape_or_a_tape_opened_in_its_place) {
    const std::string path = TempTape("opened");
    Machine m;
    m.Keys("5+{Save " + path + "}{New}");
    m.TakeEvents();
    m.Keys("{Undo}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"}) << "after New";
    // No to the append question, No to saving the tape it replaces.
    m.Keys("8+{Answer no}{Answer no}{Open " + path + "}");
    m.TakeEvents();
    m.Keys("{Undo}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"}) << "after opening in place of the tape";
    EXPECT_EQ(m.Ops(), "HTH+B") << "the file's lines, its open line the tape's";
    std::remove(path.c_str());
}

// The oldest steps past ten thousand are let go: the last undo finds nothing and beeps.
TEST(Undo, keeps_the_last_ten_thousand_steps) {
    Machine m;
    std::string keys, undo;
    for (int i = 0; i < 10002; ++i) keys += "1+";
    for (int i = 0; i < 10000; ++i) undo += "{Undo}";
    m.Keys(keys + undo);
    m.TakeEvents();
    m.Keys("{Undo}");
    EXPECT_EQ(m.TakeEvents(), Lines{"beep"});
    EXPECT_EQ(m.calc.accumulator(), 2);

    // A save among the steps kept is still found when the oldest ones go.
    Machine saved;
    const std::string path = TempTape("kept");
    saved.Keys("1+1+{Save " + path + "}" + keys.substr(4) + undo);
    EXPECT_EQ(saved.calc.accumulator(), 2);
    EXPECT_FALSE(saved.calc.tape_changed()) << "back where it was saved";

    // A save older than every step kept goes with them: undoing as far as the history
    // reaches leaves a tape that is not the one saved.
    Machine lost;
    lost.Keys("{Save " + path + "}" + keys.substr(2) + undo);
    EXPECT_EQ(lost.calc.accumulator(), 1);
    EXPECT_TRUE(lost.calc.tape_changed()) << "one amount more than was saved";
    std::remove(path.c_str());
}

TEST(Undo, goes_back_a_thousand_steps_and_forward_again) {
    Machine m;
    const Figures fresh = FiguresOf(m);
    std::string keys;
    for (int i = 0; i < 1000; ++i) keys += std::to_string(i % 9 + 1) + "+";
    m.Keys(keys);
    const Figures full = FiguresOf(m);
    std::string undo, redo;
    for (int i = 0; i < 1000; ++i) undo += "{Undo}", redo += "{Redo}";
    m.Keys(undo);
    EXPECT_EQ(FiguresOf(m), fresh);
    m.Keys(redo);
    EXPECT_EQ(FiguresOf(m), full);
}

}  // namespace
}  // namespace tallymar::testing
