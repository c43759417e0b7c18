#include "dialogs/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tallymar {
namespace {

// The screen under the middle of the window, or the one it was made on.
const QScreen* ScreenOf(const QWidget* window) {
    if (const QScreen* under = QGuiApplication::screenAt(window->frameGeometry().center())) {
        return under;
    }
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// Fits its window to the screen whenever a program call shows it; a window the
// user brings back from an icon (a spontaneous show) stays where it was.
class ScreenFit : public QObject {
  public:
    static constexpr const char* kName = "screenFit";
    explicit ScreenFit(QWidget* window) : QObject(window) {
        setObjectName(kName);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            FitToScreen(static_cast<QWidget*>(watched));
        }
        return false;
    }
};

}  // namespace

void FitToScreen(QWidget* window) {
    if (window->windowState() &
        (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        return;
    }
    const QScreen* screen = ScreenOf(window);
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The frame around the window's inside (title bar, borders), known once the
    // window system has framed it; nothing before.
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    const QSize frame = outer.size() - inner.size();
    const QSize fits = (area.size() - frame).boundedTo(window->maximumSize());
    const QSize size = window->size().boundedTo(fits).expandedTo(window->minimumSize());
    if (size != window->size()) window->resize(size);
    const QSize whole = size + frame;
    // pos() is the frame's top-left corner.
    const int x = std::clamp(window->x(), area.left(),
                             std::max(area.left(), area.right() + 1 - whole.width()));
    const int y = std::clamp(window->y(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - whole.height()));
    if (QPoint(x, y) != window->pos()) window->move(x, y);
}

void FitToScreenWhenShown(QWidget* window) {
    if (!window->findChild<QObject*>(ScreenFit::kName, Qt::FindDirectChildrenOnly)) {
        new ScreenFit(window);
    }
}

}  // namespace tallymar
