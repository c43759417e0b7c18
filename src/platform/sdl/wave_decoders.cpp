#include "platform/sdl/wave_decoders.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tallymar {
namespace {

std::uint32_t Get(const unsigned char* bytes, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

int Signed16(const unsigned char* bytes) {
    return static_cast<std::int16_t>(Get(bytes, 2));
}

int Clamp16(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -32768, 32767));
}

// G.711 expansion of one 8-bit code to a 16-bit sample.
int MuLaw(unsigned char code) {
    const unsigned u = ~code & 0xffu;
    const int magnitude = static_cast<int>((((u & 0x0f) << 3) + 0x84) << (u >> 4 & 7)) - 0x84;
    return u & 0x80 ? -magnitude : magnitude;
}

int ALaw(unsigned char code) {
    const unsigned a = code ^ 0x55u;
    const unsigned exponent = a >> 4 & 7;
    const int mantissa = static_cast<int>(a & 0x0f) << 4;
    const int magnitude = exponent == 0 ? mantissa + 8 : (mantissa + 0x108) << (exponent - 1);
    return a & 0x80 ? magnitude : -magnitude;
}

float FloatSample(const unsigned char* bytes, unsigned bits) {
    double value;
    if (bits == 32) {
        const std::uint32_t raw = Get(bytes, 4);
        float f;
        std::memcpy(&f, &raw, sizeof f);
        value = f;
    } else {
        const std::uint64_t raw = Get(bytes, 4) | std::uint64_t{Get(bytes + 4, 4)} << 32;
        std::memcpy(&value, &raw, sizeof value);
    }
    if (!std::isfinite(value)) return 0;  // NaN and infinity are no sound
    return static_cast<float>(std::clamp(value, -1.0, 1.0) * 32768);
}

float Sample(const WaveFormat& format, const unsigned char* bytes) {
    switch (format.encoding) {
        case Encoding::kFloat:
            return FloatSample(bytes, format.bits);
        case Encoding::kALaw:
            return static_cast<float>(ALaw(*bytes));
        case Encoding::kMuLaw:
            return static_cast<float>(MuLaw(*bytes));
        default:
            break;
    }
    switch (format.bits) {
        case 8:
            return static_cast<float>((bytes[0] - 128) * 256);  // 8-bit samples are unsigned
        case 16:
            return static_cast<float>(Signed16(bytes));
        case 24:
            return static_cast<float>(static_cast<std::int32_t>(Get(bytes, 3) << 8)) / 65536;
        default:
            return static_cast<float>(static_cast<std::int32_t>(Get(bytes, 4))) / 65536;
    }
}

// One decoded block, frame by frame and channel by channel, mixed into `out`.
void Mix(const std::vector<int>& block, unsigned channels, unsigned frames,
         std::vector<float>& out) {
    for (unsigned f = 0; f < frames; ++f) {
        float sum = 0;
        for (unsigned c = 0; c < channels; ++c) sum += static_cast<float>(block[f * channels + c]);
        out.push_back(sum / static_cast<float>(channels));
    }
}

constexpr int kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr int kImaIndexSteps[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

struct ImaChannel {
    int sample;
    int index;
    int Next(unsigned nibble) {
        const int step = kImaSteps[index];
        int difference = step >> 3;
        if (nibble & 4) difference += step;
        if (nibble & 2) difference += step >> 1;
        if (nibble & 1) difference += step >> 2;
        sample = Clamp16(nibble & 8 ? sample - difference : sample + difference);
        index = std::clamp(index + kImaIndexSteps[nibble & 7], 0, 88);
        return sample;
    }
};

// A block: each channel's first sample and step index, then runs of four bytes (eight
// samples, low nibble first) for each channel in turn.
bool DecodeImaBlock(const WaveFormat& format, const unsigned char* data, std::size_t size,
                    std::vector<float>& out) {
    const unsigned channels = format.channels;
    const unsigned frames = static_cast<unsigned>(FramesIn(format, size));
    if (frames == 0) return true;
    std::vector<ImaChannel> state(channels);
    std::vector<int> block(std::size_t{frames} * channels);
    for (unsigned c = 0; c < channels; ++c) {
        state[c] = {Signed16(data + 4 * c), data[4 * c + 2]};
        if (state[c].index > 88) return false;
        block[c] = state[c].sample;
    }
    std::size_t at = 4 * channels;
    for (unsigned first = 1; first < frames; first += 8, at += 4 * channels) {
        for (unsigned c = 0; c < channels; ++c) {
            for (unsigned k = 0; k < 8; ++k) {
                const unsigned char byte = data[at + 4 * c + k / 2];
                const int sample = state[c].Next(k % 2 == 0 ? byte & 0x0f : byte >> 4);
                if (first + k < frames) block[(first + k) * channels + c] = sample;
            }
        }
    }
    Mix(block, channels, frames, out);
    return true;
}

constexpr int kMsAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                   768, 614, 512, 409, 307, 230, 230, 230};

// A block: each channel's predictor, step and two first samples (the older first),
// then one nibble a sample, high nibble first, the channels taking turns.
bool DecodeMsBlock(const WaveFormat& format, const unsigned char* data, std::size_t size,
                   std::vector<float>& out) {
    const unsigned channels = format.channels;
    const unsigned frames = static_cast<unsigned>(FramesIn(format, size));
    if (frames == 0) return true;
    struct Channel {
        std::array<int, 2> coefficient;
        int delta, newer, older;
    };
    std::vector<Channel> state(channels);
    std::vector<int> block(std::size_t{frames} * channels);
    for (unsigned c = 0; c < channels; ++c) {
        if (data[c] >= format.coefficients.size()) return false;
        state[c] = {format.coefficients[data[c]], Signed16(data + channels + 2 * c),
                    Signed16(data + 3 * channels + 2 * c), Signed16(data + 5 * channels + 2 * c)};
        block[c] = state[c].older;
        if (frames > 1) block[channels + c] = state[c].newer;
    }
    for (std::size_t n = 0; n < std::size_t{frames - std::min(frames, 2u)} * channels; ++n) {
        const unsigned char byte = data[7 * channels + n / 2];
        const int nibble = n % 2 == 0 ? byte >> 4 : byte & 0x0f;
        Channel& s = state[n % channels];
        const long long predicted = (static_cast<long long>(s.newer) * s.coefficient[0] +
                                     static_cast<long long>(s.older) * s.coefficient[1]) >>
                                    8;
        const int sample =
            Clamp16(predicted + (nibble >= 8 ? nibble - 16 : nibble) * 1LL * s.delta);
        // Real encoders never let the step grow this far; a damaged block would overflow.
        s.delta = std::clamp(kMsAdaptation[nibble] * s.delta / 256, 16, 1 << 20);
        s.older = s.newer;
        s.newer = sample;
        block[(2 + n / channels) * channels + n % channels] = sample;
    }
    Mix(block, channels, frames, out);
    return true;
}

}  // namespace

std::uint64_t FramesIn(const WaveFormat& format, std::uint64_t bytes) {
    const std::uint64_t channels = format.channels;
    const std::uint64_t whole = bytes / format.block * format.frames_per_block;
    const std::uint64_t rest = bytes % format.block;
    std::uint64_t partial = 0;
    if (format.encoding == Encoding::kImaAdpcm && rest >= 4 * channels) {
        partial = 1 + (rest - 4 * channels) / (4 * channels) * 8;
    } else if (format.encoding == Encoding::kMsAdpcm && rest >= 7 * channels) {
        partial = 2 + (rest - 7 * channels) * 2 / channels;
    }
    return whole + std::min<std::uint64_t>(partial, format.frames_per_block);
}

std::optional<std::vector<float>> DecodeFrames(const WaveFormat& format, const unsigned char* data,
                                               std::size_t size) {
    std::vector<float> out;
    out.reserve(FramesIn(format, size));
    if (format.encoding == Encoding::kImaAdpcm || format.encoding == Encoding::kMsAdpcm) {
        const auto decode = format.encoding == Encoding::kImaAdpcm ? DecodeImaBlock : DecodeMsBlock;
        for (std::size_t at = 0; at < size; at += format.block) {
            if (!decode(format, data + at, std::min<std::size_t>(format.block, size - at), out)) {
                return std::nullopt;
            }
        }
        return out;
    }
    const unsigned width = format.bits / 8;
    for (std::size_t at = 0; at + format.block <= size; at += format.block) {
        float sum = 0;
        for (unsigned c = 0; c < format.channels; ++c) sum += Sample(format, data + at + c * width);
        out.push_back(sum / static_cast<float>(format.channels));
    }
    return out;
}

}  // namespace tallymar
