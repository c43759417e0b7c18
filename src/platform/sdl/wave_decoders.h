// The encodings a wave file's sound may be stored in, each decoded to one value a
// frame (its channels mixed) on the scale of 16-bit samples.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tallymar {

enum class Encoding { kInteger, kFloat, kALaw, kMuLaw, kImaAdpcm, kMsAdpcm };

// A "fmt " chunk that has been checked: every field is one the decoders handle.
struct WaveFormat {
    Encoding encoding = Encoding::kInteger;
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned block = 0;  // bytes of one frame, or of one ADPCM block
    unsigned bits = 0;   // of one sample
    unsigned frames_per_block = 1;
    std::vector<std::array<int, 2>> coefficients;  // Microsoft ADPCM's predictors
};

// How many whole frames `bytes` of sound in `format` decode to; a block cut off at
// the end of the file gives the frames it still holds.
std::uint64_t FramesIn(const WaveFormat& format, std::uint64_t bytes);

// The frames of `size` bytes of sound, or nothing when an ADPCM block is damaged.
std::optional<std::vector<float>> DecodeFrames(const WaveFormat& format, const unsigned char* data,
                                               std::size_t size);

}  // namespace tallymar
