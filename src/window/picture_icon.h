// The pictures on the window's buttons and in its title bar, as icons. Each is
// drawn once as SVG and rendered at build time to a file of its pixels as they lie
// in memory (NAME-PIXELS.pixels, window/icons/render_icon.cpp), taken as it is at
// start-up: the first window shows them without the SVG engine, an image plugin or
// a PNG decoder. Where no rendering fits the size and the screen's scale (1.5x,
// say), the SVG is drawn instead, sharp at any size.
#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <initializer_list>

namespace tallymar {

// The icon ":/tallymar/NAME" shown at `size` (device-independent pixels) on a screen
// of `pixel_ratio`: its renderings for 1x and 2x when both were made, else its SVG.
QIcon PictureIcon(const QString& name, QSize size, qreal pixel_ratio);

// An icon of the renderings given (the program's icon at several sizes).
QIcon RenderedIcon(std::initializer_list<QString> paths);

}  // namespace tallymar
