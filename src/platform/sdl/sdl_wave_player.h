// PlayWave on SDL's audio subsystem (no video): the sound device is opened at the
// first sound, at 22,050 Hz, 16-bit mono with a small buffer, and kept open. Each
// file is read whole, converted when its format differs, queued, and the call
// returns when the queue has drained, so that one sound never overlaps the next.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace tallymar {

// The folder the installed program's sounds lie in (<prefix>/share/tallymar/sounds).
std::string InstalledSoundsFolder();

class SdlWavePlayer : public WavePlayer {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // A file is looked for by its bare name in the current folder, then in each of
    // `folders` in order. `default_sound` plays instead of a file that is missing or
    // is not a wave file. `clock` tells when a failed device may be tried again.
    SdlWavePlayer(std::vector<std::string> folders, std::function<void()> default_sound,
                  Clock clock = std::chrono::steady_clock::now);
    ~SdlWavePlayer() override;
    SdlWavePlayer(const SdlWavePlayer&) = delete;
    SdlWavePlayer& operator=(const SdlWavePlayer&) = delete;

    void PlayWave(const std::string& file_name) override;
    // Opens the sound device ahead of the first sound, so that the first key is heard
    // as quickly as the next ones.
    void Prepare() { Open(); }

    // Runs every millisecond or so while a sound drains (the window paints meanwhile).
    std::function<void()> while_playing;
    // Asked as a sound drains: true cuts it short (a key pressed, with "Keys interrupt
    // the voice" on), and no sound plays until `cut_short` says false again.
    std::function<bool()> cut_short;

    // How long a device that failed to open is left alone before it is tried again.
    static constexpr std::chrono::seconds kRetryAfter{5};

  private:
    std::optional<std::string> Find(const std::string& file_name) const;
    bool Open();
    void Close();

    std::vector<std::string> folders_;
    std::function<void()> default_sound_;
    Clock clock_;
    unsigned device_ = 0;  // SDL's device id; 0 while closed
    bool audio_started_ = false;
    std::optional<std::chrono::steady_clock::time_point> failed_at_;
};

}  // namespace tallymar
