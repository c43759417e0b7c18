#include "platform/qt/input_hold.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tallymar {
namespace {

bool IsPress(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress;
}

bool IsInput(const QObject* receiver, const QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::Close: {
            // The desktop's close button: a command like any other.
            const auto* widget = qobject_cast<const QWidget*>(receiver);
            return widget != nullptr && widget->isWindow();
        }
        default:
            return false;
    }
}

}  // namespace

void InputHold::Begin() {
    if (depth_++ > 0) return;
    QCoreApplication::instance()->installEventFilter(this);
}

void InputHold::End() {
    if (depth_ == 0 || --depth_ > 0) return;
    QCoreApplication::instance()->removeEventFilter(this);
    // The input runs from the event loop, once whatever played the sound has finished.
    if (!held_.empty() && !replaying_) QTimer::singleShot(0, this, [this] { Replay(); });
}

void InputHold::Pump() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    if (depth_ == 0 || !IsInput(watched, event)) return QObject::eventFilter(watched, event);
    held_.push_back(Held{watched, std::unique_ptr<QEvent>(event->clone())});
    if (IsPress(event)) ++presses_waiting_;
    return true;  // it runs later, in its turn
}

void InputHold::Replay() {
    // A sound playing again (the timer came round inside its drain): its End() will
    // ask once more.
    if (depth_ > 0 || replaying_) return;
    // Input held while a replayed key plays its own sound joins the end of the queue.
    replaying_ = true;
    while (!held_.empty()) {
        Held next = std::move(held_.front());
        held_.pop_front();
        if (IsPress(next.event.get())) --presses_waiting_;
        // A key goes where the keyboard is now, as it would have had it come now (the
        // event that held it may have moved the focus); a click goes where it was made.
        QObject* receiver = next.receiver;
        const QEvent::Type type = next.event->type();
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && QApplication::focusWidget()) {
            receiver = QApplication::focusWidget();
        }
        if (receiver) QCoreApplication::sendEvent(receiver, next.event.get());
    }
    replaying_ = false;
}

}  // namespace tallymar
