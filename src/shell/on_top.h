// "Always on top" and the rule every dialog follows: a dialog that finds the
// main window topmost lifts that while it is open and restores it when it closes,
// so that it never opens behind the main window.
#pragma once

#include <QAction>
#include <QPointer>
#include <QWidget>

namespace tallymar {

class AlwaysOnTop {
  public:
    AlwaysOnTop(QWidget* window, QAction* check_mark) : window_(window), check_(check_mark) {}

    bool checked() const { return check_ && check_->isChecked(); }
    void Set(bool on);  // the option itself (menu, settings)
    void Toggle() { Set(!checked()); }
    void DialogOpened();  // lifts the option when it is on
    void DialogClosed();  // restores it when a dialog lifted it
    bool OnTopSuspended = false;

  private:
    QPointer<QWidget> window_;
    QPointer<QAction> check_;
};

// Lifts "Always on top" for as long as it lives.
class DialogOnTop {
  public:
    explicit DialogOnTop(AlwaysOnTop& rule) : rule_(rule) { rule_.DialogOpened(); }
    ~DialogOnTop() { rule_.DialogClosed(); }
    DialogOnTop(const DialogOnTop&) = delete;
    DialogOnTop& operator=(const DialogOnTop&) = delete;

  private:
    AlwaysOnTop& rule_;
};

}  // namespace tallymar
