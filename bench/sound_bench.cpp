// A key press to the first sample of its voice file leaving the program, through
// SDL's disk driver writing what reaches the device to a file as fast as it can
// (SDL_DISKAUDIODELAY=0): from the call of PlayWave to the first sound written.
// A watcher thread reads the file as it grows and notes when the silence ends.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_wave_player.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Follows the device's output file: once `Listen` has been called, notes when the
// first sample that is not silence is read; counts the silence read since the
// last sound.
class Watcher {
  public:
    explicit Watcher(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}
    ~Watcher() {
        stop_ = true;
        thread_.join();
    }
    void Listen() {
        heard_at = 0;
        listening = true;
    }
    std::atomic<bool> listening{false};
    std::atomic<Clock::rep> heard_at{0};
    std::atomic<std::size_t> quiet_bytes{0};

  private:
    void Run() {
        std::ifstream in;
        std::vector<char> buffer(1 << 16);
        while (!stop_) {
            if (!in.is_open()) {
                in.open(path_, std::ios::binary);
                if (!in.is_open()) std::this_thread::yield();
                continue;
            }
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const std::size_t got = static_cast<std::size_t>(in.gcount());
            in.clear();
            for (std::size_t i = 0; i + 1 < got; i += 2) {
                if (buffer[i] != 0 || buffer[i + 1] != 0) {
                    if (listening.exchange(false))
                        heard_at = Clock::now().time_since_epoch().count();
                    quiet_bytes = 0;
                } else {
                    quiet_bytes += 2;
                }
            }
        }
    }
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::string Output() {
    return (fs::temp_directory_path() / "tallymar-sound-bench.raw").string();
}

void UseDiskDevice() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", Output().c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    fs::remove(Output());
}

tallymar::SdlWavePlayer Player() {
    return tallymar::SdlWavePlayer({TALLYMAR_SOUNDS_BUILD_DIR}, [] {});
}

// Waits until the watcher has read a stretch of silence after the last sound, so
// that the next sound's first sample is told from the last one's tail.
void WaitForSilence(const Watcher& watcher) {
    while (watcher.quiet_bytes < 32768) std::this_thread::yield();
}

// One key's sound measured: the call to the first sound read back.
double KeyToSound(tallymar::SdlWavePlayer& player, Watcher& watcher) {
    watcher.Listen();
    const Clock::time_point start = Clock::now();
    player.PlayWave("a5.wav");
    while (watcher.heard_at.load() == 0) std::this_thread::yield();
    const Clock::time_point heard{Clock::duration(watcher.heard_at.load())};
    return std::chrono::duration<double>(heard - start).count();
}

// The device already open, as from the second key on.
void BM_KeyToFirstSample(benchmark::State& state) {
    UseDiskDevice();
    {
        tallymar::SdlWavePlayer player = Player();
        player.PlayWave("a5.wav");  // opens the device and makes the file
        Watcher watcher(Output());
        for (auto _ : state) {
            WaitForSilence(watcher);
            state.SetIterationTime(KeyToSound(player, watcher));
        }
    }
    fs::remove(Output());
}
BENCHMARK(BM_KeyToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// The first key of a run: the device is opened first.
void BM_FirstKeyToFirstSample(benchmark::State& state) {
    for (auto _ : state) {
        UseDiskDevice();
        tallymar::SdlWavePlayer player = Player();
        Watcher watcher(Output());
        state.SetIterationTime(KeyToSound(player, watcher));
    }
    fs::remove(Output());
}
BENCHMARK(BM_FirstKeyToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
BENCHMARK_MAIN();
