// "Tallymar Mode" (frmMode): adding machine mode or calculator mode. A choice
// takes effect at once; OK only closes.
#pragma once

#include <QDialog>
#include <functional>

class QRadioButton;

namespace tallymar {

class ModeDialog : public QDialog {
  public:
    // `calc_mode` is the current choice; `choose` is called with each new one; `open_help`
    // opens the help at the page about the two modes.
    ModeDialog(QWidget* main_window, bool calc_mode, std::function<void(bool)> choose,
               std::function<void()> open_help = {});

    QRadioButton* AdderOption() const { return adder_; }
    QRadioButton* CalcOption() const { return calc_; }

  private:
    QRadioButton* adder_;
    QRadioButton* calc_;
};

}  // namespace tallymar
