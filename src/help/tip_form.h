// The tip of the day (frmTip) without its window. The hints come from the tips
// file, one a line (an empty line is a hint too), and each opening moves on to the
// next one, so that successive start-ups show them in turn. The number of the hint
// shown last and whether the window opens at start-up are the settings'
// TipOfTheDay and ShowTipAtStartup, which the form changes in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tallymar {

inline constexpr char kTipsFileName[] = "TallymarTips.txt";
// No more of a tips file is read than this many bytes.
inline constexpr std::uintmax_t kMaxTipsFileSize = 1u << 20;

// What the tip shows when the tips file cannot be read.
std::string TipsNotFoundText();

class TipForm {
  public:
    TipForm(std::int32_t& tip_of_the_day, bool& show_tip_at_startup)
        : TipOfTheDay(tip_of_the_day), ShowTipAtStartup(show_tip_at_startup) {}

    // The window opens: the check box shows ShowTipAtStartup, the tips are read from
    // `path` and the next one shown, or the not-found text when they cannot be.
    void Open(const std::string& path);
    // False when `path` is empty or names no regular file; otherwise the file's lines
    // become the tips and the next one is shown.
    bool LoadTips(const std::string& path);
    // Moves on to the next tip, back to the first after the last, and shows it.
    void AdvanceTip();
    // Shows tip number TipOfTheDay, when there are tips.
    void DisplayCurrentTip();

    void cmdNextTip_Click() { AdvanceTip(); }
    void chkLoadTipsAtStartup_Click(bool checked);
    // The window closes, by OK or otherwise.
    void Close() { ShowTipAtStartup = chkLoadTipsAtStartup_; }

    const std::string& lblTipText() const { return lblTipText_; }
    bool chkLoadTipsAtStartup() const { return chkLoadTipsAtStartup_; }
    const std::vector<std::string>& Tips() const { return Tips_; }

  private:
    std::int32_t& TipOfTheDay;
    bool& ShowTipAtStartup;
    std::vector<std::string> Tips_;
    std::string lblTipText_;
    bool chkLoadTipsAtStartup_ = false;
};

// The tip window's place, in twips: at the main window's left edge and 2000 below
// its top, but no further right or down than 0.8 of the screen, and always whole on
// the screen, so that its buttons can be reached.
struct TipPlace {
    double left = 0;
    double top = 0;
};
struct TipSizes {
    double main_left, main_top;
    double screen_width, screen_height;
    double tip_width, tip_height;
};
TipPlace PlaceTip(const TipSizes& sizes);

}  // namespace tallymar
