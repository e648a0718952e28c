#pragma once

#include <QLabel>

namespace navui {

// A panel of the status bar. Text too long for the panel is cut with "…"
// and shown whole in the panel's tooltip, so that nothing is lost.
class StatusPanel : public QLabel {
  Q_OBJECT
 public:
  explicit StatusPanel(QWidget* parent);

  void setFullText(const QString& text);
  const QString& fullText() const { return fullText_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fit();

  QString fullText_;
};

}  // namespace navui
