// "Tip of the Day" (frmTip): one hint of the tips file, the next one on each
// opening and with "Next Tip", and whether the window opens at start-up. The hints
// and the settings are the TipForm's; the window shows it and passes the clicks on.
#pragma once

#include <QDialog>

#include "help/tip_form.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tallymar {

class TipDialog : public QDialog {
  public:
    // Opens `form` with the tips file at `tips_path` and places itself by `main_window`.
    TipDialog(QWidget* main_window, TipForm& form, const std::string& tips_path);

    QLabel* TipText() const { return tip_; }
    QCheckBox* ShowAtStartup() const { return show_at_startup_; }
    QPushButton* NextTip() const { return next_; }
    QPushButton* Ok() const { return ok_; }

    void done(int result) override;  // closing in any way

  private:
    void Show();

    TipForm& form_;
    QLabel* tip_;
    QCheckBox* show_at_startup_;
    QPushButton* next_;
    QPushButton* ok_;
};

}  // namespace tallymar
