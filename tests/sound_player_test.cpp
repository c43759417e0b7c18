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
#include "platform/sdl/wave_data.h"
#include "temp_folder.h"
#include "wave_samples.h"

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
    void TearDown() override { fs::current_path(previous_folder_); }

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
    using testing::Chunk;
    // Empty, a text, random bytes, a wave header cut short, the RIFF of something else,
    // an encoding not known. (What else makes a header damaged: WaveReader below.)
    const std::string files[] = {
        "",
        "12.50 + 3 = 15.50\n",
        "\x13\x37\xfe\xed\x00\x01\x02"s,
        "RIFF\x24\0\0\0WAVEfmt "s,
        "RIFF\x10\0\0\0AVI LIST\x04\0\0\0abcd"s,
        testing::RiffWave(Chunk("fmt ", testing::FormatBody(0x55, 1, 22050, 2, 16)) +
                          Chunk("data", std::string(200, '\x10')))};
    int expected = 0;
    for (const std::string& bytes : files) {
        std::ofstream(In("current", "pq.wav"), std::ios::binary) << bytes;
        EXPECT_EQ(Loud(Play({"pq.wav"})), 0u) << expected;
        EXPECT_EQ(default_sounds_, ++expected);
    }
}

// A header is believed only as far as the file bears it out: every chunk before the
// sound lies inside the file, the format's fields agree with one another, and the
// sound it declares lasts at most ten seconds at its own rate (a cut-off recording
// plays what it holds). Anything else is damaged and gives no samples at all.
TEST(WaveReader, headers_that_lie_about_their_sound_give_nothing) {
    using namespace std::string_literals;
    using testing::Chunk;
    using testing::Fields;
    using testing::FormatBody;
    using testing::RiffWave;
    const std::string pcm16 = Chunk("fmt ", FormatBody(1, 1, 22050, 2, 16));
    const std::string frames100 = std::string(200, '\x10');
    const std::string guid = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71"s;
    auto extensible = [&](const std::string& tail) {
        return Chunk(
            "fmt ", FormatBody(0xfffe, 1, 22050, 2, 16, Fields({{22, 2}, {16, 2}, {4, 4}}) + tail));
    };
    auto ima = [](int frames_per_block, int step_index) {
        return RiffWave(Chunk("fmt ", FormatBody(0x11, 1, 22050, 36, 4,
                                                 Fields({{2, 2}, {frames_per_block, 2}}))) +
                        Chunk("data", Fields({{1000, 2}, {std::uint32_t(step_index), 1}, {0, 1}}) +
                                          std::string(32, '\x7a')));
    };
    auto ms = [](int predictor) {  // one predictor (256, 0) only
        return RiffWave(
            Chunk("fmt ", FormatBody(2, 1, 22050, 15, 4,
                                     Fields({{8, 2}, {18, 2}, {1, 2}, {256, 2}, {0, 2}}))) +
            Chunk("data", Fields({{std::uint32_t(predictor), 1}, {16, 2}, {100, 2}, {90, 2}}) +
                              std::string(8, '\x17')));
    };
    struct Row {
        const char* what;
        std::string bytes;
        std::optional<std::size_t> samples;
    };
    // clang-format off
    const Row rows[] = {
        {"exactly ten seconds at 8 kHz", RiffWave(Chunk("fmt ", FormatBody(1, 1, 8000, 1, 8)) + Chunk("data", std::string(80000, '\x90'))), 220500},
        {"ten seconds and one frame", RiffWave(Chunk("fmt ", FormatBody(1, 1, 8000, 1, 8)) + Chunk("data", std::string(80001, '\x90'))), std::nullopt},
        {"ten seconds declared, 100 frames held", RiffWave(pcm16 + Chunk("data", frames100, 441000)), 100},
        {"a day declared, 100 frames held", RiffWave(pcm16 + Chunk("data", frames100, 0xfffffff0)), std::nullopt},
        {"format chunk running past the end", RiffWave(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 16), 4000) + Chunk("data", frames100)), std::nullopt},
        {"other chunk running past the end", RiffWave(pcm16 + Chunk("LIST", "abcd", 4000) + Chunk("data", frames100)), std::nullopt},
        {"odd chunk with its pad byte", RiffWave(pcm16 + Chunk("LIST", "abc") + Chunk("data", frames100)), 100},
        {"zero channels", RiffWave(Chunk("fmt ", FormatBody(1, 0, 22050, 2, 16)) + Chunk("data", frames100)), std::nullopt},
        {"zero rate", RiffWave(Chunk("fmt ", FormatBody(1, 1, 0, 2, 16)) + Chunk("data", frames100)), std::nullopt},
        {"four million a second", RiffWave(Chunk("fmt ", FormatBody(1, 1, 4000000, 2, 16)) + Chunk("data", frames100)), std::nullopt},
        {"zero block size", RiffWave(Chunk("fmt ", FormatBody(1, 1, 22050, 0, 16)) + Chunk("data", frames100)), std::nullopt},
        {"block too small for two channels", RiffWave(Chunk("fmt ", FormatBody(1, 2, 22050, 2, 16)) + Chunk("data", frames100)), std::nullopt},
        {"12-bit samples", RiffWave(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 12)) + Chunk("data", frames100)), std::nullopt},
        {"format chunk cut short", RiffWave(Chunk("fmt ", FormatBody(1, 1, 22050, 2, 16).substr(0, 14)) + Chunk("data", frames100)), std::nullopt},
        {"sound before any format", RiffWave(Chunk("data", frames100) + pcm16), std::nullopt},
        {"two formats", RiffWave(pcm16 + pcm16 + Chunk("data", frames100)), std::nullopt},
        {"extensible PCM", RiffWave(extensible(Fields({{1, 2}}) + guid) + Chunk("data", frames100)), 100},
        {"extensible of a foreign kind", RiffWave(extensible(Fields({{1, 2}}) + std::string(14, 'x')) + Chunk("data", frames100)), std::nullopt},
        {"IMA ADPCM block", ima(65, 10), 65},
        {"IMA ADPCM step index past its table", ima(65, 89), std::nullopt},
        {"IMA ADPCM more frames than a block holds", ima(66, 10), std::nullopt},
        {"Microsoft ADPCM block", ms(0), 18},
        {"Microsoft ADPCM predictor past its table", ms(1), std::nullopt},
    };
    // clang-format on
    for (const Row& row : rows) {
        const std::optional<Samples> samples = DecodeWave(row.bytes.data(), row.bytes.size());
        ASSERT_EQ(samples.has_value(), row.samples.has_value()) << row.what;
        if (samples) {
            EXPECT_EQ(samples->size(), *row.samples) << row.what;
        }
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
