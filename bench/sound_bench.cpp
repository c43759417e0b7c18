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

#include "device_watcher.h"
#include "platform/sdl/sdl_wave_player.h"

namespace {

using namespace tallymar::bench;
namespace fs = std::filesystem;

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

// One key's sound measured: the call to the first sound read back.
double KeyToSound(tallymar::SdlWavePlayer& player, Watcher& watcher) {
    watcher.Listen();
    const Clock::time_point start = Clock::now();
    player.PlayWave("a5.wav");
    return SecondsUntilHeard(watcher, start);
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
