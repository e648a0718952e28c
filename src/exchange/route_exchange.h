#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A route as other planners' files carry it, apart from the plan: texts in
// UTF-8 as the files hold them, positions in degrees.

namespace nav {

enum class PointKind { unknown, airport, vor, ndb, navaid, waypoint, user };

struct RoutePoint {
  std::string ident;
  std::string name;    // a longer name or a comment, may be empty
  std::string region;  // the ICAO region or country code, may be empty
  PointKind kind = PointKind::unknown;
  double lat = 0;  // degrees, north positive
  double lon = 0;  // degrees, east positive, -180 to 180
  std::optional<double> altitudeFeet;
  friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

struct ExchangeRoute {
  std::string name;
  std::vector<RoutePoint> points;
  std::optional<double> cruiseKnots;
};

enum class RouteFormat { gpx, fpl, pln, fms, kml };

// The formats in the order the export dialog offers them.
inline constexpr RouteFormat kRouteFormats[] = {RouteFormat::gpx, RouteFormat::fpl, RouteFormat::pln, RouteFormat::fms,
                                                RouteFormat::kml};

std::string_view formatExtension(RouteFormat format);  // "gpx"
std::string_view formatTitle(RouteFormat format);      // "Route GPX", UTF-8
// The format a file name's extension names, any case; none for another.
std::optional<RouteFormat> formatOfFileName(std::string_view fileName);
// "gpx", "fpl", "pln", "fms" or "kml" as navtool takes them.
std::optional<RouteFormat> formatOfName(std::string_view name);

// More points than any plan holds: a file with more is no route.
inline constexpr std::size_t kMaxRoutePoints = 10000;
// The most bytes a route file may hold.
inline constexpr std::size_t kMaxRouteFileBytes = std::size_t{16} << 20;

// A route file's content, of whichever format it is in (told by its
// content, not its name). Fails with a French message naming `fileName`
// and, where it has one, the line.
ExchangeRoute parseRouteFile(std::string_view content, const std::string& fileName);
// The same from a regular file on disk.
ExchangeRoute readRouteFile(const std::string& path);

// The file's content in `format`, UTF-8.
std::string routeFileText(const ExchangeRoute& route, RouteFormat format);
// Written without ever leaving a half-written file ("Cannot create file %s").
void writeRouteFile(const ExchangeRoute& route, RouteFormat format, const std::string& path);

}  // namespace nav
