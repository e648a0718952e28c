#include "exchange/pln_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace nav::exchange {

namespace {

// "N48° 45' 4.00"": the hemisphere, then degrees, minutes and seconds in
// whatever marks (the degree sign is not always UTF-8).
std::optional<double> angle(std::string_view text, char positive, char negative) {
  const std::string t = trimmed(text);
  if (t.empty() || (t[0] != positive && t[0] != negative)) return std::nullopt;
  double parts[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 1;
  while (i < t.size()) {
    if ((t[i] >= '0' && t[i] <= '9') || t[i] == '.') {
      const std::size_t end = t.find_first_not_of("0123456789.", i);
      const std::optional<double> v = number(std::string_view(t).substr(i, end == std::string::npos ? end : end - i));
      if (!v || count == 3) return std::nullopt;
      parts[count++] = *v;
      i = end == std::string::npos ? t.size() : end;
    } else {
      ++i;
    }
  }
  if (count == 0 || parts[1] >= 60 || parts[2] >= 60) return std::nullopt;
  const double v = parts[0] + parts[1] / 60 + parts[2] / 3600;
  return t[0] == negative ? -v : v;
}

std::string dms(double degrees, char positive, char negative) {
  const long long hundredths = std::llround(std::abs(degrees) * 360000);
  return fmt::format("{}{}\xC2\xB0 {}' {}.{:02d}\"", degrees < 0 ? negative : positive, hundredths / 360000,
                     hundredths / 6000 % 60, hundredths / 100 % 60, hundredths % 100);
}

std::string_view plnType(PointKind kind) {
  switch (kind) {
    case PointKind::airport: return "Airport";
    case PointKind::vor:
    case PointKind::navaid: return "VOR";
    case PointKind::ndb: return "NDB";
    case PointKind::waypoint: return "Intersection";
    default: return "User";
  }
}

}  // namespace

std::optional<WorldPosition> parseWorldPosition(std::string_view text) {
  const std::size_t first = text.find(',');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find(',', first + 1);
  const std::optional<double> lat = angle(text.substr(0, first), 'N', 'S');
  const std::optional<double> lon =
      angle(text.substr(first + 1, second == std::string_view::npos ? second : second - first - 1), 'E', 'W');
  if (!lat || !lon) return std::nullopt;
  WorldPosition out;
  out.lat = *lat;
  out.lon = *lon;
  if (second != std::string_view::npos) {
    out.altitudeFeet = number(text.substr(second + 1));
    if (!out.altitudeFeet) return std::nullopt;
  }
  return out;
}

std::string worldPositionText(double lat, double lon, double altitudeFeet) {
  return fmt::format("{},{},{:+010.2f}", dms(lat, 'N', 'S'), dms(lon, 'E', 'W'), altitudeFeet);
}

ExchangeRoute readPln(const XmlFile& file) {
  const pugi::xml_node plan = child(file.root(), "FlightPlan.FlightPlan");
  if (!plan) file.fail(file.root(), "pas de <FlightPlan.FlightPlan>");
  ExchangeRoute route;
  route.name = childText(plan, "Title");
  forEachChild(plan, "ATCWaypoint", [&](pugi::xml_node w) {
    const std::optional<WorldPosition> at = parseWorldPosition(childText(w, "WorldPosition"));
    if (!at) file.fail(w, "<ATCWaypoint> sans <WorldPosition> lisible");
    RoutePoint p;
    const pugi::xml_node icao = child(w, "ICAO");
    p.ident = childText(icao, "ICAOIdent");
    if (p.ident.empty()) p.ident = trimmed(w.attribute("id").value());
    p.region = childText(icao, "ICAORegion");
    p.kind = kindOfText(childText(w, "ATCWaypointType"));
    p.lat = at->lat;
    p.lon = at->lon;
    if (at->altitudeFeet && *at->altitudeFeet > 0) p.altitudeFeet = at->altitudeFeet;
    addPoint(file, w, route, std::move(p));
  });
  if (route.points.empty()) file.fail(plan, "aucun point <ATCWaypoint>");
  return route;
}

std::string plnText(const ExchangeRoute& route) {
  double cruise = 0;
  for (const RoutePoint& p : route.points) cruise = std::max(cruise, p.altitudeFeet.value_or(0));
  std::string out = fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<SimBase.Document Type=\"AceXML\" version=\"1,0\">\n"
      "  <Descr>AceXML Document</Descr>\n"
      "  <FlightPlan.FlightPlan>\n"
      "    <Title>{}</Title>\n"
      "    <FPType>VFR</FPType>\n"
      "    <RouteType>Direct</RouteType>\n"
      "    <CruisingAlt>{:.0f}</CruisingAlt>\n",
      xmlEscaped(route.name), cruise);
  if (!route.points.empty()) {
    const RoutePoint& from = route.points.front();
    const RoutePoint& to = route.points.back();
    out += fmt::format(
        "    <DepartureID>{}</DepartureID>\n"
        "    <DepartureLLA>{}</DepartureLLA>\n"
        "    <DestinationID>{}</DestinationID>\n"
        "    <DestinationLLA>{}</DestinationLLA>\n"
        "    <Descr>{}, {}</Descr>\n"
        "    <DepartureName>{}</DepartureName>\n"
        "    <DestinationName>{}</DestinationName>\n",
        xmlEscaped(from.ident), worldPositionText(from.lat, from.lon, from.altitudeFeet.value_or(0)),
        xmlEscaped(to.ident), worldPositionText(to.lat, to.lon, to.altitudeFeet.value_or(0)), xmlEscaped(from.ident),
        xmlEscaped(to.ident), xmlEscaped(from.name.empty() ? from.ident : from.name),
        xmlEscaped(to.name.empty() ? to.ident : to.name));
  }
  out +=
      "    <AppVersion>\n"
      "      <AppVersionMajor>10</AppVersionMajor>\n"
      "      <AppVersionBuild>61472</AppVersionBuild>\n"
      "    </AppVersion>\n";
  for (const RoutePoint& p : route.points) {
    const std::string_view type = plnType(p.kind);
    out += fmt::format(
        "    <ATCWaypoint id=\"{}\">\n"
        "      <ATCWaypointType>{}</ATCWaypointType>\n"
        "      <WorldPosition>{}</WorldPosition>\n",
        xmlEscaped(p.ident), type, worldPositionText(p.lat, wrappedLongitude(p.lon), p.altitudeFeet.value_or(0)));
    if (type != "User") {
      out += "      <ICAO>\n";
      if (!p.region.empty()) out += fmt::format("        <ICAORegion>{}</ICAORegion>\n", xmlEscaped(p.region));
      out += fmt::format("        <ICAOIdent>{}</ICAOIdent>\n      </ICAO>\n", xmlEscaped(p.ident));
    }
    out += "    </ATCWaypoint>\n";
  }
  out += "  </FlightPlan.FlightPlan>\n</SimBase.Document>\n";
  return out;
}

}  // namespace nav::exchange
