// PlayWave through SDL's disk driver, which writes what reaches the sound device
// to a file: which file plays, in which order, sample for sample, and what happens
// with missing and damaged files and without a sound device.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_wave_player.h"
#include "wave_samples.h"

namespace tallymar {
namespace {

namespace fs = std::filesystem;
using testing::FindSamples;
using testing::Noise;
using testing::ReadRawSamples;
using testing::WriteWave;

class SoundPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tallymar-sound-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (const char* sub : {"current", "program", "data"}) fs::create_directory(folder_ / sub);
        previous_folder_ = fs::current_path();
        fs::current_path(folder_ / "current");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Output().c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override {
        fs::current_path(previous_folder_);
        fs::remove_all(folder_);
    }

    std::string Output() const { return (folder_ / "device.raw").string(); }
    std::string In(const char* sub, const std::string& name) const {
        return (folder_ / sub / name).string();
    }
    SdlWavePlayer Player(SdlWavePlayer::Clock clock = std::chrono::steady_clock::now) {
        return SdlWavePlayer(
            {(folder_ / "program").string(), (folder_ / "data").string()},
            [this] { ++default_sounds_; }, std::move(clock));
    }
    // What reached the device; the player must have closed it.
    std::vector<std::int16_t> Heard() const {
        return fs::exists(Output()) ? ReadRawSamples(Output()) : std::vector<std::int16_t>{};
    }
    static std::size_t Loud(const std::vector<std::int16_t>& samples) {
        return std::count_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; });
    }

    fs::path folder_;
    fs::path previous_folder_;
    int default_sounds_ = 0;
};

TEST_F(SoundPlayer, files_reach_the_device_sample_for_sample_one_after_the_other) {
    const auto first = Noise(4000, 1);
    const auto second = Noise(3000, 2);
    WriteWave(In("current", "a5.wav"), first, 22050);
    WriteWave(In("current", "a+.wav"), second, 22050);
    {
        SdlWavePlayer player = Player();
        player.PlayWave("a5.wav");
        player.PlayWave("a+.wav");
        player.PlayWave("a5.wav");
    }
    const auto heard = Heard();
    const auto one = FindSamples(heard, first);
    ASSERT_TRUE(one.has_value());
    const auto two = FindSamples(heard, second, *one + first.size());
    ASSERT_TRUE(two.has_value());
    EXPECT_TRUE(FindSamples(heard, first, *two + second.size()).has_value());
    EXPECT_EQ(Loud(heard), 2 * first.size() + second.size()) << "nothing else is heard";
    EXPECT_EQ(default_sounds_, 0);
}

// A file in another format is heard at the device's rate: a steady level of a
// quarter of full scale for 0.1 s comes out as about 2,205 samples at that level.
TEST_F(SoundPlayer, files_in_other_formats_are_converted_to_the_devices_format) {
    struct Row {
        const char* what;
        int rate;
        int channels;
        int bits;
    };
    const Row rows[] = {
        {"44,100 Hz stereo 16-bit", 44100, 2, 16},
        {"11,025 Hz mono 8-bit", 11025, 1, 8},
        {"8,000 Hz stereo 8-bit", 8000, 2, 8},
        {"48,000 Hz mono 16-bit", 48000, 1, 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteWave(In("current", "x.wav"), std::vector<std::int16_t>(row.rate / 10, 8192), row.rate,
                  row.channels, row.bits);
        fs::remove(Output());
        {
            SdlWavePlayer player = Player();
            player.PlayWave("x.wav");
        }
        const auto heard = Heard();
        const auto level = std::count_if(heard.begin(), heard.end(),
                                         [](std::int16_t s) { return std::abs(s - 8192) < 400; });
        EXPECT_GT(level, 2205 * 0.9);
        EXPECT_LT(level, 2205 * 1.1);
    }
    EXPECT_EQ(default_sounds_, 0);
}

TEST_F(SoundPlayer, the_current_folder_comes_first_then_the_programs_then_the_installed_one) {
    const auto current = Noise(2000, 10);
    const auto program = Noise(2000, 11);
    const auto data = Noise(2000, 12);
    struct Row {
        bool in_current, in_program, in_data;
        const std::vector<std::int16_t>* heard;
    };
    const Row rows[] = {
        {true, true, true, &current},
        {false, true, true, &program},
        {false, false, true, &data},
        {true, false, true, &current},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(
            std::vector<bool>{row.in_current, row.in_program, row.in_data}));
        for (const char* sub : {"current", "program", "data"}) fs::remove(In(sub, "bn.wav"));
        if (row.in_current) WriteWave(In("current", "bn.wav"), current, 22050);
        if (row.in_program) WriteWave(In("program", "bn.wav"), program, 22050);
        if (row.in_data) WriteWave(In("data", "bn.wav"), data, 22050);
        fs::remove(Output());
        {
            SdlWavePlayer player = Player();
            player.PlayWave("bn.wav");
        }
        const auto heard = Heard();
        EXPECT_TRUE(FindSamples(heard, *row.heard).has_value());
        EXPECT_EQ(Loud(heard), row.heard->size());
    }
}

TEST_F(SoundPlayer, a_missing_file_plays_the_default_sound_and_nothing_else) {
    WriteWave(In("current", "t2.wav"), Noise(1000, 3), 22050);
    {
        SdlWavePlayer player = Player();
        player.PlayWave("t5.wav");
        EXPECT_EQ(default_sounds_, 1);
        player.PlayWave("");
        EXPECT_EQ(default_sounds_, 2);
        fs::create_directory(In("current", "t9.wav"));  // a folder is not a sound
        player.PlayWave("t9.wav");
        EXPECT_EQ(default_sounds_, 3);
        player.PlayWave("t2.wav");
        EXPECT_EQ(default_sounds_, 3);
    }
    EXPECT_EQ(Loud(Heard()), 1000u);
}

TEST_F(SoundPlayer, a_damaged_or_foreign_file_with_a_wave_name_plays_the_default_sound) {
    using namespace std::string_literals;
    auto wave = [this](int rate, std::size_t frames, int format_tag) {
        WriteWave(In("data", "made.wav"), std::vector<std::int16_t>(frames, 300), rate);
        std::string bytes = testing::ReadBytes(In("data", "made.wav"));
        bytes[20] = static_cast<char>(format_tag);
        return bytes;
    };
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"an empty file", ""},
        {"a text", "12.50 + 3 = 15.50\n"},
        {"random bytes", "\x13\x37\xfe\xed\x00\x01\x02"s},
        {"a wave header cut short", "RIFF\x24\0\0\0WAVEfmt "s},
        {"the RIFF of something else", "RIFF\x10\0\0\0AVI LIST\x04\0\0\0abcd"s},
        {"an encoding that is not known", wave(22050, 100, 0x55)},
        {"a rate of one sample a second, a thousand seconds long", wave(1, 1000, 1)},
        {"a rate of four million samples a second", wave(4194301, 1000, 1)},
    };
    int expected = 0;
    for (const auto& [what, bytes] : rows) {
        SCOPED_TRACE(what);
        std::ofstream(In("current", "pq.wav"), std::ios::binary) << bytes;
        SdlWavePlayer player = Player();
        player.PlayWave("pq.wav");
        EXPECT_EQ(default_sounds_, ++expected);
    }
    EXPECT_EQ(Loud(Heard()), 0u);
}

TEST_F(SoundPlayer, a_recording_cut_off_early_plays_up_to_where_it_ends) {
    const auto whole = Noise(4000, 7);
    WriteWave(In("current", "cut.wav"), whole, 22050);
    std::string bytes = testing::ReadBytes(In("current", "cut.wav"));
    bytes.resize(44 + 2 * 2000);
    bytes.replace(40, 4, "\xf0\xff\xff\xff");  // the data chunk claims four gigabytes
    std::ofstream(In("current", "cut.wav"), std::ios::binary) << bytes;
    {
        SdlWavePlayer player = Player();
        player.PlayWave("cut.wav");
    }
    const std::vector<std::int16_t> kept(whole.begin(), whole.begin() + 2000);
    EXPECT_TRUE(FindSamples(Heard(), kept).has_value());
    EXPECT_EQ(Loud(Heard()), kept.size());
    EXPECT_EQ(default_sounds_, 0);
}

// ALSA, asked for a device that does not exist, prints its failure on the standard
// error unless the player keeps it quiet.
TEST_F(SoundPlayer, without_a_sound_device_every_sound_is_silent_and_says_nothing) {
    struct Row {
        const char* driver;
        const char* device;
    };
    const Row rows[] = {{"no-such-driver", ""}, {"alsa", "no-such-device"}};
    WriteWave(In("current", "s1.wav"), Noise(22050, 4), 22050);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.driver);
        setenv("SDL_AUDIODRIVER", row.driver, 1);
        setenv("AUDIODEV", row.device, 1);
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        {
            SdlWavePlayer player = Player();
            for (int key = 0; key < 50; ++key) player.PlayWave("s1.wav");
        }
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
    unsetenv("AUDIODEV");
    EXPECT_EQ(default_sounds_, 0);
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(SoundPlayer, a_device_that_failed_is_tried_again_only_after_a_while) {
    auto now = std::chrono::steady_clock::time_point{};
    const auto first = Noise(1500, 5);
    const auto second = Noise(1500, 6);
    WriteWave(In("current", "o1.wav"), first, 22050);
    WriteWave(In("current", "o2.wav"), second, 22050);
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    {
        SdlWavePlayer player = Player([&now] { return now; });
        player.PlayWave("o1.wav");
        setenv("SDL_AUDIODRIVER", "disk", 1);  // a device appears
        now += SdlWavePlayer::kRetryAfter / 2;
        player.PlayWave("o1.wav");
        now += SdlWavePlayer::kRetryAfter;
        player.PlayWave("o2.wav");
    }
    const auto heard = Heard();
    EXPECT_FALSE(FindSamples(heard, first).has_value());
    EXPECT_TRUE(FindSamples(heard, second).has_value());
}

}  // namespace
}  // namespace tallymar
