#include "ui/legs_table_model.h"

#include <QBrush>
#include <QFont>
#include <array>

#include "base/number_format.h"
#include "paint/text_decoding.h"

namespace navui {

namespace {

const std::array<const char*, LegsTableModel::kColumns> kHeaders{
    "De",          "Vers",       "Route vraie", "Distance (NM)", "Cumul (NM)", "Temps",
    "Déclinaison", "Route mag.", "Cap mag.",    "Vitesse sol",   "Carburant"};

QString degrees(const std::optional<int>& v) { return v ? QString::asprintf("%03d", *v) : QString(); }

}  // namespace

LegsTableModel::LegsTableModel(const nav::FlightPlan& plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(plan) {
  log_ = nav::navLog(plan_.rows, inputs_);
}

int LegsTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : legCount() + 1; }

int LegsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QString LegsTableModel::text(int row, int column) const {
  const char sep = userDecimalSeparator();
  const auto number = [&](double v, int decimals) {
    return QString::fromStdString(nav::formatFixed(v, decimals, sep));
  };
  if (row == legCount()) {  // the total line
    switch (column) {
      case colFrom: return QStringLiteral("Total");
      case colDistance: return QString::fromStdString(nav::distanceText(log_.totalNm, sep));
      case colTime:
        return log_.totalMinutes ? QString::fromStdString(nav::durationText(*log_.totalMinutes)) : QString();
      case colFuel: return log_.totalFuel ? number(*log_.totalFuel, 1) : QString();
      default: return {};
    }
  }
  const nav::LogLeg& l = log_.legs[static_cast<std::size_t>(row)];
  const QString tooStrong = QStringLiteral("---");
  switch (column) {
    case colFrom: return fromWindows1252(plan_.rows[l.leg.fromRow][nav::colName]);
    case colTo: return fromWindows1252(plan_.rows[l.leg.toRow][nav::colName]);
    case colCourse: return QString::fromStdString(nav::courseText(l.leg.course));
    case colDistance: return QString::fromStdString(nav::distanceText(l.leg.distanceNm, sep));
    case colCumulative: return QString::fromStdString(nav::distanceText(l.leg.cumulativeNm, sep));
    case colTime:
      if (l.cannotFly) return tooStrong;
      return l.minutes ? QString::fromStdString(nav::durationText(*l.minutes)) : QString();
    case colVariation:
      // East positive, as charts print it: 2,0 E, 13,3 W.
      if (!l.variation) return {};
      return number(std::abs(*l.variation), 1) + (*l.variation < 0 ? QStringLiteral(" W") : QStringLiteral(" E"));
    case colMagneticCourse: return degrees(l.magneticCourse);
    case colMagneticHeading: return l.cannotFly ? tooStrong : degrees(l.magneticHeading);
    case colGroundSpeed:
      if (l.cannotFly) return tooStrong;
      return l.groundSpeed ? number(*l.groundSpeed, 0) : QString();
    case colFuel:
      if (l.cannotFly) return tooStrong;
      return l.fuel ? number(*l.fuel, 1) : QString();
    case colAltitude: return fromWindows1252(plan_.rows[l.leg.toRow][nav::colAltitude]);
    case colEta: {
      if (!departure_) return {};
      // The times of the legs up to this one, each known.
      double minutes = 0;
      for (int i = 0; i <= row; ++i) {
        const std::optional<double>& m = log_.legs[static_cast<std::size_t>(i)].minutes;
        if (!m) return {};
        minutes += *m;
      }
      return departure_->addSecs(static_cast<int>(std::lround(minutes * 60))).toString(QStringLiteral("HH:mm"));
    }
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
  const bool total = index.row() == legCount();
  if (role == Qt::FontRole && total) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::ForegroundRole && total && index.column() == colFuel && !log_.reserveKept) return QBrush(Qt::red);
  return {};
}

Qt::ItemFlags LegsTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == colAltitude && index.row() < legCount() && setAltitude)
    f |= Qt::ItemIsEditable;
  return f;
}

bool LegsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const QString typed = value.toString().trimmed();
  std::optional<int> feet;
  if (!typed.isEmpty()) {
    bool whole = false;
    const int v = typed.toInt(&whole);
    // Feet, from below the sea to above what light aircraft fly.
    if (!whole || v < -2000 || v > 60000) return false;
    feet = v;
  }
  // The plan's change refreshes the model.
  setAltitude(log_.legs[static_cast<std::size_t>(index.row())].leg.toRow, feet);
  return true;
}

QVariant LegsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
    return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromUtf8(kHeaders[static_cast<std::size_t>(section)]);
}

void LegsTableModel::refresh() {
  beginResetModel();
  inputs_ = inputs ? inputs() : nav::LogInputs{};
  departure_ = departureTime ? departureTime() : std::nullopt;
  log_ = nav::navLog(plan_.rows, inputs_);
  endResetModel();
}

QStringList LegsTableModel::messages() const {
  QStringList out;
  for (const std::string& m : log_.messages) out << fromWindows1252(m);
  if (log_.fuelLeft && log_.reserveFuel) {
    const char sep = userDecimalSeparator();
    out << QStringLiteral("Carburant restant à l'arrivée : %1 (réserve : %2)")
               .arg(QString::fromStdString(nav::formatFixed(*log_.fuelLeft, 1, sep)),
                    QString::fromStdString(nav::formatFixed(*log_.reserveFuel, 1, sep)));
  }
  return out;
}

QString LegsTableModel::departure() const {
  return log_.legs.empty() ? QString() : fromWindows1252(plan_.rows[log_.legs.front().leg.fromRow][nav::colName]);
}

QString LegsTableModel::destination() const {
  return log_.legs.empty() ? QString() : fromWindows1252(plan_.rows[log_.legs.back().leg.toRow][nav::colName]);
}

}  // namespace navui
