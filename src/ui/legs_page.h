#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;
class QTableView;

namespace navui {

class LegsTableModel;
class PlanEditor;

// The page "Étapes": the legs of the plan with their course, distance and
// time, the total, and the two ways of taking the plan along: the printed
// navigation log and a GPX route.
class LegsPage : public QWidget {
  Q_OBJECT
 public:
  // `cruiseSpeed` is the field "Vitesse en croisière" of the page "Avion".
  LegsPage(const PlanEditor& editor, QLineEdit* cruiseSpeed, QWidget* parent);

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
  const PlanEditor& editor_;
  QTableView* grid_;
  LegsTableModel* model_;
  QPushButton* printLog_;
  QPushButton* exportGpx_;
};

}  // namespace navui
