#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QKeyEvent;

#include "interaction/wheel_steps.h"

namespace navui {

// The format of a drag from the map; the plan grid accepts only this.
inline constexpr const char* kMapDragFormat = "application/x-plandevol-map-object";

// The map area `Carte`: a white surface with a cross pointer. The map is
// painted into an image, which the widget shows; the image is painted again
// only when the map was invalidated or the area changed size. The image has
// the screen's device pixel ratio, so that a high-density screen gets every
// one of its pixels; coordinates stay in the widget's own pixels. What it is
// told it passes on as signals, each handled under the error guard; connect
// them directly, as paintRequested fills the image there and then.
class MapWidget : public QWidget {
  Q_OBJECT
 public:
  explicit MapWidget(QWidget* parent);

  // Asks for the map to be painted again from scratch.
  void invalidateMap();
  const QImage& mapImage() const { return image_; }
  // Paints the map into the image now if it is due.
  void ensurePainted();
  // Draws straight onto the map image and shows the result, without
  // painting the map again.
  void drawOnMap(const std::function<void(QImage&)>& draw);
  // Counts the paints of the map into the image.
  unsigned generation() const { return generation_; }

 signals:
  // Paint the whole map into `image` (already of the area's size).
  void paintRequested(QImage& image);
  void resized();
  void mouseMoved(int x, int y);
  void mousePressed(Qt::MouseButton button, int x, int y);
  void mouseReleased(Qt::MouseButton button, int x, int y);
  // Whole wheel steps at (x, y), positive away from the user.
  void wheelTurned(int steps, int x, int y);
  // A key pressed while the map has the focus (it takes it on a button
  // press); a receiver that uses it accepts the event.
  void keyPressed(QKeyEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage image_;
  nav::WheelSteps wheel_;
  bool dirty_ = true;
  unsigned generation_ = 0;
  void startDrag();
};

}  // namespace navui
