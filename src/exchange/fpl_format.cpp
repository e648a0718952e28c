#include "exchange/fpl_format.h"

#include <fmt/format.h>

#include <cmath>
#include <map>
#include <tuple>

namespace nav::exchange {

namespace {

struct TableEntry {
  pugi::xml_node node;
  RoutePoint point;
};

std::string_view fplType(PointKind kind) {
  switch (kind) {
    case PointKind::airport: return "AIRPORT";
    case PointKind::vor:
    case PointKind::navaid: return "VOR";
    case PointKind::ndb: return "NDB";
    case PointKind::waypoint: return "INT";
    default: return "USER WAYPOINT";
  }
}

// Upper-case letters and digits (and `extra`), at most `length` of them.
std::string schemaText(std::string_view text, std::size_t length, std::string_view extra = {}) {
  std::string out;
  for (char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool kept = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || extra.find(c) != std::string_view::npos;
    if (kept && out.size() < length) out += c;
  }
  return out;
}

}  // namespace

ExchangeRoute readFpl(const XmlFile& file) {
  const pugi::xml_node plan = file.root();
  std::vector<TableEntry> table;
  forEachChild(child(plan, "waypoint-table"), "waypoint", [&](pugi::xml_node w) {
    const std::optional<double> lat = number(childText(w, "lat")), lon = number(childText(w, "lon"));
    if (!lat || !lon) file.fail(w, "<waypoint> sans <lat> ou <lon> lisible");
    RoutePoint p;
    p.ident = childText(w, "identifier");
    p.kind = kindOfText(childText(w, "type"));
    p.region = childText(w, "country-code");
    p.name = childText(w, "comment");
    p.lat = *lat;
    p.lon = *lon;
    table.push_back({w, std::move(p)});
  });
  ExchangeRoute route;
  const pugi::xml_node rte = child(plan, "route");
  route.name = childText(rte, "route-name");
  if (child(rte, "route-point")) {
    forEachChild(rte, "route-point", [&](pugi::xml_node rp) {
      const std::string ident = childText(rp, "waypoint-identifier");
      const PointKind kind = kindOfText(childText(rp, "waypoint-type"));
      const std::string region = childText(rp, "waypoint-country-code");
      const TableEntry* found = nullptr;
      for (const TableEntry& e : table)
        if (e.point.ident == ident && e.point.kind == kind && (region.empty() || e.point.region == region)) {
          found = &e;
          break;
        }
      if (!found) file.fail(rp, fmt::format("le point {} n'est pas dans <waypoint-table>", ident));
      addPoint(file, rp, route, found->point);
    });
  } else {
    for (const TableEntry& e : table) addPoint(file, e.node, route, e.point);
  }
  if (route.points.empty()) file.fail(plan, "aucun point (<route-point> ou <waypoint>)");
  return route;
}

std::string fplText(const ExchangeRoute& route) {
  // The table's key is identifier, type and country code: a second point of
  // the same key elsewhere gets a number of its own.
  std::map<std::tuple<std::string, std::string_view, std::string>, std::pair<double, double>> keys;
  std::vector<std::tuple<std::string, std::string_view, std::string>> routeKeys;
  std::string table;
  for (const RoutePoint& p : route.points) {
    const std::string_view type = fplType(p.kind);
    const std::string region = type == "USER WAYPOINT" ? std::string() : schemaText(p.region, 2);
    std::string base = schemaText(p.ident, 12);
    if (base.empty()) base = "WPT";
    std::string ident = base;
    for (int n = 2;; ++n) {
      const auto at = keys.find({ident, type, region});
      if (at == keys.end()) break;
      if (std::abs(at->second.first - p.lat) < 1e-7 && std::abs(at->second.second - p.lon) < 1e-7) break;
      const std::string suffix = std::to_string(n);
      ident = base.substr(0, 12 - suffix.size()) + suffix;
    }
    routeKeys.emplace_back(ident, type, region);
    if (!keys.emplace(routeKeys.back(), std::pair(p.lat, p.lon)).second) continue;
    table += fmt::format(
        "    <waypoint>\n"
        "      <identifier>{}</identifier>\n"
        "      <type>{}</type>\n"
        "      <country-code>{}</country-code>\n"
        "      <lat>{}</lat>\n"
        "      <lon>{}</lon>\n"
        "      <comment>{}</comment>\n"
        "    </waypoint>\n",
        ident, type, region, degreesText(p.lat), degreesText(wrappedLongitude(p.lon)), schemaText(p.name, 25, " /"));
  }
  std::string name;
  if (!route.points.empty())
    name = schemaText(route.points.front().ident, 12) + " " + schemaText(route.points.back().ident, 12);
  name = schemaText(name, 25, " ");
  if (name.find_first_not_of(' ') == std::string::npos) name = "ROUTE";
  std::string points;
  for (const auto& [ident, type, region] : routeKeys)
    points += fmt::format(
        "    <route-point>\n"
        "      <waypoint-identifier>{}</waypoint-identifier>\n"
        "      <waypoint-type>{}</waypoint-type>\n"
        "      <waypoint-country-code>{}</waypoint-country-code>\n"
        "    </route-point>\n",
        ident, type, region);
  return fmt::format(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<flight-plan xmlns=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\">\n"
      "  <waypoint-table>\n{}  </waypoint-table>\n"
      "  <route>\n"
      "    <route-name>{}</route-name>\n"
      "    <flight-plan-index>1</flight-plan-index>\n"
      "{}  </route>\n"
      "</flight-plan>\n",
      table, name, points);
}

}  // namespace nav::exchange
