// Where a window goes on the screen: a dialog placed by a rule given in twips from
// the window it opens from, and every window kept whole on the part of the screen
// that panels and docks leave free, at any scale.
#pragma once

#include <QWidget>

#include "platform/qt/twips.h"

namespace tallymar {

// Makes `window` (a top-level widget) no larger than the screen's available area
// allows, down to its minimum size, and moves it in from any edge it runs past. Its
// frame counts as far as the window system has told its size; a maximised or full
// screen window is the window system's to place.
void FitToScreen(QWidget* window);

// Fits `window` to the screen (FitToScreen) each time a program call shows it, once
// its layout has given it its size: the places the rules and the settings give are
// taken first, then pulled onto the screen.
void FitToScreenWhenShown(QWidget* window);

// Moves `dialog` to where `rule` (left and top of `from` in twips -> a place with
// .left and .top in twips) puts it, and keeps it on the screen when shown.
template <typename Rule>
void PlaceAt(QWidget* dialog, const QWidget* from, Rule rule) {
    const Twips t = Twips::Of(from);
    const QRect g = from->geometry();
    const auto place = rule(t.FromX(g.x()), t.FromY(g.y()));
    dialog->move(t.X(place.left), t.Y(place.top));
    FitToScreenWhenShown(dialog);
}

}  // namespace tallymar
