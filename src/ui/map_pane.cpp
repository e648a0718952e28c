#include "ui/map_pane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/layer_switches.h"
#include "app/plan_placement.h"
#include "mapview/location_bar.h"
#include "paint/map_image.h"
#include "paint/qpainter_surface.h"
#include "paint/text_decoding.h"
#include "ui/layer_button.h"
#include "ui/map_widget.h"
#include "ui/nav_popup.h"
#include "ui/plan_editor.h"

namespace navui {

namespace {

constexpr int kButtonBarWidth = 88;
// A route of one point, or of points a few metres apart, is shown no deeper.
constexpr std::int32_t kRouteDeepest = 12;

}  // namespace

MapPane::MapPane(nav::NavViewState& state, const PlanEditor& plan, QWidget* parent)
    : QWidget(parent), state_(state), plan_(plan) {
  setObjectName(QStringLiteral("PanelBas"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("PanelBoutons"));
  bar->setFixedWidth(kButtonBarWidth);
  auto* buttons = new QVBoxLayout(bar);
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(1);
  auto zoomButton = [&](const char* name, const char* caption) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(button);
    return button;
  };
  btnZoomIn = zoomButton("btnZoomIn", "+");
  btnZoomOut = zoomButton("btnZoomOut", "-");
  levelLabel_ = new QLabel(bar);
  levelLabel_->setObjectName(QStringLiteral("lblNiveau"));
  levelLabel_->setAlignment(Qt::AlignCenter);
  buttons->addWidget(levelLabel_);
  for (const nav::LayerButtonEntry& entry : nav::kLayerButtons) {
    auto* button =
        new LayerButton(QString::fromLatin1(entry.button.data(), static_cast<qsizetype>(entry.button.size())),
                        QString::fromLatin1(entry.caption.data(), static_cast<qsizetype>(entry.caption.size())), bar);
    layerButtons_.emplace(std::string(entry.button), button);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addWidget(bar);

  Carte = new MapWidget(this);
  connect(Carte, &MapWidget::paintRequested, this, &MapPane::CartePaint);
  connect(Carte, &MapWidget::resized, this, &MapPane::CarteResize);
  connect(Carte, &MapWidget::mouseMoved, this, &MapPane::CarteMouseMove);
  connect(Carte, &MapWidget::mousePressed, this, &MapPane::CarteMouseDown);
  connect(Carte, &MapWidget::mouseReleased, this, &MapPane::CarteMouseUp);
  connect(Carte, &MapWidget::wheelTurned, this, &MapPane::CarteMouseWheel);
  connect(Carte, &MapWidget::keyPressed, this, &MapPane::keyOnMap);
  layout->addWidget(Carte, 1);

  // The route follows the plan.
  connect(&plan_, &PlanEditor::planChanged, Carte, &MapWidget::invalidateMap);
}

LayerButton* MapPane::layerButton(std::string_view name) const {
  const auto it = layerButtons_.find(name);
  return it == layerButtons_.end() ? nullptr : it->second;
}

QString MapPane::levelText() const { return QStringLiteral("Niveau %1").arg(state_.view.mag); }

void MapPane::showLevel() {
  const QString text = levelText();
  if (levelLabel_->text() != text) levelLabel_->setText(text);
}

bool MapPane::zoomToRoute() {
  const std::optional<nav::RouteBox> box = nav::routeBox(plan_.plan());
  if (!box || !nav::fitViewToBox(state_.view, box->southWest, box->northEast, kRouteDeepest)) return false;
  viewMoved();
  return true;
}

void MapPane::showLayerSwitches() {
  showLevel();
  for (std::string_view name : nav::kStartupPressOrder) {
    const nav::LayerButtonEntry* entry = nav::findLayerButton(name);
    layerButton(name)->setChecked(state_.settings.*(entry->flag));
  }
  layerButton("btnNomwpt")->setChecked(false);
}

void MapPane::layerSwitch(std::string_view button) {
  const nav::LayerButtonEntry* entry = nav::findLayerButton(button);
  if (!entry || !entry->hasHandler) return;
  layerButton(button)->setChecked(nav::toggleLayer(state_.settings, *entry));
  Carte->invalidateMap();
}

void MapPane::CarteResize() {
  state_.view.clientWidth = Carte->width();
  state_.view.clientHeight = Carte->height();
  state_.view.Size(state_.view.clientWidth, state_.view.clientHeight);
  showLevel();
  Carte->invalidateMap();
}

void MapPane::CartePaint(QImage& image) {
  paintMapImage(image, state_, plan_.plan(), penSaved_, userDecimalSeparator());
}

void MapPane::btnZoomInClick() {
  if (!state_.view.zoomIn()) return;
  LocationBar();
  Carte->invalidateMap();
}

void MapPane::btnZoomOutClick() {
  if (!state_.view.zoomOut()) return;
  LocationBar();
  Carte->invalidateMap();
}

void MapPane::LocationBar() {
  showLevel();
  emit locationChanged(fromWindows1252(nav::locationBarText(state_.view, userDecimalSeparator())));
}

void MapPane::CenterAt(nav::GeoPosition centre) {
  state_.view.CenterAt(centre);
  LocationBar();
  Carte->invalidateMap();
}

void MapPane::drawRubberBand(const std::function<void(nav::MapSurface&)>& draw) {
  Carte->ensurePainted();
  // A map painted afresh since the band was last drawn holds no figure to
  // take away.
  if (rubberGeneration_ != Carte->generation()) {
    state_.rubber.rubberCorner = state_.rubber.rubberAnchor;
    rubberGeneration_ = Carte->generation();
  }
  Carte->drawOnMap([&](QImage& image) {
    QPainterSurface surface(image);
    draw(surface);
  });
}

bool MapPane::followMiddleDrag(int x, int y) {
  if (!middleDrag_ || state_.view.clientWidth <= 0 || state_.view.clientHeight <= 0) return false;
  MiddleDrag& drag = *middleDrag_;
  if (!drag.moving) {
    // A hand that shakes while clicking still clicks.
    if ((QPoint(x, y) - QPoint(drag.x, drag.y)).manhattanLength() < QApplication::startDragDistance()) return false;
    drag.moving = true;
  }
  // The position grabbed stays under the pointer.
  nav::Viewport& view = state_.view;
  const nav::GeoPosition under = view.PixelToGeo(x, y);
  view.pan((drag.grabbed.lon - under.lon) / (view.right - view.left),
           (drag.grabbed.lat - under.lat) / (view.top - view.bottom));
  viewMoved();
  return true;
}

void MapPane::CarteMouseMove(int x, int y) {
  followMiddleDrag(x, y);
  nav::RubberBand& band = state_.rubber;
  if (band.rubberActive) {
    drawRubberBand([&](nav::MapSurface& s) { band.follow(s, x, y); });
  }
  if (state_.settingsPending || state_.view.clientWidth <= 0 || state_.view.clientHeight <= 0) return;

  const nav::PointerPosition pos = nav::pointerPosition(state_.view.PixelToGeo(x, y));
  emit pointerMoved(fromWindows1252(pos.statusText));

  const nav::Identification found = nav::identifyAt(pos.pointer, state_.view.mag, state_.settings, state_.db,
                                                    plan_.plan().userPointCounter, userDecimalSeparator());
  state_.hover = found.selection;
  const QString description = fromWindows1252(found.description);

  if (form_NavPopup) {
    if (found.found) {
      form_NavPopup->setText(description);
      const QPoint origin = Carte->mapToGlobal(QPoint(0, 0));
      const QSize outer = form_NavPopup->frameGeometry().size();
      // The window's size, as the popup's placement takes it.
      const QWidget* form = window();
      nav::ScreenPoint at =
          nav::popupTopLeft(origin.x(), origin.y(), x, y, form->width(), form->height(), outer.width(), outer.height());
      if (const QScreen* screen = Carte->screen()) {
        const QRect area = screen->availableGeometry();
        at = nav::keptInside(at, outer.width(), outer.height(),
                             {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
      }
      form_NavPopup->move(at.x, at.y);
      form_NavPopup->show();
    } else {
      form_NavPopup->hide();
    }
  }
  emit described(description);
}

void MapPane::CarteMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::MiddleButton) {
    if (state_.view.clientWidth <= 0 || state_.view.clientHeight <= 0) return;
    // A click recentres at its release, a drag moves the map instead.
    middleDrag_ = MiddleDrag{.x = x, .y = y, .grabbed = state_.view.PixelToGeo(x, y)};
  } else if (button == Qt::RightButton) {
    Carte->ensurePainted();
    state_.rubber.press(x, y);
    rubberGeneration_ = Carte->generation();
  }
}

void MapPane::CarteMouseUp(Qt::MouseButton button, int, int) {
  if (button == Qt::MiddleButton && middleDrag_) {
    const MiddleDrag drag = *middleDrag_;
    middleDrag_.reset();
    if (!drag.moving) CenterAt(drag.grabbed);
  }
  nav::RubberBand& band = state_.rubber;
  if (!band.rubberActive) return;
  drawRubberBand([&](nav::MapSurface& s) { band.release(s); });
}

void MapPane::viewMoved() {
  LocationBar();
  Carte->invalidateMap();
}

void MapPane::CarteMouseWheel(int steps, int x, int y) {
  nav::Viewport& view = state_.view;
  bool moved = false;
  for (; steps > 0 && view.zoomInAbout(x, y); --steps) moved = true;
  for (; steps < 0 && view.zoomOutAbout(x, y); ++steps) moved = true;
  if (!moved) return;
  viewMoved();
  // Another position now lies under the pointer: what it shows follows at
  // once, as if it had moved.
  CarteMouseMove(x, y);
}

void MapPane::keyOnMap(QKeyEvent* event) {
  if (CarteKeyDown(event->key(), event->modifiers())) event->accept();
}

bool MapPane::CarteKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  // Keys held with these belong to the window's shortcuts.
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  nav::Viewport& view = state_.view;
  switch (key) {
    case Qt::Key_Plus: btnZoomInClick(); return true;
    case Qt::Key_Minus: btnZoomOutClick(); return true;
    case Qt::Key_Left: view.pan(-0.25, 0); break;
    case Qt::Key_Right: view.pan(0.25, 0); break;
    case Qt::Key_Up: view.pan(0, 0.25); break;
    case Qt::Key_Down: view.pan(0, -0.25); break;
    case Qt::Key_Home:
      if (!nav::showWholeWorld(view)) return true;
      break;
    default: return false;
  }
  viewMoved();
  return true;
}

}  // namespace navui
