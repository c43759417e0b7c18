#include "help/tip_form.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tallymar {

namespace fs = std::filesystem;

std::string TipsNotFoundText() {
    return std::string("...that the ") + kTipsFileName + " file was not found? ";
}

void TipForm::Open(const std::string& path) {
    chkLoadTipsAtStartup_ = ShowTipAtStartup;
    if (!LoadTips(path)) lblTipText_ = TipsNotFoundText();
}

bool TipForm::LoadTips(const std::string& path) {
    std::error_code ec;
    // Only a regular file: a folder, a pipe or a device of that name is no tips file.
    if (path.empty() || !fs::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    Tips_.clear();
    std::uintmax_t read = 0;
    std::string line;
    while (read < kMaxTipsFileSize && std::getline(in, line)) {
        read += line.size() + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();  // a file written on Windows
        Tips_.push_back(line);
    }
    AdvanceTip();
    return true;
}

void TipForm::AdvanceTip() {
    const auto count = static_cast<std::int64_t>(Tips_.size());
    // TipOfTheDay + 1, back to 1 past the last tip or below the first; worked out
    // without the overflow a saved 2147483647 would cause.
    TipOfTheDay = (TipOfTheDay < 1 || TipOfTheDay >= count) ? 1 : TipOfTheDay + 1;
    DisplayCurrentTip();
}

void TipForm::DisplayCurrentTip() {
    if (Tips_.empty()) return;
    if (TipOfTheDay < 1 || static_cast<std::size_t>(TipOfTheDay) > Tips_.size()) return;
    lblTipText_ = Tips_[static_cast<std::size_t>(TipOfTheDay) - 1];
}

void TipForm::chkLoadTipsAtStartup_Click(bool checked) {
    chkLoadTipsAtStartup_ = checked;
    ShowTipAtStartup = checked;
}

TipPlace PlaceTip(const TipSizes& s) {
    const auto on_screen = [](double wanted, double most, double screen, double size) {
        return std::max(0.0, std::min({wanted, most, screen - size}));
    };
    return TipPlace{
        on_screen(s.main_left, 0.8 * s.screen_width, s.screen_width, s.tip_width),
        on_screen(s.main_top + 2000, 0.8 * s.screen_height, s.screen_height, s.tip_height)};
}

}  // namespace tallymar
