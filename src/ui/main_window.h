#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/nav_view_state.h"
#include "app/object_info.h"
#include "app/route_text.h"
#include "flightplan/magnetic_model.h"

class QToolButton;
class QSplitter;

namespace navui {

class HelpWindow;
class InfoPane;
class LayerButton;
class MapPane;
class MapWidget;
class PlanEditor;
class PlanPane;
class SearchPane;
class StatusPanel;
class Tform_NavPopup;

// The main window `formNavView`: its layout (the tool bar, the search pane
// and the plan pane above the map pane, the status bar), the state the
// program keeps for its lifetime, start-up and closing, the keyboard's
// shortcuts and the file dialogs. The plan is its editor's, the search the
// search pane's, the map the map pane's; the handlers below are the window's
// names for what they do.
class TformNavView : public QMainWindow {
  Q_OBJECT
 public:
  // `exeFolder` is where the data files are looked for (the executable's
  // folder for the program, a scratch folder for tests).
  explicit TformNavView(const std::string& exeFolder, QWidget* parent = nullptr);

  nav::NavViewState& state() { return state_; }
  const nav::NavViewState& state() const { return state_; }
  PlanEditor& planEditor() const { return *planEditor_; }

  LayerButton* layerButton(std::string_view name) const;
  MapWidget* carte() const;

  // The popup the pointer's descriptions go to (created after the window).
  void attachPopup(Tform_NavPopup* popup);

  // Start-up and shutdown.
  void FormCreate();
  void FormCloseQuery(bool& canClose);

  // The view.
  void btnZoomInClick();
  void btnZoomOutClick();
  void LocationBar();
  void CartePaint(QImage& image);
  // Moves the view centre and the centre mark (a signed longitude), updates
  // the location bar and repaints.
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
  // "Zoom sur la route": the whole route in view.
  void btnZoomRouteClick();
  // "Aide": the guide, in a window of its own.
  void btnHelpClick();
  // "Créer le plan": the plan the route field's text builds replaces the
  // current one (one step of undo), the map fits it, and what did not
  // resolve is listed under the field.
  void btnCreerPlanClick();
  // "Copier la route": the plan as a route text, on the clipboard.
  void btnCopierRouteClick();
  // "Importer un plan…": a route of another planner's file replaces the
  // plan (one step of undo), the map fits it, and what its points became is
  // said under the route field. A file that cannot be read changes nothing.
  void btnImporterPlanClick();
  // "Exporter…": the plan in the format chosen in the dialog.
  void btnExporterClick();
  // A drop from the map at `pos` in the plan grid's viewport.
  void PLNgridDragDrop(QPoint pos);

  // The file dialogs, replaceable for tests: each returns the chosen path,
  // or an empty text when the user cancels.
  std::function<QString(const QString& folder, const QString& proposedName)> chooseSaveFile;
  std::function<QString(const QString& folder)> chooseOpenFile;
  std::function<QString(const QString& folder)> chooseImportFile;
  // The path, its format told by its extension.
  std::function<QString(const QString& folder, const QString& proposedBaseName)> chooseExportFile;
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
  void buildToolBar();
  QWidget* buildUpperPanel();
  void buildStatusBar();
  void connectHandlers();
  void bindKeys();
  void layerSwitch(std::string_view button);
  // The first panel shows the hint of the control under the pointer,
  // whenever it changes.
  void showHint(const QString& hint);
  // The "Infos" dock describes `subject` (kept for when it opens), if any.
  void showInfo(std::optional<nav::InfoSubject> subject);
  void describeInfo();
  // What the route text would build, not yet applied.
  nav::RouteBuild buildTypedRoute(const QString& text) const;
  // A plan built or imported in place of the current one (one step of
  // undo): its route in the field, its cruise speed where it has one, the
  // map on it.
  void takePlan(const nav::FlightPlan& plan, std::optional<double> cruiseKnots);
  nav::NavViewState state_;
  PlanEditor* planEditor_ = nullptr;

  QToolButton* btnLoadPLN = nullptr;
  QToolButton* btnSavePLN = nullptr;
  QToolButton* btnClearPLN = nullptr;
  QToolButton* btnPrint = nullptr;
  QToolButton* btnZoomRoute = nullptr;
  QToolButton* btnHelp = nullptr;
  QToolButton* btnInfo = nullptr;
  InfoPane* infoPane_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  std::optional<nav::InfoSubject> infoSubject_;
  std::unique_ptr<nav::MagneticVariation> magnetic_;
  QSplitter* Splitter1 = nullptr;
  SearchPane* searchPane_ = nullptr;
  PlanPane* planPane_ = nullptr;
  MapPane* mapPane_ = nullptr;
  StatusPanel* statusPanels_[4] = {};
  QString shownHint_;           // the hint the first panel last showed
  bool closingAnyway_ = false;  // the plan could not be kept, and the user was told
};

}  // namespace navui
