#pragma once

#include <QPoint>
#include <QTabWidget>
#include <optional>

#include "app/aircraft_settings.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QMenu;
class QTableView;

namespace navui {

class LegsPage;
class PlanEditor;
class PlanTableModel;

// The plan pane `PageControl1`: the pages "Plan de vol" (the plan grid and
// its menu, where drags from the map are dropped), "Avion" and "Étapes". It
// shows the editor's plan and follows its signals; its menu's commands are
// the window's to connect, except undo and redo, which are the editor's.
class PlanPane : public QTabWidget {
  Q_OBJECT
 public:
  PlanPane(PlanEditor& editor, QWidget* parent);
  LegsPage* legsPage() const { return legsPage_; }
  // The fields of the page "Avion", as typed.
  nav::AircraftSettings aircraft() const;
  void showAircraft(const nav::AircraftSettings& aircraft);

  QTableView* grid() const { return PLNgrid; }
  PlanTableModel* model() const { return planModel_; }
  // "Supprimerlaligne1", "Centrer1", "Monter1", "Descendreduneligne1".
  QAction* action(const char* name) const;
  // Drops are taken only when they come from `source` (the map).
  void takeDropsFrom(const QWidget* source) { dragSource_ = source; }
  // The row under a point of the grid's viewport, if any.
  std::optional<std::size_t> rowAt(QPoint pos) const;
  // The print preview of the grid as it shows.
  void print();

  // The field "Route": the current plan's route, after every change of it;
  // below it, what the text being typed does not resolve (empty: hidden).
  QLineEdit* routeField() const { return routeField_; }
  void showRoute(const QString& text);
  void showRouteProblems(const QStringList& problems);
  // What an import made of the file's points, until the route is typed in.
  void showImportSummary(const QString& summary);

 signals:
  // A drag from the map dropped at `pos` in the grid's viewport.
  void mapObjectDropped(QPoint pos);
  // "Créer le plan" or Enter in the field; the user typing in it.
  void routeEntered(const QString& text);
  void routeEdited(const QString& text);
  // "Copier la route".
  void routeCopyRequested();
  // "Importer un plan…" and "Exporter…".
  void importRequested();
  void exportRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildAircraftPage();
  QWidget* buildPlanPage();
  void buildMenu();
  void showPlan();
  void showCurrentRow(int row);

  PlanEditor& editor_;
  QTableView* PLNgrid = nullptr;
  PlanTableModel* planModel_ = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QLineEdit* routeField_ = nullptr;
  QLabel* importSummary_ = nullptr;
  QLabel* routeProblems_ = nullptr;
  LegsPage* legsPage_ = nullptr;
  const QWidget* dragSource_ = nullptr;
};

}  // namespace navui
