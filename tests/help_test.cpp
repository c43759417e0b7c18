// The tip of the day's model, the help book, the version line and the first start's
// settings, on files in a temporary folder.
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
#include "platform/ini_file.h"

namespace tallymar {

void PrintTo(const HelpPage& page, std::ostream* out) {
    *out << page.title << " (" << page.page << ")";
}

namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("tallymar-help-" + std::string(test->name()) + "-" + std::to_string(count_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& text) const {
        fs::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary) << text;
        return path_ / name;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string operator/(const std::string& name) const { return path_ / name; }

  private:
    static inline int count_ = 0;
    fs::path path_;
};

std::string NumberedTips(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "tip " + std::to_string(i) + "\n";
    return text;
}

TEST(TipOfTheDay, opening_moves_on_from_the_saved_number_and_starts_again_after_the_last) {
    const struct {
        std::int32_t saved;
        int lines;
        int shown;
    } cases[] = {{0, 10, 1},  {3, 10, 4},       {9, 10, 10},
                 {10, 10, 1}, {25, 12, 1},  // the file shrank since
                 {-7, 5, 1},  {INT32_MAX, 5, 1}};
    Folder folder;
    for (const auto& c : cases) {
        const std::string path = folder.Write("tips.txt", NumberedTips(c.lines));
        std::int32_t number = c.saved;
        bool at_startup = true;
        TipForm form(number, at_startup);
        form.Open(path);
        EXPECT_EQ(form.lblTipText(), "tip " + std::to_string(c.shown)) << c.saved;
        EXPECT_EQ(number, c.shown) << c.saved;
    }

    std::int32_t number = 0;
    bool at_startup = true;
    TipForm form(number, at_startup);
    form.Open(folder.Write("tips.txt", NumberedTips(10)));
    for (int next = 2; next <= 11; ++next) {
        form.cmdNextTip_Click();
        EXPECT_EQ(form.lblTipText(), "tip " + std::to_string(next > 10 ? 1 : next));
    }
}

TEST(TipOfTheDay, reads_each_line_once_shows_them_in_turn_and_keeps_the_start_up_box) {
    Folder folder;
    const std::string path = folder.Write("tips.txt", "first\n\nthird\r\nfourth");
    std::int32_t number = 0;
    bool at_startup = true;
    std::vector<std::string> shown;
    for (int opening = 0; opening < 3; ++opening) {
        TipForm form(number, at_startup);
        form.Open(path);
        EXPECT_EQ(form.Tips(), (std::vector<std::string>{"first", "", "third", "fourth"}));
        shown.push_back(form.lblTipText());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "", "third"}));
    TipForm again(number, at_startup);
    ASSERT_TRUE(again.LoadTips(path) && again.LoadTips(path));
    EXPECT_EQ(again.Tips().size(), 4u);
    again.Open(path);
    EXPECT_TRUE(again.chkLoadTipsAtStartup());
    again.chkLoadTipsAtStartup_Click(false);
    again.Close();
    EXPECT_FALSE(at_startup);
}

TEST(TipOfTheDay, a_tips_file_that_is_not_there_says_so_and_an_empty_one_shows_nothing) {
    Folder folder;
    const std::string not_found = "...that the TallymarTips.txt file was not found? ";
    for (const std::string& path : {std::string(), folder / "none.txt", folder / ""}) {
        std::int32_t number = 4;
        bool at_startup = true;
        TipForm form(number, at_startup);
        form.Open(path);
        EXPECT_EQ(form.lblTipText(), not_found) << path;
        EXPECT_EQ(number, 4) << "unchanged until Next Tip";
        form.cmdNextTip_Click();
        EXPECT_EQ(number, 1);
        EXPECT_EQ(form.lblTipText(), not_found);
    }
    std::int32_t number = 6;
    bool at_startup = true;
    TipForm empty(number, at_startup);
    empty.Open(folder.Write("empty.txt", ""));
    EXPECT_EQ(empty.lblTipText(), "");
    EXPECT_EQ(number, 1);
}

TEST(TipOfTheDay, the_window_stays_by_the_main_window_and_whole_on_the_screen) {
    const struct {
        double left, top, tip_size, expected_left, expected_top;
    } cases[] = {
        {500, 300, 2000, 500, 2300},         // at the main window's left edge, 2000 below its top
        {17000, 11000, 2000, 16000, 12000},  // no further than 0.8 of the 20000 x 15000 screen
        {15000, 11000, 6000, 14000, 9000},   // a large tip ends at the screen's edges
        {-900, -4000, 2000, 0, 0},           // a main window off the screen's corner
    };
    for (const auto& c : cases) {
        const TipPlace place = PlaceTip({c.left, c.top, 20000, 15000, c.tip_size, c.tip_size});
        EXPECT_EQ(place.left, c.expected_left) << c.left;
        EXPECT_EQ(place.top, c.expected_top) << c.top;
    }
}

TEST(HelpBook, contents_follow_the_index_links_and_pages_come_from_the_first_folder_holding_them) {
    Folder first, second;
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
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"total", {"modes.md", "keys.md", "extra.md"}},  // the contents' order first
        {"ENTER total", {"modes.md", "keys.md"}},
        {"  subtotal  ", {"keys.md"}},
        {"calculator keypad", {}},
        {"", {}},
    };
    for (const auto& [query, pages] : cases) {
        std::vector<std::string> found;
        for (const HelpPage& page : book.Search(query)) found.push_back(page.page);
        EXPECT_EQ(found, pages) << '"' << query << '"';
    }
}

TEST(About, the_version_line_gives_the_three_numbers_of_the_build) {
    EXPECT_EQ(VersionLine({2, 5, 13}), "Version 2.5.13");
    EXPECT_EQ(VersionLine(ThisVersion()), "Version " TALLYMAR_PROJECT_VERSION);
}

TEST(FirstStart, the_shipped_settings_are_copied_only_where_the_user_has_none) {
    const std::string friendly = "[OPTIONS]\nDecimals=2\nShow tip at startup=True\n";
    const std::string mine = "[OPTIONS]\nDecimals=4\n";
    for (const char* existing : {"", "Tallymar.ini", "tallymar.INI"}) {
        Folder folder;
        const std::string shipped = folder.Write("share/Tallymar.ini", friendly);
        if (*existing) folder.Write(std::string("config/") + existing, mine);
        const std::string target = folder / "config/tallymar/Tallymar.ini";
        if (*existing) {
            EXPECT_FALSE(CopyShippedSettings(shipped, folder / "config/Tallymar.ini")) << existing;
            EXPECT_EQ(folder.Read(std::string("config/") + existing), mine);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder / "config"), {}), 1);
        } else {  // no settings file, not even its folder
            EXPECT_TRUE(CopyShippedSettings(shipped, target));
            EXPECT_EQ(folder.Read("config/tallymar/Tallymar.ini"), friendly);
            EXPECT_FALSE(CopyShippedSettings(folder / "none.ini", folder / "other/Tallymar.ini"));
            EXPECT_FALSE(fs::exists(folder / "other/Tallymar.ini"));
        }
    }
    Folder folder;  // a link the user made is left alone
    fs::create_directories(folder / "config");
    fs::create_symlink(folder / "elsewhere.ini", folder / "config/Tallymar.ini");
    EXPECT_FALSE(
        CopyShippedSettings(folder.Write("Tallymar.ini", "x"), folder / "config/Tallymar.ini"));
    EXPECT_FALSE(fs::exists(folder / "elsewhere.ini"));
}

}  // namespace
}  // namespace tallymar
