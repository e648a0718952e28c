#include "ui/status_panel.h"

#include <QFontMetrics>

namespace navui {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setIndent(3);
}

// The panel's width is the layout's, never the text's.
QSize StatusPanel::sizeHint() const { return {minimumWidth(), QLabel::sizeHint().height()}; }
QSize StatusPanel::minimumSizeHint() const { return {minimumWidth(), QLabel::minimumSizeHint().height()}; }

void StatusPanel::setFullText(const QString& text) {
  fullText_ = text;
  fit();
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  fit();
}

void StatusPanel::fit() {
  const int room = contentsRect().width() - 2 * margin() - indent();
  const QString shown = fontMetrics().elidedText(fullText_, Qt::ElideRight, room);
  setText(shown);
  setToolTip(shown == fullText_ ? QString() : fullText_);
}

}  // namespace navui
