// "About Tallymar" (frmAbout): the program's artwork, its version line, our notice
// and how to reach the project. OK (cmdAbout), Enter or Escape closes it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "help/about.h"

class QLabel;
class QPushButton;

namespace tallymar {

class AboutDialog : public QDialog {
  public:
    // `version` gives the version line; `home_page` the address the contact label shows,
    // and `open_address` opens it when its link is followed (in the user's browser, or
    // saying that none could).
    AboutDialog(QWidget* main_window, const ProgramVersion& version, const std::string& home_page,
                std::function<void(const std::string&)> open_address);

    QLabel* VersionLabel() const { return version_; }
    QLabel* WebsiteLink() const { return website_; }
    QPushButton* Ok() const { return ok_; }

  private:
    QLabel* version_;
    QLabel* website_;
    QPushButton* ok_;
};

}  // namespace tallymar
