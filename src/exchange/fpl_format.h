#pragma once

#include <string>

#include "exchange/format_support.h"

namespace nav::exchange {

// Garmin's FlightPlan v1 (.fpl): the <route-point>s, each looked up in the
// <waypoint-table>; without a route, the table in order.
ExchangeRoute readFpl(const XmlFile& file);
// Identifiers, country codes, comments and the route's name in the
// characters and lengths the schema allows (upper-case letters and digits),
// each waypoint once in the table.
std::string fplText(const ExchangeRoute& route);

}  // namespace nav::exchange
