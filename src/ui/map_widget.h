#pragma once

#include <QWidget>
#include <functional>

namespace navui {

// The map area `Carte`: a white surface with a cross pointer. The window
// decides what it shows; the widget paints only inside paintEvent.
class MapWidget : public QWidget {
  Q_OBJECT
 public:
  explicit MapWidget(QWidget* parent);

  std::function<void(QPainter&)> onPaint;
  std::function<void()> onResize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace navui
