#include "platform/sdl/wave_data.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/sdl/sdl_library.h"

namespace tallymar {
namespace {

// Longer sounds are taken for a damaged header (a rate of 1 Hz would otherwise
// turn a small file into gigabytes of samples).
constexpr double kMaxSeconds = 600;
constexpr std::size_t kMaxSamples = static_cast<std::size_t>(kWaveRate * kMaxSeconds);
// A bigger file is no key's sound; it is not read at all.
constexpr std::size_t kMaxFileBytes = 64 << 20;
// No recording is made at a faster rate; a header that says so is damaged (and SDL's
// resampler reserves a negative amount of memory for rates from about 4 MHz on).
constexpr unsigned kMaxRate = 768000;

std::uint32_t Get(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xff);
}

// How long the sound in a "fmt " chunk and `data_bytes` of samples lasts once
// decoded, in seconds, or a negative number for a format that is not played.
double Seconds(const std::string& bytes, std::size_t fmt, std::size_t fmt_size,
               std::size_t data_bytes) {
    if (fmt_size < 16) return -1;
    unsigned tag = Get(bytes, fmt, 2);
    const unsigned channels = Get(bytes, fmt + 2, 2);
    const unsigned rate = Get(bytes, fmt + 4, 4);
    const unsigned block = Get(bytes, fmt + 12, 2);
    const unsigned bits = Get(bytes, fmt + 14, 2);
    if (channels == 0 || rate == 0 || rate > kMaxRate || block == 0) return -1;
    if (tag == 0xfffe) {  // extensible: the real format opens the sub-format's GUID
        if (fmt_size < 26) return -1;
        tag = Get(bytes, fmt + 24, 2);
    }
    switch (tag) {
        case 1:  // integer PCM
        case 3:  // floating point
        case 6:  // A-law
        case 7:  // mu-law
            if (bits == 0) return -1;
            return static_cast<double>(data_bytes) * 8 / bits / channels / rate;
        case 2:     // Microsoft ADPCM
        case 0x11:  // IMA ADPCM: each block of `block` bytes holds a fixed count of frames
        {
            if (fmt_size < 20) return -1;
            const double frames_per_block = Get(bytes, fmt + 18, 2);
            const double blocks = static_cast<double>(data_bytes / block + 1);
            return blocks * frames_per_block / rate;
        }
        default:
            return -1;
    }
}

// SDL reserves memory for the whole length a chunk declares before reading it, and
// decodes compressed sound into as many samples as the header promises. So the
// header is checked first: the "data" chunk is cut to the bytes the file holds (a
// cut-off recording plays to its end), any other chunk that runs past the end marks
// a damaged file, and so does a sound that would decode to more than ten minutes.
bool CheckHeader(std::string& bytes) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    Put32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    std::size_t fmt = 0;
    std::size_t fmt_size = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::size_t size = Get(bytes, at + 4, 4);
        const std::size_t left = bytes.size() - at - 8;
        if (bytes.compare(at, 4, "data") == 0) {
            if (fmt == 0) return false;
            if (size > left) Put32(bytes, at + 4, static_cast<std::uint32_t>(left));
            const double seconds = Seconds(bytes, fmt, fmt_size, std::min(size, left));
            return seconds >= 0 && seconds <= kMaxSeconds;
        }
        if (size > left) return false;
        if (bytes.compare(at, 4, "fmt ") == 0) {
            fmt = at + 8;
            fmt_size = size;
        }
        at += 8 + size + size % 2;
    }
    return false;
}

Samples SamplesOf(const Uint8* bytes, std::size_t size) {
    Samples samples(size / sizeof(std::int16_t));
    if (!samples.empty()) std::memcpy(samples.data(), bytes, samples.size() * sizeof(std::int16_t));
    return samples;
}

struct FreeWav {
    void operator()(Uint8* buffer) const { Sdl()->SDL_FreeWAV(buffer); }
};

}  // namespace

std::optional<Samples> DecodeWave(const void* bytes, std::size_t size) {
    if (size > kMaxFileBytes) return std::nullopt;
    std::string checked(static_cast<const char*>(bytes), size);
    const SdlLibrary* sdl = Sdl();
    if (sdl == nullptr || !CheckHeader(checked)) return std::nullopt;

    SDL_AudioSpec stored;  // the format the file holds
    Uint8* raw = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = sdl->SDL_RWFromConstMem(checked.data(), static_cast<int>(checked.size()));
    if (source == nullptr || sdl->SDL_LoadWAV_RW(source, 1, &stored, &raw, &length) == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<Uint8, FreeWav> owned(raw);

    if (stored.freq <= 0 || static_cast<unsigned>(stored.freq) > kMaxRate || stored.channels == 0) {
        return std::nullopt;
    }
    SDL_AudioCVT cvt;
    const int built = sdl->SDL_BuildAudioCVT(&cvt, stored.format, stored.channels, stored.freq,
                                             AUDIO_S16SYS, 1, kWaveRate);
    if (built < 0) return std::nullopt;
    const std::size_t frame = SDL_AUDIO_BITSIZE(stored.format) / 8 * stored.channels;
    if (frame == 0) return std::nullopt;
    const std::size_t whole = length - length % frame;  // a cut-off last frame is dropped
    if (whole == 0) return Samples{};
    const double seconds = static_cast<double>(whole / frame) / stored.freq;
    if (seconds * kWaveRate > kMaxSamples) return std::nullopt;
    if (built == 0) return SamplesOf(raw, whole);
    if (cvt.len_mult <= 0 || whole > static_cast<std::size_t>(INT_MAX / cvt.len_mult)) {
        return std::nullopt;
    }
    std::vector<Uint8> work(whole * cvt.len_mult);
    std::memcpy(work.data(), raw, whole);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(whole);
    if (sdl->SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt < 0) return std::nullopt;
    return SamplesOf(work.data(), static_cast<std::size_t>(cvt.len_cvt));
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
