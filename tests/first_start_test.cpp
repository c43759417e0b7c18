// A first start takes the shipped settings file; a settings file the user has is
// never replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ini_file.h"

namespace tallymar {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(FirstStart, the_shipped_settings_are_copied_only_where_the_user_has_none) {
    const fs::path root = fs::temp_directory_path() /
                          ("tallymar-first-start-" +
                           std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(root);
    const fs::path shipped = root / "share" / "Tallymar.ini";
    const std::string friendly = "[OPTIONS]\nDecimals=2\nShow tip at startup=True\n";
    Write(shipped, friendly);
    const std::string mine = "[OPTIONS]\nDecimals=4\n";

    struct Case {
        const char* what;
        const char* existing;  // a file already there, relative to the settings folder
        bool copied;
    };
    const Case cases[] = {
        {"no settings file, not even its folder", nullptr, true},
        {"the user's own file", "Tallymar.ini", false},
        {"the user's own file in other letters", "tallymar.INI", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = root / "config" / "tallymar";
        fs::remove_all(root / "config");
        if (c.existing) Write(folder / c.existing, mine);
        const fs::path target = folder / "Tallymar.ini";
        EXPECT_EQ(CopyShippedSettings(shipped.string(), target.string()), c.copied);
        if (c.copied) {
            EXPECT_EQ(Read(target), friendly);
        } else {
            EXPECT_EQ(Read(folder / c.existing), mine);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
        }
    }

    const fs::path folder = root / "config" / "tallymar";
    fs::remove_all(root / "config");
    fs::create_directories(folder);
    fs::create_symlink(root / "elsewhere.ini", folder / "Tallymar.ini");
    EXPECT_FALSE(CopyShippedSettings(shipped.string(), (folder / "Tallymar.ini").string()));
    EXPECT_FALSE(fs::exists(root / "elsewhere.ini"));  // a link the user made is left alone

    fs::remove_all(root / "config");
    EXPECT_FALSE(
        CopyShippedSettings((root / "none.ini").string(), (folder / "Tallymar.ini").string()));
    EXPECT_FALSE(fs::exists(folder / "Tallymar.ini"));
    fs::remove_all(root);
}

}  // namespace
}  // namespace tallymar
