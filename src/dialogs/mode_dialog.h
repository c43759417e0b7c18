// "Tallymar Mode" (frmMode): adding machine mode or calculator mode. A choice
// takes effect at once; OK only closes.
#pragma once

#include <QDialog>
#include <functional>

class QRadioButton;

namespace tallymar {

class ModeDialog : public QDialog {
  public:
    // `calc_mode` is the current choice; `choose` is called with each new one.
    ModeDialog(QWidget* main_window, bool calc_mode, std::function<void(bool)> choose);

    QRadioButton* AdderOption() const { return adder_; }
    QRadioButton* CalcOption() const { return calc_; }

  private:
    QRadioButton* adder_;
    QRadioButton* calc_;
};

}  // namespace tallymar
