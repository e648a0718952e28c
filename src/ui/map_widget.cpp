#include "ui/map_widget.h"

#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ui/error_box.h"

namespace navui {

MapWidget::MapWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Carte"));
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(1, 1);
  setFocusPolicy(Qt::ClickFocus);
}

void MapWidget::invalidateMap() {
  dirty_ = true;
  update();
}

void MapWidget::ensurePainted() {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels(static_cast<int>(std::ceil(width() * ratio)), static_cast<int>(std::ceil(height() * ratio)));
  if (dirty_ || image_.size() != pixels || image_.devicePixelRatio() != ratio) {
    dirty_ = false;
    ++generation_;
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    // A failed paint keeps what it drew; the box is shown once, after this
    // paint, and not again when the window merely shows the map again.
    nav::runGuarded([&] { emit paintRequested(image_); }, laterErrorReporter());
  }
}

void MapWidget::drawOnMap(const std::function<void(QImage&)>& draw) {
  ensurePainted();
  draw(image_);
  update();
}

void MapWidget::paintEvent(QPaintEvent*) {
  ensurePainted();
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void MapWidget::resizeEvent(QResizeEvent*) {
  guarded([&] { emit resized(); });
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  guarded([&] { emit mouseMoved(p.x(), p.y()); });
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  guarded([&] { emit mousePressed(event->button(), p.x(), p.y()); });
  // The drag to the flight plan starts at the press itself, with no distance
  // to cover first.
  if (event->button() == Qt::LeftButton) startDrag();
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  guarded([&] { emit mouseReleased(event->button(), p.x(), p.y()); });
}

void MapWidget::wheelEvent(QWheelEvent* event) {
  event->accept();
  const int steps = wheel_.add(event->angleDelta().y());
  const QPoint p = event->position().toPoint();
  if (steps != 0) guarded([&] { emit wheelTurned(steps, p.x(), p.y()); });
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
  event->ignore();
  // A key whose handler failed was the map's all the same.
  if (!guarded([&] { emit keyPressed(event); })) event->accept();
  if (!event->isAccepted()) QWidget::keyPressEvent(event);
}

namespace {

// The drag cursor: a few stacked sheets, for "several items".
QPixmap multipleItemsCursor() {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(0, 0, 0, 10);
  p.drawLine(0, 0, 7, 7);
  p.drawLine(0, 10, 7, 7);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(Qt::white);
    p.drawRect(8 + 3 * i, 8 + 3 * i, 9, 7);
  }
  return pm;
}

}  // namespace

void MapWidget::startDrag() {
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kMapDragFormat), QByteArray("map"));
  drag->setMimeData(data);
  const QPixmap cursor = multipleItemsCursor();
  drag->setDragCursor(cursor, Qt::CopyAction);
  drag->setDragCursor(cursor, Qt::MoveAction);
  drag->exec(Qt::CopyAction);
}

}  // namespace navui
