// libFuzzer target for the wave reader behind PlayWave: any bytes under a wave
// file's name must give either nothing (the default sound plays) or a sound of at
// most kMaxWaveSeconds at the device's rate, and never a crash. The reader does all
// the parsing, decoding and rate conversion itself, so every edge here is its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sdl/wave_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto samples = tallymar::DecodeWave(data, size);
    constexpr std::size_t kLongest = std::size_t{tallymar::kWaveRate} * tallymar::kMaxWaveSeconds;
    if (samples && samples->size() > kLongest) std::abort();
    return 0;
}
