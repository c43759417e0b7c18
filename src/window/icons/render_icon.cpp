// Build tool: renders an SVG picture, as Qt's SVG icon engine would draw it into a
// square of SIZE pixels (the picture scaled to fit, its proportions kept), to a file
// of its pixels as they lie in memory, so that the window shows it at start-up
// without the SVG engine and without decoding an image file:
//
//   tallymar_render_icon PICTURE.svg OUT.pixels SIZE
//
// The file holds the width and the height (32-bit, the machine's byte order) and
// then the rows, 32-bit premultiplied ARGB pixels in the machine's byte order
// (QImage::Format_ARGB32_Premultiplied): built where it runs, read as it lies
// (window/picture_icon.cpp).
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[3]) <= 0) {
        std::fprintf(stderr, "usage: %s PICTURE.svg OUT.pixels SIZE\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const int size = std::atoi(argv[3]);
    const QSize pixels = renderer.defaultSize().scaled(size, size, Qt::KeepAspectRatio);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QFile out(QString::fromLocal8Bit(argv[2]));
    const std::uint32_t header[2] = {static_cast<std::uint32_t>(image.width()),
                                     static_cast<std::uint32_t>(image.height())};
    bool written = out.open(QIODevice::WriteOnly) &&
                   out.write(reinterpret_cast<const char*>(header), sizeof header) == sizeof header;
    for (int y = 0; written && y < image.height(); ++y) {
        const qint64 row = 4LL * image.width();
        written = out.write(reinterpret_cast<const char*>(image.constScanLine(y)), row) == row;
    }
    if (!written || !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
