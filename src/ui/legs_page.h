#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "flightplan/magnetic_model.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace navui {

class LegsTableModel;
class PlanEditor;

// The page "Étapes": the legs of the plan with their true and magnetic
// courses, distance, the wind's heading and ground speed, time and fuel, the
// total, and the two ways of taking the plan along: the printed navigation
// log and a GPX route. The wind and the day of the flight are entered here.
class LegsPage : public QWidget {
  Q_OBJECT
 public:
  // `aircraft` is the page "Avion", whose speed and fuel fields the legs
  // are computed from.
  LegsPage(PlanEditor& editor, QWidget* aircraft, QWidget* parent);
  // The magnetic model, or none (and why) when it could not be read.
  void setMagneticModel(const nav::MagneticVariation* model, const QString& problem);

  QTableView* grid() const { return grid_; }
  LegsTableModel* model() const { return model_; }

  // After the plan changed.
  void refresh();

  // "Imprimer le log…": the print preview of the log, with the printer set-up.
  void btnPrintLogClick();
  // "Exporter en GPX…".
  void btnExportGpxClick();

  // The save dialog of the export, replaceable for tests: returns the chosen
  // path, or an empty text when the user cancels.
  std::function<QString()> chooseGpxFile;

  // The log's title lines: the departure and the destination, the speed.
  QStringList logTitle() const;

 private:
  PlanEditor& editor_;
  QTableView* grid_;
  LegsTableModel* model_;
  QPushButton* printLog_;
  QPushButton* exportGpx_;
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
