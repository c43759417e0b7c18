// libFuzzer target for the wave reader behind PlayWave: any bytes under a wave
// file's name must give either nothing (the default sound plays) or a sound of
// at most ten minutes, and never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sdl/wave_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto samples = tallymar::DecodeWave(data, size);
    if (samples && samples->size() > static_cast<std::size_t>(tallymar::kWaveRate) * 600 + 4096) {
        std::abort();
    }
    return 0;
}
