#include "window/picture_icon.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <cstdint>
#include <cstring>

namespace tallymar {
namespace {

// A rendering from the resources: its width and height, then its pixels as
// QImage::Format_ARGB32_Premultiplied holds them. A null pixmap when the resource is
// missing or shorter than its size says.
QPixmap ReadPixels(const QString& path, qreal pixel_ratio) {
    const QResource resource(path);
    const QByteArray bytes = resource.uncompressedData();
    std::uint32_t size[2] = {0, 0};
    if (bytes.size() < static_cast<qsizetype>(sizeof size)) return {};
    std::memcpy(size, bytes.constData(), sizeof size);
    const qsizetype pixels = static_cast<qsizetype>(size[0]) * size[1];
    if (size[0] == 0 || size[0] > 4096 || size[1] > 4096 ||
        bytes.size() != static_cast<qsizetype>(sizeof size) + 4 * pixels) {
        return {};
    }
    QImage image(static_cast<int>(size[0]), static_cast<int>(size[1]),
                 QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y), bytes.constData() + sizeof size + 4LL * image.width() * y,
                    4 * image.width());
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(pixel_ratio);
    return pixmap;
}

}  // namespace

QIcon PictureIcon(const QString& name, QSize size, qreal pixel_ratio) {
    const QString picture = ":/tallymar/" + name;
    const QString one = QString("%1-%2.pixels").arg(picture).arg(size.width());
    const QString two = QString("%1-%2.pixels").arg(picture).arg(2 * size.width());
    const bool rendered = size.width() == size.height() &&
                          (pixel_ratio == 1.0 || pixel_ratio == 2.0) && QFile::exists(one) &&
                          QFile::exists(two);
    if (!rendered) return QIcon(picture + ".svg");
    QIcon icon;
    icon.addPixmap(ReadPixels(one, 1.0));
    icon.addPixmap(ReadPixels(two, 2.0));
    return icon;
}

QIcon RenderedIcon(std::initializer_list<QString> paths) {
    QIcon icon;
    for (const QString& path : paths) icon.addPixmap(ReadPixels(path, 1.0));
    return icon;
}

}  // namespace tallymar
