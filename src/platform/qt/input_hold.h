// Keeps the window alive while a sound plays, without letting the user's input run in
// the middle of a word. While held, the window paints, answers the desktop and lets
// timers run; keys, clicks, the wheel, shortcuts and close requests wait, and run in
// the order they came once the sound (and the event that played it) is over.
//
// Input from the window system is held back by Qt itself (ExcludeUserInputEvents);
// input that reaches a widget all the same (sent straight to it) is caught by an
// event filter, kept, and sent again afterwards.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>

namespace tallymar {

class InputHold : public QObject {
  public:
    // Starts holding (holds nest); End() of the outermost one lets the input held run,
    // from the event loop, once the caller has returned.
    void Begin();
    void End();
    // Paints and answers the desktop once, input held back. Called while a sound drains.
    void Pump();
    // Whether a key or a click is waiting its turn ("Keys interrupt the voice").
    bool InputWaiting() const { return presses_waiting_ > 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    void Replay();

    int depth_ = 0;
    int presses_waiting_ = 0;
    bool replaying_ = false;
    std::deque<Held> held_;
};

}  // namespace tallymar
