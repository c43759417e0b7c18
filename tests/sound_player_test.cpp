// PlayWave through SDL's disk driver, which writes what reaches the sound device
// to a file: which file plays, in which order, sample for sample, and what happens
// with missing and damaged files and without a sound device.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_wave_player.h"
#include "wave_samples.h"
#include "temp_folder.h"

namespace tallymar {
namespace {

using tallymar::testing::TempFolder;

namespace fs = std::filesystem;
using testing::FindSamples;
using testing::Noise;
using testing::WriteWave;
using Samples = std::vector<std::int16_t>;

class SoundPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* sub : {"current", "program", "data"}) fs::create_directory(folder_ / sub);
        previous_folder_ = fs::current_path();
        fs::current_path(folder_ / "current");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder_ / "device.raw").c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
    }
    void TearDown() override {
        fs::current_path(previous_folder_);
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

    TempFolder temp_{"tallymar-sound"};
    const fs::path& folder_ = temp_.path();
    fs::path previous_folder_;
    int default_sounds_ = 0;
};

// Each file is looked for here, then in the program's folder, then where the program
// is installed; one that is nowhere, no name, or a folder plays the default sound.
TEST_F(SoundPlayer, files_reach_the_device_whole_one_after_the_other_from_the_first_folder) {
    const Samples here = Noise(4000, 1), program = Noise(3000, 2), installed = Noise(2000, 3);
    WriteWave(In("current", "a5.wav"), here, 22050);
    WriteWave(In("data", "a5.wav"), installed, 22050);
    WriteWave(In("program", "a+.wav"), program, 22050);
    WriteWave(In("data", "a+.wav"), installed, 22050);
    WriteWave(In("data", "an.wav"), installed, 22050);
    fs::create_directory(In("current", "t9.wav"));
    const Samples heard = Play({"a5.wav", "t5.wav", "a+.wav", "", "an.wav", "t9.wav", "a5.wav"});
    std::size_t at = 0;
    for (const Samples* sound : {&here, &program, &installed, &here}) {
        const auto found = FindSamples(heard, *sound, at);
        ASSERT_TRUE(found.has_value()) << "sound " << sound->front() << " after sample " << at;
        at = *found + sound->size();
    }
    EXPECT_EQ(Loud(heard), 2 * here.size() + program.size() + installed.size());
    EXPECT_EQ(default_sounds_, 3);
}

// A steady level of a quarter of full scale for 0.1 s, in any format, comes out as
// about 2,205 samples at that level.
TEST_F(SoundPlayer, files_in_other_formats_are_converted_to_the_devices_format) {
    for (const auto& [rate, channels, bits] :
         {std::array{44100, 2, 16}, {11025, 1, 8}, {8000, 2, 8}, {48000, 1, 16}}) {
        WriteWave(In("current", "x.wav"), Samples(rate / 10, 8192), rate, channels, bits);
        const Samples heard = Play({"x.wav"});
        const auto level = std::count_if(heard.begin(), heard.end(),
                                         [](std::int16_t s) { return std::abs(s - 8192) < 400; });
        EXPECT_NEAR(level, 2205, 220) << rate << " Hz, " << channels << " x " << bits << " bits";
    }
}

TEST_F(SoundPlayer, a_damaged_or_foreign_file_with_a_wave_name_plays_the_default_sound) {
    using namespace std::string_literals;
    auto wave = [this](int rate, std::size_t frames, int format_tag) {
        WriteWave(In("data", "made.wav"), Samples(frames, 300), rate);
        std::string bytes = testing::ReadBytes(In("data", "made.wav"));
        bytes[20] = static_cast<char>(format_tag);
        return bytes;
    };
    // Empty, a text, random bytes, a wave header cut short, the RIFF of something else,
    // an encoding not known, one sample a second for 1000 s, four million a second.
    // clang-format off
    const std::string files[] = {
        "", "12.50 + 3 = 15.50\n", "\x13\x37\xfe\xed\x00\x01\x02"s, "RIFF\x24\0\0\0WAVEfmt "s,
        "RIFF\x10\0\0\0AVI LIST\x04\0\0\0abcd"s, wave(22050, 100, 0x55), wave(1, 1000, 1),
        wave(4194301, 1000, 1)};
    // clang-format on
    int expected = 0;
    for (const std::string& bytes : files) {
        std::ofstream(In("current", "pq.wav"), std::ios::binary) << bytes;
        EXPECT_EQ(Loud(Play({"pq.wav"})), 0u) << expected;
        EXPECT_EQ(default_sounds_, ++expected);
    }
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
