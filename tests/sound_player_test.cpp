// PlayWave through SDL's disk driver, which writes what reaches the sound device
// to a file: which file plays, in which order, sample for sample, and what happens
// with missing and damaged files and without a sound device.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
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
using testing::WriteWave;
using Samples = std::vector<std::int16_t>;

class SoundPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tallymar-sound-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (const char* sub : {"current", "program", "data"}) fs::create_directory(folder_ / sub);
        previous_folder_ = fs::current_path();
        fs::current_path(folder_ / "current");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder_ / "device.raw").c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override {
        fs::current_path(previous_folder_);
        fs::remove_all(folder_);
    }

    std::string In(const char* sub, const char* name) const { return folder_ / sub / name; }
    SdlWavePlayer Player(SdlWavePlayer::Clock clock = std::chrono::steady_clock::now) {
        return SdlWavePlayer(
            {folder_ / "program", folder_ / "data"}, [this] { ++default_sounds_; },
            std::move(clock));
    }
    // Plays the files with a new player and returns what reached the device once the
    // player closed it.
    Samples Play(const std::vector<std::string>& names) {
        fs::remove(folder_ / "device.raw");
        {
            SdlWavePlayer player = Player();
            for (const std::string& name : names) player.PlayWave(name);
        }
        return fs::exists(folder_ / "device.raw") ? testing::ReadRawSamples(folder_ / "device.raw")
                                                  : Samples{};
    }
    static std::size_t Loud(const Samples& samples) {
        return std::count_if(samples.begin(), samples.end(), [](std::int16_t s) { return s != 0; });
    }

    fs::path folder_, previous_folder_;
    int default_sounds_ = 0;
};

TEST_F(SoundPlayer, files_reach_the_device_sample_for_sample_one_after_the_other) {
    const Samples first = Noise(4000, 1), second = Noise(3000, 2);
    WriteWave(In("current", "a5.wav"), first, 22050);
    WriteWave(In("current", "a+.wav"), second, 22050);
    const Samples heard = Play({"a5.wav", "a+.wav", "a5.wav"});
    const auto one = FindSamples(heard, first);
    ASSERT_TRUE(one.has_value());
    const auto two = FindSamples(heard, second, *one + first.size());
    ASSERT_TRUE(two.has_value());
    EXPECT_TRUE(FindSamples(heard, first, *two + second.size()).has_value());
    EXPECT_EQ(Loud(heard), 2 * first.size() + second.size()) << "nothing else is heard";
    EXPECT_EQ(default_sounds_, 0);
}

// A steady level of a quarter of full scale for 0.1 s, in any format, comes out as
// about 2,205 samples at that level.
TEST_F(SoundPlayer, files_in_other_formats_are_converted_to_the_devices_format) {
    const struct {
        int rate, channels, bits;
    } rows[] = {{44100, 2, 16}, {11025, 1, 8}, {8000, 2, 8}, {48000, 1, 16}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.rate) + " Hz, " + std::to_string(row.channels) + "x" +
                     std::to_string(row.bits));
        WriteWave(In("current", "x.wav"), Samples(row.rate / 10, 8192), row.rate, row.channels,
                  row.bits);
        const Samples heard = Play({"x.wav"});
        const auto level = std::count_if(heard.begin(), heard.end(),
                                         [](std::int16_t s) { return std::abs(s - 8192) < 400; });
        EXPECT_GT(level, 2205 * 0.9);
        EXPECT_LT(level, 2205 * 1.1);
    }
    EXPECT_EQ(default_sounds_, 0);
}

TEST_F(SoundPlayer, a_file_is_looked_for_here_then_by_the_program_then_where_it_is_installed) {
    const Samples sounds[] = {Noise(2000, 10), Noise(2000, 11), Noise(2000, 12)};
    const char* const subs[] = {"current", "program", "data"};
    for (int first = 0; first < 3; ++first) {
        for (int i = 0; i < 3; ++i) {
            fs::remove(In(subs[i], "bn.wav"));
            if (i >= first) WriteWave(In(subs[i], "bn.wav"), sounds[i], 22050);
        }
        const Samples heard = Play({"bn.wav"});
        EXPECT_TRUE(FindSamples(heard, sounds[first]).has_value()) << subs[first];
        EXPECT_EQ(Loud(heard), sounds[first].size()) << subs[first];
    }
    // A file that is nowhere, no name, or a folder plays the default sound instead.
    fs::create_directory(In("current", "t9.wav"));
    EXPECT_EQ(Loud(Play({"t5.wav", "", "t9.wav", "bn.wav"})), 2000u);
    EXPECT_EQ(default_sounds_, 3);
}

TEST_F(SoundPlayer, a_damaged_or_foreign_file_with_a_wave_name_plays_the_default_sound) {
    using namespace std::string_literals;
    auto wave = [this](int rate, std::size_t frames, int format_tag) {
        WriteWave(In("data", "made.wav"), Samples(frames, 300), rate);
        std::string bytes = testing::ReadBytes(In("data", "made.wav"));
        bytes[20] = static_cast<char>(format_tag);
        return bytes;
    };
    const std::pair<const char*, std::string> rows[] = {
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
        std::ofstream(In("current", "pq.wav"), std::ios::binary) << bytes;
        EXPECT_EQ(Loud(Play({"pq.wav"})), 0u) << what;
        EXPECT_EQ(default_sounds_, ++expected) << what;
    }

    // A recording cut off early, its data chunk claiming four gigabytes, plays what it has.
    const Samples whole = Noise(4000, 7);
    WriteWave(In("current", "cut.wav"), whole, 22050);
    std::string bytes = testing::ReadBytes(In("current", "cut.wav"));
    bytes.resize(44 + 2 * 2000);
    bytes.replace(40, 4, "\xf0\xff\xff\xff");
    std::ofstream(In("current", "cut.wav"), std::ios::binary) << bytes;
    const Samples heard = Play({"cut.wav"});
    EXPECT_TRUE(FindSamples(heard, Samples(whole.begin(), whole.begin() + 2000)).has_value());
    EXPECT_EQ(Loud(heard), 2000u);
    EXPECT_EQ(default_sounds_, expected);
}

// ALSA, asked for a device that does not exist, prints its failure on the standard
// error unless the player keeps it quiet.
TEST_F(SoundPlayer, without_a_device_every_sound_is_silent_and_the_device_is_tried_again_later) {
    const Samples sound = Noise(1500, 4);
    WriteWave(In("current", "s1.wav"), sound, 22050);
    for (const auto& [driver, device] : {std::pair{"no-such-driver", ""}, {"alsa", "no-device"}}) {
        auto now = std::chrono::steady_clock::time_point{};
        fs::remove(folder_ / "device.raw");
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        {
            SdlWavePlayer player = Player([&now] { return now; });
            setenv("SDL_AUDIODRIVER", driver, 1);
            setenv("AUDIODEV", device, 1);
            for (int key = 0; key < 50; ++key) player.PlayWave("s1.wav");
            setenv("SDL_AUDIODRIVER", "disk", 1);  // a device appears
            unsetenv("AUDIODEV");
            now += SdlWavePlayer::kRetryAfter / 2;
            player.PlayWave("s1.wav");
            EXPECT_FALSE(fs::exists(folder_ / "device.raw")) << driver << ": tried too soon";
            now += SdlWavePlayer::kRetryAfter;
            player.PlayWave("s1.wav");
        }
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << driver;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << driver;
        EXPECT_EQ(Loud(testing::ReadRawSamples(folder_ / "device.raw")), sound.size()) << driver;
    }
    EXPECT_EQ(default_sounds_, 0);
}

}  // namespace
}  // namespace tallymar
