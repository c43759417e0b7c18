#include "window/picture_icon.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace tallymar {
namespace {

// A PNG from the resources, read by Qt's own PNG reader. Left to find the format
// itself, QImageReader asks every image plugin first, loading them all.
QPixmap ReadPng(const QString& path, qreal pixel_ratio) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(pixel_ratio);
    return pixmap;
}

}  // namespace

QIcon PictureIcon(const QString& name, QSize size, qreal pixel_ratio) {
    const QString picture = ":/tallymar/" + name;
    const QString one = QString("%1-%2.png").arg(picture).arg(size.width());
    const QString two = QString("%1-%2.png").arg(picture).arg(2 * size.width());
    const bool rendered = size.width() == size.height() &&
                          (pixel_ratio == 1.0 || pixel_ratio == 2.0) && QFile::exists(one) &&
                          QFile::exists(two);
    if (!rendered) return QIcon(picture + ".svg");
    QIcon icon;
    icon.addPixmap(ReadPng(one, 1.0));
    icon.addPixmap(ReadPng(two, 2.0));
    return icon;
}

QIcon PngIcon(std::initializer_list<QString> paths) {
    QIcon icon;
    for (const QString& path : paths) icon.addPixmap(ReadPng(path, 1.0));
    return icon;
}

}  // namespace tallymar
