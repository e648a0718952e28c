#include "ui/kneeboard_log.h"

#include <QStandardItemModel>
#include <array>

#include "app/object_info.h"
#include "base/number_format.h"
#include "flightplan/plan_legs.h"
#include "paint/text_decoding.h"
#include "ui/legs_table_model.h"

namespace navui {

namespace {

enum Column { kTo, kName, kFrequency, kAltitude, kCourse, kHeading, kDistance, kTime, kEta, kAta, kFuel, kFuelActual };
const std::array<const char*, 12> kLogHeaders{"Vers",  "Nom",   "Fréq.", "Alt. (ft)", "Rm",    "Cm",
                                              "Dist.", "Temps", "HE",    "HR",        "Carb.", "Carb. réel"};

}  // namespace

std::unique_ptr<QAbstractItemModel> kneeboardTable(const LegsTableModel& legs, const nav::FlightPlan& plan,
                                                   const nav::NavDatabase* db, std::optional<QTime> departure) {
  const nav::NavLog& log = legs.log();
  const char sep = userDecimalSeparator();
  auto table = std::make_unique<QStandardItemModel>(0, static_cast<int>(kLogHeaders.size()));
  for (int c = 0; c < static_cast<int>(kLogHeaders.size()); ++c) {
    table->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(kLogHeaders[static_cast<std::size_t>(c)]));
    table->setHeaderData(c, Qt::Horizontal, c == kAta || c == kFuelActual, Qt::UserRole);
    // Only the name gives way on a narrow page; the identifier stays whole.
    table->setHeaderData(c, Qt::Horizontal, c == kName, Qt::UserRole + 1);
  }
  const auto addRow = [&](std::size_t planRow, auto fill) {
    QList<QStandardItem*> items;
    for (std::size_t c = 0; c < kLogHeaders.size(); ++c) {
      auto* item = new QStandardItem;
      item->setData(static_cast<int>((c >= kAltitude ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter),
                    Qt::TextAlignmentRole);
      items << item;
    }
    if (planRow != static_cast<std::size_t>(-1)) {
      const nav::PlanRow& row = plan.rows[planRow];
      const nav::RowLabel label = db ? nav::rowLabel(*db, row, sep) : nav::RowLabel{row[nav::colName], {}};
      items[kTo]->setText(fromWindows1252(label.ident));
      items[kName]->setText(fromWindows1252(row[nav::colName]));
      items[kFrequency]->setText(fromWindows1252(label.frequency));
      items[kAltitude]->setText(fromWindows1252(row[nav::colAltitude]));
    }
    fill(items);
    table->appendRow(items);
  };
  const auto eta = [&](double minutes) {
    return departure ? departure->addSecs(static_cast<int>(std::lround(minutes * 60))).toString(QStringLiteral("HH:mm"))
                     : QString();
  };
  const auto degrees = [](const std::optional<int>& v) { return v ? QString::asprintf("%03d", *v) : QString(); };
  if (log.legs.empty()) return table;
  addRow(log.legs.front().leg.fromRow, [&](QList<QStandardItem*>& items) { items[kEta]->setText(eta(0)); });
  double elapsed = 0;
  bool timed = true;
  for (const nav::LogLeg& l : log.legs) {
    if (l.minutes)
      elapsed += *l.minutes;
    else
      timed = false;
    addRow(l.leg.toRow, [&](QList<QStandardItem*>& items) {
      const QString tooStrong = QStringLiteral("---");
      items[kCourse]->setText(degrees(l.magneticCourse ? l.magneticCourse : l.leg.course));
      // True ones where the variation is unknown; the log's title says so.
      items[kHeading]->setText(l.cannotFly ? tooStrong
                                           : degrees(l.magneticHeading ? l.magneticHeading : l.trueHeading));
      items[kDistance]->setText(QString::fromStdString(nav::distanceText(l.leg.distanceNm, sep)));
      items[kTime]->setText(l.cannotFly ? tooStrong
                            : l.minutes ? QString::fromStdString(nav::durationText(*l.minutes))
                                        : QString());
      if (timed) items[kEta]->setText(eta(elapsed));
      items[kFuel]->setText(l.fuel ? QString::fromStdString(nav::formatFixed(*l.fuel, 1, sep)) : QString());
    });
  }
  addRow(static_cast<std::size_t>(-1), [&](QList<QStandardItem*>& items) {
    items[kTo]->setText(QStringLiteral("Total"));
    items[kDistance]->setText(QString::fromStdString(nav::distanceText(log.totalNm, sep)));
    if (log.totalMinutes) items[kTime]->setText(QString::fromStdString(nav::durationText(*log.totalMinutes)));
    if (log.totalFuel) items[kFuel]->setText(QString::fromStdString(nav::formatFixed(*log.totalFuel, 1, sep)));
  });
  return table;
}

}  // namespace navui
