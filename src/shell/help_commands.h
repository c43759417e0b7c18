// The Help menu: the help window at the contents page (Help..., F1, the print
// preview's Help button) or at a named page (the Mode dialog's Help button), the tip
// of the day, the home page in the user's browser, and the About box. The tips file,
// the help pages and the home page are found where the program's files are: beside
// it first, then in the installed data folder.
#pragma once

#include <QPointer>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/help_window.h"

namespace tallymar {

class Dialogs;
class MainWindow;
struct Settings;

class HelpCommands {
  public:
    // `data_folders`: where the tips file and the "help" folder are looked for, in order.
    HelpCommands(MainWindow& window, Settings& settings, Dialogs& messages,
                 std::vector<std::string> data_folders);
    ~HelpCommands();

    void ShowHelp(const std::string& page);
    void ShowTip();
    void ShowAbout();
    void OpenWebsite();
    // Hands `address` to the user's browser, or says that none could open it: Help >
    // Tallymar website and the About box's link alike.
    void OpenAddress(const std::string& address);

    // The help window once it has been opened.
    HelpWindow* help_window() const { return help_; }
    // Hands an address to the user's browser; false when none opened it.
    std::function<bool(const QUrl&)> open_url;

  private:
    MainWindow& window_;
    Settings& settings_;
    Dialogs& messages_;
    std::vector<std::string> data_folders_;
    QPointer<HelpWindow> help_;
};

}  // namespace tallymar
