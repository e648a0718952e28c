#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTime>
#include <functional>
#include <optional>

#include "flightplan/flight_plan.h"
#include "flightplan/nav_log.h"

namespace navui {

// The legs of the plan as the "Étapes" grid shows them and the log prints
// them: one line per leg, then the total line.
class LegsTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column {
    colFrom,
    colTo,
    colCourse,
    colDistance,
    colCumulative,
    colTime,
    colVariation,
    colMagneticCourse,
    colMagneticHeading,
    colGroundSpeed,
    colFuel,
    colAltitude,  // of the leg's end, in feet: the one column the user edits
    colEta,       // at the leg's end, from the departure time
    kColumns
  };

  LegsTableModel(const nav::FlightPlan& plan, QObject* parent);

  // What the log is computed from: the aircraft, the wind, the day.
  std::function<nav::LogInputs()> inputs;
  // The departure time, UTC, when one is typed.
  std::function<std::optional<QTime>()> departureTime;
  // An altitude typed for plan row `row`: none to empty it.
  std::function<void(std::size_t row, std::optional<int> feet)> setAltitude;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // After the plan or an input changed.
  void refresh();

  int legCount() const { return static_cast<int>(log_.legs.size()); }
  // The first leg's start and the last leg's end; empty without legs.
  QString departure() const;
  QString destination() const;
  std::optional<double> speed() const { return inputs_.trueAirspeed; }
  const nav::LogInputs& usedInputs() const { return inputs_; }
  const nav::NavLog& log() const { return log_; }
  // What the log has to say (a wind too strong, the reserve, the model's
  // years), and the fuel left against the reserve; empty when nothing.
  QStringList messages() const;

 private:
  QString text(int row, int column) const;

  const nav::FlightPlan& plan_;
  nav::NavLog log_;
  nav::LogInputs inputs_;
  std::optional<QTime> departure_;
};

}  // namespace navui
