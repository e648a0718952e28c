#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <optional>

#include "flightplan/flight_plan.h"
#include "flightplan/plan_legs.h"

namespace navui {

// The legs of the plan as the "Étapes" grid shows them and the log prints
// them: one line per leg, then the total line.
class LegsTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { colFrom, colTo, colCourse, colDistance, colCumulative, colTime, kColumns };

  LegsTableModel(const nav::FlightPlan& plan, QObject* parent);

  // The cruise speed in knots, when one is set.
  std::function<std::optional<double>()> cruiseSpeed;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // After the plan or the cruise speed changed.
  void refresh();

  int legCount() const { return static_cast<int>(legs_.legs.size()); }
  // The first leg's start and the last leg's end; empty without legs.
  QString departure() const;
  QString destination() const;
  std::optional<double> speed() const { return speed_; }

 private:
  QString text(int row, int column) const;

  const nav::FlightPlan& plan_;
  nav::PlanLegs legs_;
  std::optional<double> speed_;
};

}  // namespace navui
