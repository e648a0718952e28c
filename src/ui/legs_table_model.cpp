#include "ui/legs_table_model.h"

#include <QFont>
#include <array>

#include "paint/text_decoding.h"

namespace navui {

namespace {

const std::array<const char*, LegsTableModel::kColumns> kHeaders{"De",         "Vers", "Route vraie", "Distance (NM)",
                                                                 "Cumul (NM)", "Temps"};

}  // namespace

LegsTableModel::LegsTableModel(const nav::FlightPlan& plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(plan) {
  legs_ = nav::planLegs(plan_.rows);
}

int LegsTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : legCount() + 1; }

int LegsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QString LegsTableModel::text(int row, int column) const {
  const char sep = userDecimalSeparator();
  if (row == legCount()) {  // the total line
    switch (column) {
      case colFrom: return QStringLiteral("Total");
      case colDistance: return QString::fromStdString(nav::distanceText(legs_.totalNm, sep));
      case colTime: return speed_ ? QString::fromStdString(nav::timeEnRoute(legs_.totalNm, *speed_)) : QString();
      default: return {};
    }
  }
  const nav::PlanLeg& leg = legs_.legs[static_cast<std::size_t>(row)];
  switch (column) {
    case colFrom: return fromWindows1252(plan_.rows[leg.fromRow][nav::colName]);
    case colTo: return fromWindows1252(plan_.rows[leg.toRow][nav::colName]);
    case colCourse: return QString::fromStdString(nav::courseText(leg.course));
    case colDistance: return QString::fromStdString(nav::distanceText(leg.distanceNm, sep));
    case colCumulative: return QString::fromStdString(nav::distanceText(leg.cumulativeNm, sep));
    case colTime: return speed_ ? QString::fromStdString(nav::timeEnRoute(leg.distanceNm, *speed_)) : QString();
    default: return {};
  }
}

QVariant LegsTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns) return {};
  if (role == Qt::DisplayRole) return text(index.row(), index.column());
  if (role == Qt::TextAlignmentRole) {
    const bool number = index.column() >= colCourse;
    return static_cast<int>((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  if (role == Qt::FontRole && index.row() == legCount()) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  return {};
}

QVariant LegsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
    return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromUtf8(kHeaders[static_cast<std::size_t>(section)]);
}

void LegsTableModel::refresh() {
  beginResetModel();
  legs_ = nav::planLegs(plan_.rows);
  speed_ = cruiseSpeed ? cruiseSpeed() : std::nullopt;
  endResetModel();
}

QString LegsTableModel::departure() const {
  return legs_.legs.empty() ? QString() : fromWindows1252(plan_.rows[legs_.legs.front().fromRow][nav::colName]);
}

QString LegsTableModel::destination() const {
  return legs_.legs.empty() ? QString() : fromWindows1252(plan_.rows[legs_.legs.back().toRow][nav::colName]);
}

}  // namespace navui
