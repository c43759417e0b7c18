// The voice characters and the recordings made at build time: every file the program
// can ask for is there, in the one format it plays, heard at once, and each character
// speaks in a voice of its own. (Which files a key plays is tried through the machine
// in voice_entry_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "voice/machine_sounds.h"
#include "voice/voices.h"
#include "wave_samples.h"

namespace tallymar {
namespace {

using Samples = std::vector<std::int16_t>;
constexpr int kRate = 22050;

// The twenty words a character says: digits, point, the operators, rule, total,
// equals, percent, not found.
std::vector<std::string> WordsOf(const char* character) {
    std::vector<std::string> files;
    for (const char* token : {"0", "1", "2", "3",          "4", "5", "6", "7",
                              "8", "9", ".", "-",          "+", "*", "/", "---------------",
                              "T", "=", "%", kNotFoundWord}) {
        for (const std::string& file : WordFiles(character, token)) files.push_back(file);
    }
    return files;
}

std::optional<testing::Wave> Load(const std::string& name) {
    return testing::ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
}

// The fundamental of every loud 40 ms stretch, by autocorrelation over 60-500 Hz.
void AddPitches(const Samples& s, std::vector<double>& found) {
    constexpr std::size_t kFrame = kRate / 25, kMinLag = kRate / 500, kMaxLag = kRate / 60;
    auto product = [&](std::size_t at, std::size_t lag) {
        double sum = 0;
        for (std::size_t i = at; i < at + kFrame; ++i) sum += double(s[i]) * s[i + lag];
        return sum;
    };
    for (std::size_t at = 0; at + kFrame + kMaxLag <= s.size(); at += kFrame / 2) {
        const double energy = product(at, 0);
        if (energy < kFrame * 2000.0 * 2000.0) continue;  // quieter than -24 dB
        std::size_t best = kMinLag;
        for (std::size_t lag = kMinLag; lag <= kMaxLag; ++lag)
            if (product(at, lag) > product(at, best)) best = lag;
        if (product(at, best) / energy > 0.6) found.push_back(double(kRate) / best);
    }
}

TEST(Recordings, every_file_the_program_plays_is_a_wave_it_plays_heard_at_once) {
    std::set<std::string> files;
    std::set<char> prefixes;
    for (const char* character : kVoiceNames) {
        prefixes.insert(VoicePrefix(character));
        for (const auto& some : {WordsOf(character), InputVoiceSampleFiles(character),
                                 CallbackVoiceSampleFiles(character)})
            files.insert(some.begin(), some.end());
    }
    for (const MachineInfo& machine : kMachines) {
        for (const auto& some : {KeySoundFiles(machine.value), TotalSoundFiles(machine.value)})
            files.insert(some.begin(), some.end());
    }
    EXPECT_EQ(prefixes.size(), 7u);  // a letter for each of six, none for "None"
    EXPECT_EQ(files.size(), 6 * 20 + 3 + 13u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const auto wave = Load(name);
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(std::vector({wave->format, wave->channels, wave->rate, wave->bits}),
                  std::vector({1, 1, kRate, 16}));
        const Samples& s = wave->samples;
        ASSERT_GT(s.size(), kRate / 50u) << "at least 20 ms long";
        // A key's echo starts at once: loud within 10 ms of the first sample.
        const auto first =
            std::find_if(s.begin(), s.end(), [](int v) { return std::abs(v) >= 328; });
        EXPECT_LT(first - s.begin(), kRate / 100);
        const auto [low, high] = std::minmax_element(s.begin(), s.end());
        EXPECT_GT(std::max(-*low, int{*high}), 32768 / 4) << "too quiet";
    }
}

// Words are voiced speech, and no two characters within 8 % of each other's pitch
// over all their words.
TEST(Recordings, the_six_characters_speak_at_clearly_different_pitches) {
    std::vector<double> medians;
    for (const char* character : kVoiceNames) {
        if (VoicePrefix(character) == '\0') continue;
        std::vector<double> all;
        for (const std::string& name : WordsOf(character)) AddPitches(Load(name)->samples, all);
        ASSERT_GE(all.size(), 19u) << character << " is not voiced";
        std::nth_element(all.begin(), all.begin() + all.size() / 2, all.end());
        medians.push_back(all[all.size() / 2]);
    }
    std::sort(medians.begin(), medians.end());
    for (std::size_t i = 1; i < medians.size(); ++i) {
        EXPECT_GT(medians[i] / medians[i - 1], 1.08) << ::testing::PrintToString(medians);
    }
}

}  // namespace
}  // namespace tallymar
