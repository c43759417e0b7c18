// Wave files read into the one sound format the program plays: 22,050 Hz, 16-bit
// signed samples, mono. Files in another format are converted on reading. Reading,
// checking and converting are all done here; SDL is given only the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallymar {

inline constexpr int kWaveRate = 22050;
// No key's sound lasts longer: a header that promises more is taken for a damaged
// one, so that no sound holds the window for long.
inline constexpr int kMaxWaveSeconds = 10;

using Samples = std::vector<std::int16_t>;

// The samples of the wave file at `path`, or nothing when it cannot be read, is not
// a wave file (integer or floating-point PCM, A-law, mu-law, IMA or Microsoft ADPCM),
// is damaged, or would last more than kMaxWaveSeconds by its header's rate and
// length. A recording cut off early plays to its end.
std::optional<Samples> LoadWaveFile(const std::string& path);

// The same for the bytes of a whole wave file held in memory.
std::optional<Samples> DecodeWave(const void* bytes, std::size_t size);

}  // namespace tallymar
