#include "app/route_text.h"

#include <fmt/format.h>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <numbers>

#include "app/object_info.h"
#include "app/plan_placement.h"
#include "flightplan/plan_legs.h"
#include "interaction/hover_identification.h"
#include "navdata/records.h"

namespace nav {

namespace {

bool digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
int number(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

// One object a token may name.
struct Candidate {
  const AirportRecord* airport = nullptr;
  const NavaidRecord* navaid = nullptr;
  const WaypointRecord* waypoint = nullptr;
  GeoPosition at;  // signed
};

std::vector<Candidate> candidates(const NavDatabase& db, const std::string& ident, bool airportsOnly) {
  std::vector<Candidate> out;
  for (const AirportRecord& a : db.airports)
    if (a.ident() == ident) out.push_back({&a, nullptr, nullptr, {.lat = a.lat(), .lon = signedLon(a.lon())}});
  if (airportsOnly && !out.empty()) return out;
  for (const NavaidRecord& n : db.navaids)
    if (n.ident() == ident) out.push_back({nullptr, &n, nullptr, {.lat = n.lat(), .lon = signedLon(n.lon())}});
  for (const WaypointRecord& w : db.waypoints)
    if (w.ident() == ident) out.push_back({nullptr, nullptr, &w, {.lat = w.lat(), .lon = signedLon(w.lon())}});
  return out;
}

// A distance good enough to tell namesakes continents apart.
double apart(GeoPosition a, GeoPosition b) {
  const double k = std::numbers::pi / 180 / kArcSecondsPerDegree;
  const double dLon = std::remainder(a.lon - b.lon, kFullTurn);
  const double x = dLon * std::cos((a.lat + b.lat) / 2 * k), y = a.lat - b.lat;
  return x * x + y * y;
}

const Candidate& nearest(const std::vector<Candidate>& among, GeoPosition to) {
  const Candidate* best = &among.front();
  for (const Candidate& c : among)
    if (apart(c.at, to) < apart(best->at, to)) best = &c;
  return *best;
}

// 48N002E, 4830N00200E, 483015N0021030E: latitude and longitude to the
// same precision.
std::optional<GeoPosition> coordinates(std::string_view t) {
  const std::size_t ns = t.find_first_of("NS");
  if (ns == std::string_view::npos || t.size() < 7) return std::nullopt;
  const std::string_view lat = t.substr(0, ns), rest = t.substr(ns + 1);
  if (rest.empty() || (rest.back() != 'E' && rest.back() != 'W')) return std::nullopt;
  const std::string_view lon = rest.substr(0, rest.size() - 1);
  if (!digits(lat) || !digits(lon) || lon.size() != lat.size() + 1) return std::nullopt;
  if (lat.size() != 2 && lat.size() != 4 && lat.size() != 6) return std::nullopt;
  const auto seconds = [](std::string_view d, int degreeDigits) {
    const int deg = number(d.substr(0, degreeDigits));
    const int min = d.size() > std::size_t(degreeDigits) ? number(d.substr(degreeDigits, 2)) : 0;
    const int sec = d.size() > std::size_t(degreeDigits) + 2 ? number(d.substr(degreeDigits + 2, 2)) : 0;
    if (min > 59 || sec > 59) return -1.0;
    return deg * 3600.0 + min * 60 + sec;
  };
  double la = seconds(lat, 2), lo = seconds(lon, 3);
  if (la < 0 || lo < 0 || la > kQuarterTurn || lo > kHalfTurn) return std::nullopt;
  if (t[ns] == 'S') la = -la;
  if (rest.back() == 'W') lo = -lo;
  return GeoPosition{.lat = la, .lon = lo};
}

struct SpeedLevel {
  std::optional<double> knots;
  std::optional<int> feet;
  bool mach = false;
};

// N0120A045, K0220S0150, M082F350, N0120VFR.
std::optional<SpeedLevel> speedLevel(std::string_view t) {
  SpeedLevel out;
  std::size_t used = 0;
  if (t.size() >= 5 && t[0] == 'N' && digits(t.substr(1, 4))) {
    out.knots = number(t.substr(1, 4)), used = 5;
  } else if (t.size() >= 5 && t[0] == 'K' && digits(t.substr(1, 4))) {
    out.knots = number(t.substr(1, 4)) / 1.852, used = 5;
  } else if (t.size() >= 4 && t[0] == 'M' && digits(t.substr(1, 3))) {
    out.mach = true, used = 4;
  } else {
    return std::nullopt;
  }
  const std::string_view level = t.substr(used);
  if (level == "VFR") return out;
  if (level.size() == 4 && (level[0] == 'A' || level[0] == 'F') && digits(level.substr(1)))
    out.feet = number(level.substr(1)) * 100;
  else if (level.size() == 5 && (level[0] == 'S' || level[0] == 'M') && digits(level.substr(1)))
    out.feet = static_cast<int>(std::lround(number(level.substr(1)) * 10 * kFeetPerMetre));
  else
    return std::nullopt;
  return out;
}

bool looksLikeAirway(std::string_view t) {
  // UN866, UL612, A1, G4, T9: letters, then digits.
  std::size_t letters = 0;
  while (letters < t.size() && std::isupper(static_cast<unsigned char>(t[letters]))) ++letters;
  return letters >= 1 && letters <= 3 && digits(t.substr(letters)) && t.size() - letters <= 4;
}
bool looksLikeProcedure(std::string_view t) {
  // LORP5A, ABBEY3B: a name, a digit, a letter.
  return t.size() >= 5 && std::isdigit(static_cast<unsigned char>(t[t.size() - 2])) &&
         std::isupper(static_cast<unsigned char>(t.back()));
}

std::vector<std::string> tokensOf(std::string_view text) {
  std::vector<std::string> out;
  std::string token;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (!token.empty()) out.push_back(std::move(token)), token.clear();
    } else {
      token += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  if (!token.empty()) out.push_back(std::move(token));
  // A speed and level group after a slash is a token of its own.
  std::vector<std::string> split;
  for (std::string& t : out) {
    const std::size_t slash = t.find('/');
    if (slash != std::string::npos && slash > 0) {
      split.push_back(t.substr(0, slash));
      split.push_back(t.substr(slash + 1));
    } else {
      split.push_back(slash == 0 ? t.substr(1) : t);
    }
  }
  return split;
}

std::string dmsText(double seconds, int degreeDigits, char positive, char negative) {
  const long whole = std::lround(std::abs(seconds));
  return fmt::format("{:0{}d}{:02d}{:02d}{}", whole / 3600, degreeDigits, whole / 60 % 60, whole % 60,
                     seconds < 0 ? negative : positive);
}

}  // namespace

RouteBuild buildRoute(std::string_view text, const NavDatabase& db, const MagneticVariation* variation, double year) {
  RouteBuild out;
  FlightPlan& plan = out.plan;
  plan.rows.clear();
  std::optional<GeoPosition> previous;
  std::optional<int> altitude;
  const std::vector<std::string> tokens = tokensOf(text);
  // The tokens that name points, for the first and last rule.
  std::size_t firstPoint = tokens.size(), lastPoint = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i)
    if (tokens[i] != "DCT" && !speedLevel(tokens[i])) firstPoint = std::min(firstPoint, i), lastPoint = i;

  const auto add = [&](PlanRow row, GeoPosition at) {
    if (altitude) row[colAltitude] = std::to_string(*altitude);
    plan.rows.push_back(std::move(row));
    previous = at;
  };
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string& t = tokens[i];
    if (t == "DCT" || t.empty()) continue;
    if (const std::optional<SpeedLevel> group = speedLevel(t)) {
      if (group->knots) out.cruiseKnots = group->knots;
      if (group->mach) out.problems.push_back({t, "vitesse en Mach non prise en compte"});
      if (group->feet) altitude = group->feet;
      continue;
    }
    if (const std::optional<GeoPosition> at = coordinates(t)) {
      // Named by the counter, as a point dropped from the map is.
      add(userPointPlanRow(userPointName(plan.userPointCounter),
                           {.lat = at->lat, .lon = at->lon < 0 ? at->lon + kFullTurn : at->lon}),
          *at);
      countUserPoint(plan);
      continue;
    }
    const bool endPoint = i == firstPoint || i == lastPoint;
    std::vector<Candidate> found = candidates(db, t, endPoint);
    // PTV090020: 20 NM on the 090 radial of PTV.
    if (found.empty() && t.size() >= 8 && digits(t.substr(t.size() - 6))) {
      const std::string ident = t.substr(0, t.size() - 6);
      std::vector<Candidate> bases = candidates(db, ident, false);
      if (!bases.empty()) {
        const Candidate& base = previous ? nearest(bases, *previous) : bases.front();
        double radial = number(t.substr(t.size() - 6, 3));
        const double nm = number(t.substr(t.size() - 3));
        const std::optional<double> v = variation ? variation->at(base.at, year) : std::nullopt;
        if (v)
          radial += *v;
        else
          out.problems.push_back({t,
                                  "radial pris en vrai : d\xE9"
                                  "clinaison inconnue"});
        double lat = 0, lon = 0;
        constexpr double k = kArcSecondsPerDegree;
        GeographicLib::Geodesic::WGS84().Direct(base.at.lat / k, base.at.lon / k, radial, nm * kMetresPerNauticalMile,
                                                lat, lon);
        const GeoPosition at{.lat = lat * k, .lon = lon * k};
        add(userPointPlanRow(t, {.lat = at.lat, .lon = at.lon < 0 ? at.lon + kFullTurn : at.lon}), at);
        continue;
      }
    }
    if (found.empty()) {
      const char* reason = looksLikeAirway(t)      ? "les voies a\xE9riennes ne sont pas dans la base"
                           : looksLikeProcedure(t) ? "les proc\xE9"
                                                     "dures ne sont pas dans la base"
                                                   : "introuvable";
      out.problems.push_back({t, reason});
      continue;
    }
    const Candidate* chosen = &found.front();
    if (found.size() > 1) {
      if (previous) {
        chosen = &nearest(found, *previous);
      } else {
        // No point before it: the one nearest to what the next token names.
        for (std::size_t j = i + 1; j < tokens.size(); ++j) {
          const std::vector<Candidate> next = candidates(db, tokens[j], j == lastPoint);
          if (next.empty()) continue;
          double best = std::numeric_limits<double>::max();
          for (const Candidate& c : found)
            for (const Candidate& n : next)
              if (const double d = apart(c.at, n.at); d < best) best = d, chosen = &c;
          break;
        }
      }
    }
    PlanRow row;
    if (chosen->airport) fillAirportRow(row, *chosen->airport);
    if (chosen->navaid) fillNavaidRow(row, *chosen->navaid);
    if (chosen->waypoint) fillWaypointRow(row, *chosen->waypoint);
    add(std::move(row), chosen->at);
  }
  plan.rows.emplace_back();
  plan.current = plan.rows.size() >= 2 ? plan.rows.size() - 2 : 0;
  plan.routeShown = plan.saveEnabled = plan.rows.size() > 1;
  return out;
}

std::string routeText(const FlightPlan& plan, const NavDatabase& db) {
  std::string text;
  for (const PlanRow& row : plan.rows) {
    std::string token;
    const std::string& type = row[colType];
    if (type == typeCode::airport || type == typeCode::navaid || type == typeCode::waypoint) {
      if (subjectOfPlanRow(db, row)) token = rowLabel(db, row, '.').ident;
    }
    if (token.empty()) {
      const std::optional<GeoPosition> p = planRowPosition(row);
      if (!p) continue;
      token = dmsText(p->lat, 2, 'N', 'S') + dmsText(signedLon(p->lon), 3, 'E', 'W');
    }
    text += (text.empty() ? "" : " ") + token;
  }
  return text;
}

}  // namespace nav
