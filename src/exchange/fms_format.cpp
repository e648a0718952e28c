#include "exchange/fms_format.h"

#include <fmt/format.h>

#include <cmath>
#include <vector>

#include "exchange/format_support.h"

namespace nav::exchange {

namespace {

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t begin = line.find_first_not_of(" \t\r", i);
    if (begin == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", begin), line.size());
    out.emplace_back(line.substr(begin, end - begin));
    i = end;
  }
  return out;
}

PointKind fmsKind(std::string_view type) {
  if (type == "1") return PointKind::airport;
  if (type == "2") return PointKind::ndb;
  if (type == "3") return PointKind::vor;
  if (type == "11") return PointKind::waypoint;
  if (type == "28") return PointKind::user;
  return PointKind::unknown;
}

int fmsType(PointKind kind) {
  switch (kind) {
    case PointKind::airport: return 1;
    case PointKind::ndb: return 2;
    case PointKind::vor:
    case PointKind::navaid: return 3;
    case PointKind::waypoint: return 11;
    default: return 28;
  }
}

// X-Plane's identifiers are one word, on one line.
std::string oneWord(std::string_view ident) {
  std::string out(ident);
  for (char& c : out)
    if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F') c = '_';
  return out.empty() ? std::string("WPT") : out;
}

}  // namespace

ExchangeRoute readFms(std::string_view content, const std::string& fileName) {
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at <= content.size();) {
    const std::size_t end = std::min(content.find('\n', at), content.size());
    lines.push_back(content.substr(at, end - at));
    at = end + 1;
  }
  const auto fail = [&](std::size_t index, std::string_view what) { badRouteFile(fileName, index + 1, what); };
  if (lines.size() < 2 || words(lines[1]).size() < 2 || words(lines[1])[0] != "1100")
    fail(lines.size() < 2 ? 0 : 1, "seule la version 1100 des plans X-Plane (.fms) est lue");
  ExchangeRoute route;
  std::size_t i = 2;
  long long announced = -1;
  std::size_t numenrLine = 0;
  for (; i < lines.size(); ++i) {
    const std::vector<std::string> w = words(lines[i]);
    if (w.empty()) continue;
    if (w[0] != "NUMENR") continue;  // CYCLE, ADEP, DEPRWY, SID, ADES, APP and the like
    const std::optional<double> n = w.size() == 2 ? number(w[1]) : std::nullopt;
    if (!n || *n < 1 || *n != std::floor(*n)) fail(i, "NUMENR sans nombre de points lisible");
    if (*n > static_cast<double>(kMaxRoutePoints))
      fail(i, fmt::format("plus de {} points : ce n'est pas un plan de vol", kMaxRoutePoints));
    announced = static_cast<long long>(*n);
    numenrLine = i++;
    break;
  }
  if (announced < 0) fail(lines.size() - 1, "pas de ligne NUMENR");
  for (; i < lines.size(); ++i) {
    const std::vector<std::string> w = words(lines[i]);
    if (w.empty()) continue;
    if (static_cast<long long>(route.points.size()) == announced)
      fail(numenrLine, fmt::format("NUMENR annonce {} points, le fichier en a davantage (ligne {})", announced, i + 1));
    const std::optional<double> alt = w.size() == 6 ? number(w[3]) : std::nullopt;
    const std::optional<double> lat = w.size() == 6 ? number(w[4]) : std::nullopt;
    const std::optional<double> lon = w.size() == 6 ? number(w[5]) : std::nullopt;
    if (!alt || !lat || !lon)
      fail(i, "point illisible (type, identifiant, voie, altitude, latitude, longitude attendus)");
    if (!(std::abs(*lat) <= 90) || !(*lon >= -180 && *lon <= 180)) fail(i, "position hors de la Terre");
    RoutePoint p;
    p.kind = fmsKind(w[0]);
    p.ident = w[1];
    p.lat = *lat;
    p.lon = wrappedLongitude(*lon);
    if (*alt > 0) p.altitudeFeet = *alt;
    route.points.push_back(std::move(p));
  }
  if (static_cast<long long>(route.points.size()) != announced)
    fail(numenrLine, fmt::format("NUMENR annonce {} points, le fichier en a {}", announced, route.points.size()));
  return route;
}

std::string airacCycle(std::chrono::sys_days day) {
  using namespace std::chrono;
  // Cycles of 28 days from 2 January 2020, 2001; numbered within their year.
  constexpr sys_days epoch = sys_days{year{2020} / January / 2};
  const long long n = static_cast<long long>(std::floor((day - epoch).count() / 28.0));
  const sys_days start = epoch + days{28 * n};
  const year y = year_month_day{start}.year();
  const long long firstOfYear = static_cast<long long>(std::ceil((sys_days{y / January / 1} - epoch).count() / 28.0));
  return fmt::format("{:02d}{:02d}", static_cast<int>(y) % 100, n - firstOfYear + 1);
}

std::string fmsText(const ExchangeRoute& route, std::chrono::sys_days day) {
  std::string out = fmt::format("I\n1100 Version\nCYCLE {}\n", airacCycle(day));
  const std::size_t count = route.points.size();
  const bool fromAirport = count > 0 && route.points.front().kind == PointKind::airport;
  const bool toAirport = count > 1 && route.points.back().kind == PointKind::airport;
  if (count > 0) out += fmt::format("{} {}\n", fromAirport ? "ADEP" : "DEP", oneWord(route.points.front().ident));
  if (count > 1) out += fmt::format("{} {}\n", toAirport ? "ADES" : "DES", oneWord(route.points.back().ident));
  out += fmt::format("NUMENR {}\n", count);
  for (std::size_t i = 0; i < count; ++i) {
    const RoutePoint& p = route.points[i];
    const char* via = i == 0 && fromAirport ? "ADEP" : i + 1 == count && toAirport ? "ADES" : "DRCT";
    out += fmt::format("{} {} {} {:.6f} {:.8f} {:.8f}\n", fmsType(p.kind), oneWord(p.ident), via,
                       p.altitudeFeet.value_or(0), p.lat, wrappedLongitude(p.lon));
  }
  return out;
}

}  // namespace nav::exchange
