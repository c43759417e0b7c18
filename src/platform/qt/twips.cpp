#include "platform/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tallymar {

Twips Twips::Of(const QWidget* widget) {
    if (widget) return Twips(widget->logicalDpiY(), widget->logicalDpiX());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        return Twips(screen->logicalDotsPerInchY(), screen->logicalDotsPerInchX());
    }
    return Twips();
}

}  // namespace tallymar
