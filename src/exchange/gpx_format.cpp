#include "exchange/gpx_format.h"

#include <fmt/format.h>

namespace nav::exchange {

namespace {

void readPoint(const XmlFile& file, pugi::xml_node p, ExchangeRoute& route) {
  const std::optional<double> lat = number(p.attribute("lat").value());
  const std::optional<double> lon = number(p.attribute("lon").value());
  if (!lat || !lon) file.fail(p, fmt::format("<{}> sans latitude ou longitude lisible", localName(p)));
  RoutePoint point;
  point.ident = childText(p, "name");
  point.name = childText(p, "desc");
  if (point.name.empty()) point.name = childText(p, "cmt");
  point.kind = kindOfText(childText(p, "type"));
  if (point.kind == PointKind::unknown) point.kind = kindOfText(childText(p, "sym"));
  point.lat = *lat;
  point.lon = *lon;
  addPoint(file, p, route, std::move(point));
}

}  // namespace

ExchangeRoute readGpx(const XmlFile& file) {
  const pugi::xml_node gpx = file.root();
  ExchangeRoute route;
  forEachChild(gpx, "rte", [&](pugi::xml_node rte) {
    if (!route.points.empty() || !child(rte, "rtept")) return;
    route.name = childText(rte, "name");
    forEachChild(rte, "rtept", [&](pugi::xml_node p) { readPoint(file, p, route); });
  });
  if (route.points.empty()) {
    forEachChild(gpx, "trk", [&](pugi::xml_node trk) {
      if (!route.points.empty()) return;
      route.name = childText(trk, "name");
      forEachChild(trk, "trkseg", [&](pugi::xml_node seg) {
        forEachChild(seg, "trkpt", [&](pugi::xml_node p) { readPoint(file, p, route); });
      });
    });
  }
  if (route.points.empty()) forEachChild(gpx, "wpt", [&](pugi::xml_node p) { readPoint(file, p, route); });
  if (route.points.empty()) file.fail(gpx, "aucun point (<rte>, <trk> ou <wpt>)");
  return route;
}

std::string gpxText(const ExchangeRoute& route) {
  std::string gpx = fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"{}\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <rte>\n",
      kCreator);
  if (!route.name.empty()) gpx += fmt::format("    <name>{}</name>\n", xmlEscaped(route.name));
  for (const RoutePoint& p : route.points) {
    gpx += fmt::format("    <rtept lat=\"{}\" lon=\"{}\">\n", degreesText(p.lat), degreesText(wrappedLongitude(p.lon)));
    gpx += fmt::format("      <name>{}</name>\n", xmlEscaped(p.ident));
    if (!p.name.empty() && p.name != p.ident) gpx += fmt::format("      <desc>{}</desc>\n", xmlEscaped(p.name));
    if (const std::string_view kind = kindWord(p.kind); !kind.empty())
      gpx += fmt::format("      <type>{}</type>\n", kind);
    gpx += "    </rtept>\n";
  }
  gpx += "  </rte>\n</gpx>\n";
  return gpx;
}

}  // namespace nav::exchange
