#include "ui/nav_application.h"

#include "ui/error_box.h"

namespace navui {

NavApplication::NavApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("plandevol"));
  setApplicationDisplayName(applicationTitle());
}

bool NavApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    showError(nav::currentFailureText());
    return true;
  }
}

}  // namespace navui
