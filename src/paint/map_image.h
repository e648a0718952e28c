#pragma once

#include <QImage>

#include "app/nav_view_state.h"
#include "flightplan/flight_plan.h"

namespace navui {

// Paints the whole map of `state` and the route of `plan` into `image` on a
// white ground; the image's size, at its device pixel ratio, is the map
// area's. Reads nothing else and writes nothing but `penSaved`, the spare
// pen, which its owner hands on to the next paint. Used by the window and
// by navtool.
void paintMapImage(QImage& image, const nav::NavViewState& state, const nav::FlightPlan& plan, nav::Pen& penSaved,
                   char decimalSeparator);

}  // namespace navui
