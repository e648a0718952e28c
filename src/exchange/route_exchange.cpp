#include "exchange/route_exchange.h"

#include <fmt/format.h>

#include <chrono>

#include "base/file_io.h"
#include "exchange/fms_format.h"
#include "exchange/format_support.h"
#include "exchange/fpl_format.h"
#include "exchange/gpx_format.h"
#include "exchange/kml_format.h"
#include "exchange/pln_format.h"

namespace nav {

std::string_view formatExtension(RouteFormat format) {
  switch (format) {
    case RouteFormat::gpx: return "gpx";
    case RouteFormat::fpl: return "fpl";
    case RouteFormat::pln: return "pln";
    case RouteFormat::fms: return "fms";
    case RouteFormat::kml: return "kml";
  }
  return {};
}

std::string_view formatTitle(RouteFormat format) {
  switch (format) {
    case RouteFormat::gpx: return "Route GPX";
    case RouteFormat::fpl: return "Plan Garmin FPL";
    case RouteFormat::pln: return "Plan MSFS / FSX";
    case RouteFormat::fms: return "Plan X-Plane 11";
    case RouteFormat::kml: return "Google Earth KML";
  }
  return {};
}

std::optional<RouteFormat> formatOfName(std::string_view name) {
  const std::string n = exchange::asciiLower(name);
  for (const RouteFormat f : kRouteFormats)
    if (formatExtension(f) == n) return f;
  return std::nullopt;
}

std::optional<RouteFormat> formatOfFileName(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  const std::size_t slash = fileName.find_last_of("/\\");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
  return formatOfName(fileName.substr(dot + 1));
}

ExchangeRoute parseRouteFile(std::string_view content, const std::string& fileName) {
  using namespace exchange;
  if (content.size() > kMaxRouteFileBytes) badRouteFile(fileName, std::nullopt, "fichier trop grand");
  std::string_view text = content;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  const bool utf16 = content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF";
  if (utf16 || (first != std::string_view::npos && text[first] == '<')) {
    const XmlFile file(content, fileName);
    const std::string_view root = localName(file.root());
    if (root == "gpx") return readGpx(file);
    if (root == "flight-plan") return readFpl(file);
    if (root == "SimBase.Document") return readPln(file);
    if (root == "kml") return readKml(file);
    file.fail(file.root(), fmt::format("<{}> : ni GPX, ni FPL, ni PLN, ni KML", root));
  }
  if (first != std::string_view::npos && (text[first] == 'I' || text[first] == 'A')) return readFms(text, fileName);
  badRouteFile(fileName, std::nullopt, "format inconnu (GPX, FPL, PLN, FMS ou KML attendu)");
}

ExchangeRoute readRouteFile(const std::string& path) {
  return parseRouteFile(readWholeFile(path, kMaxRouteFileBytes), path);
}

std::string routeFileText(const ExchangeRoute& route, RouteFormat format) {
  using namespace exchange;
  switch (format) {
    case RouteFormat::gpx: return gpxText(route);
    case RouteFormat::fpl: return fplText(route);
    case RouteFormat::pln: return plnText(route);
    case RouteFormat::fms:
      return fmsText(route, std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    case RouteFormat::kml: return kmlText(route);
  }
  return {};
}

void writeRouteFile(const ExchangeRoute& route, RouteFormat format, const std::string& path) {
  replaceFileContent(path, routeFileText(route, format), fmt::format("Cannot create file {}", path));
}

}  // namespace nav
