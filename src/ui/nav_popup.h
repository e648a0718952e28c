#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace navui {

// The small borderless window beside the pointer that names the object under
// it; one line of text, never resized.
class Tform_NavPopup : public QWidget {
  Q_OBJECT
 public:
  explicit Tform_NavPopup(QWidget* parent = nullptr);

  void setText(const QString& text);
  QString text() const;

  static constexpr int kClientWidth = 220;
  static constexpr int kClientHeight = 15;

 private:
  QPlainTextEdit* Memo1;
};

}  // namespace navui
