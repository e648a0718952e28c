#pragma once

#include <QMainWindow>
#include <map>
#include <string>
#include <string_view>

#include "app/layer_switches.h"
#include "app/nav_view_state.h"

class QImage;
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

  // Start-up and shutdown.
  void FormCreate();
  void FormCloseQuery(bool& canClose);

  // The view.
  void btnZoomInClick();
  void btnZoomOutClick();
  void LocationBar();
  void CartePaint(QImage& image);
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
  QLabel* statusPanels_[4] = {};
};

}  // namespace navui
