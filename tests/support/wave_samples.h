// Wave files and raw sound output for the sound tests, read and written here with
// no help from the program's own reader, so that the tests check it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"

namespace tallymar::testing {

struct Wave {
    int format = 0;  // 1 for integer PCM
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;  // 16-bit files only
};

inline std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A wave file with the plain 44-byte header ("fmt " of 16 bytes, then "data"), as the
// build and WriteWave write them, or nothing.
inline std::optional<Wave> ReadWave(const std::string& path) {
    const std::string b = ReadBytes(path);
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 8, "WAVEfmt ") != 0 ||
        Little(b, 16, 4) != 16 || b.compare(36, 4, "data") != 0)
        return std::nullopt;
    Wave wave{int(Little(b, 20, 2)),
              int(Little(b, 22, 2)),
              int(Little(b, 24, 4)),
              int(Little(b, 34, 2)),
              {}};
    const std::size_t end = std::min<std::size_t>(b.size(), 44 + Little(b, 40, 4));
    for (std::size_t i = 44; wave.bits == 16 && i + 1 < end; i += 2)
        wave.samples.push_back(static_cast<std::int16_t>(Little(b, i, 2)));
    return wave;
}

// Little-endian fields of `sizes` bytes each, for hand-made headers.
inline std::string Fields(std::initializer_list<std::pair<std::uint32_t, int>> fields) {
    std::string out;
    for (const auto& [value, size] : fields) {
        for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
    }
    return out;
}

// A "fmt " chunk's body: format tag, channels, rate, block size and bits, then `extra`.
inline std::string FormatBody(int tag, int channels, std::uint32_t rate, int block, int bits,
                              const std::string& extra = "") {
    return Fields({{tag, 2}, {channels, 2}, {rate, 4}, {rate * block, 4}, {block, 2}, {bits, 2}}) +
           extra;
}

// One chunk: its id, its length (the body's own unless `declared` says otherwise), its
// body and the pad byte an odd body takes.
inline std::string Chunk(const std::string& id, const std::string& body,
                         std::optional<std::uint32_t> declared = std::nullopt) {
    std::string out = id + Fields({{declared.value_or(std::uint32_t(body.size())), 4}}) + body;
    return body.size() % 2 ? out + '\0' : out;
}

// A wave file of the given chunks, with a RIFF length that matches them.
inline std::string RiffWave(const std::string& chunks) {
    return "RIFF" + Fields({{std::uint32_t(chunks.size() + 4), 4}}) + "WAVE" + chunks;
}

// Writes `frames` (each value repeated on every channel) as a PCM wave file of
// `bits` 8 or 16, at `rate`, with the plain 44-byte header.
inline void WriteWave(const std::string& path, const std::vector<std::int16_t>& frames, int rate,
                      int channels = 1, int bits = 16) {
    std::string data;
    for (std::int16_t value : frames) {
        for (int c = 0; c < channels; ++c)
            data +=
                bits == 8 ? Fields({{(value >> 8) + 128, 1}}) : Fields({{std::uint16_t(value), 2}});
    }
    const std::string format = FormatBody(1, channels, rate, channels * bits / 8, bits);
    std::ofstream(path, std::ios::binary) << RiffWave(Chunk("fmt ", format) + Chunk("data", data));
}

// 16-bit samples as SDL's disk driver writes them (native order, no header).
inline std::vector<std::int16_t> ReadRawSamples(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char*>(samples.data()));
    return samples;
}

// Where `needle` first lies whole in `haystack` at or after `from`, or nothing.
inline std::optional<std::size_t> FindSamples(const std::vector<std::int16_t>& haystack,
                                              const std::vector<std::int16_t>& needle,
                                              std::size_t from = 0) {
    if (needle.empty() || from > haystack.size()) return std::nullopt;
    const auto at = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from),
                                haystack.end(), needle.begin(), needle.end());
    return at == haystack.end() ? std::nullopt : std::optional(std::size_t(at - haystack.begin()));
}

// Pseudo-random, never-silent samples: a sound no other test file contains.
inline std::vector<std::int16_t> Noise(std::size_t count, unsigned seed) {
    std::vector<std::int16_t> samples(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<std::int16_t>(int(state >> 17 | 1) - 16384);  // odd, so never 0
    }
    return samples;
}

}  // namespace tallymar::testing
