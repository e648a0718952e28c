#include "app/object_info.h"

#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/number_format.h"
#include "flightplan/plan_legs.h"

namespace nav {

namespace {

// Whole degrees 001 to 360.
std::string degrees(double azimuth) {
  long whole = std::lround(azimuth < 0 ? azimuth + 360 : azimuth);
  if (whole <= 0) whole += 360;
  return fmt::format("{:03d}\xB0", whole);
}

struct Geodesic {
  double nm = 0;
  double azimuth = 0;  // true, from the first point
};
Geodesic between(GeoPosition from, GeoPosition to) {
  constexpr double k = kArcSecondsPerDegree;
  double metres = 0, azi1 = 0, azi2 = 0;
  GeographicLib::Geodesic::WGS84().Inverse(from.lat / k, signedLon(from.lon) / k, to.lat / k, signedLon(to.lon) / k,
                                           metres, azi1, azi2);
  return {metres / kMetresPerNauticalMile, azi1};
}

std::string positionLine(GeoPosition stored) {
  return "Position : " + pointerPosition({.lat = stored.lat, .lon = signedLon(stored.lon)}).statusText;
}

std::string elevationLine(std::int32_t feet) {
  return fmt::format("Altitude : {} ft ({} m)", feet, std::lround(feet / kFeetPerMetre));
}

// "VOR", "NDB", "VOR-DME" as the hover names them; the services one by one
// for the others.
std::string navaidKind(std::int32_t navType) {
  if (navType == 1) return "VOR";
  if (navType == 8) return "NDB";
  if (navType == 17) return "VOR-DME";
  std::string kind;
  for (const auto& [bit, word] : {std::pair{1, "VOR"}, {4, "TACAN"}, {8, "NDB"}, {16, "DME"}})
    if (navType & bit) kind += kind.empty() ? word : std::string("-") + word;
  return kind.empty() ? "?" : kind;
}

std::string ilsKind(std::int32_t ilsType) {
  switch (ilsType) {
    case 64: return "ILS";
    case 128: return "Glide";
    case 16: return "DME";
    case 512:
    case 1024:
    case 2048: return "Radioborne";
    default: return "?";
  }
}

struct RunwayEnd {
  std::string id;
  double heading = 0;
};

std::vector<RunwayEnd> runwayEnds(const NavDatabase& db, const std::string& airportKey) {
  std::vector<RunwayEnd> ends;
  for (const RunwayRecord& r : db.runways) {
    if (r.aptKey() != airportKey) continue;
    const GeoPosition e1{.lat = r.end1Lat(), .lon = r.end1Lon()}, e2{.lat = r.end2Lat(), .lon = r.end2Lon()};
    ends.push_back({r.end1Id(), between(e1, e2).azimuth});
    ends.push_back({r.end2Id(), between(e2, e1).azimuth});
  }
  return ends;
}

void describeAirport(const NavDatabase& db, const AirportRecord& a, char sep, std::optional<double> variation,
                     ObjectInfo& info) {
  info.title = a.ident() + "  " + a.name();
  info.lines.push_back(elevationLine(a.elev()));
  const GeoPosition here{.lat = a.lat(), .lon = a.lon()};
  info.lines.push_back(positionLine(here));
  // Magnetic where the variation is known, as the charts and the compass.
  const std::string north = variation ? "magn\xE9tique" : "vrai";
  const auto heading = [&](double trueDegrees) { return degrees(trueDegrees - variation.value_or(0)); };
  if (variation)
    info.lines.push_back(
        fmt::format("D\xE9"
                    "clinaison : {}\xB0 {}",
                    formatFixed(std::abs(*variation), 1, sep), *variation < 0 ? 'W' : 'E'));
  const std::string key = a.dbky();

  std::vector<std::string> runways;
  for (const RunwayRecord& r : db.runways) {
    if (r.aptKey() != key) continue;
    const GeoPosition e1{.lat = r.end1Lat(), .lon = r.end1Lon()}, e2{.lat = r.end2Lat(), .lon = r.end2Lon()};
    runways.push_back(fmt::format("  {}/{} : {} m ({} ft), {} / {} {}", r.end1Id(), r.end2Id(), r.length(),
                                  std::lround(r.length() * kFeetPerMetre), heading(between(e1, e2).azimuth),
                                  heading(between(e2, e1).azimuth), north));
  }
  info.lines.push_back(runways.empty() ? "Pistes : aucune dans la base" : "Pistes :");
  info.lines.insert(info.lines.end(), runways.begin(), runways.end());

  const std::vector<RunwayEnd> ends = runwayEnds(db, key);
  std::vector<std::string> ils;
  for (const IlsRecord& c : db.ilsComponents) {
    if (c.aptKey() != key) continue;
    std::string line = fmt::format("  {} {} piste {} : {} MHz", ilsKind(c.ilsType()), c.ident(), c.rwyId(),
                                   formatFixed(c.freq(), 2, sep));
    // The course of a localizer is its runway's.
    const auto end = std::find_if(ends.begin(), ends.end(), [&](const RunwayEnd& e) { return e.id == c.rwyId(); });
    if (c.ilsType() == 64 && end != ends.end()) line += ", axe " + heading(end->heading) + " " + north;
    ils.push_back(std::move(line));
  }
  if (!ils.empty()) {
    info.lines.push_back("ILS :");
    info.lines.insert(info.lines.end(), ils.begin(), ils.end());
  }

  // A box first, so that only the few navaids about it take a geodesic.
  // A mile is about a minute of latitude.
  const double latReach = kNearbyNm * 60 * 1.01;
  const double lonReach = latReach / std::max(0.01, std::cos(a.lat() / kArcSecondsPerDegree * std::numbers::pi / 180));
  struct Near {
    double nm;
    std::string line;
  };
  std::vector<Near> near;
  for (const NavaidRecord& n : db.navaids) {
    if (std::abs(n.lat() - a.lat()) > latReach) continue;
    double dLon = std::abs(signedLon(n.lon()) - signedLon(a.lon()));
    dLon = std::min(dLon, kFullTurn - dLon);
    if (dLon > lonReach) continue;
    const Geodesic g = between(here, {.lat = n.lat(), .lon = n.lon()});
    if (g.nm > kNearbyNm) continue;
    near.push_back(
        {g.nm, fmt::format("  {} {} {} : {} {}, {} NM", n.ident(), navaidKind(n.navType()), navaidFrequencyText(n, sep),
                           heading(g.azimuth), north, formatFixed(g.nm, 1, sep))});
  }
  std::sort(near.begin(), near.end(), [](const Near& x, const Near& y) { return x.nm < y.nm; });
  info.lines.push_back(near.empty() ? fmt::format("Aucun moyen radio \xE0 moins de {:.0f} NM", kNearbyNm)
                                    : fmt::format("Moyens radio \xE0 moins de {:.0f} NM :", kNearbyNm));
  for (Near& n : near) info.lines.push_back(std::move(n.line));
}

}  // namespace

std::string navaidFrequencyText(const NavaidRecord& n, char sep) {
  // An NDB's is in kHz, every other's in MHz.
  if (n.navType() & 8) return formatFixed(n.freq(), 0, sep) + " kHz";
  return formatFixed(n.freq(), 2, sep) + " MHz";
}

RowLabel rowLabel(const NavDatabase& db, const PlanRow& row, char sep) {
  RowLabel label;
  label.ident = row[colName];
  if (const std::optional<InfoSubject> s = subjectOfPlanRow(db, row)) {
    if (s->airport) label.ident = s->airport->ident();
    if (s->waypoint) label.ident = s->waypoint->ident();
    if (s->navaid) {
      label.ident = s->navaid->ident();
      label.frequency = navaidFrequencyText(*s->navaid, sep);
    }
  }
  return label;
}

std::optional<InfoSubject> subjectOfPlanRow(const NavDatabase& db, const PlanRow& row) {
  const std::string& type = row[colType];
  const std::string& key = row[colDbky];
  InfoSubject s;
  if (type == typeCode::airport) {
    for (const AirportRecord& a : db.airports)
      if (a.dbky() == key) return s.airport = a, s;
  } else if (type == typeCode::navaid) {
    for (const NavaidRecord& n : db.navaids)
      if (n.dbky() == key) return s.navaid = n, s;
  } else if (type == typeCode::waypoint) {
    for (const WaypointRecord& w : db.waypoints)
      if (w.dbky() == key) return s.waypoint = w, s;
  } else if (type == typeCode::userWaypoint) {
    s.userName = row[colName];
    s.position = planRowPosition(row);
    if (s.position) return s;
  }
  return std::nullopt;
}

std::optional<InfoSubject> subjectOfSearchRow(const NavDatabase& db, const SearchRow& row) {
  const std::string& ident = row.cells[searchColIdent];
  const std::string& region = row.cells[searchColRegion];
  const std::string& code = row.cells[searchColTypeCode];
  InfoSubject s;
  // A runway end's row names its airport.
  if (code == typeCode::airport || code == typeCode::userWaypoint) {
    for (const AirportRecord& a : db.airports)
      if (a.ident() == ident) return s.airport = a, s;
  } else if (code == typeCode::navaid) {
    for (const NavaidRecord& n : db.navaids)
      if (n.ident() == ident && n.region() == region) return s.navaid = n, s;
  } else if (code == typeCode::waypoint) {
    for (const WaypointRecord& w : db.waypoints)
      if (w.ident() == ident) return s.waypoint = w, s;
  }
  return std::nullopt;
}

std::optional<InfoSubject> subjectOfHover(const NavDatabase&, const HoverSelection& hover) {
  InfoSubject s;
  // In the order a drag from the map takes them.
  if (hover.hasNavaid())
    s.navaid = hover.hoveredNavaid;
  else if (hover.hasAirport())
    s.airport = hover.hoveredAirport;
  else if (hover.hasWaypoint())
    s.waypoint = hover.hoveredWaypoint;
  else
    return std::nullopt;
  return s;
}

ObjectInfo objectInfo(const NavDatabase& db, const InfoSubject& subject, char sep, const MagneticVariation* variation,
                      double year) {
  ObjectInfo info;
  if (subject.airport) {
    const AirportRecord& a = *subject.airport;
    const std::optional<double> v =
        variation ? variation->at({.lat = a.lat(), .lon = signedLon(a.lon())}, year) : std::nullopt;
    describeAirport(db, a, sep, v, info);
  } else if (subject.navaid) {
    const NavaidRecord& n = *subject.navaid;
    info.title = n.ident() + "  " + n.name();
    info.lines.push_back(navaidKind(n.navType()) + " " + navaidFrequencyText(n, sep));
    info.lines.push_back(elevationLine(n.elev()));
    info.lines.push_back("R\xE9gion : " + n.region());
    info.lines.push_back(positionLine({.lat = n.lat(), .lon = n.lon()}));
  } else if (subject.waypoint) {
    const WaypointRecord& w = *subject.waypoint;
    info.title = w.ident();
    const std::string category = waypointCategoryText(w.wptType());
    if (!category.empty()) info.lines.push_back(category);
    info.lines.push_back("R\xE9gion : " + w.region());
    info.lines.push_back(positionLine({.lat = w.lat(), .lon = w.lon()}));
  } else if (subject.position) {
    info.title = subject.userName;
    info.lines.push_back("Point utilisateur");
    info.lines.push_back(positionLine(*subject.position));
  }
  return info;
}

}  // namespace nav
