#include "shell/after_first_paint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tallymar {
namespace {

// Watches the window for its first paint; a child of the window, so that it goes
// with it.
class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(QWidget* window, std::function<void()> then, int latest_ms)
        : QObject(window), window_(window), then_(std::move(then)) {
        window->installEventFilter(this);
        QTimer::singleShot(latest_ms, this, [this] { Run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            // Queued: the paint finishes and reaches the screen first.
            QMetaObject::invokeMethod(
                this, [this] { Run(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void Run() {
        if (!then_) return;
        window_->removeEventFilter(this);
        const std::function<void()> then = std::move(then_);
        then_ = nullptr;
        // `then` may run a modal dialog, or end with the window and this watch.
        QPointer<FirstPaintWatch> self(this);
        then();
        if (self) self->deleteLater();
    }

    QWidget* window_;
    std::function<void()> then_;  // empty once run
    bool queued_ = false;
};

}  // namespace

void AfterFirstPaint(QWidget* window, std::function<void()> then, int latest_ms) {
    new FirstPaintWatch(window, std::move(then), latest_ms);
}

}  // namespace tallymar
