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

class QImage;
class QPoint;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTabWidget;
class QToolButton;
class QSplitter;

namespace navui {

class LayerButton;
class MapWidget;

// The main window: owns the whole state of the program for its lifetime and
// binds the handlers to its widgets.
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
  void attachPopup(class Tform_NavPopup* popup) { form_NavPopup = popup; }

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
  void CenterAt(double lat, double lon);

  // The pointer on the map.
  void CarteMouseMove(int x, int y);
  void CarteMouseDown(Qt::MouseButton button, int x, int y);
  void CarteMouseUp(Qt::MouseButton button, int x, int y);

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
  void showPlan();

  // The file dialogs, replaceable for tests: each returns the chosen path,
  // or an empty text when the user cancels.
  std::function<QString(const QString& folder, const QString& proposedName)> chooseSaveFile;
  std::function<QString(const QString& folder)> chooseOpenFile;
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

 private:
  void buildToolBar();
  QWidget* buildUpperPanel();
  QWidget* buildSearchPanel();
  QWidget* buildAircraftPage();
  QWidget* buildLowerPanel();
  void buildStatusBar();
  void layerSwitch(std::string_view button);
  void CarteResize();
  void showSearchRows(std::size_t currentRow);
  void planChanged();
  void buildPlanMenu();
  void drawRubberBand(const std::function<void(nav::MapSurface&)>& draw);
  // The first panel shows the hint of the control under the pointer,
  // whenever it changes.
  void showHint(const QString& hint);
  QString initialFolder() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:

  nav::NavViewState state_;

  QToolButton* btnLoadPLN = nullptr;
  QToolButton* btnSavePLN = nullptr;
  QToolButton* btnClearPLN = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnHelp = nullptr;
  QLineEdit* cbID = nullptr;
  QLabel* Label10 = nullptr;
  QTableWidget* findGrid = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTableWidget* PLNgrid = nullptr;
  QSplitter* Splitter1 = nullptr;
  QToolButton* btnZoomIn = nullptr;
  QToolButton* btnZoomOut = nullptr;
  std::map<std::string, LayerButton*, std::less<>> layerButtons_;
  MapWidget* Carte = nullptr;
  class StatusPanel* statusPanels_[4] = {};
  class Tform_NavPopup* form_NavPopup = nullptr;
  class QMenu* PopupMenu2 = nullptr;
  QString shownHint_;  // the hint the first panel last showed
  QString lastPlanFolder_;
  class QMenu* PopupMenu1 = nullptr;
  QString lastLoadedName_;  // the open dialog's last file name
  bool showingPlan_ = false;
  unsigned rubberGeneration_ = 0;
};

}  // namespace navui
