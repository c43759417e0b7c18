#include "files/recent_tapes.h"

#include <algorithm>

namespace tallymar {

void RecentTapes::Use(const std::string& path) {
    if (path.empty()) return;
    Forget(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMost) paths_.resize(kMost);
}

void RecentTapes::Forget(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void RecentTapes::Set(const std::vector<std::string>& paths) {
    paths_.clear();
    for (const std::string& path : paths) {
        if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) continue;
        if (paths_.size() == kMost) break;
        paths_.push_back(path);
    }
}

}  // namespace tallymar
