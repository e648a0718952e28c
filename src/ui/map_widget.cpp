#include "ui/map_widget.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "ui/error_box.h"

namespace navui {

MapWidget::MapWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Carte"));
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setMinimumSize(1, 1);
}

void MapWidget::invalidateMap() {
  dirty_ = true;
  update();
}

void MapWidget::ensurePainted() {
  if (dirty_ || image_.size() != size()) {
    dirty_ = false;
    ++generation_;
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
    // A failed paint keeps what it drew; the box is shown once, after this
    // paint, and not again when the window merely shows the map again.
    if (renderer) nav::runGuarded([&] { renderer(image_); }, laterErrorReporter());
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
  if (onResize) guarded(onResize);
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (onMouseMove) guarded([&] { onMouseMove(p.x(), p.y()); });
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (onMouseDown) guarded([&] { onMouseDown(event->button(), p.x(), p.y()); });
  // The drag to the flight plan starts at the press itself, with no distance
  // to cover first.
  if (event->button() == Qt::LeftButton) startDrag();
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (onMouseUp) guarded([&] { onMouseUp(event->button(), p.x(), p.y()); });
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
