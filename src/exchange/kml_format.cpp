#include "exchange/kml_format.h"

#include <fmt/format.h>

#include <vector>

namespace nav::exchange {

namespace {

constexpr double kFeetPerMetre = 1 / 0.3048;

struct Coordinate {
  double lon = 0, lat = 0;
  std::optional<double> altitude;  // metres
};

// "lon,lat[,alt]" tuples separated by white space.
std::optional<std::vector<Coordinate>> coordinates(std::string_view text) {
  std::vector<Coordinate> out;
  std::size_t i = 0;
  while (true) {
    const std::size_t begin = text.find_first_not_of(" \t\r\n", i);
    if (begin == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t\r\n", begin), text.size());
    const std::string_view tuple = text.substr(begin, end - begin);
    i = end;
    std::vector<double> v;
    for (std::size_t at = 0; at <= tuple.size();) {
      const std::size_t comma = std::min(tuple.find(',', at), tuple.size());
      const std::optional<double> n = number(tuple.substr(at, comma - at));
      if (!n) return std::nullopt;
      v.push_back(*n);
      at = comma + 1;
    }
    if (v.size() < 2 || v.size() > 3) return std::nullopt;
    out.push_back({.lon = v[0], .lat = v[1], .altitude = v.size() == 3 ? std::optional(v[2]) : std::nullopt});
  }
  return out;
}

void placemarks(pugi::xml_node container, std::vector<pugi::xml_node>& out) {
  for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    const std::string_view name = localName(c);
    if (name == "Placemark")
      out.push_back(c);
    else if (name == "Document" || name == "Folder")
      placemarks(c, out);
  }
}

std::string dataValue(pugi::xml_node placemark, std::string_view key) {
  std::string value;
  forEachChild(child(placemark, "ExtendedData"), "Data", [&](pugi::xml_node d) {
    if (value.empty() && std::string_view(d.attribute("name").value()) == key) value = childText(d, "value");
  });
  return value;
}

std::string coordinateText(const RoutePoint& p) {
  return fmt::format("{},{},{:.2f}", degreesText(wrappedLongitude(p.lon)), degreesText(p.lat),
                     p.altitudeFeet.value_or(0) / kFeetPerMetre);
}

}  // namespace

ExchangeRoute readKml(const XmlFile& file) {
  std::vector<pugi::xml_node> marks;
  placemarks(file.root(), marks);
  ExchangeRoute route;
  route.name = childText(child(file.root(), "Document"), "name");
  const auto read = [&](pugi::xml_node at, std::string_view text) {
    std::optional<std::vector<Coordinate>> c = coordinates(text);
    if (!c) file.fail(at, "<coordinates> illisibles (longitude,latitude[,altitude] attendus)");
    return *c;
  };
  for (pugi::xml_node mark : marks) {
    const pugi::xml_node point = child(mark, "Point");
    if (!point) continue;
    const pugi::xml_node coordinatesNode = child(point, "coordinates");
    const std::vector<Coordinate> c = read(coordinatesNode, coordinatesNode.text().get());
    if (c.size() != 1) file.fail(coordinatesNode, "un <Point> a une position et une seule");
    RoutePoint p;
    p.ident = childText(mark, "name");
    p.name = childText(mark, "description");
    p.kind = kindOfText(dataValue(mark, "type"));
    p.lat = c[0].lat;
    p.lon = c[0].lon;
    if (c[0].altitude && *c[0].altitude > 0) p.altitudeFeet = *c[0].altitude * kFeetPerMetre;
    addPoint(file, point, route, std::move(p));
  }
  if (route.points.empty()) {
    for (pugi::xml_node mark : marks) {
      const pugi::xml_node line = child(mark, "LineString");
      if (!line) continue;
      const pugi::xml_node coordinatesNode = child(line, "coordinates");
      for (const Coordinate& c : read(coordinatesNode, coordinatesNode.text().get())) {
        RoutePoint p;
        p.kind = PointKind::user;
        p.lat = c.lat;
        p.lon = c.lon;
        addPoint(file, coordinatesNode, route, std::move(p));
      }
      break;
    }
  }
  if (route.points.empty()) file.fail(file.root(), "aucun point (<Placemark> avec <Point> ou <LineString>)");
  return route;
}

std::string kmlText(const ExchangeRoute& route) {
  std::string line;
  for (const RoutePoint& p : route.points) line += "          " + coordinateText(p) + "\n";
  std::string out = fmt::format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
      "  <Document>\n"
      "    <name>{0}</name>\n"
      "    <Style id=\"route\">\n"
      "      <LineStyle>\n"
      "        <color>ffff00ff</color>\n"
      "        <width>3</width>\n"
      "      </LineStyle>\n"
      "    </Style>\n"
      "    <Placemark>\n"
      "      <name>{0}</name>\n"
      "      <styleUrl>#route</styleUrl>\n"
      "      <LineString>\n"
      "        <tessellate>1</tessellate>\n"
      "        <coordinates>\n{1}        </coordinates>\n"
      "      </LineString>\n"
      "    </Placemark>\n",
      xmlEscaped(route.name), line);
  for (const RoutePoint& p : route.points) {
    out += fmt::format("    <Placemark>\n      <name>{}</name>\n", xmlEscaped(p.ident));
    if (!p.name.empty() && p.name != p.ident)
      out += fmt::format("      <description>{}</description>\n", xmlEscaped(p.name));
    if (const std::string_view kind = kindWord(p.kind); !kind.empty())
      out += fmt::format(
          "      <ExtendedData>\n        <Data name=\"type\">\n          <value>{}</value>\n"
          "        </Data>\n      </ExtendedData>\n",
          kind);
    out += fmt::format("      <Point>\n{}        <coordinates>{}</coordinates>\n      </Point>\n    </Placemark>\n",
                       p.altitudeFeet ? "        <altitudeMode>absolute</altitudeMode>\n" : "", coordinateText(p));
  }
  out += "  </Document>\n</kml>\n";
  return out;
}

}  // namespace nav::exchange
