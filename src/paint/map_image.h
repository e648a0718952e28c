#pragma once

#include <QImage>

#include "app/nav_view_state.h"

namespace navui {

// Paints the whole map of `state` into `image` on a white ground; the
// image's size, at its device pixel ratio, is the map area's. Used by the
// window and by navtool.
void paintMapImage(QImage& image, nav::NavViewState& state, char decimalSeparator);

}  // namespace navui
