// Follows what SDL's disk driver writes for the sound device, to tell when a sound's
// first sample reached the device. Shared by the sound benchmarks.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace tallymar::bench {

using Clock = std::chrono::steady_clock;

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

// Waits until the watcher has read a stretch of silence after the last sound, so
// that the next sound's first sample is told from the last one's tail.
inline void WaitForSilence(const Watcher& watcher) {
    while (watcher.quiet_bytes < 32768) std::this_thread::yield();
}

// The time from `start` to the first sample the watcher heard, in seconds.
inline double SecondsUntilHeard(const Watcher& watcher, Clock::time_point start) {
    while (watcher.heard_at.load() == 0) std::this_thread::yield();
    const Clock::time_point heard{Clock::duration(watcher.heard_at.load())};
    return std::chrono::duration<double>(heard - start).count();
}

}  // namespace tallymar::bench
