// Placing a dialog by a rule given in twips from the window it opens from.
#pragma once

#include <QWidget>

#include "platform/qt/twips.h"

namespace tallymar {

// Moves `dialog` to where `rule` (left and top of `from` in twips -> a place with
// .left and .top in twips) puts it.
template <typename Rule>
void PlaceAt(QWidget* dialog, const QWidget* from, Rule rule) {
    const Twips t = Twips::Of(from);
    const QRect g = from->geometry();
    const auto place = rule(t.FromX(g.x()), t.FromY(g.y()));
    dialog->move(t.X(place.left), t.Y(place.top));
}

}  // namespace tallymar
