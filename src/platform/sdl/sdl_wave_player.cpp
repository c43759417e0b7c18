#include "platform/sdl/sdl_wave_player.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#include "platform/sdl/sdl_library.h"
#include "platform/sdl/wave_data.h"

namespace tallymar {
namespace {

constexpr Uint16 kBufferSamples = 512;
// Beyond the sound's own length, how long a drain may take before the device is
// taken for stuck (a device unplugged, a sound server gone).
constexpr std::chrono::seconds kDrainGrace{2};

void Discard(void*, int, SDL_LogPriority, const char*) {}

// The sound libraries below SDL (ALSA above all) print their failures straight on
// the standard error; while a device is being looked for, that goes nowhere.
class QuietStandardError {
  public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_ = -1;
};

}  // namespace

std::string InstalledSoundsFolder() {
    return TALLYMAR_SOUNDS_DIR;
}

SdlWavePlayer::SdlWavePlayer(std::vector<std::string> folders, std::function<void()> default_sound,
                             Clock clock)
    : folders_(std::move(folders)),
      default_sound_(std::move(default_sound)),
      clock_(std::move(clock)) {}

SdlWavePlayer::~SdlWavePlayer() {
    Close();
}

std::optional<std::string> SdlWavePlayer::Find(const std::string& file_name) const {
    namespace fs = std::filesystem;
    if (file_name.empty()) return std::nullopt;
    std::error_code error;
    if (fs::is_regular_file(file_name, error)) return file_name;
    for (const std::string& folder : folders_) {
        if (folder.empty()) continue;
        const fs::path path = fs::path(folder) / file_name;
        if (fs::is_regular_file(path, error)) return path.string();
    }
    return std::nullopt;
}

bool SdlWavePlayer::Open() {
    const SdlLibrary* sdl = Sdl();
    if (device_ != 0) {
        if (sdl->SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED) return true;
        Close();  // the device has gone away: it is looked for again later
        failed_at_ = clock_();
        return false;
    }
    if (failed_at_ && clock_() - *failed_at_ < kRetryAfter) return false;

    // SDL's own messages and signal handlers are not wanted in a desktop program.
    sdl->SDL_LogSetOutputFunction(Discard, nullptr);
    sdl->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl->SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tallymar");
    QuietStandardError quiet;
    if (sdl->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failed_at_ = clock_();
        return false;
    }
    audio_started_ = true;
    SDL_AudioSpec want{};
    want.freq = kWaveRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kBufferSamples;
    SDL_AudioSpec have{};
    device_ = sdl->SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        Close();
        failed_at_ = clock_();
        return false;
    }
    failed_at_.reset();
    sdl->SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlWavePlayer::Close() {
    const SdlLibrary* sdl = Sdl();
    if (device_ != 0) sdl->SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (audio_started_) sdl->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_started_ = false;
}

void SdlWavePlayer::PlayWave(const std::string& file_name) {
    const SdlLibrary* sdl = Sdl();
    if (sdl == nullptr) return;  // without SDL there is no sound device either
    if (cut_short && cut_short()) return;
    const std::optional<std::string> path = Find(file_name);
    std::optional<Samples> samples;
    if (path) samples = LoadWaveFile(*path);
    if (!samples) {
        if (default_sound_) default_sound_();
        return;
    }
    if (samples->empty() || !Open()) return;

    const Uint32 bytes = static_cast<Uint32>(samples->size() * sizeof(std::int16_t));
    if (sdl->SDL_QueueAudio(device_, samples->data(), bytes) != 0) return;
    const auto length = std::chrono::microseconds(samples->size() * 1000000LL / kWaveRate);
    const auto deadline = std::chrono::steady_clock::now() + length + kDrainGrace;
    while (sdl->SDL_GetQueuedAudioSize(device_) > 0) {
        if (cut_short && cut_short()) {
            sdl->SDL_ClearQueuedAudio(device_);
            return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            sdl->SDL_ClearQueuedAudio(device_);
            Close();
            failed_at_ = clock_();
            return;
        }
        if (while_playing) while_playing();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace tallymar
