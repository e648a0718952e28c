#pragma once

#include <QToolButton>

namespace navui {

// A button of the left button bar that shows a switch: a click never flips
// the pressed state by itself, the program sets it from the switch.
class LayerButton : public QToolButton {
  Q_OBJECT
 public:
  LayerButton(const QString& name, const QString& caption, QWidget* parent);

 protected:
  void nextCheckState() override {}
};

}  // namespace navui
