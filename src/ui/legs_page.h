#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QWidget>
#include <functional>
#include <optional>

#include "flightplan/magnetic_model.h"
#include "navdata/nav_database.h"

class QDateEdit;
class QPrinter;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace navui {

class LegsTableModel;
class PlanEditor;

// The page "Étapes": the legs of the plan with their true and magnetic
// courses, distance, the wind's heading and ground speed, time and fuel, the
// total, and the navigation log to take along, printed or as a PDF. The
// wind and the day of the flight are entered here.
class LegsPage : public QWidget {
  Q_OBJECT
 public:
  // `aircraft` is the page "Avion", whose speed and fuel fields the legs
  // are computed from.
  LegsPage(PlanEditor& editor, QWidget* aircraft, QWidget* parent);
  // The tables, for the identifiers and frequencies of the printed log.
  void setDatabase(const nav::NavDatabase* db) { db_ = db; }
  // The day of the flight, as the magnetic model counts time.
  double flightYear() const;
  // The magnetic model, or none (and why) when it could not be read.
  void setMagneticModel(const nav::MagneticVariation* model, const QString& problem);

  QTableView* grid() const { return grid_; }
  LegsTableModel* model() const { return model_; }

  // After the plan changed.
  void refresh();

  // "Imprimer le log…": the print preview of the log, with the printer set-up.
  void btnPrintLogClick();
  // "Exporter le log en PDF…": the kneeboard log on A5, without a printer.
  void btnExportLogPdfClick();

  // The save dialog of the export, replaceable for tests: returns the chosen
  // path, or an empty text when the user cancels.
  std::function<QString()> choosePdfFile;

  // The log's title lines: the departure and the destination, the speed.
  QStringList logTitle() const;

 private:
  PlanEditor& editor_;
  QTableView* grid_;
  LegsTableModel* model_;
  QPushButton* printLog_;
  QPushButton* exportPdf_ = nullptr;
  QWidget* aircraft_ = nullptr;
  QLineEdit* departure_ = nullptr;
  const nav::NavDatabase* db_ = nullptr;
  // The departure time typed, UTC; none when empty or not a time.
  std::optional<QTime> departureTime() const;
  // The table the log prints: the kneeboard's.
  void printLog(QPrinter& printer);
  QLineEdit* cruise_ = nullptr;
  QLineEdit* fuelFlow_ = nullptr;
  QLineEdit* usableFuel_ = nullptr;
  QLineEdit* reserve_ = nullptr;
  QLineEdit* wind_ = nullptr;
  QDateEdit* date_ = nullptr;
  QLabel* messages_ = nullptr;
  const nav::MagneticVariation* magnetic_ = nullptr;
  QString magneticProblem_;
};

}  // namespace navui
