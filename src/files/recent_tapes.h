// The tape files used last, most recent first: File > Open Recent lists them, and
// the settings file keeps them between runs. A file is "used" when it is opened,
// appended or saved.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tallymar {

class RecentTapes {
  public:
    static constexpr std::size_t kMost = 8;

    // Puts `path` first (moving it up when it is already listed); the ninth goes.
    void Use(const std::string& path);
    void Forget(const std::string& path);
    // The list as the settings file had it: empty names and repeats are left out,
    // and no more than kMost are kept.
    void Set(const std::vector<std::string>& paths);
    const std::vector<std::string>& paths() const { return paths_; }

  private:
    std::vector<std::string> paths_;
};

}  // namespace tallymar
