#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "app/layer_switches.h"
#include "app/nav_view_state.h"
#include "mapview/map_surface.h"
#include "ui/error_box.h"

class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QTabWidget;
class QToolButton;
class QSplitter;
class QUndoStack;

namespace navui {

class LayerButton;
class LegsPage;
class MapWidget;
class PlanTableModel;
class SearchTableModel;
class StatusPanel;
class Tform_NavPopup;

// The main window: owns the whole state of the program for its lifetime and
// binds the handlers to its widgets. Its rooms: main_window.cpp (layout,
// start-up, close, status bar), main_window_map.cpp (the view, the mouse,
// the layer buttons), search_panel.cpp (the identifier search and its
// grid), plan_panel.cpp (the plan grid, its menu, the drop, save, load and
// print), planning_room.cpp (the legs page, undo and redo, the plan kept
// when the window closes unsaved), main_window_keys.cpp (the keyboard
// shortcuts and the buttons' tooltips).
class TformNavView : public QMainWindow {
  Q_OBJECT
 public:
  // `exeFolder` is where the data files are looked for (the executable's
  // folder for the program, a scratch folder for tests).
  explicit TformNavView(const std::string& exeFolder, QWidget* parent = nullptr);

  nav::NavViewState& state() { return state_; }
  const nav::NavViewState& state() const { return state_; }

  LayerButton* layerButton(std::string_view name) const;
  MapWidget* carte() const { return Carte; }

  // The popup the pointer's descriptions go to (created after the window).
  void attachPopup(Tform_NavPopup* popup) { form_NavPopup = popup; }

  // Start-up and shutdown.
  void FormCreate();
  void FormCloseQuery(bool& canClose);

  // The view.
  void btnZoomInClick();
  void btnZoomOutClick();
  void LocationBar();
  void CartePaint(QImage& image);
  // Moves the view centre and the centre mark, updates the location bar and
  // repaints.
  void CenterAt(nav::GeoPosition centre);

  // The pointer on the map.
  void CarteMouseMove(int x, int y);
  void CarteMouseDown(Qt::MouseButton button, int x, int y);
  void CarteMouseUp(Qt::MouseButton button, int x, int y);
  // Zooms `steps` levels about the pointer (negative: out).
  void CarteMouseWheel(int steps, int x, int y);
  // A key on the map: true when it was the map's.
  bool CarteKeyDown(int key, Qt::KeyboardModifiers modifiers);

  // The identifier search and its result grid.
  void cbIDKeyDown(int key);
  void Centrer2Click();
  void Placerdansleplandevol1Click();

  // The flight plan and its grid.
  void Centrer1Click();
  void Supprimerlaligne1Click();
  void Monter1Click();
  void Descendreduneligne1Click();
  void btnClearPLNClick();
  void btnSavePLNClick();
  void btnLoadPLNClick();
  void btnPrintClick();
  // A drop from the map at `pos` in the plan grid's viewport.
  void PLNgridDragDrop(QPoint pos);
  // Shows the plan as it now stands: grid, current row, save button, map.
  void planChanged();

  // The file dialogs, replaceable for tests: each returns the chosen path,
  // or an empty text when the user cancels.
  std::function<QString(const QString& folder, const QString& proposedName)> chooseSaveFile;
  std::function<QString(const QString& folder)> chooseOpenFile;
  // A status panel's whole text, as its tooltip shows it when cut.
  QString statusText(int panel) const;

  // The layer switches.
  void btnNDBClick() { layerSwitch("btnNDB"); }
  void btnVORClick() { layerSwitch("btnVOR"); }
  void btnAirportClick() { layerSwitch("btnAirport"); }
  void btnILSClick() { layerSwitch("btnILS"); }
  void btnMarkerClick() { layerSwitch("btnMarker"); }
  void btnIDClick() { layerSwitch("btnID"); }
  void btnNomClick() { layerSwitch("btnNom"); }
  void btnFreqClick() { layerSwitch("btnFreq"); }
  void btnPlanClick() { layerSwitch("btnPlan"); }
  void btnMapClick() { layerSwitch("btnMap"); }
  void btnGridClick() { layerSwitch("btnGrid"); }
  void btnObstructClick() { layerSwitch("btnObstruct"); }
  void btnWPTClick() { layerSwitch("btnWPT"); }
  void btnNomwptClick() { layerSwitch("btnNomwpt"); }
  void btnHwayClick() { layerSwitch("btnHway"); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout (main_window.cpp).
  void buildToolBar();
  QWidget* buildUpperPanel();
  void buildStatusBar();
  // The first panel shows the hint of the control under the pointer,
  // whenever it changes.
  void showHint(const QString& hint);
  // Runs `handler` under the guard whenever `signal` of `sender` fires.
  template <class Sender, class Signal>
  void connectGuarded(Sender* sender, Signal signal, std::function<void()> handler);

  // The map room (main_window_map.cpp).
  QWidget* buildLowerPanel();
  void layerSwitch(std::string_view button);
  void CarteResize();
  // The view moved: location bar, then the map.
  void viewMoved();
  void drawRubberBand(const std::function<void(nav::MapSurface&)>& draw);

  // The keyboard (main_window_keys.cpp).
  void bindKeys();

  // The search room (search_panel.cpp).
  QWidget* buildSearchPanel();
  int currentResultRow() const;
  bool searchFieldKeyPressed(QEvent* event);

  // The plan room (plan_panel.cpp).
  QWidget* buildPlanPages();
  QWidget* buildAircraftPage();
  void buildPlanMenu();
  bool planGridDropEvent(QEvent* event);
  QString initialFolder() const;

  // The planning room (planning_room.cpp).
  QWidget* buildLegsPage();
  void buildPlanUndo();
  // Runs a command of the plan, then shows the plan; a change is recorded
  // for undo and redo.
  void editPlan(const QString& what, const std::function<void()>& change);
  void showPlan(const nav::FlightPlan& plan);
  // After a save or a load: the plan as it stands is in a file.
  void planKeptInAFile();
  // At start, the plan left unsaved at the last closing; at closing, the
  // plan kept for the next start, or none.
  void restoreUnsavedPlan();
  void keepUnsavedPlan();
  std::string unsavedPlanPath() const;

  nav::NavViewState state_;

  QToolButton* btnLoadPLN = nullptr;
  QToolButton* btnSavePLN = nullptr;
  QToolButton* btnClearPLN = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnHelp = nullptr;
  QLineEdit* cbID = nullptr;
  QLabel* Label10 = nullptr;
  QTableView* findGrid = nullptr;
  SearchTableModel* searchModel_ = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTableView* PLNgrid = nullptr;
  PlanTableModel* planModel_ = nullptr;
  LegsPage* legsPage_ = nullptr;
  QUndoStack* planUndo_ = nullptr;
  QSplitter* Splitter1 = nullptr;
  QToolButton* btnZoomIn = nullptr;
  QToolButton* btnZoomOut = nullptr;
  std::map<std::string, LayerButton*, std::less<>> layerButtons_;
  MapWidget* Carte = nullptr;
  StatusPanel* statusPanels_[4] = {};
  Tform_NavPopup* form_NavPopup = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QString shownHint_;       // the hint the first panel last showed
  QString lastLoadedName_;  // the open dialog's last file name
  QString lastPlanFolder_;  // where the last plan was loaded from or saved
  unsigned rubberGeneration_ = 0;
};

template <class Sender, class Signal>
void TformNavView::connectGuarded(Sender* sender, Signal signal, std::function<void()> handler) {
  connect(sender, signal, this, [handler = std::move(handler)] { guarded(handler); });
}

}  // namespace navui
