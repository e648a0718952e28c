#pragma once

#include <string>

#include "exchange/format_support.h"

namespace nav::exchange {

// GPX 1.1: the first <rte> that has points; without one, a track's points
// or the file's <wpt> list, in order.
ExchangeRoute readGpx(const XmlFile& file);
// One <rte>, a <rtept> per point with its identifier as <name>, its longer
// name as <desc> and its kind as <type>.
std::string gpxText(const ExchangeRoute& route);

}  // namespace nav::exchange
