#include "ui/map_widget.h"

#include <QPainter>

#include "ui/error_box.h"

namespace navui {

MapWidget::MapWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Carte"));
  setCursor(Qt::CrossCursor);
  setAutoFillBackground(false);
  setMouseTracking(true);
  setMinimumSize(1, 1);
}

void MapWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (onPaint) guarded([&] { onPaint(painter); });
}

void MapWidget::resizeEvent(QResizeEvent*) {
  if (onResize) guarded(onResize);
}

}  // namespace navui
