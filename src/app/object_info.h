#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/geo_position.h"
#include "flightplan/flight_plan.h"
#include "flightplan/magnetic_model.h"
#include "interaction/hover_identification.h"
#include "interaction/identifier_search.h"
#include "navdata/nav_database.h"

namespace nav {

// What the "Infos" panel describes: a record of the tables or a user point.
struct InfoSubject {
  std::optional<AirportRecord> airport;
  std::optional<NavaidRecord> navaid;
  std::optional<WaypointRecord> waypoint;
  std::string userName;                 // a user point: its name and position
  std::optional<GeoPosition> position;  // stored longitude
};

// The subject of a plan row (by its type and key), of a result row (a
// runway end's is its airport), and of what lies under the pointer; none
// when the row or the hover names nothing the tables hold.
std::optional<InfoSubject> subjectOfPlanRow(const NavDatabase& db, const PlanRow& row);
std::optional<InfoSubject> subjectOfSearchRow(const NavDatabase& db, const SearchRow& row);
std::optional<InfoSubject> subjectOfHover(const NavDatabase& db, const HoverSelection& hover);

// A navaid's frequency as pilots read it: "113,70 MHz", an NDB's "375 kHz".
std::string navaidFrequencyText(const NavaidRecord& navaid, char decimalSeparator);
// What a log calls a plan row: the identifier of its record, else its name;
// and a navaid's frequency, else nothing.
struct RowLabel {
  std::string ident;
  std::string frequency;
};
RowLabel rowLabel(const NavDatabase& db, const PlanRow& row, char decimalSeparator);

// Navaids this close to an airport are listed with it.
inline constexpr double kNearbyNm = 30;

// The panel's text: a title, then lines (Windows-1252), numbers with the
// user's decimal separator. For an airport its elevation, runways, ILS
// components and the navaids within kNearbyNm; for a navaid its kind,
// frequency, elevation and region.
struct ObjectInfo {
  std::string title;
  std::vector<std::string> lines;
};
// With `variation` known there at `year`, an airport's headings, axes and
// bearings are magnetic, and its variation is told.
ObjectInfo objectInfo(const NavDatabase& db, const InfoSubject& subject, char decimalSeparator,
                      const MagneticVariation* variation = nullptr, double year = 0);

}  // namespace nav
