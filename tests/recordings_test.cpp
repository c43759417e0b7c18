// The wave files made at build time: every file the program can ask for is there,
// in the one format it plays, heard at once, and the characters and machines can be
// told apart.
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

using testing::ReadWave;
using Samples = std::vector<std::int16_t>;

constexpr int kRate = 22050;

// Gathers the names of the files a sound plays.
struct Collector {
    void Add(const WaveFiles& more) { files.insert(files.end(), more.begin(), more.end()); }
    std::vector<std::string> files;
};

// Everything a voice character can say, key by key and word by word.
const char* const kSpokenTokens[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                     "8", "9", ".", "-", "+", "*", "/", "---------------",
                                     "T", "=", "%"};

std::vector<std::string> FilesOfCharacter(const char* character) {
    Collector collector;
    for (const char* token : kSpokenTokens) collector.Add(WordFiles(character, token));
    return collector.files;
}

// Every file name the program plays: the characters' words, the machines' keys and
// the Sounds dialog's samples.
std::set<std::string> EveryFile() {
    Collector collector;
    for (const char* character : kVoiceNames) {
        for (const char* token : kSpokenTokens) collector.Add(WordFiles(character, token));
        collector.Add(InputVoiceSampleFiles(character));
        collector.Add(CallbackVoiceSampleFiles(character));
    }
    for (const MachineInfo& machine : kMachines) {
        collector.Add(KeySoundFiles(machine.value));
        collector.Add(TotalSoundFiles(machine.value));
    }
    return {collector.files.begin(), collector.files.end()};
}

Samples Load(const std::string& name) {
    const auto wave = ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
    return wave ? wave->samples : Samples{};
}

double Rms(const Samples& samples, std::size_t from, std::size_t count) {
    double sum = 0;
    for (std::size_t i = from; i < from + count; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / count);
}

double Decibels(double level) {
    return 20 * std::log10(level / 32768);
}

// The fundamental of every voiced 40 ms stretch, by autocorrelation over 60-500 Hz.
std::vector<double> Pitches(const Samples& samples) {
    constexpr std::size_t kFrame = kRate / 25;
    const std::size_t min_lag = kRate / 500;
    const std::size_t max_lag = kRate / 60;
    std::vector<double> found;
    if (samples.size() < kFrame + max_lag) return found;
    const double loudest = [&] {
        double most = 0;
        for (std::size_t at = 0; at + kFrame <= samples.size(); at += kFrame / 2) {
            most = std::max(most, Rms(samples, at, kFrame));
        }
        return most;
    }();
    for (std::size_t at = 0; at + kFrame + max_lag <= samples.size(); at += kFrame / 2) {
        if (Rms(samples, at, kFrame) < loudest / 4) continue;
        double energy = 0;
        for (std::size_t i = at; i < at + kFrame; ++i) energy += double(samples[i]) * samples[i];
        double best = 0;
        std::size_t best_lag = 0;
        for (std::size_t lag = min_lag; lag <= max_lag; ++lag) {
            double r = 0;
            for (std::size_t i = at; i < at + kFrame; ++i)
                r += double(samples[i]) * samples[i + lag];
            if (r / energy > best) best = r / energy, best_lag = lag;
        }
        if (best > 0.6) found.push_back(double(kRate) / best_lag);
    }
    return found;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TEST(Recordings, every_character_has_a_file_for_each_of_its_nineteen_words) {
    for (const char* character : kVoiceNames) {
        if (VoicePrefix(character) == '\0') continue;
        const auto files = FilesOfCharacter(character);
        EXPECT_EQ(std::set<std::string>(files.begin(), files.end()).size(), 19u) << character;
    }
}

TEST(Recordings, every_file_the_program_plays_is_a_wave_of_the_one_format_it_plays) {
    const auto files = EveryFile();
    EXPECT_EQ(files.size(), 6 * 19 + 3 + 13u);
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const auto wave = ReadWave(std::string(TALLYMAR_SOUNDS_BUILD_DIR) + "/" + name);
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->format, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->rate, kRate);
        EXPECT_EQ(wave->bits, 16);
        EXPECT_GT(wave->samples.size(), kRate / 50u) << "at least 20 ms long";
    }
}

// A key's echo must start at once: the file is loud within 10 ms of its first sample.
TEST(Recordings, every_file_is_heard_within_ten_milliseconds_of_its_start) {
    for (const std::string& name : EveryFile()) {
        const Samples samples = Load(name);
        const auto first = std::find_if(samples.begin(), samples.end(),
                                        [](std::int16_t s) { return std::abs(s) >= 328; });
        ASSERT_NE(first, samples.end()) << name << " is silent";
        EXPECT_LT(first - samples.begin(), kRate / 100) << name;
        const auto peak = *std::max_element(samples.begin(), samples.end(), [](auto a, auto b) {
            return std::abs(a) < std::abs(b);
        });
        EXPECT_GT(std::abs(peak), 32768 / 4) << name << " is too quiet";
    }
}

TEST(Recordings, spoken_words_are_all_about_as_loud) {
    std::map<std::string, double> loudness;
    for (const char* character : kVoiceNames) {
        if (VoicePrefix(character) == '\0') continue;
        for (const std::string& name : FilesOfCharacter(character)) {
            const Samples samples = Load(name);
            if (!samples.empty()) loudness[name] = Decibels(Rms(samples, 0, samples.size()));
        }
    }
    std::vector<double> levels;
    for (const auto& [name, level] : loudness) levels.push_back(level);
    const double middle = Median(levels);
    for (const auto& [name, level] : loudness) {
        EXPECT_NEAR(level, middle, 6.0) << name << " against the middle level of all words";
    }
}

// Grunk the deepest, the two women the highest, and no two characters within
// 8 % of each other's pitch over all their words.
TEST(Recordings, the_six_characters_speak_at_clearly_different_pitches) {
    std::map<std::string, double> pitch;
    for (const char* character : kVoiceNames) {
        if (VoicePrefix(character) == '\0') continue;
        std::vector<double> all;
        for (const std::string& name : FilesOfCharacter(character)) {
            const auto found = Pitches(Load(name));
            all.insert(all.end(), found.begin(), found.end());
        }
        pitch[character] = Median(all);
    }
    for (const auto& [a, pa] : pitch) {
        for (const auto& [b, pb] : pitch) {
            if (a < b) {
                EXPECT_GT(std::max(pa, pb) / std::min(pa, pb), 1.08) << a << " and " << b;
            }
        }
    }
    for (const char* man : {"Rusty", "Murph", "Dermot"}) {
        EXPECT_LT(pitch["Grunk"], pitch[man]) << man;
        EXPECT_LT(pitch[man], pitch["Vesna"]) << man;
        EXPECT_LT(pitch[man], pitch["Pippa"]) << man;
    }
}

// Each machine sounds its own: no two key sounds, and no two total sounds, of the
// same length and pitch.
TEST(Recordings, each_machine_sounds_different_from_the_others) {
    struct Sound {
        std::string machine;
        double seconds;
        double pitch;
    };
    for (bool total : {false, true}) {
        std::vector<Sound> sounds;
        for (const MachineInfo& machine : kMachines) {
            const WaveFiles files =
                total ? TotalSoundFiles(machine.value) : KeySoundFiles(machine.value);
            if (files.empty()) continue;
            const Samples samples = Load(files.front());
            sounds.push_back(
                {machine.value, double(samples.size()) / kRate, Median(Pitches(samples))});
        }
        EXPECT_EQ(sounds.size(), 7u);
        for (std::size_t i = 0; i < sounds.size(); ++i) {
            for (std::size_t j = i + 1; j < sounds.size(); ++j) {
                const Sound& a = sounds[i];
                const Sound& b = sounds[j];
                const bool lengths_differ = std::abs(a.seconds - b.seconds) >= 0.01;
                const bool pitches_differ =
                    std::abs(a.pitch - b.pitch) >= 0.08 * std::max(a.pitch, b.pitch);
                EXPECT_TRUE(lengths_differ || pitches_differ)
                    << a.machine << " and " << b.machine << (total ? " totals" : " keys");
            }
        }
    }
}

}  // namespace
}  // namespace tallymar
