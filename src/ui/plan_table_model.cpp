#include "ui/plan_table_model.h"

#include "paint/text_decoding.h"

namespace navui {

PlanTableModel::PlanTableModel(const nav::FlightPlan& plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(plan) {}

int PlanTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(plan_.rows.size());
}

int PlanTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(nav::kPlanColumns);
}

bool PlanTableModel::isNumberColumn(int column) {
  return column >= static_cast<int>(nav::colLat) && column <= static_cast<int>(nav::colYy);
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole)
    return fromWindows1252(
        plan_.rows[static_cast<std::size_t>(index.row())].cells[static_cast<std::size_t>(index.column())]);
  if (role == Qt::TextAlignmentRole)
    return static_cast<int>((isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  return {};
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (section < 0 || section >= static_cast<int>(nav::kPlanColumns)) return {};
  return fromWindows1252(nav::kPlanColumnNames[static_cast<std::size_t>(section)]);
}

void PlanTableModel::planChanged() {
  beginResetModel();
  endResetModel();
}

}  // namespace navui
