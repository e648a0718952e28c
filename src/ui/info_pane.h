#pragma once

#include <QDockWidget>

#include "app/object_info.h"

class QLabel;
class QPlainTextEdit;

namespace navui {

// The dock "Infos": what the tables say of the object last under the
// pointer, or of the current row of either grid. Closed at start; the user
// opens and closes it.
class InfoPane : public QDockWidget {
  Q_OBJECT
 public:
  explicit InfoPane(QWidget* parent);
  // Shows it, unless it shows that already.
  void describe(const nav::ObjectInfo& info);
  QString titleText() const;
  QString bodyText() const;

 private:
  QLabel* title_ = nullptr;
  QPlainTextEdit* body_ = nullptr;
};

}  // namespace navui
