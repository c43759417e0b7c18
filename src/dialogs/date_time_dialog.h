// "Date, time" (frmDateTime): whether printing shows the date and the time.
// A tick takes effect at once; there is no cancel.
#pragma once

#include <QDialog>

class QCheckBox;

namespace tallymar {

class DateTimeDialog : public QDialog {
  public:
    DateTimeDialog(QWidget* main_window, bool* print_date, bool* print_time);

    QCheckBox* DateBox() const { return date_; }
    QCheckBox* TimeBox() const { return time_; }

  private:
    QCheckBox* date_;
    QCheckBox* time_;
};

}  // namespace tallymar
