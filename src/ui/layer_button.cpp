#include "ui/layer_button.h"

namespace navui {

LayerButton::LayerButton(const QString& name, const QString& caption, QWidget* parent) : QToolButton(parent) {
  setObjectName(name);
  setText(caption);
  setCheckable(true);
  setAutoRaise(false);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // A pressed switch must read at a glance, whatever the desktop style.
  setStyleSheet(
      QStringLiteral("QToolButton { border: 1px solid #8c8c8c; border-radius: 2px; background: #f4f4f4; padding: 2px; }"
                     "QToolButton:hover { background: #e6eef8; }"
                     "QToolButton:checked { border: 1px solid #3b5f8f; background: #a9c1e0; font-weight: bold; }"));
}

}  // namespace navui
