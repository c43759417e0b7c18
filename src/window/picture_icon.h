// The pictures on the window's buttons and in its title bar, as icons. Each is
// drawn once as SVG and rendered to PNG files at build time (NAME-PIXELS.png), read
// at start-up without probing Qt's image plugins: the first window shows them
// without loading the SVG engine or any image-format plugin. Where no PNG fits the
// size and the screen's scale (1.5x, say), the SVG is drawn instead, sharp at any size.
#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <initializer_list>

namespace tallymar {

// The icon ":/tallymar/NAME" shown at `size` (device-independent pixels) on a screen
// of `pixel_ratio`: its PNGs for 1x and 2x when both were rendered, else its SVG.
QIcon PictureIcon(const QString& name, QSize size, qreal pixel_ratio);

// An icon of the PNG files given (the program's icon at several sizes).
QIcon PngIcon(std::initializer_list<QString> paths);

}  // namespace tallymar
