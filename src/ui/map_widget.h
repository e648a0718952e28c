#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace navui {

// The map area `Carte`: a white surface with a cross pointer. The map is
// painted into an image, which the widget shows; the image is painted again
// only when the map was invalidated or the area changed size.
class MapWidget : public QWidget {
  Q_OBJECT
 public:
  explicit MapWidget(QWidget* parent);

  // Paints the whole map into the image (already of the area's size).
  std::function<void(QImage&)> renderer;
  std::function<void()> onResize;

  // Asks for the map to be painted again from scratch.
  void invalidateMap();
  const QImage& mapImage() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
  bool dirty_ = true;
};

}  // namespace navui
