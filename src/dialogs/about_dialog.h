// "About Tallymar" (frmAbout): the program's artwork, its version line, our notice
// and how to reach the project. OK (cmdAbout), Enter or Escape closes it.
#pragma once

#include <QDialog>

#include "help/about.h"

class QLabel;
class QPushButton;

namespace tallymar {

class AboutDialog : public QDialog {
  public:
    // `version` gives the version line; `home_page` the address the contact label shows.
    AboutDialog(QWidget* main_window, const ProgramVersion& version, const std::string& home_page);

    QLabel* VersionLabel() const { return version_; }
    QPushButton* Ok() const { return ok_; }

  private:
    QLabel* version_;
    QPushButton* ok_;
};

}  // namespace tallymar
