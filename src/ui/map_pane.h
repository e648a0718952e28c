#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/nav_view_state.h"
#include "mapview/map_surface.h"

class QImage;
class QKeyEvent;
class QLabel;
class QToolButton;

namespace navui {

class LayerButton;
class MapWidget;
class PlanEditor;
class Tform_NavPopup;

// The map pane `PanelBas`: the left button bar (zoom and layers) and the map
// `Carte`, with the view, the pointer and the keys of the map. It works on
// the window's view, switches and hover selection, and reads the plan for
// the route. Its buttons are the window's to connect.
class MapPane : public QWidget {
  Q_OBJECT
 public:
  MapPane(nav::NavViewState& state, const PlanEditor& plan, QWidget* parent);

  MapWidget* carte() const { return Carte; }
  LayerButton* layerButton(std::string_view name) const;
  QToolButton* zoomInButton() const { return btnZoomIn; }
  QToolButton* zoomOutButton() const { return btnZoomOut; }
  // The layer buttons take the states of their switches.
  void showLayerSwitches();
  // The popup the pointer's descriptions go to (created after the window).
  void attachPopup(Tform_NavPopup* popup) { form_NavPopup = popup; }

  void btnZoomInClick();
  void btnZoomOutClick();
  // The whole route in view, at the deepest level that holds it; false when
  // no row of the plan has a position.
  bool zoomToRoute();
  // "Niveau N" under the zoom buttons.
  QString levelText() const;
  // Flips the switch of a layer button and repaints.
  void layerSwitch(std::string_view button);
  void LocationBar();
  void CartePaint(QImage& image);
  // Moves the view centre and the centre mark (a signed longitude), updates
  // the location bar and repaints.
  void CenterAt(nav::GeoPosition centre);
  void CarteMouseMove(int x, int y);
  void CarteMouseDown(Qt::MouseButton button, int x, int y);
  void CarteMouseUp(Qt::MouseButton button, int x, int y);
  // Zooms `steps` levels about the pointer (negative: out).
  void CarteMouseWheel(int steps, int x, int y);
  // A key on the map: true when it was the map's.
  bool CarteKeyDown(int key, Qt::KeyboardModifiers modifiers);

 signals:
  // The first status panel's text when the view moved.
  void locationChanged(const QString& text);
  // The pointer's position, for the second panel.
  void pointerMoved(const QString& text);
  // What lies under the pointer, or nothing: the window's hint.
  void described(const QString& description);

 private:
  void CarteResize();
  void showLevel();
  // A middle-button drag moves the map with the pointer; true when the
  // pointer is held and it moved the map.
  bool followMiddleDrag(int x, int y);
  // The view moved: location bar, then the map.
  void viewMoved();
  void drawRubberBand(const std::function<void(nav::MapSurface&)>& draw);
  void keyOnMap(QKeyEvent* event);

  nav::NavViewState& state_;
  const PlanEditor& plan_;
  QToolButton* btnZoomIn = nullptr;
  QToolButton* btnZoomOut = nullptr;
  std::map<std::string, LayerButton*, std::less<>> layerButtons_;
  MapWidget* Carte = nullptr;
  Tform_NavPopup* form_NavPopup = nullptr;
  // The spare pen of the map's drawing routines, from one paint to the next.
  nav::Pen penSaved_;
  unsigned rubberGeneration_ = 0;
  QLabel* levelLabel_ = nullptr;
  // The middle button held: where it went down, the position under it then,
  // and whether the map has moved with it since.
  struct MiddleDrag {
    int x = 0, y = 0;
    nav::GeoPosition grabbed;
    bool moving = false;
  };
  std::optional<MiddleDrag> middleDrag_;
};

}  // namespace navui
