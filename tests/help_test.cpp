// The tip of the day's model, the help book and the version line, on files in a
// temporary folder.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "help/about.h"
#include "help/help_book.h"
#include "help/tip_form.h"

namespace tallymar {

void PrintTo(const HelpPage& page, std::ostream* out) {
    *out << page.title << " (" << page.page << ")";
}

namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        path_ =
            fs::temp_directory_path() /
            ("tallymar-help-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
             std::to_string(count_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        const fs::path file = path_ / name;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    static inline int count_ = 0;
    fs::path path_;
};

std::string NumberedTips(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "tip " + std::to_string(i) + "\n";
    return text;
}

struct Tip {
    std::int32_t TipOfTheDay = 0;
    bool ShowTipAtStartup = true;
    TipForm form{TipOfTheDay, ShowTipAtStartup};
};

TEST(TipOfTheDay, opening_moves_on_from_the_saved_number_and_starts_again_after_the_last) {
    struct Case {
        std::int32_t saved;
        int lines;
        std::string shown;
    };
    const Case cases[] = {
        {0, 10, "tip 1"},  {3, 10, "tip 4"},        {9, 10, "tip 10"},
        {10, 10, "tip 1"}, {25, 12, "tip 1"},  // the file shrank since
        {-7, 5, "tip 1"},  {INT32_MAX, 5, "tip 1"},
    };
    Folder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.saved) + " of " + std::to_string(c.lines));
        const std::string path = folder.Write("tips.txt", NumberedTips(c.lines));
        Tip tip;
        tip.TipOfTheDay = c.saved;
        tip.form.Open(path);
        EXPECT_EQ(tip.form.lblTipText(), c.shown);
        EXPECT_EQ("tip " + std::to_string(tip.TipOfTheDay), c.shown);
        EXPECT_EQ(tip.form.Tips().size(), static_cast<size_t>(c.lines));
    }
}

TEST(TipOfTheDay, next_tip_walks_ten_lines_in_turn_and_comes_back_to_the_first) {
    Folder folder;
    Tip tip;
    tip.form.Open(folder.Write("tips.txt", NumberedTips(10)));
    std::vector<std::string> shown{tip.form.lblTipText()};
    for (int i = 0; i < 10; ++i) {
        tip.form.cmdNextTip_Click();
        shown.push_back(tip.form.lblTipText());
    }
    std::vector<std::string> expected;
    for (int i = 1; i <= 10; ++i) expected.push_back("tip " + std::to_string(i));
    expected.push_back("tip 1");
    EXPECT_EQ(shown, expected);
}

TEST(TipOfTheDay, two_openings_in_one_run_show_two_tips_and_read_each_line_once) {
    Folder folder;
    const std::string path = folder.Write("tips.txt", "first\n\nthird\r\nfourth");
    std::int32_t number = 0;
    bool at_startup = true;
    std::vector<std::string> shown;
    for (int opening = 0; opening < 2; ++opening) {
        TipForm form(number, at_startup);
        form.Open(path);
        shown.push_back(form.lblTipText());
        EXPECT_EQ(form.Tips(), (std::vector<std::string>{"first", "", "third", "fourth"}));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"first", ""}));  // an empty line is a tip too

    TipForm again(number, at_startup);
    ASSERT_TRUE(again.LoadTips(path));
    ASSERT_TRUE(again.LoadTips(path));
    EXPECT_EQ(again.Tips().size(), 4u);
    EXPECT_EQ(again.lblTipText(), "fourth");  // a line written on Windows loses its CR
}

TEST(TipOfTheDay, a_tips_file_that_is_not_there_says_so_and_an_empty_one_shows_nothing) {
    Folder folder;
    const std::string not_found = "...that the TallymarTips.txt file was not found? ";
    for (const std::string& path : {std::string(), folder / "none.txt", folder / ""}) {
        SCOPED_TRACE(path);
        Tip tip;
        tip.TipOfTheDay = 4;
        tip.form.Open(path);
        EXPECT_EQ(tip.form.lblTipText(), not_found);
        EXPECT_EQ(tip.TipOfTheDay, 4);  // unchanged until Next Tip
        tip.form.cmdNextTip_Click();
        EXPECT_EQ(tip.TipOfTheDay, 1);
        EXPECT_EQ(tip.form.lblTipText(), not_found);
    }

    Tip empty;
    empty.TipOfTheDay = 6;
    empty.form.Open(folder.Write("empty.txt", ""));
    EXPECT_EQ(empty.form.lblTipText(), "");
    EXPECT_EQ(empty.TipOfTheDay, 1);
}

TEST(TipOfTheDay, the_window_stays_by_the_main_window_and_whole_on_the_screen) {
    struct Case {
        double left, top, tip_size, expected_left, expected_top;
    };
    const Case cases[] = {
        {500, 300, 2000, 500, 2300},      // at the main window's left edge, 2000 below its top
        {17000, 300, 2000, 16000, 2300},  // no further right than 0.8 of 20000
        {500, 11000, 2000, 500, 12000},   // no further down than 0.8 of 15000
        {15000, 300, 6000, 14000, 2300},  // a wide tip ends at the screen's right edge
        {500, 11000, 6000, 500, 9000},    // a tall one at its bottom
        {-900, -4000, 2000, 0, 0},        // a main window off the screen's corner
    };
    for (const Case& c : cases) {
        const TipPlace place = PlaceTip({c.left, c.top, 20000, 15000, c.tip_size, c.tip_size});
        EXPECT_EQ(place.left, c.expected_left) << c.left;
        EXPECT_EQ(place.top, c.expected_top) << c.top;
    }
}

TEST(HelpBook, contents_follow_the_index_links_and_pages_come_from_the_first_folder_holding_them) {
    Folder first;
    Folder second;
    first.Write("index.md",
                "# Help\n\n- [Keys](keys.md)\n- [Totals](totals.md#sums)\n"
                "- [Keys again](keys.md)\n- [Outside](../secret.md)\n");
    first.Write("keys.md", "# The keys\n\nEnter strikes the total.\n");
    second.Write("keys.md", "# Other keys\n");
    second.Write("totals.md", "# Totals and subtotals\r\n\nA subtotal keeps adding.\n");
    const HelpBook book({first / "", second / ""});

    EXPECT_EQ(book.Contents(), (std::vector<HelpPage>{{"Help", "index.md"},
                                                      {"The keys", "keys.md"},
                                                      {"Totals and subtotals", "totals.md"}}));
    EXPECT_EQ(book.PagePath("keys.md"), first / "keys.md");
    EXPECT_EQ(book.PagePath("totals.md"), second / "totals.md");
    for (const char* refused : {"none.md", "../secret.md", "index.txt", ""}) {
        EXPECT_EQ(book.PagePath(refused), "") << refused;
    }
}

TEST(HelpBook, search_finds_the_pages_holding_every_word_whatever_their_case) {
    Folder folder;
    folder.Write("index.md", "# Help\n\n[Modes](modes.md) [Keys](keys.md)\n");
    folder.Write("keys.md", "# Keys\n\nEnter strikes the TOTAL; Shift+Enter a subtotal.\n");
    folder.Write("modes.md", "# Modes\n\nIn calculator mode the total is struck by Enter.\n");
    folder.Write("extra.md", "# Extra\n\nNot in the contents, but the total is here too.\n");
    const HelpBook book({folder / ""});
    struct Case {
        std::string query;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {"total", {"modes.md", "keys.md", "extra.md"}},  // the contents' order first
        {"ENTER total", {"modes.md", "keys.md"}},
        {"  subtotal  ", {"keys.md"}},
        {"calculator keypad", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found;
        for (const HelpPage& page : book.Search(c.query)) found.push_back(page.page);
        EXPECT_EQ(found, c.pages) << '"' << c.query << '"';
    }
    EXPECT_EQ(SearchWords(" one two  one "), (std::vector<std::string>{"one", "two"}));
}

TEST(About, the_version_line_gives_the_three_numbers_of_the_build) {
    EXPECT_EQ(VersionLine({1, 24, 0}), "Version 1.24.0");
    EXPECT_EQ(VersionLine({2, 5, 13}), "Version 2.5.13");
    EXPECT_EQ(VersionLine(ThisVersion()), "Version " TALLYMAR_PROJECT_VERSION);
}

}  // namespace
}  // namespace tallymar
