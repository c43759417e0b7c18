#include "platform/sdl/wave_data.h"

#include <SDL.h>

#include <climits>
#include <cstring>
#include <memory>

namespace tallymar {
namespace {

// Longer sounds are taken for a damaged header (a rate of 1 Hz would otherwise
// turn a small file into gigabytes of samples).
constexpr std::size_t kMaxSamples = static_cast<std::size_t>(kWaveRate) * 600;

struct FreeWav {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

// Reads and converts; `source` is closed whatever happens.
std::optional<Samples> Decode(SDL_RWops* source) {
    if (source == nullptr) return std::nullopt;
    SDL_AudioSpec spec;
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(source, 1, &spec, &raw, &length) == nullptr) return std::nullopt;
    const std::unique_ptr<Uint8, FreeWav> owned(raw);

    if (spec.freq <= 0 || spec.channels == 0) return std::nullopt;
    SDL_AudioCVT cvt;
    const int built =
        SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, kWaveRate);
    if (built < 0) return std::nullopt;
    const std::size_t frame = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
    if (frame == 0) return std::nullopt;
    const std::size_t whole = length - length % frame;  // a cut-off last frame is dropped
    const double seconds = static_cast<double>(whole / frame) / spec.freq;
    if (seconds * kWaveRate > kMaxSamples) return std::nullopt;
    if (built == 0) {
        Samples samples(whole / sizeof(std::int16_t));
        std::memcpy(samples.data(), raw, samples.size() * sizeof(std::int16_t));
        return samples;
    }
    if (cvt.len_mult <= 0 || whole > static_cast<std::size_t>(INT_MAX / cvt.len_mult)) {
        return std::nullopt;
    }
    std::vector<Uint8> work(whole * cvt.len_mult);
    std::memcpy(work.data(), raw, whole);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(whole);
    if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt < 0) return std::nullopt;
    Samples samples(static_cast<std::size_t>(cvt.len_cvt) / sizeof(std::int16_t));
    std::memcpy(samples.data(), work.data(), samples.size() * sizeof(std::int16_t));
    return samples;
}

}  // namespace

std::optional<Samples> LoadWaveFile(const std::string& path) {
    return Decode(SDL_RWFromFile(path.c_str(), "rb"));
}

std::optional<Samples> DecodeWave(const void* bytes, std::size_t size) {
    if (size > INT_MAX) return std::nullopt;
    return Decode(SDL_RWFromConstMem(bytes, static_cast<int>(size)));
}

}  // namespace tallymar
