#include "platform/qt/topmost.h"

#include <QWidget>

namespace tallymar {

void SetTopmost(QWidget* window, bool topmost) {
    if (!window || IsTopmost(window) == topmost) return;
    const QRect place = window->geometry();
    const bool visible = window->isVisible();
    // Changing the flag re-creates the native window; show it again where it was.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    window->setGeometry(place);
    if (visible) window->show();
}

bool IsTopmost(const QWidget* window) {
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

}  // namespace tallymar
