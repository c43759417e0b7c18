// A colour value of the tape (red + 256 × green + 65536 × blue) as Qt's colour, and back.
#pragma once

#include <QColor>

#include "engine/options.h"

namespace tallymar {

inline QColor ToQColor(Colour value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline Colour FromQColor(const QColor& colour) {
    return Rgb(colour.red(), colour.green(), colour.blue());
}

}  // namespace tallymar
