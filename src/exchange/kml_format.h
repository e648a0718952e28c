#pragma once

#include <string>

#include "exchange/format_support.h"

namespace nav::exchange {

// Google Earth's KML: the Placemarks that are points, in order, through
// Documents and Folders; without any, the first LineString's vertices.
ExchangeRoute readKml(const XmlFile& file);
// The route as a LineString, then one Placemark per point with its kind
// and, where planned, its altitude.
std::string kmlText(const ExchangeRoute& route);

}  // namespace nav::exchange
