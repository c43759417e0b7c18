#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tallymar {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const ScreenSize kScreen{19200, 10800};

// A fresh folder for each test, removed afterwards.
class IniFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "tallymar-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string reason;  // why the last save failed
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path folder_;
};

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Sets an environment variable for the length of a test.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvVar() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(IniFileTest, writes_key_lines_without_blanks_into_a_new_file_and_its_new_folders) {
    const std::string path = PathOf("config/tallymar/Tallymar.ini");
    IniFile ini(path);
    EXPECT_FALSE(ini.Load());
    ini.WriteIni("OPTIONS", "ColorTheme", "0");
    ini.WriteIni("OPTIONS", "ColorTheme 0Name", "Default        ");
    ini.WriteIni("FORM", "Width", "3200");
    ini.WriteIni("OPTIONS", "MachineSound", "two\nlines");
    ASSERT_TRUE(ini.Save(&reason));
    EXPECT_EQ(ReadFile(path),
              "[OPTIONS]\nColorTheme=0\nColorTheme 0Name=Default        \n"
              "MachineSound=two lines\n\n\n[FORM]\nWidth=3200\n");
}

TEST_F(IniFileTest, reads_keys_in_any_letter_case_and_keeps_what_it_does_not_know) {
    WriteFile(PathOf("Tallymar.ini"),
              "; my notes\n\n[options]\r\nDecimals = 4 \r\nPlugin=on\n"
              "decimals=6\n[Extra]\nA=1\n");
    IniFile ini(PathOf("Tallymar.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadIni("Options", "DECIMALS"), "4");  // the first of two equal keys
    EXPECT_EQ(ini.ReadIni("OPTIONS", "CalcMode"), "");
    EXPECT_EQ(ini.ReadIni("FORM", "Plugin"), "");
    ini.WriteIni("OPTIONS", "DECIMALS", "2");  // keeps the key's place and spelling
    ini.WriteIni("OPTIONS", "CalcMode", "False");
    ASSERT_TRUE(ini.Save(&reason));
    const std::string expected =
        "; my notes\n\n\n[options]\nDecimals=2\nPlugin=on\nCalcMode=False\n\n\n[Extra]\nA=1\n";
    EXPECT_EQ(ReadFile(PathOf("Tallymar.ini")), expected);
    IniFile again(PathOf("Tallymar.ini"));  // the layout does not grow from save to save
    ASSERT_TRUE(again.Load());
    ASSERT_TRUE(again.Save(&reason));
    EXPECT_EQ(ReadFile(PathOf("Tallymar.ini")), expected);
}

TEST_F(IniFileTest, finds_the_file_whatever_the_letter_case_of_its_name_and_saves_there) {
    WriteFile(PathOf("tallymar.INI"), "[OPTIONS]\nDecimals=6\n");
    IniFile ini(PathOf("Tallymar.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadIni("OPTIONS", "Decimals"), "6");
    ini.WriteIni("OPTIONS", "Decimals", "1");
    ASSERT_TRUE(ini.Save(&reason));
    EXPECT_EQ(Names(), std::vector<std::string>{"tallymar.INI"});
    EXPECT_EQ(ReadFile(PathOf("tallymar.INI")), "[OPTIONS]\nDecimals=1\n");
}

TEST_F(IniFileTest, returns_at_most_254_characters_of_a_value) {
    const std::string e_acute = "\xC3\xA9";
    std::string accents;
    for (int i = 0; i < 300; ++i) accents += e_acute;
    const std::vector<std::pair<std::string, std::string>> rows = {
        {std::string(254, 'a'), std::string(254, 'a')},
        {std::string(300, 'b'), std::string(254, 'b')},
        {accents, accents.substr(0, 508)}};
    for (const auto& [stored, read] : rows) {
        WriteFile(PathOf("Tallymar.ini"), "[OPTIONS]\nMachineSound=" + stored + "\n");
        IniFile ini(PathOf("Tallymar.ini"));
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.ReadIni("OPTIONS", "MachineSound"), read) << stored.size();
    }
}

TEST_F(IniFileTest, a_failed_save_says_why_and_leaves_the_old_file_and_no_temporary_file) {
    fs::create_directory(PathOf("Tallymar.ini"));  // the name is taken by a folder
    IniFile into_folder(PathOf("Tallymar.ini"));
    EXPECT_FALSE(into_folder.Load());
    into_folder.WriteIni("FORM", "Top", "0");
    EXPECT_FALSE(into_folder.Save(&reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(fs::is_directory(PathOf("Tallymar.ini")));
    fs::remove(PathOf("Tallymar.ini"));

    WriteFile(PathOf("plain"), "x");
    IniFile under_a_file(PathOf("plain/Tallymar.ini"));
    under_a_file.WriteIni("FORM", "Top", "0");
    EXPECT_FALSE(under_a_file.Save(&reason));
    EXPECT_EQ(reason, "Not a directory");
    fs::remove(PathOf("plain"));

    const std::string old_text = "[OPTIONS]\nDecimals=6\n";
    WriteFile(PathOf("Tallymar.ini"), old_text);
    IniFile ini(PathOf("Tallymar.ini"));
    ASSERT_TRUE(ini.Load());
    ini.WriteIni("OPTIONS", "MachineSound", std::string(200, 'x'));
    // Files may grow to 64 bytes only, so the write itself fails (root or not).
    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = ini.Save(&reason);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(ReadFile(PathOf("Tallymar.ini")), old_text);
    EXPECT_EQ(Names(), std::vector<std::string>{"Tallymar.ini"});
}

TEST_F(IniFileTest, leaves_alone_a_file_too_large_to_be_settings) {
    const std::string path = PathOf("Tallymar.ini");
    WriteFile(path, "[OPTIONS]\nDecimals=6\n");
    fs::resize_file(path, kMaxIniFileSize + 1);
    IniFile ini(path);
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.ReadIni("OPTIONS", "Decimals"), "");
    ini.WriteIni("OPTIONS", "Decimals", "2");
    EXPECT_FALSE(ini.Save(&reason));
    EXPECT_EQ(reason,
              "it could not be read at start-up (it is too large to be a settings file), so it "
              "was left as it was");
    EXPECT_EQ(fs::file_size(path), kMaxIniFileSize + 1);
}

TEST_F(IniFileTest, junk_text_loads_into_settings_without_harm) {
    const std::vector<std::string> junk = {
        "\0\xff\xfe[OPTIONS\n=\n==\n[]\n\x01\x02=\x03"s, std::string(1 << 20, 'x'),
        "no sections at all\nDecimals=4\n[unterminated\nColorThemes=1e300\n",
        "\xEF\xBB\xBF[OPTIONS]\nColorThemes=-5\nColorTheme=3\n",
        "[OPTIONS]\nColorThemes=2\nColorTheme 1Name=\xC3\n[OPTIONS]\nCalcMode=True\n"};
    for (const std::string& text : junk) {
        IniFile ini(PathOf("Tallymar.ini"));
        ini.LoadFromText(text);
        Settings s;
        EXPECT_TRUE(LoadSettings(ini, true, kScreen, &s));
        EXPECT_FALSE(s.Themes.empty());
        EXPECT_LT(static_cast<size_t>(s.CurrentTheme), s.Themes.size());
        SaveSettings(ini, s);
        EXPECT_TRUE(ini.Save(&reason));
    }
    IniFile ini(PathOf("Tallymar.ini"));
    ini.LoadFromText("[OPTIONS]\nA=1\0\nDecimals=4\n"s);
    EXPECT_EQ(ini.ReadIni("OPTIONS", "Decimals"), "4");  // a NUL byte does not end the file
}

TEST_F(IniFileTest, settings_survive_a_save_and_a_load_through_the_file) {
    Settings saved;
    saved.Themes.push_back({100, "Exactly fifteen", 1, 2, 3, 4, 5});
    saved.CurrentTheme = 7;
    saved.options.CallbackCharacter = "Pippa";
    saved.form = {3200, 6000, 14400.5f, 1080};
    IniFile out(PathOf("Tallymar.ini"));
    SaveSettings(out, saved);
    ASSERT_TRUE(out.Save(&reason));
    EXPECT_NE(ReadFile(PathOf("Tallymar.ini")).find("\nColorTheme 0Name=Default        \n"),
              std::string::npos);

    IniFile in(PathOf("Tallymar.ini"));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(in, in.Load(), kScreen, &loaded));
    EXPECT_EQ(loaded.Themes, saved.Themes);
    EXPECT_EQ(loaded.CurrentTheme, 7);
    EXPECT_EQ(loaded.options.CallbackCharacter, "Pippa");
    EXPECT_EQ(loaded.form, saved.form);
}

TEST_F(IniFileTest, settings_live_beside_the_program_when_its_folder_is_writable) {
    EXPECT_EQ(SettingsPath(folder_.string()), PathOf("Tallymar.ini"));
    WriteFile(PathOf("TALLYMAR.ini"), "");
    EXPECT_EQ(SettingsPath(folder_.string()), PathOf("TALLYMAR.ini"));
}

TEST_F(IniFileTest, settings_move_to_the_config_folder_when_the_program_folder_is_not_writable) {
    const std::string nowhere = PathOf("no such folder");
    const std::string home = PathOf("home");
    EnvVar home_var("HOME", home.c_str());
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"/etc/xdg-test", "/etc/xdg-test/tallymar/Tallymar.ini"},
        {nullptr, home + "/.config/tallymar/Tallymar.ini"},
        {"relative/config", home + "/.config/tallymar/Tallymar.ini"}};
    for (const auto& [xdg, expected] : rows) {
        EnvVar xdg_var("XDG_CONFIG_HOME", xdg);
        EXPECT_EQ(SettingsPath(nowhere), expected) << (xdg ? xdg : "(unset)");
    }
}

}  // namespace
}  // namespace tallymar
