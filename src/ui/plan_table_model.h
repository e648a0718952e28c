#pragma once

#include <QAbstractTableModel>

#include "flightplan/flight_plan.h"

namespace navui {

// The flight plan as the plan grid shows it and the print reads it: one row
// per plan row, its fifteen cells under their names.
class PlanTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  PlanTableModel(const nav::FlightPlan& plan, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // After a command has changed the plan's rows.
  void planChanged();

  // The position cells are right-aligned.
  static bool isNumberColumn(int column);

 private:
  const nav::FlightPlan& plan_;
};

}  // namespace navui
