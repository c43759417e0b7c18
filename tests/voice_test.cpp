// The voice characters' files: which files a word, a key or a number plays, and the
// recordings made at build time: every file the program can ask for is there, in the
// one format it plays, heard at once, and the characters speak in voices of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "voice/machine_sounds.h"
#include "voice/voices.h"
#include "wave_samples.h"

namespace tallymar {
namespace {

// Which words, keys and numbers speak is tried through the machine in voice_entry_test;
// here the texts no key sequence produces.
TEST(Voices, six_characters_with_a_letter_each_speak_whole_tokens_only) {
    std::set<char> prefixes;
    for (const char* character : kVoiceNames) prefixes.insert(VoicePrefix(character));
    EXPECT_EQ(prefixes.size(), 7u);  // six letters and None's '\0'
    for (const char* none : {"None", "", "grunk", "Vesna "}) EXPECT_EQ(VoicePrefix(none), '\0');
    const struct {
        WaveFiles (*files)(std::string_view, std::string_view);
        const char *who, *input, *expected;
    } cases[] = {
        {WordFiles, "Grunk", "%", "aq.wav"},
        {WordFiles, "Grunk", "---------------", "an.wav"},
        {WordFiles, "Grunk", "--------------", ""},
        {WordFiles, "Grunk", "S", ""},
        {WordFiles, "Grunk", "T ", ""},
        {WordFiles, "Grunk", "12", ""},
        {KeyFiles, "Pippa", "-", "tm.wav"},
        {KeyFiles, "Pippa", "+", ""},
        {NumberFiles, "Rusty", "-1,234.05",
         "bm.wav b1.wav b2.wav b3.wav b4.wav bp.wav b0.wav b5.wav"},
        {NumberFiles, "Rusty", "12.", "b1.wav b2.wav"},
        {NumberFiles, "Rusty", " 3 T", "b3.wav"},
        {NumberFiles, "Rusty", "---------------", ""},
        {NumberFiles, "None", "12", ""},
    };
    for (const auto& c : cases) {
        std::string heard;
        for (const std::string& file : c.files(c.who, c.input))
            heard += (heard.empty() ? "" : " ") + file;
        EXPECT_EQ(heard, c.expected) << c.who << " / \"" << c.input << "\"";
    }
    EXPECT_EQ(FindMachine("None"), &kMachines[0]);
    EXPECT_EQ(FindMachine("Hand driven"), nullptr);  // the caption is no setting
}

using Samples = std::vector<std::int16_t>;
constexpr int kRate = 22050;

// Everything a voice character can say, key by key and word by word.
const char* const kSpokenTokens[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                     "8", "9", ".", "-", "+", "*", "/", "---------------",
                                     "T", "=", "%"};

std::vector<std::string> FilesOfCharacter(const char* character) {
    std::vector<std::string> files;
    for (const char* token : kSpokenTokens) {
        for (const std::string& file : WordFiles(character, token)) files.push_back(file);
    }
    return files;
}

Samples Load(const std::string& name) {
    const auto wave = testing::ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
    return wave ? wave->samples : Samples{};
}

// The fundamental of every loud 40 ms stretch, by autocorrelation over 60-500 Hz.
std::vector<double> Pitches(const Samples& s) {
    constexpr std::size_t kFrame = kRate / 25, kMinLag = kRate / 500, kMaxLag = kRate / 60;
    auto energy = [&](std::size_t at, std::size_t lag) {
        double sum = 0;
        for (std::size_t i = at; i < at + kFrame; ++i) sum += double(s[i]) * s[i + lag];
        return sum;
    };
    std::vector<double> found;
    double loudest = 0;
    for (std::size_t at = 0; at + kFrame + kMaxLag <= s.size(); at += kFrame / 2) {
        loudest = std::max(loudest, energy(at, 0));
    }
    for (std::size_t at = 0; at + kFrame + kMaxLag <= s.size(); at += kFrame / 2) {
        const double own = energy(at, 0);
        if (own < loudest / 16) continue;
        std::size_t best_lag = kMinLag;
        for (std::size_t lag = kMinLag; lag <= kMaxLag; ++lag) {
            if (energy(at, lag) > energy(at, best_lag)) best_lag = lag;
        }
        if (energy(at, best_lag) / own > 0.6) found.push_back(double(kRate) / best_lag);
    }
    return found;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TEST(Recordings, every_file_the_program_plays_is_a_wave_it_plays_heard_at_once) {
    std::set<std::string> files;
    for (const char* character : kVoiceNames) {
        const auto words = FilesOfCharacter(character);
        files.insert(words.begin(), words.end());
        if (VoicePrefix(character) != '\0') {
            EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), 19u) << character;
        }
        for (const auto& more :
             {InputVoiceSampleFiles(character), CallbackVoiceSampleFiles(character)})
            files.insert(more.begin(), more.end());
    }
    for (const MachineInfo& machine : kMachines) {
        for (const auto& more : {KeySoundFiles(machine.value), TotalSoundFiles(machine.value)})
            files.insert(more.begin(), more.end());
    }
    EXPECT_EQ(files.size(), 6 * 19 + 3 + 13u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const auto wave = testing::ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->format, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->rate, kRate);
        EXPECT_EQ(wave->bits, 16);
        const Samples& s = wave->samples;
        ASSERT_GT(s.size(), kRate / 50u) << "at least 20 ms long";
        // A key's echo starts at once: loud within 10 ms of the first sample.
        const auto first =
            std::find_if(s.begin(), s.end(), [](auto v) { return std::abs(v) >= 328; });
        EXPECT_LT(first - s.begin(), kRate / 100);
        const auto [low, high] = std::minmax_element(s.begin(), s.end());
        EXPECT_GT(std::max(-*low, int{*high}), 32768 / 4) << "too quiet";
    }
}

// Words are voiced speech: Grunk the deepest, the two women the highest, and no two
// characters within 8 % of each other's pitch over all their words.
TEST(Recordings, the_six_characters_speak_at_clearly_different_pitches) {
    std::map<std::string, double> pitch;
    for (const char* character : kVoiceNames) {
        if (VoicePrefix(character) == '\0') continue;
        std::vector<double> all;
        for (const std::string& name : FilesOfCharacter(character)) {
            const auto found = Pitches(Load(name));
            all.insert(all.end(), found.begin(), found.end());
        }
        EXPECT_GE(all.size(), 19u) << character << " is not voiced";
        pitch[character] = Median(all);
    }
    ASSERT_EQ(pitch.size(), 6u);
    for (const auto& [a, pa] : pitch) {
        for (const auto& [b, pb] : pitch) {
            if (a < b) {
                EXPECT_GT(std::max(pa, pb) / std::min(pa, pb), 1.08) << a << " and " << b;
            }
        }
    }
    for (const char* man : {"Rusty", "Murph", "Dermot"}) {
        EXPECT_LT(pitch["Grunk"], pitch[man]) << man;
        EXPECT_LT(pitch[man], std::min(pitch["Vesna"], pitch["Pippa"])) << man;
    }
}

}  // namespace
}  // namespace tallymar
