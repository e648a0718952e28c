#include "app/plan_exchange.h"

#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "app/object_info.h"
#include "app/plan_placement.h"
#include "base/failure.h"
#include "base/windows1252.h"
#include "flightplan/plan_legs.h"
#include "interaction/hover_identification.h"
#include "navdata/records.h"

namespace nav {

namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool isVor(const NavaidRecord& n) { return (n.navType() & (navType::vor | navType::tacan)) != 0; }
bool isNdb(const NavaidRecord& n) { return (n.navType() & navType::ndb) != 0; }

// The records of the identifiers a route names, found in one pass over
// each table however long the route: each record's identifier looked up as
// it lies in the record, without a copy.
struct Candidates {
  std::unordered_map<std::string_view, std::vector<const AirportRecord*>> airports;
  std::unordered_map<std::string_view, std::vector<const NavaidRecord*>> navaids;
  std::unordered_map<std::string_view, std::vector<const WaypointRecord*>> waypoints;
};

// A few bits of an identifier: a table of them, small enough for the
// nearest cache, turns away nearly every record before the hash map sees it.
std::uint16_t sketch(std::string_view ident) {
  std::uint32_t h = 2166136261u;
  for (const char c : ident) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return static_cast<std::uint16_t>(h ^ (h >> 16));
}

Candidates candidatesOf(const std::vector<std::string>& idents, const NavDatabase& db) {
  Candidates c;
  std::vector<bool> named(1 << 16);
  for (const std::string& ident : idents) {
    c.airports[ident], c.navaids[ident], c.waypoints[ident];
    named[sketch(ident)] = true;
  }
  const auto gather = [&](const auto& table, auto& found, auto identOf) {
    for (const auto& r : table) {
      const std::string_view ident = identOf(r);
      if (!named[sketch(ident)]) continue;
      if (auto it = found.find(ident); it != found.end()) it->second.push_back(&r);
    }
  };
  gather(db.airports, c.airports, [](const AirportRecord& a) { return a.view(airportField::ident); });
  gather(db.navaids, c.navaids, [](const NavaidRecord& n) { return n.view(navaidField::ident); });
  gather(db.waypoints, c.waypoints, [](const WaypointRecord& w) { return w.identView(); });
  return c;
}

double metresBetween(double lat1, double lon1, double lat2, double lon2) {
  double s = 0;
  GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, s);
  return s;
}

// The nearest of `records` within the matching distance, by `keep`.
template <typename Record, typename Keep>
const Record* nearest(const std::vector<const Record*>& records, const RoutePoint& p, double& bestMetres, Keep keep) {
  const Record* best = nullptr;
  for (const Record* r : records) {
    // A mile is under a minute of latitude: farther in latitude alone, no geodesic needed.
    if (!keep(*r) || std::abs(r->lat() / kArcSecondsPerDegree - p.lat) > 1.01 / 60 * kImportMatchNm) continue;
    const double d =
        metresBetween(p.lat, p.lon, r->lat() / kArcSecondsPerDegree, signedLon(r->lon()) / kArcSecondsPerDegree);
    if (d <= kImportMatchNm * kMetresPerNauticalMile && d < bestMetres) bestMetres = d, best = r;
  }
  return best;
}

std::optional<double> plannedFeet(const PlanRow& row) {
  const std::string& cell = row[colAltitude];
  int feet = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), feet);
  if (error != std::errc() || end != cell.data() + cell.size()) return std::nullopt;
  return feet;
}

}  // namespace

PlanImport importRoute(const ExchangeRoute& route, const NavDatabase& db) {
  std::vector<std::string> idents;
  for (const RoutePoint& p : route.points) idents.push_back(upper(utf8ToWindows1252(p.ident)));
  const Candidates found = candidatesOf(idents, db);
  PlanImport out;
  out.cruiseKnots = route.cruiseKnots;
  FlightPlan& plan = out.plan;
  plan.rows.clear();
  for (std::size_t i = 0; i < route.points.size(); ++i) {
    const RoutePoint& p = route.points[i];
    const std::string& ident = idents[i];
    const PointKind k = p.kind;
    double best = std::numeric_limits<double>::max();
    const AirportRecord* airport = nullptr;
    const NavaidRecord* navaid = nullptr;
    const WaypointRecord* waypoint = nullptr;
    if (!ident.empty() && k != PointKind::user) {
      const auto any = [](const auto&) { return true; };
      if (k == PointKind::airport || k == PointKind::unknown) airport = nearest(found.airports.at(ident), p, best, any);
      if (k == PointKind::vor || k == PointKind::ndb || k == PointKind::navaid || k == PointKind::unknown)
        if (const NavaidRecord* n = nearest(found.navaids.at(ident), p, best, [k](const NavaidRecord& r) {
              return k == PointKind::vor ? isVor(r) : k == PointKind::ndb ? isNdb(r) : true;
            }))
          navaid = n, airport = nullptr;
      if (k == PointKind::waypoint || k == PointKind::unknown)
        if (const WaypointRecord* w = nearest(found.waypoints.at(ident), p, best, any))
          waypoint = w, airport = nullptr, navaid = nullptr;
    }
    PlanRow row;
    if (airport) {
      fillAirportRow(row, *airport);
    } else if (navaid) {
      fillNavaidRow(row, *navaid);
    } else if (waypoint) {
      fillWaypointRow(row, *waypoint);
    } else {
      std::string name = utf8ToWindows1252(p.ident.empty() ? p.name : p.ident);
      if (name.empty()) {
        name = userPointName(plan.userPointCounter);
        countUserPoint(plan);
      }
      const double lat = p.lat * kArcSecondsPerDegree, lon = p.lon * kArcSecondsPerDegree;
      row = userPointPlanRow(name, {.lat = lat, .lon = lon < 0 ? lon + kFullTurn : lon});
      out.userPoints.push_back(row[colName]);
    }
    if (airport || navaid || waypoint) out.fromDatabase += 1;
    if (p.altitudeFeet) row[colAltitude] = std::to_string(std::lround(*p.altitudeFeet));
    plan.rows.push_back(std::move(row));
  }
  plan.rows.emplace_back();
  plan.current = plan.rows.size() >= 2 ? plan.rows.size() - 2 : 0;
  plan.routeShown = plan.saveEnabled = plan.rows.size() > 1;
  return out;
}

std::string importSummary(const PlanImport& import, const std::string& fileName) {
  const std::size_t total = import.fromDatabase + import.userPoints.size();
  std::string text = fmt::format("{} point{} import\xE9{} de {} : {} de la base", total, total > 1 ? "s" : "",
                                 total > 1 ? "s" : "", utf8ToWindows1252(fileName), import.fromDatabase);
  if (!import.userPoints.empty()) {
    std::string names;
    for (const std::string& n : import.userPoints) names += (names.empty() ? "" : ", ") + n;
    text += fmt::format(", {} point{} utilisateur ({})", import.userPoints.size(),
                        import.userPoints.size() > 1 ? "s" : "", names);
  }
  return text;
}

ExchangeRoute exportRoute(const FlightPlan& plan, const NavDatabase& db) {
  ExchangeRoute route;
  std::string firstName, lastName;
  for (const PlanRow& row : plan.rows) {
    const std::optional<GeoPosition> at = legEnd(row);
    if (!at) continue;
    RoutePoint p;
    p.lat = at->lat / kArcSecondsPerDegree;
    p.lon = at->lon / kArcSecondsPerDegree;
    p.kind = PointKind::user;
    p.ident = windows1252ToUtf8(row[colName]);
    if (const std::optional<InfoSubject> s = subjectOfPlanRow(db, row)) {
      if (s->airport) {
        p.kind = PointKind::airport, p.ident = windows1252ToUtf8(s->airport->ident());
        p.region = windows1252ToUtf8(s->airport->region());
        p.name = windows1252ToUtf8(s->airport->name());
      } else if (s->navaid) {
        p.kind = isVor(*s->navaid) ? PointKind::vor : isNdb(*s->navaid) ? PointKind::ndb : PointKind::navaid;
        p.ident = windows1252ToUtf8(s->navaid->ident()), p.region = windows1252ToUtf8(s->navaid->region());
        p.name = windows1252ToUtf8(s->navaid->name());
      } else if (s->waypoint) {
        p.kind = PointKind::waypoint, p.ident = windows1252ToUtf8(s->waypoint->ident());
        p.region = windows1252ToUtf8(s->waypoint->region());
      }
    } else if (row[colType] == typeCode::airport) {
      p.kind = PointKind::airport;  // of another database: its row's identifier
      if (!row[colId].empty()) p.ident = windows1252ToUtf8(row[colId]);
    }
    p.altitudeFeet = plannedFeet(row);
    if (route.points.empty()) firstName = windows1252ToUtf8(row[colName]);
    lastName = windows1252ToUtf8(row[colName]);
    route.points.push_back(std::move(p));
  }
  if (route.points.empty()) fail("Le plan de vol n'a aucun point \xE0 exporter");
  route.name = firstName + " - " + lastName;
  return route;
}

}  // namespace nav
