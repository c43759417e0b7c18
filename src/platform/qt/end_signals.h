// The ways a desktop ends a program without closing its window: SIGTERM (log-out,
// systemd, kill), SIGHUP (the terminal gone) and SIGINT (Ctrl+C in a terminal). A
// signal only sets a byte going through a pipe; `on_end` then runs in the event loop,
// where it may write files, as a handler at signal time could not safely do.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tallymar {

class EndSignals : public QObject {
  public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    // Runs once for the first of the signals; the signal's number is passed.
    std::function<void(int)> on_end;

  private:
    QSocketNotifier* notifier_ = nullptr;
    bool ended_ = false;
};

}  // namespace tallymar
