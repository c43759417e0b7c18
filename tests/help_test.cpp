// The tip of the day's model, the help book, the version line and the first start's
// settings, on files in a temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

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
#include "file_bytes.h"
#include "temp_folder.h"

namespace tallymar {

void PrintTo(const HelpPage& page, std::ostream* out) {
    *out << page.title << " (" << page.page << ")";
}

namespace {

using tallymar::testing::TempFolder;

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class HelpFiles : public ::testing::Test {
  protected:
    // Writes `text` to `name` under the test's folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const {
        fs::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name, std::ios::binary) << text;
        return root_ / name;
    }
    std::string Path(const std::string& name) const { return root_ / name; }

    TempFolder temp_{"tallymar-help"};
    const fs::path& root_ = temp_.path();
    std::int32_t number_ = 0;  // the settings' TipOfTheDay
    bool at_startup_ = true;   // and ShowTipAtStartup
};

TEST_F(HelpFiles, each_tip_opening_shows_the_next_tip_of_the_file_or_says_it_is_missing) {
    const std::pair<std::int32_t, int> cases[] = {{0, 1},  {1, 2},        {9, 10}, {10, 1},
                                                  {-7, 1}, {INT32_MAX, 1}};  // saved, shown
    std::string ten;
    for (int i = 1; i <= 10; ++i) ten += "tip " + std::to_string(i) + "\n";
    const std::string path = Write("tips.txt", ten);
    for (const auto& [saved, shown] : cases) {
        TipForm form(number_ = saved, at_startup_);
        form.Open(path);
        EXPECT_EQ(form.lblTipText(), "tip " + std::to_string(shown)) << saved;
        EXPECT_EQ(number_, shown) << saved;
        form.cmdNextTip_Click();
        EXPECT_EQ(form.lblTipText(), "tip " + std::to_string(shown % 10 + 1)) << saved;
    }
    // A tip number outside the file (none yet, or past its last tip) leaves the tip shown.
    for (const std::int32_t outside : {0, 11}) {
        TipForm form(number_ = 0, at_startup_);
        ASSERT_TRUE(form.LoadTips(path));
        number_ = outside;
        form.DisplayCurrentTip();
        EXPECT_EQ(form.lblTipText(), "tip 1") << outside;
    }
    // An empty line is a tip too; a line written on Windows loses its CR; reading
    // the file again replaces the tips.
    TipForm form(number_ = 0, at_startup_);
    form.Open(Write("tips.txt", "first\n\nthird\r\nfourth"));
    ASSERT_TRUE(form.LoadTips(Path("tips.txt")));
    EXPECT_EQ(form.Tips(), (Texts{"first", "", "third", "fourth"}));
    EXPECT_EQ(form.lblTipText(), "");
    EXPECT_TRUE(form.chkLoadTipsAtStartup());
    form.chkLoadTipsAtStartup_Click(false);
    form.Close();
    EXPECT_FALSE(at_startup_);

    // A tips file that is not there says so; an empty one shows nothing.
    for (const std::string& path : {std::string(), Path("none.txt"), Path("")}) {
        TipForm form(number_ = 4, at_startup_);
        form.Open(path);
        EXPECT_EQ(form.lblTipText(), "...that the TallymarTips.txt file was not found? ") << path;
        EXPECT_EQ(number_, 4) << "unchanged until Next Tip";
        form.cmdNextTip_Click();
        EXPECT_EQ(number_, 1);
    }
    TipForm empty(number_ = 6, at_startup_);
    empty.Open(Write("empty.txt", ""));
    EXPECT_EQ(empty.lblTipText(), "");
    EXPECT_EQ(number_, 1);
}

TEST_F(HelpFiles, the_help_book_lists_finds_and_serves_pages_and_the_version_line_is_the_builds) {
    Write("a/index.md",
          "# Help\n\n- [Keys](keys.md)\n- [Totals](totals.md#sums)\n"
          "- [Keys again](keys.md)\n- [Outside](../secret.md)\n");
    Write("a/keys.md", "# The keys\n\nEnter STRIKES the total.\n");
    Write("a/extra.md", "# Extra\n\nNot in the contents; enter strikes here too.\n");
    Write("b/keys.md", "# Other keys\n");
    Write(
        "b/totals.md",
        "# Totals and subtotals\r\n\nA subtotal keeps adding. Enter strikes it. A total: zero.\n");
    Write("secret.md", "# Secret\n");
    const HelpBook book({Path("a/"), Path("b/")});
    const std::vector<HelpPage> contents = {
        {"Help", "index.md"}, {"The keys", "keys.md"}, {"Totals and subtotals", "totals.md"}};
    EXPECT_EQ(book.Contents(), contents);
    EXPECT_EQ(book.PagePath("keys.md"), Path("a/keys.md"));
    EXPECT_EQ(book.PagePath("totals.md"), Path("b/totals.md"));
    for (const char* refused : {"none.md", "../secret.md", "index.txt", ""}) {
        EXPECT_EQ(book.PagePath(refused), "") << refused;
    }
    // Pages holding every word, whatever its case: the contents' order first.
    // clang-format off
    const std::pair<std::string, Texts> searches[] = {
        {"strikes enter", {"keys.md", "totals.md", "extra.md"}}, {"  ADDING  ", {"totals.md"}},
        {"Zero", {"totals.md"}}, {"ZERO", {"totals.md"}},
        {"strikes keypad", {}}, {"", {}}};
    // clang-format on
    for (const auto& [query, pages] : searches) {
        Texts found;
        for (const HelpPage& page : book.Search(query)) found.push_back(page.page);
        EXPECT_EQ(found, pages) << '"' << query << '"';
    }
    EXPECT_EQ(VersionLine({2, 5, 13}), "Version 2.5.13");
    EXPECT_EQ(VersionLine(ThisVersion()), "Version " TALLYMAR_PROJECT_VERSION);
}

TEST_F(HelpFiles, the_first_start_copies_the_shipped_settings_only_where_the_user_has_none) {
    const std::string shipped = Write("share/Tallymar.ini", "[OPTIONS]\nDecimals=2\n");
    EXPECT_TRUE(CopyShippedSettings(shipped, Path("new/tallymar/Tallymar.ini")));
    EXPECT_EQ(testing::ReadBytes(Path("new/tallymar/Tallymar.ini")), "[OPTIONS]\nDecimals=2\n");
    EXPECT_FALSE(CopyShippedSettings(Path("none.ini"), Path("other/Tallymar.ini")));
    EXPECT_FALSE(fs::exists(Path("other/Tallymar.ini")));

    Write("mine/tallymar.INI", "[OPTIONS]\nDecimals=4\n");  // the user's, in other letters
    EXPECT_FALSE(CopyShippedSettings(shipped, Path("mine/Tallymar.ini")));
    EXPECT_EQ(testing::ReadBytes(Path("mine/tallymar.INI")), "[OPTIONS]\nDecimals=4\n");
    EXPECT_FALSE(fs::exists(Path("mine/Tallymar.ini")));
    fs::create_directories(Path("linked"));  // a link the user made is left alone
    fs::create_symlink(Path("elsewhere.ini"), Path("linked/Tallymar.ini"));
    EXPECT_FALSE(CopyShippedSettings(shipped, Path("linked/Tallymar.ini")));
    EXPECT_FALSE(fs::exists(Path("elsewhere.ini")));
}

// The tip stands 2000 twips below the main window's top, at its left edge, kept whole
// on the screen (20000 x 15000 here) so that its buttons can always be reached.
TEST(TipOfTheDay, the_window_stays_by_the_main_window_and_whole_on_the_screen) {
    const double cases[][5] = {
        // left, top, tip size -> left, top
        {500, 300, 2000, 500, 2300},    {17000, 300, 2000, 16000, 2300},
        {500, 11000, 2000, 500, 12000}, {15000, 300, 6000, 14000, 2300},
        {500, 11000, 6000, 500, 9000},  {-900, -4000, 2000, 0, 0},
    };
    for (const auto& c : cases) {
        const TipPlace place = PlaceTip({c[0], c[1], 20000, 15000, c[2], c[2]});
        EXPECT_EQ(place.left, c[3]) << c[0];
        EXPECT_EQ(place.top, c[4]) << c[1];
    }
}

}  // namespace
}  // namespace tallymar
