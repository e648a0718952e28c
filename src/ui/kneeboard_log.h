#pragma once

#include <QAbstractItemModel>
#include <QTime>
#include <memory>
#include <optional>

#include "flightplan/flight_plan.h"
#include "navdata/nav_database.h"

namespace navui {

class LegsTableModel;

// The log as printed for the kneeboard: the departure point, then a row per
// leg for the point it reaches (identifier, name, a navaid's frequency, the
// planned altitude, magnetic course and heading, distance, time, estimated
// time of arrival from `departure` (UTC), fuel) with empty "HR" and
// "Carb. réel" columns for the pilot to fill in flight; then the totals.
// Those two columns say so in their header's Qt::UserRole, so that they are
// printed empty; the name, the one column that gives way on a narrow page,
// in Qt::UserRole + 1.
std::unique_ptr<QAbstractItemModel> kneeboardTable(const LegsTableModel& legs, const nav::FlightPlan& plan,
                                                   const nav::NavDatabase* db, std::optional<QTime> departure);

}  // namespace navui
