#include "platform/sdl/wave_data.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>

#include "platform/sdl/wave_decoders.h"

namespace tallymar {
namespace {

// A bigger file is no key's sound; it is not read at all.
constexpr std::size_t kMaxFileBytes = 64 << 20;
// No recording is made at a faster rate; a header that says so is damaged.
constexpr unsigned kMaxRate = 768000;
// The rest of the sub-format GUID of an extensible "fmt " chunk, after the format tag.
constexpr std::string_view kGuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71",
                                     14);

std::uint32_t Get(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The "fmt " chunk's format, or nothing when it is not one the decoders handle or its
// fields disagree with one another (a block that cannot hold a frame, for instance).
std::optional<WaveFormat> FormatOf(std::string_view fmt) {
    if (fmt.size() < 16) return std::nullopt;
    unsigned tag = Get(fmt, 0, 2);
    WaveFormat format;
    format.channels = Get(fmt, 2, 2);
    format.rate = Get(fmt, 4, 4);
    format.block = Get(fmt, 12, 2);
    format.bits = Get(fmt, 14, 2);
    const unsigned channels = format.channels;
    if (channels == 0 || format.rate == 0 || format.rate > kMaxRate || format.block == 0) {
        return std::nullopt;
    }
    if (tag == 0xfffe) {  // extensible: the real format opens the sub-format's GUID
        if (fmt.size() < 40 || fmt.substr(26, kGuidTail.size()) != kGuidTail) return std::nullopt;
        tag = Get(fmt, 24, 2);
    }
    const bool frame_fits = format.block == channels * (format.bits / 8);
    switch (tag) {
        case 1:
            format.encoding = Encoding::kInteger;
            if (format.bits % 8 != 0 || format.bits < 8 || format.bits > 32) return std::nullopt;
            return frame_fits ? std::optional(format) : std::nullopt;
        case 3:
            format.encoding = Encoding::kFloat;
            if (format.bits != 32 && format.bits != 64) return std::nullopt;
            return frame_fits ? std::optional(format) : std::nullopt;
        case 6:
        case 7:
            format.encoding = tag == 6 ? Encoding::kALaw : Encoding::kMuLaw;
            return format.bits == 8 && frame_fits ? std::optional(format) : std::nullopt;
        case 0x11: {  // IMA ADPCM: a first sample, then runs of eight for each channel
            format.encoding = Encoding::kImaAdpcm;
            if (format.bits != 4 || format.block < 8 * channels) return std::nullopt;
            const unsigned most = 1 + (format.block - 4 * channels) / (4 * channels) * 8;
            format.frames_per_block = fmt.size() >= 20 ? Get(fmt, 18, 2) : most;
            if (format.frames_per_block == 0 || format.frames_per_block > most) return std::nullopt;
            return format;
        }
        case 2: {  // Microsoft ADPCM: two first samples, then a nibble a sample
            format.encoding = Encoding::kMsAdpcm;
            if (format.bits != 4 || format.block < 7 * channels || fmt.size() < 22) {
                return std::nullopt;
            }
            const unsigned most = 2 + (format.block - 7 * channels) * 2 / channels;
            format.frames_per_block = Get(fmt, 18, 2);
            const unsigned count = Get(fmt, 20, 2);
            if (format.frames_per_block == 0 || format.frames_per_block > most || count == 0 ||
                fmt.size() < 22 + 4 * std::size_t{count}) {
                return std::nullopt;
            }
            for (unsigned i = 0; i < count; ++i) {
                format.coefficients.push_back({static_cast<std::int16_t>(Get(fmt, 22 + 4 * i, 2)),
                                               static_cast<std::int16_t>(Get(fmt, 24 + 4 * i, 2))});
            }
            return format;
        }
        default:
            return std::nullopt;
    }
}

// The frames at the file's rate, at the program's rate: averaged over each output
// sample's span when there are more, drawn between neighbours when there are fewer.
Samples Resample(const std::vector<float>& frames, unsigned rate) {
    auto clamp = [](double value) {
        return static_cast<std::int16_t>(std::lrint(std::clamp(value, -32768.0, 32767.0)));
    };
    const std::uint64_t count = frames.size() * std::uint64_t{kWaveRate} / rate;
    Samples samples;
    samples.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t from = i * rate / kWaveRate;
        if (rate >= static_cast<unsigned>(kWaveRate)) {
            const std::uint64_t to = std::max((i + 1) * rate / kWaveRate, from + 1);
            double sum = 0;
            for (std::uint64_t j = from; j < to; ++j) sum += frames[j];
            samples.push_back(clamp(sum / static_cast<double>(to - from)));
        } else {
            const double part = static_cast<double>(i * rate % kWaveRate) / kWaveRate;
            const float next = frames[std::min<std::size_t>(from + 1, frames.size() - 1)];
            samples.push_back(clamp(frames[from] * (1 - part) + next * part));
        }
    }
    return samples;
}

}  // namespace

// Every chunk before the sound must lie whole inside the file; the "data" chunk may
// be cut off (a recording that stopped early plays to its end), but the length it
// declares counts for the longest sound allowed, so that no lying header gets past.
std::optional<Samples> DecodeWave(const void* data, std::size_t size) {
    if (size > kMaxFileBytes) return std::nullopt;
    const std::string_view bytes(static_cast<const char*>(data), size);
    if (size < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::optional<WaveFormat> format;
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t length = Get(bytes, at + 4, 4);
        const std::size_t left = size - at - 8;
        if (id == "data") {
            if (!format) return std::nullopt;
            const std::uint64_t longest = std::uint64_t{kMaxWaveSeconds} * format->rate;
            if (FramesIn(*format, length) > longest) return std::nullopt;
            const std::size_t held = std::min(length, left);
            const auto frames = DecodeFrames(
                *format, reinterpret_cast<const unsigned char*>(bytes.data() + at + 8), held);
            if (!frames) return std::nullopt;
            return Resample(*frames, format->rate);
        }
        if (length > left) return std::nullopt;
        if (id == "fmt ") {
            if (format) return std::nullopt;  // two formats: which one is meant?
            format = FormatOf(bytes.substr(at + 8, length));
            if (!format) return std::nullopt;
        }
        at += 8 + length + length % 2;
    }
    return std::nullopt;
}

std::optional<Samples> LoadWaveFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxFileBytes) return std::nullopt;
    in.seekg(0);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) return std::nullopt;
    return DecodeWave(bytes.data(), bytes.size());
}

}  // namespace tallymar
