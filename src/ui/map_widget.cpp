#include "ui/map_widget.h"

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

void MapWidget::paintEvent(QPaintEvent*) {
  if (dirty_ || image_.size() != size()) {
    dirty_ = false;
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
    // A failed paint keeps what it drew; the box is shown once, after this
    // paint, and not again when the window merely shows the map again.
    if (renderer) nav::runGuarded([&] { renderer(image_); }, laterErrorReporter());
  }
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void MapWidget::resizeEvent(QResizeEvent*) {
  if (onResize) guarded(onResize);
}

}  // namespace navui
