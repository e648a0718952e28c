#include "flightplan/gpx_route.h"

#include <fmt/format.h>

#include <cmath>

#include "base/file_io.h"
#include "base/windows1252.h"
#include "flightplan/plan_legs.h"

namespace nav {

namespace {

// Record bytes decoded for XML: the five markup characters escaped, and the
// control bytes XML 1.0 cannot hold at all left out.
std::string xmlText(const std::string& windows1252) {
  std::string out;
  for (const char c : windows1252ToUtf8(windows1252)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
  return out;
}

// GPX wants -180 <= longitude < 180, as written: a longitude just below
// 180 that its eight decimals round up to 180 is written -180.
double gpxLongitude(double deg) {
  double lon = std::fmod(deg, 360.0);
  lon = std::round(lon * 1e8) / 1e8;
  if (lon >= 180) lon -= 360;
  if (lon < -180) lon += 360;
  return lon;
}

}  // namespace

std::string gpxRoute(const std::vector<PlanRow>& rows) {
  std::string points;
  std::string first, last;
  bool any = false;
  for (const PlanRow& row : rows) {
    const std::optional<GeoPosition> p = legEnd(row);
    if (!p) continue;
    if (!any) first = row[colName];
    any = true;
    last = row[colName];
    points += fmt::format("    <rtept lat=\"{:.8f}\" lon=\"{:.8f}\">\n", p->lat / kArcSecondsPerDegree,
                          gpxLongitude(p->lon / kArcSecondsPerDegree));
    points += fmt::format("      <name>{}</name>\n", xmlText(row[colName]));
    if (!row[colType].empty()) points += fmt::format("      <type>{}</type>\n", xmlText(row[colType]));
    points += "    </rtept>\n";
  }
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Générateur de plan de vol pour Norvane!\" "
      "xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <rte>\n";
  if (any) gpx += fmt::format("    <name>{} - {}</name>\n", xmlText(first), xmlText(last));
  gpx += points;
  gpx += "  </rte>\n</gpx>\n";
  return gpx;
}

void writeGpxRoute(const std::vector<PlanRow>& rows, const std::string& path) {
  replaceFileContent(path, gpxRoute(rows), fmt::format("Cannot create file {}", path));
}

}  // namespace nav
